// Bad input to every family of exports: null pointers where the interface
// says what happens, destroyed windows, out-of-range counts, indices and
// sizes, stale handles.  Nothing faults; each call answers what it
// documents, and a refusal leaves what a getter reads as it was.
#include "surface.h"
#include "ztest.h"

#include <climits>
#include <functional>
#include <string>
#include <vector>

using namespace ztest;

namespace {

constexpr LONG_PTR kAny = 0x5EEDF00D;  // an answer that is not compared

struct Row {
    std::string what;
    std::function<LONG_PTR()> call;
    LONG_PTR answer = kAny;
    std::function<LONG_PTR()> state = nullptr;  // read before and after the call
};

void Check(const std::vector<Row>& rows)
{
    const FaultCount faults;
    for (const Row& r : rows) {
        const LONG_PTR before = r.state ? r.state() : 0;
        const LONG_PTR answer = r.call();
        if (r.answer != kAny) {
            EXPECT_EQ(answer, r.answer) << r.what;
        }
        if (r.state) {
            EXPECT_EQ(r.state(), before) << r.what << ": the state changed";
        }
    }
    EXPECT_EQ(faults.Faults(), 0);
}

// A handle that named a window once.
HWND Gone()
{
    static const HWND gone = [] {
        HWND w = CreateWindowExA(0, "static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(w);
        return w;
    }();
    return gone;
}

template <class F>
std::function<LONG_PTR()> Returning(F f)
{
    return [f] { return (LONG_PTR)(f()); };
}

template <class F>
std::function<LONG_PTR()> Void(F f)
{
    return [f] { f(); return LONG_PTR(0); };
}

// What a device context holds: colours and brush.
LONG_PTR DCState(HDC dc)
{
    return static_cast<LONG_PTR>(GetTextColor(dc)) ^ (static_cast<LONG_PTR>(GetBkColor(dc)) << 5) ^
           reinterpret_cast<LONG_PTR>(GetCurrentObject(dc, OBJ_BRUSH));
}

}  // namespace

TEST(BadInput, PlacementHooksAndMenusOnDestroyedOrNoWindows)
{
    char file[MAX_PATH];
    GetTempPathA(MAX_PATH, file);
    lstrcatA(file, "ztc_bad.ini");
    WritePrivateProfileStringA("W", "Placement", "1 2 3 4 1", file);
    const auto saved = [&file] {
        char text[32] = "";
        GetPrivateProfileStringA("W", "Placement", "", text, sizeof text, file);
        return static_cast<LONG_PTR>(std::hash<std::string>()(text));
    };
    ParentWindow window;
    const UINT keys[4] = {'A', 'B', 'C', 'D'};
    Check({
        {"save the place of a destroyed window", Returning([&] { return ZTC_SaveWndPos(Gone(), "W", nullptr, file); }), FALSE, saved},
        {"load a place into a destroyed window", Returning([&] { return ZTC_LoadWndPos(Gone(), "W", nullptr, file, SW_SHOWNORMAL); }), FALSE},
        {"see no window", Void([] { ZTC_SeeWindow(nullptr); })},
        {"see a destroyed window", Void([] { ZTC_SeeWindow(Gone()); })},
        {"centre no window", Returning([] { return ZTC_CenterWindow(nullptr, nullptr); }), FALSE},
        {"hot keys for a destroyed window", Returning([&] { return ZTC_SetHotKeys(Gone(), WM_APP, 4, keys); }), TRUE},
        {"and gone again", Returning([] { return ZTC_KillHotKeys(Gone()); }), TRUE},
        {"INT_MIN hot keys, none listed", Returning([&] { return ZTC_SetHotKeys(window.hwnd(), WM_APP, INT_MIN, nullptr); }), TRUE},
        {"INT_MAX hot keys", Returning([&] { return ZTC_SetHotKeys(window.hwnd(), WM_APP, INT_MAX, keys); }), FALSE},
        {"the INT_MIN record goes", Returning([&] { return ZTC_KillHotKeys(window.hwnd()); }), TRUE},
        {"no hot keys of no window", Returning([] { return ZTC_KillHotKeys(nullptr); }), FALSE},
        {"mouse hook on destroyed windows", Returning([] { return ZTC_SetMouseHook(Gone(), WM_APP, Gone()); }), TRUE},
        {"mouse hook removed", Returning([] { return ZTC_SetMouseHook(nullptr, 0, nullptr); }), TRUE},
        {"menu entry of a destroyed window", Returning([] { return ZTC_VandleMenuAdd(Gone(), 1); }), FALSE},
        {"menu entry of no window", Returning([] { return ZTC_VandleMenuAdd(nullptr, 1); }), FALSE},
    });
    DeleteFileA(file);
}

// Sizes and places beyond what GDI draws, stale and busy strips, a record
// that cannot be written: refused or drawn, the DC kept as it was.
TEST(BadInput, ToolButtonDrawing)
{
    Surface s(40, 40), other(8, 8);
    const HDC dc = s.dc();
    const HBITMAP strip = CreateBitmap(32, 16, 1, 32, nullptr), busy = CreateBitmap(32, 16, 1, 32, nullptr);
    const HBITMAP stale = CreateBitmap(32, 16, 1, 32, nullptr);
    DeleteObject(stale);
    SelectObject(other.dc(), busy);  // a strip selected into another DC
    ToolBtnTDD absurd{96, 29, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 400};
    const auto draw = [&](int x, int y, int cx, int cy, HBITMAP hbm, int gw, int gh, int index, UINT look,
                          const ToolBtnTDD* tdd = nullptr) {
        return std::function<LONG_PTR()>([=] { return ToolBtn_DrawTDD(dc, x, y, cx, cy, hbm, gw, gh, index, WORD(look), tdd); });
    };
    const auto unchanged = [dc] { return DCState(dc); };
    std::vector<Row> rows;
    for (int size : {INT_MIN, -1, 0, 2, INT_MAX}) {
        rows.push_back({"width " + std::to_string(size), draw(0, 0, size, 22, strip, 16, 15, 0, 2), FALSE, unchanged});
        rows.push_back({"height " + std::to_string(size), draw(0, 0, 24, size, strip, 16, 15, 0, 3), FALSE, unchanged});
    }
    for (int v : {INT_MIN, INT_MAX}) {
        rows.push_back({"place " + std::to_string(v), draw(v, v, 24, 22, strip, 16, 15, 0, 2), FALSE, unchanged});
        rows.push_back({"glyph size " + std::to_string(v), draw(0, 0, 24, 22, strip, v, v, 0, 4), FALSE, unchanged});
        rows.push_back({"glyph index " + std::to_string(v), draw(0, 0, 24, 22, strip, 16, 15, v, 13), TRUE, unchanged});
    }
    rows.push_back({"stock glyph without metrics", draw(0, 0, 24, 22, nullptr, 16, 15, 0, 2), FALSE, unchanged});
    rows.push_back({"stock glyph, absurd metrics", draw(0, 0, 24, 22, nullptr, 16, 15, 0, 2, &absurd), FALSE, unchanged});
    rows.push_back({"stock glyph INT_MIN", draw(0, 0, 24, 22, nullptr, 16, 15, INT_MIN, 2, &absurd), FALSE, unchanged});
    rows.push_back({"a deleted strip", draw(0, 0, 24, 22, stale, 16, 15, 0, 11), TRUE, unchanged});
    rows.push_back({"a strip another DC holds", draw(0, 0, 24, 22, busy, 16, 15, 1, 10), TRUE, unchanged});
    auto* page = static_cast<ToolBtnTDD*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READONLY));
    rows.push_back({"configure a read-only record", Returning([page] { return ToolBtn_Configure(page); }), FALSE,
                    [page] { return LONG_PTR(page->cxButton); }});
    Check(rows);
    VirtualFree(page, 0, MEM_RELEASE);
    DeleteObject(strip);
}

