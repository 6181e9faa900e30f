// The gallery's status line, its hot key and the mouse hook's reports.
#include "status.h"
#include "help.h"
#include "ztctrl32.h"

#include <cstdio>

namespace {

constexpr int kPaneWidths[] = {160, 360, 0};  // the clock takes the rest
constexpr UINT kToggleKey = 'S';              // Ctrl+Alt+S

// The frame's client area below the gallery, where the strip lies.
RECT StripArea(HWND frame, UINT height)
{
    RECT rc;
    GetClientRect(frame, &rc);
    rc.top = rc.bottom - static_cast<LONG>(height);
    return rc;
}

// Ctrl+Alt+S: hides the status line (the frame then paints its area) or
// shows it again.
void ToggleStatusLine(HWND frame)
{
    const UINT height = StatusLine_GetHeight(frame);
    if (height) {
        const RECT strip = StripArea(frame, height);
        StatusLine_Enable(frame, FALSE);
        InvalidateRect(frame, &strip, TRUE);
    } else {
        StatusLine_Enable(frame, TRUE);
        StatusLine_SetText(frame, kReportPane, "Ctrl+Alt+S hides the status line");
    }
}

void ShowMousePress(HWND frame, WPARAM message, LPARAM hit)
{
    char text[80];
    if (message == WM_LBUTTONDOWN)
        std::snprintf(text, sizeof text, "Mouse hook: a left press on the centred DIB view");
    else
        std::snprintf(text, sizeof text, "Mouse hook: a left press on the centred DIB view's border (hit-test %ld)",
                      static_cast<long>(hit));
    StatusLine_SetText(frame, kReportPane, text);
}

// A hint for the menu item under the pointer, or for the toolbar button
// held (no menu); the panes come back when the menu closes or the button is
// let go.
void ShowMenuHint(HWND frame, WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        StatusLine_PopText(frame);
        return;
    }
    if (lParam == 0) {
        StatusLine_PushText(frame, "Release the mouse button over the tool to click it, elsewhere to let it go");
        return;
    }
    StatusLine_PushText(frame, MenuHint(LOWORD(wParam), (HIWORD(wParam) & MF_POPUP) != 0));
}

}  // namespace

void Status_Create(HWND frame)
{
    StatusLine_Create(frame, static_cast<int>(sizeof kPaneWidths / sizeof kPaneWidths[0]), kPaneWidths);
    StatusLine_SetText(frame, kReportPane, "Press the centred DIB view; Ctrl+Alt+S hides this line");
    ZTC_SetHotKeys(frame, kHotKeyMessage, 1, &kToggleKey);
}

void Status_Destroy(HWND frame)
{
    ZTC_KillHotKeys(frame);
}

void Status_Tick(HWND frame, bool fixedTime)
{
    SYSTEMTIME now{};
    if (fixedTime)
        now.wHour = 12;
    else
        GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    StatusLine_SetText(frame, kClockPane, text);
}

void Status_Report(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto control = reinterpret_cast<HWND>(lParam);
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    char text[80];
    if (msg == WM_COMMAND && lstrcmpiA(name, ZTC_BMPBTN_CLASS) == 0)
        std::snprintf(text, sizeof text, "Bitmap button %d clicked", LOWORD(wParam));
    else if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && lstrcmpiA(name, ZTC_MUSCROLL_CLASS) == 0)
        std::snprintf(text, sizeof text, "Multi-scroll %d stepped to %d", GetDlgCtrlID(control),
                      static_cast<SHORT>(HIWORD(wParam)));
    else
        return;
    StatusLine_SetText(frame, kReportPane, text);
}

LRESULT Status_Message(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MENUSELECT:
        ShowMenuHint(frame, wParam, lParam);
        break;
    case kHotKeyMessage:
        ToggleStatusLine(frame);
        break;
    case kMousePressMessage:
        ShowMousePress(frame, wParam, lParam);
        break;
    }
    return 0;
}
