// Horizontal slider: a thumb on a horizontal groove shows one value between 0
// (left) and the range (right).  The mouse, the keyboard and the control's
// messages move it; with SLS_NOTIFY the parent hears of every change made by
// the user and of the start and end of every drag.
#include "slider.h"

#include <utility>

namespace {

struct HSliderState {
    LONG Position;
    LONG Range;
    LONG TickCount;
    LONG Dragging;
    LONG ShowLabels;
    LONG UserValue;
};

constexpr UINT kLeftLabel = 1;   // string "L"
constexpr UINT kRightLabel = 2;  // string "R"
constexpr int kLabelHeight = 10;
constexpr int kTickOffset = 4;   // pixels, not scaled

// The groove and thumb geometry of one client size, shared by the painter,
// the mouse and the invalidation of a moving thumb.
struct HGeometry {
    int B;       // border unit
    int w, h;    // client size
    int a;       // end inset: 4B, or 10B with labels
    int x0, x1;  // the groove's drawn ends
    int W;       // drawing width x1 - x0
    int Wm;      // mouse width W + 1
    int m;       // vertical margin
    int yt, yb;  // the groove's top and bottom edges
    LONG Range;

    // The thumb's centre: x0 + ceil(p * W / Range) for p >= 0.
    int Centre(LONG p) const
    {
        return slider::Coord(x0 + (static_cast<long long>(p) * W + Range - 1) / Range);
    }
    // The thumb body's left edge.
    int ThumbLeft(LONG p) const { return Centre(p) - 4 * B; }
    // What a thumb at p covers down to the client's bottom edge.
    RECT ThumbRect(LONG p) const
    {
        const int xc = Centre(p);
        return RECT{xc - 4 * B, h / 8, xc + 5 * B, h};
    }
    // The value under a pointer x (before clamping to the range); 0 when the
    // client is too narrow for a mouse width.
    long long ValueAt(int x) const
    {
        if (Wm <= 0)
            return 0;
        return (static_cast<long long>(x - x0) * Range + Wm - 1) / Wm;
    }
    // A dragging pointer's x kept within x0 .. x0 + Wm.
    int ClampToTrack(int x) const { return std::max(x0, std::min(x, x0 + Wm)); }
};

HGeometry MB_Measure(HWND hwnd, const HSliderState& s)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HGeometry g{};
    g.B = BorderUnit;
    g.w = rc.right;
    g.h = rc.bottom;
    g.a = (s.ShowLabels ? 10 : 4) * g.B;
    g.x0 = g.a;
    g.x1 = g.w - g.a - 1;
    g.W = g.x1 - g.x0;
    g.Wm = (g.w - g.a) - g.a;
    g.m = g.h > 7 * g.B ? (g.h - 7 * g.B) / 2 : g.h / 4;
    g.yt = g.m * g.B;
    g.yb = g.h - (g.m + 1) * g.B;
    g.Range = s.Range;
    return g;
}

// The value a key asks for, or nothing for a key the slider leaves alone.
std::optional<long long> MB_KeyValue(WPARAM key, LONG p, LONG r)
{
    const long long pos = p;
    switch (key) {
    case VK_SPACE: return r / 2;
    case VK_PRIOR: return pos + r / 8;
    case VK_NEXT:  return pos - r / 8;
    case VK_END:   return slider::kKeyLimit;
    case VK_HOME:  return 0;
    case VK_LEFT:  return pos - 1;
    case VK_RIGHT: return pos + 1;
    default:       return std::nullopt;
    }
}

// ---- Painting -------------------------------------------------------------

void MB_PaintGroove(HDC dc, const HGeometry& g)
{
    const int B = g.B;
    zt::Lines(dc, TextPen, {{g.x0, g.yt}, {g.x1, g.yt}, {g.x1, g.yb}, {g.x0, g.yb}, {g.x0, g.yt}});
    zt::Lines(dc, ShadowPen, {{g.x0 + B, g.yb - B}, {g.x0 + B, g.yt + B}, {g.x1, g.yt + B}});
    zt::Lines(dc, HighlightPen, {{g.x0, g.yb + B}, {g.x1 + B, g.yb + B}, {g.x1 + B, g.yt}});
}

// One line above and one below the groove for every mark, shifted right by
// `shift`, all with the pen selected once.
void MB_PaintTickLines(HDC dc, const HGeometry& g, LONG count, HPEN pen, int shift)
{
    zt::Select selected(dc, pen);
    slider::ForEachTick(count, g.W, -g.x0 - g.B, g.w - g.x0, [&](long long offset) {
        const int x = slider::Coord(g.x0 + offset) + shift;
        zt::Lines(dc, nullptr, {{x, kTickOffset}, {x, g.m - kTickOffset}});
        zt::Lines(dc, nullptr, {{x, g.h - g.m + kTickOffset}, {x, g.h - kTickOffset}});
    });
}

