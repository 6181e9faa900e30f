// Messages a control sends to other windows: its notifications, commands and
// reports.  Every one is sent, not posted, so the receiver's handler may
// destroy the sending control.  Each sender therefore answers whether the
// control still exists afterwards; a control that gets false touches nothing
// of its own any more (state, capture, cursor, timers) and returns at once.
#pragma once
#include <windows.h>

// Sends the message to target; true when `from`, the sending control, still
// exists afterwards.  The target's answer is not kept.
bool SendFrom(HWND target, UINT msg, WPARAM wParam, LPARAM lParam, HWND from);

// WM_COMMAND to target: the id in the low word of wParam, the low 16 bits of
// the code in the high word, `from` as lParam.  True when `from` still exists.
bool SendCommand(HWND target, int id, UINT code, HWND from);

// WM_COMMAND (the control's id, code) to the control's parent: 1 when it was
// sent, 0 (and nothing sent) when the control has no parent.
LRESULT NotifyParent(HWND control, UINT code);

// NotifyParent for a control that goes on working afterwards: false when the
// parent's handler destroyed the control.
bool TellParent(HWND control, UINT code);
