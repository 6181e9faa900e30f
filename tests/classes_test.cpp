// Tables over every control class and every family of exports: many
// create -> drive -> destroy cycles leave no handle of any kind behind, and
// every setter that answers the previous setting does.  A new class joins by
// adding its rows.
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

#include <cstring>
#include <utility>

using namespace ztest;

namespace {

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageA(hwnd, msg, wParam, lParam);
}

// A complete packed 24-bit DIB of w x h pixels in a new movable block.
HGLOBAL NewDIB(int w = 2, int h = 2)
{
    const SIZE_T bits = static_cast<SIZE_T>((w * 3 + 3) & ~3) * h;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + bits);
    *static_cast<BITMAPINFOHEADER*>(GlobalLock(block)) = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(block);
    return block;
}

// One for the whole program, for the views (which do not own their DIBs).
HGLOBAL SmallDIB()
{
    static HGLOBAL dib = NewDIB();
    return dib;
}

// A bitmap handed over to the library, which will delete it.
WPARAM Given(GdiCounter& counter, HANDLE h)
{
    counter.Give(h);
    return reinterpret_cast<WPARAM>(h);
}

struct ClassRow {
    const char* name;
    const char* className;
    DWORD style;
    int w, h;
    void (*drive)(HWND, GdiCounter&);  // what makes it create and select objects
};

const ClassRow kClasses[] = {
    {"SliderH", ZTC_SLIDER_H_CLASS, SLS_BORDER | SLS_NOTIFY, 100, 30, [](HWND s, GdiCounter&) {
         Send(s, MBM_SETTICKS, 4);
         Send(s, MBM_SETLABELS, 1);  // a font for the labels
         Mouse(s, WM_LBUTTONDOWN, 50, 5);
         Mouse(s, WM_LBUTTONUP, 50, 5);
     }},
    {"SliderV", ZTC_SLIDER_V_CLASS, SLS_NOTIFY, 30, 100, [](HWND s, GdiCounter&) {
         Send(s, SLM_SETTICKS, 4);
         Send(s, WM_KEYDOWN, VK_HOME);
     }},
    {"VUMeter", ZTC_VU_H_CLASS, 0, 120, 24, [](HWND m, GdiCounter&) { Send(m, VUM_SETLEVEL, 250); }},
    {"Gauge", ZTC_GAUGE_CLASS, 0, 120, 24, [](HWND g, GdiCounter&) { Send(g, GAM_SETPERCENT, 40); }},
    {"BitmapButton", ZTC_BMPBTN_CLASS, 0, 40, 30, [](HWND b, GdiCounter& c) {
         Send(b, BBM_SETBITMAP, 0, Given(c, CreateBitmap(20, 10, 1, 32, nullptr)));
         Send(b, BBM_SETBITMAP, 0, Given(c, CreateBitmap(20, 10, 1, 32, nullptr)));
         Send(b, WM_LBUTTONDOWN);
         Send(b, WM_LBUTTONUP);
     }},
    {"MultiScroll", ZTC_MUSCROLL_CLASS, MSS_VERT, 20, 40, [](HWND ms, GdiCounter&) {  // each repaints at once
         Mouse(ms, WM_LBUTTONDOWN, 10, 30);
         Mouse(ms, WM_MOUSEMOVE, 10, 5);
         Send(ms, WM_TIMER, 500);
         Mouse(ms, WM_LBUTTONUP, 10, 5);
         Send(ms, WM_ENABLE, FALSE);
     }},
    {"DIBView", ZTC_DIBVIEW_CLASS, 0, 300, 200, [](HWND v, GdiCounter&) { Send(v, DVM_SETDIB, reinterpret_cast<WPARAM>(SmallDIB())); }},
    {"DIBViewCentred", ZTC_DIBVIEW_CLASS, DVS_CENTER, 300, 200,
     [](HWND v, GdiCounter&) { Send(v, DVM_SETDIB, reinterpret_cast<WPARAM>(SmallDIB())); }},
    {"Toolbar", ZTC_TOOLBAR_CLASS, 0, 300, 29, [](HWND t, GdiCounter&) {  // its control brush, a paint's brush and pen
         for (UINT type : {TBT_PUSH, TBT_CHECK, TBT_EDIT, TBT_COMBO, TBT_BUTTONCTL, TBT_DRAGGER})
             ToolBar_AddTool(t, type, 0xFFFFFFFF, type, 40, 22, "", nullptr, 0, TDD_GLYPH);
         Mouse(t, WM_LBUTTONDOWN, 30, 10);  // the check button, checked by the click
         Mouse(t, WM_LBUTTONUP, 30, 10);
     }},
    {"Dragger", ZTC_DRAGGER_CLASS, 0, 40, 40, [](HWND d, GdiCounter& c) {
         Send(d, DRM_SETBITMAP, Given(c, CreateBitmap(20, 10, 1, 32, nullptr)));
         Send(d, DRM_SETDIB, Given(c, NewDIB()));
         Send(d, DRM_SETDIB, Given(c, NewDIB()));
     }},
};

