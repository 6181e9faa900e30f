// DrawDIB and the DIB view: placement and scaling by pixels, and malformed
// DIBs, which draw nothing.
#include "ztest.h"

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

// A packed 24-bit DIB of 100 x 50 (rows bottom-up) whose quadrants are red
// (top left), green (top right), blue (bottom left) and yellow.
std::vector<BYTE> QuadrantDIB()
{
    const DWORD size = sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> bytes(size + 300 * 50);
    *reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()) = {size, 100, 50, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = y < 25 ? (x < 50 ? kRed : kGreen) : (x < 50 ? kBlue : kYellow);
            BYTE* p = &bytes[size + 300 * (49 - y) + 3 * x];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return bytes;
}

// The bytes in a movable global block, freed with its owner.
using Global = std::unique_ptr<void, HGLOBAL(WINAPI*)(HGLOBAL)>;
Global ToGlobal(const std::vector<BYTE>& bytes)
{
    Global dib(GlobalAlloc(GMEM_MOVEABLE, bytes.size()), GlobalFree);
    memcpy(GlobalLock(dib.get()), bytes.data(), bytes.size());
    GlobalUnlock(dib.get());
    return dib;
}

// A painted view of the given style and size that shows the DIB.
HWND Show(ParentWindow& parent, DWORD style, int w, int h, HGLOBAL dib)
{
    HWND view = parent.CreateChild(ZTC_DIBVIEW_CLASS, style, 10, 10, w, h);
    SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(dib), 0);
    PaintNow(view);
    return view;
}

// The quadrant picture covers `at` exactly: the quadrants' corners and the
// pixels on both sides of their borders have their colours, and the pixels
// just outside are the window colour (probes outside `shown` are skipped).
::testing::AssertionResult PictureAt(HWND hwnd, RECT at, RECT shown)
{
    const int l = at.left, t = at.top, r = at.right - 1, b = at.bottom - 1, mx = (l + r + 1) / 2, my = (t + b + 1) / 2;
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    std::vector<Dot> probes;
    for (const Dot& d : {Dot{l, t, kRed}, {mx - 1, my - 1, kRed}, {mx, t, kGreen}, {r, my - 1, kGreen},
                         {l, my, kBlue}, {mx - 1, b, kBlue}, {mx, my, kYellow}, {r, b, kYellow},
                         {l - 1, t, back}, {l, t - 1, back}, {r + 1, b, back}, {r, b + 1, back}})
        if (PtInRect(&shown, POINT{d.x, d.y}))
            probes.push_back(d);
    return DotsAre(hwnd, probes) << " for a picture at " << at;
}

}  // namespace

TEST(DIBViewTest, CentredOrClippedUnscaledStretchedOrCopiedAndNothingWithoutADIB)
{
    const Global dib = ToGlobal(QuadrantDIB());
    ParentWindow parent;
    const struct { DWORD style; int w, h; RECT at; } cases[] = {
        {DVS_CENTER, 300, 200, {100, 75, 200, 125}}, {DVS_CENTER, 60, 40, {0, 0, 100, 50}},
        {0, 300, 200, {0, 0, 300, 200}},             {0, 100, 50, {0, 0, 100, 50}},
    };
    for (const auto& c : cases) {
        HWND view = Show(parent, c.style, c.w, c.h, dib.get());
        EXPECT_TRUE(PictureAt(view, c.at, RECT{0, 0, c.w, c.h})) << "style " << c.style << ", " << c.w << " x " << c.h;
        DestroyWindow(view);
    }
    EXPECT_TRUE(AreaIs(Show(parent, 0, 120, 80, nullptr), RECT{0, 0, 120, 80}, GetSysColor(COLOR_WINDOW)));

    HDC dc = GetDC(parent.hwnd());
    DrawDIB(dc, dib.get(), 400, 250, 200, 100);
    ReleaseDC(parent.hwnd(), dc);
    EXPECT_TRUE(PictureAt(parent.hwnd(), RECT{400, 250, 600, 350}, RECT{390, 240, 610, 360})) << "DrawDIB";
}

TEST(DIBViewTest, MalformedDIBsDrawNothing)
{
    const std::vector<BYTE> good = QuadrantDIB();
    const size_t all = good.size();
    const struct { const char* what; size_t size; void (*change)(BITMAPINFOHEADER&); } cases[] = {
        {"one byte short", all - 1, [](BITMAPINFOHEADER&) {}},
        {"shorter than a header", 20, [](BITMAPINFOHEADER&) {}},
        {"header beyond the block", all, [](BITMAPINFOHEADER& h) { h.biSize = 0xFFFFFFF0; }},
        {"taller than the block", all, [](BITMAPINFOHEADER& h) { h.biHeight = 51; }},
        {"negative width", all, [](BITMAPINFOHEADER& h) { h.biWidth = -100; }},
        {"header size 12", all, [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"0 bits", all, [](BITMAPINFOHEADER& h) { h.biBitCount = 0; }},
        {"2 bits", all, [](BITMAPINFOHEADER& h) { h.biBitCount = 2; }},
        {"3 bits", all, [](BITMAPINFOHEADER& h) { h.biBitCount = 3; }},
        {"64 bits", all, [](BITMAPINFOHEADER& h) { h.biBitCount = 64; }},
        {"width x height x bits beyond 2^32", all, [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x10000, h.biBitCount = 32; }},
        {"absurd size", all, [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = INT_MAX; }},
        {"absurd top-down size", all, [](BITMAPINFOHEADER& h) { h.biWidth = INT_MAX, h.biHeight = INT_MIN; }},
        {"2^32 - 1 table entries", all, [](BITMAPINFOHEADER& h) { h.biClrUsed = 0xFFFFFFFF; }},
        {"an unknown compression", all, [](BITMAPINFOHEADER& h) { h.biCompression = 77; }},
        // 8 bits: 1024 bytes of colour table before 100-byte rows.
        {"ending halfway through the colour table", 40 + 512, [](BITMAPINFOHEADER& h) { h.biBitCount = 8; }},
        {"biClrUsed reaching past the end", all, [](BITMAPINFOHEADER& h) { h.biBitCount = 8, h.biClrUsed = 3751; }},
    };
    ParentWindow parent;
    for (const auto& c : cases) {
        std::vector<BYTE> bytes = good;
        c.change(*reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()));
        bytes.resize(c.size);
        const Global bad = ToGlobal(bytes);
        HWND view = Show(parent, 0, 150, 100, bad.get());
        EXPECT_TRUE(AreaIs(view, RECT{0, 0, 150, 100}, GetSysColor(COLOR_WINDOW))) << c.what;
        DestroyWindow(view);
        HDC dc = GetDC(parent.hwnd());
        DrawDIB(dc, bad.get(), 200, 200, 150, 100);
        ReleaseDC(parent.hwnd(), dc);
        EXPECT_TRUE(AreaIs(parent.hwnd(), RECT{200, 200, 350, 300}, GetSysColor(COLOR_WINDOW))) << "DrawDIB, " << c.what;
    }
}