// Marks from the groove's left end to its right end, where the margins leave room.
void MB_PaintTicks(HDC dc, const HGeometry& g, LONG count)
{
    if (g.m < 5)
        return;
    MB_PaintTickLines(dc, g, count, ShadowPen, 0);
    MB_PaintTickLines(dc, g, count, HighlightPen, g.B);
}

void MB_PaintThumb(HDC dc, const HGeometry& g, LONG position, bool focused)
{
    const int B = g.B, xt = g.ThumbLeft(position), t = g.h / 8, b = g.h - g.h / 8;
    zt::Select pen(dc, TextPen);
    zt::Select brush(dc, focused ? TextBrush : FaceBrush);
    Rectangle(dc, xt, t, xt + 8 * B + 1, b);
    zt::Lines(dc, HighlightPen, {{xt + 7 * B, t + B}, {xt + B, t + B}, {xt + B, b - B}});
    zt::Lines(dc, HighlightPen, {{xt + 2 * B, b - 3 * B}, {xt + 2 * B, t + B}});
    zt::Lines(dc, ShadowPen, {{xt + 7 * B, t + B}, {xt + 7 * B, b - 2 * B}, {xt + B, b - 2 * B}});
    zt::Lines(dc, ShadowPen, {{xt + 6 * B, t + 2 * B}, {xt + 6 * B, b - 2 * B}});
}

// The sunken frame along the client's edges.
void MB_PaintFrame(HDC dc, const HGeometry& g)
{
    const int B = g.B;
    zt::Lines(dc, ShadowPen, {{g.w, 0}, {0, 0}, {0, g.h}});
    zt::Lines(dc, HighlightPen, {{g.w - B, 0}, {g.w - B, g.h - B}, {0, g.h - B}});
}

void MB_DrawLabel(HDC dc, UINT id, int x, int y)
{
    char text[8];
    const int length = LoadStringA(LibInstance, id, text, sizeof text);
    ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

// "L" at the left end and "R" at the right end, on the groove's bottom line.
void MB_PaintLabels(HDC dc, const HGeometry& g)
{
    LOGFONTA lf{};
    lf.lfHeight = kLabelHeight;
    zt::Owned<HFONT> font(CreateFontIndirectA(&lf));
    zt::Select selected(dc, font);
    const COLORREF background = SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    MB_DrawLabel(dc, kLeftLabel, 0, g.yb);
    SetTextAlign(dc, TA_BASELINE | TA_RIGHT);
    MB_DrawLabel(dc, kRightLabel, g.w, g.yb);
    SetTextAlign(dc, align);
    SetBkColor(dc, background);
}

// Draws over what is there; the class brush erases wherever erasing was asked.
LRESULT MB_Paint(HWND hwnd, const HSliderState& s, HDC dc)
{
    const bool focused = GetFocus() == hwnd;
    const HGeometry g = MB_Measure(hwnd, s);
    MB_PaintGroove(dc, g);
    MB_PaintTicks(dc, g, s.TickCount);
    MB_PaintThumb(dc, g, s.Position, focused);
    if (WindowStyle(hwnd) & SLS_BORDER)
        MB_PaintFrame(dc, g);
    if (s.ShowLabels)
        MB_PaintLabels(dc, g);
    return 0;
}

// The horizontal slider's own messages: the labels and the application's value.
LRESULT MB_Command(HWND hwnd, HSliderState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case MBM_SETLABELS:    return slider::SetAndRepaint(hwnd, s.ShowLabels, value);
    case MBM_GETLABELS:    return s.ShowLabels;
    case MBM_SETUSERVALUE: return std::exchange(s.UserValue, value);  // no repaint
    case MBM_GETUSERVALUE: return s.UserValue;
    default:               return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// The axis the shared slider code works along: x, 0 at the left.
struct Horizontal {
    using State = HSliderState;
    static void Init(State& s) { s.Range = 255; }
    static int Along(POINT pt) { return pt.x; }
    static constexpr auto Measure = MB_Measure;
    static constexpr auto KeyValue = MB_KeyValue;
    static constexpr auto Paint = MB_Paint;
    static constexpr auto Command = MB_Command;
};

}  // namespace

LRESULT WINAPI MB_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return slider::WndProc<Horizontal>(hwnd, msg, wParam, lParam);
}
