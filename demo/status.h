// The gallery's status line: the timed slider's value, the last report of a
// button, and the time; menu hints while a menu is open; a Ctrl+Alt hot key
// that hides and shows it; and the presses on a DIB view that the library's
// mouse hook reports.
#pragma once
#include <windows.h>

// Panes of the frame's status line, for StatusLine_SetText.
enum StatusPane { kSliderPane, kReportPane, kClockPane };

// Posted to the frame: the hot key (Ctrl+Alt+S) and a left press that the
// mouse hook reports (wParam the mouse message, lParam the hit-test code).
constexpr UINT kHotKeyMessage = WM_APP + 1;
constexpr UINT kMousePressMessage = WM_APP + 2;

// Attaches the status line and the hot key to the frame (at its WM_CREATE).
void Status_Create(HWND frame);
// Removes the hot key (at the frame's WM_DESTROY).
void Status_Destroy(HWND frame);
// Shows the time; called on every timer tick, repaints once a second.  For
// pictures (fixedTime) it shows 12:00:00, so that they do not depend on when
// they are taken.
void Status_Tick(HWND frame, bool fixedTime);
// Shows a report (WM_COMMAND or a scroll message) of a button in its pane.
void Status_Report(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_MENUSELECT, kHotKeyMessage and kMousePressMessage of the frame.
LRESULT Status_Message(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam);
