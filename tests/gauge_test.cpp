// Gauge: the bar and its boundary, the two-coloured text, the bar colour, the
// setters' invalidation and the font.
#include "ztest.h"

#include <climits>

using namespace ztest;

namespace {

const COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);

// A gauge 102 x 40: the boundary x = 1 + percent * 102 / 100, so 50 % puts
// it at 52, filling columns 1..51 and leaving 52..100 empty.
class GaugeTest : public ::testing::Test {
protected:
    static constexpr int W = 102, H = 40, RefX = 200;
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) { return SendMessageA(gauge, msg, wParam, lParam); }
    // How many pixels inside the frame break this rule: those other than
    // their part's paper (the bar colour left of x, the window colour from x
    // on) are exactly the ink of `text` written once in `font` (black on
    // white, on the parent beside the gauge), centred, its top at
    // (H - height of "X") / 2.  Counts the text's pixels in the window colour
    // left of x (ink[0]) and in the bar colour from x on (ink[1]).
    int Differ(const char* text, int x, COLORREF bar, HFONT font = nullptr)
    {
        HDC dc = GetDC(gauge), ref = GetDC(parent.hwnd());
        SelectObject(ref, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        SIZE letter{};
        GetTextExtentPoint32A(ref, "X", 1, &letter);
        SetTextAlign(ref, TA_CENTER | TA_TOP);
        const RECT all{RefX, 0, RefX + W, H};
        ExtTextOutA(ref, RefX + W / 2, (H - letter.cy) / 2, ETO_OPAQUE, &all, text, lstrlenA(text), nullptr);
        int differ = ink[0] = ink[1] = 0;
        for (int py = 1; py < H - 1; ++py)
            for (int px = 1; px < W - 1; ++px) {
                const COLORREF c = GetPixel(dc, px, py);
                differ += (c != (px < x ? bar : window)) != (GetPixel(ref, RefX + px, py) != RGB(255, 255, 255));
                ink[px >= x] += c == (px < x ? window : bar);
            }
        ReleaseDC(parent.hwnd(), ref);
        ReleaseDC(gauge, dc);
        return differ;
    }

    ParentWindow parent;
    HWND gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 10, 10, W, H);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    int ink[2] = {};
};

}  // namespace

// The bar colour comes from lParam alone.  The first row sends nothing: the
// fresh gauge shows 0 % in its own blue.
TEST_F(GaugeTest, BarFillsToTheBoundaryWithinTheFrameAndTheTextChangesColourThere)
{
    struct Row { LONG percent; int x; const char* text; WPARAM w; LPARAM l; COLORREF bar; };
    for (const Row& r : std::initializer_list<Row>{
             {0, 1, " 0% ", 0, 0, kBlue}, {50, 52, " 50% ", 0, kRed, kRed}, {100, 101, " 100% ", kRed, 0, RGB(0, 0, 0)},
             {150, 101, " 150% ", 0, kBlue, kBlue}, {-5, 1, " -5% ", 0, kBlue, kBlue},
             {INT_MAX, 101, " 2147483647% ", 0, kBlue, kBlue}, {INT_MIN, 1, " -2147483648% ", 0, kBlue, kBlue}}) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.percent ? Send(GAM_SETPERCENT, static_cast<WPARAM>(r.percent), 0) : 1, 1);
        EXPECT_EQ(r.percent ? Send(GAM_SETCOLOR, r.w, r.l) : 1, 1);
        RedrawWindow(gauge, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        for (RECT edge : {RECT{0, 0, W, 1}, RECT{0, H - 1, W, H}, RECT{0, 0, 1, H}, RECT{W - 1, 0, W, H}})
            EXPECT_TRUE(AreaIs(gauge, edge, GetSysColor(COLOR_WINDOWTEXT))) << "the frame";
        EXPECT_EQ(Differ(r.text, r.x, r.bar), 0);
        // Text in the window colour over the bar, in the bar colour beyond it.
        EXPECT_TRUE((ink[0] > 0) == (r.x > 1) && (ink[1] > 0) == (r.x < W - 1)) << ink[0] << ", " << ink[1];
    }
}

TEST_F(GaugeTest, SettersRepaintOnlyTheInsideWithoutErasingEvenForTheSameValue)
{
    for (UINT msg : {GAM_SETPERCENT, GAM_SETPERCENT, GAM_SETCOLOR, GAM_SETCOLOR}) {
        Send(msg, 30, 30);
        EXPECT_TRUE(UpdateRegionIs(gauge, {RECT{1, 1, W - 1, H - 1}})) << msg;
        EXPECT_FALSE(PaintErases(gauge)) << msg;
    }
}

TEST_F(GaugeTest, FontIsKeptAndRedrawnOnlyOnRequest)
{
    HFONT tall = CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial");
    EXPECT_EQ(Send(WM_SETFONT, reinterpret_cast<WPARAM>(tall), 0), 0);
    EXPECT_TRUE(UpdateRegionIs(gauge, {})) << "no redraw asked for";
    EXPECT_EQ(Send(WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(tall));
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(tall), 1);
    EXPECT_TRUE(UpdateRegionIs(gauge, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(gauge));
    EXPECT_EQ(Differ(" 0% ", 1, kBlue, tall), 0) << "placed by the height of X in the tall font";
    Send(WM_SETFONT, 0, 1);
    PaintNow(gauge);
    EXPECT_EQ(Differ(" 0% ", 1, kBlue), 0) << "font 0: the system font again";
    EXPECT_TRUE(DeleteObject(tall)) << "the application's font stays valid";
}
