// What every control's window procedure shares: the state block kept in
// window long 0, the pieces of a message (mouse point, style) and repainting
// at once.
#pragma once
#include <windows.h>

#include <type_traits>

// ---- State block in window long 0 ------------------------------------------
// Every control keeps the address of its zero-filled state block in window
// long 0 (pointer-sized on 64-bit Windows).  The block is plain data: it is
// made by zero-filling local memory, never by a constructor.
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
    static_assert(std::is_trivially_copyable_v<State>, "a state block lives in zero-filled local memory");
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

// ---- Messages ----------------------------------------------------------------

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

// ---- Repainting ----------------------------------------------------------------

// Invalidates the rectangle (null: the whole client area), with or without
// erasing, and paints it now instead of at the next WM_PAINT.
inline void RedrawNow(HWND hwnd, const RECT* rc, BOOL erase)
{
    InvalidateRect(hwnd, rc, erase);
    UpdateWindow(hwnd);
}

// WM_SETFOCUS and WM_KILLFOCUS of a control whose look shows the focus: the
// whole client area is repainted, without erasing.
inline LRESULT FocusChanged(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}
