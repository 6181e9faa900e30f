// Vertical slider: the upright twin of the horizontal slider.  A thumb of
// settable height on a vertical groove shows one value between 0 (bottom) and
// the range (top); mouse, keyboard and messages move it, and with SLS_NOTIFY
// the parent hears of every change made by the user and of every drag.
#include "slider.h"

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

VGeometry SL_Measure(HWND hwnd, const VSliderState& s)
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

// ---- Painting -------------------------------------------------------------

void SL_PaintGroove(HDC dc, const VGeometry& g)
{
    const int B = g.B;
    zt::Lines(dc, TextPen, {{g.xl, g.ytop}, {g.xl, g.ybot}, {g.xr, g.ybot}, {g.xr, g.ytop}, {g.xl, g.ytop}});
    zt::Lines(dc, ShadowPen, {{g.xr - B, g.ytop + B}, {g.xl + B, g.ytop + B}, {g.xl + B, g.ybot}});
    zt::Lines(dc, HighlightPen, {{g.xr + B, g.ytop}, {g.xr + B, g.ybot + B}, {g.xl, g.ybot + B}});
}

// One line left and one right of the groove for every mark, shifted down by
// `shift`, all with the pen selected once.
void SL_PaintTickLines(HDC dc, const VGeometry& g, LONG count, HPEN pen, int shift)
{
    zt::Select selected(dc, pen);
    slider::ForEachTick(count, g.L, -static_cast<long long>(g.ytop) - g.B, static_cast<long long>(g.h) - g.ytop,
                        [&](long long offset) {
        const int y = slider::Coord(g.ytop + offset) + shift;
        zt::Lines(dc, nullptr, {{kTickOffset, y}, {g.m - kTickOffset, y}});
        zt::Lines(dc, nullptr, {{g.w - g.m + kTickOffset, y}, {g.w - kTickOffset, y}});
    });
}

// Marks from the groove's top end to its bottom end, where the margins leave room.
void SL_PaintTicks(HDC dc, const VGeometry& g, LONG count)
{
    if (g.m < 5)
        return;
    SL_PaintTickLines(dc, g, count, ShadowPen, 0);
    SL_PaintTickLines(dc, g, count, HighlightPen, g.B);
}

void SL_PaintThumb(HDC dc, const VGeometry& g, LONG position, bool focused)
{
    const int B = g.B, l = g.w / 5, r = g.w - g.w / 5, t = g.ThumbTop(position);
    const long long T = g.T;
    const int lower = g.Below(t, T - 1), low = g.Below(t, T - 2);
    zt::Select pen(dc, TextPen);
    zt::Select brush(dc, focused ? TextBrush : FaceBrush);
    Rectangle(dc, l, t, r, slider::Coord(g.Below(t, T) + 1LL));
    zt::Lines(dc, HighlightPen, {{l + B, lower}, {l + B, t + B}, {r - B, t + B}});
    zt::Lines(dc, HighlightPen, {{r - 3 * B, t + 2 * B}, {l + B, t + 2 * B}});
    zt::Lines(dc, ShadowPen, {{l + B, lower}, {r - 2 * B, lower}, {r - 2 * B, t + B}});
    zt::Lines(dc, ShadowPen, {{l + 2 * B, low}, {r - 2 * B, low}});
}

// Draws over what is there; the class brush erases wherever erasing was asked.
LRESULT SL_Paint(HWND hwnd, const VSliderState& s, HDC dc)
{
    const bool focused = GetFocus() == hwnd;
    const VGeometry g = SL_Measure(hwnd, s);
    SL_PaintGroove(dc, g);
    SL_PaintTicks(dc, g, s.TickCount);
    SL_PaintThumb(dc, g, s.Position, focused);
    return 0;
}

// The vertical slider's own messages: the thumb size.
LRESULT SL_SetThumbSize(HWND hwnd, VSliderState& s, LONG size)
{
    const LONG previous = s.ThumbSize;
    s.ThumbSize = size;
    InvalidateRect(hwnd, nullptr, TRUE);  // even when the size is the same
    return previous;
}

LRESULT SL_Command(HWND hwnd, VSliderState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case SLM_SETTHUMBSIZE: return SL_SetThumbSize(hwnd, s, static_cast<LONG>(wParam));
    case SLM_GETTHUMBSIZE: return s.ThumbSize;
    default:               return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// The axis the shared slider code works along: y, 0 at the bottom.
struct Vertical {
    using State = VSliderState;
    static void Init(State& s)
    {
        s.Range = 255;
        s.ThumbSize = 8;
    }
    static int Along(POINT pt) { return pt.y; }
    static constexpr auto Measure = SL_Measure;
    static constexpr auto KeyValue = SL_KeyValue;
    static constexpr auto Paint = SL_Paint;
    static constexpr auto Command = SL_Command;
};

}  // namespace

LRESULT WINAPI SL_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return slider::WndProc<Vertical>(hwnd, msg, wParam, lParam);
}
