// Multi-scroll window class.  Registered with the others; its behaviour is not written
// yet, so for now it behaves as a plain child window.
#include "ztcore.h"

LRESULT WINAPI MS_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
