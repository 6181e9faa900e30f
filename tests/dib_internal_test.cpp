// The length of a packed DIB's colour table, which fixes where its pixel
// bits begin.
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
