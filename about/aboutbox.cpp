// The About box: the maker's logo at the top, the application's icon, and
// four texts from the version resource of the application's file.
#include "ztcore.h"
#include "gdiguard.h"

#include <shellapi.h>
#include <winver.h>

#include <cstdio>

void DrawLogo(HDC dc, HWND window, int x, int y, UINT id, RECT* out);

namespace {

constexpr UINT kLogoBitmap = 200;    // 260 x 57, white is transparent
constexpr UINT kVersionWord = 5;     // "Version"
constexpr int kLogoTop = 4;
constexpr int kLogoGap = 8;          // between the logo and the icon
constexpr int kFileNameSize = 128;
constexpr int kNoteWidth = 200, kNoteHeight = 32;  // the trademark (or comment) box

// The dialog's font, as WM_SETFONT last gave it.  The dialog manager answers
// WM_GETFONT with the template's font whatever WM_SETFONT said later, so the
// dialog keeps the font itself: painting and clean-up then find the bold font.
constexpr char kFontProperty[] = "ztAboutFont";

// The version resource of a file, read whole into a movable global block.
// A file without one leaves the block unlocked and every query empty.
class VersionResource {
public:
    explicit VersionResource(const char* file)
    {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(file, &handle);
        block_ = GlobalAlloc(GMEM_MOVEABLE, size);
        data_ = block_ ? GlobalLock(block_) : nullptr;
        if (data_ && !GetFileVersionInfoA(file, 0, size, data_))
            Release();
    }
    ~VersionResource() { Release(); }
    VersionResource(const VersionResource&) = delete;
    VersionResource& operator=(const VersionResource&) = delete;

    // The value at path and its length (characters for texts, bytes
    // otherwise), or null when the resource has no such value.
    const void* Query(const char* path, UINT* length) const
    {
        void* value = nullptr;
        *length = 0;
        if (!data_ || !VerQueryValueA(data_, path, &value, length) || !value)
            return nullptr;
        return value;
    }

private:
    void Release()
    {
        if (data_)
            GlobalUnlock(block_);
        if (block_)
            GlobalFree(block_);
        data_ = nullptr;
        block_ = nullptr;
    }
    HGLOBAL block_ = nullptr;
    void* data_ = nullptr;
};

// "Version 2.01.012" from the file version 2.1.x.12; empty without the
// fixed file information.
void ReadVersionLine(const VersionResource& version, AboutInfo* info)
{
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(version.Query("\\", &length));
    if (!fixed || length < sizeof *fixed)
        return;
    char word[32] = "";
    LoadStringA(LibInstance, kVersionWord, word, sizeof word);
    std::snprintf(info->VersionText, sizeof info->VersionText, "%s %d.%02d.%03d", word,
                  HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionLS));
}

// The four texts in the first language of the translation table; all empty
// without one.
void ReadTexts(const VersionResource& version, AboutInfo* info)
{
    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(version.Query("\\VarFileInfo\\Translation", &length));
    if (!translation || length < 2 * sizeof(WORD))
        return;
    const unsigned language = translation[0], codePage = translation[1];
    struct Text {
        const char* name;
        char* field;
        int size;
    };
    const Text texts[] = {
        {"FileDescription", info->Description, sizeof info->Description},
        {"LegalCopyright", info->Copyright, sizeof info->Copyright},
        {"LegalTrademarks", info->Trademarks, sizeof info->Trademarks},
        {"Comments", info->Comments, sizeof info->Comments},
    };
    for (const Text& text : texts) {
        char path[64];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\%s", language, codePage, text.name);
        const auto* value = static_cast<const char*>(version.Query(path, &length));
        if (value && length > 0)
            lstrcpynA(text.field, value, text.size);
    }
}

// The icon the box shows when none is given: the owner's class icon, else
// the first icon of the file.  *extracted is the icon taken from the file,
// which the caller destroys.
HICON FindIcon(HWND owner, const char* file, HICON* extracted)
{
    *extracted = nullptr;
    if (auto icon = reinterpret_cast<HICON>(owner ? GetClassLongPtrA(owner, GCLP_HICON) : 0))
        return icon;
    HICON icon = ExtractIconA(LibInstance, file, 0);
    if (reinterpret_cast<ULONG_PTR>(icon) <= 1)  // 1: the file is no module or icon file
        return nullptr;
    return *extracted = icon;
}

HFONT CreateAboutFont(const char* face, LONG height, LONG weight)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

const AboutInfo* GetAboutInfo(HWND hdlg)
{
    return reinterpret_cast<const AboutInfo*>(GetWindowLongPtrA(hdlg, DWLP_USER));
}

BOOL AD_InitDialog(HWND hdlg, const AboutInfo* info)
{
    SetWindowLongPtrA(hdlg, DWLP_USER, reinterpret_cast<LONG_PTR>(info));
    ZTC_CenterWindow(hdlg, GetWindow(hdlg, GW_OWNER));
    if (info && info->Title)
        SetWindowTextA(hdlg, info->Title);
    const auto font = reinterpret_cast<WPARAM>(CreateAboutFont("MS Sans Serif", -10, FW_BOLD));
    SendMessageA(hdlg, WM_SETFONT, font, TRUE);
    SendDlgItemMessageA(hdlg, IDOK, WM_SETFONT, font, TRUE);
    return TRUE;
}

