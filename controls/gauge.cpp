// Gauge: a framed horizontal bar filled from the left in proportion to a
// percentage, with the percentage written in the middle.  The text is drawn
// twice, each pass clipped to one part of the bar, so that it shows in the
// window colour over the filled part and in the bar colour over the rest.
#include "access.h"
#include "gdiguard.h"
#include "window.h"
#include "ztcore.h"

#include <algorithm>

namespace {

struct GaugeState {
    HFONT Font;         // application's font; null means SYSTEM_FONT
    LONG Percent;       // 0..100 fills the bar; not range-checked
    COLORREF BarColor;  // colour of the filled part
};

// The longest text " %d%% " makes of a 32-bit value, " -2147483648% ",
// is 14 characters.
constexpr int kTextSize = 14 + 1;

// The gauge's geometry for a client area w x h: the inside of the frame and
// its split at the boundary x = 1 + percent * w / 100, kept within 1..w-1.
struct GaugeLayout {
    RECT inside;  // client rectangle shrunk by one pixel on each side
    RECT filled;  // (1, 1, x, h - 1)
    RECT empty;   // (x, 1, w - 1, h - 1)
};

GaugeLayout GA_Layout(const RECT& client, LONG percent)
{
    const int w = client.right, h = client.bottom;
    const long long fill = 1 + static_cast<long long>(percent) * w / 100;
    const int x = static_cast<int>(std::max(1LL, std::min(fill, static_cast<long long>(w) - 1)));
    return GaugeLayout{RECT{1, 1, w - 1, h - 1}, RECT{1, 1, x, h - 1}, RECT{x, 1, w - 1, h - 1}};
}

LRESULT GA_Create(HWND hwnd)
{
    auto* state = CreateState<GaugeState>(hwnd);
    if (!state)
        return -1;
    state->Font = nullptr;
    state->Percent = 0;
    state->BarColor = RGB(0, 0, 255);
    ControlCreateHook(hwnd);
    return 0;
}

LRESULT GA_Destroy(HWND hwnd)
{
    FreeState<GaugeState>(hwnd);
    ControlDestroyHook(hwnd);
    return 0;
}

// Repaints the inside of the frame without erasing: the painter covers it.
void GA_InvalidateBar(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT inside = GA_Layout(client, 0).inside;
    InvalidateRect(hwnd, &inside, FALSE);
}

LRESULT GA_SetFont(HWND hwnd, GaugeState& s, HFONT font, BOOL redraw)
{
    s.Font = font;
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

// GAM_SETPERCENT and GAM_SETCOLOR: no comparison with the old value, and success.
template <class T>
LRESULT GA_SetAndInvalidate(HWND hwnd, T& field, T value)
{
    field = value;
    GA_InvalidateBar(hwnd);
    return 1;
}

// A new percentage is painted even when it is the same; a client hears of
// it only when it changed.
LRESULT GA_SetPercent(HWND hwnd, GaugeState& s, LONG percent)
{
    const bool changed = s.Percent != percent;
    GA_SetAndInvalidate(hwnd, s.Percent, percent);
    if (changed)
        access::ValueChanged(hwnd);
    return 1;
}

// One pass of the text: fills the part with the paper colour and writes the
// text in the ink colour, clipped to the part.
void GA_TextPass(HDC dc, const RECT& part, POINT at, const char* text, int length, COLORREF ink,
                 COLORREF paper)
{
    SetTextColor(dc, ink);
    SetBkColor(dc, paper);
    ExtTextOutA(dc, at.x, at.y, ETO_OPAQUE | ETO_CLIPPED, &part, text, static_cast<UINT>(length), nullptr);
}

LRESULT GA_Paint(HWND hwnd, const GaugeState& s, HDC dc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int w = client.right, h = client.bottom;
    const GaugeLayout layout = GA_Layout(client, s.Percent);

    zt::Select pen(dc, TextPen);
    zt::Select font(dc, s.Font ? static_cast<HGDIOBJ>(s.Font) : GetStockObject(SYSTEM_FONT));
    Rectangle(dc, 0, 0, w, h);

    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SIZE letter{};  // the text's place follows the height of "X"
    GetTextExtentPoint32A(dc, "X", 1, &letter);
    char text[kTextSize];
    const int length = wsprintfA(text, " %d%% ", static_cast<int>(s.Percent));
    const POINT at{w / 2, (h - letter.cy) / 2};

    const COLORREF window = GetSysColor(COLOR_WINDOW);
    GA_TextPass(dc, layout.filled, at, text, length, window, s.BarColor);
    GA_TextPass(dc, layout.empty, at, text, length, s.BarColor, window);
    return 0;
}

LRESULT GA_Command(HWND hwnd, GaugeState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case GAM_SETPERCENT: return GA_SetPercent(hwnd, s, static_cast<LONG>(wParam));
    case GAM_SETCOLOR:   return GA_SetAndInvalidate(hwnd, s.BarColor, static_cast<COLORREF>(lParam));
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// A screen reader reads the gauge as a progress bar: "42%".
constexpr WCHAR kPercent[] = L"%";
using GaugeAccessible = access::Meter<GaugeState, &GaugeState::Percent, kPercent>;

}  // namespace

LRESULT WINAPI GA_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return GA_Create(hwnd);
    auto* state = GetState<GaugeState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return GA_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:     return GA_Destroy(hwnd);
    case WM_PAINT:
    case WM_PRINTCLIENT: return GA_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_SETFONT:     return GA_SetFont(hwnd, *state, reinterpret_cast<HFONT>(wParam), lParam != 0);
    case WM_GETFONT:     return reinterpret_cast<LRESULT>(state->Font);
    case WM_GETOBJECT:   return access::Answer<GaugeAccessible>(hwnd, wParam, lParam);
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
