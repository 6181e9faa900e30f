// Tool-button drawing: frame pixels, glyph placement, recolouring, the
// greyed and checked looks, the caller's DC left as found, and clean-up.
// Buttons are drawn into 24-bit memory surfaces and read back exactly.
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

#include <map>
#include <string>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kPrefill = RGB(255, 0, 255);
const COLORREF kLightGrey = RGB(192, 192, 192);
const COLORREF kRed = RGB(255, 0, 0);

// Button colours that match none of the standard glyph colours, so that every
// frame piece and every recoloured glyph pixel can be told apart.
struct Look {
    COLORREF outline = RGB(10, 20, 30);
    COLORREF text = RGB(0, 0, 90);
    COLORREF shadow = RGB(90, 60, 30);
    COLORREF face = RGB(200, 180, 160);
    COLORREF highlight = RGB(250, 240, 200);
};

// Art legend: o outline, h highlight, s shadow, f face, t text,
// d the face-and-highlight checkerboard, r red, . not painted.
std::map<char, COLORREF> Legend(const Look& look)
{
    return {{'o', look.outline}, {'h', look.highlight}, {'s', look.shadow}, {'f', look.face},
            {'t', look.text},    {'r', kRed},           {'.', kPrefill}};
}

// The whole surface matches the art placed at (x0, y0); outside the art
// nothing is painted.
::testing::AssertionResult Matches(const Surface& s, int x0, int y0, const std::vector<std::string>& art,
                                   const Look& look)
{
    const auto legend = Legend(look);
    for (const std::string& row : art)
        if (row.size() != art[0].size())
            return ::testing::AssertionFailure() << "art row \"" << row << "\" has another length";
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const int ax = x - x0, ay = y - y0;
            char c = '.';
            if (ay >= 0 && ay < static_cast<int>(art.size()) && ax >= 0 && ax < static_cast<int>(art[ay].size()))
                c = art[ay][ax];
            const COLORREF want = c == 'd' ? ((x + y) % 2 == 0 ? look.face : look.highlight) : legend.at(c);
            const COLORREF got = s.At(x, y);
            if (got != want)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Hex(got)
                                                     << ", expected '" << c << "' " << Hex(want);
        }
    return ::testing::AssertionSuccess();
}

// A device bitmap (as applications make them) painted from art:
// K black, D dark grey, . light grey, W white, r red, B blue, G green.
HBITMAP MakeStrip(const std::vector<std::string>& art)
{
    const std::map<char, COLORREF> colours{{'K', RGB(0, 0, 0)},       {'D', RGB(128, 128, 128)},
                                           {'.', kLightGrey},         {'W', RGB(255, 255, 255)},
                                           {'r', kRed},               {'B', RGB(0, 0, 255)},
                                           {'G', RGB(0, 255, 0)}};
    const int w = static_cast<int>(art[0].size()), h = static_cast<int>(art.size());
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(dc, x, y, colours.at(art[y][x]));
    SelectObject(dc, old);
    DeleteDC(dc);
    return bm;
}

// Copies a bitmap into a surface of its size for exact comparison.
void CopyInto(Surface& s, HBITMAP bm)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    BitBlt(s.dc(), 0, 0, s.width(), s.height(), dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
}

// The drawn cx x cy block at (x, y) equals the strip's block at (sx, 0).
::testing::AssertionResult SameBlock(const Surface& drawn, int x, int y, const Surface& strip, int sx, int cx,
                                     int cy)
{
    for (int j = 0; j < cy; ++j)
        for (int i = 0; i < cx; ++i)
            if (drawn.At(x + i, y + j) != strip.At(sx + i, j))
                return ::testing::AssertionFailure()
                       << "pixel (" << x + i << ", " << y + j << ") is " << Hex(drawn.At(x + i, y + j))
                       << ", the strip has " << Hex(strip.At(sx + i, j));
    return ::testing::AssertionSuccess();
}

bool Untouched(const Surface& s)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.At(x, y) != kPrefill)
                return false;
    return true;
}

