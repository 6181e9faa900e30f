// What the horizontal and the vertical slider share: the clamping rules, the
// notifications, the start and end of a drag and a line helper.
#pragma once
#include "ztcore.h"

#include <algorithm>
#include <initializer_list>

namespace slider {

// No key moves a slider above this value.
constexpr long long kKeyLimit = 32767;

// Geometry is computed with 64-bit intermediates and handed to GDI clamped to
// +-2^29, so that sums of a few coordinates stay within int whatever the range,
// the thumb size or the position.
constexpr long long kCoordLimit = 1LL << 29;

inline int Coord(long long v)
{
    return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

// A value clamped to 0..range.
inline LONG ClampToRange(long long value, LONG range)
{
    return static_cast<LONG>(std::clamp<long long>(value, 0, range));
}

// A key's candidate value clamped to 0..32767.
inline long long ClampKeyValue(long long candidate)
{
    return std::clamp<long long>(candidate, 0, kKeyLimit);
}

// Sends a notification to the parent when the style (read now) asks for it.
inline void Notify(HWND hwnd, UINT code)
{
    if (WindowStyle(hwnd) & SLS_NOTIFY)
        NotifyParent(hwnd, code);
}

// Stores a setting that changes the whole picture and repaints everything
// with erasing when it differs; answers the previous value.
inline LONG SetAndRepaint(HWND hwnd, LONG& field, LONG value)
{
    const LONG previous = field;
    if (previous != value) {
        field = value;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return previous;
}

// Clamps a value to 0..Range and stores it; repaints the old thumb place with
// erasing and the new one without.  TRUE when the value changed.  The
// geometry `g` is the slider's own (HGeometry or VGeometry).
template <class State, class Geometry>
BOOL SetPosition(HWND hwnd, State* state, const Geometry& g, long long value)
{
    const LONG p = ClampToRange(value, state->Range);
    if (p == state->Position)
        return FALSE;
    const RECT before = g.ThumbRect(state->Position);
    InvalidateRect(hwnd, &before, TRUE);
    state->Position = p;
    const RECT after = g.ThumbRect(p);
    InvalidateRect(hwnd, &after, FALSE);
    return TRUE;
}

// The end of a left-button press, after the press has moved the value.
inline void BeginDrag(HWND hwnd, LONG& dragging)
{
    dragging = 1;
    SetCapture(hwnd);
    SetFocus(hwnd);
    const DWORD style = WindowStyle(hwnd);
    if (style & SLS_CLIPCURSOR) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        ClipCursor(&rc);
    }
    if (style & SLS_HIDECURSOR)
        ShowCursor(FALSE);
    if (style & SLS_NOTIFY)
        NotifyParent(hwnd, SLN_BEGINDRAG);
}

// The left-button release that ends a drag; any other release is ignored.
inline void EndDrag(HWND hwnd, LONG& dragging)
{
    if (!dragging)
        return;
    ReleaseCapture();
    dragging = 0;
    const DWORD style = WindowStyle(hwnd);
    if (style & SLS_CLIPCURSOR)
        ClipCursor(nullptr);
    if (style & SLS_HIDECURSOR)
        ShowCursor(TRUE);
    if (style & SLS_NOTIFY)
        NotifyParent(hwnd, SLN_ENDDRAG);
}

// MoveToEx to the first point, LineTo the others (the last point stays unpainted).
inline void Lines(HDC dc, std::initializer_list<POINT> points)
{
    const POINT* p = points.begin();
    MoveToEx(dc, p->x, p->y, nullptr);
    for (++p; p != points.end(); ++p)
        LineTo(dc, p->x, p->y);
}

}  // namespace slider
