// Multi-scroll control: creation from the window text, steps and their
// reports, auto-repeat, tracking and release, the control messages and the
// picture by pixels.
#include "gdicount.h"
#include "ztest.h"

#include <utility>

using namespace ztest;

namespace {

constexpr int kId = 100;

class MultiScrollTest : public ::testing::Test {
protected:
    HWND Create(DWORD style, int w, int h, const char* text = nullptr)
    {
        HWND ms = parent.CreateChild(ZTC_MUSCROLL_CLASS, style, 20, 20, w, h, kId, text);
        EXPECT_NE(ms, nullptr);
        return ms;
    }

    // Puts the real cursor on the client point too, so that whatever mouse
    // move the system generates agrees with the messages sent.
    // Nothing is pumped here, so no timer of the control ticks unasked.
    static void CursorAt(HWND ms, int x, int y)
    {
        POINT pt{x, y};
        ClientToScreen(ms, &pt);
        SetCursorPos(pt.x, pt.y);
    }
    static void Press(HWND ms, int x, int y)
    {
        CursorAt(ms, x, y);
        PumpMessages();
        Mouse(ms, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    }
    static void MoveTo(HWND ms, int x, int y)
    {
        CursorAt(ms, x, y);
        Mouse(ms, WM_MOUSEMOVE, x, y, MK_LBUTTON);
    }
    static void Click(HWND ms, int x, int y)
    {
        Press(ms, x, y);
        Mouse(ms, WM_LBUTTONUP, x, y);
    }

    // What the parent (the default target) received from the control.
    std::vector<Msg> Reports() { return parent.log().Only({WM_HSCROLL, WM_VSCROLL, WM_COMMAND}); }
    int Steps() { return parent.log().Count(WM_HSCROLL) + parent.log().Count(WM_VSCROLL); }

    ParentWindow parent;
};

Expect HScroll(int code, int value, HWND ms)
{
    return Expect{WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(value)), reinterpret_cast<LPARAM>(ms)};
}
Expect VScroll(int code, int value, HWND ms)
{
    return Expect{WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(value)), reinterpret_cast<LPARAM>(ms)};
}

LRESULT Range(HWND ms)
{
    return SendMessageA(ms, MSM_GETRANGE, 0, 0);
}
LRESULT Value(HWND ms)
{
    return SendMessageA(ms, MSM_GETVALUE, 0, 0);
}
LRESULT SetRange(HWND ms, int minimum, int maximum)
{
    return SendMessageA(ms, MSM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
}
LRESULT SetValue(HWND ms, int value)
{
    return SendMessageA(ms, MSM_SETVALUE, static_cast<WPARAM>(value), 0);
}
LRESULT Word(HWND hwnd)
{
    return LOWORD(reinterpret_cast<UINT_PTR>(hwnd));
}

// Another window that records what a control sends it.
using Target = ParentWindow;
std::vector<Msg> Received(Target& t)
{
    return t.log().Only({WM_HSCROLL, WM_VSCROLL, WM_COMMAND});
}

}  // namespace

// ---- Creation ------------------------------------------------------------------

