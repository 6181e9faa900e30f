// Tables over every control class and every family of exports: many
// create -> drive -> destroy cycles leave no handle of any kind behind, and
// every setter that answers the previous setting does.  A new class joins by
// adding its rows.
#include "freewatch.h"
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <utility>

using namespace ztest;

namespace {

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(w, msg, wp, lp); }

// One for the whole program, for the views (which do not own their DIBs).
HGLOBAL SmallDIB() { static const HGLOBAL dib = NewDIB(2, 2); return dib; }
void ShowSmallDIB(HWND view, GdiCounter&) { Send(view, DVM_SETDIB, reinterpret_cast<WPARAM>(SmallDIB())); }

// A bitmap or DIB handed over to the library, which will delete it.
WPARAM Given(GdiCounter& counter, HANDLE h) { return counter.Give(h), reinterpret_cast<WPARAM>(h); }

// What a message parameter carries, for the fuzzer: a value, a client
// point, a key, nothing, or a handle or record it gives a real (or null, or
// stale, or malformed) object for.  Bitmaps and DIBs are handed over to the
// control; the views' DIBs stay the fuzzer's.  A tool record, a message for
// a tool's control.
enum class Arg { Value, Point, Key, Null, Window, DC, Font, Bitmap, DIB, ViewDIB, Tool, Forward };

struct Param { UINT msg; Arg w = Arg::Value, l = Arg::Value; };

// Every kind of toolbar tool, the check button first; a custom tool of the
// static class.
const UINT kToolKinds[] = {TBT_CHECK, TBT_PUSH,   TBT_RADIO,     TBT_SEPARATOR, TBT_EDIT,  TBT_DROPLIST,
                           TBT_COMBO, TBT_STATIC, TBT_BUTTONCTL, TBT_DRAGGER,   TBT_CUSTOM};

// A control class, or (without a class name) a family of exports whose
// drive is its whole cycle, given the parent window.
struct Row {
    const char* name;
    const char* className;
    DWORD style;
    int w, h;
    void (*drive)(HWND, GdiCounter&);  // what makes it create and select objects
    std::vector<Param> handles = {};   // its own messages that carry handles
    bool oneThread = false;            // replaces what other threads draw with, or meets Wine's limits
};

// The About box of this thread, painted and closed from inside its modal
// loop as soon as it is up.
BOOL CALLBACK CloseDialog(HWND box, LPARAM)
{
    if (GetClassWord(box, GCW_ATOM) != LOWORD(WC_DIALOG))
        return TRUE;
    UpdateWindow(box);
    Send(box, WM_COMMAND, IDCANCEL);
    return FALSE;
}

// Hot keys and the mouse hook, set and removed.
void TakeAndGiveBackHooks(HWND w, GdiCounter&)
{
    static const UINT keys[] = {'A', VK_F6};
    ZTC_SetHotKeys(w, WM_APP, 2, keys);
    ZTC_SetMouseHook(w, WM_APP, w);
    ZTC_KillHotKeys(w);
    ZTC_SetMouseHook(nullptr, 0, nullptr);
}

void Click(HWND w, int x, int y) { Mouse(w, WM_LBUTTONDOWN, x, y), Mouse(w, WM_LBUTTONUP, x, y); }

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0); }

