// Library-internal declarations: the process-wide globals, the shared drawing
// objects, parent notification, transparent drawing and the state block kept
// in window long 0.
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

// Sends WM_COMMAND (id, code) to the control's parent; 0 when it has none.
LRESULT NotifyParent(HWND control, UINT code);

// Draws the top-left cx x cy pixels of the bitmap at (x, y), leaving the
// destination unchanged where the bitmap is pure white.  The bitmap's white
// pixels are blackened in place.  dest must have the default text (black)
// and background (white) colours.
void TransparentBlt(HDC dest, HBITMAP bitmap, int x, int y, int cx, int cy);

// Per-window and library hooks: intentionally empty.
void ControlCreateHook(HWND hwnd);
void ControlDestroyHook(HWND hwnd);
void LibraryDetachHook();

// ---- Tool images and drawing objects ----------------------------------------
extern ToolBtnTDD DefaultTDD;
extern HBITMAP ToolImages[3];
extern BOOL ToolImagesReady;
extern HDC GlyphDC;
extern HDC MaskDC;
extern HBRUSH DitherBrush;
extern COLORREF DitherColours[2];

BOOL ToolBtn_InitImages(HINSTANCE hinst);
void ToolBtn_FreeImages();
COLORREF ToolBtn_HighlightColour();
HBRUSH ToolBtn_DitherBrush(COLORREF colour1, COLORREF colour2);

// ---- State block in window long 0 ------------------------------------------
// Every control keeps the address of its zero-filled state block in window
// long 0 (pointer-sized on 64-bit Windows).
template <class State>
State* GetState(HWND hwnd)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
}

// Allocates the block zero-filled from the local heap and stores it; null on
// failure (WM_CREATE then answers -1).
template <class State>
State* CreateState(HWND hwnd)
{
    auto* state = static_cast<State*>(LocalAlloc(LPTR, sizeof(State)));
    if (state)
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    return state;
}

// Frees the block (if any) and clears window long 0.
template <class State>
void FreeState(HWND hwnd)
{
    if (State* state = GetState<State>(hwnd)) {
        SetWindowLongPtrA(hwnd, 0, 0);
        LocalFree(state);
    }
}

// Signed 16-bit client coordinates from a mouse message's lParam.
inline POINT MousePoint(LPARAM lParam)
{
    return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

// Window style bits, read at the moment of use.
inline DWORD WindowStyle(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
}

// ---- Packed DIBs -------------------------------------------------------------
// Size in bytes of the colour table that follows the header: biClrUsed
// entries of four bytes, or else 2, 16 or 256 entries for 1, 4 and 8 bits
// and none for other bit counts.  The pixel bits begin at the header's
// address + biSize + this size.
int DIBColorTableSize(const BITMAPINFOHEADER* header);

// Locks a packed DIB (a global block holding a BITMAPINFOHEADER, its colour
// table and the pixel bits) for drawing, and unlocks it on scope exit.  The
// DIB is usable only when it is complete: a header of at least 40 bytes, a
// positive width, a nonzero height (negative: top-down rows), 1, 4, 8, 16,
// 24 or 32 bits, and a block that holds the colour table and every row (or
// the compressed bits) the header announces.  Otherwise nothing is drawn
// from it, so drawing never reads past the block.
class LockedDIB {
public:
    explicit LockedDIB(HGLOBAL dib);
    ~LockedDIB();
    LockedDIB(const LockedDIB&) = delete;
    LockedDIB& operator=(const LockedDIB&) = delete;

    bool usable() const { return bits_ != nullptr; }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(header_); }
    const void* bits() const { return bits_; }
    int width() const { return header_->biWidth; }
    int height() const { return rows_; }  // |biHeight|: rows, whatever their order

private:
    HGLOBAL dib_;
    const BITMAPINFOHEADER* header_;
    const void* bits_ = nullptr;
    int rows_ = 0;
};
