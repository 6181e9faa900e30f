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
        const LONG_PTR before = r.state ? r.state() : 0, answer = r.call();
        EXPECT_TRUE(r.answer == kAny || answer == r.answer) << r.what << " answered " << answer;
        EXPECT_TRUE(!r.state || r.state() == before) << r.what << ": the state changed";
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

}  // namespace

TEST(BadInput, PlacementHooksAndMenusOnDestroyedOrNoWindows)
{
    char file[MAX_PATH];
    GetTempPathA(MAX_PATH, file);
    lstrcatA(file, "ztc_bad.ini");
    WritePrivateProfileStringA("W", "Placement", "1 2 3 4 1", file);
    const auto saved = [&file] {
        char text[32] = "";
        return LONG_PTR(GetPrivateProfileStringA("W", "Placement", "", text, sizeof text, file) * 256 + text[0]);
    };
    ParentWindow parent;
    const HWND window = parent.hwnd(), gone = Gone();
    const UINT keys[4] = {'A', 'B', 'C', 'D'};
    Check({
        {"save a destroyed window", [&] { return LONG_PTR(ZTC_SaveWndPos(gone, "W", nullptr, file)); }, FALSE, saved},
        {"load into a destroyed window", [&] { return LONG_PTR(ZTC_LoadWndPos(gone, "W", nullptr, file, 1)); }, FALSE},
        {"see no window", [] { ZTC_SeeWindow(nullptr); return kAny; }},
        {"see a destroyed window", [gone] { ZTC_SeeWindow(gone); return kAny; }},
        {"centre no window", [] { return LONG_PTR(ZTC_CenterWindow(nullptr, nullptr)); }, FALSE},
        {"hot keys of a destroyed window", [&] { return LONG_PTR(ZTC_SetHotKeys(gone, WM_APP, 4, keys)); }, TRUE},
        {"and gone again", [gone] { return LONG_PTR(ZTC_KillHotKeys(gone)); }, TRUE},
        {"INT_MIN hot keys", [&] { return LONG_PTR(ZTC_SetHotKeys(window, WM_APP, INT_MIN, nullptr)); }, TRUE},
        {"INT_MAX hot keys", [&] { return LONG_PTR(ZTC_SetHotKeys(window, WM_APP, INT_MAX, keys)); }, FALSE},
        {"the INT_MIN record goes", [&] { return LONG_PTR(ZTC_KillHotKeys(window)); }, TRUE},
        {"no hot keys of no window", [] { return LONG_PTR(ZTC_KillHotKeys(nullptr)); }, FALSE},
        {"mouse hook on destroyed windows", [gone] { return LONG_PTR(ZTC_SetMouseHook(gone, WM_APP, gone)); }, TRUE},
        {"mouse hook removed", [] { return LONG_PTR(ZTC_SetMouseHook(nullptr, 0, nullptr)); }, TRUE},
        {"menu entry of a destroyed window", [gone] { return LONG_PTR(ZTC_VandleMenuAdd(gone, 1)); }, FALSE},
        {"menu entry of no window", [] { return LONG_PTR(ZTC_VandleMenuAdd(nullptr, 1)); }, FALSE},
    });
    DeleteFileA(file);
}

