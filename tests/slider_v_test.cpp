// Vertical slider: messages, mouse, keyboard, notifications, invalidation,
// thumb size, pixels at the groove's coordinates and clean-up.
#include "gdicount.h"
#include "slider_support.h"

using namespace ztest;
using namespace slidertest;

namespace {

// A slider 30 x 100 with B = 1 and thumb size 8: the groove runs from
// ytop = 4 down to ybot = 95 (L = 91, mouse length 93) between xl = 11 and
// xr = 18 (m = 11); the thumb body spans x 6 .. 23, and a thumb centred at yc
// covers (6, yc - 4) - (24, yc + 5).
class VSliderTest : public ::testing::Test {
protected:
    static constexpr int W = 30, H = 100, Id = 200;
    void SetUp() override
    {
        ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1) << "the coordinates below assume B = 1";
        Make(0);
    }
    void Make(DWORD style, int w = W, int h = H)
    {
        if (slider)
            DestroyWindow(slider);
        slider = parent.CreateChild(ZTC_SLIDER_V_CLASS, style, 10, 10, w, h, Id);
        ASSERT_NE(slider, nullptr);
    }
    LONG Pos() { return Send(slider, SLM_GETPOS); }
    void SetPos(LONG p)
    {
        Send(slider, SLM_SETPOS, p);
        PaintNow(slider);
    }
    // The thumb's outline rows top and top + size (at x = 8, clear of the
    // groove) are in the text colour and the rows beside them are not.
    ::testing::AssertionResult ThumbSpans(int top, int size)
    {
        for (int y : {top, top + size})
            if (Pixel(slider, 8, y) != c.text)
                return ::testing::AssertionFailure() << "no thumb outline at y = " << y;
        for (int y : {top - 1, top + size + 1})
            if (Pixel(slider, 8, y) == c.text)
                return ::testing::AssertionFailure() << "thumb outline at y = " << y;
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult ThumbCentreIs(int yc) { return ThumbSpans(yc - 4, 8); }
    static RECT ThumbArea(int yc) { return RECT{6, yc - 4, 24, yc + 5}; }
    Expect Note(int code) const { return Command(Id, code, slider); }

    Colours c;
    ParentWindow parent;
    HWND slider = nullptr;
};

}  // namespace

TEST_F(VSliderTest, MessagesAnswerAndTheLabelAndApplicationNumbersAreNotHandled)
{
    EXPECT_EQ(Send(slider, SLM_GETRANGE), 255);
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(Send(slider, SLM_GETTHUMBSIZE), 8);
    EXPECT_EQ(SendMessageA(slider, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    EXPECT_TRUE(ThumbCentreIs(95)) << "a new slider's thumb sits at the bottom";

    EXPECT_EQ(Send(slider, WM_USER + 5, 1), 0);
    EXPECT_EQ(Send(slider, WM_USER + 8, 5), 0);
    EXPECT_TRUE(UpdateRegionIs(slider, {}));
    EXPECT_EQ(Send(slider, SLM_SETTICKS, 3), 0);
    EXPECT_EQ(Send(slider, SLM_SETTICKS, 3), 3);
    PaintNow(slider);
    for (LONG r : {255, 0, -7})
        EXPECT_EQ(Send(slider, SLM_SETRANGE, r), 0);
    EXPECT_EQ(Send(slider, SLM_GETRANGE), 255) << "a range below 1 is refused";
    EXPECT_TRUE(UpdateRegionIs(slider, {}));

    EXPECT_EQ(Send(slider, SLM_SETTHUMBSIZE, 8), 8);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}})) << "even the same size repaints";
    EXPECT_TRUE(PaintErases(slider));
    EXPECT_EQ(Send(slider, SLM_SETTHUMBSIZE, 12), 8);
    EXPECT_EQ(Send(slider, SLM_GETTHUMBSIZE), 12);
}

