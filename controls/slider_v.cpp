// Vertical slider: the upright twin of the horizontal slider.  A thumb of
// settable height on a vertical groove shows one value between 0 (bottom) and
// the range (top); mouse, keyboard and messages move it, and with SLS_NOTIFY
// the parent hears of every change made by the user and of every drag.
#include "gdiguard.h"
#include "slider.h"

#include <algorithm>
#include <optional>

namespace {

struct VSliderState {
    LONG Position;
    LONG Range;
    LONG TickCount;
    LONG Dragging;
    LONG ThumbSize;
};

constexpr int kTickOffset = 4;  // pixels, not scaled

// The groove and thumb geometry of one client size and thumb size, shared by
// the painter, the mouse and the invalidation of a moving thumb.
struct VGeometry {
    int B;           // border unit
    int w, h;        // client size
    int m;           // horizontal margin
    int xl, xr;      // the groove's left and right edges
    int hh;          // half thumb: the groove's end inset
    int ytop, ybot;  // the groove's drawn ends
    int L;           // drawing length ybot - ytop
    int Lm;          // mouse length L + 2
    LONG T;          // thumb height in border units
    LONG Range;

    // The thumb's centre: ceil(p * L / Range) above ybot for p >= 0.
    int Centre(LONG p) const
    {
        return slider::Coord(ybot - (static_cast<long long>(p) * L + Range - 1) / Range);
    }
    // The thumb body's top edge.
    int ThumbTop(LONG p) const { return Centre(p) - hh; }
    // `units` border units below y.
    int Below(int y, long long units) const { return slider::Coord(y + units * B); }
    // What a thumb at p covers.
    RECT ThumbRect(LONG p) const
    {
        const int t = ThumbTop(p);
        return RECT{w / 5, t, w - w / 5, Below(t, T + 1LL)};
    }
    // The value under a pointer y measured from the client's top (before
    // clamping to the range); 0 when the client is too low for a mouse length.
    long long ValueAt(int y) const
    {
        if (Lm <= 0)
            return 0;
        return (static_cast<long long>(Lm - y) * Range + Lm - 1) / Lm;
    }
    // A dragging pointer's y kept within 0 .. Lm.
    int ClampToTrack(int y) const { return std::max(0, std::min(y, Lm)); }
};

VGeometry SL_Geometry(HWND hwnd, const VSliderState& s)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    VGeometry g{};
    g.B = BorderUnit;
    g.w = rc.right;
    g.h = rc.bottom;
    g.m = g.w > 7 * g.B ? (g.w - 7 * g.B) / 2 : g.w / 4;
    g.xl = g.m * g.B;
    g.xr = g.w - (g.m + 1) * g.B;
    g.T = s.ThumbSize;
    g.hh = slider::Coord(static_cast<long long>(g.T / 2) * g.B);
    g.ytop = g.hh;
    g.ybot = g.h - g.hh - 1;
    g.L = g.ybot - g.ytop;
    g.Lm = (g.h + 1 - g.hh) - g.hh;
    g.Range = s.Range;
    return g;
}

LRESULT SL_Create(HWND hwnd)
{
    auto* state = CreateState<VSliderState>(hwnd);
    if (!state)
        return -1;
    state->Range = 255;
    state->ThumbSize = 8;
    ControlCreateHook(hwnd);
    return 0;
}

void SL_Destroy(HWND hwnd)
{
    FreeState<VSliderState>(hwnd);
    ControlDestroyHook(hwnd);
}

// Clamps and stores a value; repaints the old thumb place with erasing and
// the new one without.  TRUE when the value changed.
BOOL SL_SetPosition(HWND hwnd, VSliderState* state, long long value)
{
    return slider::SetPosition(hwnd, state, SL_Geometry(hwnd, *state), value);
}

// A change made by the user: stored and, on a change, reported.
void SL_UserMove(HWND hwnd, VSliderState* state, long long value)
{
    if (SL_SetPosition(hwnd, state, value))
        slider::Notify(hwnd, SLN_POSCHANGED);
}

void SL_ButtonDown(HWND hwnd, VSliderState* state, POINT pt)
{
    SL_UserMove(hwnd, state, SL_Geometry(hwnd, *state).ValueAt(pt.y));
    slider::BeginDrag(hwnd, state->Dragging);
}

void SL_MouseMove(HWND hwnd, VSliderState* state, POINT pt)
{
    if (!state->Dragging)
        return;
    const VGeometry g = SL_Geometry(hwnd, *state);
    SL_UserMove(hwnd, state, g.ValueAt(g.ClampToTrack(pt.y)));
}

// The value a key asks for, or nothing for a key the slider leaves alone.
// Home goes to the top (the range) and End to the bottom (0).
std::optional<long long> SL_KeyValue(WPARAM key, LONG p, LONG r)
{
    const long long pos = p;
    switch (key) {
    case VK_SPACE: return r / 2;
    case VK_PRIOR: return pos + r / 8;
    case VK_NEXT:  return pos - r / 8;
    case VK_END:   return 0;
    case VK_HOME:  return slider::kKeyLimit;
    case VK_UP:    return pos + 1;
    case VK_DOWN:  return pos - 1;
    default:       return std::nullopt;
    }
}