void AD_Command(HWND hdlg, WPARAM wParam)
{
    if (wParam == IDOK || wParam == IDCANCEL)
        EndDialog(hdlg, 1);
}

void AD_SetFont(HWND hdlg, WPARAM font)
{
    SetPropA(hdlg, kFontProperty, reinterpret_cast<HANDLE>(font));
}

BOOL AD_GetFont(HWND hdlg)
{
    SetWindowLongPtrA(hdlg, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(GetPropA(hdlg, kFontProperty)));
    return TRUE;
}

void AD_Destroy(HWND hdlg)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hdlg, WM_GETFONT, 0, 0));
    SendMessageA(hdlg, WM_SETFONT, 0, FALSE);
    if (font)
        DeleteObject(font);
    RemovePropA(hdlg, kFontProperty);
}

void WriteLine(HDC dc, int x, int y, const char* text)
{
    ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(lstrlenA(text)), nullptr);
}

// The texts right of the icon: description, version line and copyright in
// the dialog's font, then the trademarks (or else the comments) wrapped in
// a small box in the small font.
void AD_PaintTexts(HWND hdlg, HDC dc, const AboutInfo& info, int x, int y, int lineHeight)
{
    zt::Select dialogFont(dc, reinterpret_cast<HFONT>(SendMessageA(hdlg, WM_GETFONT, 0, 0)));
    const int mode = SetBkMode(dc, TRANSPARENT);
    WriteLine(dc, x, y, info.Description);
    WriteLine(dc, x, y + lineHeight, info.VersionText);
    WriteLine(dc, x, y + 2 * lineHeight, info.Copyright);
    {
        zt::Owned<HFONT> small(CreateAboutFont("Arial", -9, FW_NORMAL));
        zt::Select smallFont(dc, small);
        const int top = y + 3 * lineHeight;
        RECT box{x + 2, top, x + 2 + kNoteWidth, top + kNoteHeight};
        const char* note = info.Trademarks[0] ? info.Trademarks : info.Comments;
        if (note[0])
            DrawTextA(dc, note, -1, &box, DT_WORDBREAK);
    }
    SetBkMode(dc, mode);
}

// The logo centred at the top; under it the icon and the text column, both
// placed in units of the paint context's default font.
void AD_Paint(HWND hdlg)
{
    zt::PaintDC dc(hdlg);
    RECT logo{};
    DrawLogo(dc, hdlg, -1, kLogoTop, kLogoBitmap, &logo);
    const AboutInfo* info = GetAboutInfo(hdlg);
    if (!info)
        return;
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int a = metrics.tmAveCharWidth;
    const int y = logo.bottom + kLogoGap;
    if (info->Icon)
        DrawIcon(dc, a, y, info->Icon);
    AD_PaintTexts(hdlg, dc, *info, a + a + GetSystemMetrics(SM_CXICON), y, metrics.tmHeight);
}

}  // namespace

// Draws bitmap `id` of the library with white transparent at (x, y), where
// -1 centres it in the window's client area in that direction, and reports
// the rectangle it covers.  Nothing happens for a bad window or bitmap.
void DrawLogo(HDC dc, HWND window, int x, int y, UINT id, RECT* out)
{
    if (!IsWindow(window))
        return;
    zt::Owned<HBITMAP> bitmap(LoadBitmapA(LibInstance, MAKEINTRESOURCEA(id)));
    if (!bitmap)
        return;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    RECT client;
    GetClientRect(window, &client);
    if (x == -1)
        x = (client.right - bm.bmWidth) / 2;
    if (y == -1)
        y = (client.bottom - bm.bmHeight) / 2;
    TransparentBlt(dc, bitmap, x, y, bm.bmWidth, bm.bmHeight);
    *out = RECT{x, y, x + bm.bmWidth, y + bm.bmHeight};
}

INT_PTR CALLBACK AboutDlg(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return AD_InitDialog(hdlg, reinterpret_cast<const AboutInfo*>(lParam));
    case WM_COMMAND:
        AD_Command(hdlg, wParam);
        return TRUE;
    case WM_PAINT:
        AD_Paint(hdlg);
        return TRUE;
    case WM_DESTROY:
        AD_Destroy(hdlg);
        return FALSE;
    case WM_SETFONT:
        AD_SetFont(hdlg, wParam);
        return FALSE;
    case WM_GETFONT:
        return AD_GetFont(hdlg);
    default:
        return FALSE;
    }
}

void WINAPI AboutBox(HWND owner, HINSTANCE module, HICON icon, LPCSTR title)
{
    auto* info = static_cast<AboutInfo*>(LocalAlloc(LPTR, sizeof(AboutInfo)));
    if (!info)
        return;
    info->Icon = icon;
    info->Title = title;
    char file[kFileNameSize] = "";
    GetModuleFileNameA(module, file, sizeof file);
    HICON extracted = nullptr;
    if (!info->Icon)
        info->Icon = FindIcon(owner, file, &extracted);
    {
        const VersionResource version(file);
        ReadVersionLine(version, info);
        ReadTexts(version, info);
    }
    DialogBoxParamA(LibInstance, MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), owner, AboutDlg,
                    reinterpret_cast<LPARAM>(info));
    if (extracted)
        DestroyIcon(extracted);
    LocalFree(info);
}
