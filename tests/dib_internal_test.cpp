// Packed DIBs inside the library: the colour table's length and where the
// pixel bits of a locked DIB begin.
#include "ztcore.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

BITMAPINFOHEADER HeaderOf(WORD bits, DWORD coloursUsed)
{
    return BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 2, 1, bits, BI_RGB, 0, 0, 0, coloursUsed, 0};
}

// A global block holding `header` (its biSize set to headerSize, at least
// 40), then `table` bytes, then two rows of 4 pixels at its bit count.
class Block {
public:
    Block(const BITMAPINFOHEADER& header, size_t headerSize, size_t table)
    {
        const size_t rows = 2 * ((4 * header.biBitCount + 31) / 32 * 4);
        handle_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, headerSize + table + rows);
        auto* base = static_cast<BYTE*>(GlobalLock(handle_));
        memcpy(base, &header, sizeof header);
        reinterpret_cast<BITMAPINFOHEADER*>(base)->biSize = static_cast<DWORD>(headerSize);
        GlobalUnlock(handle_);
    }
    ~Block() { GlobalFree(handle_); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    operator HGLOBAL() const { return handle_; }

private:
    HGLOBAL handle_;
};

}  // namespace

TEST(DIBColorTableSizeTest, DefaultEntriesByBitCountOrBiClrUsedEntries)
{
    const struct {
        WORD bits;
        DWORD used;
        int size;
    } cases[] = {
        {1, 0, 8}, {4, 0, 64}, {8, 0, 1024}, {16, 0, 0}, {24, 0, 0}, {32, 0, 0},
        {8, 20, 80}, {24, 20, 80}, {1, 256, 1024},
    };
    for (const auto& c : cases) {
        const BITMAPINFOHEADER h = HeaderOf(c.bits, c.used);
        EXPECT_EQ(DIBColorTableSize(&h), c.size) << c.bits << " bits, biClrUsed " << c.used;
    }
}

TEST(LockedDIBTest, BitsBeginAfterTheHeaderAndItsColourTable)
{
    {
        Block dib(HeaderOf(8, 20), sizeof(BITMAPINFOHEADER), 80);
        LockedDIB locked(dib);
        ASSERT_TRUE(locked.usable());
        EXPECT_EQ(static_cast<const BYTE*>(locked.bits()) - reinterpret_cast<const BYTE*>(locked.info()), 40 + 80);
        EXPECT_EQ(locked.width(), 4);
        EXPECT_EQ(locked.height(), 2);
    }
    {
        // A longer header (as BITMAPV5HEADER) counts with its own size.
        Block dib(HeaderOf(4, 0), sizeof(BITMAPV5HEADER), 64);
        LockedDIB locked(dib);
        ASSERT_TRUE(locked.usable());
        EXPECT_EQ(static_cast<const BYTE*>(locked.bits()) - reinterpret_cast<const BYTE*>(locked.info()),
                  static_cast<ptrdiff_t>(sizeof(BITMAPV5HEADER) + 64));
    }
}

TEST(LockedDIBTest, UnlocksOnScopeExitWhetherUsableOrNot)
{
    Block good(HeaderOf(24, 0), sizeof(BITMAPINFOHEADER), 0);
    BITMAPINFOHEADER zeroWidth = HeaderOf(24, 0);
    zeroWidth.biWidth = 0;
    Block bad(zeroWidth, sizeof(BITMAPINFOHEADER), 0);
    for (HGLOBAL dib : {static_cast<HGLOBAL>(good), static_cast<HGLOBAL>(bad)}) {
        {
            LockedDIB locked(dib);
            EXPECT_EQ(locked.usable(), dib == good);
            EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 1u);
        }
        EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
    }
}
