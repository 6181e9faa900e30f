// What the horizontal and the vertical slider share: the window procedure,
// the mouse, the keys, the messages both answer, the position setter, the
// notifications and the spreading of tick marks.  Each slider's file holds
// only what differs, as an axis type handed to these templates:
//
//   struct Axis {
//       using State = ...;  // plain state block with Position, Range,
//                           // TickCount and Dragging
//       static void Init(State&);                  // defaults after zero-filling
//       static Geometry Measure(HWND, const State&);  // ThumbRect(p), ValueAt(c),
//                                                  // ClampToTrack(c)
//       static int Along(POINT);                   // the pointer on the axis
//       static std::optional<long long> KeyValue(WPARAM key, LONG p, LONG r);
//       static LRESULT Paint(HWND, const State&, HDC);
//       static LRESULT Command(HWND, State&, UINT, WPARAM, LPARAM);  // its own
//   };                                             // messages; DefWindowProcA else
#pragma once
#include "access.h"
#include "gdiguard.h"
#include "notify.h"
#include "window.h"
#include "ztcore.h"

#include <algorithm>
#include <optional>

// The messages both sliders answer have the same numbers.
static_assert(MBM_SETTICKS == SLM_SETTICKS && MBM_GETTICKS == SLM_GETTICKS && MBM_SETPOS == SLM_SETPOS &&
              MBM_GETPOS == SLM_GETPOS && MBM_SETRANGE == SLM_SETRANGE && MBM_GETRANGE == SLM_GETRANGE);

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

// Calls mark(offset) for the offsets i * length / (count - 1), i = 0 ..
// count - 1, of count >= 2 marks spread over `length` pixels, each distinct
// offset once, and only for those between `lo` and `hi`, the offsets that can
// show.  With at least as many marks as pixels every offset from 0 to length
// has a mark, so the work follows the pixels in view, neither the count nor
// the length (which a huge thumb makes huge).
template <class Mark>
void ForEachTick(LONG count, int length, long long lo, long long hi, Mark mark)
{
    if (count < 2)
        return;
    // Distances d >= 0 along the groove; the offset is -d for a negative length.
    const bool back = length < 0;
    const long long steps = count - 1LL, span = back ? -static_cast<long long>(length) : length;
    const long long first = std::max(0LL, back ? -hi : lo), last = std::min(span, back ? -lo : hi);
    const auto at = [&](long long d) { mark(back ? -d : d); };
    if (steps >= span) {
        for (long long d = first; d <= last; ++d)
            at(d);
        return;
    }
    for (long long i = first * steps / span; i <= steps; ++i) {
        const long long d = i * span / steps;
        if (d > last)
            break;
        if (d >= first)
            at(d);
    }
}

