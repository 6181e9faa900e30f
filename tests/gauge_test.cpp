// Gauge: the bar and its boundary, the two-coloured text, the setters'
// invalidation, the font and clean-up.
#include "gdicount.h"
#include "ztest.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

COLORREF Window() { return GetSysColor(COLOR_WINDOW); }

// Whether c lies between two colours channel by channel (an anti-aliased
// edge of a glyph).
bool Between(COLORREF c, COLORREF a, COLORREF b)
{
    for (int shift : {0, 8, 16}) {
        const int v = (c >> shift) & 0xFF, lo = std::min((a >> shift) & 0xFF, (b >> shift) & 0xFF),
                  hi = std::max((a >> shift) & 0xFF, (b >> shift) & 0xFF);
        if (v < lo || v > hi)
            return false;
    }
    return true;
}

// The text's ink inside the frame.  Left of the boundary the paper is the bar
// colour and the ink the window colour; from the boundary on it is the other
// way round.  Pixels blending paper and ink count as ink; any other colour
// is a stray.
struct Ink {
    int filled = 0, empty = 0;  // pixels exactly in each part's ink colour
    std::string stray;          // the first pixel of a third colour
    std::vector<bool> mask;     // ink or not, row by row
};

Ink ScanInk(HWND gauge, int boundary, COLORREF bar)
{
    RECT client;
    GetClientRect(gauge, &client);
    Ink ink;
    ink.mask.assign(static_cast<size_t>(client.right * client.bottom), false);
    HDC dc = GetDC(gauge);
    for (int y = 1; y < client.bottom - 1; ++y)
        for (int x = 1; x < client.right - 1; ++x) {
            const bool filled = x < boundary;
            const COLORREF paper = filled ? bar : Window(), colour = filled ? Window() : bar;
            const COLORREF c = GetPixel(dc, x, y);
            if (c == paper)
                continue;
            ink.mask[static_cast<size_t>(y * client.right + x)] = true;
            if (c == colour)
                ++(filled ? ink.filled : ink.empty);
            else if (!Between(c, paper, colour) && ink.stray.empty())
                ink.stray = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(c);
        }
    ReleaseDC(gauge, dc);
    return ink;
}

HGDIOBJ FontOrSystem(HFONT font) { return font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT); }

// The height of "X" in a font (0: the system font).
int LetterHeight(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontOrSystem(font));
    SIZE size{};
    GetTextExtentPoint32A(dc, "X", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cy;
}

// The ink of the text written once, black on white, centred on the gauge's
// middle column with its top at (h - cy) / 2, inside the frame.
std::vector<bool> ReferenceMask(HWND gauge, const char* text, HFONT font)
{
    RECT client;
    GetClientRect(gauge, &client);
    const int w = client.right, h = client.bottom;
    HDC screen = GetDC(gauge);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, FontOrSystem(font));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, w / 2, (h - LetterHeight(font)) / 2, text, lstrlenA(text));
    std::vector<bool> mask(static_cast<size_t>(w * h), false);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            mask[static_cast<size_t>(y * w + x)] = GetPixel(dc, x, y) != RGB(255, 255, 255);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(gauge, screen);
    return mask;
}

