// The gallery's toolbar along the top of the frame: stock push buttons, a
// check button, a radio group, an edit field, a drop-down list, a combo box,
// a push-button control and a dragger.  The frame is its associate and
// shows what it hears at the toolbar's right end and in the status line.
#pragma once
#include <windows.h>

// Makes the toolbar (at the frame's WM_CREATE, after the status line).
void Toolbar_Create(HWND frame);
// Releases the toolbar's strip (at the frame's WM_DESTROY).
void Toolbar_Destroy(HWND frame);
// A report the frame received (WM_COMMAND, a scroll message or a dragger's
// question, lParam the sender): true, with the frame's answer, when it came
// from the toolbar or one of its tools.
bool Toolbar_Hears(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& answer);
