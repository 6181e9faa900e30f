// Packed DIBs: the length of the colour table, which fixes where the pixel
// bits begin, and the check that a block holds everything its header
// announces before anything is drawn from it.
#include "frame/dib.h"

#include <gtest/gtest.h>

TEST(DIBColorTableSizeTest, DefaultEntriesByBitCountOrBiClrUsedEntries)
{
    const struct { WORD bits; DWORD used; int size; } cases[] = {
        {1, 0, 8}, {4, 0, 64}, {8, 0, 1024}, {24, 0, 0}, {8, 20, 80}, {24, 20, 80}};
    for (const auto& c : cases) {
        const BITMAPINFOHEADER h{sizeof h, 4, 2, 1, c.bits, BI_RGB, 0, 0, 0, c.used, 0};
        EXPECT_EQ(DIBColorTableSize(&h), c.size) << c.bits << " bits, biClrUsed " << c.used;
    }
}

// An 8-bit DIB of 4 x 2 pixels: 40 header bytes, then a colour table of 1024
// bytes (or 4 per biClrUsed entry), then two rows of 4 bytes.  Headers the
// platform would draw from, in blocks that end too early.
TEST(LockedDIBTest, TheColourTableAndEveryRowMustLieInsideTheBlock)
{
    const struct { const char* what; DWORD used; SIZE_T size; bool usable; } cases[] = {
        {"complete", 0, 40 + 1024 + 8, true},
        {"one byte short", 0, 40 + 1024 + 7, false},
        {"ending halfway through the colour table", 0, 40 + 512, false},
        {"ending where the colour table ends", 0, 40 + 1024, false},
        {"20 entries, complete", 20, 40 + 80 + 8, true},
        {"biClrUsed reaching past the end", 270, 40 + 1024 + 8, false},
    };
    for (const auto& c : cases) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, c.size);
        *static_cast<BITMAPINFOHEADER*>(GlobalLock(block)) = {40, 4, 2, 1, 8, BI_RGB, 0, 0, 0, c.used, 0};
        GlobalUnlock(block);
        {
            const LockedDIB dib(block);
            EXPECT_EQ(dib.usable(), c.usable) << c.what;
        }
        GlobalFree(block);
    }
}
