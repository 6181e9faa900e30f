// The stock tool image strips of the library, each glyph drawn apart.
#include "gallery.h"
#include "gdiguard.h"

#include <cstdio>

namespace {

constexpr UINT kFirstStrip = 400, kStripCount = 3;
constexpr int kGlyphCount = 9;
constexpr int kLabelWidth = 64, kGlyphGap = 8, kRowHeight = 32;
constexpr int kWidestGlyph = 24;

// Draws one strip's glyphs left to right from (x, y), kGlyphGap apart.
void ToolImages_PaintStrip(HDC dc, HBITMAP strip, int x, int y)
{
    BITMAP info{};
    if (!GetObjectA(strip, sizeof info, &info))
        return;
    const int cx = info.bmWidth / kGlyphCount, cy = info.bmHeight;
    zt::MemoryDC memory(dc);
    zt::Select select(memory, strip);
    for (int i = 0; i < kGlyphCount; ++i)
        BitBlt(dc, x + i * (cx + kGlyphGap), y, cx, cy, memory, i * cx, 0, SRCCOPY);
}

void ToolImages_Paint(HWND, HDC dc, RECT area)
{
    HMODULE library = GetModuleHandleA("ztctrl32.dll");
    for (UINT i = 0; i < kStripCount; ++i) {
        const int y = area.top + static_cast<int>(i) * kRowHeight;
        char label[8];
        std::snprintf(label, sizeof label, "%u", kFirstStrip + i);
        TextOutA(dc, area.left, y + 4, label, lstrlenA(label));
        zt::Owned<HBITMAP> strip(LoadBitmapA(library, MAKEINTRESOURCEA(kFirstStrip + i)));
        if (strip)
            ToolImages_PaintStrip(dc, strip, area.left + kLabelWidth, y);
    }
}

}  // namespace

extern const GallerySection ToolImageSection = {
    "Stock tool images (bitmaps 400, 401, 402)",
    kLabelWidth + kGlyphCount * (kWidestGlyph + kGlyphGap),
    kRowHeight * static_cast<int>(kStripCount),
    nullptr, nullptr, ToolImages_Paint, nullptr, nullptr,
};
