// Library start-up, shared objects, tool images and the drawing helpers,
// linked statically so that internal routines and globals can be reached.
// The program's own module carries the library's resources.
#include "hooks.h"
#include "notify.h"
#include "subclass.h"
#include "surface.h"
#include "toolbar/toolimages.h"
#include "ztcore.h"
#include "ztest.h"

using ztest::Surface;

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
BOOL Attach(HINSTANCE h = Self()) { return LibraryEntry(h, DLL_PROCESS_ATTACH, nullptr); }
BOOL Detach(HINSTANCE h = Self()) { return LibraryEntry(h, DLL_PROCESS_DETACH, nullptr); }
DWORD Type(HGDIOBJ h) { return GetObjectType(h); }

// A screen-compatible bitmap of w x h painted by `paint` on a memory DC.
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

SIZE BitmapSize(HBITMAP bm)
{
    BITMAP info{};
    GetObjectA(bm, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

class Loaded : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Attach()); }
    void TearDown() override { Detach(); }
};

}  // namespace

TEST(LibraryEntryTest, OnlyTheFirstAttachAndTheLastDetachMakeAndReleaseObjects)
{
    ASSERT_TRUE(Attach());
    EXPECT_EQ(LibInstance, Self());
    EXPECT_EQ(BorderUnit, GetSystemMetrics(SM_CYBORDER));
    const HPEN pen = ShadowPen;
    EXPECT_EQ(Type(pen), DWORD(OBJ_PEN));
    EXPECT_EQ(Type(MenuLogoBitmap), DWORD(OBJ_BITMAP));
    EXPECT_NE(CursorTable[15], nullptr);

    // A second attach and thread notifications only count.
    EXPECT_TRUE(Attach());
    EXPECT_TRUE(LibraryEntry(Self(), DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(LibraryEntry(Self(), DLL_THREAD_DETACH, nullptr));
    EXPECT_EQ(AttachCount, 2);
    EXPECT_EQ(ShadowPen, pen);
    EXPECT_TRUE(Detach());
    EXPECT_EQ(Type(pen), DWORD(OBJ_PEN)) << "released before the last detach";

    EXPECT_TRUE(Detach());
    EXPECT_EQ(AttachCount, 0);
    EXPECT_EQ(Type(pen), 0u) << "shared pen kept after the last detach";
    EXPECT_TRUE(GlyphDC == nullptr && MaskDC == nullptr && DitherBrush == nullptr && !ToolImagesReady);

    // A set-up after the clean-up makes everything again, the brush included.
    ASSERT_TRUE(Attach());
    EXPECT_EQ(Type(DitherBrush), DWORD(OBJ_BRUSH));
    EXPECT_TRUE(Detach());
}

TEST(LibraryEntryTest, FailsTheLoadWhenTheToolImagesAreMissing)
{
    HINSTANCE without = GetModuleHandleA("kernel32.dll");  // has no bitmap 400
    for (HCURSOR& c : CursorTable)                         // cursors outlive a detach
        c = nullptr;
    EXPECT_FALSE(Attach(without));
    EXPECT_EQ(AttachCount, 1);
    EXPECT_EQ(CursorTable[0], nullptr) << "cursors loaded after a failed set-up";
    Detach(without);
    EXPECT_FALSE(ToolImagesReady);
}

TEST_F(Loaded, StockStripsAndASecondSetUpThatChangesNothing)
{
    const HBITMAP strip = ToolImages[0];
    EXPECT_TRUE(ToolBtn_InitImages(Self()));
    EXPECT_EQ(ToolImages[0], strip);
    const SIZE sizes[3] = {{144, 15}, {144, 11}, {216, 23}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(BitmapSize(ToolImages[i]).cx, sizes[i].cx) << 400 + i;
        EXPECT_EQ(BitmapSize(ToolImages[i]).cy, sizes[i].cy) << 400 + i;
    }
}

// (Its checkerboard is seen in the checked looks of the tool-button tests.)
TEST_F(Loaded, DitherBrushIsCachedPerColourPair)
{
    const COLORREF face = RGB(10, 20, 30), light = RGB(200, 210, 220);
    HBRUSH first = ToolBtn_DitherBrush(face, light);
    EXPECT_EQ(ToolBtn_DitherBrush(face, light), first) << "same pair, same brush";
    HBRUSH second = ToolBtn_DitherBrush(light, face);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(Type(first), 0u) << "the previous brush must be deleted";
}

TEST(TransparentBltTest, WhiteLeavesTheDestinationAndOtherColoursAreCopied)
{
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    Surface dest(8, 4);
    dest.Fill(red);
    HBITMAP allWhite = MakeBitmap(8, 4, [&](HDC dc) { FillDC(dc, RECT{0, 0, 8, 4}, white); });
    TransparentBlt(dest.dc(), allWhite, 0, 0, 8, 4);
    EXPECT_TRUE(dest.At(0, 0) == red && dest.At(7, 3) == red);
    DeleteObject(allWhite);

    // Blue | white | one black pixel, drawn at (2, 1): white shows the red.
    HBITMAP mixed = MakeBitmap(4, 2, [&](HDC dc) {
        FillDC(dc, RECT{0, 0, 2, 2}, blue);
        FillDC(dc, RECT{2, 0, 4, 2}, white);
        SetPixel(dc, 3, 1, RGB(0, 0, 0));
    });
    TransparentBlt(dest.dc(), mixed, 2, 1, 4, 2);
    const COLORREF row1[] = {red, red, blue, blue, red, red, red};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(dest.At(x, 1), row1[x]) << x;
    EXPECT_EQ(dest.At(5, 2), RGB(0, 0, 0));

    // The bitmap is altered in place: its white pixels are now black.
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(probe, mixed);
    EXPECT_EQ(GetPixel(probe, 2, 0), RGB(0, 0, 0));
    SelectObject(probe, old);
    DeleteDC(probe);
    DeleteObject(mixed);
}

TEST_F(Loaded, MenuLogoFollowsTheMenuBarHeightAndColour)
{
    NONCLIENTMETRICSA saved{};
    saved.cbSize = sizeof saved;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    auto logoAt = [&](int menuHeight) {  // the logo made with SM_CYMENU == menuHeight
        NONCLIENTMETRICSA m = saved;
        for (m.iMenuHeight = menuHeight - 2; GetSystemMetrics(SM_CYMENU) != menuHeight; ++m.iMenuHeight)
            if (m.iMenuHeight > menuHeight + 2 || !SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof m, &m, 0))
                return HBITMAP(nullptr);
        return MakeMenuLogo();
    };
    ztest::SysColours colours;
    colours.Set(COLOR_MENU, RGB(255, 255, 255));
    HBITMAP small = logoAt(25), large = logoAt(26);
    ASSERT_TRUE(small && large) << "cannot set the menu bar height";
    EXPECT_EQ(BitmapSize(small).cx * 100 + BitmapSize(small).cy, 2016) << "bitmap 201 is 20 x 16";
    EXPECT_EQ(BitmapSize(large).cx * 100 + BitmapSize(large).cy, 2226) << "bitmap 202 is 22 x 26";

    // On another menu colour the white background takes that colour.
    const COLORREF menu = RGB(0, 128, 128);
    colours.Set(COLOR_MENU, menu);
    HBITMAP tinted = logoAt(26);
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, large);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "white menu: the logo unchanged";
    SelectObject(dc, tinted);
    int white = 0, ink = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 22; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            white += c == RGB(255, 255, 255);
            ink += c != menu;
        }
    EXPECT_EQ(GetPixel(dc, 0, 0), menu);
    EXPECT_EQ(white, 0);
    EXPECT_GT(ink, 20) << "the logo itself is missing";
    SelectObject(dc, old);
    DeleteDC(dc);
    for (HBITMAP b : {small, large, tinted})
        DeleteObject(b);
}

