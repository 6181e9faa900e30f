// DIB views: one packed DIB of the gallery's own, shown stretched and
// centred at its natural size in two views of the same size.  The library's
// mouse hook reports the left presses on the centred view to the frame.
#include "gallery.h"
#include "pictures.h"
#include "status.h"
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
constexpr int kViewWidth = 160, kViewHeight = 100, kViewGap = 20, kLabelHeight = 18;

void DibView_Create(HWND frame, RECT area, int firstId)
{
    HGLOBAL dib = MakeGradientDIB();
    SetPropA(frame, kDibProperty, dib);
    for (int i = 0; i < kCount; ++i) {
        const int x = area.left + i * (kViewWidth + kViewGap);
        GalleryChild(frame, "static", kViews[i].label, SS_LEFT, -1, x, area.top, kViewWidth,
                     kLabelHeight - 2);
        HWND view = GalleryChild(frame, ZTC_DIBVIEW_CLASS, "", WS_BORDER | kViews[i].style,
                                 firstId + i, x, area.top + kLabelHeight, kViewWidth,
                                 kViewHeight);
        ZtDibView_SetDib(view, dib);
        if (kViews[i].style & DVS_CENTER)
            ZTC_SetMouseHook(frame, kMousePressMessage, view);
    }
}

// The views let go of the DIB before it is freed.
void DibView_Destroy(HWND frame, int firstId)
{
    ZTC_SetMouseHook(nullptr, 0, nullptr);
    for (int i = 0; i < kCount; ++i)
        ZtDibView_SetDib(GetDlgItem(frame, firstId + i), nullptr);
    if (HANDLE dib = RemovePropA(frame, kDibProperty))
        GlobalFree(dib);
}

}  // namespace

extern const GallerySection DibViewSection = {
    "DIB views", kCount * kViewWidth + (kCount - 1) * kViewGap, kLabelHeight + kViewHeight,
    DibView_Create, nullptr, nullptr, nullptr, DibView_Destroy,
};
