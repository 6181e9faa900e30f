// Horizontal slider: messages, mouse, keyboard, notifications, invalidation,
// pixels at the groove's coordinates, cursor handling and clean-up.
#include "gdicount.h"
#include "slider_support.h"

using namespace ztest;
using namespace slidertest;

namespace {

const COLORREF kScribble = RGB(255, 0, 255);

// A slider 100 x 30 with B = 1 and no labels: the groove runs from x0 = 4 to
// x1 = 95 (W = 91, mouse width 92) between yt = 11 and yb = 18 (m = 11); the
// thumb body spans rows 3 .. 26 and a thumb centred at xc repaints
// (xc - 4, 3) - (xc + 5, 30).
class HSliderTest : public ::testing::Test {
protected:
    static constexpr int W = 100, H = 30, Id = 100;
    void SetUp() override
    {
        ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1) << "the coordinates below assume B = 1";
        Make(0);
    }
    void Make(DWORD style, int w = W, int h = H)
    {
        if (slider)
            DestroyWindow(slider);
        slider = parent.CreateChild(ZTC_SLIDER_H_CLASS, style, 10, 10, w, h, Id);
        ASSERT_NE(slider, nullptr);
    }
    LONG Pos() { return Send(slider, MBM_GETPOS); }
    void SetPos(LONG p)
    {
        Send(slider, MBM_SETPOS, p);
        PaintNow(slider);
    }
    // The thumb's outline columns xc - 4 and xc + 4 (at row 8, clear of the
    // groove) are in the text colour and the columns beside them are not.
    ::testing::AssertionResult ThumbCentreIs(int xc)
    {
        for (int x : {xc - 4, xc + 4})
            if (Pixel(slider, x, 8) != c.text)
                return ::testing::AssertionFailure() << "no thumb outline at x = " << x;
        for (int x : {xc - 5, xc + 5})
            if (Pixel(slider, x, 8) == c.text)
                return ::testing::AssertionFailure() << "thumb outline at x = " << x;
        return ::testing::AssertionSuccess();
    }
    static RECT ThumbArea(int xc) { return RECT{xc - 4, 3, xc + 5, H}; }
    Expect Note(int code) const { return Command(Id, code, slider); }

    Colours c;
    ParentWindow parent;
    HWND slider = nullptr;
};

}  // namespace