// Sets the button colours of a Look (or the standard ones) for one test.
class ToolBtnTest : public ::testing::Test {
protected:
    void UseLook()
    {
        colours.Set(COLOR_WINDOWFRAME, look.outline);
        colours.Set(COLOR_BTNTEXT, look.text);
        colours.Set(COLOR_BTNSHADOW, look.shadow);
        colours.Set(COLOR_BTNFACE, look.face);
        colours.Set(COLOR_BTNHIGHLIGHT, look.highlight);
    }
    void UseStandardColours()
    {
        colours.Set(COLOR_WINDOWFRAME, RGB(0, 0, 0));
        colours.Set(COLOR_BTNTEXT, RGB(0, 0, 0));
        colours.Set(COLOR_BTNSHADOW, RGB(128, 128, 128));
        colours.Set(COLOR_BTNFACE, kLightGrey);
        colours.Set(COLOR_BTNHIGHLIGHT, RGB(255, 255, 255));
    }
    // A stock strip of the library, read back into a surface.
    void LoadStock(Surface& s, int id)
    {
        HBITMAP strip = LoadBitmapA(Library(), MAKEINTRESOURCEA(id));
        ASSERT_NE(strip, nullptr);
        CopyInto(s, strip);
        DeleteObject(strip);
    }

    SysColours colours;
    Look look;
};

const std::vector<std::string> kUpFrame = {
    ".oooooooooooooooooooooo.",
    "ohhhhhhhhhhhhhhhhhhhhhso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohfffffffffffffffffffsso",
    "ohssssssssssssssssssssso",
    "osssssssssssssssssssssso",
    ".oooooooooooooooooooooo.",
};

std::vector<std::string> DownFrame()
{
    std::vector<std::string> art{".oooooooooooooooooooooo.", "osssssssssssssssssssssso"};
    for (int row = 2; row <= 20; ++row)
        art.push_back("osfffffffffffffffffffffo");
    art.push_back(".oooooooooooooooooooooo.");
    return art;
}

}  // namespace

TEST_F(ToolBtnTest, UpAndDownFramesOfA24By22Button)
{
    UseLook();
    Surface s(30, 27);
    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 3, 2, 24, 22, nullptr, 16, 15, 0, TDD_NOGLYPH));
    EXPECT_TRUE(Matches(s, 3, 2, kUpFrame, look)) << "up";

    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 3, 2, 24, 22, nullptr, 16, 15, 0, TDD_NOGLYPH | TDD_DOWN));
    EXPECT_TRUE(Matches(s, 3, 2, DownFrame(), look)) << "down";
}

TEST_F(ToolBtnTest, StockGlyphsSitCentredAndMoveOnePixelWhenDown)
{
    UseStandardColours();
    Surface strip(144, 15);
    LoadStock(strip, 400);
    Surface s(60, 50);

    // The stock path takes the button and glyph sizes from the metrics.
    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 50, 40, nullptr, 99, 99, 7, TDD_GLYPH));
    EXPECT_TRUE(SameBlock(s, 4, 3, strip, 7 * 16, 16, 15)) << "up: glyph 7 at (4, 3)";
    EXPECT_EQ(s.At(23, 5), RGB(0, 0, 0)) << "right outline of a 24 x 22 button";
    EXPECT_EQ(s.At(24, 5), kPrefill);
    EXPECT_EQ(s.At(5, 22), kPrefill);

    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 50, 40, nullptr, 99, 99, 0, TDD_GLYPH | TDD_DOWN));
    EXPECT_TRUE(SameBlock(s, 5, 4, strip, 0, 16, 15)) << "down: glyph 0 at (5, 4)";

    // A caller's record naming strip 401 (16 x 11 glyphs).
    Surface small(144, 11);
    LoadStock(small, 401);
    const ToolBtnTDD metrics{96, 29, 24, 22, 16, 11, 401};
    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_DrawTDD(s.dc(), 10, 10, 0, 0, nullptr, 0, 0, 3, TDD_GLYPH, &metrics));
    EXPECT_TRUE(SameBlock(s, 10 + 4, 10 + 5, small, 3 * 16, 16, 11)) << "strip 401 glyph 3";
}

