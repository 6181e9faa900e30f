// pixelart: turns the library's text-art pictures into resource files.
//
//   pixelart in.txt out.cur          32 x 32 monochrome cursor
//   pixelart in.txt out.bmp          4-bit bitmap in the standard 16-colour palette
//   pixelart in.txt out.ico          32 x 32 4-bit icon, same palette, plus "none"
//   pixelart --png in.txt out.png    enlarged preview for people (needs stb_image_write)
//
// Text-art format, one directive or picture row per line:
//
//   # comment (a line starting with '#'; blank lines are ignored too)
//   size 32 32              width and height in pixels
//   hotspot 12 0            cursors only: the pointing pixel (x, y)
//   colour K black          legend: character K stands for a colour; cursors use
//                           black, white, transparent and invert, bitmaps a hex
//                           RGB value that is one of the 16 palette colours (icons
//                           also "none": transparent)
//   pixels                  every following line is one row of the picture, one
//                           character per pixel, top row first
//
// Host tool, C++17 and the standard library only (plus stb for --png).

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#if __has_include(<stb/stb_image_write.h>)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#define PIXELART_HAS_PNG 1
#else
#define PIXELART_HAS_PNG 0
#endif

namespace {

// The standard 16-colour palette, as 0xRRGGBB, in palette order.
constexpr std::array<uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// Icons: the legend value "none" (a transparent pixel) stands beside the palette.
constexpr int kNone = static_cast<int>(kPalette.size());

// Cursor inks; the values are (AND bit << 1) | XOR bit.
enum Ink { kBlack = 0, kWhite = 1, kTransparent = 2, kInvert = 3 };

enum class Kind { Unknown, Cursor, Bitmap };

struct Art {
    std::string file;
    int width = 0, height = 0;
    bool hasHotspot = false;
    int hotX = 0, hotY = 0;
    Kind kind = Kind::Unknown;
    std::map<char, int> legend;   // character -> Ink (cursor) or palette index (bitmap)
    std::vector<std::string> rows;
    int lastLine = 0;
};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const Art& art, int line, const std::string& what)
{
    std::ostringstream msg;
    msg << art.file;
    if (line > 0)
        msg << ":" << line;
    msg << ": " << what;
    throw Failure(msg.str());
}

bool ParseInt(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 6)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

void ParseColour(Art& art, int line, const std::vector<std::string>& words)
{
    if (words.size() != 3 || words[1].size() != 1)
        Fail(art, line, "expected 'colour <character> <value>'");
    char key = words[1][0];
    if (key == '#')
        Fail(art, line, "'#' starts a comment and cannot stand for a colour");
    if (art.legend.count(key))
        Fail(art, line, std::string("character '") + key + "' is already in the legend");

    static const std::map<std::string, Ink> inks = {
        {"black", kBlack}, {"white", kWhite}, {"transparent", kTransparent}, {"invert", kInvert}};
    Kind kind;
    int value = -1;
    if (auto ink = inks.find(words[2]); ink != inks.end()) {
        kind = Kind::Cursor;
        value = ink->second;
    } else if (words[2] == "none") {
        kind = Kind::Bitmap;
        value = kNone;
    } else {
        kind = Kind::Bitmap;
        const std::string& hex = words[2];
        uint32_t rgb = 0;
        bool ok = hex.size() == 6;
        for (char c : hex) {
            int digit = (c >= '0' && c <= '9') ? c - '0'
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            ok = ok && digit >= 0;
            rgb = rgb * 16 + static_cast<uint32_t>(digit < 0 ? 0 : digit);
        }
        if (!ok)
            Fail(art, line, "colour value '" + hex + "' is neither a cursor ink "
                 "(black, white, transparent, invert) nor a 6-digit hex RGB value");
        for (size_t i = 0; i < kPalette.size(); ++i)
            if (kPalette[i] == rgb)
                value = static_cast<int>(i);
        if (value < 0)
            Fail(art, line, "colour " + hex + " is not one of the 16 palette colours");
    }
    if (art.kind != Kind::Unknown && art.kind != kind)
        Fail(art, line, "the legend mixes cursor inks and bitmap colours");
    art.kind = kind;
    art.legend[key] = value;
}

