// What the toolbar's files share: the state block, the tool list and the
// operations on tools that both the window and its programming interface
// use.  toolbar.cpp holds the window (painting, tracking, reports),
// toollist.cpp the list and its layout, toolapi.cpp the ToolBar_ functions
// and the tool record, toolctls.cpp the procedures put in front of the
// child controls' own.
#pragma once
#include <windows.h>

#include "window.h"
#include "ztctrl32.h"

// One tool, in a doubly linked list in layout order.  Allocated zero-filled
// from the local heap when the tool is added, freed when it is removed.
struct ToolNode {
    ToolNode* Prev;
    ToolNode* Next;
    UINT Type;          // TBT_ kind
    HWND Control;       // child control; null for drawn buttons and separators
    UINT Id;            // the application's id, also the control's child id
    int X, Y;           // top-left corner in toolbar client coordinates
    int Width, Height;
    int GlyphWidth, GlyphHeight;
    HBITMAP Strip;      // glyph strip of a drawn button, null for the stock images
    int GlyphIndex;
    UINT Flags;         // TF_NOTIFY, TF_HIDDEN
    UINT State;         // TDD_ look of a drawn button; TDD_DOWN is its check
    UINT SavedState;    // State when the current or last press began
    DWORD UserData;     // ToolBar_SetData's value
};

struct ToolBarState {
    ToolNode* FirstTool;
    HWND Window;           // the toolbar itself
    HWND Associate;        // receives the reports; null for none
    HBRUSH CtlBrush;       // answered to WM_CTLCOLORBTN and WM_CTLCOLORSTATIC
    COLORREF CtlBrushColour;
    HFONT ToolFont;        // the last WM_SETFONT's; never deleted here
    BOOL BarEnabled;
    ToolNode* PressedTool; // the last press's tool (cleared when it is removed)
    BOOL Tracking;         // a press is in progress
    BOOL PointerOutside;   // during a press: the pointer is off the pressed tool
};

// Drawn-button looks kept in State.
constexpr UINT kLookUp = TDD_GLYPH;                                       // 2
constexpr UINT kLookDown = TDD_GLYPH | TDD_DOWN;                          // 3
constexpr UINT kLookGrayed = TDD_GRAYED;                                  // 4
constexpr UINT kLookChecked = TDD_CHECKED | TDD_GLYPH | TDD_DOWN;         // 11
constexpr UINT kLookCheckedGrayed = TDD_CHECKED | TDD_GRAYED | TDD_DOWN;  // 13

constexpr int kFirstToolX = 4;  // where the first tool stands

// GDI draws within 27 bits: tool sizes and places stay inside, so that
// absurd widths saturate instead of overflowing.
constexpr int kCoordinateLimit = 1 << 27;

inline bool HasType(const ToolNode& tool, UINT bit) { return (tool.Type & bit) != 0; }
inline bool IsChecked(UINT state) { return (state & TDD_DOWN) != 0; }
inline bool IsGrayed(UINT state) { return (state & TDD_GRAYED) != 0; }
inline RECT ToolRect(const ToolNode& t) { return RECT{t.X, t.Y, t.X + t.Width, t.Y + t.Height}; }

// The toolbar's state block; null when the handle is not a window of the
// toolbar's class or has no block.
ToolBarState* TB_State(HWND toolbar);

// The first tool in list order with this id (all 32 bits), or null.
ToolNode* TB_FindTool(HWND toolbar, UINT id);

// Whether the toolbar still exists and still holds the tool: what a caller
// asks after anything that let the associate run.
bool TB_Holds(HWND toolbar, const ToolNode* tool);

// Calls visit(tool) for each tool in list order.  The visit may send
// messages that let the associate change the list or destroy the toolbar:
// the walk goes on only while the toolbar and the visited tool still exist,
// and answers whether the toolbar does.
template <class Visit>
bool TB_ForEachTool(HWND toolbar, Visit visit)
{
    ToolBarState* state = TB_State(toolbar);
    for (ToolNode* tool = state ? state->FirstTool : nullptr; tool; tool = tool->Next) {
        visit(*tool);
        if (!TB_Holds(toolbar, tool))
            return IsWindow(toolbar) != FALSE;
    }
    return IsWindow(toolbar) != FALSE;
}

// Stores a drawn tool's look and repaints the inside of the button at once,
// without erasing; answers the old look.  A separator keeps its state.
UINT TB_SetToolState(HWND toolbar, ToolNode& tool, UINT state);
// Checks or unchecks a check or radio button (a radio button unchecks the
// checked one of its group); answers whether it was checked (0 for push
// buttons).  Other kinds are left alone.
BOOL TB_CheckTool(HWND toolbar, ToolNode& tool, BOOL check);
// Enables a control tool's control, or gives a drawn tool its enabled or
// greyed look, keeping its check.
void TB_EnableTool(HWND toolbar, ToolNode& tool, BOOL enable);

// Layout: the tools after `tool` move right by its width (one pixel less
// when it and its successor abut), or left to close the gap before its
// successor.  Controls move with their tools.
void TB_ShiftAfter(ToolNode& tool);
void TB_CloseGap(ToolNode& tool);

// Links a new tool in before the tool at this 0-based place (at the end when
// there are fewer); unlinks and frees one (its control is left alone).
void TB_LinkTool(ToolBarState& state, ToolNode* tool, UINT position);
void TB_FreeTool(ToolBarState& state, ToolNode* tool);

// Closes the gap, unlinks and frees the tool and destroys its control.  A
// press on it ends without a report.  It neither repaints nor notifies.
void TB_DeleteTool(ToolBarState& state, ToolNode* tool);

// CB_SHOWDROPDOWN (FALSE) to every drop-down list and combo box tool;
// false when the associate destroyed the toolbar meanwhile.
bool TB_CloseDropDowns(HWND toolbar);

// A click on a drawn button, as a release over the held button makes it: a
// check button toggles (from its look when the press began, SavedState), a
// radio button checks, a push button comes up; then the click is reported.
void TB_Click(HWND toolbar, ToolBarState& state, ToolNode& tool);
// A click made without the mouse (by an accessibility client): reported
// held, then clicked.
void TB_ClickTool(HWND toolbar, ToolNode& tool);

// What accessibility clients see (toolaccess.cpp): the answer to
// WM_GETOBJECT, and the child id of a tool, 1.. among the shown drawn
// buttons in list order, 0 for any other tool.
LRESULT TB_GetObject(HWND toolbar, WPARAM wParam, LPARAM lParam);
LONG TB_ChildId(const ToolBarState& state, const ToolNode& tool);

// Puts the kind's procedure in front of a new control's own (for a combo
// box its edit field's as well); each control keeps the procedure it had.
void TB_SubclassControl(const ToolNode& tool);
