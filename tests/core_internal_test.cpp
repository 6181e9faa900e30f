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

#include <vector>

using ztest::Surface;

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
BOOL Attach(HINSTANCE h = Self()) { return LibraryEntry(h, DLL_PROCESS_ATTACH, nullptr); }
BOOL Detach(HINSTANCE h = Self()) { return LibraryEntry(h, DLL_PROCESS_DETACH, nullptr); }
DWORD Type(HGDIOBJ h) { return GetObjectType(h); }

class Loaded : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Attach()); }
    void TearDown() override { Detach(); }
};

}  // namespace

TEST(LibraryEntryTest, OnlyTheFirstAttachAndTheLastDetachMakeAndReleaseObjects)
{
    ASSERT_TRUE(Attach());  // what it loads is seen working in the controls' tests
    const HPEN pen = ShadowPen;
    EXPECT_EQ(Type(pen), DWORD(OBJ_PEN));

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
    EXPECT_FALSE(Attach(without));
    EXPECT_EQ(AttachCount, 1);
    EXPECT_EQ(Type(ShadowPen), 0u) << "shared objects made after a failed set-up";
    Detach(without);
    EXPECT_FALSE(ToolImagesReady);
}

// The tool images are made once; the checkerboard brush is made again only
// for another pair of colours, and the one it replaces is deleted.  (Its
// pattern is seen in the checked looks of the tool-button tests.)
TEST_F(Loaded, ToolImagesAreMadeOnceAndTheDitherBrushPerColourPair)
{
    const HBITMAP strip = ToolImages[0];
    EXPECT_TRUE(ToolBtn_InitImages(Self()));
    EXPECT_EQ(ToolImages[0], strip);
    const COLORREF face = RGB(10, 20, 30), light = RGB(200, 210, 220);
    HBRUSH first = ToolBtn_DitherBrush(face, light);
    EXPECT_EQ(ToolBtn_DitherBrush(face, light), first);
    EXPECT_NE(ToolBtn_DitherBrush(light, face), nullptr);
    EXPECT_EQ(Type(first), 0u);
}

// A blue | white bitmap with one black pixel, drawn at (2, 1) over red: the
// white shows the red, and the bitmap's white pixels are black afterwards.
TEST(TransparentBltTest, WhiteLeavesTheDestinationAndOtherColoursAreCopied)
{
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    DWORD bits[8] = {0x0000FF, 0x0000FF, 0xFFFFFF, 0xFFFFFF, 0x0000FF, 0x0000FF, 0xFFFFFF, 0};
    HBITMAP mixed = CreateBitmap(4, 2, 1, 32, bits);
    Surface dest(8, 4);
    dest.Fill(red);
    TransparentBlt(dest.dc(), mixed, 2, 1, 4, 2);
    EXPECT_TRUE(ztest::SpansAre(dest.Reader(), {{0, 0, 8, 1, red}, {0, 1, 2, 2, red}, {2, 1, 2, 2, blue},
                                                {4, 1, 4, 1, red}, {4, 2, 1, 1, red}, {5, 2, 1, 1, 0},
                                                {6, 2, 2, 1, red}, {0, 3, 8, 1, red}}));
    GetBitmapBits(mixed, sizeof bits, bits);
    EXPECT_EQ(bits[2] & 0xFFFFFF, 0u);
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
    const COLORREF menu = RGB(0, 128, 128);
    colours.Set(COLOR_MENU, menu);
    HBITMAP tinted = logoAt(26);
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    ASSERT_TRUE(small && large && tinted) << "cannot set the menu bar height";
    BITMAP bm{};
    const auto size = [&bm](HBITMAP b) { GetObjectA(b, sizeof bm, &bm); return bm.bmWidth * 100 + bm.bmHeight; };
    EXPECT_EQ(size(small), 2016) << "bitmap 201 (20 x 16) below 26 pixels";
    EXPECT_EQ(size(large), 2226) << "bitmap 202 (22 x 26) from 26";

    // On another menu colour the white background takes that colour.
    std::vector<DWORD> plain(22 * 26), tint(22 * 26);
    GetBitmapBits(large, 22 * 26 * 4, plain.data());
    GetBitmapBits(tinted, 22 * 26 * 4, tint.data());
    int inked = 0, wrong = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        const bool white = (plain[i] & 0xFFFFFF) == 0xFFFFFF;
        wrong += (tint[i] & 0xFFFFFF) != (white ? 0x008080u : plain[i] & 0xFFFFFF);  // 0x00RRGGBB
        inked += !white;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inked, 20) << "the logo itself is missing";
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
    const HBITMAP unshown = MenuLogoBitmap;
    ZTC_SysColorChange();
    const HBITMAP shown = MenuLogoBitmap;
    MenuLogoShown();
    ZTC_SysColorChange();
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(Type(oldPen), 0u);
    EXPECT_EQ(Type(unshown), 0u) << "a logo no menu entry shows goes at once";
    EXPECT_EQ(Type(shown), DWORD(OBJ_BITMAP)) << "a menu entry still shows the old logo";
    Detach();
    EXPECT_EQ(Type(shown), 0u) << "old logo kept past the last detach";
    Attach();
}

TEST(NotifyParentTest, SendsTheCommandToTheParentOnly)
{
    ztest::ParentWindow parent;
    HWND child = parent.CreateChild("static", 0, 0, 0, 10, 10, 77);
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
