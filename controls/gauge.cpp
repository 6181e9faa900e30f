// Gauge: a framed horizontal bar filled from the left in proportion to a
// percentage, with the percentage written in the middle.  The text is drawn
// twice, each pass clipped to one part of the bar, so that it shows in the
// window colour over the filled part and in the bar colour over the rest.
#include "ztcore.h"
#include "gdiguard.h"

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

void GA_Destroy(HWND hwnd)
{
    FreeState<GaugeState>(hwnd);
    ControlDestroyHook(hwnd);
}

// Repaints the inside of the frame without erasing: the painter covers it.
void GA_InvalidateBar(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT inside = GA_Layout(client, 0).inside;
    InvalidateRect(hwnd, &inside, FALSE);
}

void GA_SetFont(HWND hwnd, GaugeState* state, HFONT font, BOOL redraw)
{
    state->Font = font;
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
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

void GA_Paint(HWND hwnd, HDC dc)
{
    const auto* state = GetState<GaugeState>(hwnd);
    if (!state)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    const int w = client.right, h = client.bottom;
    const GaugeLayout layout = GA_Layout(client, state->Percent);

    zt::Select pen(dc, TextPen);
    zt::Select font(dc, state->Font ? static_cast<HGDIOBJ>(state->Font) : GetStockObject(SYSTEM_FONT));
    Rectangle(dc, 0, 0, w, h);

    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SIZE letter{};  // the text's place follows the height of "X"
    GetTextExtentPoint32A(dc, "X", 1, &letter);
    char text[kTextSize];
    const int length = wsprintfA(text, " %d%% ", static_cast<int>(state->Percent));
    const POINT at{w / 2, (h - letter.cy) / 2};

    const COLORREF window = GetSysColor(COLOR_WINDOW);
    GA_TextPass(dc, layout.filled, at, text, length, window, state->BarColor);
    GA_TextPass(dc, layout.empty, at, text, length, state->BarColor, window);
}

}  // namespace

LRESULT WINAPI GA_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* state = GetState<GaugeState>(hwnd);
    switch (msg) {
    case WM_CREATE:
        return GA_Create(hwnd);
    case WM_DESTROY:
        GA_Destroy(hwnd);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(hwnd);
        GA_Paint(hwnd, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        GA_Paint(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT:
        if (state)
            GA_SetFont(hwnd, state, reinterpret_cast<HFONT>(wParam), lParam != 0);
        return 0;
    case WM_GETFONT:
        return state ? reinterpret_cast<LRESULT>(state->Font) : 0;
    case GAM_SETPERCENT:
        if (state) {
            state->Percent = static_cast<LONG>(wParam);
            GA_InvalidateBar(hwnd);
        }
        return 1;
    case GAM_SETCOLOR:
        if (state) {
            state->BarColor = static_cast<COLORREF>(lParam);
            GA_InvalidateBar(hwnd);
        }
        return 1;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
