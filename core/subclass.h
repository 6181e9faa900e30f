// Putting a window procedure in front of a window's own (subclassing), for
// windows the library does not own: the controls placed on a toolbar and the
// frame window that carries a status line.
//
// Install answers the procedure it replaced and keeps it under a window
// property, so a subclass procedure may keep it in its own state as well or
// rely on the property alone; CallPrevious hands a message on to it; Restore
// puts it back.  The property is a parameter so that one window may carry
// several of the library's subclasses, each under its own name.
#pragma once
#include <windows.h>

namespace subclass {

constexpr char kPrevious[] = "zt_prevproc";

// Makes proc the window's procedure and keeps the previous one under the
// property.  Answers the previous procedure; null when the window's
// procedure could not be replaced.  Installing proc a second time changes
// nothing and answers the procedure it replaced the first time.
WNDPROC Install(HWND hwnd, WNDPROC proc, const char* property = kPrevious);

// The procedure Install replaced, or null.
WNDPROC Previous(HWND hwnd, const char* property = kPrevious);

// Hands the message to the procedure Install replaced (DefWindowProcA when
// there is none).  At WM_NCDESTROY, the window's last message, the property
// is removed as well.
LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const char* property = kPrevious);

// Puts the previous procedure back and removes the property, when proc is
// still the window's procedure.  When another procedure was installed over
// proc since, it would be cut off: then nothing changes and the answer is
// false.
bool Restore(HWND hwnd, WNDPROC proc, const char* property = kPrevious);

}  // namespace subclass
