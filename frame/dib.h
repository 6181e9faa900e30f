// Packed DIBs: a global block holding a BITMAPINFOHEADER, its colour table
// and the pixel bits.
#pragma once
#include <windows.h>

// Size in bytes of the colour table that follows the header: biClrUsed
// entries of four bytes, or else 2, 16 or 256 entries for 1, 4 and 8 bits
// and none for other bit counts.  The pixel bits begin at the header's
// address + biSize + this size.
int DIBColorTableSize(const BITMAPINFOHEADER* header);

// Locks a packed DIB for drawing, and unlocks it on scope exit.  The DIB is
// usable only when it is complete: a header of at least 40 bytes, a positive
// width, a nonzero height (negative: top-down rows), 1, 4, 8, 16, 24 or 32
// bits, and a block that holds the colour table and every row (or the
// compressed bits) the header announces.  Otherwise nothing is drawn from
// it, so drawing never reads past the block.
class LockedDIB {
public:
    explicit LockedDIB(HGLOBAL dib);
    ~LockedDIB();
    LockedDIB(const LockedDIB&) = delete;
    LockedDIB& operator=(const LockedDIB&) = delete;

    bool locked() const { return header_ != nullptr; }  // GlobalLock succeeded
    bool usable() const { return bits_ != nullptr; }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(header_); }
    const void* bits() const { return bits_; }
    int width() const { return header_->biWidth; }
    int height() const { return rows_; }  // |biHeight|: rows, whatever their order

private:
    HGLOBAL dib_;
    const BITMAPINFOHEADER* header_;
    const void* bits_ = nullptr;
    int rows_ = 0;
};

// Copies a usable DIB unscaled with its top-left corner at (x, y); top-down
// rows come out upright.
void CopyWholeDIB(HDC dc, const LockedDIB& dib, int x, int y);

// Where a picture of length n starts when centred in a client length of
// `client`: never before 0, so a larger picture is clipped right and below.
int CentredOrigin(int client, int n);
