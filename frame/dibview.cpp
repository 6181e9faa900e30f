// Packed DIBs: where the pixel bits begin, drawing one stretched into any
// DC, and the DIB view, which shows one DIB stretched to its client area or
// centred at its natural size.  The view keeps only the DIB's handle, in
// window long 0; the application owns the DIB.
#include "access.h"
#include "dib.h"
#include "gdiguard.h"
#include "window.h"
#include "ztcore.h"

#include <climits>

namespace {

// Colour-table bytes without narrowing: biClrUsed can announce up to
// 2^32 - 1 entries.
unsigned long long ColourTableBytes(const BITMAPINFOHEADER& h)
{
    if (h.biClrUsed != 0)
        return 4ull * h.biClrUsed;
    switch (h.biBitCount) {
    case 1: return 2 * sizeof(RGBQUAD);
    case 4: return 16 * sizeof(RGBQUAD);
    case 8: return 256 * sizeof(RGBQUAD);
    default: return 0;
    }
}

bool DrawableBitCount(WORD bits)
{
    switch (bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
    }
}

// Whether `room` bytes hold the pixel bits the header announces: every row
// (rows padded to four bytes), or for RLE the biSizeImage compressed bytes.
// The product of rows and row size is never formed, so nothing overflows.
bool HoldsPixels(const BITMAPINFOHEADER& h, unsigned long long rows, unsigned long long room)
{
    const unsigned long long rowBytes = (static_cast<unsigned long long>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    switch (h.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
        return rows <= room / rowBytes;
    case BI_RLE8:
        return h.biBitCount == 8 && h.biHeight > 0 && h.biSizeImage <= room;
    case BI_RLE4:
        return h.biBitCount == 4 && h.biHeight > 0 && h.biSizeImage <= room;
    default:
        return false;
    }
}

// The number of rows of a DIB whose block of `size` bytes holds everything
// its header announces, or 0 when it must not be drawn.
int DrawableRows(const BITMAPINFOHEADER& h, unsigned long long size)
{
    const long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || rows == 0 || rows > INT_MAX ||
        !DrawableBitCount(h.biBitCount))
        return 0;
    // GDI reads the three colour masks of BI_BITFIELDS right after a plain header.
    if (h.biCompression == BI_BITFIELDS && size < sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD))
        return 0;
    const unsigned long long bitsOffset = h.biSize + ColourTableBytes(h);  // below 2^35
    if (bitsOffset > size || !HoldsPixels(h, static_cast<unsigned long long>(rows), size - bitsOffset))
        return 0;
    return static_cast<int>(rows);
}

}  // namespace

int DIBColorTableSize(const BITMAPINFOHEADER* header)
{
    return static_cast<int>(ColourTableBytes(*header));
}

LockedDIB::LockedDIB(HGLOBAL dib)
    : dib_(dib), header_(dib ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr)
{
    if (!header_ || GlobalSize(dib) < sizeof(BITMAPINFOHEADER))
        return;
    rows_ = DrawableRows(*header_, GlobalSize(dib));
    if (rows_)
        bits_ = reinterpret_cast<const BYTE*>(header_) + header_->biSize + ColourTableBytes(*header_);
}

LockedDIB::~LockedDIB()
{
    if (header_)
        GlobalUnlock(dib_);
}

void CopyWholeDIB(HDC dc, const LockedDIB& dib, int x, int y)
{
    SetDIBitsToDevice(dc, x, y, dib.width(), dib.height(), 0, 0, 0, dib.height(), dib.bits(), dib.info(),
                      DIB_RGB_COLORS);
}

int CentredOrigin(int client, int n)
{
    const long long origin = (static_cast<long long>(client) - n) / 2;
    return origin < 0 ? 0 : static_cast<int>(origin);
}

namespace {

// Draws the whole DIB stretched to (x, y, cx, cy); top-down rows come out
// upright.
void StretchWholeDIB(HDC dc, const LockedDIB& dib, int x, int y, int cx, int cy)
{
    StretchDIBits(dc, x, y, cx, cy, 0, 0, dib.width(), dib.height(), dib.bits(), dib.info(), DIB_RGB_COLORS,
                  SRCCOPY);
}

LRESULT DV_Create(HWND hwnd, LPARAM lParam)
{
    ControlCreateHook(hwnd);
    return DefWindowProcA(hwnd, WM_CREATE, 0, lParam);
}

LRESULT DV_Destroy(HWND hwnd)
{
    ControlDestroyHook(hwnd);
    return DefWindowProcA(hwnd, WM_DESTROY, 0, 0);
}

LRESULT DV_Paint(HWND hwnd, HDC dc)
{
    const auto handle = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(hwnd, 0));
    if (!handle)
        return 0;
    LockedDIB dib(handle);
    if (!dib.usable())
        return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    const int w = client.right, h = client.bottom;
    if (WindowStyle(hwnd) & DVS_CENTER) {
        CopyWholeDIB(dc, dib, CentredOrigin(w, dib.width()), CentredOrigin(h, dib.height()));
        return 0;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    if (w == dib.width() && h == dib.height())
        CopyWholeDIB(dc, dib, 0, 0);
    else
        StretchWholeDIB(dc, dib, 0, 0, w, h);
    return 0;
}

LRESULT DV_SetDIB(HWND hwnd, HGLOBAL dib)
{
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(dib));
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT DV_Command(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case DVM_SETDIB: return DV_SetDIB(hwnd, reinterpret_cast<HGLOBAL>(wParam));
    default:         return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// A screen reader sees a picture.  The view has no state block: it is
// alive as long as its window is.
using DibViewAccessible = access::Picture<access::Object>;

}  // namespace

void WINAPI DrawDIB(HDC dc, HGLOBAL handle, int x, int y, int cx, int cy)
{
    LockedDIB dib(handle);
    if (!dib.usable())
        return;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchWholeDIB(dc, dib, x, y, cx, cy);
}

// The view keeps no state block: window long 0 holds the DIB's handle, 0
// for none.
LRESULT WINAPI DV_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return DV_Create(hwnd, lParam);
    if (msg >= WM_USER)
        return DV_Command(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:     return DV_Destroy(hwnd);
    case WM_PAINT:
    case WM_PRINTCLIENT: return DV_Paint(hwnd, zt::PaintDC(hwnd, msg, wParam));
    case WM_GETOBJECT:   return access::Answer<DibViewAccessible>(hwnd, wParam, lParam);
    default:             return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