HFONT MakeFont(int height)
{
    return CreateFontA(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

// A gauge 102 x 40: the boundary x = 1 + percent * 102 / 100, so 50 % puts
// it at 52 and fills columns 1..51.  With the system font the text keeps off
// the bands of rows 1..3 and H-4..H-2, where the bar shows alone.
class GaugeTest : public ::testing::Test {
protected:
    static constexpr int W = 102, H = 40;
    void SetUp() override
    {
        gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 10, 10, W, H);
        ASSERT_NE(gauge, nullptr);
        ASSERT_LE(LetterHeight(nullptr), H - 8) << "the bands must stay clear of the text";
    }
    void SetPercent(LONG percent)
    {
        EXPECT_EQ(SendMessageA(gauge, GAM_SETPERCENT, static_cast<WPARAM>(percent), 0), 1);
        PaintNow(gauge);
    }
    // The setters repaint only the inside; this paints the frame too.
    void Repaint()
    {
        InvalidateRect(gauge, nullptr, TRUE);
        PaintNow(gauge);
    }
    // Columns [from, to) of both bands have the colour.
    ::testing::AssertionResult Bands(int from, int to, COLORREF c)
    {
        if (auto r = AreaIs(gauge, RECT{from, 1, to, 4}, c); !r)
            return r;
        return AreaIs(gauge, RECT{from, H - 4, to, H - 1}, c);
    }
    // The frame drawn with TextPen along the outermost rows and columns.
    ::testing::AssertionResult FrameIntact()
    {
        const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
        for (RECT edge : {RECT{0, 0, W, 1}, RECT{0, H - 1, W, H}, RECT{0, 0, 1, H}, RECT{W - 1, 0, W, H}})
            if (auto r = AreaIs(gauge, edge, text); !r)
                return r;
        return ::testing::AssertionSuccess();
    }
    // The ink shows exactly this text, nothing more, in no third colour.
    ::testing::AssertionResult Shows(const Ink& ink, const char* text, HFONT font = nullptr)
    {
        if (!ink.stray.empty())
            return ::testing::AssertionFailure() << ink.stray;
        const std::vector<bool> want = ReferenceMask(gauge, text, font);
        int differ = 0;
        for (size_t i = 0; i < want.size(); ++i)
            differ += want[i] != ink.mask[i];
        if (differ)
            return ::testing::AssertionFailure() << differ << " pixels differ from \"" << text << "\"";
        return ::testing::AssertionSuccess();
    }

    ParentWindow parent;
    HWND gauge = nullptr;
};

}  // namespace

TEST_F(GaugeTest, NewGaugeShowsZeroCentredInBlueOnTheWindowColour)
{
    EXPECT_TRUE(FrameIntact());
    EXPECT_TRUE(Bands(1, W - 1, Window())) << "nothing is filled at 0 %";
    const Ink ink = ScanInk(gauge, 1, kBlue);
    EXPECT_GT(ink.empty, 0) << "the text is drawn in the bar colour";
    EXPECT_TRUE(Shows(ink, " 0% "));
}

TEST_F(GaugeTest, BoundaryFollowsThePercentageWithinTheFrame)
{
    SetPercent(50);  // x = 1 + 51 = 52
    EXPECT_TRUE(Bands(1, 52, kBlue));
    EXPECT_TRUE(Bands(52, W - 1, Window()));

    SetPercent(100);
    EXPECT_TRUE(Bands(1, W - 1, kBlue));
    Repaint();
    EXPECT_TRUE(FrameIntact()) << "the bar stops at the frame";

    SetPercent(150);
    Repaint();
    EXPECT_TRUE(Bands(1, W - 1, kBlue));
    EXPECT_TRUE(FrameIntact());
    Ink ink = ScanInk(gauge, W - 1, kBlue);
    EXPECT_GT(ink.filled, 0);
    EXPECT_TRUE(Shows(ink, " 150% "));

    SetPercent(-5);
    EXPECT_TRUE(Bands(1, W - 1, Window())) << "a negative value fills nothing";
    EXPECT_TRUE(Shows(ScanInk(gauge, 1, kBlue), " -5% "));

    SetPercent(INT_MAX);  // the product with the width needs 64 bits
    EXPECT_TRUE(Bands(1, W - 1, kBlue));
    EXPECT_TRUE(Shows(ScanInk(gauge, W - 1, kBlue), " 2147483647% "));
    SetPercent(INT_MIN);  // the longest text there is
    Repaint();
    EXPECT_TRUE(Bands(1, W - 1, Window()));
    EXPECT_TRUE(FrameIntact());
    EXPECT_TRUE(Shows(ScanInk(gauge, 1, kBlue), " -2147483648% "));
}

TEST_F(GaugeTest, TextChangesColourExactlyAtTheBoundary)
{
    SetPercent(50);
    Ink ink = ScanInk(gauge, 52, kBlue);
    EXPECT_GT(ink.filled, 0) << "window-coloured text over the bar";
    EXPECT_GT(ink.empty, 0) << "bar-coloured text over the window colour";
    EXPECT_TRUE(Shows(ink, " 50% ")) << "the two parts together show the text whole";

    EXPECT_EQ(SendMessageA(gauge, GAM_SETCOLOR, 0, kRed), 1);
    PaintNow(gauge);
    EXPECT_TRUE(Bands(1, 52, kRed));
    ink = ScanInk(gauge, 52, kRed);
    EXPECT_GT(ink.filled, 0);
    EXPECT_GT(ink.empty, 0);
    EXPECT_TRUE(Shows(ink, " 50% "));
}

