// VU meter: a passive horizontal level display in a sunken frame, with
// green, yellow and red segments whose lengths come from three zone sizes.
#include "ztcore.h"
#include "gdiguard.h"

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

void VU_Destroy(HWND hwnd)
{
    FreeState<VUMeterState>(hwnd);
    ControlDestroyHook(hwnd);
}

void VU_SetZone(HWND hwnd, LONG& zone, LONG value)
{
    if (zone == value)
        return;
    zone = value;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void VU_SetLevel(HWND hwnd, VUMeterState* state, LONG level)
{
    if (state->Level == level)
        return;
    state->Level = level;
    RECT inner;
    GetClientRect(hwnd, &inner);
    InflateRect(&inner, -2, -2);
    InvalidateRect(hwnd, &inner, TRUE);
}

void FillSegment(HDC dc, int left, int right, int top, int bottom, COLORREF colour)
{
    zt::Owned<HBRUSH> brush(CreateSolidBrush(colour));
    RECT rc{left, top, right, bottom};
    FillRect(dc, &rc, brush);
}

void VU_PaintFrame(HDC dc, int w, int h)
{
    zt::Select pen(dc, TextPen);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 0, h - 2);
    LineTo(dc, w - 2, h - 2);
    LineTo(dc, w - 2, 0);
    LineTo(dc, 0, 0);
    SelectObject(dc, ShadowPen);
    zt::Polyline3(dc, 1, h - 3, 1, 1, w - 2, 1);
    SelectObject(dc, HighlightPen);
    zt::Polyline3(dc, 1, h - 1, w - 1, h - 1, w - 1, 0);
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

void VU_Paint(HWND hwnd, HDC dc)
{
    const auto* state = GetState<VUMeterState>(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    VU_PaintFrame(dc, rc.right, rc.bottom);
    if (state)
        VU_PaintSegments(dc, *state, rc.right, rc.bottom);
}

}  // namespace

LRESULT WINAPI VU_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* state = GetState<VUMeterState>(hwnd);
    const auto value = static_cast<LONG>(wParam);
    switch (msg) {
    case WM_CREATE:
        return VU_Create(hwnd);
    case WM_DESTROY:
        VU_Destroy(hwnd);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(hwnd);
        VU_Paint(hwnd, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        VU_Paint(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case VUM_SETRED:
        if (state)
            VU_SetZone(hwnd, state->RedZone, value);
        return 0;
    case VUM_SETYELLOW:
        if (state)
            VU_SetZone(hwnd, state->YellowZone, value);
        return 0;
    case VUM_SETGREEN:
        if (state)
            VU_SetZone(hwnd, state->GreenZone, value);
        return 0;
    case VUM_SETLEVEL:
        if (state)
            VU_SetLevel(hwnd, state, value);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
