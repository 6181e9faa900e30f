// Bitmap button: pressing with the mouse and the space bar, clicks reported
// to the parent, the disabled look, bitmap ownership, the focus rectangle
// and clean-up.
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

#include <string>

using namespace ztest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
constexpr int kId = 100;
constexpr LPARAM kSpaceFirst = 0x00390001;   // scan code 0x39, bit 30 clear
constexpr LPARAM kSpaceRepeat = 0x40390001;  // bit 30 set: the key was already down
constexpr LPARAM kSpaceUp = static_cast<LPARAM>(0xC0390001u);

// A 20 x 10 red glyph with a blue top-left pixel (colours no recolouring touches).
HBITMAP MakeGlyph()
{
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, 20, 10);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT rc{0, 0, 20, 10};
    FillRect(dc, &rc, red);
    DeleteObject(red);
    SetPixel(dc, 0, 0, kBlue);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bm;
}

// A 40 x 30 button with the glyph: interior 38 x 28, so the glyph's
// top-left is at (10, 10) up and (11, 11) down.
class BitmapButtonTest : public ::testing::Test {
protected:
    static constexpr int W = 40, H = 30;
    void SetUp() override { Create(0); }
    void Create(DWORD style)
    {
        button = parent.CreateChild(ZTC_BMPBTN_CLASS, style, 20, 20, W, H, kId);
        ASSERT_NE(button, nullptr);
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(MakeGlyph()));
        PaintNow(button);
        parent.log().Clear();
    }
    // What the window shows now (nothing is painted here): "up", "down" or
    // "other", from the frame's left column and the glyph's corner.
    std::string Shown() const
    {
        const COLORREF left = Pixel(button, 1, 15);
        if (left == GetSysColor(COLOR_BTNHIGHLIGHT) && Pixel(button, 10, 10) == kBlue)
            return "up";
        if (left == GetSysColor(COLOR_BTNSHADOW) && Pixel(button, 11, 11) == kBlue)
            return "down";
        return "other";
    }
    std::vector<Msg> Clicks() { return parent.log().Only({WM_COMMAND}); }
    void Key(UINT msg, LPARAM data) { SendMessageA(button, msg, VK_SPACE, data); }

    ParentWindow parent;
    HWND button = nullptr;
};

}  // namespace