const Row kRows[] = {
    {"SliderH", ZTC_SLIDER_H_CLASS, SLS_BORDER | SLS_NOTIFY, 100, 30, [](HWND s, GdiCounter&) {
         Send(s, MBM_SETTICKS, 4);
         Send(s, MBM_SETLABELS, 1);  // a font for the labels
         Click(s, 50, 5);
     }},
    {"SliderV", ZTC_SLIDER_V_CLASS, SLS_NOTIFY, 30, 100, [](HWND s, GdiCounter&) {
         Send(s, SLM_SETTICKS, 4);
         Send(s, WM_KEYDOWN, VK_HOME);
     }},
    {"VUMeter", ZTC_VU_H_CLASS, 0, 120, 24, [](HWND m, GdiCounter&) { Send(m, VUM_SETLEVEL, 250); }},
    {"Gauge", ZTC_GAUGE_CLASS, 0, 120, 24, [](HWND g, GdiCounter&) { Send(g, GAM_SETPERCENT, 40); }},
    {"BitmapButton", ZTC_BMPBTN_CLASS, 0, 40, 30, [](HWND b, GdiCounter& c) {
         for (int i = 0; i < 2; ++i)
             Send(b, BBM_SETBITMAP, 0, Given(c, CreateBitmap(20, 10, 1, 32, nullptr)));
         Click(b, 0, 0);
     }, {{BBM_SETBITMAP, Arg::Value, Arg::Bitmap}}},
    {"MultiScroll", ZTC_MUSCROLL_CLASS, MSS_VERT, 20, 40, [](HWND ms, GdiCounter&) {  // each repaints at once
         Mouse(ms, WM_LBUTTONDOWN, 10, 30);
         Mouse(ms, WM_MOUSEMOVE, 10, 5);
         Send(ms, WM_TIMER, 500);
         Mouse(ms, WM_LBUTTONUP, 10, 5);
         Send(ms, WM_ENABLE, FALSE);
     }, {{MSM_SETTARGET, Arg::Window}}},
    {"DIBView", ZTC_DIBVIEW_CLASS, 0, 300, 200, ShowSmallDIB, {{DVM_SETDIB, Arg::ViewDIB}}},
    {"DIBViewCentred", ZTC_DIBVIEW_CLASS, DVS_CENTER, 300, 200, ShowSmallDIB, {{DVM_SETDIB, Arg::ViewDIB}}},
    {"Toolbar", ZTC_TOOLBAR_CLASS, 0, 300, 29, [](HWND t, GdiCounter&) {  // its control brush, a paint's brush and pen
         for (UINT type : kToolKinds)
             ToolBar_AddTool(t, type, 0xFFFFFFFF, type, 40, 22, "", nullptr, 0, TDD_GLYPH);
         Click(t, 30, 10);  // the check button, checked by the click
         ToolBar_RemoveTool(t, TBT_EDIT);
         ToolBar_Show(t, TBT_COMBO, FALSE);
     }, {{TBM_SETASSOCIATE, Arg::Window}, {TBM_ADDTOOL, Arg::Value, Arg::Tool},
         {TBM_SENDMESSAGE, Arg::Value, Arg::Forward}}},
    {"Dragger", ZTC_DRAGGER_CLASS, 0, 40, 40, [](HWND d, GdiCounter& c) {
         Send(d, DRM_SETBITMAP, Given(c, CreateBitmap(20, 10, 1, 32, nullptr)));
         for (int i = 0; i < 2; ++i)
             Send(d, DRM_SETDIB, Given(c, NewDIB(2, 2)));
     }, {{DRM_SETDIB, Arg::DIB}, {DRM_SETBITMAP, Arg::Bitmap}}},
    {"StatusLine", nullptr, 0, 0, 0, [](HWND, GdiCounter&) {
         static const int widths[] = {60, 80, 0};
         ParentWindow frame(300, 120);
         const HWND f = frame.hwnd();
         ASSERT_TRUE(StatusLine_Create(f, 3, widths));
         StatusLine_SetText(f, 1, "text"), StatusLine_PushText(f, "pushed"), StatusLine_PopText(f);
         StatusLine_Enable(f, FALSE), StatusLine_Enable(f, TRUE);
         PaintNow(f);
     }},
    {"AboutBox", nullptr, 0, 0, 0, [](HWND parent, GdiCounter&) {
         const UINT_PTR timer = SetTimer(nullptr, 0, 1, CloseAboutBox);
         AboutBox(parent, Library(), nullptr, "About");
         KillTimer(nullptr, timer);
     }},
    {"MenuEntry", nullptr, 0, 0, 0, [](HWND, GdiCounter&) {
         ParentWindow frame(200, 100);
         SetMenu(frame.hwnd(), CreateMenu());
         ASSERT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 10));
     }, {}, true},  // Wine's menus made and destroyed on several threads at once go wrong by themselves
    {"DrawDIB", nullptr, 0, 0, 0, [](HWND, GdiCounter&) { DrawDIB(Surface(40, 30).dc(), SmallDIB(), 1, 2, 30, 20); }},
    {"SysColorChange", nullptr, 0, 0, 0, [](HWND, GdiCounter&) { ZTC_SysColorChange(); }, {}, true},
    {"ToolButtons", nullptr, 0, 0, 0, [](HWND, GdiCounter&) {
         const Surface s(30, 30);
         for (UINT state : {2u, 3u, 4u, 11u, 13u, 26u, 0x0F02u})
             ToolBtn_Draw(s.dc(), 1, 1, 24, 22, nullptr, 0, 0, 1, state);
     }},
    {"Hooks", nullptr, 0, 0, 0, TakeAndGiveBackHooks},
    {"Placement", nullptr, 0, 0, 0, [](HWND parent, GdiCounter&) {
         char file[MAX_PATH];
         GetTempPathA(MAX_PATH, file);
         lstrcatA(file, "ztc_leaks.ini");
         ZTC_SaveWndPos(parent, "Windows", nullptr, file);
         ZTC_LoadWndPos(parent, "Windows", nullptr, file, SW_SHOWNORMAL);
         ZTC_SeeWindow(parent), ZTC_CenterWindow(parent, nullptr);
     }},
};