TEST_F(VSliderTest, WorkedNumbersOnAHundredPixelSlider)
{
    SetPos(128);
    EXPECT_TRUE(ThumbCentreIs(49)) << "95 - (128 * 91 + 254) / 255";
    SetPos(255);
    EXPECT_TRUE(ThumbCentreIs(4)) << "the top end";

    Click(slider, 15, 49);
    EXPECT_EQ(Pos(), 121) << "(44 * 255 + 92) / 93";
    PaintNow(slider);
    EXPECT_TRUE(ThumbCentreIs(51)) << "drawn two pixels below the pointer";

    const struct {
        int y;
        LONG value;
    } presses[] = {{0, 255}, {92, 3}, {93, 0}, {50, 118}, {99, 0}, {-30000, 255}};
    for (const auto& p : presses) {
        Click(slider, 15, p.y);
        EXPECT_EQ(Pos(), p.value) << "((93 - y) * 255 + 92) / 93 clamped, for y = " << p.y;
    }

    Send(slider, SLM_SETRANGE, INT_MAX);
    Click(slider, 15, 49);
    EXPECT_EQ(Pos(), 1016013769) << "(44 * 2147483647 + 92) / 93, formed without overflow";
}

TEST_F(VSliderTest, ValueChangeRepaintsTheOldThumbWithErasingAndTheNewOneWithout)
{
    Send(slider, SLM_SETPOS, 128);
    EXPECT_TRUE(UpdateRegionIs(slider, {ThumbArea(95), ThumbArea(49)}));
    EXPECT_TRUE(PaintErases(slider));
    Send(slider, SLM_SETPOS, 128);
    EXPECT_TRUE(UpdateRegionIs(slider, {})) << "a repeated value repaints nothing";
    Send(slider, SLM_SETPOS, 1000);  // clamped to 255
    EXPECT_TRUE(UpdateRegionIs(slider, {ThumbArea(49), ThumbArea(4)}));
    PaintNow(slider);

    // Old thumb above the client area: only the new place is invalidated,
    // without erasing.
    Send(slider, SLM_SETRANGE, 1);
    PaintNow(slider);
    Send(slider, SLM_SETPOS, 0);
    EXPECT_TRUE(UpdateRegionIs(slider, {ThumbArea(95)}));
    EXPECT_FALSE(PaintErases(slider));
}

TEST_F(VSliderTest, ThumbSizeSetsTheThumbHeightAndTheGroovesEnds)
{
    Send(slider, SLM_SETTHUMBSIZE, 20);  // hh = 10: groove 10 .. 89, L = 79, mouse length 81
    PaintNow(slider);
    EXPECT_TRUE(ThumbSpans(79, 20)) << "centre 89, top 79, 21 pixels high";
    EXPECT_TRUE(DotsAre(slider, {{15, 10, c.text}, {15, 9, c.face}})) << "the groove's top end";

    Send(slider, SLM_SETPOS, 255);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{6, 79, 24, 100}, RECT{6, 0, 24, 21}}));
    PaintNow(slider);
    EXPECT_TRUE(ThumbSpans(0, 20));
    Click(slider, 15, 40);
    EXPECT_EQ(Pos(), 130) << "(41 * 255 + 80) / 81";
    Click(slider, 15, 81);
    EXPECT_EQ(Pos(), 0);

    Send(slider, SLM_SETTHUMBSIZE, 9);  // hh = 4 as for 8, one pixel higher
    SetPos(128);
    EXPECT_TRUE(ThumbSpans(45, 9));
}