TEST_F(BitmapButtonTest, PressDragOutAndBackThenReleaseClicksOnce)
{
    Spy spy(button);
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(Shown(), "down") << "redrawn at once";
    EXPECT_EQ(GetCapture(), button);
    EXPECT_TRUE(UpdateRegionIs(button, {}));

    Mouse(button, WM_MOUSEMOVE, W, 5);  // right edge is outside
    EXPECT_EQ(Shown(), "up");
    EXPECT_EQ(GetCapture(), button);
    Mouse(button, WM_MOUSEMOVE, W - 1, H - 1);
    EXPECT_EQ(Shown(), "down");
    Mouse(button, WM_MOUSEMOVE, 5, -1);
    EXPECT_EQ(Shown(), "up");
    Mouse(button, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(Shown(), "down");
    EXPECT_TRUE(Clicks().empty());

    Mouse(button, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Shown(), "up");
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(SequenceIs(Clicks(), {Command(kId, 0, button)}));
    EXPECT_EQ(spy.log().Count(WM_ERASEBKGND), 0) << "redraws do not erase";
}

TEST_F(BitmapButtonTest, ReleaseOutsideAndMouseWithoutCaptureDoNothing)
{
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    Mouse(button, WM_MOUSEMOVE, -3, 5);
    Mouse(button, WM_LBUTTONUP, -3, 5);
    EXPECT_EQ(Shown(), "up");
    EXPECT_EQ(GetCapture(), nullptr);

    Mouse(button, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(Shown(), "up") << "moves without the capture are ignored";

    Key(WM_KEYDOWN, kSpaceFirst);  // pressed without the mouse capture
    Mouse(button, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(Shown(), "down") << "a release without the capture is ignored";
    EXPECT_TRUE(Clicks().empty());
}

TEST_F(BitmapButtonTest, HoldingTheSpaceBarClicksOnceAtKeyUp)
{
    Key(WM_KEYDOWN, kSpaceRepeat);
    EXPECT_EQ(Shown(), "up") << "a repeated key-down alone does not press";
    Key(WM_KEYUP, kSpaceUp);
    EXPECT_TRUE(Clicks().empty());

    Key(WM_KEYDOWN, kSpaceFirst);
    EXPECT_EQ(Shown(), "down");
    for (int i = 0; i < 3; ++i)
        Key(WM_KEYDOWN, kSpaceRepeat);
    EXPECT_TRUE(Clicks().empty());
    Key(WM_KEYUP, kSpaceUp);
    EXPECT_EQ(Shown(), "up");
    EXPECT_TRUE(SequenceIs(Clicks(), {Command(kId, 0, button)}));

    SendMessageA(button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageA(button, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
    EXPECT_EQ(Shown(), "up");
    EXPECT_EQ(Clicks().size(), 1u) << "other keys do nothing";
}

TEST_F(BitmapButtonTest, TheSpaceBarIsIgnoredWhileTheMouseHoldsTheButton)
{
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    Key(WM_KEYUP, kSpaceUp);
    EXPECT_EQ(Shown(), "down");
    Mouse(button, WM_MOUSEMOVE, 50, 5);
    Key(WM_KEYDOWN, kSpaceFirst);
    EXPECT_EQ(Shown(), "up");
    Mouse(button, WM_LBUTTONUP, 50, 5);
    EXPECT_TRUE(Clicks().empty());

    // Space down, then a mouse press and release: the mouse release clicks
    // and the later key-up finds the button raised.
    Key(WM_KEYDOWN, kSpaceFirst);
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(Shown(), "down");
    Mouse(button, WM_LBUTTONUP, 5, 5);
    Key(WM_KEYUP, kSpaceUp);
    EXPECT_EQ(Shown(), "up");
    EXPECT_TRUE(SequenceIs(Clicks(), {Command(kId, 0, button)}));
}

TEST_F(BitmapButtonTest, AFastDoubleClickIsTwoClicks)
{
    for (int i = 0; i < 2; ++i) {
        Mouse(button, WM_LBUTTONDOWN, 5, 5);
        Mouse(button, WM_LBUTTONUP, 5, 5);
    }
    EXPECT_TRUE(SequenceIs(Clicks(), {Command(kId, 0, button), Command(kId, 0, button)}));
}

TEST_F(BitmapButtonTest, DisablingWhilePressedRaisesItEmbossedWithoutAClick)
{
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    EnableWindow(button, FALSE);
    EXPECT_TRUE(UpdateRegionIs(button, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(button));
    PaintNow(button);
    // Raised frame; the glyph is a shadow silhouette with a highlight copy
    // one pixel right and down.
    EXPECT_EQ(Pixel(button, 1, 15), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(button, 10, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(button, 29, 19), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(button, 30, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    Mouse(button, WM_LBUTTONUP, 5, 5);
    EXPECT_TRUE(Clicks().empty());

    EnableWindow(button, TRUE);
    PaintNow(button);
    EXPECT_EQ(Shown(), "up");
}

TEST_F(BitmapButtonTest, FocusComesWithMouseActivationNotWithThePress)
{
    SetFocus(parent.hwnd());
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    Mouse(button, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(GetFocus(), parent.hwnd());
    EXPECT_EQ(SendMessageA(button, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(parent.hwnd()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              0);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

namespace {

// The face as WM_PRINTCLIENT paints it.
void Print(HWND hwnd, Surface& s)
{
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT);
}

// Pixels that differ between the two pictures all lie on the outline of rc,
// and each of its four sides has some.
::testing::AssertionResult DifferOnOutlineOf(const Surface& a, const Surface& b, RECT rc)
{
    int sides[4] = {};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.At(x, y) == b.At(x, y))
                continue;
            const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
            const bool edge = x == rc.left || x == rc.right - 1 || y == rc.top || y == rc.bottom - 1;
            if (!inside || !edge)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed off " << rc;
            sides[0] += x == rc.left;
            sides[1] += y == rc.top;
            sides[2] += x == rc.right - 1;
            sides[3] += y == rc.bottom - 1;
        }
    for (int n : sides)
        if (n == 0)
            return ::testing::AssertionFailure() << "a side of " << rc << " is missing";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(BitmapButtonTest, FocusRectangleLiesThreePixelsInAndMovesWhenPressed)
{
    Surface plain(W, H), focused(W, H);
    Print(button, plain);

    SetFocus(button);
    ASSERT_EQ(GetFocus(), button);
    EXPECT_TRUE(UpdateRegionIs(button, {RECT{0, 0, W, H}}));
    EXPECT_FALSE(PaintErases(button));
    Print(button, focused);
    EXPECT_TRUE(DifferOnOutlineOf(plain, focused, RECT{3, 3, W - 3, H - 3}));
    // WM_PAINT draws the same rectangle.
    PaintNow(button);
    for (int x = 3; x < W - 3; ++x)
        ASSERT_EQ(Pixel(button, x, 3), focused.At(x, 3)) << x;

    Key(WM_KEYDOWN, kSpaceFirst);
    Surface pressedFocused(W, H), pressedPlain(W, H);
    Print(button, pressedFocused);
    SetFocus(parent.hwnd());
    EXPECT_TRUE(UpdateRegionIs(button, {RECT{0, 0, W, H}})) << "losing the focus repaints too";
    EXPECT_FALSE(PaintErases(button));
    Print(button, pressedPlain);
    EXPECT_TRUE(DifferOnOutlineOf(pressedPlain, pressedFocused, RECT{4, 4, W - 2, H - 2}));
}

TEST_F(BitmapButtonTest, ReplacingTheBitmapRepaintsLaterWithoutErasing)
{
    SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(MakeGlyph()));
    EXPECT_TRUE(UpdateRegionIs(button, {RECT{0, 0, W, H}}));
    EXPECT_FALSE(PaintErases(button));

    // Without a bitmap: stock glyph 0 on a 24 x 22 face at the top-left.
    SendMessageA(button, BBM_SETBITMAP, 0, 0);
    PaintNow(button);
    EXPECT_EQ(Pixel(button, 23, 5), GetSysColor(COLOR_WINDOWFRAME)) << "right outline of the stock face";
    EXPECT_EQ(Pixel(button, 8, 4), GetSysColor(COLOR_BTNSHADOW)) << "dark grey pixel of the cut glyph";
    EXPECT_EQ(Pixel(button, 9, 4), GetSysColor(COLOR_BTNFACE));
}

TEST(BitmapButtonOwnershipTest, TheButtonDeletesItsBitmapsUnlessTheyAreShared)
{
    ParentWindow parent;
    for (DWORD style : {0ul, static_cast<unsigned long>(BBS_SHAREDBITMAP)}) {
        SCOPED_TRACE(style ? "shared" : "owned");
        const DWORD kept = style ? OBJ_BITMAP : 0;
        HWND button = parent.CreateChild(ZTC_BMPBTN_CLASS, style, 10, 10, 40, 30, kId);
        HBITMAP first = MakeGlyph(), second = MakeGlyph();
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(first));
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(first));
        EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP)) << "the same bitmap again stays";
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(second));
        EXPECT_EQ(GetObjectType(first), kept) << "after replacement";
        PaintNow(button);
        DestroyWindow(button);
        EXPECT_EQ(GetObjectType(second), kept) << "after destruction";
        if (style) {
            DeleteObject(first);
            DeleteObject(second);
        }
    }
}

TEST(BitmapButtonResources, CreatePaintDestroyLeavesNoObjectBehind)
{
    SysColours colours;  // non-standard button colours: the glyph is recoloured
    colours.Set(COLOR_BTNFACE, RGB(200, 180, 160));
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND button = parent.CreateChild(ZTC_BMPBTN_CLASS, 0, 10, 10, 40, 30, kId);
    SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(MakeGlyph()));
    SetFocus(button);
    PaintNow(button);
    Mouse(button, WM_LBUTTONDOWN, 5, 5);
    Mouse(button, WM_LBUTTONUP, 5, 5);
    EnableWindow(button, FALSE);
    PaintNow(button);
    Surface s(40, 30);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT);
    EXPECT_GE(counter.Created(), 5u) << "masks and recolouring objects were expected";
    DestroyWindow(button);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}
