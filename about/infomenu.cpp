// The information entry: the maker's small logo at the right end of an
// application's menu bar, opening the maker's help file.  The user's profile
// can hide the entry and name another help file.
#include "window.h"
#include "ztcore.h"

namespace {

// The help file named in the profile, or the default one.
BOOL InfoHelp(HWND hwnd, UINT command)
{
    char path[256];
    GetProfileStringA(ZTC_INFO_SECTION, ZTC_INFO_PATHKEY, ZTC_INFO_DEFAULTPATH, path, sizeof path);
    return WinHelpA(hwnd, path, command, 0);
}

}  // namespace

BOOL WINAPI ZTC_VandleMenuAdd(HWND hwnd, UINT id)
{
    if (GetProfileIntA(ZTC_INFO_SECTION, ZTC_INFO_SHOWKEY, 1) == 0)
        return TRUE;
    // A child window's "menu" is its control id, never a menu bar.
    HMENU menu = (WindowStyle(hwnd) & WS_CHILD) ? nullptr : GetMenu(hwnd);
    if (!menu)
        return FALSE;
    if (!AppendMenuA(menu, MF_BITMAP | MF_HELP, id, reinterpret_cast<LPCSTR>(MenuLogoBitmap)))
        return FALSE;
    MenuLogoShown();
    DrawMenuBar(hwnd);
    return TRUE;
}

BOOL WINAPI ZTC_VandleMenuCmnd(HWND hwnd)
{
    return InfoHelp(hwnd, HELP_INDEX);
}

BOOL WINAPI ZTC_VandleMenuDone(HWND hwnd)
{
    return InfoHelp(hwnd, HELP_QUIT);
}