TEST_F(MultiScrollTest, WindowTextSetsRangeAndValueOnlyWhenItParses)
{
    struct Case {
        const char* text;
        DWORD style;
        int minimum, maximum, value;
    } cases[] = {
        {"2,8,3", MSS_TEXTINIT, 2, 8, 3},
        {"2,8,3", 0, 0, 9, 5},                  // text ignored without the style
        {nullptr, MSS_TEXTINIT, 0, 9, 5},
        {"2,8,30", MSS_TEXTINIT, 2, 8, 5},      // value outside: centred
        {",8,3", MSS_TEXTINIT, 0, 8, 3},        // an empty field reads 0
        {"2,8,3,x", MSS_TEXTINIT, 2, 8, 3},     // after the third comma: ignored
        {"4,4,4", MSS_TEXTINIT, 4, 4, 4},
        {"2,8", MSS_TEXTINIT, 0, 9, 5},         // third field missing
        {"2,8,", MSS_TEXTINIT, 0, 9, 5},
        {"2,8,x", MSS_TEXTINIT, 0, 9, 5},
        {"2, 8,3", MSS_TEXTINIT, 0, 9, 5},
        {"-2,8,3", MSS_TEXTINIT, 0, 9, 5},
        {"4294967295,8,3", MSS_TEXTINIT, 0, 9, 5},
        {"8,2,5", MSS_TEXTINIT, 0, 9, 5},       // maximum below minimum
        {"", MSS_TEXTINIT, 0, 9, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        HWND ms = Create(c.style, 40, 20, c.text);
        EXPECT_EQ(Range(ms), MAKELONG(c.minimum, c.maximum));
        EXPECT_EQ(Value(ms), c.value);
        EXPECT_EQ(SendMessageA(ms, MSM_GETTARGET, 0, 0), Word(parent.hwnd())) << "the parent is the target";
        DestroyWindow(ms);
    }
    EXPECT_TRUE(Reports().empty()) << "creation reports nothing";
}

TEST_F(MultiScrollTest, StyleBitsAreAPrivateCopyChangedByMessage)
{
    HWND ms = Create(MSS_NOLIMITNOTIFY, 40, 20);
    EXPECT_EQ(SendMessageA(ms, MSM_GETNOLIMITNOTIFY, 0, 0), 1);
    EXPECT_EQ(SendMessageA(ms, MSM_GETREVERSE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(ms, MSM_SETNOLIMITNOTIFY, 0, 0), 1);
    EXPECT_EQ(SendMessageA(ms, MSM_SETNOLIMITNOTIFY, 0, 0), 0);
    EXPECT_EQ(SendMessageA(ms, MSM_SETREVERSE, 7, 0), 0);
    EXPECT_EQ(SendMessageA(ms, MSM_SETREVERSE, 1, 0), 1);
    EXPECT_EQ(SendMessageA(ms, MSM_GETREVERSE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(ms, MSM_GETNOLIMITNOTIFY, 0, 0), 0);
    EXPECT_EQ(GetWindowLongA(ms, GWL_STYLE) & 0xFFFF, MSS_NOLIMITNOTIFY) << "the window style is untouched";
}

// ---- Steps -----------------------------------------------------------------------

TEST_F(MultiScrollTest, EachPressStepsOnceAndReportsTheHalfAndTheNewValue)
{
    HWND ms = Create(0, 40, 20);  // halves 0..20 and 21..39
    Click(ms, 5, 10);
    Click(ms, 5, 10);
    Click(ms, 30, 10);
    Mouse(ms, WM_LBUTTONDBLCLK, 30, 10);  // one more press
    Mouse(ms, WM_LBUTTONUP, 30, 10);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINELEFT, 4, ms), HScroll(SB_LINELEFT, 3, ms),
                                       HScroll(SB_LINERIGHT, 4, ms), HScroll(SB_LINERIGHT, 5, ms)}));
    EXPECT_EQ(Value(ms), 5);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MultiScrollTest, TheMiddlePixelBelongsToTheFirstHalf)
{
    HWND h = Create(0, 40, 20);
    HWND v = Create(MSS_VERT, 20, 40);
    Click(h, 20, 10);
    Click(h, 21, 10);
    Click(v, 10, 20);
    Click(v, 10, 21);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINELEFT, 4, h), HScroll(SB_LINERIGHT, 5, h),
                                       VScroll(SB_LINEUP, 4, v), VScroll(SB_LINEDOWN, 5, v)}));
}

TEST_F(MultiScrollTest, ABlockedStepReportsTheUnchangedValueUnlessNoLimitNotify)
{
    HWND ms = Create(0, 40, 20);
    SetValue(ms, 9);
    parent.log().Clear();
    Press(ms, 30, 10);
    SendMessageA(ms, WM_TIMER, 500, 0);
    SendMessageA(ms, WM_TIMER, 501, 0);
    Mouse(ms, WM_LBUTTONUP, 30, 10);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINERIGHT, 9, ms), HScroll(SB_LINERIGHT, 9, ms),
                                       HScroll(SB_LINERIGHT, 9, ms)}));

    SendMessageA(ms, MSM_SETNOLIMITNOTIFY, 1, 0);
    parent.log().Clear();
    Press(ms, 30, 10);
    SendMessageA(ms, WM_TIMER, 501, 0);
    Mouse(ms, WM_LBUTTONUP, 30, 10);
    EXPECT_TRUE(Reports().empty()) << Describe(Reports());
    Click(ms, 5, 10);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINELEFT, 8, ms)})) << "a step that moves still reports";
}

