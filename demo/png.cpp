// Pictures of windows as PNG files, written with the header-only
// stb_image_write.
#include "gallery.h"
#include "gdiguard.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

namespace {

// A top-down 32-bit BGRX picture.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> bgrx;
};

// Writes the part cut of picture (clipped to it) as an RGB PNG; false on failure.
bool WritePng(const char* path, const Picture& picture, RECT cut)
{
    const RECT all{0, 0, picture.width, picture.height};
    if (!IntersectRect(&cut, &cut, &all))
        return false;
    const int width = cut.right - cut.left, height = cut.bottom - cut.top;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    unsigned char* out = rgb.data();
    for (int y = cut.top; y < cut.bottom; ++y) {
        const unsigned char* in = &picture.bgrx[(static_cast<size_t>(y) * picture.width + cut.left) * 4];
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return stbi_write_png(path, width, height, 3, rgb.data(), width * 3) != 0;
}

// Copies what a window shows on the screen (its client area, child windows
// included, or the whole window with its frame) into a top-down 32-bit picture.
bool CaptureWindow(HWND hwnd, bool withFrame, Picture& picture)
{
    RECT area;
    if (withFrame) {
        GetWindowRect(hwnd, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(hwnd, &area);
    }
    const int width = area.right, height = area.bottom;
    if (width <= 0 || height <= 0)
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = withFrame ? GetWindowDC(hwnd) : GetDC(hwnd);
    bool copied = false;
    {
        zt::MemoryDC memory(screen);
        zt::Owned<HBITMAP> section(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (screen && memory && section && bits) {
            zt::Select select(memory, section);
            copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
            GdiFlush();
        }
        if (copied) {
            const auto* first = static_cast<const unsigned char*>(bits);
            picture.bgrx.assign(first, first + static_cast<size_t>(width) * height * 4);
            picture.width = width;
            picture.height = height;
        }
    }
    if (screen)
        ReleaseDC(hwnd, screen);
    return copied;
}

bool Captured(HWND hwnd, bool withFrame, Picture& picture)
{
    if (CaptureWindow(hwnd, withFrame, picture))
        return true;
    std::fprintf(stderr, "ztdemo: cannot capture the window\n");
    return false;
}

bool Written(const char* path, const Picture& picture, RECT cut)
{
    if (WritePng(path, picture, cut))
        return true;
    std::fprintf(stderr, "ztdemo: cannot write %s\n", path);
    return false;
}

}  // namespace

bool SaveWindowPicture(HWND hwnd, bool withFrame, const char* path)
{
    Picture picture;
    return Captured(hwnd, withFrame, picture) &&
           Written(path, picture, RECT{0, 0, picture.width, picture.height});
}

bool SaveClientParts(HWND hwnd, const std::vector<PicturePart>& parts)
{
    Picture picture;
    if (!Captured(hwnd, false, picture))
        return false;
    bool all = true;
    for (const PicturePart& part : parts)
        all = Written(part.path.c_str(), picture, part.cut) && all;
    return all;
}
