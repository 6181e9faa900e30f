// VU meter: a passive horizontal level display in a sunken frame, with
// green, yellow and red segments whose lengths come from three zone sizes.
#include "access.h"
#include "gdiguard.h"
#include "window.h"
#include "ztcore.h"

#include <algorithm>

namespace {

struct VUMeterState {
    LONG GreenZone;
    LONG RedZone;
    LONG YellowZone;
    LONG Level;
};

constexpr int kScale = 256;  // scale units across the meter

// Pixels covered by n scale units on a span of s pixels, truncated toward zero.
int ScaleToPixels(LONG n, int s)
{
    return static_cast<int>(static_cast<long long>(n) * s / kScale);
}

LRESULT VU_Create(HWND hwnd)
{
    auto* state = CreateState<VUMeterState>(hwnd);
    if (!state)
        return -1;
    state->GreenZone = 192;
    state->RedZone = 16;
    state->YellowZone = 48;
    state->Level = 0;
    ControlCreateHook(hwnd);
    return 0;
}

LRESULT VU_Destroy(HWND hwnd)
{
    FreeState<VUMeterState>(hwnd);
    ControlDestroyHook(hwnd);
    return 0;
}

LRESULT VU_SetZone(HWND hwnd, LONG& zone, LONG value)
{
    if (zone != value) {
        zone = value;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

LRESULT VU_SetLevel(HWND hwnd, VUMeterState& s, LONG level)
{
    if (s.Level == level)
        return 0;
    s.Level = level;
    RECT inner;
    GetClientRect(hwnd, &inner);
    InflateRect(&inner, -2, -2);
    InvalidateRect(hwnd, &inner, TRUE);
    access::ValueChanged(hwnd);
    return 0;
}

void FillSegment(HDC dc, int left, int right, int top, int bottom, COLORREF colour)
{
    zt::Owned<HBRUSH> brush(CreateSolidBrush(colour));
    RECT rc{left, top, right, bottom};
    FillRect(dc, &rc, brush);
}

void VU_PaintFrame(HDC dc, int w, int h)
{
    zt::Lines(dc, TextPen, {{0, 0}, {0, h - 2}, {w - 2, h - 2}, {w - 2, 0}, {0, 0}});
    zt::Lines(dc, ShadowPen, {{1, h - 3}, {1, 1}, {w - 2, 1}});
    zt::Lines(dc, HighlightPen, {{1, h - 1}, {w - 1, h - 1}, {w - 1, 0}});
}
void VU_PaintSegments(HDC dc, const VUMeterState& s, int w, int h)
{
    const long long zones = static_cast<long long>(s.GreenZone) + s.RedZone + s.YellowZone;
    if (zones == 0)
        return;
    const int top = 2, bottom = h - 2, span = w - 2;
    LONG r = s.Level;
    if (r <= 0)
        return;

    const int greenRight = ScaleToPixels(std::min(s.GreenZone, r), span);
    FillSegment(dc, 2, greenRight, top, bottom, RGB(0, 255, 0));
    r -= s.GreenZone;
    if (r <= 0)
        return;

    const int yellowRight = greenRight + ScaleToPixels(std::min(s.YellowZone, r), span);
    FillSegment(dc, greenRight, yellowRight, top, bottom, RGB(255, 255, 0));
    r -= s.YellowZone;
    if (r <= 0)
        return;

    const int redRight = yellowRight + ScaleToPixels(std::min(s.RedZone, r), span);
    FillSegment(dc, yellowRight, redRight, top, bottom, RGB(255, 0, 0));
}

LRESULT VU_Paint(HWND hwnd, const VUMeterState& s, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    VU_PaintFrame(dc, rc.right, rc.bottom);
    VU_PaintSegments(dc, s, rc.right, rc.bottom);
    return 0;
}

LRESULT VU_Command(HWND hwnd, VUMeterState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case VUM_SETRED:    return VU_SetZone(hwnd, s.RedZone, value);
    case VUM_SETYELLOW: return VU_SetZone(hwnd, s.YellowZone, value);
    case VUM_SETGREEN:  return VU_SetZone(hwnd, s.GreenZone, value);
    case VUM_SETLEVEL:  return VU_SetLevel(hwnd, s, value);
    default:            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// A screen reader reads the meter as a progress bar whose value is the
// level in scale units.
constexpr WCHAR kNoSuffix[] = L"";
using VUMeterAccessible = access::Meter<VUMeterState, &VUMeterState::Level, kNoSuffix>;

}  // namespace

LRESULT WINAPI VU_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return VU_Create(hwnd);
    auto* state = GetState<VUMeterState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return VU_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:     return VU_Destroy(hwnd);
    case WM_PAINT:
    case WM_PRINTCLIENT: return VU_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_GETOBJECT:   return access::Answer<VUMeterAccessible>(hwnd, wParam, lParam);
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