TEST_F(VSliderTest, PressDragAndReleaseNotifyInOrderWithTheCursorConfinedAndHidden)
{
    Make(SLS_NOTIFY | SLS_HIDECURSOR | SLS_CLIPCURSOR);
    const RECT screen = ClipRect();
    const int shown = CursorCount();
    Mouse(slider, WM_LBUTTONDOWN, 15, 49);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_POSCHANGED), Note(SLN_BEGINDRAG)}));
    EXPECT_EQ(GetCapture(), slider);
    EXPECT_EQ(ClipRect(), WindowRect(slider));
    EXPECT_EQ(CursorCount(), shown - 1);

    parent.log().Clear();
    Mouse(slider, WM_MOUSEMOVE, 15, 0);
    EXPECT_EQ(Pos(), 255);
    Mouse(slider, WM_MOUSEMOVE, 200, -50);  // clamped to y = 0; x is not used
    Mouse(slider, WM_MOUSEMOVE, 15, 500);
    EXPECT_EQ(Pos(), 0);
    Mouse(slider, WM_MOUSEMOVE, -8, 93);
    Mouse(slider, WM_LBUTTONUP, 15, 10);
    EXPECT_EQ(Pos(), 0);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_POSCHANGED), Note(SLN_POSCHANGED), Note(SLN_ENDDRAG)}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(ClipRect(), screen);
    EXPECT_EQ(CursorCount(), shown);

    parent.log().Clear();
    Mouse(slider, WM_MOUSEMOVE, 15, 10);
    Mouse(slider, WM_LBUTTONUP, 15, 10);
    Click(slider, 15, 95);
    Send(slider, SLM_SETPOS, 77);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_BEGINDRAG), Note(SLN_ENDDRAG)}))
        << "idle moves and releases are ignored, a press at the current value only starts a drag, "
           "a value set by message is not reported";

    Make(0);
    Mouse(slider, WM_LBUTTONDOWN, 15, 49);
    Mouse(slider, WM_MOUSEMOVE, 15, 0);
    Mouse(slider, WM_LBUTTONUP, 15, 0);
    EXPECT_EQ(Pos(), 255);
    EXPECT_TRUE(SequenceIs(Commands(parent), {})) << "no notifications without SLS_NOTIFY";
}

TEST_F(VSliderTest, KeysMoveByTheirTableWithHomeAtTheTop)
{
    Make(SLS_NOTIFY);
    EXPECT_TRUE(KeysGive(parent, slider, SLM_GETPOS,
                         {{VK_SPACE, 127}, {VK_PRIOR, 158}, {VK_NEXT, 127}, {VK_HOME, 255}, {VK_UP, 255},
                          {VK_DOWN, 254}, {VK_END, 0}, {VK_DOWN, 0}, {VK_UP, 1}, {VK_LEFT, 1},
                          {VK_RIGHT, 1}, {VK_NEXT, 0}}));
    Send(slider, SLM_SETRANGE, 50000);
    EXPECT_TRUE(KeysGive(parent, slider, SLM_GETPOS, {{VK_HOME, 32767}})) << "Home stops at 32767";
}

TEST_F(VSliderTest, GrooveAndThumbAreDrawnAtTheirCoordinatesWithTheFocusFill)
{
    SetPos(128);  // thumb y 45 .. 53
    EXPECT_TRUE(DotsAre(slider, {{11, 4, c.text}, {11, 94, c.text}, {18, 5, c.text}, {18, 95, c.text},
                                 {15, 4, c.text}, {15, 95, c.text}, {15, 5, c.shadow}, {12, 30, c.shadow},
                                 {19, 30, c.light}, {15, 96, c.light}, {19, 96, c.light}}))
        << "groove outline, shadow inside, highlight outside";
    EXPECT_TRUE(AreaIs(slider, RECT{13, 6, 18, 44}, c.face)) << "inside the groove";
    EXPECT_TRUE(AreaIs(slider, RECT{0, 0, 11, 44}, c.face));
    EXPECT_TRUE(AreaIs(slider, RECT{0, 97, W, H}, c.face));

    // Thumb at 0: body (6, 91) - (24, 100).
    SetPos(0);
    const RECT fill{8, 94, 22, 97};
    EXPECT_TRUE(AreaIs(slider, RECT{7, 92, 23, 93}, c.light)) << "highlight under the top edge";
    EXPECT_TRUE(AreaIs(slider, RECT{8, 93, 22, 94}, c.light)) << "second highlight line";
    EXPECT_TRUE(AreaIs(slider, RECT{8, 97, 22, 99}, c.shadow)) << "two shadow lines above the bottom edge";
    EXPECT_TRUE(AreaIs(slider, RECT{22, 93, 23, 99}, c.shadow)) << "shadow inside the right edge";
    EXPECT_TRUE(AreaIs(slider, fill, c.face));

    SetFocus(slider);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}}));
    EXPECT_FALSE(PaintErases(slider));
    EXPECT_TRUE(AreaIs(slider, fill, c.text));
    SetFocus(parent.hwnd());
    PaintNow(slider);
    EXPECT_TRUE(AreaIs(slider, fill, c.face));
}