Art ReadArt(const std::string& path)
{
    Art art;
    art.file = path;
    std::ifstream in(path);
    if (!in)
        Fail(art, 0, "cannot open");

    bool inPixels = false;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;

        if (inPixels) {
            int y = static_cast<int>(art.rows.size());
            if (y >= art.height)
                Fail(art, line, "more than " + std::to_string(art.height) + " rows");
            if (static_cast<int>(text.size()) != art.width)
                Fail(art, line, "row " + std::to_string(y) + " has " + std::to_string(text.size()) +
                     " characters, expected " + std::to_string(art.width));
            for (size_t x = 0; x < text.size(); ++x)
                if (!art.legend.count(text[x]))
                    Fail(art, line, std::string("unknown character '") + text[x] + "' at column " +
                         std::to_string(x) + " (not in the legend)");
            art.rows.push_back(text);
            continue;
        }

        std::istringstream split(text);
        std::vector<std::string> words;
        for (std::string w; split >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        const std::string& op = words[0];
        if (op == "size" || op == "hotspot") {
            int a = 0, b = 0;
            if (words.size() != 3 || !ParseInt(words[1], a) || !ParseInt(words[2], b))
                Fail(art, line, "expected '" + op + " <x> <y>' with two whole numbers");
            if (op == "size") {
                if (a < 1 || b < 1 || a > 4096 || b > 4096)
                    Fail(art, line, "size must be between 1 and 4096 in each direction");
                art.width = a;
                art.height = b;
            } else {
                art.hasHotspot = true;
                art.hotX = a;
                art.hotY = b;
            }
        } else if (op == "colour") {
            ParseColour(art, line, words);
        } else if (op == "pixels" && words.size() == 1) {
            if (art.width == 0)
                Fail(art, line, "'pixels' before 'size'");
            if (art.legend.empty())
                Fail(art, line, "'pixels' before any 'colour' line");
            inPixels = true;
        } else {
            Fail(art, line, "unknown directive '" + op + "'");
        }
    }
    art.lastLine = line;
    if (!inPixels)
        Fail(art, line, "no 'pixels' section");
    if (static_cast<int>(art.rows.size()) != art.height)
        Fail(art, line, "picture has " + std::to_string(art.rows.size()) + " rows, expected " +
             std::to_string(art.height));
    if (art.hasHotspot && (art.hotX >= art.width || art.hotY >= art.height))
        Fail(art, 0, "hot spot lies outside the picture");
    return art;
}

