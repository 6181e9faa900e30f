// Dragger: a small sunken well that shows a picture (a packed DIB or a
// bitmap).  The user presses the left button on it and releases the button
// over a window of another application; the dragger finds that window's
// frame, its Edit menu and the Paste entry there, lets the frame prepare
// its menus, asks its own parent whether to go ahead and, when the parent
// agrees (having put the picture on the clipboard), sends the frame the
// paste command.  A failed lookup beeps once.
#include "access.h"
#include "frame/dib.h"
#include "gdiguard.h"
#include "notify.h"
#include "window.h"
#include "ztcore.h"

namespace {

struct DraggerState {
    HGLOBAL Picture;  // packed DIB, owned; shown in preference to Bitmap
    HBITMAP Bitmap;   // device-dependent bitmap, owned
};

constexpr UINT kDraggerCursor = 515;
constexpr UINT kEditMenuString = 3;    // "&Edit"
constexpr UINT kPasteEntryString = 4;  // "&Paste"
constexpr int kStringSize = 32, kMenuTextSize = 64;
constexpr UINT kNoCommand = 0xFFFFFFFF;  // also GetMenuItemID's answer for a submenu

LRESULT DR_Create(HWND hwnd)
{
    if (!CreateState<DraggerState>(hwnd))
        return -1;
    ControlCreateHook(hwnd);
    return 0;
}

LRESULT DR_Destroy(HWND hwnd, const DraggerState& state)
{
    if (state.Picture)
        GlobalFree(state.Picture);
    if (state.Bitmap)
        DeleteObject(state.Bitmap);
    FreeState<DraggerState>(hwnd);
    ControlDestroyHook(hwnd);
    return 0;
}

// ---- Painting ------------------------------------------------------------------

// The sunken well: shadow along the top and left, highlight along the bottom
// and right, and a dark outline one pixel in.  The inside keeps the face
// colour of the background erase.
void DR_PaintWell(HDC dc, const RECT& rc)
{
    const LONG r = rc.right, b = rc.bottom;
    zt::Lines(dc, ShadowPen, {{0, b}, {0, 0}, {r, 0}});
    zt::Lines(dc, HighlightPen, {{1, b - 1}, {r - 1, b - 1}, {r - 1, 1}});
    zt::Lines(dc, TextPen, {{1, 1}, {1, b - 2}, {r - 2, b - 2}, {r - 2, 1}, {1, 1}});
}

// Pictures are centred in the whole client area, over the well's frame
// where they reach it; a larger one starts at the top-left corner.
void DR_PaintBitmap(HDC dc, HBITMAP bitmap, const RECT& rc)
{
    zt::MemoryDC memory(dc);
    BITMAP info{};
    if (!memory || !GetObjectA(bitmap, sizeof info, &info))
        return;
    zt::Select select(memory, bitmap);
    BitBlt(dc, CentredOrigin(rc.right, info.bmWidth), CentredOrigin(rc.bottom, info.bmHeight), info.bmWidth,
           info.bmHeight, memory, 0, 0, SRCCOPY);
}

LRESULT DR_Paint(HWND hwnd, const DraggerState& state, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    DR_PaintWell(dc, rc);
    // A DIB that locks is shown, or nothing when it is incomplete; the
    // bitmap only when there is no DIB to lock.
    LockedDIB dib(state.Picture);
    if (dib.usable())
        CopyWholeDIB(dc, dib, CentredOrigin(rc.right, dib.width()), CentredOrigin(rc.bottom, dib.height()));
    else if (!dib.locked() && state.Bitmap)
        DR_PaintBitmap(dc, state.Bitmap, rc);
    return 0;
}

// ---- The pictures ------------------------------------------------------------------

// The dragger owns the pictures it is given: the one held before is
// released (GlobalFree or DeleteObject), unless it is given again.
template <class Handle, class Release>
LRESULT DR_Replace(HWND hwnd, Handle& held, Handle given, Release release)
{
    if (held && held != given)
        release(held);
    held = given;
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

// ---- The drop ------------------------------------------------------------------------

LRESULT DR_SetCursor(LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return 0;
    SetCursor(ZTC_LoadCursor(kDraggerCursor));
    return 1;
}

// The position of the first item of the menu whose text begins like the
// library string (on its length less one characters, case ignored), or -1.
int FindMenuItem(HMENU menu, UINT stringId)
{
    char wanted[kStringSize];
    const int n = LoadStringA(LibInstance, stringId, wanted, kStringSize);
    const int count = n > 0 ? GetMenuItemCount(menu) : 0;  // -1: a menu we cannot read
    for (int i = 0; i < count; ++i) {
        char text[kMenuTextSize] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, kMenuTextSize, MF_BYPOSITION);
        if (lstrnicmp(text, wanted, n) == 0)
            return i;
    }
    return -1;
}

HWND TopLevel(HWND hwnd)
{
    while (HWND parent = GetParent(hwnd))
        hwnd = parent;
    return hwnd;
}

// The edit menu of a menu bar and its position there; null when the bar
// has no such item or the item opens no menu.
HMENU FindEditMenu(HMENU bar, int& position)
{
    position = FindMenuItem(bar, kEditMenuString);
    return position >= 0 ? GetSubMenu(bar, position) : nullptr;
}

// The identifier of the edit menu's paste entry; kNoCommand when there is
// none or it opens a submenu.
UINT FindPasteCommand(HMENU editMenu)
{
    const int paste = FindMenuItem(editMenu, kPasteEntryString);
    return paste >= 0 ? GetMenuItemID(editMenu, paste) : kNoCommand;
}

// The parent's answer to the registered question (control id, dragger).
bool ParentAgrees(HWND hwnd)
{
    const UINT question = RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME);
    const auto id = static_cast<WPARAM>(static_cast<UINT>(GetDlgCtrlID(hwnd)));
    return question && SendMessageA(GetParent(hwnd), question, id, reinterpret_cast<LPARAM>(hwnd)) != 0;
}

