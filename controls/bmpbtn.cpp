// Bitmap button: a push button whose face is a tool button showing one
// application bitmap.  Pressed with the left mouse button or the space bar;
// each completed press sends WM_COMMAND (id, 0) to the parent.
#include "access.h"
#include "gdiguard.h"
#include "notify.h"
#include "window.h"
#include "ztcore.h"

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

LRESULT BB_Destroy(HWND hwnd, BitmapButtonState& s)
{
    if (s.Bitmap && OwnsBitmap(hwnd))
        DeleteObject(s.Bitmap);
    FreeState<BitmapButtonState>(hwnd);
    return 0;
}

// Every change of the pressed look is painted at once, without erasing.
void BB_SetPressed(HWND hwnd, BitmapButtonState& s, bool pressed)
{
    if ((s.Pressed != 0) == pressed)
        return;
    s.Pressed = pressed ? 1 : 0;
    RedrawNow(hwnd, nullptr, FALSE);
    access::StateChanged(hwnd);
}

// Raises a pressed button and reports the click: WM_COMMAND with code 0
// (BN_CLICKED) to the parent.  The click is the last thing a press does.
void BB_Release(HWND hwnd, BitmapButtonState& s)
{
    if (!s.Pressed)
        return;
    BB_SetPressed(hwnd, s, false);
    SendCommand(GetParent(hwnd), GetDlgCtrlID(hwnd), 0, hwnd);
}

LRESULT BB_Paint(HWND hwnd, const BitmapButtonState& s, HDC dc)
{
    const bool focused = GetFocus() == hwnd;
    UINT look = (WindowStyle(hwnd) & WS_DISABLED) ? TDD_GRAYED : TDD_GLYPH;
    if (s.Pressed)
        look |= TDD_DOWN;
    RECT rc;
    GetClientRect(hwnd, &rc);
    ToolBtn_Draw(dc, 0, 0, rc.right, rc.bottom, s.Bitmap, s.BitmapWidth, s.BitmapHeight, 0, look);
    if (focused) {
        InflateRect(&rc, -kFocusInset, -kFocusInset);
        if (s.Pressed)
            OffsetRect(&rc, 1, 1);
        DrawFocusRect(dc, &rc);
    }
    return 0;
}

LRESULT BB_Enable(HWND hwnd, BitmapButtonState& s)
{
    if (WindowStyle(hwnd) & WS_DISABLED)
        s.Pressed = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

// The press gives no focus: WM_MOUSEACTIVATE does.
LRESULT BB_MouseActivate(HWND hwnd)
{
    SetFocus(hwnd);
    return 0;
}

LRESULT BB_MouseDown(HWND hwnd, BitmapButtonState& s)
{
    SetCapture(hwnd);
    BB_SetPressed(hwnd, s, true);
    return 0;
}

LRESULT BB_MouseMove(HWND hwnd, BitmapButtonState& s, POINT pt)
{
    if (!HasCapture(hwnd))
        return 0;
    RECT rc;
    GetClientRect(hwnd, &rc);
    BB_SetPressed(hwnd, s, PtInRect(&rc, pt) != FALSE);
    return 0;
}

LRESULT BB_MouseUp(HWND hwnd, BitmapButtonState& s)
{
    if (!HasCapture(hwnd))
        return 0;
    ReleaseCapture();
    BB_Release(hwnd, s);
    return 0;
}

// The space bar: a first key-down presses, the key-up clicks; repeated
// key-downs and keys while the mouse holds the button are ignored.  Other
// keys get the default handling.
LRESULT BB_Key(HWND hwnd, BitmapButtonState& s, UINT msg, WPARAM key, LPARAM keyData)
{
    if (key != VK_SPACE)
        return DefWindowProcA(hwnd, msg, key, keyData);
    const bool repeat = (keyData & 0xC0000000) == 0x40000000;
    if (repeat || HasCapture(hwnd))
        return 0;
    if (msg == WM_KEYDOWN)
        BB_SetPressed(hwnd, s, true);
    else
        BB_Release(hwnd, s);
    return 0;
}

LRESULT BB_SetBitmap(HWND hwnd, BitmapButtonState& s, HBITMAP bitmap)
{
    // Giving the button the bitmap it already holds keeps that bitmap.
    if (s.Bitmap && s.Bitmap != bitmap && OwnsBitmap(hwnd))
        DeleteObject(s.Bitmap);
    s.Bitmap = bitmap;
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
        s.BitmapWidth = info.bmWidth;
        s.BitmapHeight = info.bmHeight;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT BB_Command(HWND hwnd, BitmapButtonState& s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case BBM_SETBITMAP: return BB_SetBitmap(hwnd, s, reinterpret_cast<HBITMAP>(lParam));
    default:            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// A screen reader sees a push button; its default action clicks it as the
// space bar does, unless it is disabled or the mouse holds it.
class BitmapButtonAccessible : public access::StateObject<BitmapButtonState> {
public:
    using StateObject::StateObject;

private:
    LONG Role(LONG) const override { return ROLE_SYSTEM_PUSHBUTTON; }
    LONG States(LONG, LONG standard) const override
    {
        return standard | (S()->Pressed ? STATE_SYSTEM_PRESSED : 0);
    }
    const WCHAR* DefaultAction(LONG) const override { return L"Press"; }
    HRESULT DoDefaultAction(LONG) override
    {
        if ((WindowStyle(hwnd_) & WS_DISABLED) || HasCapture(hwnd_))
            return E_FAIL;
        BB_SetPressed(hwnd_, *S(), true);
        BB_Release(hwnd_, *S());
        return S_OK;
    }
};

}  // namespace

LRESULT WINAPI BB_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return BB_Create(hwnd);
    auto* state = GetState<BitmapButtonState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return BB_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:       return BB_Destroy(hwnd, *state);
    case WM_PAINT:
    case WM_PRINTCLIENT:   return BB_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_ERASEBKGND:    return 0;  // the paint covers the face
    case WM_SETFOCUS:
    case WM_KILLFOCUS:     return FocusChanged(hwnd);
    case WM_ENABLE:        return BB_Enable(hwnd, *state);
    case WM_MOUSEACTIVATE: return BB_MouseActivate(hwnd);
    case WM_GETDLGCODE:    return DLGC_BUTTON;
    case WM_LBUTTONDOWN:   return BB_MouseDown(hwnd, *state);
    case WM_MOUSEMOVE:     return BB_MouseMove(hwnd, *state, MousePoint(lParam));
    case WM_LBUTTONUP:     return BB_MouseUp(hwnd, *state);
    case WM_KEYDOWN:
    case WM_KEYUP:         return BB_Key(hwnd, *state, msg, wParam, lParam);
    case WM_GETOBJECT:     return access::Answer<BitmapButtonAccessible>(hwnd, wParam, lParam);
    default:               return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