TEST_F(HSliderTest, MessagesAnswerAndRepaintOnlyOnAChange)
{
    Make(SLS_NOTIFY);
    EXPECT_EQ(Send(slider, MBM_GETRANGE), 255);
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(SendMessageA(slider, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    EXPECT_TRUE(ThumbCentreIs(4)) << "a new slider's thumb sits at the left end";

    EXPECT_EQ(Send(slider, MBM_SETTICKS, 5), 0);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(slider));
    EXPECT_EQ(Send(slider, MBM_SETTICKS, 5), 5);
    EXPECT_EQ(Send(slider, MBM_SETLABELS, 1), 0);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(slider));
    EXPECT_EQ(Send(slider, MBM_SETLABELS, 1), 1);
    EXPECT_EQ(Send(slider, MBM_SETUSERVALUE, -123456), 0);
    EXPECT_EQ(Send(slider, MBM_SETUSERVALUE, 77), -123456);
    EXPECT_EQ(Send(slider, MBM_GETUSERVALUE), 77);
    for (LONG r : {255, 0, -1})
        EXPECT_EQ(Send(slider, MBM_SETRANGE, r), 0);
    EXPECT_EQ(Send(slider, MBM_GETRANGE), 255) << "a range below 1 is refused";
    EXPECT_TRUE(UpdateRegionIs(slider, {})) << "nothing above changed the picture";

    Send(slider, MBM_SETPOS, -5);
    EXPECT_EQ(Pos(), 0);
    Send(slider, MBM_SETPOS, 265);
    EXPECT_EQ(Pos(), 255);
    Send(slider, MBM_SETRANGE, 100);
    EXPECT_EQ(Pos(), 255) << "a new range does not clamp the value";
    EXPECT_TRUE(SequenceIs(Commands(parent), {})) << "values set by message are not reported";
    SendMessageA(slider, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(Pos(), 100) << "the next change through the control clamps it";
}

TEST_F(HSliderTest, WorkedNumbersOnAHundredPixelSlider)
{
    SetPos(128);
    EXPECT_TRUE(ThumbCentreIs(50)) << "4 + (128 * 91 + 254) / 255";
    SetPos(255);
    EXPECT_TRUE(ThumbCentreIs(95)) << "the right end x1";

    const struct {
        int x;
        LONG value;
    } presses[] = {{50, 128}, {60, 156}, {95, 253}, {96, 255}, {0, 0}, {99, 255}, {-30000, 0}};
    for (const auto& p : presses) {
        Click(slider, p.x, 15);
        EXPECT_EQ(Pos(), p.value) << "((x - 4) * 255 + 91) / 92 clamped, for x = " << p.x;
    }

    Send(slider, MBM_SETRANGE, INT_MAX);
    Click(slider, 50, 15);
    EXPECT_EQ(Pos(), 1073741824) << "(46 * 2147483647 + 91) / 92, formed without overflow";
    PaintNow(slider);
    EXPECT_TRUE(ThumbCentreIs(50));
}

TEST_F(HSliderTest, ValueChangeRepaintsTheOldThumbWithErasingAndTheNewOneWithout)
{
    Send(slider, MBM_SETPOS, 128);
    EXPECT_TRUE(UpdateRegionIs(slider, {ThumbArea(4), ThumbArea(50)}));
    EXPECT_TRUE(PaintErases(slider));
    Send(slider, MBM_SETPOS, 128);
    EXPECT_TRUE(UpdateRegionIs(slider, {})) << "a repeated value repaints nothing";

    // With the old thumb beyond the client area only the new place is
    // invalidated, and it must not ask for erasing.
    SetPos(255);
    Send(slider, MBM_SETRANGE, 1);
    PaintNow(slider);
    Send(slider, MBM_SETPOS, 0);
    EXPECT_TRUE(UpdateRegionIs(slider, {ThumbArea(4)}));
    EXPECT_FALSE(PaintErases(slider));
}

TEST_F(HSliderTest, FocusRepaintsEverythingWithoutErasingAndFillsTheThumb)
{
    // Thumb at 0: its fill shows between the relief lines, x 3 .. 5, y 5 .. 24.
    const RECT fill{3, 5, 6, 25};
    SetFocus(slider);
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}}));
    EXPECT_FALSE(PaintErases(slider));
    EXPECT_TRUE(AreaIs(slider, fill, c.text));

    Scribble(slider, kScribble);
    SetFocus(parent.hwnd());
    EXPECT_TRUE(UpdateRegionIs(slider, {RECT{0, 0, W, H}}));
    EXPECT_FALSE(PaintErases(slider));
    EXPECT_TRUE(AreaIs(slider, fill, c.face)) << "the face brush fills an unfocused thumb";
    EXPECT_EQ(Pixel(slider, 50, 5), kScribble) << "the background is not painted";
}

TEST_F(HSliderTest, PressDragAndReleaseNotifyInOrderAndTheDragIsClamped)
{
    Make(SLS_NOTIFY);
    Mouse(slider, WM_MOUSEMOVE, 50, 15);
    EXPECT_EQ(Pos(), 0) << "a move without a press does nothing";

    Mouse(slider, WM_LBUTTONDOWN, 50, 15);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_POSCHANGED), Note(SLN_BEGINDRAG)}));
    EXPECT_EQ(GetCapture(), slider);
    EXPECT_EQ(GetFocus(), slider);

    parent.log().Clear();
    Mouse(slider, WM_MOUSEMOVE, 60, 3);
    EXPECT_EQ(Pos(), 156);
    Mouse(slider, WM_MOUSEMOVE, 60, 25);  // y is not used
    Mouse(slider, WM_MOUSEMOVE, -500, 15);
    EXPECT_EQ(Pos(), 0);
    Mouse(slider, WM_MOUSEMOVE, 900, 15);
    EXPECT_EQ(Pos(), 255);
    Mouse(slider, WM_MOUSEMOVE, 97, 15);
    Mouse(slider, WM_LBUTTONUP, 30, 15);
    EXPECT_EQ(Pos(), 255) << "the release does not move the value";
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_POSCHANGED), Note(SLN_POSCHANGED),
                                              Note(SLN_POSCHANGED), Note(SLN_ENDDRAG)}));
    EXPECT_EQ(GetCapture(), nullptr);

    parent.log().Clear();
    Mouse(slider, WM_MOUSEMOVE, 50, 15);
    Mouse(slider, WM_LBUTTONUP, 50, 15);
    Click(slider, 98, 15);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_BEGINDRAG), Note(SLN_ENDDRAG)}))
        << "idle moves and releases are ignored; a press at the current value only starts a drag";
}