// DrawDIB without a DC, without a DIB and at absurd places; the malformed
// DIBs themselves are in the DIB view's tests.
TEST(BadInput, DrawDIB)
{
    Surface s(20, 20);
    s.Fill(RGB(1, 2, 3));
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 16);
    *static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(dib);
    const auto pixel = [&s] { return LONG_PTR(s.At(5, 5)); };
    Check({
        {"no DC", Void([dib] { DrawDIB(nullptr, dib, 0, 0, 10, 10); })},
        {"no DIB", Void([&s] { DrawDIB(s.dc(), nullptr, 0, 0, 10, 10); }), kAny, pixel},
        {"INT_MIN corner", Void([&s, dib] { DrawDIB(s.dc(), dib, INT_MIN, INT_MIN, INT_MAX, INT_MAX); })},
        {"no extent", Void([&s, dib] { DrawDIB(s.dc(), dib, 0, 0, 0, 0); }), kAny, pixel},
        {"mirrored extent", Void([&s, dib] { DrawDIB(s.dc(), dib, 10, 10, -10, -10); })},
    });
    GlobalFree(dib);
}

// Status line functions on windows without a status line, destroyed ones,
// and panes and counts out of range.
TEST(BadInput, StatusLine)
{
    ParentWindow frame(300, 200), plain(100, 100);
    const int widths[4] = {50, 50, 50, 0};
    ASSERT_TRUE(StatusLine_Create(frame.hwnd(), 2, widths));
    PaintNow(frame.hwnd());
    const auto updates = [&frame] { return LONG_PTR(GetUpdateRect(frame.hwnd(), nullptr, FALSE)); };
    const auto attached = [&plain] { return reinterpret_cast<LONG_PTR>(GetPropA(plain.hwnd(), ZTC_STATUSLINE_PROP)); };
    std::vector<Row> rows = {
        {"create on a destroyed window", Returning([&] { return StatusLine_Create(Gone(), 1, widths); }), FALSE},
        {"create on no window", Returning([&] { return StatusLine_Create(nullptr, 1, widths); }), FALSE},
        {"INT_MAX panes", Returning([&] { return StatusLine_Create(plain.hwnd(), INT_MAX, widths); }), FALSE, attached},
        {"enable on a destroyed window", Returning([] { return StatusLine_Enable(Gone(), TRUE); }), FALSE},
        {"enable without status line", Returning([&] { return StatusLine_Enable(plain.hwnd(), FALSE); }), FALSE, attached},
        {"height of a destroyed window", Returning([] { return StatusLine_GetHeight(Gone()); }), 0},
        {"text of a destroyed window", Void([] { StatusLine_SetText(Gone(), 0, "x"); })},
        {"push on a destroyed window", Void([] { StatusLine_PushText(Gone(), "x"); })},
        {"pop on a destroyed window", Void([] { StatusLine_PopText(Gone()); })},
        {"procedure of a destroyed window", Returning([] { return StatusLine_WndProc(Gone(), WM_PAINT, 0, 0); })},
    };
    for (int pane : {INT_MIN, -1, 2, 4, INT_MAX})
        rows.push_back({"pane " + std::to_string(pane), Void([&frame, pane] { StatusLine_SetText(frame.hwnd(), pane, "x"); }), kAny, updates});
    rows.push_back({"no text", Void([&frame] { StatusLine_SetText(frame.hwnd(), 0, nullptr); }), kAny, updates});
    Check(rows);
}