int Pixel(const Art& art, int x, int y)
{
    return art.legend.at(art.rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
}

// Little-endian byte writer.
struct Bytes {
    std::vector<unsigned char> data;
    void u8(unsigned v) { data.push_back(static_cast<unsigned char>(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
    void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    void rgbquad(uint32_t rgb) { u8(rgb & 0xFF); u8((rgb >> 8) & 0xFF); u8(rgb >> 16); u8(0); }
};

void InfoHeader(Bytes& out, int width, int height, unsigned bits, uint32_t imageSize, unsigned colours)
{
    out.u32(40);                                // biSize
    out.u32(static_cast<uint32_t>(width));      // biWidth
    out.u32(static_cast<uint32_t>(height));     // biHeight, bottom-up
    out.u16(1);                                 // biPlanes
    out.u16(bits);                              // biBitCount
    out.u32(0);                                 // biCompression = BI_RGB
    out.u32(imageSize);                         // biSizeImage
    out.u32(0);                                 // biXPelsPerMeter
    out.u32(0);                                 // biYPelsPerMeter
    out.u32(colours);                           // biClrUsed
    out.u32(0);                                 // biClrImportant
}

// One bit-per-pixel plane, bottom-up, rows padded to 32 bits; bit(ink) picks the bit.
template <typename BitOf>
void MonoPlane(Bytes& out, const Art& art, BitOf bit)
{
    const int stride = (art.width + 31) / 32 * 4;
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
        for (int x = 0; x < art.width; ++x)
            if (bit(Pixel(art, x, y)))
                row[static_cast<size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        out.data.insert(out.data.end(), row.begin(), row.end());
    }
}

Bytes MakeCursor(const Art& art)
{
    if (art.kind != Kind::Cursor)
        Fail(art, 0, "a cursor needs a legend of cursor inks (black, white, transparent, invert)");
    if (art.width != 32 || art.height != 32)
        Fail(art, 0, "a cursor must be 'size 32 32'");
    if (!art.hasHotspot)
        Fail(art, 0, "a cursor needs a 'hotspot' line");

    const uint32_t plane = static_cast<uint32_t>((art.width + 31) / 32 * 4 * art.height);
    const uint32_t imageBytes = 40 + 2 * 4 + 2 * plane;
    Bytes out;
    out.u16(0);                                 // reserved
    out.u16(2);                                 // type: cursor
    out.u16(1);                                 // one image
    out.u8(static_cast<unsigned>(art.width));
    out.u8(static_cast<unsigned>(art.height));
    out.u8(2);                                  // colours
    out.u8(0);                                  // reserved
    out.u16(static_cast<unsigned>(art.hotX));
    out.u16(static_cast<unsigned>(art.hotY));
    out.u32(imageBytes);
    out.u32(6 + 16);                            // image offset
    InfoHeader(out, art.width, art.height * 2, 1, 2 * plane, 0);
    out.rgbquad(0x000000);
    out.rgbquad(0xFFFFFF);
    MonoPlane(out, art, [](int ink) { return (ink & 1) != 0; });   // XOR mask
    MonoPlane(out, art, [](int ink) { return (ink & 2) != 0; });   // AND mask
    return out;
}

void CheckColourArt(const Art& art, const char* what)
{
    if (art.kind != Kind::Bitmap)
        Fail(art, 0, std::string(what) + " needs a legend of hex palette colours");
    if (art.hasHotspot)
        Fail(art, 0, std::string(what) + " has no hot spot");
}

// The palette and the 4-bit rows, bottom-up, rows padded to 32 bits;
// transparent pixels are black.
void ColourPlane(Bytes& out, const Art& art)
{
    for (uint32_t rgb : kPalette)
        out.rgbquad(rgb);
    const int stride = (art.width * 4 + 31) / 32 * 4;
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
        for (int x = 0; x < art.width; ++x) {
            const int index = Pixel(art, x, y) == kNone ? 0 : Pixel(art, x, y);
            row[static_cast<size_t>(x / 2)] |= static_cast<unsigned char>(index << (x % 2 ? 0 : 4));
        }
        out.data.insert(out.data.end(), row.begin(), row.end());
    }
}

Bytes MakeBitmap(const Art& art)
{
    CheckColourArt(art, "a bitmap");
    for (const std::string& row : art.rows)
        for (char c : row)
            if (art.legend.at(c) == kNone)
                Fail(art, 0, "only icons have transparent ('none') pixels");

    const uint32_t imageSize = static_cast<uint32_t>((art.width * 4 + 31) / 32 * 4 * art.height);
    const uint32_t offset = 14 + 40 + 16 * 4;
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(offset + imageSize);                // bfSize
    out.u32(0);                                 // bfReserved1, bfReserved2
    out.u32(offset);                            // bfOffBits
    InfoHeader(out, art.width, art.height, 4, imageSize, 16);
    ColourPlane(out, art);
    return out;
}

Bytes MakeIcon(const Art& art)
{
    CheckColourArt(art, "an icon");
    if (art.width != 32 || art.height != 32)
        Fail(art, 0, "an icon must be 'size 32 32'");

    const uint32_t colours = static_cast<uint32_t>((art.width * 4 + 31) / 32 * 4 * art.height);
    const uint32_t mask = static_cast<uint32_t>((art.width + 31) / 32 * 4 * art.height);
    Bytes out;
    out.u16(0);                                 // reserved
    out.u16(1);                                 // type: icon
    out.u16(1);                                 // one image
    out.u8(static_cast<unsigned>(art.width));
    out.u8(static_cast<unsigned>(art.height));
    out.u8(16);                                 // colours
    out.u8(0);                                  // reserved
    out.u16(1);                                 // planes
    out.u16(4);                                 // bits per pixel
    out.u32(40 + 16 * 4 + colours + mask);      // image bytes
    out.u32(6 + 16);                            // image offset
    InfoHeader(out, art.width, art.height * 2, 4, colours + mask, 0);
    ColourPlane(out, art);
    MonoPlane(out, art, [](int index) { return index == kNone; });  // AND mask
    return out;
}

void WriteFile(const Art& art, const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data.data()),
              static_cast<std::streamsize>(bytes.data.size()));
    if (!out)
        Fail(art, 0, "cannot write " + path);
}

// Preview: each pixel becomes a Scale x Scale block. Transparent cursor pixels
// show as a blue-grey checkerboard, inverted ones as magenta stripes, and the
// hot spot is framed in red.
void WritePng(const Art& art, const std::string& path)
{
#if PIXELART_HAS_PNG
    constexpr int Scale = 8;
    const int w = art.width * Scale, h = art.height * Scale;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const int x = px / Scale, y = py / Scale, ink = Pixel(art, x, y);
            uint32_t c;
            if (art.kind == Kind::Bitmap && ink == kNone)
                c = ((px / 4 + py / 4) % 2) ? 0xA8B8C8 : 0xC8D8E8;
            else if (art.kind == Kind::Bitmap)
                c = kPalette[static_cast<size_t>(ink)];
            else if (ink == kTransparent)
                c = ((px / 4 + py / 4) % 2) ? 0xA8B8C8 : 0xC8D8E8;
            else if (ink == kInvert)
                c = ((px + py) / 3 % 2) ? 0xFF00FF : 0x400040;
            else
                c = ink == kWhite ? 0xFFFFFF : 0x000000;
            if (art.hasHotspot && x == art.hotX && y == art.hotY &&
                (px % Scale < 2 || px % Scale >= Scale - 2 || py % Scale < 2 || py % Scale >= Scale - 2))
                c = 0xFF0000;
            unsigned char* p = &rgb[(static_cast<size_t>(py) * static_cast<size_t>(w) + static_cast<size_t>(px)) * 3];
            p[0] = static_cast<unsigned char>(c >> 16);
            p[1] = static_cast<unsigned char>(c >> 8);
            p[2] = static_cast<unsigned char>(c);
        }
    if (!stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3))
        Fail(art, 0, "cannot write " + path);
#else
    (void)path;
    Fail(art, 0, "built without stb_image_write.h; --png is not available");
#endif
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool png = !args.empty() && args[0] == "--png";
    if (png)
        args.erase(args.begin());
    if (args.size() != 2) {
        std::cerr << "usage: pixelart in.txt out.cur|out.bmp|out.ico\n"
                     "       pixelart --png in.txt out.png\n";
        return 2;
    }
    try {
        const Art art = ReadArt(args[0]);
        const std::string& out = args[1];
        if (png)
            WritePng(art, out);
        else if (EndsWith(out, ".cur"))
            WriteFile(art, out, MakeCursor(art));
        else if (EndsWith(out, ".bmp"))
            WriteFile(art, out, MakeBitmap(art));
        else if (EndsWith(out, ".ico"))
            WriteFile(art, out, MakeIcon(art));
        else
            throw Failure(out + ": output must end in .cur, .bmp or .ico (or use --png)");
    } catch (const Failure& failure) {
        std::cerr << "pixelart: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