// Creates the control, drives it, paints and prints it, destroys it.
void ClassCycle(const ClassRow& row, HWND parent, GdiCounter& counter)
{
    HWND control = CreateWindowExA(0, row.className, "", WS_CHILD | WS_VISIBLE | row.style, 10, 10, row.w, row.h,
                                   parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    row.drive(control, counter);
    SetFocus(control);
    PaintNow(control);
    Surface print(row.w, row.h);
    Send(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(print.dc()), PRF_CLIENT);
    DestroyWindow(control);
}

// The About box, closed from inside its modal loop as soon as it is up.
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND box = FindWindowA(reinterpret_cast<LPCSTR>(WC_DIALOG), nullptr);
        box && GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId()) {
        UpdateWindow(box);
        Send(box, WM_COMMAND, IDCANCEL);
    }
}

// Each export family's cycle, with what it makes and releases.
struct FamilyRow {
    const char* name;
    void (*cycle)(HWND parent, GdiCounter&);
};

const FamilyRow kFamilies[] = {
    {"StatusLine", [](HWND, GdiCounter&) {
         static const int widths[] = {60, 80, 0};
         ParentWindow frame(300, 120);
         ASSERT_TRUE(StatusLine_Create(frame.hwnd(), 3, widths));
         StatusLine_SetText(frame.hwnd(), 1, "text");
         StatusLine_PushText(frame.hwnd(), "pushed");
         StatusLine_PopText(frame.hwnd());
         StatusLine_Enable(frame.hwnd(), FALSE);
         StatusLine_Enable(frame.hwnd(), TRUE);
         PaintNow(frame.hwnd());
     }},
    {"AboutBox", [](HWND parent, GdiCounter&) {
         const UINT_PTR timer = SetTimer(nullptr, 0, 1, CloseAboutBox);
         AboutBox(parent, Library(), nullptr, "About");
         KillTimer(nullptr, timer);
     }},
    {"MenuEntry", [](HWND, GdiCounter&) {
         ParentWindow frame(200, 100);
         SetMenu(frame.hwnd(), CreateMenu());
         ASSERT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 10));
     }},
    {"DrawDIB", [](HWND, GdiCounter&) {
         Surface s(40, 30);
         DrawDIB(s.dc(), SmallDIB(), 1, 2, 30, 20);
     }},
    {"SysColorChange", [](HWND, GdiCounter&) { ZTC_SysColorChange(); }},
    {"ToolButtons", [](HWND, GdiCounter&) {
         Surface s(30, 30);
         for (UINT state : {2u, 3u, 4u, 11u, 13u, 26u, 0x0F02u})
             ToolBtn_Draw(s.dc(), 1, 1, 24, 22, nullptr, 0, 0, 1, state);
     }},
    {"Placement", [](HWND parent, GdiCounter&) {
         char file[MAX_PATH];
         GetTempPathA(MAX_PATH, file);
         lstrcatA(file, "ztc_leaks.ini");
         ZTC_SaveWndPos(parent, "Windows", nullptr, file);
         ZTC_LoadWndPos(parent, "Windows", nullptr, file, SW_SHOWNORMAL);
         ZTC_SeeWindow(parent);
         ZTC_CenterWindow(parent, nullptr);
     }},
};

// A cycle of either table, for the leak and thread tests.
struct Cycle {
    std::string name;
    std::function<void(HWND, GdiCounter&)> run;
};

std::vector<Cycle> EveryCycle()
{
    std::vector<Cycle> all;
    for (const ClassRow& row : kClasses)
        all.push_back({row.name, [&row](HWND p, GdiCounter& c) { ClassCycle(row, p, c); }});
    for (const FamilyRow& row : kFamilies)
        all.push_back({row.name, row.cycle});
    return all;
}

void PrintTo(const Cycle& c, std::ostream* os)
{
    *os << c.name;
}

class Leaks : public ::testing::TestWithParam<Cycle> {};

}  // namespace

// The first cycle makes the one-time objects (a cached brush, a shared
// font); after it no kind of handle grows and nothing is released that the
// library did not hold.
TEST_P(Leaks, ManyCyclesLeaveNoHandleOfAnyKindBehind)
{
    const Cycle& c = GetParam();
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    c.run(parent.hwnd(), counter);
    counter.Settle();
    const int cycles = Scaled(25, 100000);
    for (int i = 0; i < cycles && !HasFatalFailure(); ++i)
        c.run(parent.hwnd(), counter);
    PumpMessages();
    EXPECT_EQ(counter.Growth(), "nothing") << "after " << cycles << " cycles: " << counter.Describe();
    EXPECT_EQ(counter.Strays(), "nothing");
}

INSTANTIATE_TEST_SUITE_P(EveryClassAndFamily, Leaks, ::testing::ValuesIn(EveryCycle()),
                         [](const ::testing::TestParamInfo<Cycle>& info) { return info.param.name; });

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
