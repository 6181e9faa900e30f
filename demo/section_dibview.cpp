// DIB views: one packed DIB the section paints itself, shown stretched and
// centred at its natural size in two views of the same size.
#include "gallery.h"
#include "ztctrl32.h"

#include <iterator>

namespace {

struct ViewSetting {
    const char* label;
    DWORD style;
};

constexpr ViewSetting kViews[] = {
    {"Stretched (style 0)", 0},
    {"Centred (DVS_CENTER)", DVS_CENTER},
};
constexpr int kCount = static_cast<int>(std::size(kViews));

constexpr char kDibProperty[] = "ztdemo.dib";
constexpr int kDibWidth = 64, kDibHeight = 40, kFrameWidth = 2;
constexpr int kViewWidth = 160, kViewHeight = 100, kViewGap = 20, kLabelHeight = 18;

// The colour of pixel (x, y), y counted from the top: red grows to the
// right, green downwards, inside a black frame with a white diagonal.
RGBTRIPLE PixelAt(int x, int y)
{
    const bool frame = x < kFrameWidth || y < kFrameWidth || x >= kDibWidth - kFrameWidth ||
                       y >= kDibHeight - kFrameWidth;
    if (frame)
        return RGBTRIPLE{0, 0, 0};
    if (x * kDibHeight / kDibWidth == y)
        return RGBTRIPLE{255, 255, 255};
    return RGBTRIPLE{160, static_cast<BYTE>(y * 255 / (kDibHeight - 1)),
                     static_cast<BYTE>(x * 255 / (kDibWidth - 1))};
}

// A 24-bit bottom-up packed DIB in moveable global memory; null on failure.
HGLOBAL MakeDib()
{
    constexpr int rowBytes = (kDibWidth * 3 + 3) / 4 * 4;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                              sizeof(BITMAPINFOHEADER) + rowBytes * kDibHeight);
    auto* header = dib ? static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!header) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = kDibWidth;
    header->biHeight = kDibHeight;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    auto* bits = reinterpret_cast<BYTE*>(header + 1);
    for (int row = 0; row < kDibHeight; ++row) {
        auto* pixel = reinterpret_cast<RGBTRIPLE*>(bits + row * rowBytes);
        for (int x = 0; x < kDibWidth; ++x)
            pixel[x] = PixelAt(x, kDibHeight - 1 - row);
    }
    GlobalUnlock(dib);
    return dib;
}

void DibView_Create(HWND frame, RECT area, int firstId)
{
    HGLOBAL dib = MakeDib();
    SetPropA(frame, kDibProperty, dib);
    for (int i = 0; i < kCount; ++i) {
        const int x = area.left + i * (kViewWidth + kViewGap);
        GalleryChild(frame, "static", kViews[i].label, SS_LEFT, -1, x, area.top, kViewWidth,
                     kLabelHeight - 2);
        HWND view = GalleryChild(frame, ZTC_DIBVIEW_CLASS, "", WS_BORDER | kViews[i].style,
                                 firstId + i, x, area.top + kLabelHeight, kViewWidth,
                                 kViewHeight);
        SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(dib), 0);
    }
}

// The views let go of the DIB before it is freed.
void DibView_Destroy(HWND frame, int firstId)
{
    for (int i = 0; i < kCount; ++i)
        SendDlgItemMessageA(frame, firstId + i, DVM_SETDIB, 0, 0);
    if (HANDLE dib = RemovePropA(frame, kDibProperty))
        GlobalFree(dib);
}

}  // namespace

extern const GallerySection DibViewSection = {
    "DIB views", kCount * kViewWidth + (kCount - 1) * kViewGap, kLabelHeight + kViewHeight,
    DibView_Create, nullptr, nullptr, nullptr, DibView_Destroy,
};
