// DrawDIB and the DIB view: placement and scaling by pixels, the colour
// table's length, malformed DIBs, and clean-up.
#include "gdicount.h"
#include "ztest.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

BITMAPINFOHEADER& Header(std::vector<BYTE>& bytes)
{
    return *reinterpret_cast<BITMAPINFOHEADER*>(bytes.data());
}

// A packed 24-bit DIB whose quadrants are red (top left), green (top right),
// blue (bottom left) and yellow (bottom right); rows bottom-up, or top-down
// with a negative height.
std::vector<BYTE> QuadrantDIB(int w, int h, bool topDown = false)
{
    const int stride = (w * 3 + 3) / 4 * 4;
    std::vector<BYTE> bytes(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(stride) * h);
    BITMAPINFOHEADER& bi = Header(bytes);
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = topDown ? -h : h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    for (int y = 0; y < h; ++y) {
        BYTE* row = bytes.data() + sizeof bi + static_cast<size_t>(stride) * (topDown ? y : h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const COLORREF c = y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    return bytes;
}

// An 8-bit DIB of 4 x 2 pixels, all of colour index 1, with a table of
// `entries` colours (red, blue, then grey) announced in biClrUsed (0: the
// full 256 entries).
std::vector<BYTE> PaletteDIB(DWORD entries)
{
    const DWORD stored = entries ? entries : 256;
    std::vector<BYTE> bytes(sizeof(BITMAPINFOHEADER) + stored * sizeof(RGBQUAD) + 8, 1);
    BITMAPINFOHEADER& bi = Header(bytes);
    bi = BITMAPINFOHEADER{sizeof bi, 4, 2, 1, 8, BI_RGB, 0, 0, 0, entries, 0};
    auto* table = reinterpret_cast<RGBQUAD*>(bytes.data() + sizeof bi);
    for (DWORD i = 0; i < stored; ++i)
        table[i] = RGBQUAD{128, 128, 128, 0};
    table[0] = RGBQUAD{0, 0, 255, 0};
    table[1] = RGBQUAD{255, 0, 0, 0};
    return bytes;
}

// The bytes in a movable global block (only the first `size` of them if
// given), freed at the end of the test.
class GlobalDIB {
public:
    explicit GlobalDIB(const std::vector<BYTE>& bytes, size_t size = SIZE_MAX)
    {
        size = std::min(size, bytes.size());
        handle_ = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(handle_), bytes.data(), size);
        GlobalUnlock(handle_);
    }
    ~GlobalDIB() { GlobalFree(handle_); }
    GlobalDIB(const GlobalDIB&) = delete;
    GlobalDIB& operator=(const GlobalDIB&) = delete;
    operator HGLOBAL() const { return handle_; }

private:
    HGLOBAL handle_;
};

// A 32-bit DIB section selected into a memory DC, filled white.
class Surface {
public:
    Surface(int w, int h) : dc_(CreateCompatibleDC(nullptr)), w_(w), h_(h)
    {
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH white = CreateSolidBrush(kWhite);
        RECT all{0, 0, w, h};
        FillRect(dc_, &all, white);
        DeleteObject(white);
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    bool AllWhite() const
    {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) != kWhite)
                    return false;
        return true;
    }

private:
    HDC dc_;
    int w_, h_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

using Reader = std::function<COLORREF(int, int)>;

// The quadrant picture covers `where` exactly: its corners and the pixels
// on each side of the lines where the quadrants meet have the quadrants'
// colours, and the pixels just outside (those within `bounds`) are `around`.
::testing::AssertionResult PictureAt(const Reader& at, RECT where, RECT bounds, COLORREF around)
{
    const int l = where.left, t = where.top, r = where.right - 1, b = where.bottom - 1;
    const int mx = (where.left + where.right) / 2, my = (where.top + where.bottom) / 2;
    const struct {
        int x, y;
        COLORREF c;
    } probes[] = {
        {l, t, kRed},         {mx - 1, my - 1, kRed},  {mx, t, kGreen},   {r, my - 1, kGreen},
        {l, my, kBlue},       {mx - 1, b, kBlue},      {mx, my, kYellow}, {r, b, kYellow},
        {l - 1, t, around},   {l, t - 1, around},      {r + 1, b, around}, {r, b + 1, around},
    };
    for (const auto& p : probes) {
        const POINT pt{p.x, p.y};
        if (!PtInRect(&bounds, pt))
            continue;
        const COLORREF c = at(p.x, p.y);
        if (c != p.c)
            return ::testing::AssertionFailure() << "pixel (" << p.x << ", " << p.y << ") is " << Hex(c)
                                                 << ", expected " << Hex(p.c) << " for a picture at " << where;
    }
    return ::testing::AssertionSuccess();
}

class DIBViewTest : public ::testing::Test {
protected:
    HWND View(DWORD style, int w, int h) { return parent.CreateChild(ZTC_DIBVIEW_CLASS, style, 10, 10, w, h); }
    static void Show(HWND view, HGLOBAL dib)
    {
        SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(dib), 0);
        PaintNow(view);
    }
    static Reader ReadView(HWND view)
    {
        return [view](int x, int y) { return Pixel(view, x, y); };
    }
    static COLORREF Background() { return GetSysColor(COLOR_WINDOW); }

    ParentWindow parent;
    GlobalDIB dib{QuadrantDIB(100, 50)};
};

}  // namespace

