// The sixteen library cursors, each with its resource id.
#include "gallery.h"
#include "ztctrl32.h"

#include <cstdio>

namespace {

constexpr UINT kFirstCursor = 500, kCursorCount = 16;
constexpr int kColumns = 8, kCellWidth = 56, kCellHeight = 54, kCursorSize = 32;

void Cursors_Paint(HWND, HDC dc, RECT area)
{
    for (UINT i = 0; i < kCursorCount; ++i) {
        const int x = area.left + static_cast<int>(i % kColumns) * kCellWidth;
        const int y = area.top + static_cast<int>(i / kColumns) * kCellHeight;
        DrawIconEx(dc, x + (kCellWidth - kCursorSize) / 2, y, ZTC_LoadCursor(kFirstCursor + i),
                   kCursorSize, kCursorSize, 0, nullptr, DI_NORMAL);
        char id[8];
        std::snprintf(id, sizeof id, "%u", kFirstCursor + i);
        RECT label{x, y + kCursorSize + 2, x + kCellWidth, y + kCellHeight};
        DrawTextA(dc, id, -1, &label, DT_CENTER | DT_SINGLELINE | DT_TOP);
    }
}

}  // namespace

extern const GallerySection CursorSection = {
    "Cursors (ZTC_LoadCursor)", kColumns * kCellWidth,
    kCellHeight * static_cast<int>((kCursorCount + kColumns - 1) / kColumns),
    nullptr, nullptr, Cursors_Paint, nullptr, nullptr,
};
