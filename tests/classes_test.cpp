// Tables over every control class: no GDI object outlives a control that was
// driven through its drawing, and every setter that answers the previous
// setting does.  A new class joins by adding its rows.
#include "gdicount.h"
#include "ztest.h"

#include <utility>

using namespace ztest;

namespace {

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageA(hwnd, msg, wParam, lParam);
}

// A complete packed 24-bit DIB of 2 x 2 pixels, alive for the whole program.
HGLOBAL SmallDIB()
{
    static HGLOBAL dib = [] {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 16);
        *static_cast<BITMAPINFOHEADER*>(GlobalLock(block)) = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        GlobalUnlock(block);
        return block;
    }();
    return dib;
}

struct Drive {
    const char* name;
    const char* className;
    DWORD style;
    int w, h;
    void (*drive)(HWND);  // what makes it create and select objects
    size_t created;       // at least this many objects made along the way
};

const Drive kDrives[] = {
    {"SliderH", ZTC_SLIDER_H_CLASS, SLS_BORDER, 100, 30, [](HWND s) {
         Send(s, MBM_SETTICKS, 4);
         Send(s, MBM_SETLABELS, 1);  // a font for the labels
     }, 1},
    {"SliderV", ZTC_SLIDER_V_CLASS, SLS_BORDER, 30, 100, [](HWND s) { Send(s, SLM_SETTICKS, 4); }, 0},
    {"VUMeter", ZTC_VU_H_CLASS, 0, 120, 24, [](HWND m) { Send(m, VUM_SETLEVEL, 250); }, 3},
    {"Gauge", ZTC_GAUGE_CLASS, 0, 120, 24, [](HWND g) { Send(g, GAM_SETPERCENT, 40); }, 0},
    {"BitmapButton", ZTC_BMPBTN_CLASS, 0, 40, 30, [](HWND b) {
         Send(b, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(CreateBitmap(20, 10, 1, 32, nullptr)));
         Send(b, WM_LBUTTONDOWN);
         Send(b, WM_LBUTTONUP);
     }, 2},
    {"MultiScroll", ZTC_MUSCROLL_CLASS, MSS_VERT, 20, 40, [](HWND ms) {  // each of these repaints at once
         Mouse(ms, WM_LBUTTONDOWN, 10, 30);
         Mouse(ms, WM_MOUSEMOVE, 10, 5);
         Mouse(ms, WM_LBUTTONUP, 10, 5);
         Send(ms, WM_ENABLE, FALSE);
     }, 0},
    {"DIBView", ZTC_DIBVIEW_CLASS, 0, 300, 200, [](HWND v) { Send(v, DVM_SETDIB, reinterpret_cast<WPARAM>(SmallDIB())); }, 0},
    {"DIBViewCentred", ZTC_DIBVIEW_CLASS, DVS_CENTER, 300, 200,
     [](HWND v) { Send(v, DVM_SETDIB, reinterpret_cast<WPARAM>(SmallDIB())); }, 0},
    {"Toolbar", ZTC_TOOLBAR_CLASS, 0, 300, 29, [](HWND t) {  // its control brush, a paint's brush and pen
         for (UINT type : {TBT_PUSH, TBT_CHECK, TBT_EDIT, TBT_COMBO, TBT_BUTTONCTL, TBT_DRAGGER})
             ToolBar_AddTool(t, type, 0xFFFFFFFF, type, 40, 22, "", nullptr, 0, TDD_GLYPH);
         Mouse(t, WM_LBUTTONDOWN, 30, 10);  // the check button, checked by the click
         Mouse(t, WM_LBUTTONUP, 30, 10);
     }, 3},
    {"Dragger", ZTC_DRAGGER_CLASS, 0, 40, 40,
     [](HWND d) { Send(d, DRM_SETBITMAP, reinterpret_cast<WPARAM>(CreateBitmap(20, 10, 1, 32, nullptr))); }, 0},
};

class Leaks : public ::testing::TestWithParam<Drive> {};

}  // namespace

TEST_P(Leaks, DrivePaintDestroyLeavesNoObjectBehind)
{
    const Drive& d = GetParam();
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND control = parent.CreateChild(d.className, d.style, 10, 10, d.w, d.h);
    ASSERT_NE(control, nullptr);
    d.drive(control);
    SetFocus(control);
    PaintNow(control);
    DestroyWindow(control);
    EXPECT_GE(counter.Created(), d.created);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}

INSTANTIATE_TEST_SUITE_P(EveryClass, Leaks, ::testing::ValuesIn(kDrives),
                         [](const ::testing::TestParamInfo<Drive>& info) { return std::string(info.param.name); });

// Each setter is sent `first` and then `second`; it answers the setting it
// found: `before` (the default), then what `first` made of it.
TEST(SetterResults, EverySetterThatAnswersThePreviousSettingDoes)
{
    ParentWindow parent, other(200, 100);
    const auto word = [](HWND w) { return static_cast<LRESULT>(LOWORD(reinterpret_cast<UINT_PTR>(w))); };
    const auto window = [](ParentWindow& w) { return reinterpret_cast<WPARAM>(w.hwnd()); };
    const struct { const char* className; UINT msg; WPARAM first, second; LRESULT before, after; } rows[] = {
        {ZTC_SLIDER_H_CLASS, MBM_SETTICKS, 5, 7, 0, 5},
        {ZTC_SLIDER_H_CLASS, MBM_SETLABELS, 1, 0, 0, 1},
        {ZTC_SLIDER_H_CLASS, MBM_SETUSERVALUE, static_cast<WPARAM>(-9), 4, 0, -9},
        {ZTC_SLIDER_V_CLASS, SLM_SETTICKS, 5, 7, 0, 5},
        {ZTC_SLIDER_V_CLASS, SLM_SETTHUMBSIZE, 12, 6, 8, 12},
        {ZTC_MUSCROLL_CLASS, MSM_SETVALUE, 2, 8, 5, 2},
        {ZTC_MUSCROLL_CLASS, MSM_SETNOLIMITNOTIFY, 7, 0, 0, 1},
        {ZTC_MUSCROLL_CLASS, MSM_SETREVERSE, 7, 0, 0, 1},
        {ZTC_MUSCROLL_CLASS, MSM_SETTARGET, window(other), window(parent), word(parent.hwnd()), word(other.hwnd())},
        {ZTC_TOOLBAR_CLASS, TBM_SETASSOCIATE, window(other), 0, static_cast<LRESULT>(window(parent)),
         static_cast<LRESULT>(window(other))},
    };
    for (const auto& r : rows) {
        HWND control = parent.CreateChild(r.className, 0, 10, 10, 60, 60);
        EXPECT_EQ(Send(control, r.msg, r.first), r.before) << r.className << ", message " << r.msg;
        EXPECT_EQ(Send(control, r.msg, r.second), r.after) << r.className << ", message " << r.msg;
        DestroyWindow(control);
    }
}