// Sends a notification to the parent when the style (read now) asks for it;
// false when the parent's handler destroyed the slider.
inline bool Notify(HWND hwnd, UINT code)
{
    return !(WindowStyle(hwnd) & SLS_NOTIFY) || TellParent(hwnd, code);
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
// erasing and the new one without.  TRUE when the value changed.
template <class Axis>
BOOL SetPosition(HWND hwnd, typename Axis::State& s, long long value)
{
    const LONG p = static_cast<LONG>(std::clamp<long long>(value, 0, s.Range));
    if (p == s.Position)
        return FALSE;
    const auto g = Axis::Measure(hwnd, s);
    const RECT before = g.ThumbRect(s.Position);
    InvalidateRect(hwnd, &before, TRUE);
    s.Position = p;
    const RECT after = g.ThumbRect(p);
    InvalidateRect(hwnd, &after, FALSE);
    access::ValueChanged(hwnd);
    return TRUE;
}

// A change made by the user: stored and, on a change, reported.  False when
// the report made the parent destroy the slider.
template <class Axis>
bool UserMove(HWND hwnd, typename Axis::State& s, long long value)
{
    return !SetPosition<Axis>(hwnd, s, value) || Notify(hwnd, SLN_POSCHANGED);
}

template <class Axis>
LRESULT Create(HWND hwnd)
{
    auto* s = CreateState<typename Axis::State>(hwnd);
    if (!s)
        return -1;
    Axis::Init(*s);
    ControlCreateHook(hwnd);
    return 0;
}

template <class Axis>
LRESULT Destroy(HWND hwnd)
{
    FreeState<typename Axis::State>(hwnd);
    ControlDestroyHook(hwnd);
    return 0;
}

// A press anywhere moves the value to the pointer first; then the drag
// begins: capture, focus, the cursor as the style asks, and the report.
template <class Axis>
LRESULT ButtonDown(HWND hwnd, typename Axis::State& s, POINT pt)
{
    if (!UserMove<Axis>(hwnd, s, Axis::Measure(hwnd, s).ValueAt(Axis::Along(pt))))
        return 0;
    s.Dragging = 1;
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
    Notify(hwnd, SLN_BEGINDRAG);
    return 0;
}

// While dragging, the pointer (kept on the track) moves the value.
template <class Axis>
LRESULT MouseMove(HWND hwnd, typename Axis::State& s, POINT pt)
{
    if (s.Dragging) {
        const auto g = Axis::Measure(hwnd, s);
        UserMove<Axis>(hwnd, s, g.ValueAt(g.ClampToTrack(Axis::Along(pt))));
    }
    return 0;
}

// The left-button release that ends a drag; any other release is ignored.
template <class State>
LRESULT ButtonUp(HWND hwnd, State& s)
{
    if (!s.Dragging)
        return 0;
    ReleaseCapture();
    s.Dragging = 0;
    const DWORD style = WindowStyle(hwnd);
    if (style & SLS_CLIPCURSOR)
        ClipCursor(nullptr);
    if (style & SLS_HIDECURSOR)
        ShowCursor(TRUE);
    Notify(hwnd, SLN_ENDDRAG);
    return 0;
}

// A key of the slider's table moves the value (clamped to 0..32767 first);
// other keys get the default handling.
template <class Axis>
LRESULT KeyDown(HWND hwnd, typename Axis::State& s, WPARAM key, LPARAM keyData)
{
    const std::optional<long long> value = Axis::KeyValue(key, s.Position, s.Range);
    if (!value)
        return DefWindowProcA(hwnd, WM_KEYDOWN, key, keyData);
    UserMove<Axis>(hwnd, s, std::clamp<long long>(*value, 0, kKeyLimit));
    return 0;
}

// A value set by message is never reported; the message answers 0.
template <class Axis>
LRESULT SetPositionMessage(HWND hwnd, typename Axis::State& s, LONG value)
{
    SetPosition<Axis>(hwnd, s, value);
    return 0;
}

// A range below 1 is refused; the position stays, even above a new range.
inline LRESULT SetRange(HWND hwnd, LONG& range, LONG value)
{
    if (value >= 1)
        SetAndRepaint(hwnd, range, value);
    return 0;
}

// The messages both sliders answer; the others are the axis's own.
template <class Axis>
LRESULT Command(HWND hwnd, typename Axis::State& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case SLM_SETTICKS: return SetAndRepaint(hwnd, s.TickCount, value);
    case SLM_GETTICKS: return s.TickCount;
    case SLM_SETPOS:   return SetPositionMessage<Axis>(hwnd, s, value);
    case SLM_GETPOS:   return s.Position;
    case SLM_SETRANGE: return SetRange(hwnd, s.Range, value);
    case SLM_GETRANGE: return s.Range;
    default:           return Axis::Command(hwnd, s, msg, wParam, lParam);
    }
}

// What a screen reader hears of a slider: its position as the value.  A
// value a client sets moves the slider as a key would: clamped to the
// range and, when it changed, reported to the parent.
template <class Axis>
class Accessible : public access::StateObject<typename Axis::State> {
public:
    using access::StateObject<typename Axis::State>::StateObject;

private:
    LONG Role(LONG) const override { return ROLE_SYSTEM_SLIDER; }
    bool Value(LONG, access::Text& text) const override
    {
        text.Number(this->S()->Position);
        return true;
    }
    HRESULT SetValue(LONG, const WCHAR* text) override
    {
        long long value;
        if (!access::Number(text, value))
            return E_INVALIDARG;
        UserMove<Axis>(this->hwnd_, *this->S(), value);
        return S_OK;
    }
};

template <class Axis>
LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return Create<Axis>(hwnd);
    auto* state = GetState<typename Axis::State>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return Command<Axis>(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:     return Destroy<Axis>(hwnd);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:   return FocusChanged(hwnd);  // the thumb's fill shows the focus
    case WM_PAINT:
    case WM_PRINTCLIENT: return Axis::Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_GETDLGCODE:  return DLGC_WANTARROWS;
    case WM_KEYDOWN:     return KeyDown<Axis>(hwnd, *state, wParam, lParam);
    case WM_MOUSEMOVE:   return MouseMove<Axis>(hwnd, *state, MousePoint(lParam));
    case WM_LBUTTONDOWN: return ButtonDown<Axis>(hwnd, *state, MousePoint(lParam));
    case WM_LBUTTONUP:   return ButtonUp(hwnd, *state);
    case WM_GETOBJECT:   return access::Answer<Accessible<Axis>>(hwnd, wParam, lParam);
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace slider