TEST_F(HSliderTest, TheNotifyStyleIsReadAtEveryUse)
{
    Mouse(slider, WM_LBUTTONDOWN, 50, 15);
    Mouse(slider, WM_MOUSEMOVE, 70, 15);
    Mouse(slider, WM_LBUTTONUP, 70, 15);
    SendMessageA(slider, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(Pos(), 0);
    EXPECT_TRUE(SequenceIs(Commands(parent), {})) << "no notifications without SLS_NOTIFY";

    SetWindowLongPtrA(slider, GWL_STYLE, GetWindowLongPtrA(slider, GWL_STYLE) | SLS_NOTIFY);
    Mouse(slider, WM_LBUTTONDOWN, 50, 15);
    SetWindowLongPtrA(slider, GWL_STYLE, GetWindowLongPtrA(slider, GWL_STYLE) & ~SLS_NOTIFY);
    Mouse(slider, WM_LBUTTONUP, 50, 15);
    EXPECT_TRUE(SequenceIs(Commands(parent), {Note(SLN_POSCHANGED), Note(SLN_BEGINDRAG)}));
}

TEST_F(HSliderTest, KeysMoveByTheirTable)
{
    Make(SLS_NOTIFY);
    EXPECT_TRUE(KeysGive(parent, slider, MBM_GETPOS,
                         {{VK_SPACE, 127}, {VK_PRIOR, 158}, {VK_NEXT, 127}, {VK_END, 255}, {VK_RIGHT, 255},
                          {VK_LEFT, 254}, {VK_HOME, 0}, {VK_LEFT, 0}, {VK_RIGHT, 1}, {VK_NEXT, 0},
                          {VK_UP, 0}, {VK_DOWN, 0}, {VK_PRIOR, 31}}));
    Send(slider, MBM_SETRANGE, 7);
    EXPECT_TRUE(KeysGive(parent, slider, MBM_GETPOS, {{VK_PRIOR, 7}, {VK_NEXT, 7}, {VK_NEXT, 7}}))
        << "7 / 8 is 0 (the first Page Up clamps the old value to the range)";
    Send(slider, MBM_SETRANGE, 40000);
    Send(slider, MBM_SETPOS, 35000);
    EXPECT_TRUE(KeysGive(parent, slider, MBM_GETPOS, {{VK_RIGHT, 32767}, {VK_HOME, 0}, {VK_END, 32767}}))
        << "no key goes above 32767";
}

TEST_F(HSliderTest, DragHidesAndConfinesTheCursorAndTheReleaseRestoresIt)
{
    Make(SLS_HIDECURSOR | SLS_CLIPCURSOR);
    const RECT screen = ClipRect();
    const int shown = CursorCount();
    Mouse(slider, WM_LBUTTONDOWN, 50, 15);
    EXPECT_EQ(ClipRect(), WindowRect(slider));
    EXPECT_EQ(CursorCount(), shown - 1);
    Mouse(slider, WM_LBUTTONUP, 50, 15);
    EXPECT_EQ(ClipRect(), screen);
    EXPECT_EQ(CursorCount(), shown);
    EXPECT_EQ(GetCapture(), nullptr);

    Make(0);
    Mouse(slider, WM_LBUTTONDOWN, 50, 15);
    EXPECT_EQ(ClipRect(), screen) << "without the styles the cursor is left alone";
    EXPECT_EQ(CursorCount(), shown);
    Mouse(slider, WM_LBUTTONUP, 50, 15);
}

TEST_F(HSliderTest, GrooveAndThumbAreDrawnAtTheirCoordinates)
{
    SetPos(128);  // thumb body x 46 .. 54, y 3 .. 26
    EXPECT_TRUE(DotsAre(slider, {{4, 11, c.text}, {94, 11, c.text}, {4, 18, c.text}, {95, 18, c.text},
                                 {95, 15, c.text}, {30, 12, c.shadow}, {5, 15, c.shadow}, {30, 19, c.light},
                                 {96, 15, c.light}, {96, 19, c.light}}))
        << "groove outline, shadow inside, highlight outside";
    EXPECT_TRUE(AreaIs(slider, RECT{6, 13, 45, 18}, c.face)) << "inside the groove";
    EXPECT_TRUE(AreaIs(slider, RECT{0, 0, 4, H}, c.face)) << "left of the groove, and no frame";

    EXPECT_TRUE(AreaIs(slider, RECT{46, 3, 55, 4}, c.text)) << "thumb top edge";
    EXPECT_TRUE(AreaIs(slider, RECT{46, 26, 55, 27}, c.text)) << "thumb bottom edge";
    EXPECT_TRUE(AreaIs(slider, RECT{47, 4, 53, 5}, c.light));
    EXPECT_TRUE(AreaIs(slider, RECT{47, 4, 49, 25}, c.light)) << "two highlight columns on the left";
    EXPECT_TRUE(AreaIs(slider, RECT{52, 5, 54, 25}, c.shadow)) << "two shadow columns on the right";
    EXPECT_TRUE(AreaIs(slider, RECT{48, 25, 54, 26}, c.shadow));
    EXPECT_TRUE(AreaIs(slider, RECT{49, 5, 52, 25}, c.face)) << "the fill covers the groove";
}

TEST_F(HSliderTest, TickMarksNeedTwoMarksAndRoomAboveAndBelow)
{
    SetPos(128);
    Send(slider, MBM_SETTICKS, 5);  // x = 4, 26, 49 (under the thumb), 72, 95
    PaintNow(slider);
    for (int x : {4, 26, 72, 95}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(AreaIs(slider, RECT{x, 4, x + 1, 7}, c.shadow)) << "above: y 4 .. m - 5";
        EXPECT_TRUE(AreaIs(slider, RECT{x, 23, x + 1, 26}, c.shadow)) << "below: y h - m + 4 .. h - 5";
        EXPECT_TRUE(AreaIs(slider, RECT{x + 1, 4, x + 2, 7}, c.light));
        EXPECT_TRUE(AreaIs(slider, RECT{x + 1, 23, x + 2, 26}, c.light));
    }
    const RECT leftOfThumb{0, 0, 45, 11}, rightOfThumb{56, 0, W, 11};
    EXPECT_EQ(CountColour(slider, leftOfThumb, c.shadow) + CountColour(slider, rightOfThumb, c.shadow), 4 * 3)
        << "nothing else above the groove";

    Send(slider, MBM_SETTICKS, 1);
    PaintNow(slider);
    EXPECT_EQ(CountColour(slider, leftOfThumb, c.shadow) + CountColour(slider, rightOfThumb, c.shadow), 0)
        << "one mark draws none";

    // m = 5 needs a client 17 pixels high, where the marks run from y 4 up to
    // m - 4 = 1 and from h - m + 4 = 16 up to h - 4 = 13; at 16 (m = 4) none are drawn.
    for (int h : {17, 16}) {
        Make(0, W, h);
        SetPos(128);
        Send(slider, MBM_SETTICKS, 2);
        PaintNow(slider);
        const COLORREF mark = h == 17 ? c.shadow : c.face;
        EXPECT_TRUE(AreaIs(slider, RECT{95, 2, 96, 4}, mark)) << "h " << h << ": above, y 2 and 3";
        EXPECT_TRUE(AreaIs(slider, RECT{4, 14, 5, 16}, mark)) << "h " << h << ": below, y 14 and 15";
    }
}

TEST_F(HSliderTest, LabelsShortenTheGrooveAndDrawLAndR)
{
    SetPos(128);
    EXPECT_EQ(CountColour(slider, RECT{0, 0, 4, H}, c.text), 0);
    Send(slider, MBM_SETLABELS, 1);  // x0 = 10, x1 = 89, W = 79, mouse width 80
    PaintNow(slider);
    EXPECT_TRUE(ThumbCentreIs(50)) << "10 + ceil(128 * 79 / 255)";
    EXPECT_TRUE(DotsAre(slider, {{10, 11, c.text}, {89, 15, c.text}, {90, 15, c.light}}));
    EXPECT_GT(CountColour(slider, RECT{0, 0, 10, H}, c.text), 3) << "an L left of the groove";
    EXPECT_GT(CountColour(slider, RECT{91, 0, W, H}, c.text), 3) << "an R right of the groove";
    EXPECT_EQ(CountColour(slider, RECT{0, 19, 10, H}, c.text), 0) << "standing on the line y = yb";

    SetPos(0);
    EXPECT_TRUE(ThumbCentreIs(10));
    SetPos(255);
    EXPECT_TRUE(ThumbCentreIs(89));
    Click(slider, 10, 15);
    EXPECT_EQ(Pos(), 0);
    Click(slider, 90, 15);
    EXPECT_EQ(Pos(), 255) << "x0 + Wm = 90 with labels";
}

TEST_F(HSliderTest, BorderStyleDrawsASunkenFrameAndIsReadAtPaintTime)
{
    SetPos(128);
    EXPECT_EQ(Pixel(slider, 0, 15), c.face);
    SetWindowLongPtrA(slider, GWL_STYLE, GetWindowLongPtrA(slider, GWL_STYLE) | SLS_BORDER);
    InvalidateRect(slider, nullptr, TRUE);
    PaintNow(slider);
    EXPECT_TRUE(AreaIs(slider, RECT{0, 0, W - 1, 1}, c.shadow)) << "top";
    EXPECT_TRUE(AreaIs(slider, RECT{0, 0, 1, H}, c.shadow)) << "left";
    EXPECT_TRUE(AreaIs(slider, RECT{W - 1, 0, W, H}, c.light)) << "right";
    EXPECT_TRUE(AreaIs(slider, RECT{1, H - 1, W, H}, c.light)) << "bottom";
    EXPECT_EQ(Pixel(slider, 1, 1), c.face);
}

TEST_F(HSliderTest, DegenerateSizesStayDefined)
{
    for (int w : {5, 1}) {  // mouse widths -3 and -7: every pointer gives 0
        Make(0, w, w);
        Send(slider, MBM_SETTICKS, 3);
        Send(slider, MBM_SETLABELS, 1);
        SetPos(100);
        Mouse(slider, WM_LBUTTONDOWN, 4, 0);
        Mouse(slider, WM_MOUSEMOVE, 300, 0);
        Mouse(slider, WM_LBUTTONUP, 300, 0);
        EXPECT_EQ(Pos(), 0) << "w = " << w;
    }
    Make(0);
    SetPos(255);
    Send(slider, MBM_SETRANGE, 1);  // the thumb is drawn far beyond the right end
    PaintNow(slider);
    EXPECT_EQ(Pos(), 255);
}

TEST(HSliderResources, CreatePaintDestroyWithLabelsLeavesNoObjectBehind)
{
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND slider = parent.CreateChild(ZTC_SLIDER_H_CLASS, SLS_BORDER, 10, 10, 120, 30);
    SendMessageA(slider, MBM_SETLABELS, 1, 0);
    SendMessageA(slider, MBM_SETTICKS, 4, 0);
    SetFocus(slider);
    PaintNow(slider);
    EXPECT_GE(counter.Created(), 1u) << "the labels' font was expected";
    DestroyWindow(slider);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}