TEST_F(DIBViewTest, WithoutADIBOnlyTheWindowColourShows)
{
    HWND view = View(0, 120, 80);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(view, 0), 0);
    EXPECT_TRUE(AreaIs(view, RECT{0, 0, 120, 80}, Background()));

    Show(view, dib);
    Show(view, nullptr);
    EXPECT_TRUE(AreaIs(view, RECT{0, 0, 120, 80}, Background())) << "the picture is gone again";
}

TEST_F(DIBViewTest, CentredAtNaturalSizeOrFromTheTopLeftWhenLarger)
{
    HWND view = View(DVS_CENTER, 300, 200);
    Show(view, dib);
    EXPECT_TRUE(PictureAt(ReadView(view), RECT{100, 75, 200, 125}, RECT{0, 0, 300, 200}, Background()));
    EXPECT_TRUE(AreaIs(view, RECT{0, 0, 300, 75}, Background()));

    // 60 x 40: (60 - 100) / 2 and (40 - 50) / 2 are raised to 0; right and bottom clipped.
    HWND small = View(DVS_CENTER, 60, 40);
    Show(small, dib);
    EXPECT_TRUE(PictureAt(ReadView(small), RECT{0, 0, 100, 50}, RECT{0, 0, 60, 40}, Background()));
    EXPECT_EQ(Pixel(small, 59, 39), kYellow);
}

TEST_F(DIBViewTest, StretchedToTheClientAreaOrCopiedWhenTheSizesMatch)
{
    HWND view = View(0, 300, 200);
    Show(view, dib);
    EXPECT_TRUE(PictureAt(ReadView(view), RECT{0, 0, 300, 200}, RECT{0, 0, 300, 200}, Background()));

    HWND same = View(0, 100, 50);
    Show(same, dib);
    EXPECT_TRUE(PictureAt(ReadView(same), RECT{0, 0, 100, 50}, RECT{0, 0, 100, 50}, Background()));
}

TEST_F(DIBViewTest, TopDownRowsComeOutUpright)
{
    GlobalDIB topDown(QuadrantDIB(100, 50, true));
    HWND centred = View(DVS_CENTER, 300, 200);
    Show(centred, topDown);
    EXPECT_TRUE(PictureAt(ReadView(centred), RECT{100, 75, 200, 125}, RECT{0, 0, 300, 200}, Background()));

    HWND stretched = View(0, 300, 200);
    Show(stretched, topDown);
    EXPECT_TRUE(PictureAt(ReadView(stretched), RECT{0, 0, 300, 200}, RECT{0, 0, 300, 200}, Background()));
}

