// Multi-scroll control: two arrow buttons in one window, split down the
// middle.  Each step of a pressed arrow moves a signed value within a range
// by one and is reported to a target window as a scroll-bar message; a held
// arrow repeats after 400 ms and then every 50 ms.
#include "access.h"
#include "gdiguard.h"
#include "notify.h"
#include "window.h"
#include "ztcore.h"

#include <cstdint>

namespace {

struct MultiScrollState {
    HWND Target;    // receives the scroll reports and notifications
    DWORD Style;    // private copy of the creation style
    LONG Minimum;
    LONG Maximum;
    LONG Value;
    DWORD Flags;    // MSF_ bits
};

constexpr DWORD MSF_DISABLED = 0x01;    // arrows drawn in outline
constexpr DWORD MSF_OUTSIDE = 0x04;     // pointer outside the pressed half
constexpr DWORD MSF_FIRSTDOWN = 0x08;   // top or left half pressed
constexpr DWORD MSF_SECONDDOWN = 0x10;  // bottom or right half pressed
constexpr DWORD MSF_DOWN = MSF_FIRSTDOWN | MSF_SECONDDOWN;

constexpr UINT_PTR MSTIMER_DELAY = 500;
constexpr UINT_PTR MSTIMER_REPEAT = 501;
constexpr UINT kDelayMs = 400;
constexpr UINT kRepeatMs = 50;

constexpr WORD kCodeFirst = SB_LINEUP;      // 0, also SB_LINELEFT
constexpr WORD kCodeSecond = SB_LINEDOWN;   // 1, also SB_LINERIGHT
constexpr WORD kCodePlaced = SB_THUMBTRACK; // 5: value placed by message

// The control's geometry: client size, halves and quarters.  Painting,
// hit-testing and invalidation all start from it.
struct Geometry {
    int w, h;    // client size
    int hw, hh;  // half width, half height
    int qw, qh;  // quarter of the half width, quarter of the height
};

Geometry MS_Geometry(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    Geometry g;
    g.w = rc.right;
    g.h = rc.bottom;
    g.hw = g.w >> 1;
    g.hh = g.h >> 1;
    g.qw = g.hw >> 1;
    g.qh = g.h >> 2;
    return g;
}

bool IsVertical(const MultiScrollState& s)
{
    return (s.Style & MSS_VERT) != 0;
}

// The dividing coordinate: y of a vertical control, x of a horizontal one.
// The pixel on it belongs to the first half.
int MS_Middle(const MultiScrollState& s, const Geometry& g)
{
    return IsVertical(s) ? g.hh : g.hw;
}

// The client rectangle narrowed to the pressed half.
RECT MS_HalfRect(HWND hwnd, const MultiScrollState& s)
{
    const Geometry g = MS_Geometry(hwnd);
    const int mid = MS_Middle(s, g);
    RECT rc{0, 0, g.w, g.h};
    LONG& from = IsVertical(s) ? rc.top : rc.left;
    LONG& to = IsVertical(s) ? rc.bottom : rc.right;
    if (s.Flags & MSF_SECONDDOWN)
        from = mid;
    if (s.Flags & MSF_FIRSTDOWN)
        to = mid + 1;
    return rc;
}

// Midpoint of a range without overflow; the result lies within the range.
LONG Centre(LONG minimum, LONG maximum)
{
    return static_cast<LONG>((static_cast<long long>(minimum) + maximum) >> 1);
}

// ---- Window text: "minimum,maximum,value" ----------------------------------

// Reads one unsigned decimal number ended by a comma (skipped) or the end of
// the text.  False for a missing field, a stray character or 0xFFFFFFFF.
bool ReadNumber(const char*& p, std::uint32_t& number)
{
    if (*p == '\0')
        return false;
    number = 0;
    for (;;) {
        const char c = *p;
        if (c == '\0')
            break;
        ++p;
        if (c == ',')
            break;
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return number != 0xFFFFFFFFu;
}

// Parses the three numbers; a maximum below the minimum is refused as well.
bool MS_ParseText(const char* text, LONG& minimum, LONG& maximum, LONG& value)
{
    std::uint32_t n[3];
    for (std::uint32_t& field : n)
        if (!ReadNumber(text, field))
            return false;
    const auto lo = static_cast<LONG>(n[0]), hi = static_cast<LONG>(n[1]);
    if (hi < lo)
        return false;
    minimum = lo;
    maximum = hi;
    value = static_cast<LONG>(n[2]);
    return true;
}

// ---- Messages to the target -------------------------------------------------

// Both answer whether the control still exists afterwards.

bool MS_Report(HWND hwnd, const MultiScrollState& s, WORD code)
{
    const UINT msg = IsVertical(s) ? WM_VSCROLL : WM_HSCROLL;
    return SendFrom(s.Target, msg, MAKEWPARAM(code, LOWORD(s.Value)), reinterpret_cast<LPARAM>(hwnd), hwnd);
}

bool MS_Notify(HWND hwnd, HWND target, WORD code)
{
    return SendCommand(target, GetDlgCtrlID(hwnd), code, hwnd);
}

// Stores a new value; a client hears of it when it changed.
void MS_Store(HWND hwnd, MultiScrollState& s, LONG value)
{
    if (s.Value == value)
        return;
    s.Value = value;
    access::ValueChanged(hwnd);
}

// ---- Creation and destruction -------------------------------------------------

LRESULT MS_Create(HWND hwnd, const CREATESTRUCTA& cs)
{
    auto* s = CreateState<MultiScrollState>(hwnd);
    if (!s)
        return -1;
    s->Target = GetParent(hwnd);
    s->Style = static_cast<DWORD>(cs.style);
    s->Minimum = 0;
    s->Maximum = 9;
    s->Value = 5;
    if ((s->Style & MSS_TEXTINIT) && cs.lpszName)
        MS_ParseText(cs.lpszName, s->Minimum, s->Maximum, s->Value);
    if (s->Value < s->Minimum || s->Value > s->Maximum)
        s->Value = Centre(s->Minimum, s->Maximum);
    s->Flags = 0;
    ControlCreateHook(hwnd);
    return 0;
}

LRESULT MS_Destroy(HWND hwnd)
{
    FreeState<MultiScrollState>(hwnd);
    ControlDestroyHook(hwnd);
    return 0;
}

// ---- Mouse and timers ------------------------------------------------------------

// One step of the pressed half: the first half decrements and the second
// increments (the other way round with MSS_REVERSE); the scroll code names
// the half, not the direction.  False when the report's receiver destroyed
// the control.
bool MS_Step(HWND hwnd, MultiScrollState& s)
{
    WORD code;
    bool up;
    if (s.Flags & MSF_FIRSTDOWN) {
        code = kCodeFirst;
        up = (s.Style & MSS_REVERSE) != 0;
    } else if (s.Flags & MSF_SECONDDOWN) {
        code = kCodeSecond;
        up = (s.Style & MSS_REVERSE) == 0;
    } else {
        return true;
    }
    const bool blocked = up ? s.Value == s.Maximum : s.Value == s.Minimum;
    if (!blocked)
        MS_Store(hwnd, s, s.Value + (up ? 1 : -1));
    if (blocked && (s.Style & MSS_NOLIMITNOTIFY))
        return true;
    return MS_Report(hwnd, s, code);
}

LRESULT MS_Press(HWND hwnd, MultiScrollState& s, POINT pt)
{
    const Geometry g = MS_Geometry(hwnd);
    const int along = IsVertical(s) ? pt.y : pt.x;
    s.Flags |= along <= MS_Middle(s, g) ? MSF_FIRSTDOWN : MSF_SECONDDOWN;
    const RECT half = MS_HalfRect(hwnd, s);
    RedrawNow(hwnd, &half, TRUE);
    if (!MS_Step(hwnd, s))
        return 0;
    SetCapture(hwnd);
    SetTimer(hwnd, MSTIMER_DELAY, kDelayMs, nullptr);
    return 0;
}

LRESULT MS_Track(HWND hwnd, MultiScrollState& s, POINT pt)
{
    if (!(s.Flags & MSF_DOWN))
        return 0;
    const RECT half = MS_HalfRect(hwnd, s);
    const DWORD before = s.Flags;
    if (PtInRect(&half, pt))
        s.Flags &= ~MSF_OUTSIDE;
    else
        s.Flags |= MSF_OUTSIDE;
    if (s.Flags != before)
        RedrawNow(hwnd, &half, TRUE);
    return 0;
}

void MS_KillTimers(HWND hwnd)
{
    KillTimer(hwnd, MSTIMER_DELAY);
    KillTimer(hwnd, MSTIMER_REPEAT);
}

LRESULT MS_Release(HWND hwnd, MultiScrollState& s)
{
    MS_KillTimers(hwnd);
    ReleaseCapture();
    const bool drawnPressed = (s.Flags & MSF_DOWN) && !(s.Flags & MSF_OUTSIDE);
    const RECT half = MS_HalfRect(hwnd, s);
    s.Flags &= ~(MSF_DOWN | MSF_OUTSIDE);
    if (drawnPressed)
        RedrawNow(hwnd, &half, TRUE);
    return 0;
}

LRESULT MS_CancelMode(HWND hwnd, MultiScrollState& s)
{
    s.Flags &= ~(MSF_DOWN | MSF_OUTSIDE);
    MS_KillTimers(hwnd);
    ReleaseCapture();
    return 0;
}

LRESULT MS_Timer(HWND hwnd, MultiScrollState& s, UINT_PTR id)
{
    if (id == MSTIMER_DELAY) {
        KillTimer(hwnd, MSTIMER_DELAY);
        SetTimer(hwnd, MSTIMER_REPEAT, kRepeatMs, nullptr);
    }
    if (!(s.Flags & MSF_OUTSIDE))
        MS_Step(hwnd, s);
    return 0;
}

LRESULT MS_Enable(HWND hwnd, MultiScrollState& s, bool enabled)
{
    if (enabled)
        s.Flags &= ~MSF_DISABLED;
    else
        s.Flags |= MSF_DISABLED;
    RedrawNow(hwnd, nullptr, TRUE);
    return 0;
}

// ---- Painting --------------------------------------------------------------------

// The bevel of one half, sunken when pressed; the caller's pen is restored.
void MS_DrawBevel(HDC dc, int l, int t, int r, int b, bool pressed)
{
    if (pressed) {
        zt::Lines(dc, ShadowPen, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
        return;
    }
    zt::Lines(dc, ShadowPen, {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t}});
    zt::Lines(dc, ShadowPen, {{l + 2, b - 2}, {r - 2, b - 2}, {r - 2, t + 1}});
    zt::Lines(dc, HighlightPen, {{l + 1, b - 2}, {l + 1, t + 1}, {r - 1, t + 1}});
}

void Triangle(HDC dc, POINT a, POINT b, POINT c)
{
    const POINT points[3] = {a, b, c};
    Polygon(dc, points, 3);
}

// Filled arrows, each shifted by one pixel right and down while its half is
// drawn pressed.
void MS_PaintArrows(HDC dc, bool vertical, const Geometry& g, int d1, int d2)
{
    zt::Select brush(dc, TextBrush);
    if (vertical) {
        const int x1 = g.hw + d1, y1 = g.qh + d1;
        Triangle(dc, {x1, y1 - 2}, {x1 - 3, y1 + 1}, {x1 + 3, y1 + 1});
        const int x2 = g.hw + d2, y2 = g.hh + g.qh + d2;
        Triangle(dc, {x2, y2 + 1}, {x2 - 3, y2 - 2}, {x2 + 3, y2 - 2});
    } else {
        const int x1 = g.qw + d1, y1 = g.hh + d1;
        Triangle(dc, {x1 - 2, y1}, {x1 + 1, y1 + 3}, {x1 + 1, y1 - 3});
        const int x2 = g.hw + g.qw + d2, y2 = g.hh + d2;
        Triangle(dc, {x2 + 1, y2}, {x2 - 2, y2 + 3}, {x2 - 2, y2 - 3});
    }
}

// Outlined arrows of a disabled control: two edges each, dark and light.
void MS_PaintOutlineArrows(HDC dc, bool vertical, const Geometry& g)
{
    const int hw = g.hw, hh = g.hh, qw = g.qw, qh = g.qh;
    if (vertical) {
        zt::Lines(dc, TextPen, {{hw, qh - 2}, {hw - 3, qh + 1}});
        zt::Lines(dc, TextPen, {{hw - 3, hh + qh - 2}, {hw + 3, hh + qh - 2}});
        zt::Lines(dc, HighlightPen, {{hw - 3, qh + 1}, {hw + 3, qh + 1}});
        zt::Lines(dc, HighlightPen, {{hw + 3, hh + qh - 2}, {hw, hh + qh + 1}});
        SetPixel(dc, hw, hh + qh + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    } else {
        zt::Lines(dc, TextPen, {{qw - 2, hh}, {qw + 1, hh - 3}});
        zt::Lines(dc, TextPen, {{hw + qw - 2, hh - 3}, {hw + qw - 2, hh + 3}});
        zt::Lines(dc, HighlightPen, {{qw + 1, hh - 3}, {qw + 1, hh + 3}});
        zt::Lines(dc, HighlightPen, {{hw + qw + 1, hh}, {hw + qw - 2, hh + 3}});
    }
}

LRESULT MS_Paint(HWND hwnd, const MultiScrollState& s, HDC dc)
{
    const Geometry g = MS_Geometry(hwnd);
    const bool vertical = IsVertical(s);
    const bool outside = (s.Flags & MSF_OUTSIDE) != 0;
    const int d1 = (s.Flags & MSF_FIRSTDOWN) && !outside ? 1 : 0;
    const int d2 = (s.Flags & MSF_SECONDDOWN) && !outside ? 1 : 0;

    zt::Select brush(dc, FaceBrush);
    zt::Select pen(dc, TextPen);
    Rectangle(dc, 0, 0, g.w, g.h);
    if (vertical) {
        zt::Lines(dc, TextPen, {{0, g.hh}, {g.w, g.hh}});
        MS_DrawBevel(dc, 0, 0, g.w - 1, g.hh, d1 != 0);
        MS_DrawBevel(dc, 0, g.hh, g.w - 1, g.h - 1, d2 != 0);
    } else {
        zt::Lines(dc, TextPen, {{g.hw, 0}, {g.hw, g.h}});
        MS_DrawBevel(dc, 0, 0, g.hw, g.h - 1, d1 != 0);
        MS_DrawBevel(dc, g.hw, 0, g.w - 1, g.h - 1, d2 != 0);
    }
    if (s.Flags & MSF_DISABLED)
        MS_PaintOutlineArrows(dc, vertical, g);
    else
        MS_PaintArrows(dc, vertical, g, d1, d2);
    return 0;
}

// ---- Control messages ------------------------------------------------------------

LRESULT Low16(LONG_PTR v)
{
    return static_cast<LRESULT>(LOWORD(v));
}

// A setter whose notification made the receiver destroy the control
// answers -1, as for a refusal: the change was not made.

LRESULT MS_SetTarget(HWND hwnd, MultiScrollState& s, HWND target)
{
    if (!IsWindow(target))
        return -1;
    const HWND previous = s.Target;
    if (!MS_Notify(hwnd, previous, MSN_DETACHED))
        return -1;
    s.Target = target;
    MS_Notify(hwnd, target, MSN_ATTACHED);
    return Low16(reinterpret_cast<LONG_PTR>(previous));
}

LRESULT MS_SetRange(HWND hwnd, MultiScrollState& s, LPARAM lParam)
{
    const LONG minimum = static_cast<SHORT>(LOWORD(lParam));
    const LONG maximum = static_cast<SHORT>(HIWORD(lParam));
    if (maximum <= minimum)
        return -1;
    if (!MS_Notify(hwnd, s.Target, MSN_RANGECHANGING))
        return -1;
    const LRESULT old = MAKELONG(LOWORD(s.Minimum), LOWORD(s.Maximum));
    s.Minimum = minimum;
    s.Maximum = maximum;
    if (!(s.Minimum < s.Value && s.Value < s.Maximum)) {
        MS_Store(hwnd, s, Centre(s.Minimum, s.Maximum));
        MS_Report(hwnd, s, kCodePlaced);
    }
    return old;
}

LRESULT MS_SetValue(HWND hwnd, MultiScrollState& s, WPARAM wParam)
{
    const auto value = static_cast<LONG>(wParam);
    if (value < s.Minimum || value > s.Maximum)
        return -1;
    const LONG previous = s.Value;
    MS_Store(hwnd, s, value);
    MS_Report(hwnd, s, kCodePlaced);
    return Low16(previous);
}

// Sets or clears a style bit; answers whether it was set before.
LRESULT SetStyleBit(MultiScrollState& s, DWORD bit, bool on)
{
    const LRESULT before = (s.Style & bit) ? 1 : 0;
    if (on)
        s.Style |= bit;
    else
        s.Style &= ~bit;
    return before;
}

LRESULT MS_Command(HWND hwnd, MultiScrollState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case MSM_SETTARGET:
        return MS_SetTarget(hwnd, s, reinterpret_cast<HWND>(wParam));
    case MSM_GETTARGET:
        return Low16(reinterpret_cast<LONG_PTR>(s.Target));
    case MSM_SETRANGE:
        return MS_SetRange(hwnd, s, lParam);
    case MSM_GETRANGE:
        return MAKELONG(LOWORD(s.Minimum), LOWORD(s.Maximum));
    case MSM_SETVALUE:
        return MS_SetValue(hwnd, s, wParam);
    case MSM_GETVALUE:
        return Low16(s.Value);
    case MSM_SETNOLIMITNOTIFY:
        return SetStyleBit(s, MSS_NOLIMITNOTIFY, wParam != 0);
    case MSM_GETNOLIMITNOTIFY:
        return (s.Style & MSS_NOLIMITNOTIFY) ? 1 : 0;
    case MSM_SETREVERSE:
        return SetStyleBit(s, MSS_REVERSE, wParam != 0);
    case MSM_GETREVERSE:
        return (s.Style & MSS_REVERSE) ? 1 : 0;
    default:
        return 0;
    }
}

// A screen reader sees a spin button whose value is the control's.  A value
// a client sets is placed as MSM_SETVALUE places it (reported to the
// target); one out of the range is refused.  With MSS_TEXTINIT the window
// text is the range, not a name.
class MultiScrollAccessible : public access::StateObject<MultiScrollState> {
public:
    using StateObject::StateObject;

private:
    LONG Role(LONG) const override { return ROLE_SYSTEM_SPINBUTTON; }
    LONG States(LONG, LONG standard) const override { return standard & ~STATE_SYSTEM_FOCUSABLE; }
    bool TextIsName() const override { return !(S()->Style & MSS_TEXTINIT); }
    bool Value(LONG, access::Text& text) const override
    {
        text.Number(S()->Value);
        return true;
    }
    HRESULT SetValue(LONG, const WCHAR* text) override
    {
        long long value;
        if (!access::Number(text, value) || value < S()->Minimum || value > S()->Maximum)
            return E_INVALIDARG;
        MS_SetValue(hwnd_, *S(), static_cast<WPARAM>(static_cast<LONG>(value)));
        return S_OK;
    }
};

}  // namespace

LRESULT WINAPI MS_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return MS_Create(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    auto* state = GetState<MultiScrollState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return MS_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:       return MS_Destroy(hwnd);
    case WM_PAINT:
    case WM_PRINTCLIENT:   return MS_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_ERASEBKGND:    return 0;  // the paint covers the whole client area
    case WM_ENABLE:        return MS_Enable(hwnd, *state, wParam != 0);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return MS_Press(hwnd, *state, MousePoint(lParam));
    case WM_MOUSEMOVE:     return MS_Track(hwnd, *state, MousePoint(lParam));
    case WM_LBUTTONUP:     return MS_Release(hwnd, *state);
    case WM_TIMER:         return MS_Timer(hwnd, *state, wParam);
    case WM_CANCELMODE:    return MS_CancelMode(hwnd, *state);
    case WM_GETOBJECT:     return access::Answer<MultiScrollAccessible>(hwnd, wParam, lParam);
    default:               return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