TEST_F(MultiScrollTest, ReverseSwapsTheDirectionsButNotTheScrollCodes)
{
    HWND ms = Create(MSS_VERT | MSS_REVERSE, 20, 40);
    Click(ms, 10, 5);
    Click(ms, 10, 30);
    Click(ms, 10, 30);
    SendMessageA(ms, MSM_SETREVERSE, 0, 0);
    Click(ms, 10, 5);
    EXPECT_TRUE(SequenceIs(Reports(), {VScroll(SB_LINEUP, 6, ms), VScroll(SB_LINEDOWN, 5, ms),
                                       VScroll(SB_LINEDOWN, 4, ms), VScroll(SB_LINEUP, 3, ms)}));

    SendMessageA(ms, MSM_SETREVERSE, 1, 0);
    SetValue(ms, 0);
    parent.log().Clear();
    Click(ms, 10, 30);
    EXPECT_TRUE(SequenceIs(Reports(), {VScroll(SB_LINEDOWN, 0, ms)})) << "blocked at the minimum";
}

TEST_F(MultiScrollTest, TimerTicksStepOnlyWhileThePointerIsInThePressedHalf)
{
    HWND ms = Create(0, 40, 20);
    SendMessageA(ms, MSM_SETRANGE, 0, MAKELPARAM(0, 1000));
    Press(ms, 30, 10);  // the second half's rectangle is x 20..39
    parent.log().Clear();
    SendMessageA(ms, WM_TIMER, 501, 0);
    MoveTo(ms, 20, 10);
    SendMessageA(ms, WM_TIMER, 501, 0);
    MoveTo(ms, 19, 10);
    SendMessageA(ms, WM_TIMER, 501, 0);
    MoveTo(ms, 30, -1);
    SendMessageA(ms, WM_TIMER, 501, 0);
    MoveTo(ms, 39, 19);
    SendMessageA(ms, WM_TIMER, 501, 0);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINERIGHT, 7, ms), HScroll(SB_LINERIGHT, 8, ms),
                                       HScroll(SB_LINERIGHT, 9, ms)}));
    Mouse(ms, WM_LBUTTONUP, 39, 19);

    Press(ms, 5, 10);  // the first half's rectangle is x 0..20
    parent.log().Clear();
    MoveTo(ms, 20, 10);
    SendMessageA(ms, WM_TIMER, 501, 0);
    MoveTo(ms, 21, 10);
    SendMessageA(ms, WM_TIMER, 501, 0);
    Mouse(ms, WM_LBUTTONUP, 21, 10);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINELEFT, 7, ms)}));
}

