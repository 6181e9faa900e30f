// Library start-up and shutdown, the shared drawing objects, the library
// cursors, window-class registration, transparent drawing and the hooks.
#include "ztcore.h"
#include "gdiguard.h"
#include "toolbar/toolimages.h"

#include <vector>

HINSTANCE LibInstance;
int BorderUnit;
int AttachCount;
HCURSOR CursorTable[16];

HPEN ShadowPen;
HPEN HighlightPen;
HPEN TextPen;
HBRUSH TextBrush;
HBRUSH FaceBrush;
HBITMAP MenuLogoBitmap;

namespace {

constexpr UINT kFirstCursor = 500;
constexpr UINT kLastCursor = 515;
constexpr UINT kSmallLogo = 201;  // 20 x 16, for menu bars below 26 pixels
constexpr UINT kLargeLogo = 202;  // 22 x 26
constexpr LONG kRegisterResult = 524;

struct ClassEntry {
    const char* name;
    WNDPROC proc;
    UINT style;
    int background;  // system colour index; the brush is index + 1
};

constexpr UINT kPlain = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;    // 0x4003
constexpr UINT kDblClks = kPlain | CS_DBLCLKS;                        // 0x400B

const ClassEntry kClasses[] = {
    {ZTC_SLIDER_H_CLASS, MB_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_SLIDER_V_CLASS, SL_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_DRAGGER_CLASS, DR_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_VU_H_CLASS, VU_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_GAUGE_CLASS, GA_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_BMPBTN_CLASS, BB_WndProc, kPlain, COLOR_BTNFACE},
    {ZTC_MUSCROLL_CLASS, MS_WndProc, kDblClks, COLOR_BTNFACE},
    {ZTC_TOOLBAR_CLASS, TB_WndProc, kDblClks, COLOR_BTNFACE},
    {ZTC_DIBVIEW_CLASS, DV_WndProc, kDblClks, COLOR_WINDOW},
};

// Menu logos replaced by a colour change while a menu entry shows them:
// the entry keeps showing its logo, so it lives until the last detach.  A
// logo that no entry was given is deleted with the other shared objects.
std::vector<HBITMAP> RetiredMenuLogos;
bool MenuLogoInMenu;

void RetireMenuLogo()
{
    if (MenuLogoBitmap && MenuLogoInMenu) {
        RetiredMenuLogos.push_back(MenuLogoBitmap);
        MenuLogoBitmap = nullptr;  // not deleted with the other shared objects
    }
    MenuLogoInMenu = false;
}

void DeleteRetiredMenuLogos()
{
    for (HBITMAP logo : RetiredMenuLogos)
        DeleteObject(logo);
    RetiredMenuLogos.clear();
    MenuLogoInMenu = false;
}

HPEN SystemPen(int colourIndex)
{
    return CreatePen(PS_SOLID, BorderUnit, GetSysColor(colourIndex));
}

void FirstAttach()
{
    LoadLibraryCursors(LibInstance);
    CreateSharedObjects();
}

void LastDetach()
{
    LibraryDetachHook();
    ToolBtn_FreeImages();
    DeleteSharedObjects();
    DeleteRetiredMenuLogos();
}

}  // namespace

BOOL WINAPI LibraryEntry(HINSTANCE instance, DWORD reason, LPVOID)
{
    LibInstance = instance;
    BorderUnit = GetSystemMetrics(SM_CYBORDER);

    switch (reason) {
    case DLL_PROCESS_ATTACH: {
        const int previous = AttachCount++;
        if (previous != 0)
            return TRUE;
        if (!ToolBtn_InitImages(instance))
            return FALSE;
        FirstAttach();
        return TRUE;
    }
    case DLL_PROCESS_DETACH:
        if (--AttachCount > 0)
            return TRUE;
        LastDetach();
        return TRUE;
    default:
        return TRUE;
    }
}