// The toolbar functions on destroyed windows, on windows that are no
// toolbar and for tools that do not exist.
TEST(BadInput, Toolbar)
{
    ParentWindow parent;
    const HWND bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, 300, 29), gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 0, 40, 60, 20);
    ASSERT_TRUE(ToolBar_AddTool(bar, TBT_PUSH, 0, 1, 24, 22, nullptr, nullptr, 0, TDD_GLYPH));
    const auto tools = [bar] { return LONG_PTR(ToolBar_Exist(bar, 1)) << 1 | ToolBar_Exist(bar, 2); };
    std::vector<Row> rows;
    for (HWND w : {Gone(), HWND(nullptr), parent.hwnd(), gauge}) {
        const std::string which = w == gauge ? "a gauge" : w == parent.hwnd() ? "a plain window" : w ? "a destroyed window" : "no window";
        rows.push_back({"associate of " + which, Returning([w] { return ToolBar_SetAssociate(w, nullptr); }), 0});
        rows.push_back({"add to " + which, Returning([w] { return ToolBar_AddTool(w, TBT_PUSH, 0, 2, 24, 22, nullptr, nullptr, 0, 2); }), FALSE});
        rows.push_back({"remove from " + which, Returning([w] { return ToolBar_RemoveTool(w, 1); }), FALSE});
        rows.push_back({"type in " + which, Returning([w] { return ToolBar_GetType(w, 1); }), LONG_PTR(UINT(-1))});
        rows.push_back({"drop-downs of " + which, Void([w] { ToolBar_CancelDropDown(w); })});
    }
    for (UINT id : {0u, 2u, UINT(INT_MAX), UINT_MAX}) {
        const std::string which = "tool " + std::to_string(id);
        rows.push_back({"remove " + which, Returning([bar, id] { return ToolBar_RemoveTool(bar, id); }), FALSE, tools});
        rows.push_back({"show " + which, Returning([bar, id] { return ToolBar_Show(bar, id, FALSE); }), FALSE, tools});
        rows.push_back({"check " + which, Returning([bar, id] { return ToolBar_Check(bar, id, TRUE); }), FALSE, tools});
        rows.push_back({"data of " + which, Returning([bar, id] { return ToolBar_SetData(bar, id, 7); }), 0, tools});
        rows.push_back({"send to " + which, Returning([bar, id] { return ToolBar_SendMessage(bar, id, WM_GETTEXTLENGTH, 0, 0); }), 0});
    }
    rows.push_back({"an appending place, absurd sizes", Returning([bar] { return ToolBar_AddTool(bar, TBT_EDIT, UINT_MAX, 3, INT_MIN, UINT_MAX, "x", nullptr, INT_MAX, UINT_MAX); }), TRUE});
    Check(rows);
}

