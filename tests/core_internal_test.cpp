// Library start-up, shared objects, tool images and the drawing helpers,
// linked statically so that internal routines and globals can be reached.
// The program's own module carries the library's resources.
#include "ztcore.h"
#include "surface.h"
#include "ztest.h"

#include <cstring>

using ztest::Hex;
using ztest::Surface;

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// A device bitmap painted by a callback on a memory DC.
template <class Paint>
HBITMAP MakeBitmap(int w, int h, Paint paint)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bm;
}

void FillDC(HDC dc, RECT rc, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &rc, b);
    DeleteObject(b);
}

// Attaches the library once for the test and detaches it afterwards.
class Loaded : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LibraryEntry(Self(), DLL_PROCESS_ATTACH, nullptr)); }
    void TearDown() override { LibraryEntry(Self(), DLL_PROCESS_DETACH, nullptr); }
};

}  // namespace

TEST(LibraryEntryTest, OnlyTheFirstAttachAndTheLastDetachMakeAndReleaseObjects)
{
    ASSERT_EQ(AttachCount, 0);
    ASSERT_TRUE(LibraryEntry(Self(), DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(AttachCount, 1);
    EXPECT_EQ(LibInstance, Self());
    EXPECT_EQ(BorderUnit, GetSystemMetrics(SM_CYBORDER));
    const HPEN pen = ShadowPen;
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(FaceBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(MenuLogoBitmap), static_cast<DWORD>(OBJ_BITMAP));
    for (HBITMAP strip : ToolImages)
        EXPECT_EQ(GetObjectType(strip), static_cast<DWORD>(OBJ_BITMAP));
    for (HCURSOR c : CursorTable)
        EXPECT_NE(c, nullptr);

    // A second attach and thread notifications only count.
    EXPECT_TRUE(LibraryEntry(Self(), DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(LibraryEntry(Self(), DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(LibraryEntry(Self(), DLL_THREAD_DETACH, nullptr));
    EXPECT_EQ(AttachCount, 2);
    EXPECT_EQ(ShadowPen, pen);

    EXPECT_TRUE(LibraryEntry(Self(), DLL_PROCESS_DETACH, nullptr));
    EXPECT_EQ(AttachCount, 1);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN)) << "released before the last detach";

    EXPECT_TRUE(LibraryEntry(Self(), DLL_PROCESS_DETACH, nullptr));
    EXPECT_EQ(AttachCount, 0);
    EXPECT_EQ(GetObjectType(pen), 0u) << "shared pen not deleted at the last detach";
    EXPECT_EQ(GlyphDC, nullptr);
    EXPECT_EQ(MaskDC, nullptr);
    EXPECT_EQ(DitherBrush, nullptr);
    EXPECT_EQ(ToolImagesReady, FALSE);

    // A set-up after the clean-up makes everything again, the brush included.
    ASSERT_TRUE(LibraryEntry(Self(), DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(GetObjectType(DitherBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_NE(GlyphDC, nullptr);
    EXPECT_TRUE(LibraryEntry(Self(), DLL_PROCESS_DETACH, nullptr));
}

TEST(LibraryEntryTest, FailsTheLoadWhenTheToolImagesAreMissing)
{
    // A module without the library's bitmaps: kernel32 has no bitmap 400.
    HINSTANCE without = GetModuleHandleA("kernel32.dll");
    for (HCURSOR& c : CursorTable)  // cursors outlive a detach; start afresh
        c = nullptr;
    EXPECT_FALSE(LibraryEntry(without, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(AttachCount, 1);
    EXPECT_EQ(CursorTable[0], nullptr) << "cursors loaded after a failed set-up";
    LibraryEntry(without, DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(AttachCount, 0);
    EXPECT_FALSE(ToolImagesReady);
}

TEST_F(Loaded, DefaultMetricsAndASecondSetUpThatChangesNothing)
{
    const ToolBtnTDD& d = DefaultTDD;
    EXPECT_EQ(d.nReserved, 96u);
    EXPECT_EQ(d.cyToolBar, 29);
    EXPECT_EQ(d.cxButton, 24);
    EXPECT_EQ(d.cyButton, 22);
    EXPECT_EQ(d.cxGlyph, 16);
    EXPECT_EQ(d.cyGlyph, 15);
    EXPECT_EQ(d.idImages, 400u);

    const HBITMAP strip = ToolImages[0];
    EXPECT_TRUE(ToolBtn_InitImages(Self()));
    EXPECT_EQ(ToolImages[0], strip);

    const int sizes[3][2] = {{144, 15}, {144, 11}, {216, 23}};
    for (int i = 0; i < 3; ++i) {
        BITMAP bm{};
        ASSERT_TRUE(GetObjectA(ToolImages[i], sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, sizes[i][0]) << "strip " << 400 + i;
        EXPECT_EQ(bm.bmHeight, sizes[i][1]) << "strip " << 400 + i;
    }
}

TEST_F(Loaded, DitherBrushIsCachedPerColourPairAndIsACheckerboard)
{
    const COLORREF face = RGB(10, 20, 30), light = RGB(200, 210, 220);
    HBRUSH first = ToolBtn_DitherBrush(face, light);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ToolBtn_DitherBrush(face, light), first) << "same pair must return the cached brush";

    Surface s(8, 8);
    RECT all{0, 0, 8, 8};
    FillRect(s.dc(), &all, first);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(s.At(x, y), ((x + y) % 2 == 0) ? face : light) << "at " << x << "," << y;

    HBRUSH second = ToolBtn_DitherBrush(light, face);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(GetObjectType(first), 0u) << "the previous brush must be deleted";
    EXPECT_EQ(DitherBrush, second);
}

TEST(TransparentBltTest, WhiteLeavesTheDestinationAndOtherColoursAreCopied)
{
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 128, 0);
    Surface dest(8, 4);

    // All white: nothing changes.
    dest.Fill(red, RECT{0, 0, 8, 4});
    HBITMAP white = MakeBitmap(8, 4, [](HDC dc) { FillDC(dc, RECT{0, 0, 8, 4}, RGB(255, 255, 255)); });
    TransparentBlt(dest.dc(), white, 0, 0, 8, 4);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(dest.At(x, 2), red) << x;
    DeleteObject(white);

    // Left half blue, right half white, one black pixel: blue and black are
    // copied, white shows the destination; drawn at an offset.
    dest.Fill(red, RECT{0, 0, 8, 4});
    HBITMAP mixed = MakeBitmap(4, 2, [&](HDC dc) {
        FillDC(dc, RECT{0, 0, 2, 2}, blue);
        FillDC(dc, RECT{2, 0, 4, 2}, RGB(255, 255, 255));
        SetPixel(dc, 3, 1, RGB(0, 0, 0));
    });
    TransparentBlt(dest.dc(), mixed, 2, 1, 4, 2);
    EXPECT_EQ(dest.At(1, 1), red);
    EXPECT_EQ(dest.At(2, 1), blue);
    EXPECT_EQ(dest.At(3, 2), blue);
    EXPECT_EQ(dest.At(4, 1), red);
    EXPECT_EQ(dest.At(5, 1), red);
    EXPECT_EQ(dest.At(5, 2), RGB(0, 0, 0));
    EXPECT_EQ(dest.At(6, 1), red);

    // The bitmap is altered in place: its white pixels are now black.
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(probe, mixed);
    EXPECT_EQ(GetPixel(probe, 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(probe, 0, 0), blue);
    SelectObject(probe, old);
    DeleteDC(probe);
    DeleteObject(mixed);

    // A bitmap without white is copied unchanged.
    dest.Fill(red, RECT{0, 0, 8, 4});
    HBITMAP solid = MakeBitmap(8, 4, [&](HDC dc) { FillDC(dc, RECT{0, 0, 8, 4}, green); });
    TransparentBlt(dest.dc(), solid, 0, 0, 8, 4);
    EXPECT_EQ(dest.At(0, 0), green);
    EXPECT_EQ(dest.At(7, 3), green);
    DeleteObject(solid);
}

namespace {

// Changes the menu bar height and the menu colour for one test and restores
// both afterwards.
class MenuLook {
public:
    MenuLook()
    {
        saved_.cbSize = sizeof saved_;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
        menuColour_ = GetSysColor(COLOR_MENU);
    }
    ~MenuLook()
    {
        SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
        const INT index = COLOR_MENU;
        SetSysColors(1, &index, &menuColour_);
    }
    // Sets the metric so that GetSystemMetrics(SM_CYMENU) is `height`.
    bool SetMenuHeight(int height)
    {
        NONCLIENTMETRICSA m = saved_;
        for (int guess = height - 2; guess <= height + 2; ++guess) {
            m.iMenuHeight = guess;
            SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof m, &m, 0);
            if (GetSystemMetrics(SM_CYMENU) == height)
                return true;
        }
        return false;
    }
    void SetMenuColour(COLORREF c)
    {
        const INT index = COLOR_MENU;
        SetSysColors(1, &index, &c);
    }

private:
    NONCLIENTMETRICSA saved_{};
    COLORREF menuColour_;
};

SIZE BitmapSize(HBITMAP bm)
{
    BITMAP info{};
    GetObjectA(bm, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

TEST_F(Loaded, MenuLogoFollowsTheMenuBarHeightAndColour)
{
    MenuLook look;
    look.SetMenuColour(RGB(255, 255, 255));
    ASSERT_TRUE(look.SetMenuHeight(25)) << "cannot set the menu bar height on this system";
    HBITMAP small = MakeMenuLogo();
    EXPECT_EQ(BitmapSize(small).cx, 20);
    EXPECT_EQ(BitmapSize(small).cy, 16);
    DeleteObject(small);

    ASSERT_TRUE(look.SetMenuHeight(26));
    HBITMAP large = MakeMenuLogo();
    EXPECT_EQ(BitmapSize(large).cx, 22);
    EXPECT_EQ(BitmapSize(large).cy, 26);

    // On a white menu the logo is the loaded bitmap: its corner stays white.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, large);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(large);

    // On another menu colour the white background takes that colour.
    const COLORREF menu = RGB(0, 128, 128);
    look.SetMenuColour(menu);
    HBITMAP tinted = MakeMenuLogo();
    EXPECT_EQ(BitmapSize(tinted).cx, 22);
    old = SelectObject(dc, tinted);
    EXPECT_EQ(GetPixel(dc, 0, 0), menu);
    int inked = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 22; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            EXPECT_NE(c, RGB(255, 255, 255)) << "white left at " << x << "," << y;
            inked += c != menu;
        }
    EXPECT_GT(inked, 20) << "the logo itself is missing";
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(tinted);
}

TEST_F(Loaded, SysColorChangeRemakesTheSharedObjectsFromTheCurrentColours)
{
    const HPEN oldPen = ShadowPen;
    const INT index = COLOR_BTNFACE;
    const COLORREF saved = GetSysColor(COLOR_BTNFACE), changed = RGB(1, 2, 3);
    SetSysColors(1, &index, &changed);
    ZTC_SysColorChange();
    LOGBRUSH lb{};
    GetObjectA(FaceBrush, sizeof lb, &lb);
    SetSysColors(1, &index, &saved);
    EXPECT_EQ(lb.lbColor, changed);
    EXPECT_EQ(GetObjectType(oldPen), 0u);
    ZTC_SysColorChange();
}

TEST(NotifyParentTest, SendsTheCommandToTheParentOnly)
{
    ztest::ParentWindow parent;
    HWND child = CreateWindowExA(0, "static", "", WS_CHILD, 0, 0, 10, 10, parent.hwnd(),
                                 reinterpret_cast<HMENU>(77), nullptr, nullptr);
    parent.log().Clear();
    EXPECT_EQ(NotifyParent(child, 0x12345), 1);
    EXPECT_TRUE(ztest::SequenceIs(parent.log().Only({WM_COMMAND}), {ztest::Command(77, 0x2345, child)}));

    EXPECT_EQ(NotifyParent(parent.hwnd(), 1), 0) << "a top-level window has no parent";
    DestroyWindow(child);
}