void LoadLibraryCursors(HINSTANCE instance)
{
    for (UINT id = kFirstCursor; id <= kLastCursor; ++id)
        CursorTable[id - kFirstCursor] = LoadCursorA(instance, MAKEINTRESOURCEA(id));
}

void CreateSharedObjects()
{
    ShadowPen = SystemPen(COLOR_BTNSHADOW);
    HighlightPen = SystemPen(COLOR_BTNHIGHLIGHT);
    TextPen = SystemPen(COLOR_WINDOWTEXT);
    TextBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT));
    FaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    MenuLogoBitmap = MakeMenuLogo();
}

void DeleteSharedObjects()
{
    DeleteObject(ShadowPen);
    DeleteObject(TextPen);
    DeleteObject(HighlightPen);
    DeleteObject(TextBrush);
    DeleteObject(FaceBrush);
    DeleteObject(MenuLogoBitmap);
}

HBITMAP MakeMenuLogo()
{
    const UINT id = GetSystemMetrics(SM_CYMENU) < 26 ? kSmallLogo : kLargeLogo;
    const COLORREF menu = GetSysColor(COLOR_MENU);
    HBITMAP loaded = LoadBitmapA(LibInstance, MAKEINTRESOURCEA(id));
    if (!loaded || menu == RGB(255, 255, 255))
        return loaded;

    zt::Owned<HBITMAP> logo(loaded);
    BITMAP bm{};
    GetObjectA(loaded, sizeof bm, &bm);

    zt::MemoryDC dc(nullptr);
    HGDIOBJ first = SelectObject(dc, loaded);
    HBITMAP result = CreateCompatibleBitmap(dc, bm.bmWidth, bm.bmHeight);
    SelectObject(dc, result);
    {
        zt::Owned<HBRUSH> brush(CreateSolidBrush(menu));
        RECT all{0, 0, bm.bmWidth, bm.bmHeight};
        FillRect(dc, &all, brush);
    }
    TransparentBlt(dc, loaded, 0, 0, bm.bmWidth, bm.bmHeight);
    SelectObject(dc, first);
    return result;
}

void TransparentBlt(HDC dest, HBITMAP bitmap, int x, int y, int cx, int cy)
{
    zt::MemoryDC maskDC(dest);
    zt::MemoryDC imageDC(dest);
    zt::Owned<HBITMAP> mask(CreateBitmap(cx, cy, 1, 1, nullptr));
    zt::Select maskSel(maskDC, mask);
    zt::Select imageSel(imageDC, bitmap);

    PatBlt(maskDC, 0, 0, cx, cy, WHITENESS);
    SetBkColor(imageDC, RGB(255, 255, 255));
    BitBlt(maskDC, 0, 0, cx, cy, imageDC, 0, 0, SRCCOPY);
    BitBlt(dest, x, y, cx, cy, maskDC, 0, 0, SRCAND);
    BitBlt(imageDC, 0, 0, cx, cy, maskDC, 0, 0, 0x220326);  // DSna
    BitBlt(dest, x, y, cx, cy, imageDC, 0, 0, SRCPAINT);
}

void MenuLogoShown()
{
    MenuLogoInMenu = true;
}

void ControlCreateHook(HWND) {}
void ControlDestroyHook(HWND) {}
void LibraryDetachHook() {}

LONG WINAPI ZTC_Register(LONG)
{
    for (const ClassEntry& entry : kClasses) {
        WNDCLASSA wc{};
        wc.style = entry.style;
        wc.lpfnWndProc = entry.proc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = LibInstance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(entry.background + 1));
        wc.lpszClassName = entry.name;
        RegisterClassA(&wc);
    }
    return kRegisterResult;
}

void WINAPI ZTC_SysColorChange()
{
    RetireMenuLogo();
    DeleteSharedObjects();
    CreateSharedObjects();
}

HCURSOR WINAPI ZTC_LoadCursor(UINT id)
{
    if (id < kFirstCursor || id > kLastCursor)
        return nullptr;
    return CursorTable[id - kFirstCursor];
}