TEST_F(VSliderTest, TickMarksNeedTwoMarksAndRoomLeftAndRight)
{
    SetPos(128);
    Send(slider, SLM_SETTICKS, 3);  // y = 4, 49 (under the thumb), 95
    PaintNow(slider);
    for (int y : {4, 95}) {
        SCOPED_TRACE(y);
        EXPECT_TRUE(AreaIs(slider, RECT{4, y, 7, y + 1}, c.shadow)) << "left: x 4 .. m - 5";
        EXPECT_TRUE(AreaIs(slider, RECT{23, y, 26, y + 1}, c.shadow)) << "right: x w - m + 4 .. w - 5";
        EXPECT_TRUE(AreaIs(slider, RECT{4, y + 1, 7, y + 2}, c.light));
        EXPECT_TRUE(AreaIs(slider, RECT{23, y + 1, 26, y + 2}, c.light));
    }
    EXPECT_EQ(CountColour(slider, RECT{0, 0, 6, H}, c.shadow), 3 * 2) << "x 4 and 5 of three marks";
    Send(slider, SLM_SETTICKS, 1);
    PaintNow(slider);
    EXPECT_EQ(CountColour(slider, RECT{0, 0, 6, H}, c.shadow), 0) << "one mark draws none";

    // m = 5 needs a client 17 pixels wide, where the marks run from x 4 left to
    // m - 4 = 1 and from w - m + 4 = 16 left to w - 4 = 13; at 16 (m = 4) none are drawn.
    // SLS_BORDER means nothing to this slider.
    for (int w : {17, 16}) {
        Make(SLS_BORDER, w, H);
        SetPos(128);
        Send(slider, SLM_SETTICKS, 2);
        PaintNow(slider);
        const COLORREF mark = w == 17 ? c.shadow : c.face;
        EXPECT_TRUE(AreaIs(slider, RECT{2, 95, 4, 96}, mark)) << "w " << w << ": left, x 2 and 3";
        EXPECT_TRUE(AreaIs(slider, RECT{14, 95, 16, 96}, mark)) << "w " << w << ": right, x 14 and 15";
        EXPECT_TRUE(AreaIs(slider, RECT{0, 0, 1, H}, c.face)) << "no frame";
    }
}

TEST_F(VSliderTest, DegenerateThumbSizesAndClientsStayDefined)
{
    for (LONG size : {INT_MAX, 1000, 2, 1, 0, -1, -1000, INT_MIN}) {
        Send(slider, SLM_SETTHUMBSIZE, size);
        Send(slider, SLM_SETTICKS, 4);
        PaintNow(slider);
        Mouse(slider, WM_LBUTTONDOWN, 15, 50);
        Mouse(slider, WM_MOUSEMOVE, 15, -50);
        Mouse(slider, WM_LBUTTONUP, 15, 50);
        PaintNow(slider);
        EXPECT_TRUE(Pos() >= 0 && Pos() <= 255) << "thumb size " << size;
    }
    Send(slider, SLM_SETTHUMBSIZE, 101);  // mouse length 101 - 2 * 50 = 1
    Click(slider, 15, 0);
    EXPECT_EQ(Pos(), 255);
    Send(slider, SLM_SETTHUMBSIZE, 102);  // mouse length 101 - 2 * 51 = -1: every pointer gives 0
    Click(slider, 15, 0);
    EXPECT_EQ(Pos(), 0);

    Make(0, 3, 3);  // mouse length 4 - 2 * 4 < 0
    Send(slider, SLM_SETTICKS, 3);
    SetPos(200);
    Click(slider, 0, 0);
    EXPECT_EQ(Pos(), 0);
}

TEST(VSliderResources, CreatePaintDestroyLeavesNoObjectBehind)
{
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND slider = parent.CreateChild(ZTC_SLIDER_V_CLASS, 0, 10, 10, 30, 120);
    SendMessageA(slider, SLM_SETTICKS, 4, 0);
    SetFocus(slider);
    PaintNow(slider);
    DestroyWindow(slider);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}
