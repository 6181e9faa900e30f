// Horizontal slider: a thumb on a horizontal groove shows one value between 0
// (left) and the range (right).  The mouse, the keyboard and the control's
// messages move it; with SLS_NOTIFY the parent hears of every change made by
// the user and of the start and end of every drag.
#include "gdiguard.h"
#include "slider.h"

#include <algorithm>
#include <optional>
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

HGeometry MB_Geometry(HWND hwnd, const HSliderState& s)
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

LRESULT MB_Create(HWND hwnd)
{
    auto* state = CreateState<HSliderState>(hwnd);
    if (!state)
        return -1;
    state->Range = 255;
    ControlCreateHook(hwnd);
    return 0;
}

void MB_Destroy(HWND hwnd)
{
    FreeState<HSliderState>(hwnd);
    ControlDestroyHook(hwnd);
}

// Clamps and stores a value; repaints the old thumb place with erasing and
// the new one without.  TRUE when the value changed.
BOOL MB_SetPosition(HWND hwnd, HSliderState* state, long long value)
{
    return slider::SetPosition(hwnd, state, MB_Geometry(hwnd, *state), value);
}

// A change made by the user: stored and, on a change, reported.
void MB_UserMove(HWND hwnd, HSliderState* state, long long value)
{
    if (MB_SetPosition(hwnd, state, value))
        slider::Notify(hwnd, SLN_POSCHANGED);
}

void MB_ButtonDown(HWND hwnd, HSliderState* state, POINT pt)
{
    MB_UserMove(hwnd, state, MB_Geometry(hwnd, *state).ValueAt(pt.x));
    slider::BeginDrag(hwnd, state->Dragging);
}

void MB_MouseMove(HWND hwnd, HSliderState* state, POINT pt)
{
    if (!state->Dragging)
        return;
    const HGeometry g = MB_Geometry(hwnd, *state);
    MB_UserMove(hwnd, state, g.ValueAt(g.ClampToTrack(pt.x)));
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

bool MB_KeyDown(HWND hwnd, HSliderState* state, WPARAM key)
{
    const auto value = MB_KeyValue(key, state->Position, state->Range);
    if (!value)
        return false;
    MB_UserMove(hwnd, state, slider::ClampKeyValue(*value));
    return true;
}

// ---- Painting -------------------------------------------------------------

void MB_PaintGroove(HDC dc, const HGeometry& g)
{
    const int B = g.B;
    zt::Select pen(dc, TextPen);
    slider::Lines(dc, {{g.x0, g.yt}, {g.x1, g.yt}, {g.x1, g.yb}, {g.x0, g.yb}, {g.x0, g.yt}});
    SelectObject(dc, ShadowPen);
    slider::Lines(dc, {{g.x0 + B, g.yb - B}, {g.x0 + B, g.yt + B}, {g.x1, g.yt + B}});
    SelectObject(dc, HighlightPen);
    slider::Lines(dc, {{g.x0, g.yb + B}, {g.x1 + B, g.yb + B}, {g.x1 + B, g.yt}});
}

// One line above and one below the groove for every mark, shifted right by `shift`.
void MB_PaintTickLines(HDC dc, const HGeometry& g, LONG count, int shift)
{
    for (LONG i = 0; i < count; ++i) {
        const int x = slider::Coord(g.x0 + static_cast<long long>(i) * g.W / (count - 1)) + shift;
        slider::Lines(dc, {{x, kTickOffset}, {x, g.m - kTickOffset}});
        slider::Lines(dc, {{x, g.h - g.m + kTickOffset}, {x, g.h - kTickOffset}});
    }
}

// Marks from the groove's left end to its right end, where the margins leave room.
void MB_PaintTicks(HDC dc, const HGeometry& g, LONG count)
{
    if (count < 2 || g.m < 5)
        return;
    zt::Select pen(dc, ShadowPen);
    MB_PaintTickLines(dc, g, count, 0);
    SelectObject(dc, HighlightPen);
    MB_PaintTickLines(dc, g, count, g.B);
}

void MB_PaintThumb(HDC dc, const HGeometry& g, LONG position, bool focused)
{
    const int B = g.B, xt = g.ThumbLeft(position), t = g.h / 8, b = g.h - g.h / 8;
    zt::Select pen(dc, TextPen);
    zt::Select brush(dc, focused ? TextBrush : FaceBrush);
    Rectangle(dc, xt, t, xt + 8 * B + 1, b);
    SelectObject(dc, HighlightPen);
    slider::Lines(dc, {{xt + 7 * B, t + B}, {xt + B, t + B}, {xt + B, b - B}});
    slider::Lines(dc, {{xt + 2 * B, b - 3 * B}, {xt + 2 * B, t + B}});
    SelectObject(dc, ShadowPen);
    slider::Lines(dc, {{xt + 7 * B, t + B}, {xt + 7 * B, b - 2 * B}, {xt + B, b - 2 * B}});
    slider::Lines(dc, {{xt + 6 * B, t + 2 * B}, {xt + 6 * B, b - 2 * B}});
}

// The sunken frame along the client's edges.
void MB_PaintFrame(HDC dc, const HGeometry& g)
{
    const int B = g.B;
    zt::Select pen(dc, ShadowPen);
    slider::Lines(dc, {{g.w, 0}, {0, 0}, {0, g.h}});
    SelectObject(dc, HighlightPen);
    slider::Lines(dc, {{g.w - B, 0}, {g.w - B, g.h - B}, {0, g.h - B}});
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
void MB_Paint(HWND hwnd, const HSliderState& s, HDC dc)
{
    const bool focused = GetFocus() == hwnd;
    const HGeometry g = MB_Geometry(hwnd, s);
    MB_PaintGroove(dc, g);
    MB_PaintTicks(dc, g, s.TickCount);
    MB_PaintThumb(dc, g, s.Position, focused);
    if (WindowStyle(hwnd) & SLS_BORDER)
        MB_PaintFrame(dc, g);
    if (s.ShowLabels)
        MB_PaintLabels(dc, g);
}

}  // namespace

LRESULT WINAPI MB_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return MB_Create(hwnd);
    auto* state = GetState<HSliderState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case WM_DESTROY:
        MB_Destroy(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(hwnd);
        MB_Paint(hwnd, *state, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        MB_Paint(hwnd, *state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (MB_KeyDown(hwnd, state, wParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
        MB_MouseMove(hwnd, state, MousePoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        MB_ButtonDown(hwnd, state, MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        slider::EndDrag(hwnd, state->Dragging);
        return 0;
    case MBM_SETTICKS:
        return slider::SetAndRepaint(hwnd, state->TickCount, value);
    case MBM_GETTICKS:
        return state->TickCount;
    case MBM_SETPOS:
        MB_SetPosition(hwnd, state, value);
        return 0;
    case MBM_GETPOS:
        return state->Position;
    case MBM_SETLABELS:
        return slider::SetAndRepaint(hwnd, state->ShowLabels, value);
    case MBM_GETLABELS:
        return state->ShowLabels;
    case MBM_SETUSERVALUE:
        return std::exchange(state->UserValue, value);
    case MBM_GETUSERVALUE:
        return state->UserValue;
    case MBM_SETRANGE:
        if (value >= 1)  // a range below 1 is refused
            slider::SetAndRepaint(hwnd, state->Range, value);
        return 0;
    case MBM_GETRANGE:
        return state->Range;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