TEST_F(ToolBtnTest, StockIndexAboveEightAndUnknownStripsDrawNothing)
{
    UseStandardColours();
    Surface s(30, 30);
    s.Fill(kPrefill);
    EXPECT_FALSE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 9, TDD_GLYPH));
    EXPECT_FALSE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 9, TDD_GLYPH | TDD_CHECKED | TDD_DOWN));
    for (UINT id : {399u, 403u}) {
        const ToolBtnTDD metrics{96, 29, 24, 22, 16, 15, id};
        EXPECT_FALSE(ToolBtn_DrawTDD(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH, &metrics)) << id;
    }
    EXPECT_FALSE(ToolBtn_DrawTDD(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH, nullptr));
    EXPECT_FALSE(ToolBtn_Draw(nullptr, 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH));
    EXPECT_TRUE(Untouched(s));

    // Without a glyph the metrics are not consulted at all.
    EXPECT_TRUE(ToolBtn_DrawTDD(s.dc(), 0, 0, 10, 8, nullptr, 0, 0, 0, TDD_NOGLYPH, nullptr));
    EXPECT_EQ(s.At(9, 4), RGB(0, 0, 0));
    EXPECT_EQ(s.At(10, 4), kPrefill);
}

TEST_F(ToolBtnTest, CallerStripsAreCutByIndexAndCentredWithAFlooringHalf)
{
    UseStandardColours();
    // Ten 3 x 2 glyphs: glyph n is red, except glyph 9, which is blue.
    std::vector<std::string> art(2, std::string(27, 'r') + "BBB");
    HBITMAP strip = MakeStrip(art);
    Surface s(12, 12);
    s.Fill(kPrefill);
    // 7 x 6 button at (1, 1): interior 5 x 4, glyph at (1+1, 1+1) + (1, 1).
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 1, 1, 7, 6, strip, 3, 2, 9, TDD_GLYPH));
    for (int y = 3; y < 5; ++y)
        for (int x = 3; x < 6; ++x)
            EXPECT_EQ(s.At(x, y), RGB(0, 0, 255)) << x << "," << y;
    EXPECT_EQ(s.At(2, 3), RGB(255, 255, 255)) << "left highlight";
    EXPECT_EQ(s.At(6, 3), RGB(128, 128, 128)) << "right shadow";

    // A glyph one pixel wider than the interior: (3 - 4) >> 1 = -1, so it
    // starts on the left outline.
    HBITMAP wide = MakeStrip({"rrrr"});
    s.Fill(kPrefill);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 2, 2, 5, 5, wide, 4, 1, 0, TDD_GLYPH));
    EXPECT_EQ(s.At(2, 4), kRed);
    EXPECT_EQ(s.At(5, 4), kRed);
    EXPECT_EQ(s.At(6, 4), RGB(0, 0, 0)) << "right outline";
    DeleteObject(wide);
    DeleteObject(strip);
}

TEST_F(ToolBtnTest, RecolouringReplacesEachStandardColourUnlessItsKeepBitIsSet)
{
    UseLook();
    HBITMAP strip = MakeStrip({"KD.Wr"});
    Surface s(9, 5);
    const COLORREF standard[4] = {RGB(0, 0, 0), RGB(128, 128, 128), kLightGrey, RGB(255, 255, 255)};
    const COLORREF button[4] = {look.text, look.shadow, look.face, look.highlight};
    const WORD keepBits[5] = {0, TDD_KEEPBLACK, TDD_KEEPDARKGRAY, TDD_KEEPLIGHTGRAY, TDD_KEEPWHITE};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE("keep bit " + std::to_string(k - 1));
        s.Fill(kPrefill);
        // 9 x 5 button: interior 7 x 3, the 5 x 1 glyph at (2, 2).
        EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 9, 5, strip, 5, 1, 0, TDD_GLYPH | keepBits[k]));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(s.At(2 + i, 2), k == i + 1 ? standard[i] : button[i]) << "glyph pixel " << i;
        EXPECT_EQ(s.At(6, 2), kRed) << "other colours stay";
    }
    DeleteObject(strip);

    // The stock glyphs' light grey background takes the face colour too.
    Surface big(24, 22);
    EXPECT_TRUE(ToolBtn_Draw(big.dc(), 0, 0, 0, 0, nullptr, 0, 0, 0, TDD_GLYPH));
    EXPECT_EQ(big.At(4, 3), look.face);
    EXPECT_EQ(big.At(8, 4), look.shadow) << "dark grey pixel of the stock glyph";
}

