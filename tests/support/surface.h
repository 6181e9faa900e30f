// Drawing helpers for tests: a memory surface with exact read-back and a
// scope that changes system colours and restores them.
#pragma once
#include <windows.h>

#include "ztest.h"

#include <utility>
#include <vector>

namespace ztest {

// A 24-bit memory surface whose pixels can be read back exactly.
class Surface : NoCopy {
public:
    Surface(int w, int h) : dc_(CreateCompatibleDC(nullptr)), w_(w), h_(h)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    HDC dc() const { return dc_; }
    int width() const { return w_; }
    int height() const { return h_; }
    void Fill(COLORREF c, RECT rc)
    {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc_, &rc, b);
        DeleteObject(b);
    }
    void Fill(COLORREF c) { Fill(c, RECT{0, 0, w_, h_}); }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    PixelReader Reader() const { return [this](int x, int y) { return At(x, y); }; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int w_, h_;
};

// A complete packed 24-bit DIB of w x h pixels, blank, in a new movable block.
inline HGLOBAL NewDIB(int w, int h)
{
    const SIZE_T bits = static_cast<SIZE_T>((w * 3 + 3) & ~3) * h;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + bits);
    *static_cast<BITMAPINFOHEADER*>(GlobalLock(block)) = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(block);
    return block;
}

// Sets system colours for the lifetime of the object and restores the
// previous ones afterwards.
class SysColours : NoCopy {
public:
    SysColours() = default;
    ~SysColours()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            SetSysColors(1, &it->first, &it->second);
    }

    void Set(int index, COLORREF colour)
    {
        saved_.emplace_back(index, GetSysColor(index));
        SetSysColors(1, &index, &colour);
    }

private:
    std::vector<std::pair<INT, COLORREF>> saved_;
};

}  // namespace ztest
