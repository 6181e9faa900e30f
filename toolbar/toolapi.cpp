// The toolbar's programming interface: adding tools from a tool record
// (creating and subclassing the control of a control tool), removing,
// hiding, greying, checking and focusing them, a value per tool, which
// tools report, and the associate window that hears the reports.
#include <algorithm>

#include "access.h"
#include "notify.h"
#include "toolbar/toolbar.h"
#include "toolbar/toolimages.h"

namespace {

constexpr int kCentred = -1;  // Y centred on the bar

// What a new tool of each kind gets.  A control tool is created with the
// record's class and style where it names them, else with these.
struct Kind {
    UINT type;
    int y;              // or kCentred
    bool recordHeight;  // the record's height as it is, not limited to a button's
    const char* className;
    DWORD style;
};

const Kind kKinds[] = {
    {TBT_SEPARATOR, 3, false, nullptr, 0},
    {TBT_EDIT, kCentred, false, "edit", WS_BORDER | WS_TABSTOP},
    {TBT_DROPLIST, 2, true, "combobox", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
    {TBT_COMBO, 2, true, "combobox", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN},
    {TBT_STATIC, kCentred, false, "static", 0},
    {TBT_DRAGGER, kCentred, false, ZTC_DRAGGER_CLASS, 0},
    {TBT_CUSTOM, 2, false, nullptr, 0},
    {TBT_BUTTONCTL, 2, true, "button", WS_TABSTOP},
    {TBT_CHECK, 3, false, nullptr, 0},
    {TBT_RADIO, 3, false, nullptr, 0},
    {TBT_PUSH, 3, false, nullptr, 0},
};

const Kind* FindKind(UINT type)
{
    for (const Kind& kind : kKinds)
        if (kind.type == type)
            return &kind;
    return nullptr;
}

bool ReadableString(LPCSTR text)
{
    return !text || !IsBadStringPtrA(text, static_cast<UINT_PTR>(-1));
}

// The record, when it can be read whole and names what it should: its
// size, a known kind and readable texts.
bool RecordIsUsable(const ToolBarTool* tool)
{
    if (!tool || IsBadReadPtr(tool, sizeof tool->Size) || tool->Size != sizeof(ToolBarTool) ||
        IsBadReadPtr(tool, sizeof *tool) || !FindKind(tool->Type))
        return false;
    return ReadableString(tool->Text) && (IS_INTRESOURCE(tool->ClassName) || ReadableString(tool->ClassName));
}

// Size and place by kind: drawn buttons without a strip of their own are
// stock-sized, separators 6 wide; heights are limited to a button's.
void Measure(ToolNode& node, const ToolBarTool& record, const Kind& kind)
{
    const int limited = static_cast<int>(std::min<UINT>(record.Height, DefaultTDD.cyButton));
    node.Width = std::clamp(record.Width, -kCoordinateLimit, kCoordinateLimit);
    if (HasType(node, TBT_DRAWN) && !record.Strip)
        node.Width = DefaultTDD.cxButton;
    if (node.Type == TBT_SEPARATOR)
        node.Width = 6;
    node.Height = kind.recordHeight ? static_cast<int>(std::min<UINT>(record.Height, kCoordinateLimit)) : limited;
    node.Y = kind.y == kCentred ? (DefaultTDD.cyToolBar - limited - 1) / 2 : kind.y;
}

// The control of a control tool, or null when it cannot be made.
HWND CreateControl(HWND toolbar, const ToolNode& node, const ToolBarTool& record, const Kind& kind)
{
    LPCSTR className = record.ClassName ? record.ClassName : kind.className;
    DWORD style = record.Style ? record.Style : kind.style;
    if (node.Type == TBT_DRAGGER) {
        className = kind.className;
        style = 0;
    }
    if ((node.Type == TBT_DROPLIST || node.Type == TBT_COMBO) && (record.State & TS_OWNERDRAW))
        style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    if (!className)
        return nullptr;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(toolbar, GWLP_HINSTANCE));
    return CreateWindowExA(0, className, record.Text, style | WS_CHILD | WS_VISIBLE, node.X, node.Y, node.Width,
                           node.Height, toolbar, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(node.Id)),
                           instance, nullptr);
}

// Repaints the whole bar, erasing, when it still exists; its buttons may
// have come, gone or moved.
BOOL Repainted(HWND toolbar)
{
    if (IsWindow(toolbar)) {
        RedrawNow(toolbar, nullptr, TRUE);
        access::ChildrenChanged(toolbar);
    }
    return TRUE;
}

}  // namespace

HWND WINAPI ToolBar_SetAssociate(HWND toolbar, HWND associate)
{
    ToolBarState* state = TB_State(toolbar);
    if (!state)
        return nullptr;
    const HWND previous = state->Associate;
    state->Associate = associate;
    const int id = GetDlgCtrlID(toolbar);
    if (previous && !SendCommand(previous, id, TBN_DISSOCIATED, toolbar))
        return previous;
    if (associate)
        SendCommand(associate, id, TBN_ASSOCIATED, toolbar);
    return previous;
}

HWND WINAPI ToolBar_GetAssociate(HWND toolbar)
{
    const ToolBarState* state = TB_State(toolbar);
    return state ? state->Associate : nullptr;
}

BOOL WINAPI ToolBar_AddTool(HWND toolbar, UINT type, UINT position, UINT id, int width, UINT height, LPCSTR text,
                            HBITMAP strip, int glyphIndex, UINT state)
{
    const ToolBarTool tool{sizeof(ToolBarTool), type, position, id, width, height, text, strip, glyphIndex, state,
                           0, nullptr};
    return ToolBar_AddToolIndirect(toolbar, &tool);
}

