// Subclassing with the replaced procedure kept under a window property.
#include "subclass.h"

namespace subclass {
namespace {

WNDPROC Current(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

}  // namespace

WNDPROC Install(HWND hwnd, WNDPROC proc, const char* property)
{
    if (WNDPROC previous = Previous(hwnd, property); previous && Current(hwnd) == proc)
        return previous;
    SetLastError(0);
    const LONG_PTR previous = SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    if (!previous && GetLastError() != 0)
        return nullptr;
    SetPropA(hwnd, property, reinterpret_cast<HANDLE>(previous));
    return reinterpret_cast<WNDPROC>(previous);
}

WNDPROC Previous(HWND hwnd, const char* property)
{
    return reinterpret_cast<WNDPROC>(GetPropA(hwnd, property));
}

LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const char* property)
{
    const WNDPROC previous = Previous(hwnd, property);
    if (msg == WM_NCDESTROY)
        RemovePropA(hwnd, property);
    if (!previous)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

bool Restore(HWND hwnd, WNDPROC proc, const char* property)
{
    const WNDPROC previous = Previous(hwnd, property);
    if (!previous || Current(hwnd) != proc)
        return false;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(hwnd, property);
    return true;
}

}  // namespace subclass