TEST_F(GaugeTest, ColourIsTakenFromLParamOnly)
{
    SetPercent(100);
    EXPECT_EQ(SendMessageA(gauge, GAM_SETCOLOR, kRed, 0), 1);
    PaintNow(gauge);
    EXPECT_TRUE(Bands(1, W - 1, kBlack));
}

TEST_F(GaugeTest, SettersRepaintTheInsideWithoutErasingEvenForTheSameValue)
{
    const RECT inside{1, 1, W - 1, H - 1};
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(SendMessageA(gauge, GAM_SETPERCENT, 30, 0), 1);
        EXPECT_TRUE(UpdateRegionIs(gauge, {inside})) << "round " << round;
        EXPECT_FALSE(PaintErases(gauge));

        EXPECT_EQ(SendMessageA(gauge, GAM_SETCOLOR, 0, kRed), 1);
        EXPECT_TRUE(UpdateRegionIs(gauge, {inside})) << "round " << round;
        EXPECT_FALSE(PaintErases(gauge));
    }
}

TEST_F(GaugeTest, FontIsKeptRedrawnOnRequestAndPlacesTheTextByTheHeightOfX)
{
    HFONT tall = MakeFont(30);
    ASSERT_NE(tall, nullptr);
    ASSERT_GT(LetterHeight(tall), LetterHeight(nullptr) + 8);
    EXPECT_EQ(SendMessageA(gauge, WM_GETFONT, 0, 0), 0);

    EXPECT_EQ(SendMessageA(gauge, WM_SETFONT, reinterpret_cast<WPARAM>(tall), 0), 0);
    EXPECT_TRUE(UpdateRegionIs(gauge, {})) << "no redraw asked for";
    EXPECT_EQ(SendMessageA(gauge, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(tall));

    SendMessageA(gauge, WM_SETFONT, reinterpret_cast<WPARAM>(tall), 1);
    EXPECT_TRUE(UpdateRegionIs(gauge, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(gauge));
    EXPECT_TRUE(Shows(ScanInk(gauge, 1, kBlue), " 0% ", tall)) << "higher up, in the tall font";

    SendMessageA(gauge, WM_SETFONT, 0, 1);
    EXPECT_EQ(SendMessageA(gauge, WM_GETFONT, 0, 0), 0);
    PaintNow(gauge);
    EXPECT_TRUE(Shows(ScanInk(gauge, 1, kBlue), " 0% ")) << "font 0 is the system font again";
    DeleteObject(tall);
}

TEST_F(GaugeTest, PrintClientDrawsTheSameImageAndRestoresTheContext)
{
    HFONT font = MakeFont(20);
    SendMessageA(gauge, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SetPercent(50);
    Repaint();
    HDC screen = GetDC(gauge);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, W, H);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), dcFont = GetCurrentObject(dc, OBJ_FONT);
    RECT all{0, 0, W, H};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    SendMessageA(gauge, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), dcFont);
    int differ = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            differ += GetPixel(dc, x, y) != GetPixel(screen, x, y);
    EXPECT_EQ(differ, 0);

    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(gauge, screen);
    DestroyWindow(gauge);
    DeleteObject(font);
}

TEST(GaugeResources, CreatePaintDestroyLeavesNoObjectAndKeepsTheFont)
{
    ParentWindow parent;
    HFONT font = MakeFont(14);
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 10, 10, 120, 24);
    SendMessageA(gauge, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    SendMessageA(gauge, GAM_SETPERCENT, 40, 0);
    PaintNow(gauge);
    DestroyWindow(gauge);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
    EXPECT_EQ(counter.Created(), 0u) << "the gauge paints with shared and stock objects only";
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "the application's font stays valid";
    EXPECT_TRUE(DeleteObject(font));
}
