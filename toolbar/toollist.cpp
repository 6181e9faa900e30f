// The toolbar's tool list: finding tools, their looks and checks, and the
// layout that keeps them in one row from left to right.
#include <algorithm>

#include "access.h"
#include "toolbar/toolbar.h"

namespace {

int Moved(int x, long long d)
{
    return static_cast<int>(std::clamp<long long>(x + d, -kCoordinateLimit, kCoordinateLimit));
}

void MoveControl(const ToolNode& tool)
{
    if (tool.Control)
        SetWindowPos(tool.Control, nullptr, tool.X, tool.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void MoveToolsAfter(const ToolNode& tool, long long d)
{
    for (ToolNode* t = tool.Next; t; t = t->Next) {
        t->X = Moved(t->X, d);
        MoveControl(*t);
    }
}

// The look of a drawn button with this check and greying.
UINT Look(bool checked, bool grayed)
{
    if (checked)
        return grayed ? kLookCheckedGrayed : kLookChecked;
    return grayed ? kLookGrayed : kLookUp;
}

// The checked button of a radio button's group: searched first among the
// radio buttons before it, then among those after it.
ToolNode* CheckedRadio(const ToolNode& radio)
{
    for (ToolNode* t = radio.Prev; t && t->Type == TBT_RADIO; t = t->Prev)
        if (IsChecked(t->State))
            return t;
    for (ToolNode* t = radio.Next; t && t->Type == TBT_RADIO; t = t->Next)
        if (IsChecked(t->State))
            return t;
    return nullptr;
}

// A press on the tool ends: no report, the capture released if held.
void ForgetPress(ToolBarState& state, const ToolNode* tool)
{
    if (state.PressedTool != tool)
        return;
    state.PressedTool = nullptr;
    if (!state.Tracking)
        return;
    state.Tracking = FALSE;
    state.PointerOutside = FALSE;
    if (GetCapture() == state.Window)
        ReleaseCapture();
}

}  // namespace

ToolBarState* TB_State(HWND toolbar)
{
    if (!IsWindow(toolbar) || reinterpret_cast<WNDPROC>(GetClassLongPtrA(toolbar, GCLP_WNDPROC)) != TB_WndProc)
        return nullptr;
    return GetState<ToolBarState>(toolbar);
}

ToolNode* TB_FindTool(HWND toolbar, UINT id)
{
    const ToolBarState* state = TB_State(toolbar);
    for (ToolNode* tool = state ? state->FirstTool : nullptr; tool; tool = tool->Next)
        if (tool->Id == id)
            return tool;
    return nullptr;
}

bool TB_Holds(HWND toolbar, const ToolNode* tool)
{
    const ToolBarState* state = TB_State(toolbar);
    for (const ToolNode* t = state ? state->FirstTool : nullptr; t; t = t->Next)
        if (t == tool)
            return true;
    return false;
}

UINT TB_SetToolState(HWND toolbar, ToolNode& tool, UINT state)
{
    if (tool.Type == TBT_SEPARATOR)
        return tool.State;
    const UINT old = tool.State;
    tool.State = state;
    const RECT inside{tool.X + 1, tool.Y + 1, tool.X + tool.Width - 1, tool.Y + tool.Height - 1};
    RedrawNow(toolbar, &inside, FALSE);
    const ToolBarState* bar = TB_State(toolbar);
    if (const LONG child = bar ? TB_ChildId(*bar, tool) : 0)
        access::StateChanged(toolbar, child);
    return old;
}

BOOL TB_CheckTool(HWND toolbar, ToolNode& tool, BOOL check)
{
    const BOOL was = IsChecked(tool.State) ? TRUE : FALSE;
    switch (tool.Type) {
    case TBT_CHECK:
        TB_SetToolState(toolbar, tool, Look(check != FALSE, IsGrayed(tool.State)));
        return was;
    case TBT_RADIO:
        if (check) {
            if (ToolNode* other = CheckedRadio(tool))
                TB_SetToolState(toolbar, *other, Look(false, IsGrayed(other->State)));
            TB_SetToolState(toolbar, tool, Look(true, IsGrayed(tool.State)));
        }
        return was;
    case TBT_PUSH:
        return FALSE;
    default:
        return was;
    }
}

void TB_EnableTool(HWND toolbar, ToolNode& tool, BOOL enable)
{
    if (tool.Control)
        EnableWindow(tool.Control, enable);
    else
        TB_SetToolState(toolbar, tool, Look(IsChecked(tool.State), !enable));
}

void TB_ShiftAfter(ToolNode& tool)
{
    const bool abut = tool.Next && HasType(tool, TBT_ABUTS) && HasType(*tool.Next, TBT_ABUTS);
    MoveToolsAfter(tool, tool.Width - (abut ? 1 : 0));
}

void TB_CloseGap(ToolNode& tool)
{
    if (tool.Next)
        MoveToolsAfter(tool, -(static_cast<long long>(tool.Next->X) - tool.X));
}

void TB_LinkTool(ToolBarState& state, ToolNode* tool, UINT position)
{
    ToolNode* next = state.FirstTool;
    for (UINT i = 0; next && i < position; ++i) {
        tool->Prev = next;
        next = next->Next;
    }
    tool->Next = next;
    if (next)
        next->Prev = tool;
    (tool->Prev ? tool->Prev->Next : state.FirstTool) = tool;
}

void TB_FreeTool(ToolBarState& state, ToolNode* tool)
{
    ForgetPress(state, tool);
    if (tool->Next)
        tool->Next->Prev = tool->Prev;
    (tool->Prev ? tool->Prev->Next : state.FirstTool) = tool->Next;
    LocalFree(tool);
}

void TB_DeleteTool(ToolBarState& state, ToolNode* tool)
{
    TB_CloseGap(*tool);
    const HWND control = tool->Control;
    TB_FreeTool(state, tool);
    // Last, with the tool gone from the list: a control that loses the
    // focus reports it, and the associate may act on the toolbar meanwhile.
    if (control && IsWindow(control))
        DestroyWindow(control);
}

bool TB_CloseDropDowns(HWND toolbar)
{
    return TB_ForEachTool(toolbar, [](const ToolNode& tool) {
        if ((tool.Type == TBT_DROPLIST || tool.Type == TBT_COMBO) && tool.Control)
            SendMessageA(tool.Control, CB_SHOWDROPDOWN, FALSE, 0);
    });
}