// Creates the control, drives it, paints and prints it, destroys it; or
// runs the family's cycle.
void Cycle(const Row& row, HWND parent, GdiCounter& counter)
{
    if (!row.className)
        return row.drive(parent, counter);
    HWND control = CreateWindowExA(0, row.className, "", WS_CHILD | WS_VISIBLE | row.style, 10, 10, row.w, row.h,
                                   parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    row.drive(control, counter);
    SetFocus(control);
    PaintNow(control);
    Send(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Surface(row.w, row.h).dc()), PRF_CLIENT);
    DestroyWindow(control);
}

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
std::string Name(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

class Leaks : public ::testing::TestWithParam<Row> {};

}  // namespace

// The first cycle makes the one-time objects (a cached brush, a shared
// font); after it no kind of handle grows and nothing is released that the
// library did not hold.
TEST_P(Leaks, ManyCyclesLeaveNoHandleOfAnyKindBehind)
{
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    Cycle(GetParam(), parent.hwnd(), counter);
    counter.Settle();
    const int cycles = Scaled(25, 100000);
    for (int i = 0; i < cycles && !HasFatalFailure(); ++i)
        Cycle(GetParam(), parent.hwnd(), counter);
    PumpMessages();
    EXPECT_EQ(counter.Growth(), "nothing") << "after " << cycles << " cycles: " << counter.Describe();
    EXPECT_EQ(counter.Strays(), "nothing");
}

INSTANTIATE_TEST_SUITE_P(EveryClassAndFamily, Leaks, ::testing::ValuesIn(kRows), Name);

// ---- A seeded message fuzzer per class -------------------------------------------