TEST_F(DIBViewTest, SettingADIBKeepsItsHandleAndRepaintsEverythingEachTime)
{
    HWND view = View(DVS_CENTER, 300, 200);
    SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(static_cast<HGLOBAL>(dib)), 0);
    EXPECT_EQ(GetWindowLongPtrA(view, 0), reinterpret_cast<LONG_PTR>(static_cast<HGLOBAL>(dib)));
    EXPECT_TRUE(UpdateRegionIs(view, {RECT{0, 0, 300, 200}}));
    EXPECT_TRUE(PaintErases(view));

    SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(static_cast<HGLOBAL>(dib)), 0);
    EXPECT_TRUE(UpdateRegionIs(view, {RECT{0, 0, 300, 200}})) << "the same handle repaints again";
    EXPECT_TRUE(PaintErases(view));
}

TEST_F(DIBViewTest, PrintClientDrawsIntoTheGivenDC)
{
    HWND view = View(DVS_CENTER, 300, 200);
    Show(view, dib);
    Surface surface(300, 200);
    SendMessageA(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    EXPECT_TRUE(PictureAt([&](int x, int y) { return surface.At(x, y); }, RECT{100, 75, 200, 125},
                          RECT{0, 0, 300, 200}, kWhite));
}

TEST(DrawDIBTest, StretchesIntoAMemoryDCAndLeavesColourOnColour)
{
    GlobalDIB dib(QuadrantDIB(100, 50));
    Surface surface(240, 140);
    SetStretchBltMode(surface.dc(), HALFTONE);
    DrawDIB(surface.dc(), dib, 10, 20, 200, 100);
    EXPECT_TRUE(PictureAt([&](int x, int y) { return surface.At(x, y); }, RECT{10, 20, 210, 120},
                          RECT{0, 0, 240, 140}, kWhite));
    EXPECT_EQ(GetStretchBltMode(surface.dc()), COLORONCOLOR);
}

TEST(DrawDIBTest, PixelBitsFollowAColourTableOfBiClrUsedEntries)
{
    // Two table entries: the pixels (index 1) begin 8 bytes after the header.
    GlobalDIB two(PaletteDIB(2));
    Surface surface(8, 4);
    DrawDIB(surface.dc(), two, 0, 0, 4, 2);
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(3, 1), kBlue);

    // The full table of 256 entries when biClrUsed is 0.
    GlobalDIB full(PaletteDIB(0));
    Surface other(8, 4);
    DrawDIB(other.dc(), full, 0, 0, 4, 2);
    EXPECT_EQ(other.At(3, 1), kBlue);

    // The same 56-byte block without biClrUsed would need 1024 bytes of table.
    std::vector<BYTE> bytes = PaletteDIB(2);
    Header(bytes).biClrUsed = 0;
    GlobalDIB short_(bytes);
    Surface third(8, 4);
    DrawDIB(third.dc(), short_, 0, 0, 4, 2);
    EXPECT_TRUE(third.AllWhite());
}

TEST(DrawDIBTest, RunLengthBitsAreBoundByTheirImageSize)
{
    // 4 x 2, 8 bits: each row four pixels of index 1, then end of line; end of bitmap.
    std::vector<BYTE> bytes = PaletteDIB(2);
    const BYTE runs[] = {4, 1, 0, 0, 4, 1, 0, 0, 0, 1};
    bytes.resize(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    bytes.insert(bytes.end(), std::begin(runs), std::end(runs));
    Header(bytes).biCompression = BI_RLE8;
    Header(bytes).biSizeImage = sizeof runs;
    GlobalDIB rle(bytes);
    Surface surface(8, 4);
    DrawDIB(surface.dc(), rle, 0, 0, 4, 2);
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(3, 1), kBlue);

    Header(bytes).biSizeImage = 1000;
    GlobalDIB overlong(bytes);
    Surface other(8, 4);
    DrawDIB(other.dc(), overlong, 0, 0, 4, 2);
    EXPECT_TRUE(other.AllWhite());
}

