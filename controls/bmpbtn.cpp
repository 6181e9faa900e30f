// Bitmap button: a push button whose face is a tool button showing one
// application bitmap.  Pressed with the left mouse button or the space bar;
// each completed press sends WM_COMMAND (id, 0) to the parent.
#include "ztcore.h"
#include "gdiguard.h"

namespace {

struct BitmapButtonState {
    UINT Pressed;
    HBITMAP Bitmap;
    LONG BitmapWidth;
    LONG BitmapHeight;
};

constexpr int kFocusInset = 3;

bool OwnsBitmap(HWND hwnd)
{
    return !(WindowStyle(hwnd) & BBS_SHAREDBITMAP);
}

bool HasCapture(HWND hwnd)
{
    return GetCapture() == hwnd;
}

LRESULT BB_Create(HWND hwnd)
{
    return CreateState<BitmapButtonState>(hwnd) ? 0 : -1;
}

void BB_Destroy(HWND hwnd, BitmapButtonState* state)
{
    if (state && state->Bitmap && OwnsBitmap(hwnd))
        DeleteObject(state->Bitmap);
    FreeState<BitmapButtonState>(hwnd);
}

// Repaints the whole face now, without erasing.
void BB_Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void BB_SetPressed(HWND hwnd, BitmapButtonState* state, bool pressed)
{
    if ((state->Pressed != 0) == pressed)
        return;
    state->Pressed = pressed ? 1 : 0;
    BB_Redraw(hwnd);
}

// A completed press: WM_COMMAND with code 0 (BN_CLICKED) to the parent.
void BB_Click(HWND hwnd)
{
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), reinterpret_cast<LPARAM>(hwnd));
}

// Raises a pressed button and reports the click.
void BB_Release(HWND hwnd, BitmapButtonState* state)
{
    if (!state->Pressed)
        return;
    BB_SetPressed(hwnd, state, false);
    BB_Click(hwnd);
}

void BB_Paint(HWND hwnd, HDC dc)
{
    const auto* state = GetState<BitmapButtonState>(hwnd);
    if (!state)
        return;
    const bool focused = GetFocus() == hwnd;
    UINT look = (WindowStyle(hwnd) & WS_DISABLED) ? TDD_GRAYED : TDD_GLYPH;
    if (state->Pressed)
        look |= TDD_DOWN;
    RECT rc;
    GetClientRect(hwnd, &rc);
    ToolBtn_Draw(dc, 0, 0, rc.right, rc.bottom, state->Bitmap, state->BitmapWidth, state->BitmapHeight, 0, look);
    if (focused) {
        InflateRect(&rc, -kFocusInset, -kFocusInset);
        if (state->Pressed)
            OffsetRect(&rc, 1, 1);
        DrawFocusRect(dc, &rc);
    }
}

void BB_Enable(HWND hwnd, BitmapButtonState* state)
{
    if (WindowStyle(hwnd) & WS_DISABLED)
        state->Pressed = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void BB_MouseDown(HWND hwnd, BitmapButtonState* state)
{
    SetCapture(hwnd);
    BB_SetPressed(hwnd, state, true);
}

void BB_MouseMove(HWND hwnd, BitmapButtonState* state, POINT pt)
{
    if (!HasCapture(hwnd))
        return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    BB_SetPressed(hwnd, state, PtInRect(&rc, pt) != FALSE);
}

void BB_MouseUp(HWND hwnd, BitmapButtonState* state)
{
    if (!HasCapture(hwnd))
        return;
    ReleaseCapture();
    BB_Release(hwnd, state);
}

// The space bar: a first key-down presses, the key-up clicks; repeated
// key-downs and keys while the mouse holds the button are ignored.
void BB_SpaceKey(HWND hwnd, BitmapButtonState* state, bool down, LPARAM keyData)
{
    const bool repeat = (keyData & 0xC0000000) == 0x40000000;
    if (repeat || HasCapture(hwnd))
        return;
    if (down)
        BB_SetPressed(hwnd, state, true);
    else
        BB_Release(hwnd, state);
}

void BB_SetBitmap(HWND hwnd, BitmapButtonState* state, HBITMAP bitmap)
{
    // Giving the button the bitmap it already holds keeps that bitmap.
    if (state->Bitmap && state->Bitmap != bitmap && OwnsBitmap(hwnd))
        DeleteObject(state->Bitmap);
    state->Bitmap = bitmap;
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
        state->BitmapWidth = info.bmWidth;
        state->BitmapHeight = info.bmHeight;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace

LRESULT WINAPI BB_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* state = GetState<BitmapButtonState>(hwnd);
    switch (msg) {
    case WM_CREATE:
        return BB_Create(hwnd);
    case WM_DESTROY:
        BB_Destroy(hwnd, state);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(hwnd);
        BB_Paint(hwnd, dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        BB_Paint(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        if (state)
            BB_Enable(hwnd, state);
        return 0;
    case WM_MOUSEACTIVATE:
        SetFocus(hwnd);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case WM_LBUTTONDOWN:
        if (state)
            BB_MouseDown(hwnd, state);
        return 0;
    case WM_MOUSEMOVE:
        if (state)
            BB_MouseMove(hwnd, state, MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (state)
            BB_MouseUp(hwnd, state);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        if (state)
            BB_SpaceKey(hwnd, state, msg == WM_KEYDOWN, lParam);
        return 0;
    case BBM_SETBITMAP:
        if (state)
            BB_SetBitmap(hwnd, state, reinterpret_cast<HBITMAP>(lParam));
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