// Greyed and checked looks on a 13 x 13 button with a 5 x 5 glyph: white at
// the glyph's (0, 0), black ink at (2, 2), light grey elsewhere.  The glyph
// sits at (4, 4) up and (5, 5) down.
TEST_F(ToolBtnTest, GreyedAndCheckedLooks)
{
    UseLook();
    HBITMAP strip = MakeStrip({"W....", ".....", "..K..", ".....", "....."});
    Surface s(13, 13);
    auto draw = [&](WORD state) {
        s.Fill(kPrefill);
        return ToolBtn_Draw(s.dc(), 0, 0, 13, 13, strip, 5, 5, 0, state);
    };

    // Greyed: shadow silhouette of the ink with a highlight copy below right;
    // the white and light grey pixels are face.
    ASSERT_TRUE(draw(TDD_GRAYED));
    EXPECT_TRUE(Matches(s, 0, 0,
                        {".ooooooooooo.",
                         "ohhhhhhhhhhso",
                         "ohffffffffsso",
                         "ohffffffffsso",
                         "ohffffffffsso",
                         "ohffffffffsso",
                         "ohffffsfffsso",
                         "ohfffffhffsso",
                         "ohffffffffsso",
                         "ohffffffffsso",
                         "ohsssssssssso",
                         "ossssssssssso",
                         ".ooooooooooo."},
                        look))
        << "state 4";

    // Checked (11): down frame, dither up to the outline, only the ink shows.
    ASSERT_TRUE(draw(TDD_CHECKED | TDD_GLYPH | TDD_DOWN));
    EXPECT_TRUE(Matches(s, 0, 0,
                        {".ooooooooooo.",
                         "ossssssssssso",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osdddddtddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         ".ooooooooooo."},
                        look))
        << "state 11";

    // Checked, not down (10): the white shows through and the ink is laid
    // over in shadow; the dither stops inside the up frame's shadow.
    ASSERT_TRUE(draw(TDD_CHECKED | TDD_GLYPH));
    EXPECT_TRUE(Matches(s, 0, 0,
                        {".ooooooooooo.",
                         "ohhhhhhhhhhso",
                         "ohddddddddsso",
                         "ohddddddddsso",
                         "ohddhdddddsso",
                         "ohddddddddsso",
                         "ohddddsdddsso",
                         "ohddddddddsso",
                         "ohddddddddsso",
                         "ohddddddddsso",
                         "ohsssssssssso",
                         "ossssssssssso",
                         ".ooooooooooo."},
                        look))
        << "state 10";

    // Checked and greyed (13): the embossed ink and its highlight copy both
    // show through the dither.
    ASSERT_TRUE(draw(TDD_CHECKED | TDD_GRAYED | TDD_DOWN));
    EXPECT_TRUE(Matches(s, 0, 0,
                        {".ooooooooooo.",
                         "ossssssssssso",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osdddddsddddo",
                         "osddddddhdddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         "osddddddddddo",
                         ".ooooooooooo."},
                        look))
        << "state 13";
    DeleteObject(strip);
}

TEST_F(ToolBtnTest, BlankCheckedButtonsAreDitheredWithState26StoppingShort)
{
    UseLook();
    Surface s(24, 22);
    s.Fill(kPrefill);
    // 24 = TDD_NOGLYPH | TDD_CHECKED: interior minus 1, no stock strip needed.
    ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_NOGLYPH | TDD_CHECKED));
    std::vector<std::string> art = kUpFrame;
    for (int y = 2; y <= 20; ++y)
        for (int x = 2; x <= 22; ++x)
            art[y][x] = 'd';
    EXPECT_TRUE(Matches(s, 0, 0, art, look)) << "state 24";

    s.Fill(kPrefill);
    ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_NOGLYPH | TDD_CHECKED | TDD_GLYPH));
    art = kUpFrame;
    for (int y = 2; y <= 18; ++y)
        for (int x = 2; x <= 20; ++x)
            art[y][x] = 'd';
    EXPECT_TRUE(Matches(s, 0, 0, art, look)) << "state 26";
}

