// Sending to other windows, and knowing whether the sender survived it.
#include "notify.h"

bool SendFrom(HWND target, UINT msg, WPARAM wParam, LPARAM lParam, HWND from)
{
    SendMessageA(target, msg, wParam, lParam);
    return IsWindow(from) != FALSE;
}

bool SendCommand(HWND target, int id, UINT code, HWND from)
{
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(id), LOWORD(code));
    return SendFrom(target, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(from), from);
}

bool TellParent(HWND control, UINT code)
{
    HWND parent = GetParent(control);
    return !parent || SendCommand(parent, GetDlgCtrlID(control), code, control);
}

LRESULT NotifyParent(HWND control, UINT code)
{
    if (!GetParent(control))
        return 0;
    TellParent(control, code);
    return 1;
}