TEST_F(Loaded, SysColorChangeRemakesTheSharedObjectsFromTheCurrentColours)
{
    const HPEN oldPen = ShadowPen;
    LOGBRUSH lb{};
    {
        ztest::SysColours colours;
        colours.Set(COLOR_BTNFACE, RGB(1, 2, 3));
        ZTC_SysColorChange();
        GetObjectA(FaceBrush, sizeof lb, &lb);
    }
    const HBITMAP oldLogo = MenuLogoBitmap;
    ZTC_SysColorChange();
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(Type(oldPen), 0u);
    EXPECT_EQ(Type(oldLogo), DWORD(OBJ_BITMAP)) << "menu entries may still show the old logo";
    Detach();
    EXPECT_EQ(Type(oldLogo), 0u) << "old logo kept past the last detach";
    Attach();
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
    EXPECT_TRUE(TellParent(child, 1));
    parent.When(WM_COMMAND, [&](const ztest::Msg&) { DestroyWindow(child); });
    EXPECT_FALSE(TellParent(child, 1)) << "the parent's handler destroyed the sender";
}

namespace {

std::vector<std::string> Heard;

LRESULT CALLBACK FirstProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER)
        Heard.push_back("first");
    const LRESULT result = subclass::CallPrevious(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        Heard.push_back(GetPropA(hwnd, subclass::kPrevious) ? "kept" : "removed");
    return result;
}