TEST_F(ToolBtnTest, StockGlyphsAreDrawnWhenChecked)
{
    UseStandardColours();
    Surface strip(144, 15);
    LoadStock(strip, 400);
    Surface s(24, 22);
    s.Fill(kPrefill);
    ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 5, TDD_CHECKED | TDD_GLYPH | TDD_DOWN));
    // Ink (anything but light grey and white) is the strip's; the rest is dither.
    int ink = 0;
    for (int j = 0; j < 15; ++j)
        for (int i = 0; i < 16; ++i) {
            const COLORREF c = strip.At(5 * 16 + i, j);
            if (c == kLightGrey || c == RGB(255, 255, 255))
                continue;
            ++ink;
            EXPECT_EQ(s.At(5 + i, 4 + j), c) << "ink at " << i << "," << j;
        }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(s.At(3, 3), kLightGrey) << "dither";
    EXPECT_EQ(s.At(4, 3), RGB(255, 255, 255)) << "dither";
}

TEST_F(ToolBtnTest, TheCallersDcAndStripAreLeftAsFound)
{
    UseLook();
    HBITMAP strip = MakeStrip({"W....", ".....", "..K..", ".....", "....."});
    Surface s(20, 20);
    HBRUSH own = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ before = SelectObject(s.dc(), own);
    SetTextColor(s.dc(), RGB(4, 5, 6));
    SetBkColor(s.dc(), RGB(7, 8, 9));
    for (WORD state : {2, 3, 4, 5, 10, 11, 13, 24, 26, 0x0F02}) {
        SCOPED_TRACE(state);
        EXPECT_TRUE(ToolBtn_Draw(s.dc(), 1, 1, 15, 15, strip, 5, 5, 0, state));
        EXPECT_EQ(GetTextColor(s.dc()), RGB(4, 5, 6));
        EXPECT_EQ(GetBkColor(s.dc()), RGB(7, 8, 9));
        EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), own);
    }
    // The strip was selected back out of the library's DC: another DC can take it.
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, strip);
    EXPECT_NE(old, nullptr);
    if (old)
        SelectObject(other, old);
    DeleteDC(other);
    SelectObject(s.dc(), before);
    DeleteObject(own);
    DeleteObject(strip);
}

TEST(ToolBtnConfigureTest, FillsTheDefaultsOnlyIntoAWritableRecord)
{
    ToolBtnTDD tdd{};
    EXPECT_TRUE(ToolBtn_Configure(&tdd));
    EXPECT_EQ(tdd.nReserved, 96u);
    EXPECT_EQ(tdd.cyToolBar, 29);
    EXPECT_EQ(tdd.cxButton, 24);
    EXPECT_EQ(tdd.cyButton, 22);
    EXPECT_EQ(tdd.cxGlyph, 16);
    EXPECT_EQ(tdd.cyGlyph, 15);
    EXPECT_EQ(tdd.idImages, 400u);

    EXPECT_FALSE(ToolBtn_Configure(nullptr));
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(ToolBtn_Configure(static_cast<ToolBtnTDD*>(page)));
    EXPECT_EQ(static_cast<const unsigned char*>(page)[0], 0);
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST_F(ToolBtnTest, DrawsLeaveNoObjectBehind)
{
    UseLook();  // not the standard colours: every glyph is recoloured
    HBITMAP strip = MakeStrip({"W....", ".....", "..K..", ".....", "....."});
    Surface s(30, 30);
    // The dither brush for these colours is cached by the first checked draw.
    ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 0, 0, 0, TDD_NOGLYPH | TDD_CHECKED);

    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    for (WORD state : {2, 3, 4, 5, 10, 11, 13, 26, 0x0F02}) {
        EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, strip, 5, 5, 0, state));
        EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 0, 0, 4, state));
    }
    EXPECT_GE(counter.Created(), 18u) << "at least a mask bitmap per draw";
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
    DeleteObject(strip);
}
