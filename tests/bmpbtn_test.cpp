// Bitmap button: the press states under mouse and space bar with the clicks
// they send, the disabled look, the focus rectangle, bitmap ownership and
// clean-up.
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

using namespace ztest;

namespace {

constexpr int kId = 100, W = 40, H = 30;
constexpr LPARAM kFirst = 0x00390001, kRepeat = 0x40390001, kRelease = static_cast<LPARAM>(0xC0390001u);

// A 20 x 10 red glyph with a blue top-left pixel (colours no recolouring
// touches): on the 40 x 30 button that pixel lies at (10, 10), (11, 11) down.
HBITMAP MakeGlyph()
{
    std::vector<DWORD> bits(200, 0xFF0000);
    bits[0] = 0x0000FF;
    return CreateBitmap(20, 10, 1, 32, bits.data());
}

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        button = parent.CreateChild(ZTC_BMPBTN_CLASS, 0, 20, 20, W, H, kId);
        ASSERT_NE(button, nullptr);
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(MakeGlyph()));
        PaintNow(button);
    }
    // What the window shows now, read without painting: the frame's left
    // column and the glyph's corner (embossed: shadow with a highlight copy).
    std::string Shown() const
    {
        const COLORREF left = Pixel(button, 1, 15), high = GetSysColor(COLOR_BTNHIGHLIGHT);
        if (left == high && Pixel(button, 10, 10) == RGB(0, 0, 255))
            return "up";
        if (left == GetSysColor(COLOR_BTNSHADOW) && Pixel(button, 11, 11) == RGB(0, 0, 255))
            return "down";
        const bool greyed = Pixel(button, 10, 10) == GetSysColor(COLOR_BTNSHADOW) && Pixel(button, 30, 20) == high;
        return left == high && greyed ? "greyed" : "other";
    }
    void Print(Surface& s) { SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT); }

    ParentWindow parent;
    HWND button = nullptr;
};

// The box around the pixels where two pictures differ.
RECT Changes(const Surface& a, const Surface& b)
{
    RECT box{};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const RECT pixel{x, y, x + 1, y + 1};
            if (a.At(x, y) != b.At(x, y))
                UnionRect(&box, &box, &pixel);
        }
    return box;
}

}  // namespace

// Step by step through the press states: the look after each event and the
// clicks (WM_COMMAND to the parent) so far.  Released while down: a click;
// released outside: none; mouse moves without the capture, repeated space
// key-downs and the space bar while the mouse holds the button: ignored.
// WM_ENABLE stands for EnableWindow (FALSE or TRUE) and a repaint: disabling
// a pressed button raises it, greyed, and its release clicks nothing.  The
// last four steps are a fast double click.
TEST_F(BitmapButtonTest, PressStatesAndClicks)
{
    const LPARAM in = MAKELPARAM(5, 5), right = MAKELPARAM(W, 5), above = MAKELPARAM(5, -1);
    const UINT press = WM_LBUTTONDOWN, release = WM_LBUTTONUP, move = WM_MOUSEMOVE, key = WM_KEYDOWN;
    const struct { UINT msg; LPARAM data; const char* shown; int clicks; } steps[] = {
        {press, in, "down", 0}, {move, right, "up", 0}, {move, MAKELPARAM(W - 1, H - 1), "down", 0},
        {release, in, "up", 1}, {press, in, "down", 1}, {move, above, "up", 1}, {release, above, "up", 1},
        {move, in, "up", 1}, {key, kRepeat, "up", 1}, {key, kFirst, "down", 1}, {key, kRepeat, "down", 1},
        {WM_KEYUP, kRelease, "up", 2}, {press, in, "down", 2}, {WM_KEYUP, kRelease, "down", 2},
        {move, right, "up", 2}, {key, kFirst, "up", 2}, {release, right, "up", 2}, {press, in, "down", 2},
        {WM_ENABLE, FALSE, "greyed", 2}, {release, in, "greyed", 2}, {WM_ENABLE, TRUE, "up", 2},
        {press, in, "down", 2}, {release, in, "up", 3}, {press, in, "down", 3}, {release, in, "up", 4},
    };
    EXPECT_FALSE(GetClassLongA(button, GCL_STYLE) & CS_DBLCLKS) << "a second click is a second button-down";
    for (const auto& s : steps) {
        SCOPED_TRACE("step " + std::to_string(&s - steps));
        if (s.msg == WM_ENABLE) {
            EnableWindow(button, static_cast<BOOL>(s.data));
            PaintNow(button);
        } else {
            SendMessageA(button, s.msg, s.msg == WM_KEYDOWN || s.msg == WM_KEYUP ? VK_SPACE : 0, s.data);
        }
        EXPECT_EQ(Shown(), s.shown);
        EXPECT_EQ(parent.log().Count(WM_COMMAND), s.clicks);
    }
    for (const Msg& m : parent.log().Only({WM_COMMAND}))
        EXPECT_TRUE(m.wParam == kId && m.lParam == reinterpret_cast<LPARAM>(button)) << Describe(m);
}

TEST_F(BitmapButtonTest, FocusRectangleLiesThreePixelsInAndMovesWithThePress)
{
    Surface plain(W, H), focused(W, H), pressed(W, H), pressedFocused(W, H);
    Print(plain);
    SetFocus(button);
    Print(focused);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, kFirst);
    Print(pressedFocused);
    SetFocus(parent.hwnd());
    Print(pressed);
    EXPECT_EQ(Changes(plain, focused), (RECT{3, 3, W - 3, H - 3}));
    EXPECT_EQ(Changes(pressed, pressedFocused), (RECT{4, 4, W - 2, H - 2}));
}

// Without BBS_SHAREDBITMAP the button deletes a replaced bitmap and its last
// one; with it, neither.  No GDI object of the library outlives the windows.
TEST_F(BitmapButtonTest, OwnershipAndCleanUp)
{
    SysColours colours;  // a face that is not light grey: the glyph is recoloured
    colours.Set(COLOR_BTNFACE, RGB(200, 180, 160));
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    for (DWORD style : {0, BBS_SHAREDBITMAP}) {
        SCOPED_TRACE(style ? "shared" : "owned");
        const DWORD kept = style ? OBJ_BITMAP : 0;
        button = parent.CreateChild(ZTC_BMPBTN_CLASS, style, 10, 10, W, H, kId);
        HBITMAP first = MakeGlyph(), second = MakeGlyph();
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(first));
        SetFocus(button);
        PaintNow(button);
        SendMessageA(button, BBM_SETBITMAP, 0, reinterpret_cast<LPARAM>(second));
        EXPECT_EQ(GetObjectType(first), kept) << "after replacement";
        DestroyWindow(button);
        EXPECT_EQ(GetObjectType(second), kept) << "after destruction";
        if (style) {
            DeleteObject(first);
            DeleteObject(second);
        }
    }
    EXPECT_GE(counter.Created(), 4u) << "masks and recolouring objects";
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}