// Sizes and places beyond what GDI draws, stale and busy strips, a record
// that cannot be written: refused or drawn, the DC kept as it was.
TEST(BadInput, ToolButtonDrawingAndDIBs)
{
    Surface s(40, 40), other(8, 8);
    const HDC dc = s.dc();
    const HBITMAP strip = CreateBitmap(32, 16, 1, 32, nullptr), busy = CreateBitmap(32, 16, 1, 32, nullptr);
    const HBITMAP stale = CreateBitmap(32, 16, 1, 32, nullptr);
    DeleteObject(stale);
    SelectObject(other.dc(), busy);  // a strip selected into another DC
    const ToolBtnTDD absurd{96, 29, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 400};
    const auto kept = [dc] {
        return LONG_PTR(GetTextColor(dc) ^ GetBkColor(dc) << 5) ^ LONG_PTR(GetCurrentObject(dc, OBJ_BRUSH));
    };
    std::vector<Row> rows;
    const auto draw = [&](std::string what, LONG_PTR answer, int x, int cx, int cy, HBITMAP hbm, int gw, int index,
                          UINT look, const ToolBtnTDD* tdd = nullptr) {
        rows.push_back(
            {what, [=] { return LONG_PTR(ToolBtn_DrawTDD(dc, x, x, cx, cy, hbm, gw, gw, index, WORD(look), tdd)); },
             answer, kept});
    };
    for (int v : {INT_MIN, -1, 0, 2, INT_MAX}) {
        draw("width " + std::to_string(v), FALSE, 0, v, 22, strip, 16, 0, 2);
        draw("height " + std::to_string(v), FALSE, 0, 24, v, strip, 16, 0, 3);
    }
    for (int v : {INT_MIN, INT_MAX}) {
        draw("place " + std::to_string(v), FALSE, v, 24, 22, strip, 16, 0, 2);
        draw("glyph size " + std::to_string(v), FALSE, 0, 24, 22, strip, v, 0, 4);
        draw("glyph index " + std::to_string(v), TRUE, 0, 24, 22, strip, 16, v, 13);
        draw("stock glyph, absurd metrics, index " + std::to_string(v), FALSE, 0, 24, 22, nullptr, 16, v, 2, &absurd);
    }
    draw("stock glyph without metrics", FALSE, 0, 24, 22, nullptr, 16, 0, 2);
    draw("a deleted strip", TRUE, 0, 24, 22, stale, 16, 0, 11);
    draw("a strip another DC holds", TRUE, 0, 24, 22, busy, 16, 1, 10);
    auto* page = static_cast<ToolBtnTDD*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READONLY));
    rows.push_back({"configure a read-only record", [page] { return LONG_PTR(ToolBtn_Configure(page)); }, FALSE,
                    [page] { return LONG_PTR(page->cxButton); }});

    // DrawDIB without a DC, without a DIB, at absurd places; the malformed
    // DIBs themselves are in the DIB view's tests.
    const HGLOBAL dib = NewDIB(2, 2);
    const auto pixel = [&s] { return LONG_PTR(s.At(5, 5)); };
    for (const RECT r : {RECT{0, 0, 10, 10}, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, RECT{10, 10, -10, -10}}) {
        const auto draw = [r](HDC to, HGLOBAL d) { DrawDIB(to, d, r.left, r.top, r.right, r.bottom); return kAny; };
        rows.push_back({"DrawDIB without a DC", [=] { return draw(nullptr, dib); }});
        rows.push_back({"DrawDIB without a DIB", [=] { return draw(dc, nullptr); }, kAny, pixel});
        rows.push_back({"DrawDIB at an odd place", [=] { return draw(dc, dib); }});
    }
    rows.push_back({"DrawDIB of no extent", [=] { DrawDIB(dc, dib, 0, 0, 0, 0); return kAny; }, kAny, pixel});
    Check(rows);
    VirtualFree(page, 0, MEM_RELEASE);
    GlobalFree(dib);
    DeleteObject(strip);
}

// Status lines and toolbars: their functions on windows without one,
// destroyed ones and no window, and panes and tools that do not exist.
TEST(BadInput, StatusLinesAndToolbars)
{
    ParentWindow frame(300, 200), parent;
    const int widths[4] = {50, 50, 50, 0};
    ASSERT_TRUE(StatusLine_Create(frame.hwnd(), 2, widths));
    PaintNow(frame.hwnd());
    const HWND bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, 300, 29);
    const HWND gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 0, 40, 60, 20);
    ASSERT_TRUE(ToolBar_AddTool(bar, TBT_PUSH, 0, 1, 24, 22, nullptr, nullptr, 0, TDD_GLYPH));
    const auto updates = [&frame] { return LONG_PTR(GetUpdateRect(frame.hwnd(), nullptr, FALSE)); };
    const auto tools = [bar] { return LONG_PTR(ToolBar_Exist(bar, 1)) << 1 | ToolBar_Exist(bar, 2); };
    std::vector<Row> rows = {
        {"INT_MAX panes", [&] { return LONG_PTR(StatusLine_Create(parent.hwnd(), INT_MAX, widths)); }, FALSE,
         [&] { return LONG_PTR(GetPropA(parent.hwnd(), ZTC_STATUSLINE_PROP)); }},
        {"no text", [&] { StatusLine_SetText(frame.hwnd(), 0, nullptr); return kAny; }, kAny, updates},
    };
    for (int pane : {INT_MIN, -1, 2, 4, INT_MAX})
        rows.push_back({"pane " + std::to_string(pane),
                        [&, pane] { StatusLine_SetText(frame.hwnd(), pane, "x"); return kAny; }, kAny, updates});
    for (HWND w : {Gone(), HWND(nullptr), parent.hwnd(), gauge}) {
        const std::string which = w == gauge ? " of a gauge" : w == parent.hwnd() ? " of a plain window"
                                  : w ? " of a destroyed window" : " of no window";
        const int panes = IsWindow(w) ? 5 : 1;
        rows.push_back({"status line" + which, [&, w] { return StatusLine_Create(w, panes, widths); }, FALSE});
        rows.push_back({"status line enabled" + which, [w] { return LONG_PTR(StatusLine_Enable(w, TRUE)); }, FALSE});
        rows.push_back({"status line height" + which, [w] { return LONG_PTR(StatusLine_GetHeight(w)); }, 0});
        rows.push_back({"status line texts" + which, [w] {
            StatusLine_SetText(w, 0, "x"), StatusLine_PushText(w, "y"), StatusLine_PopText(w);
            return kAny;
        }});
        rows.push_back({"associate" + which, [w] { return LONG_PTR(ToolBar_SetAssociate(w, nullptr)); }, 0});
        rows.push_back({"add" + which, [w] { return ToolBar_AddTool(w, TBT_PUSH, 0, 2, 24, 22, 0, 0, 0, 2); }, FALSE});
        rows.push_back({"tool removed" + which, [w] { return LONG_PTR(ToolBar_RemoveTool(w, 1)); }, FALSE});
        rows.push_back({"tool type" + which, [w] { return LONG_PTR(ToolBar_GetType(w, 1)); }, LONG_PTR(UINT(-1))});
        rows.push_back({"drop-downs" + which, [w] { ToolBar_CancelDropDown(w); return kAny; }});
    }
    for (UINT id : {0u, 2u, UINT(INT_MAX), UINT_MAX}) {
        const std::string which = " tool " + std::to_string(id);
        rows.push_back({"remove" + which, [bar, id] { return LONG_PTR(ToolBar_RemoveTool(bar, id)); }, FALSE, tools});
        rows.push_back({"show" + which, [bar, id] { return LONG_PTR(ToolBar_Show(bar, id, FALSE)); }, FALSE, tools});
        rows.push_back({"check" + which, [bar, id] { return LONG_PTR(ToolBar_Check(bar, id, TRUE)); }, FALSE, tools});
        rows.push_back({"data of" + which, [bar, id] { return LONG_PTR(ToolBar_SetData(bar, id, 7)); }, 0, tools});
        rows.push_back({"send to" + which, [=] { return ToolBar_SendMessage(bar, id, WM_GETTEXTLENGTH, 0, 0); }, 0});
    }
    rows.push_back({"an appending place, absurd sizes", [bar] {
        return ToolBar_AddTool(bar, TBT_EDIT, UINT_MAX, 3, INT_MIN, UINT_MAX, "x", nullptr, INT_MAX, UINT_MAX);
    }, TRUE});
    Check(rows);
}