bool SL_KeyDown(HWND hwnd, VSliderState* state, WPARAM key)
{
    const auto value = SL_KeyValue(key, state->Position, state->Range);
    if (!value)
        return false;
    SL_UserMove(hwnd, state, slider::ClampKeyValue(*value));
    return true;
}

// ---- Painting -------------------------------------------------------------

void SL_PaintGroove(HDC dc, const VGeometry& g)
{
    const int B = g.B;
    zt::Select pen(dc, TextPen);
    slider::Lines(dc, {{g.xl, g.ytop}, {g.xl, g.ybot}, {g.xr, g.ybot}, {g.xr, g.ytop}, {g.xl, g.ytop}});
    SelectObject(dc, ShadowPen);
    slider::Lines(dc, {{g.xr - B, g.ytop + B}, {g.xl + B, g.ytop + B}, {g.xl + B, g.ybot}});
    SelectObject(dc, HighlightPen);
    slider::Lines(dc, {{g.xr + B, g.ytop}, {g.xr + B, g.ybot + B}, {g.xl, g.ybot + B}});
}

// One line left and one right of the groove for every mark, shifted down by `shift`.
void SL_PaintTickLines(HDC dc, const VGeometry& g, LONG count, int shift)
{
    for (LONG i = 0; i < count; ++i) {
        const int y = slider::Coord(g.ytop + static_cast<long long>(i) * g.L / (count - 1)) + shift;
        slider::Lines(dc, {{kTickOffset, y}, {g.m - kTickOffset, y}});
        slider::Lines(dc, {{g.w - g.m + kTickOffset, y}, {g.w - kTickOffset, y}});
    }
}

// Marks from the groove's top end to its bottom end, where the margins leave room.
void SL_PaintTicks(HDC dc, const VGeometry& g, LONG count)
{
    if (count < 2 || g.m < 5)
        return;
    zt::Select pen(dc, ShadowPen);
    SL_PaintTickLines(dc, g, count, 0);
    SelectObject(dc, HighlightPen);
    SL_PaintTickLines(dc, g, count, g.B);
}

void SL_PaintThumb(HDC dc, const VGeometry& g, LONG position, bool focused)
{
    const int B = g.B, l = g.w / 5, r = g.w - g.w / 5, t = g.ThumbTop(position);
    const long long T = g.T;
    const int lower = g.Below(t, T - 1), low = g.Below(t, T - 2);
    zt::Select pen(dc, TextPen);
    zt::Select brush(dc, focused ? TextBrush : FaceBrush);
    Rectangle(dc, l, t, r, slider::Coord(g.Below(t, T) + 1LL));
    SelectObject(dc, HighlightPen);
    slider::Lines(dc, {{l + B, lower}, {l + B, t + B}, {r - B, t + B}});
    slider::Lines(dc, {{r - 3 * B, t + 2 * B}, {l + B, t + 2 * B}});
    SelectObject(dc, ShadowPen);
    slider::Lines(dc, {{l + B, lower}, {r - 2 * B, lower}, {r - 2 * B, t + B}});
    slider::Lines(dc, {{l + 2 * B, low}, {r - 2 * B, low}});
}

// Draws over what is there; the class brush erases wherever erasing was asked.
void SL_Paint(HWND hwnd, const VSliderState& s, HDC dc)
{
    const bool focused = GetFocus() == hwnd;
    const VGeometry g = SL_Geometry(hwnd, s);
    SL_PaintGroove(dc, g);
    SL_PaintTicks(dc, g, s.TickCount);
    SL_PaintThumb(dc, g, s.Position, focused);
}

}  // namespace

LRESULT WINAPI SL_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return SL_Create(hwnd);
    auto* state = GetState<VSliderState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case WM_DESTROY:
        SL_Destroy(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(hwnd);
        SL_Paint(hwnd, *state, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        SL_Paint(hwnd, *state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (SL_KeyDown(hwnd, state, wParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
        SL_MouseMove(hwnd, state, MousePoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        SL_ButtonDown(hwnd, state, MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        slider::EndDrag(hwnd, state->Dragging);
        return 0;
    case SLM_SETTICKS:
        return slider::SetAndRepaint(hwnd, state->TickCount, value);
    case SLM_GETTICKS:
        return state->TickCount;
    case SLM_SETPOS:
        SL_SetPosition(hwnd, state, value);
        return 0;
    case SLM_GETPOS:
        return state->Position;
    case SLM_SETTHUMBSIZE: {
        const LONG previous = state->ThumbSize;
        state->ThumbSize = value;
        InvalidateRect(hwnd, nullptr, TRUE);  // even when the size is the same
        return previous;
    }
    case SLM_GETTHUMBSIZE:
        return state->ThumbSize;
    case SLM_SETRANGE:
        if (value >= 1)  // a range below 1 is refused
            slider::SetAndRepaint(hwnd, state->Range, value);
        return 0;
    case SLM_GETRANGE:
        return state->Range;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