TEST_F(DIBViewTest, MalformedDIBsDrawNothing)
{
    const std::vector<BYTE> good = QuadrantDIB(100, 50);
    struct Case {
        const char* what;
        std::function<void(BITMAPINFOHEADER&)> change;
        size_t size;
    };
    const auto keep = [](BITMAPINFOHEADER&) {};
    const Case cases[] = {
        {"one byte short", keep, good.size() - 1},
        {"shorter than a header", keep, 20},
        {"header size 0", [](BITMAPINFOHEADER& h) { h.biSize = 0; }, SIZE_MAX},
        {"header size 39", [](BITMAPINFOHEADER& h) { h.biSize = 39; }, SIZE_MAX},
        {"header beyond the block", [](BITMAPINFOHEADER& h) { h.biSize = 0xFFFFFFF0; }, SIZE_MAX},
        {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }, SIZE_MAX},
        {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }, SIZE_MAX},
        {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -100; }, SIZE_MAX},
        {"2 bits", [](BITMAPINFOHEADER& h) { h.biBitCount = 2; }, SIZE_MAX},
        {"0 bits", [](BITMAPINFOHEADER& h) { h.biBitCount = 0; }, SIZE_MAX},
        {"absurd size", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = INT_MAX; }, SIZE_MAX},
        {"absurd top-down size", [](BITMAPINFOHEADER& h) { h.biWidth = INT_MAX; h.biHeight = INT_MIN; }, SIZE_MAX},
        {"taller than the block", [](BITMAPINFOHEADER& h) { h.biHeight = 51; }, SIZE_MAX},
        {"2^32 - 1 table entries", [](BITMAPINFOHEADER& h) { h.biClrUsed = 0xFFFFFFFF; }, SIZE_MAX},
        {"an unknown compression", [](BITMAPINFOHEADER& h) { h.biCompression = 77; }, SIZE_MAX},
    };
    HWND view = View(0, 150, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> bytes = good;
        c.change(Header(bytes));
        GlobalDIB bad(bytes, c.size);
        Surface surface(120, 70);
        DrawDIB(surface.dc(), bad, 10, 10, 100, 50);
        EXPECT_TRUE(surface.AllWhite());
        Show(view, bad);
        EXPECT_TRUE(AreaIs(view, RECT{0, 0, 150, 100}, Background()));
    }
    Show(view, nullptr);

    // The same picture, complete, is drawn: the cases above fail only for their fault.
    GlobalDIB whole(good);
    Surface surface(120, 70);
    DrawDIB(surface.dc(), whole, 10, 10, 100, 50);
    EXPECT_FALSE(surface.AllWhite());
}

TEST(DrawDIBTest, NullAndUnlockableHandlesDrawNothing)
{
    Surface surface(40, 40);
    DrawDIB(surface.dc(), nullptr, 0, 0, 40, 40);
    EXPECT_TRUE(surface.AllWhite());

    const std::vector<BYTE> bytes = QuadrantDIB(10, 10);
    HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, bytes.size());
    memcpy(GlobalLock(discarded), bytes.data(), bytes.size());
    GlobalUnlock(discarded);
    ASSERT_EQ(GlobalDiscard(discarded), discarded);
    ASSERT_EQ(GlobalLock(discarded), nullptr) << "a discarded block cannot be locked";
    DrawDIB(surface.dc(), discarded, 0, 0, 40, 40);
    EXPECT_TRUE(surface.AllWhite());
    GlobalFree(discarded);
}

TEST(DIBViewResources, CreatePaintDestroyLeavesNoObjectBehindAndTheDIBUntouched)
{
    ParentWindow parent;
    const std::vector<BYTE> bytes = QuadrantDIB(100, 50);
    GlobalDIB dib(bytes);
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    for (DWORD style : {DWORD{0}, DWORD{DVS_CENTER}}) {
        HWND view = parent.CreateChild(ZTC_DIBVIEW_CLASS, style, 10, 10, 300, 200);
        SendMessageA(view, DVM_SETDIB, reinterpret_cast<WPARAM>(static_cast<HGLOBAL>(dib)), 0);
        PaintNow(view);
        DestroyWindow(view);
    }
    Surface surface(100, 50);
    DrawDIB(surface.dc(), dib, 0, 0, 100, 50);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();

    ASSERT_EQ(GlobalSize(dib), bytes.size()) << "the view does not free the DIB";
    EXPECT_EQ(memcmp(GlobalLock(dib), bytes.data(), bytes.size()), 0);
    GlobalUnlock(dib);
}