LRESULT CALLBACK SecondProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER)
        Heard.push_back("second");
    return subclass::CallPrevious(hwnd, msg, wParam, lParam, "second");
}

}  // namespace

// Two subclasses stacked on a plain window, each under its own property.
TEST(SubclassTest, InstallCallPreviousAndRestoreInEitherOrder)
{
    HWND w = CreateWindowExA(0, "static", "abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Self(), nullptr);
    const auto proc = [&] { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)); };
    const WNDPROC plain = proc();
    EXPECT_EQ(subclass::Install(nullptr, FirstProc), nullptr);
    EXPECT_EQ(subclass::Install(w, FirstProc), plain);
    EXPECT_EQ(subclass::Install(w, FirstProc), plain) << "installed twice: still one link";
    EXPECT_EQ(subclass::Install(w, SecondProc, "second"), FirstProc);
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 3) << "handed down to the static control";
    SendMessageA(w, WM_USER, 0, 0);
    EXPECT_EQ(Heard, (std::vector<std::string>{"second", "first"}));
    EXPECT_FALSE(subclass::Restore(w, FirstProc)) << "the second sits above the first";
    EXPECT_EQ(proc(), SecondProc);
    EXPECT_TRUE(subclass::Restore(w, SecondProc, "second"));
    EXPECT_TRUE(subclass::Restore(w, FirstProc));
    EXPECT_TRUE(proc() == plain && !GetPropA(w, subclass::kPrevious) && !GetPropA(w, "second"));
    EXPECT_EQ(subclass::CallPrevious(w, WM_GETTEXTLENGTH, 0, 0), 3) << "no previous: DefWindowProcA";
    subclass::Install(w, FirstProc);
    Heard.clear();
    DestroyWindow(w);
    EXPECT_EQ(Heard, (std::vector<std::string>{"removed"}));
}

TEST_F(Loaded, EachHookIsInstalledOnceAndRemovedWithItsLastUser)
{
    ztest::ParentWindow a, b;
    EXPECT_TRUE(ZTC_SetMouseHook(a.hwnd(), WM_USER, b.hwnd()));
    const HHOOK mouse = MouseHookHandle;
    EXPECT_NE(mouse, nullptr);
    EXPECT_TRUE(ZTC_SetMouseHook(b.hwnd(), WM_USER + 1, a.hwnd()));
    EXPECT_TRUE(MouseHookHandle == mouse && MouseTarget == b.hwnd() && MouseMessage == WM_USER + 1);
    EXPECT_TRUE(ZTC_SetMouseHook(a.hwnd(), WM_USER, nullptr));
    EXPECT_EQ(MouseHookHandle, nullptr);

    const UINT key = VK_F6;
    EXPECT_TRUE(ZTC_SetHotKeys(a.hwnd(), WM_USER, 1, &key) && ZTC_SetHotKeys(b.hwnd(), WM_USER, 1, &key));
    const HHOOK keyboard = HotKeyHookHandle;
    EXPECT_NE(keyboard, nullptr);
    EXPECT_TRUE(ZTC_KillHotKeys(a.hwnd()));
    EXPECT_EQ(HotKeyHookHandle, keyboard) << "b still has keys";
    EXPECT_TRUE(ZTC_KillHotKeys(b.hwnd()));
    EXPECT_TRUE(HotKeyHookHandle == nullptr && HotKeyList == nullptr);
}