namespace {

// Messages any window may get, with what their parameters carry.
constexpr Arg V = Arg::Value, P = Arg::Point, K = Arg::Key, N = Arg::Null, W = Arg::Window;
const Param kStandard[] = {
    {WM_MOUSEMOVE, V, P},   {WM_LBUTTONDOWN, V, P}, {WM_LBUTTONUP, V, P},       {WM_LBUTTONDBLCLK, V, P},
    {WM_RBUTTONDOWN, V, P}, {WM_MBUTTONUP, V, P},   {WM_KEYDOWN, K},            {WM_KEYUP, K},
    {WM_CHAR, K},           {WM_SIZE, V, P},        {WM_TIMER, V, N},           {WM_ENABLE, V, N},
    {WM_SETFOCUS, W, N},    {WM_KILLFOCUS, W, N},   {WM_CANCELMODE, N, N},      {WM_CAPTURECHANGED, N, W},
    {WM_SETFONT, Arg::Font}, {WM_GETFONT, N, N},    {WM_PRINTCLIENT, Arg::DC},  {WM_ERASEBKGND, Arg::DC, N},
    {WM_PAINT, N, N},       {WM_GETDLGCODE, K, N},  {WM_SETCURSOR, W},          {WM_MOUSEACTIVATE, W},
    {WM_COMMAND, V, W},     {WM_SYSCOLORCHANGE, N, N}, {WM_NCHITTEST, N, P},    {WM_SHOWWINDOW, V},
    {WM_GETOBJECT, V, V},
};

const LONG_PTR kEdges[] = {0, 1, -1, INT_MIN, INT_MAX, 0x7FFF, 0x8000, 0xFFFF, 0x10000, OBJID_CLIENT};
const WPARAM kKeys[] = {VK_SPACE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN,
                        VK_TAB, VK_RETURN, VK_ESCAPE, 'A', 0, 0xFFFF};

// What the fuzzer did last, for the reproducer: messages, and actions as
// message 0 with the action's number in wParam.
struct Trail { char head[128]; Msg last[16]; unsigned count; } trail;

void Note(UINT msg, WPARAM w, LPARAM l) { trail.last[trail.count++ % 16] = Msg{msg, w, l}; }

void PrintTrail()
{
    std::fprintf(stderr, "%s, step %u; the last steps (message 0: action wParam):\n", trail.head, trail.count);
    for (unsigned i = trail.count > 16 ? trail.count - 16 : 0; i < trail.count; ++i)
        std::fprintf(stderr, "  %s\n", Describe(trail.last[i % 16]).c_str());
    std::fflush(stderr);
}

class Fuzzer {
public:
    Fuzzer(const Row& row, unsigned seed, GdiCounter& counter)
        : row_(row), rng_(seed), counter_(counter), parent_(400, 300), other_(100, 100)
    {
        Arm(parent_);
        DeleteObject(staleFont_);
        DestroyWindow(stale_);
    }
    ~Fuzzer()
    {
        DestroyWindow(control_);
        doomed_.reset();
        DeleteObject(font_);
        DeleteObject(strip_);
        for (HGLOBAL dib : viewDIBs_)
            GlobalFree(dib);
    }

    void Step()
    {
        if (!IsWindow(control_))
            Create();
        const unsigned pick = rng_() % 100;
        if (pick < 10)
            return Act(rng_() % 9);
        const Param p = pick < 55 ? Own() : kStandard[rng_() % std::size(kStandard)];
        const WPARAM w = Make(p.w);
        const auto l = static_cast<LPARAM>(Make(p.l));
        Note(p.msg, w, l);
        SendMessageA(control_, p.msg, w, l);
        if (trail.count % 256 == 0)
            parent_.log().Clear();
    }

private:
    // A receiver of the control's reports that sometimes destroys it.
    void Arm(ParentWindow& p)
    {
        for (UINT msg : {UINT(WM_COMMAND), UINT(WM_HSCROLL), UINT(WM_VSCROLL), UINT(WM_MENUSELECT),
                         RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME)})
            p.When(msg, [this](const Msg&) {
                if (rng_() % 16 == 0)
                    DestroyWindow(control_);
            });
    }

    // Mostly a child of the usual parent; else a window of its own, or a
    // child of a parent about to go.
    void Create()
    {
        const unsigned how = rng_() % 6;
        if (how == 1)
            doomed_ = std::make_unique<ParentWindow>(200, 100), Arm(*doomed_);
        const HWND owner = how == 0 ? nullptr : how == 1 ? doomed_->hwnd() : parent_.hwnd();
        const DWORD style = (owner ? WS_CHILD : WS_POPUP) | WS_VISIBLE | row_.style;
        control_ = CreateWindowExA(0, row_.className, "", style, 5, 5, row_.w, row_.h, owner,
                                   owner ? reinterpret_cast<HMENU>(100) : nullptr, nullptr, nullptr);
    }

