// The controls on a toolbar live in no dialog box, so nothing moves the
// focus between them.  The toolbar puts one of these procedures in front of
// each edit field, combo box, drop-down list and push-button control it
// creates: Tab and Shift+Tab give the focus to the next or previous
// tab-stop control of the toolbar, edit fields never see the Tab character,
// and a combo box's gap beside its edit field shows the face colour.
// Everything else goes to the control's own procedure.
#include "gdiguard.h"
#include "subclass.h"
#include "toolbar/toolbar.h"

namespace {

constexpr int kComboEditId = 1001;  // a combo box's edit field

enum class TabChar { PassOn, KeepOut };

// `dialog` is the window whose tab-stop children the focus moves among.
LRESULT TabKeys(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HWND dialog, TabChar tabChar)
{
    if (msg == WM_CHAR && wParam == '\t' && tabChar == TabChar::KeepOut)
        return 0;
    if (msg == WM_KEYDOWN && wParam == VK_TAB) {
        const BOOL backwards = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(dialog, hwnd, backwards))
            SetFocus(next);
        return 0;
    }
    return subclass::CallPrevious(hwnd, msg, wParam, lParam);
}

// The strip between a combo box's edit field and its button, in the face
// colour.
void PaintComboGap(HWND combo)
{
    const HWND edit = GetDlgItem(combo, kComboEditId);
    RECT rc, field;
    if (!edit || !GetClientRect(combo, &rc) || !GetClientRect(edit, &field))
        return;
    rc.left = field.right;
    rc.right -= GetSystemMetrics(SM_CXVSCROLL);
    rc.bottom += 1;
    zt::Owned<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    zt::WindowDC dc(combo);
    if (face && dc)
        FillRect(dc, &rc, face);
}

}  // namespace

LRESULT WINAPI EditSubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return TabKeys(hwnd, msg, wParam, lParam, GetParent(hwnd), TabChar::KeepOut);
}

LRESULT WINAPI CBEditSubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return TabKeys(hwnd, msg, wParam, lParam, GetParent(GetParent(hwnd)), TabChar::KeepOut);
}

LRESULT WINAPI ComboboxSubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = TabKeys(hwnd, msg, wParam, lParam, GetParent(hwnd), TabChar::PassOn);
    if (msg == WM_PAINT)
        PaintComboGap(hwnd);
    return result;
}

LRESULT WINAPI ListboxSubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return TabKeys(hwnd, msg, wParam, lParam, GetParent(hwnd), TabChar::PassOn);
}

LRESULT WINAPI ButtonSubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return TabKeys(hwnd, msg, wParam, lParam, GetParent(hwnd), TabChar::PassOn);
}

void TB_SubclassControl(const ToolNode& tool)
{
    switch (tool.Type) {
    case TBT_EDIT:      subclass::Install(tool.Control, EditSubProc); break;
    case TBT_DROPLIST:  subclass::Install(tool.Control, ListboxSubProc); break;
    case TBT_BUTTONCTL: subclass::Install(tool.Control, ButtonSubProc); break;
    case TBT_COMBO:
        subclass::Install(tool.Control, ComboboxSubProc);
        if (HWND edit = GetDlgItem(tool.Control, kComboEditId))
            subclass::Install(edit, CBEditSubProc);
        break;
    }
}
