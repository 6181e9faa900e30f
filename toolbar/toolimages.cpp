// Module-wide objects for drawing tool buttons: the metrics record, the stock
// glyph strips, two memory DCs and the cached checkerboard brush.
#include "gdiguard.h"
#include "toolimages.h"

ToolBtnTDD DefaultTDD;
HBITMAP ToolImages[3];
BOOL ToolImagesReady;
HDC GlyphDC;
HDC MaskDC;
HBRUSH DitherBrush;
COLORREF DitherColours[2] = {0xFFFFFFFF, 0xFFFFFFFF};
SRWLOCK ToolDrawLock = SRWLOCK_INIT;

namespace {

constexpr UINT kFirstStrip = 400;

void DeleteDCIfAny(HDC& dc)
{
    if (dc)
        DeleteDC(dc);
    dc = nullptr;
}

template <class H>
void DeleteIfAny(H& h)
{
    if (h)
        DeleteObject(h);
    h = nullptr;
}

// An 8 x 8 one-bit DIB whose rows alternate 0xAA and 0x55 (bottom row 0xAA),
// each padded to four bytes: colour1 at the top-left pixel.
struct CheckerDIB {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
    DWORD rows[8];
};

RGBQUAD Quad(COLORREF c)
{
    return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

// Stock strip `id` as a 32-bit DIB section holding the resource's exact
// colours.  Every draw selects its strip into GlyphDC, and selecting a
// device-dependent bitmap makes the system check its format against the
// display's each time (under Wine a round trip to the window server); a DIB
// section is taken as it is.  Null when the resource cannot be loaded.
HBITMAP LoadStrip(HINSTANCE hinst, UINT id)
{
    zt::Owned<HBITMAP> loaded(static_cast<HBITMAP>(
        LoadImageA(hinst, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP size{};
    if (!loaded || !GetObjectA(loaded, sizeof size, &size))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size.bmWidth, size.bmHeight, 1, 32, BI_RGB, 0, 0, 0,
                                      0, 0};
    void* bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!strip)
        return nullptr;
    zt::MemoryDC from(nullptr), to(nullptr);
    zt::Select source(from, loaded), target(to, strip);
    BitBlt(to, 0, 0, size.bmWidth, size.bmHeight, from, 0, 0, SRCCOPY);
    return strip;
}

}  // namespace

BOOL ToolBtn_InitImages(HINSTANCE hinst)
{
    if (ToolImagesReady)
        return TRUE;
    ToolImagesReady = TRUE;

    ToolBtn_Configure(&DefaultTDD);
    for (UINT i = 0; i < 3; ++i) {
        ToolImages[i] = LoadStrip(hinst, kFirstStrip + i);
        if (!ToolImages[i])
            return FALSE;
    }
    GlyphDC = CreateCompatibleDC(nullptr);
    MaskDC = CreateCompatibleDC(nullptr);
    ToolBtn_DitherBrush(GetSysColor(COLOR_BTNFACE), ToolBtn_HighlightColour());
    if (!GlyphDC || !MaskDC || !DitherBrush) {
        ToolBtn_FreeImages();
        return FALSE;
    }
    return TRUE;
}

void ToolBtn_FreeImages()
{
    DeleteDCIfAny(MaskDC);
    DeleteDCIfAny(GlyphDC);
    DeleteIfAny(DitherBrush);
    for (HBITMAP& strip : ToolImages)
        DeleteIfAny(strip);
    ToolImagesReady = FALSE;
    // Forget the cached pair too, so that a later set-up makes a new brush.
    DitherColours[0] = DitherColours[1] = 0xFFFFFFFF;
}

COLORREF ToolBtn_HighlightColour()
{
    const DWORD version = GetVersion();
    const UINT majorMinor = (LOBYTE(LOWORD(version)) << 8) | HIBYTE(LOWORD(version));
    if (majorMinor <= 0x300)
        return RGB(255, 255, 255);
    return GetSysColor(COLOR_BTNHIGHLIGHT);
}

HBRUSH ToolBtn_DitherBrush(COLORREF colour1, COLORREF colour2)
{
    if (colour1 == DitherColours[0] && colour2 == DitherColours[1])
        return DitherBrush;
    DitherColours[0] = colour1;
    DitherColours[1] = colour2;

    CheckerDIB dib{};
    dib.header.biSize = sizeof(BITMAPINFOHEADER);
    dib.header.biWidth = 8;
    dib.header.biHeight = 8;
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 1;
    dib.header.biCompression = BI_RGB;
    dib.colours[0] = Quad(colour1);
    dib.colours[1] = Quad(colour2);
    for (int row = 0; row < 8; ++row)
        dib.rows[row] = (row % 2 == 0) ? 0xAA : 0x55;

    HBRUSH brush = nullptr;
    {
        zt::WindowDC screen(nullptr);
        zt::Owned<HBITMAP> bitmap(CreateDIBitmap(screen, &dib.header, CBM_INIT, dib.rows,
                                                 reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS));
        if (bitmap)
            brush = CreatePatternBrush(bitmap);
    }
    if (brush) {
        DeleteIfAny(DitherBrush);
        DitherBrush = brush;
    }
    return DitherBrush;
}
