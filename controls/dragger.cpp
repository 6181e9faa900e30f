// Dragger window class.  The class is registered with the others so that
// dialog templates can already name it; its picture and drop behaviour are
// not written yet, so for now it behaves as a plain child window.
#include "ztcore.h"

LRESULT WINAPI DR_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