// Settings a control refuses leave what its getter answers.
TEST(BadInput, RefusedSettingsChangeNothing)
{
    ParentWindow parent;
    const HWND h = parent.CreateChild(ZTC_SLIDER_H_CLASS, 0, 0, 0, 100, 30), v = parent.CreateChild(ZTC_SLIDER_V_CLASS, 0, 0, 40, 30, 100);
    const HWND ms = parent.CreateChild(ZTC_MUSCROLL_CLASS, 0, 50, 0, 40, 20);
    const auto get = [](HWND w, UINT msg) { return [w, msg] { return SendMessageA(w, msg, 0, 0); }; };
    const auto set = [](HWND w, UINT msg, WPARAM wp, LPARAM lp = 0) { return Returning([=] { return SendMessageA(w, msg, wp, lp); }); };
    std::vector<Row> rows;
    for (LONG range : {0L, -1L, LONG(INT_MIN)}) {
        rows.push_back({"horizontal range " + std::to_string(range), set(h, MBM_SETRANGE, WPARAM(range)), 0, get(h, MBM_GETRANGE)});
        rows.push_back({"vertical range " + std::to_string(range), set(v, SLM_SETRANGE, WPARAM(range)), 0, get(v, SLM_GETRANGE)});
    }
    for (LONG value : {LONG(INT_MIN), -1L, 10L, LONG(INT_MAX)})
        rows.push_back({"scroll value " + std::to_string(value), set(ms, MSM_SETVALUE, WPARAM(value)), -1, get(ms, MSM_GETVALUE)});
    rows.push_back({"scroll range upside down", set(ms, MSM_SETRANGE, 0, MAKELPARAM(0x7FFF, 0x8000)), -1, get(ms, MSM_GETRANGE)});
    rows.push_back({"scroll target destroyed", set(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(Gone())), -1, get(ms, MSM_GETTARGET)});
    Check(rows);
}

// Every window procedure the library exports, called for a window that is
// gone: nothing is touched.
TEST(BadInput, WindowProceduresOfDestroyedWindows)
{
    const WNDPROC procs[] = {MB_WndProc,  SL_WndProc,         VU_WndProc,    GA_WndProc,    BB_WndProc,
                             MS_WndProc,  TB_WndProc,         DV_WndProc,    DR_WndProc,    StatusLine_WndProc,
                             EditSubProc, ButtonSubProc,      CBEditSubProc, ComboboxSubProc, ListboxSubProc};
    std::vector<Row> rows;
    for (WNDPROC proc : procs)
        for (UINT msg : {UINT(WM_PAINT), UINT(WM_TIMER), UINT(WM_LBUTTONUP), UINT(WM_DESTROY), UINT(WM_USER + 1)})
            rows.push_back({"message " + std::to_string(msg), Returning([proc, msg] { return proc(Gone(), msg, 0, 0); })});
    rows.push_back({"About dialog", Returning([] { return AboutDlg(Gone(), WM_PAINT, 0, 0); })});
    Check(rows);
}