BOOL WINAPI ToolBar_AddToolIndirect(HWND toolbar, LPCTOOLBARTOOL tool)
{
    ToolBarState* state = TB_State(toolbar);
    if (!state || !RecordIsUsable(tool))
        return FALSE;
    const ToolBarTool record = *tool;
    const Kind& kind = *FindKind(record.Type);
    auto* node = static_cast<ToolNode*>(LocalAlloc(LPTR, sizeof(ToolNode)));
    if (!node)
        return FALSE;
    node->Type = record.Type;
    node->Id = record.Id;
    node->Strip = record.Strip;
    node->GlyphIndex = record.GlyphIndex;
    node->State = record.State;
    node->Flags = TF_NOTIFY;
    TB_LinkTool(*state, node, record.Position);
    node->X = node->Prev ? node->Prev->X + node->Prev->Width : kFirstToolX;
    ToolBtn_Configure(&DefaultTDD);
    node->GlyphWidth = DefaultTDD.cxGlyph;
    node->GlyphHeight = DefaultTDD.cyGlyph;
    Measure(*node, record, kind);

    if (HasType(*node, TBT_HASWINDOW)) {
        const HWND control = CreateControl(toolbar, *node, record, kind);
        // Creating it may have let the associate act (an owner-drawn list
        // asks it for its item height).
        if (!TB_Holds(toolbar, node)) {
            if (control)
                DestroyWindow(control);
            return FALSE;
        }
        if (!control) {
            TB_FreeTool(*state, node);
            return FALSE;
        }
        node->Control = control;
        TB_SubclassControl(*node);
    }
    TB_ShiftAfter(*node);
    if (state->Associate && !SendCommand(state->Associate, static_cast<int>(record.Id), TBN_TOOLADDED, toolbar))
        return TRUE;
    return Repainted(toolbar);
}

BOOL WINAPI ToolBar_RemoveTool(HWND toolbar, UINT id)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return FALSE;
    TB_DeleteTool(*TB_State(toolbar), tool);
    const ToolBarState* state = TB_State(toolbar);  // gone when the control's last words destroyed the toolbar
    if (!state)
        return TRUE;
    if (state->Associate && !SendCommand(state->Associate, static_cast<int>(id), TBN_TOOLREMOVED, toolbar))
        return TRUE;
    return Repainted(toolbar);
}

LRESULT WINAPI ToolBar_SendMessage(HWND toolbar, UINT id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const ToolNode* tool = TB_FindTool(toolbar, id);
    return tool && tool->Control ? SendMessageA(tool->Control, msg, wParam, lParam) : 0;
}

BOOL WINAPI ToolBar_Show(HWND toolbar, UINT id, BOOL show)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return FALSE;
    const bool hidden = (tool->Flags & TF_HIDDEN) != 0;
    const bool change = (show != FALSE) == hidden;
    if (change && hidden) {
        tool->Flags &= ~TF_HIDDEN;
        TB_ShiftAfter(*tool);
    } else if (change) {
        tool->Flags |= TF_HIDDEN;
        TB_CloseGap(*tool);
    }
    // The control last: one that loses the focus by hiding reports it.
    if (change && tool->Control)
        ShowWindow(tool->Control, hidden ? SW_SHOWNORMAL : SW_HIDE);
    return Repainted(toolbar);
}

BOOL WINAPI ToolBar_Enable(HWND toolbar, UINT id, BOOL enable)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return FALSE;
    const BOOL wasGrayed = IsGrayed(tool->State) ? TRUE : FALSE;
    TB_EnableTool(toolbar, *tool, enable);
    return wasGrayed;
}

BOOL WINAPI ToolBar_Check(HWND toolbar, UINT id, BOOL check)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return FALSE;
    TB_CheckTool(toolbar, *tool, check);
    return TRUE;
}

BOOL WINAPI ToolBar_SetFocus(HWND toolbar, UINT id)
{
    const ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool || !tool->Control)
        return FALSE;
    SetFocus(tool->Control);
    return TRUE;
}

BOOL WINAPI ToolBar_Exist(HWND toolbar, UINT id)
{
    return TB_FindTool(toolbar, id) ? TRUE : FALSE;
}

UINT WINAPI ToolBar_GetType(HWND toolbar, UINT id)
{
    const ToolNode* tool = TB_FindTool(toolbar, id);
    return tool ? tool->Type : static_cast<UINT>(-1);
}

DWORD WINAPI ToolBar_SetData(HWND toolbar, UINT id, DWORD value)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return 0;
    const DWORD previous = tool->UserData;
    tool->UserData = value;
    return previous;
}

DWORD WINAPI ToolBar_GetData(HWND toolbar, UINT id)
{
    const ToolNode* tool = TB_FindTool(toolbar, id);
    return tool ? tool->UserData : 0;
}

BOOL WINAPI ToolBar_SetNotify(HWND toolbar, UINT id, BOOL notify)
{
    ToolNode* tool = TB_FindTool(toolbar, id);
    if (!tool)
        return FALSE;
    const BOOL previous = (tool->Flags & TF_NOTIFY) ? TRUE : FALSE;
    tool->Flags = notify ? (tool->Flags | TF_NOTIFY) : (tool->Flags & ~TF_NOTIFY);
    return previous;
}

BOOL WINAPI ToolBar_GetNotify(HWND toolbar, UINT id)
{
    const ToolNode* tool = TB_FindTool(toolbar, id);
    return tool && (tool->Flags & TF_NOTIFY) ? TRUE : FALSE;
}

void WINAPI ToolBar_CancelDropDown(HWND toolbar)
{
    if (TB_State(toolbar))
        TB_CloseDropDowns(toolbar);
}
