// Toolbar window: a horizontal strip holding a row of tools (drawn push,
// check and radio buttons, separators and child controls).  It paints its
// own buttons, tracks the mouse on them and reports to its associate window
// (by default its parent): WM_MENUSELECT while a button is held, WM_COMMAND
// when it is clicked, and the child controls' notifications passed on.
#include "gdiguard.h"
#include "notify.h"
#include "toolbar/toolbar.h"
#include "toolbar/toolimages.h"

namespace {

constexpr WPARAM kMenuClosed = 0xFFFF0000;  // WM_MENUSELECT: item 0, flags 0xFFFF

bool Reports(const ToolBarState& state, const ToolNode& tool)
{
    return state.Associate && (tool.Flags & TF_NOTIFY);
}

// WM_MENUSELECT to the associate: the tool's id while it is held, the
// closed form when it is let go.  False when the toolbar or the tool is
// gone afterwards.
bool TB_MenuSelect(HWND hwnd, const ToolBarState& state, const ToolNode& tool, bool held)
{
    if (!Reports(state, tool))
        return true;
    const WPARAM wParam = held ? MAKEWPARAM(LOWORD(tool.Id), 0) : kMenuClosed;
    return SendFrom(state.Associate, WM_MENUSELECT, wParam, 0, hwnd) && TB_Holds(hwnd, &tool);
}

// ---- Creation and destruction ------------------------------------------------

LRESULT TB_Create(HWND hwnd, const CREATESTRUCTA& cs)
{
    auto* state = CreateState<ToolBarState>(hwnd);
    if (!state)
        return -1;
    state->CtlBrushColour = GetSysColor(COLOR_BTNFACE);
    state->CtlBrush = CreateSolidBrush(state->CtlBrushColour);
    if (!state->CtlBrush) {
        FreeState<ToolBarState>(hwnd);
        return -1;
    }
    state->Window = hwnd;
    state->Associate = cs.hwndParent;
    state->ToolFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state->BarEnabled = TRUE;
    return 0;
}

LRESULT TB_Destroy(HWND hwnd, ToolBarState& state)
{
    while (state.FirstTool)
        TB_DeleteTool(state, state.FirstTool);
    DeleteObject(state.CtlBrush);
    FreeState<ToolBarState>(hwnd);
    return 0;
}

// ---- Painting -------------------------------------------------------------------

// The face with a frame-coloured line along the bottom row, and the drawn,
// shown buttons that meet what is being painted.
LRESULT TB_Paint(HWND hwnd, const ToolBarState& state, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    {
        zt::Owned<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        zt::Owned<HPEN> frame(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
        zt::Select brush(dc, face), pen(dc, frame);
        Rectangle(dc, rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom);
    }
    for (const ToolNode* t = state.FirstTool; t; t = t->Next) {
        const RECT r = ToolRect(*t);
        if (HasType(*t, TBT_DRAWN) && !(t->Flags & TF_HIDDEN) && RectVisible(dc, &r))
            ToolBtn_DrawTDD(dc, t->X, t->Y, t->Width, t->Height, t->Strip, t->GlyphWidth, t->GlyphHeight,
                            t->GlyphIndex, static_cast<WORD>(t->State), &DefaultTDD);
    }
    return 0;
}

// ---- The mouse ------------------------------------------------------------------

// The drawn, shown, ungreyed button under the point, or null.
ToolNode* TB_HitTest(const ToolBarState& state, POINT p)
{
    for (ToolNode* t = state.FirstTool; t; t = t->Next) {
        const RECT r = ToolRect(*t);
        if (HasType(*t, TBT_DRAWN) && !(t->Flags & TF_HIDDEN) && !IsGrayed(t->State) && PtInRect(&r, p))
            return t;
    }
    return nullptr;
}

// A press (or double click) closes the drop-down lists; on a button it
// reports the button held, takes the capture and shows the button down.
LRESULT TB_Press(HWND hwnd, ToolBarState& state, POINT p)
{
    if (!TB_CloseDropDowns(hwnd))
        return 0;
    ToolNode* tool = TB_HitTest(state, p);
    if (!tool || !TB_MenuSelect(hwnd, state, *tool, true))
        return 0;
    state.Tracking = TRUE;
    state.PressedTool = tool;
    state.PointerOutside = FALSE;
    SetCapture(hwnd);
    tool->SavedState = tool->State;
    TB_SetToolState(hwnd, *tool, kLookDown);
    return 0;
}

// Crossing the held button's edge shows its earlier look outside and the
// pressed look inside, reported as the menu closed and the button held.
LRESULT TB_Track(HWND hwnd, ToolBarState& state, POINT p)
{
    if (!state.Tracking || !state.PressedTool)
        return 0;
    ToolNode& tool = *state.PressedTool;
    const RECT r = ToolRect(tool);
    const BOOL wasOutside = state.PointerOutside;
    state.PointerOutside = PtInRect(&r, p) ? FALSE : TRUE;
    if (state.PointerOutside == wasOutside)
        return 0;
    TB_SetToolState(hwnd, tool, state.PointerOutside ? tool.SavedState : kLookDown);
    TB_MenuSelect(hwnd, state, tool, !state.PointerOutside);
    return 0;
}

// A release over the held button clicks it.
LRESULT TB_Release(HWND hwnd, ToolBarState& state)
{
    if (!state.Tracking || !state.PressedTool)
        return 0;
    state.Tracking = FALSE;
    ReleaseCapture();
    if (state.PointerOutside)
        return 0;
    TB_Click(hwnd, state, *state.PressedTool);
    return 0;
}

// A cancelled press ends silently, the button showing its earlier look.
LRESULT TB_CancelMode(HWND hwnd, ToolBarState& state)
{
    const bool shownDown = state.Tracking && !state.PointerOutside && state.PressedTool;
    state.Tracking = FALSE;
    state.PointerOutside = FALSE;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (shownDown)
        TB_SetToolState(hwnd, *state.PressedTool, state.PressedTool->SavedState);
    return 0;
}

// ---- Enabling, fonts, colours -------------------------------------------------------

// Runs `change` with redrawing switched off, then repaints the whole bar once.
template <class Change>
LRESULT WithoutRedraw(HWND hwnd, Change change)
{
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    if (!change())
        return 0;
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawNow(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT TB_Enable(HWND hwnd, ToolBarState& state, BOOL enable)
{
    state.BarEnabled = enable;
    return WithoutRedraw(hwnd, [&] {
        return TB_ForEachTool(hwnd, [&](ToolNode& tool) { TB_EnableTool(hwnd, tool, enable); });
    });
}

// Every control tool gets the font; drop-down lists, whose height follows
// it, are centred on the bar again.
LRESULT TB_SetFont(HWND hwnd, ToolBarState& state, HFONT font)
{
    if (!font)
        return 0;
    state.ToolFont = font;
    return WithoutRedraw(hwnd, [&] {
        return TB_ForEachTool(hwnd, [&](ToolNode& tool) {
            if (!tool.Control)
                return;
            SendMessageA(tool.Control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            if (tool.Type != TBT_DROPLIST || !TB_Holds(hwnd, &tool))
                return;
            RECT rc;
            GetWindowRect(tool.Control, &rc);
            tool.Y = (DefaultTDD.cyToolBar - (rc.bottom - rc.top)) >> 1;
            SetWindowPos(tool.Control, nullptr, tool.X, tool.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        });
    });
}

// Button and static controls are drawn on the face colour; the brush is
// made anew when the face colour has changed.
LRESULT TB_CtlColour(ToolBarState& state, HDC dc)
{
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    SetBkColor(dc, face);
    if (face != state.CtlBrushColour) {
        if (HBRUSH brush = CreateSolidBrush(face)) {
            DeleteObject(state.CtlBrush);
            state.CtlBrush = brush;
            state.CtlBrushColour = face;
        }
    }
    return reinterpret_cast<LRESULT>(state.CtlBrush);
}

// ---- What the associate hears from the controls -------------------------------------

// A tool control's notification goes on to the associate unchanged.  Only
// a tool's own control is heard, so a toolbar that is its own associate
// does not hear its reports again.
LRESULT TB_ChildCommand(HWND hwnd, const ToolBarState& state, WPARAM wParam, LPARAM lParam)
{
    const ToolNode* tool = TB_FindTool(hwnd, LOWORD(wParam));
    if (tool && tool->Control && reinterpret_cast<LPARAM>(tool->Control) == lParam && Reports(state, *tool))
        SendMessageA(state.Associate, WM_COMMAND, wParam, lParam);
    return 0;
}

// Owner-draw messages of combo box tools and a dragger tool's question:
// the associate answers them (0 when there is none).
LRESULT TB_PassOn(const ToolBarState& state, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return state.Associate ? SendMessageA(state.Associate, msg, wParam, lParam) : 0;
}

// ---- The toolbar's own messages ------------------------------------------------------

BOOL Flag(LPARAM lParam)
{
    return LOWORD(lParam) ? TRUE : FALSE;
}

LRESULT TB_SendMessage(HWND hwnd, UINT id, LPARAM lParam)
{
    const auto* m = reinterpret_cast<const ToolBarMessage*>(lParam);
    if (!m || IsBadReadPtr(m, sizeof *m))
        return 0;
    return ToolBar_SendMessage(hwnd, id, m->Message, m->wParam, m->lParam);
}

LRESULT TB_Command(HWND hwnd, const ToolBarState& state, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto id = static_cast<UINT>(wParam);
    switch (msg) {
    case TBM_SETASSOCIATE: return reinterpret_cast<LRESULT>(ToolBar_SetAssociate(hwnd, reinterpret_cast<HWND>(wParam)));
    case TBM_GETASSOCIATE: return reinterpret_cast<LRESULT>(ToolBar_GetAssociate(hwnd));
    case TBM_ADDTOOL:      return ToolBar_AddToolIndirect(hwnd, reinterpret_cast<LPCTOOLBARTOOL>(lParam));
    case TBM_REMOVETOOL:   return ToolBar_RemoveTool(hwnd, id);
    case TBM_SENDMESSAGE:  return TB_SendMessage(hwnd, id, lParam);
    case TBM_SHOW:         return ToolBar_Show(hwnd, id, Flag(lParam));
    case TBM_ENABLE:       return ToolBar_Enable(hwnd, id, Flag(lParam));
    case TBM_CHECK:        return ToolBar_Check(hwnd, id, Flag(lParam));
    case TBM_SETFOCUS:     return ToolBar_SetFocus(hwnd, id);
    case TBM_EXIST:        return ToolBar_Exist(hwnd, id);
    case TBM_GETTYPE:      return static_cast<LRESULT>(ToolBar_GetType(hwnd, id));
    case TBM_SETDATA:      return ToolBar_SetData(hwnd, id, static_cast<DWORD>(lParam));
    case TBM_GETDATA:      return ToolBar_GetData(hwnd, id);
    case TBM_SETNOTIFY:    return ToolBar_SetNotify(hwnd, id, Flag(lParam));
    case TBM_GETNOTIFY:    return ToolBar_GetNotify(hwnd, id);
    default:
        if (msg == RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME))
            return TB_PassOn(state, msg, wParam, lParam);
        return 0;
    }
}

}  // namespace

void TB_Click(HWND hwnd, ToolBarState& state, ToolNode& tool)
{
    switch (tool.Type) {
    case TBT_CHECK: TB_CheckTool(hwnd, tool, IsChecked(tool.SavedState) ? FALSE : TRUE); break;
    case TBT_RADIO: TB_CheckTool(hwnd, tool, TRUE); break;
    case TBT_PUSH:  TB_SetToolState(hwnd, tool, kLookUp); break;
    }
    if (TB_MenuSelect(hwnd, state, tool, false) && Reports(state, tool))
        SendCommand(state.Associate, static_cast<int>(tool.Id), 0, hwnd);
}

void TB_ClickTool(HWND hwnd, ToolNode& tool)
{
    ToolBarState& state = *TB_State(hwnd);
    if (!TB_MenuSelect(hwnd, state, tool, true))
        return;
    tool.SavedState = tool.State;
    TB_Click(hwnd, state, tool);
}

LRESULT WINAPI TB_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return TB_Create(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    auto* state = GetState<ToolBarState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return TB_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:          return TB_Destroy(hwnd, *state);
    case WM_PAINT:
    case WM_PRINTCLIENT:      return TB_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_ERASEBKGND:       return 1;  // the paint fills the whole client area
    case WM_ENABLE:           return TB_Enable(hwnd, *state, wParam ? TRUE : FALSE);
    case WM_CANCELMODE:       return TB_CancelMode(hwnd, *state);
    case WM_SETFONT:          return TB_SetFont(hwnd, *state, reinterpret_cast<HFONT>(wParam));
    case WM_GETFONT:          return reinterpret_cast<LRESULT>(state->ToolFont);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:   return TB_CtlColour(*state, reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:          return TB_ChildCommand(hwnd, *state, wParam, lParam);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:      return TB_PassOn(*state, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:    return TB_Press(hwnd, *state, MousePoint(lParam));
    case WM_MOUSEMOVE:        return TB_Track(hwnd, *state, MousePoint(lParam));
    case WM_LBUTTONUP:        return TB_Release(hwnd, *state);
    case WM_GETOBJECT:        return TB_GetObject(hwnd, wParam, lParam);
    default:                  return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