    // Often one of the class's messages that carry handles, else mostly its
    // first messages, else any from WM_USER to WM_USER + 1001.
    Param Own()
    {
        if (!row_.handles.empty() && rng_() % 4 == 0)
            return row_.handles[rng_() % row_.handles.size()];
        const UINT msg = WM_USER + (rng_() % 2 ? rng_() % 16 : rng_() % 1002);
        for (const Param& p : row_.handles)
            if (p.msg == msg)
                return p;
        return Param{msg};
    }

    WPARAM Make(Arg a)
    {
        const unsigned r = rng_();
        const auto pick = [r](auto... h) {
            const WPARAM all[] = {reinterpret_cast<WPARAM>(h)...};
            return all[r % sizeof...(h)];
        };
        switch (a) {
        case Arg::Value:  // an edge, a small number (a tool id, an index) or anything
            return r % 3 == 0 ? static_cast<WPARAM>(kEdges[r / 3 % std::size(kEdges)])
                   : r % 3 == 1 ? r / 3 % 9 : static_cast<WPARAM>(static_cast<unsigned long long>(rng_()) << 32 | r);
        case Arg::Point:   return MAKELPARAM(Coordinate(), Coordinate());
        case Arg::Key:     return kKeys[r % std::size(kKeys)];
        case Arg::Null:    return 0;
        case Arg::Window:  return pick(HWND(), control_, parent_.hwnd(), other_.hwnd(), stale_);
        case Arg::DC:      return reinterpret_cast<WPARAM>(surface_.dc());
        case Arg::Font:    return pick(HGDIOBJ(), font_, staleFont_, GetStockObject(SYSTEM_FONT));
        case Arg::Bitmap:  return r % 4 ? Given(counter_, CreateBitmap(r % 40, r % 30, 1, 32, nullptr)) : 0;
        case Arg::DIB:     return r % 4 ? Given(counter_, OddDIB(r)) : 0;
        case Arg::ViewDIB: return r % 4 ? reinterpret_cast<WPARAM>(viewDIBs_.emplace_back(OddDIB(r))) : 0;
        case Arg::Tool:    return r % 4 ? reinterpret_cast<WPARAM>(OddTool(r)) : 0;
        case Arg::Forward:
            forward_ = ToolBarMessage{r % 2 ? UINT(WM_ENABLE) : UINT(WM_GETTEXTLENGTH), r % 3, 0};
            return r % 4 ? reinterpret_cast<WPARAM>(&forward_) : 0;
        }
        return 0;
    }

    WORD Coordinate() { return static_cast<WORD>(rng_() % 2 ? kEdges[rng_() % std::size(kEdges)] : rng_() % 200); }

    // A complete DIB, a block too short for a header, or a header of a wrong
    // size filled with 0xDEADBEEF.
    static HGLOBAL OddDIB(unsigned r)
    {
        if (r % 3 == 0)
            return NewDIB(1 + r % 64, 1 + r % 48);
        const SIZE_T size = r % 3 == 1 ? 4 : 256;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        auto* words = static_cast<DWORD*>(GlobalLock(block));
        std::fill(words, words + size / 4, 0xDEADBEEF);
        GlobalUnlock(block);
        return block;
    }

    // A tool of any kind with any sizes and place, or a record of a wrong
    // size (too short, or 0xDEADBEEF throughout).
    const ToolBarTool* OddTool(unsigned r)
    {
        static const char* const classes[] = {nullptr, "static", ZTC_GAUGE_CLASS, ZTC_TOOLBAR_CLASS};
        const auto value = [this] { return static_cast<UINT>(Make(Arg::Value)); };
        tool_ = ToolBarTool{sizeof tool_, kToolKinds[r % std::size(kToolKinds)], value(), r % 8,
                            static_cast<int>(value()), value(), r % 3 ? "ab" : nullptr, r % 5 ? nullptr : strip_,
                            static_cast<int>(value()), value(), 0, classes[r / 8 % 4]};
        if (r % 7 == 0)
            tool_.Size = 4;
        if (r % 7 == 1)
            std::fill_n(reinterpret_cast<DWORD*>(&tool_), sizeof tool_ / 4, 0xDEADBEEF);
        return &tool_;
    }