// A failed lookup ends the drop with one beep.
LRESULT Beep()
{
    MessageBeep(0);
    return 0;
}

// The press only takes the capture: a drag shows nothing until the drop.
LRESULT DR_Press(HWND hwnd)
{
    SetCapture(hwnd);
    return 0;
}

LRESULT DR_Drop(HWND hwnd, POINT at)
{
    if (GetCapture() != hwnd)
        return 0;
    ReleaseCapture();
    ClientToScreen(hwnd, &at);
    const HWND under = WindowFromPoint(at);
    if (under && GetWindowThreadProcessId(under, nullptr) == GetWindowThreadProcessId(hwnd, nullptr))
        return 0;  // our own application's windows take no drops
    const HWND frame = under ? TopLevel(under) : nullptr;
    const HMENU bar = frame ? GetMenu(frame) : nullptr;
    int position = -1;
    const HMENU editMenu = bar ? FindEditMenu(bar, position) : nullptr;
    if (!editMenu)
        return Beep();
    if (!SendFrom(frame, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0, hwnd) ||
        !SendFrom(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), MAKELPARAM(position, 0), hwnd))
        return 0;  // the frame's menu handlers destroyed the dragger
    const UINT paste = FindPasteCommand(editMenu);
    if (paste == kNoCommand)
        return Beep();
    if (!ParentAgrees(hwnd))
        return 0;
    // The parent has agreed (and may have destroyed the dragger meanwhile):
    // a menu command, so no control in lParam.
    BringWindowToTop(frame);
    SendCommand(frame, static_cast<int>(paste), 0, nullptr);
    return 0;
}

// ---- Messages ------------------------------------------------------------------------

// The dragger's own messages, from WM_USER up.
LRESULT DR_Command(HWND hwnd, DraggerState& state, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case DRM_SETDIB:    return DR_Replace(hwnd, state.Picture, reinterpret_cast<HGLOBAL>(wParam), GlobalFree);
    case DRM_SETBITMAP: return DR_Replace(hwnd, state.Bitmap, reinterpret_cast<HBITMAP>(wParam), DeleteObject);
    default:            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// A screen reader sees a picture.
using DraggerAccessible = access::Picture<access::StateObject<DraggerState>>;

}  // namespace

LRESULT WINAPI DR_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return DR_Create(hwnd);
    DraggerState* state = GetState<DraggerState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg >= WM_USER)
        return DR_Command(hwnd, *state, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:     return DR_Destroy(hwnd, *state);
    case WM_PAINT:
    case WM_PRINTCLIENT: return DR_Paint(hwnd, *state, zt::PaintDC(hwnd, msg, wParam));
    case WM_SETCURSOR:   return DR_SetCursor(lParam);
    case WM_LBUTTONDOWN: return DR_Press(hwnd);
    case WM_LBUTTONUP:   return DR_Drop(hwnd, MousePoint(lParam));
    case WM_GETOBJECT:   return access::Answer<DraggerAccessible>(hwnd, wParam, lParam);
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