// Settings a control refuses leave what its getter answers; the window
// procedures of destroyed windows touch nothing.
TEST(BadInput, RefusedSettingsAndDestroyedWindows)
{
    ParentWindow parent;
    const HWND h = parent.CreateChild(ZTC_SLIDER_H_CLASS, 0, 0, 0, 100, 30);
    const HWND v = parent.CreateChild(ZTC_SLIDER_V_CLASS, 0, 0, 40, 30, 100);
    const HWND ms = parent.CreateChild(ZTC_MUSCROLL_CLASS, 0, 50, 0, 40, 20);
    std::vector<Row> rows;
    const auto refused = [&rows](std::string what, HWND w, UINT set, WPARAM wp, LPARAM lp, LRESULT answer, UINT get) {
        rows.push_back({what, [=] { return SendMessageA(w, set, wp, lp); }, answer,
                        [=] { return SendMessageA(w, get, 0, 0); }});
    };
    for (LONG range : {0L, -1L, LONG(INT_MIN)}) {
        refused("horizontal range " + std::to_string(range), h, MBM_SETRANGE, WPARAM(range), 0, 0, MBM_GETRANGE);
        refused("vertical range " + std::to_string(range), v, SLM_SETRANGE, WPARAM(range), 0, 0, SLM_GETRANGE);
    }
    for (LONG value : {LONG(INT_MIN), -1L, 10L, LONG(INT_MAX)})
        refused("scroll value " + std::to_string(value), ms, MSM_SETVALUE, WPARAM(value), 0, -1, MSM_GETVALUE);
    refused("scroll range upside down", ms, MSM_SETRANGE, 0, MAKELPARAM(0x7FFF, 0x8000), -1, MSM_GETRANGE);
    refused("scroll target destroyed", ms, MSM_SETTARGET, WPARAM(Gone()), 0, -1, MSM_GETTARGET);

    const WNDPROC procs[] = {MB_WndProc, SL_WndProc,    VU_WndProc,    GA_WndProc,      BB_WndProc,     MS_WndProc,
                             TB_WndProc, DV_WndProc,    DR_WndProc,    StatusLine_WndProc, EditSubProc, ButtonSubProc,
                             CBEditSubProc, ComboboxSubProc, ListboxSubProc};
    for (WNDPROC proc : procs)
        for (UINT msg : {UINT(WM_PAINT), UINT(WM_TIMER), UINT(WM_LBUTTONUP), UINT(WM_DESTROY), UINT(WM_USER + 1)})
            rows.push_back({"message " + std::to_string(msg), [proc, msg] { return proc(Gone(), msg, 0, 0); }});
    rows.push_back({"About dialog of a destroyed window", [] { return LONG_PTR(AboutDlg(Gone(), WM_PAINT, 0, 0)); }});
    Check(rows);
}