    // Resizes to nothing, a pixel or far beyond the screen; enabling, focus,
    // capture, queued messages, a paint, the end of the control or its parent.
    void Act(unsigned action)
    {
        Note(0, action, 0);
        static const SIZE sizes[] = {{0, 0}, {1, 1}, {30000, 30000}, {120, 40}};
        const SIZE size = sizes[rng_() % 4];
        switch (action) {
        case 0: SetWindowPos(control_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER); break;
        case 1: EnableWindow(control_, rng_() % 2); break;
        case 2: SetFocus(rng_() % 2 ? control_ : parent_.hwnd()); break;
        case 3: SetCapture(control_); break;
        case 4: ReleaseCapture(); break;
        case 5: PumpMessages(); break;
        case 6: UpdateWindow(control_); break;
        case 7: DestroyWindow(control_); break;
        case 8: doomed_.reset(); break;
        }
    }

    const Row& row_;
    std::mt19937 rng_;
    GdiCounter& counter_;
    ParentWindow parent_, other_;
    std::unique_ptr<ParentWindow> doomed_;
    HWND control_ = nullptr;
    HWND stale_ = CreateWindowExA(0, "static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    Surface surface_{32, 32};
    HFONT font_ = CreateFontA(12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT staleFont_ = CreateFontA(30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    std::vector<HGLOBAL> viewDIBs_;
    HBITMAP strip_ = CreateBitmap(64, 16, 1, 32, nullptr);
    ToolBarTool tool_{};
    ToolBarMessage forward_{};
};

class Fuzz : public ::testing::TestWithParam<Row> {};

}  // namespace

// A long random stream of the control's own messages, WM_USER to WM_USER +
// 1001, mouse, keys, timers, fonts, printing, resizes, focus and capture,
// with receivers of its reports that destroy it: no fault, no hang, no
// write into freed memory, no handle left behind.  ZTC_SEED changes the seeds.
TEST_P(Fuzz, ARandomMessageStreamNeitherFaultsNorHangsNorLeaks)
{
    const Row& row = GetParam();
    const char* base = std::getenv("ZTC_SEED");
    const unsigned seed = (base ? std::strtoul(base, nullptr, 0) : 0) + std::strlen(row.name) * 7919 + row.style;
    std::snprintf(trail.head, sizeof trail.head, "fuzzing %s with seed %u (ZTC_SEED=%s)", row.name, seed,
                  base ? base : "0");
    trail.count = 0;
    FreeWatch freed(Library());
    GdiCounter counter(Library());
    Cycle(row, ParentWindow().hwnd(), counter);
    counter.Settle();
    const FaultCount faults(PrintTrail);
    {
        Fuzzer fuzzer(row, seed, counter);
        Watchdog guard(20000, trail.head, PrintTrail);
        for (int i = Scaled(8000, 1000000); i > 0; --i) {
            fuzzer.Step();
            if (i % 64 == 0)
                guard.Pet();
        }
    }
    ClipCursor(nullptr);
    EXPECT_EQ(faults.Faults(), 0) << trail.head << " (the reproducer is on the error output)";
    EXPECT_EQ(counter.Growth(), "nothing") << trail.head;
    EXPECT_EQ(counter.Strays(), "nothing") << trail.head;
    EXPECT_EQ(freed.Written(), "nothing") << trail.head;
}

// The classes' rows come first.
const Row* const kClassesEnd =
    std::find_if(std::begin(kRows), std::end(kRows), [](const Row& r) { return !r.className; });
INSTANTIATE_TEST_SUITE_P(EveryClass, Fuzz, ::testing::ValuesIn(std::begin(kRows), kClassesEnd), Name);

// ---- Threads -------------------------------------------------------------------------

namespace {

// Runs body(0 .. n - 1) on n threads at once; this thread pumps its
// messages meanwhile, so that nothing sent to it waits.
void OnThreads(int n, const std::function<void(int)>& body)
{
    std::atomic<int> running = n;
    std::vector<std::thread> threads;
    for (int i = 0; i < n; ++i)
        threads.emplace_back([&, i] { body(i), --running; });
    while (running > 0)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT), PumpMessages();
    for (std::thread& t : threads)
        t.join();
}

}  // namespace

// Four threads run every cycle at once, each on windows of its own: no
// fault, and no handle left behind.
TEST(Threads, FourThreadsMakeDriveAndDestroyTheirOwnControlsAtOnce)
{
    GdiCounter counter(Library());
    for (const Row& row : kRows)
        Cycle(row, ParentWindow().hwnd(), counter);
    counter.Settle();
    const FaultCount faults;
    OnThreads(4, [&](int) {
        ParentWindow parent;
        for (int round = Scaled(3, 3000); round > 0; --round)
            for (const Row& row : kRows)
                if (!row.oneThread)
                    Cycle(row, parent.hwnd(), counter);
    });
    EXPECT_EQ(faults.Faults(), 0);
    EXPECT_EQ(counter.Growth(), "nothing");
    EXPECT_EQ(counter.Strays(), "nothing");
}

// All status lines share one font, made with the first and deleted with
// the last: frames come and go on four threads at once, and every one gets
// its status line.
TEST(Threads, StatusLinesComeAndGoOnFourThreadsAtOnce)
{
    GdiCounter counter(Library());
    std::atomic<int> refused = 0;
    OnThreads(4, [&](int) {
        const int widths[] = {0};
        for (int n = Scaled(200, 100000); n > 0; --n)
            refused += !StatusLine_Create(ParentWindow(100, 60).hwnd(), 1, widths);
    });
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(counter.Live("font"), 0u);
}

// The hot keys' list and the two hooks serve the whole process: windows
// of four threads take their hot keys and the mouse hook and give them
// back at once, and no hook or record is left.
TEST(Threads, HotKeysAndMouseHooksComeAndGoOnFourThreadsAtOnce)
{
    GdiCounter counter(Library());
    counter.Settle();
    OnThreads(4, [&](int) {
        const ParentWindow window(50, 50);
        for (int n = Scaled(1000, 1000000); n > 0; --n)
            TakeAndGiveBackHooks(window.hwnd(), counter);
    });
    ZTC_SetMouseHook(nullptr, 0, nullptr);
    EXPECT_EQ(counter.Growth(), "nothing");
    EXPECT_EQ(counter.Strays(), "nothing");
}

// Every bitmap button draws with the same glyph and mask DCs and dither
// brush.  Two threads paint theirs at once, a red and a blue glyph, while a
// third changes the system colours: each button shows its own glyph.
TEST(Threads, BitmapButtonsOnTwoThreadsShowTheirOwnGlyphsWhileColoursChange)
{
    const COLORREF glyphs[] = {RGB(255, 0, 0), RGB(0, 0, 255)};
    const int paints = Scaled(400, 200000);
    std::atomic<int> painting = 2, wrong = 0;
    SysColours colours;
    OnThreads(3, [&](int i) {
        for (int n = 0; i == 2 && painting > 0; ++n)
            colours.Set(COLOR_BTNFACE, n % 2 ? RGB(200, 180, 160) : RGB(192, 192, 192)), PumpMessages();
        if (i == 2)
            return;
        ParentWindow parent(100, 60);
        const HWND button = parent.CreateChild(ZTC_BMPBTN_CLASS, 0, 10, 10, 40, 30);
        const COLORREF c = glyphs[i];
        const std::vector<DWORD> bits(200, DWORD(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
        Send(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(CreateBitmap(20, 10, 1, 32, bits.data())));
        const Surface s(40, 30);
        for (int n = 0; n < paints; ++n) {
            Send(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT);
            wrong += s.At(20, 15) != c;
            PumpMessages();
        }
        --painting;
    });
    EXPECT_EQ(wrong, 0) << "of " << 2 * paints << " paints showed another glyph than their own";
}

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
