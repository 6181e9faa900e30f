// Library-internal declarations: the process-wide globals, the shared drawing
// objects, transparent drawing and the per-window hooks.  What else the
// library shares lives beside it by subject: window.h (state block, message
// pieces, repainting), notify.h (sending to other windows), subclass.h,
// gdiguard.h (drawing guards and lines), toolbar/toolimages.h and frame/dib.h.
#pragma once
#include <windows.h>
#include "ztctrl32.h"

// ---- Library globals (per process) --------------------------------------
extern HINSTANCE LibInstance;   // this module
extern int BorderUnit;          // SM_CYBORDER: unit of control geometry
extern int AttachCount;         // process attachments not yet detached
extern HCURSOR CursorTable[16]; // library cursors 500..515

extern HPEN ShadowPen;          // COLOR_BTNSHADOW, BorderUnit wide
extern HPEN HighlightPen;       // COLOR_BTNHIGHLIGHT, BorderUnit wide
extern HPEN TextPen;            // COLOR_WINDOWTEXT, BorderUnit wide
extern HBRUSH TextBrush;        // COLOR_WINDOWTEXT
extern HBRUSH FaceBrush;        // COLOR_BTNFACE
extern HBITMAP MenuLogoBitmap;  // small logo on the menu colour

// ---- Entry and shared objects ---------------------------------------------
BOOL WINAPI LibraryEntry(HINSTANCE instance, DWORD reason, LPVOID reserved);
void LoadLibraryCursors(HINSTANCE instance);
void CreateSharedObjects();
void DeleteSharedObjects();
HBITMAP MakeMenuLogo();
// A menu entry shows MenuLogoBitmap: a colour change keeps it alive until
// the last detach instead of deleting it.
void MenuLogoShown();

// Draws the top-left cx x cy pixels of the bitmap at (x, y), leaving the
// destination unchanged where the bitmap is pure white.  The bitmap's white
// pixels are blackened in place.  dest must have the default text (black)
// and background (white) colours.
void TransparentBlt(HDC dest, HBITMAP bitmap, int x, int y, int cx, int cy);

// Per-window and library hooks: intentionally empty.
void ControlCreateHook(HWND hwnd);
void ControlDestroyHook(HWND hwnd);
void LibraryDetachHook();