TEST_F(MultiScrollTest, HoldingRepeatsAfterTheDelayAndPausesOutsideTheHalf)
{
    HWND ms = Create(0, 40, 20);
    SendMessageA(ms, MSM_SETRANGE, 0, MAKELPARAM(0, 1000));
    Spy spy(ms);
    parent.log().Clear();

    Press(ms, 30, 10);
    EXPECT_EQ(Steps(), 1) << "one step at the press";
    EXPECT_EQ(GetCapture(), ms);
    PumpFor(300);
    EXPECT_EQ(Steps(), 1) << "nothing before the delay";
    PumpFor(400);
    const int afterDelay = Steps();
    EXPECT_GE(afterDelay, 2) << "the delay has passed";
    PumpFor(500);
    const int repeated = Steps() - afterDelay;
    EXPECT_GE(repeated, 4);
    EXPECT_LE(repeated, 12);

    MoveTo(ms, 5, 10);
    const int paused = Steps();
    PumpFor(300);
    EXPECT_EQ(Steps(), paused) << "no steps outside the half";
    MoveTo(ms, 30, 10);
    PumpFor(300);
    EXPECT_GE(Steps(), paused + 2) << "steps resume inside";

    Mouse(ms, WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    const int released = Steps();
    PumpFor(200);
    EXPECT_EQ(Steps(), released) << "the release stops the timers";

    const auto timers = spy.log().Only({WM_TIMER});
    ASSERT_GE(timers.size(), 2u);
    EXPECT_EQ(timers.front().wParam, 500u) << "the delay timer ticks once";
    for (size_t i = 1; i < timers.size(); ++i)
        EXPECT_EQ(timers[i].wParam, 501u) << "then only the repeat timer";
    // Every report of the hold is a line step of the second half, value rising by one.
    const auto reports = parent.log().Only({WM_HSCROLL});
    for (size_t i = 0; i < reports.size(); ++i)
        EXPECT_EQ(reports[i].wParam, MAKEWPARAM(SB_LINERIGHT, 6 + i)) << "report " << i;
}

TEST_F(MultiScrollTest, ReleaseOutsideSendsNothingAndTheNextPressStartsAfresh)
{
    HWND ms = Create(0, 40, 20);
    Press(ms, 30, 10);
    MoveTo(ms, 5, 10);
    parent.log().Clear();
    Mouse(ms, WM_LBUTTONUP, 5, 10);
    PumpFor(100);
    EXPECT_TRUE(Reports().empty()) << Describe(Reports());
    EXPECT_EQ(GetCapture(), nullptr);
    Click(ms, 5, 10);
    EXPECT_TRUE(SequenceIs(Reports(), {HScroll(SB_LINELEFT, 5, ms)}));
}

TEST_F(MultiScrollTest, CancelModeStopsTheRepeatAndReleasesTheCapture)
{
    HWND ms = Create(MSS_VERT, 20, 40);
    Press(ms, 10, 30);
    ASSERT_EQ(GetCapture(), ms);
    SendMessageA(ms, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    parent.log().Clear();
    PumpFor(700);
    EXPECT_EQ(Steps(), 0);
    SendMessageA(ms, WM_TIMER, 501, 0);
    EXPECT_EQ(Steps(), 0) << "no half is pressed any more";
}

// ---- Control messages -------------------------------------------------------------

TEST_F(MultiScrollTest, SetRangeRefusesEmptyRangesAndRecentresAValueOnOrOutsideTheBounds)
{
    HWND ms = Create(0, 40, 20);
    EXPECT_EQ(SetRange(ms, 10, 10), -1);
    EXPECT_EQ(SetRange(ms, 10, 3), -1);
    EXPECT_TRUE(Reports().empty()) << "a refusal sends nothing";
    EXPECT_EQ(Range(ms), MAKELONG(0, 9));

    EXPECT_EQ(SetRange(ms, 0, 20), MAKELONG(0, 9));
    EXPECT_TRUE(SequenceIs(Reports(), {Command(kId, MSN_RANGECHANGING, ms)})) << "5 lies inside 0..20";
    EXPECT_EQ(Value(ms), 5);

    SetValue(ms, 0);
    parent.log().Clear();
    EXPECT_EQ(SetRange(ms, 0, 20), MAKELONG(0, 20));
    EXPECT_TRUE(SequenceIs(Reports(), {Command(kId, MSN_RANGECHANGING, ms), HScroll(SB_THUMBTRACK, 10, ms)}));

    parent.log().Clear();
    EXPECT_EQ(SetRange(ms, -7, 10), MAKELONG(0, 20));  // 10 equals the new maximum
    EXPECT_EQ(SetRange(ms, -7, -4), MAKELONG(-7, 10));  // -11 >> 1 = -6
    EXPECT_EQ(Range(ms), MAKELONG(-7, -4));
    EXPECT_EQ(Value(ms), 65530);
    EXPECT_TRUE(SequenceIs(Reports(), {Command(kId, MSN_RANGECHANGING, ms), HScroll(SB_THUMBTRACK, 1, ms),
                                       Command(kId, MSN_RANGECHANGING, ms), HScroll(SB_THUMBTRACK, -6, ms)}));
}

TEST_F(MultiScrollTest, SetValueAcceptsOnlyTheRangeAndReportsEveryPlacement)
{
    HWND ms = Create(MSS_VERT, 20, 40);
    SetRange(ms, -5, 5);  // 5 is on the bound: centred to 0
    parent.log().Clear();
    EXPECT_EQ(SetValue(ms, -3), 0);
    EXPECT_EQ(Value(ms), 65533);
    EXPECT_EQ(SetValue(ms, -3), 65533) << "the previous value's low word";
    EXPECT_EQ(SetValue(ms, 6), -1);
    EXPECT_EQ(SetValue(ms, -6), -1);
    EXPECT_EQ(SetValue(ms, 5), 65533);
    EXPECT_TRUE(SequenceIs(Reports(), {VScroll(SB_THUMBTRACK, -3, ms), VScroll(SB_THUMBTRACK, -3, ms),
                                       VScroll(SB_THUMBTRACK, 5, ms)}));
    EXPECT_EQ(Range(ms), MAKELONG(-5, 5));
    EXPECT_EQ(static_cast<DWORD>(Range(ms)), 0x0005FFFBu);
}

TEST_F(MultiScrollTest, SetTargetTellsBothWindowsAndRedirectsEveryReport)
{
    HWND ms = Create(0, 40, 20);
    Target other(200, 100);
    EXPECT_EQ(SendMessageA(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(other.hwnd()), 0), Word(parent.hwnd()));
    EXPECT_TRUE(SequenceIs(Reports(), {Command(kId, MSN_DETACHED, ms)}));
    EXPECT_TRUE(SequenceIs(Received(other), {Command(kId, MSN_ATTACHED, ms)}));
    EXPECT_EQ(SendMessageA(ms, MSM_GETTARGET, 0, 0), Word(other.hwnd()));

    parent.log().Clear();
    other.log().Clear();
    Click(ms, 30, 10);
    SetValue(ms, 2);
    SetRange(ms, 3, 9);
    EXPECT_TRUE(Reports().empty()) << Describe(Reports());
    EXPECT_TRUE(SequenceIs(Received(other), {HScroll(SB_LINERIGHT, 6, ms), HScroll(SB_THUMBTRACK, 2, ms),
                                             Command(kId, MSN_RANGECHANGING, ms), HScroll(SB_THUMBTRACK, 6, ms)}));

    other.log().Clear();
    EXPECT_EQ(SendMessageA(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(other.hwnd()), 0), Word(other.hwnd()));
    EXPECT_TRUE(SequenceIs(Received(other), {Command(kId, MSN_DETACHED, ms), Command(kId, MSN_ATTACHED, ms)}));

    other.log().Clear();
    EXPECT_EQ(SendMessageA(ms, MSM_SETTARGET, 0, 0), -1);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(SendMessageA(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(gone), 0), -1);
    EXPECT_TRUE(Received(other).empty()) << Describe(Received(other));
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(SendMessageA(ms, MSM_GETTARGET, 0, 0), Word(other.hwnd()));
}

TEST_F(MultiScrollTest, OtherUserMessagesAnswerZeroAndDoNothing)
{
    HWND ms = Create(0, 40, 20);
    for (UINT msg : {WM_USER + 0u, WM_USER + 11u, WM_USER + 1000u, 0x7FFFu, 0xC000u, 0xFFFFu}) {
        SCOPED_TRACE(msg);
        EXPECT_EQ(SendMessageA(ms, msg, 1, MAKELPARAM(1, 50)), 0);
    }
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(Range(ms), MAKELONG(0, 9));
    EXPECT_EQ(Value(ms), 5);
    EXPECT_EQ(SendMessageA(ms, MSM_GETREVERSE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(ms, MSM_GETNOLIMITNOTIFY, 0, 0), 0);
}

// ---- Painting ---------------------------------------------------------------------

namespace {

struct Colours {
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
};

}  // namespace

// Horizontal 40 x 20: halves split by the column x = 20; the left arrow's
// corners are (8,10), (11,13), (11,7), the right arrow's (31,10), (28,13), (28,7).
TEST_F(MultiScrollTest, HorizontalPictureFrameDividerBevelsAndFilledArrows)
{
    const Colours c;
    HWND ms = Create(0, 40, 20);
    EXPECT_EQ(Pixel(ms, 0, 10), c.text);
    EXPECT_EQ(Pixel(ms, 39, 10), c.text);
    EXPECT_EQ(Pixel(ms, 5, 0), c.text);
    EXPECT_EQ(Pixel(ms, 5, 19), c.text);
    EXPECT_TRUE(AreaIs(ms, RECT{20, 0, 21, 20}, c.text)) << "divider";
    // Raised bevels: light top and left, a double shadow bottom and right.
    for (const auto& [l, r] : {std::pair{0, 20}, std::pair{20, 39}}) {  // bevel rectangles, bottom 19
        SCOPED_TRACE(l);
        EXPECT_EQ(Pixel(ms, l + 1, 5), c.light);
        EXPECT_EQ(Pixel(ms, l + 5, 1), c.light);
        EXPECT_EQ(Pixel(ms, r - 1, 5), c.shadow);
        EXPECT_EQ(Pixel(ms, r - 2, 5), c.shadow);
        EXPECT_EQ(Pixel(ms, r - 3, 5), c.face);
        EXPECT_EQ(Pixel(ms, l + 5, 18), c.shadow);
        EXPECT_EQ(Pixel(ms, l + 5, 17), c.shadow);
        EXPECT_EQ(Pixel(ms, l + 5, 10), c.face);
    }
    EXPECT_TRUE(AreaIs(ms, RECT{8, 10, 12, 11}, c.text)) << "left arrow, tip to base";
    EXPECT_EQ(Pixel(ms, 12, 10), c.face);
    EXPECT_EQ(Pixel(ms, 7, 10), c.face);
    EXPECT_TRUE(AreaIs(ms, RECT{28, 10, 32, 11}, c.text)) << "right arrow, base to tip";
    EXPECT_EQ(Pixel(ms, 27, 10), c.face);
    EXPECT_EQ(Pixel(ms, 32, 10), c.face);
    EXPECT_EQ(Pixel(ms, 11, 7), c.text);
    EXPECT_EQ(Pixel(ms, 28, 13), c.text);
}

TEST_F(MultiScrollTest, ThePressedHalfIsSunkenWhileThePointerStaysInIt)
{
    const Colours c;
    HWND ms = Create(0, 40, 20);
    Press(ms, 5, 10);  // drawn at once, without a paint of the test's own
    EXPECT_EQ(Pixel(ms, 1, 5), c.shadow) << "sunken: shadow left and top";
    EXPECT_EQ(Pixel(ms, 5, 1), c.shadow);
    EXPECT_EQ(Pixel(ms, 18, 5), c.face);
    EXPECT_EQ(Pixel(ms, 5, 18), c.face);
    EXPECT_EQ(Pixel(ms, 8, 10), c.face) << "the arrow moved one pixel right and down";
    EXPECT_TRUE(AreaIs(ms, RECT{9, 11, 13, 12}, c.text));
    EXPECT_EQ(Pixel(ms, 21, 5), c.light) << "the other half stays raised";

    MoveTo(ms, 21, 10);
    EXPECT_EQ(Pixel(ms, 1, 5), c.light) << "outside: raised";
    EXPECT_EQ(Pixel(ms, 18, 5), c.shadow);
    EXPECT_EQ(Pixel(ms, 8, 10), c.text);
    MoveTo(ms, 20, 10);
    EXPECT_EQ(Pixel(ms, 1, 5), c.shadow) << "back inside: sunken";
    Mouse(ms, WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(Pixel(ms, 1, 5), c.light) << "released: raised";
    EXPECT_EQ(Pixel(ms, 8, 10), c.text);
}

// Vertical 20 x 40: halves split by the row y = 20; the up arrow's corners
// are (10,8), (7,11), (13,11), the down arrow's (10,31), (7,28), (13,28).
TEST_F(MultiScrollTest, VerticalPictureAndItsSunkenSecondHalf)
{
    const Colours c;
    HWND ms = Create(MSS_VERT, 20, 40);
    EXPECT_TRUE(AreaIs(ms, RECT{0, 20, 20, 21}, c.text)) << "divider";
    EXPECT_TRUE(AreaIs(ms, RECT{10, 8, 11, 12}, c.text)) << "up arrow";
    EXPECT_TRUE(AreaIs(ms, RECT{10, 28, 11, 32}, c.text)) << "down arrow";
    EXPECT_EQ(Pixel(ms, 10, 7), c.face);
    EXPECT_EQ(Pixel(ms, 10, 32), c.face);
    EXPECT_EQ(Pixel(ms, 1, 30), c.light);
    EXPECT_EQ(Pixel(ms, 18, 30), c.shadow);
    EXPECT_EQ(Pixel(ms, 5, 38), c.shadow);

    Press(ms, 10, 30);
    EXPECT_EQ(Pixel(ms, 1, 30), c.shadow);
    EXPECT_EQ(Pixel(ms, 5, 21), c.shadow);
    EXPECT_EQ(Pixel(ms, 18, 30), c.face);
    EXPECT_EQ(Pixel(ms, 10, 28), c.face) << "the down arrow moved";
    EXPECT_TRUE(AreaIs(ms, RECT{11, 29, 12, 33}, c.text));
    EXPECT_EQ(Pixel(ms, 1, 5), c.light) << "the first half stays raised";
    Mouse(ms, WM_LBUTTONUP, 10, 30);
}

TEST_F(MultiScrollTest, ArrowsAreOutlinedOnlyAfterWmEnableFalse)
{
    const Colours c;
    HWND h = Create(WS_DISABLED, 40, 20);
    EXPECT_TRUE(AreaIs(h, RECT{8, 10, 12, 11}, c.text)) << "created disabled: still filled";
    EnableWindow(h, TRUE);
    EnableWindow(h, FALSE);  // WM_ENABLE(FALSE), repainted at once
    EXPECT_EQ(Pixel(h, 10, 10), c.face) << "no fill";
    EXPECT_EQ(Pixel(h, 8, 10), c.text);
    EXPECT_EQ(Pixel(h, 9, 9), c.text);
    EXPECT_EQ(Pixel(h, 9, 11), c.face) << "the lower left edge is not drawn";
    EXPECT_TRUE(AreaIs(h, RECT{11, 7, 12, 13}, c.light));
    EXPECT_TRUE(AreaIs(h, RECT{28, 7, 29, 13}, c.text));
    EXPECT_EQ(Pixel(h, 29, 10), c.face);
    EXPECT_EQ(Pixel(h, 31, 10), c.light);
    EXPECT_EQ(Pixel(h, 29, 12), c.light);
    EXPECT_EQ(Pixel(h, 30, 9), c.face);
    EXPECT_EQ(Pixel(h, 1, 5), c.light) << "bevels as before";
    EnableWindow(h, TRUE);
    EXPECT_TRUE(AreaIs(h, RECT{8, 10, 12, 11}, c.text)) << "filled again";

    HWND v = Create(MSS_VERT, 20, 40);
    SendMessageA(v, WM_ENABLE, FALSE, 0);
    EXPECT_EQ(Pixel(v, 10, 10), c.face);
    EXPECT_EQ(Pixel(v, 10, 8), c.text);
    EXPECT_EQ(Pixel(v, 9, 9), c.text);
    EXPECT_TRUE(AreaIs(v, RECT{7, 11, 13, 12}, c.light));
    EXPECT_TRUE(AreaIs(v, RECT{7, 28, 13, 29}, c.text));
    EXPECT_EQ(Pixel(v, 12, 29), c.light);
    EXPECT_EQ(Pixel(v, 10, 31), c.light) << "the down arrow's tip";
    EXPECT_EQ(Pixel(v, 10, 29), c.face);
}

TEST_F(MultiScrollTest, PrintClientDrawsTheSamePictureIntoTheGivenDC)
{
    HWND ms = Create(MSS_VERT, 20, 40);
    Press(ms, 10, 5);
    HDC screen = GetDC(ms);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 40);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT all{0, 0, 20, 40};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(ms, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    int differences = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            differences += GetPixel(mem, x, y) != GetPixel(screen, x, y);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(GetPixel(mem, 1, 5), GetSysColor(COLOR_BTNSHADOW)) << "the pressed first half";
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(ms, screen);
    Mouse(ms, WM_LBUTTONUP, 10, 5);
}

TEST(MultiScrollResources, CreatePaintDestroyLeavesNoObjectBehind)
{
    ParentWindow parent;
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    HWND h = parent.CreateChild(ZTC_MUSCROLL_CLASS, 0, 10, 10, 40, 20);
    HWND v = parent.CreateChild(ZTC_MUSCROLL_CLASS, MSS_VERT, 10, 40, 20, 40);
    Mouse(h, WM_LBUTTONDOWN, 30, 10);
    Mouse(h, WM_MOUSEMOVE, 5, 10);
    Mouse(h, WM_LBUTTONUP, 5, 10);
    SendMessageA(v, WM_ENABLE, FALSE, 0);
    InvalidateRect(h, nullptr, TRUE);
    PaintNow(h);
    DestroyWindow(h);
    DestroyWindow(v);
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
}
