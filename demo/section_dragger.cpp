// Draggers: one holding the gallery's DIB, one a bitmap of shapes.  Drag
// either onto a program whose menu bar has Edit > Paste: the gallery puts
// the picture on the clipboard when the dragger asks, and the program's own
// paste command inserts it.
#include "gallery.h"
#include "pictures.h"
#include "ztctrl32.h"

namespace {

constexpr Shape kShapes[] = {Shape::Circle, Shape::Diamond};
constexpr COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 160, 0)};
constexpr int kShapeCount = 2, kCellSize = 24;

constexpr int kDibWell = 0, kBitmapWell = 1;  // id offsets
constexpr int kMargin = 6, kGap = 16, kLabelWidth = 280, kLabelHeight = 32;
constexpr int kDibWellWidth = kGradientWidth + 2 * kMargin, kWellHeight = kGradientHeight + 2 * kMargin;
constexpr int kBitmapWellWidth = kShapeCount * kCellSize + 2 * kMargin;
constexpr int kLabelLeft = kDibWellWidth + kGap + kBitmapWellWidth + kGap;

HBITMAP MakeShapes()
{
    return MakePicture(kCellSize, kCellSize, kShapes, kColours, kShapeCount);
}

void Draggers_Create(HWND frame, RECT area, int firstId)
{
    HWND dib = GalleryChild(frame, ZTC_DRAGGER_CLASS, "", 0, firstId + kDibWell, area.left, area.top,
                            kDibWellWidth, kWellHeight);
    ZtDragger_SetDib(dib, MakeGradientDIB());
    HWND bitmap = GalleryChild(frame, ZTC_DRAGGER_CLASS, "", 0, firstId + kBitmapWell,
                               area.left + kDibWellWidth + kGap, area.top, kBitmapWellWidth, kWellHeight);
    ZtDragger_SetBitmap(bitmap, MakeShapes());
    GalleryChild(frame, "static", "Drag a picture onto a program's window with Edit > Paste in its menu bar.",
                 SS_LEFT, -1, area.left + kLabelLeft, area.top + (kWellHeight - kLabelHeight) / 2, kLabelWidth,
                 kLabelHeight);
}

// A dragger asks before it sends the paste command: the answer is yes once
// its picture (a fresh copy: the clipboard owns what it is given) is on the
// clipboard.
LRESULT Draggers_Notify(HWND frame, int firstId, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME))
        return 0;
    if (static_cast<int>(wParam) == firstId + kDibWell)
        return PutOnClipboard(frame, MakeGradientDIB(), CF_DIB);
    return PutOnClipboard(frame, MakeShapes(), CF_BITMAP);
}

}  // namespace

extern const GallerySection DraggerSection = {
    "Draggers", kLabelLeft + kLabelWidth, kWellHeight,
    Draggers_Create, nullptr, nullptr, Draggers_Notify, nullptr,
};
