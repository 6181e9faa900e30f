// Multi-scroll control: creation from the window text, steps and their
// reports, auto-repeat, the control messages, a target that destroys the
// control and the picture by pixels.  A horizontal control is 40 x 20 (halves split by the column
// x = 20, which belongs to the first half), a vertical one 20 x 40.
#include "freewatch.h"
#include "ztest.h"

using namespace ztest;

namespace {

constexpr int kId = 100;

class MultiScrollTest : public ::testing::Test {
protected:
    static LRESULT Send(HWND ms, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(ms, m, w, l); }
    static LRESULT Word(HWND hwnd) { return LOWORD(reinterpret_cast<UINT_PTR>(hwnd)); }
    static LPARAM Bounds(int lo, int hi) { return MAKELPARAM(static_cast<WORD>(lo), static_cast<WORD>(hi)); }
    static Expect Scroll(UINT m, int code, int v, HWND ms) { return {m, MAKEWPARAM(code, WORD(v)), LPARAM(ms)}; }
    static std::vector<Msg> Reports(ParentWindow& w) { return w.log().Only({WM_HSCROLL, WM_VSCROLL, WM_COMMAND}); }
    HWND Create(DWORD style, const char* text = nullptr)
    {
        const bool vert = style & MSS_VERT;
        return parent.CreateChild(ZTC_MUSCROLL_CLASS, style, 20, 20, vert ? 20 : 40, vert ? 40 : 20, kId, text);
    }
    // The real cursor goes to the point too, so that mouse moves the system
    // generates agree with the messages sent.
    static void MoveTo(HWND ms, int x, int y, UINT msg = WM_MOUSEMOVE)
    {
        POINT pt{x, y};
        ClientToScreen(ms, &pt);
        SetCursorPos(pt.x, pt.y);
        Mouse(ms, msg, x, y, MK_LBUTTON);
    }
    static void Click(HWND ms, int x, int y) { MoveTo(ms, x, y, WM_LBUTTONDOWN), Mouse(ms, WM_LBUTTONUP, x, y); }
    int Steps() { return parent.log().Count(WM_HSCROLL) + parent.log().Count(WM_VSCROLL); }
    int StepsAfter(DWORD ms) { PumpFor(ms); return Steps(); }
    // Pumps until `n` steps have come, for at most five seconds: a busy
    // machine may delay a timer but never brings one early.
    int StepsReach(int n)
    {
        for (DWORD start = GetTickCount(); Steps() < n && GetTickCount() - start < 5000;)
            PumpFor(10);
        return Steps();
    }

    MessageLog both;  // of windows that log here too: declared first, it outlives them
    ParentWindow parent;
};

}  // namespace

TEST_F(MultiScrollTest, DefaultsAndWindowTextThatParses)
{
    // Without MSS_TEXTINIT the text is ignored.
    const struct { DWORD style; const char* text; int minimum, maximum, value; } cases[] = {
        {MSS_TEXTINIT, nullptr, 0, 9, 5}, {MSS_TEXTINIT, "2,8,3", 2, 8, 3}, {MSS_TEXTINIT, "2,9,30", 2, 9, 5},
        {MSS_TEXTINIT, "2,8", 0, 9, 5},   {MSS_TEXTINIT, "2,8,x", 0, 9, 5}, {MSS_TEXTINIT, ",8,3", 0, 8, 3},
        {MSS_TEXTINIT, "8,2,5", 0, 9, 5}, {0, "2,8,3", 0, 9, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.text ? c.text : "(null)") << ", style " << c.style);
        HWND ms = Create(c.style, c.text);
        EXPECT_EQ(Send(ms, MSM_GETRANGE), MAKELONG(c.minimum, c.maximum));
        EXPECT_EQ(Send(ms, MSM_GETVALUE), c.value);
        DestroyWindow(ms);
    }
    EXPECT_TRUE(Reports(parent).empty()) << "creation reports nothing";
}

TEST_F(MultiScrollTest, EachPressStepsOnceBlockedAtTheBoundsReversedByStyle)
{
    // value -1: nothing reported.
    const struct { DWORD style; int start, x, y, code, value; } cases[] = {
        {0, 5, 20, 10, SB_LINELEFT, 4},         {0, 5, 21, 10, SB_LINERIGHT, 6},
        {MSS_VERT, 5, 10, 20, SB_LINEUP, 4},    {MSS_VERT, 5, 10, 21, SB_LINEDOWN, 6},
        {0, 9, 30, 10, SB_LINERIGHT, 9},        {0, 0, 5, 10, SB_LINELEFT, 0},
        {MSS_NOLIMITNOTIFY, 9, 30, 10, 0, -1},  {MSS_NOLIMITNOTIFY, 9, 5, 10, SB_LINELEFT, 8},
        {MSS_REVERSE, 5, 5, 10, SB_LINELEFT, 6}, {MSS_VERT | MSS_REVERSE, 5, 10, 30, SB_LINEDOWN, 4},
        {MSS_REVERSE | MSS_NOLIMITNOTIFY, 0, 30, 10, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.style << ", " << c.start << " at " << c.x << "," << c.y);
        HWND ms = Create(c.style);
        Send(ms, MSM_SETVALUE, c.start);
        parent.log().Clear();
        Click(ms, c.x, c.y);
        const UINT msg = (c.style & MSS_VERT) ? WM_VSCROLL : WM_HSCROLL;
        if (c.value < 0)
            EXPECT_TRUE(Reports(parent).empty()) << Describe(Reports(parent));
        else
            EXPECT_TRUE(SequenceIs(Reports(parent), {Scroll(msg, c.code, c.value, ms)}));
        DestroyWindow(ms);
    }
}

TEST_F(MultiScrollTest, HoldingRepeatsAfterTheDelayAndPausesOutsideTheHalf)
{
    HWND ms = Create(0);  // a step blocked at the maximum still reports
    MoveTo(ms, 30, 10, WM_LBUTTONDOWN);
    EXPECT_EQ(Steps(), 1) << "one step at the press";
    EXPECT_EQ(StepsAfter(300), 1) << "nothing before the delay";
    const int afterDelay = StepsReach(2);
    EXPECT_GE(afterDelay, 2) << "the delay has passed";
    const DWORD start = GetTickCount();
    const int repeated = StepsReach(afterDelay + 4) - afterDelay;
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(repeated, 4) << "holding repeats";
    EXPECT_LE(repeated, static_cast<int>(elapsed / 50) + 2) << repeated << " steps in " << elapsed << " ms";
    MoveTo(ms, 5, 10);
    const int paused = Steps();
    EXPECT_EQ(StepsAfter(300), paused) << "no steps outside the half";
    MoveTo(ms, 30, 10);
    EXPECT_GE(StepsReach(paused + 2), paused + 2) << "steps resume inside";
    Mouse(ms, WM_LBUTTONUP, 30, 10);
}

TEST_F(MultiScrollTest, SetRangeAndSetValueAnswerTheOldStateAndReport)
{
    HWND ms = Create(MSS_VERT);
    EXPECT_EQ(Send(ms, MSM_SETRANGE, 0, Bounds(10, 10)), -1);
    EXPECT_EQ(Send(ms, MSM_SETRANGE, 0, Bounds(0, 20)), MAKELONG(0, 9));
    EXPECT_EQ(Send(ms, MSM_SETRANGE, 0, Bounds(-5, 5)), MAKELONG(0, 20)) << "5 on the new bound: centred to 0";
    EXPECT_EQ(Send(ms, MSM_SETVALUE, static_cast<WPARAM>(-3)), 0);
    EXPECT_EQ(Send(ms, MSM_GETVALUE), 65533);
    EXPECT_EQ(Send(ms, MSM_SETVALUE, 6), -1);
    EXPECT_EQ(Send(ms, MSM_SETVALUE, 5), 65533);
    EXPECT_TRUE(SequenceIs(Reports(parent), {Command(kId, MSN_RANGECHANGING, ms), Command(kId, MSN_RANGECHANGING, ms),
                                             Scroll(WM_VSCROLL, SB_THUMBTRACK, 0, ms),
                                             Scroll(WM_VSCROLL, SB_THUMBTRACK, -3, ms),
                                             Scroll(WM_VSCROLL, SB_THUMBTRACK, 5, ms)}));
}

// One log of both windows: the old target hears it is detached before the
// new one hears it is attached.
TEST_F(MultiScrollTest, SetTargetTellsBothWindowsInOrderAndRedirectsTheReports)
{
    HWND ms = Create(0);
    ParentWindow other(200, 100);
    parent.AlsoLogTo(both);
    other.AlsoLogTo(both);
    EXPECT_EQ(Send(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(other.hwnd())), Word(parent.hwnd()));
    EXPECT_EQ(Send(ms, MSM_SETTARGET, 0), -1);
    MoveTo(ms, 30, 10, WM_LBUTTONDBLCLK);  // a fast second click steps as a press does
    Mouse(ms, WM_LBUTTONUP, 30, 10);
    EXPECT_TRUE(SequenceIs(both.Only({WM_HSCROLL, WM_COMMAND}),
                           {Command(kId, MSN_DETACHED, ms).To(parent.hwnd()).Sent(),
                            Command(kId, MSN_ATTACHED, ms).To(other.hwnd()).Sent(),
                            Scroll(WM_HSCROLL, SB_LINERIGHT, 6, ms).To(other.hwnd())}));
    EXPECT_EQ(Send(ms, MSM_GETTARGET), Word(other.hwnd()));
}

// A receiver that destroys the control when told of a change: the change is
// abandoned (-1, as for a refusal), the freed state is left alone and
// nothing more is sent.
TEST_F(MultiScrollTest, DestroyedByTheTargetOnANotificationTheSetterGoesNoFurther)
{
    ParentWindow other(200, 100);
    FreeWatch freed(Library());
    ASSERT_GT(freed.Patched(), 0);
    HWND ms = nullptr;
    parent.When(WM_COMMAND, [&](const Msg& m) {
        if (HIWORD(m.wParam) == MSN_RANGECHANGING || HIWORD(m.wParam) == MSN_DETACHED)
            DestroyWindow(ms);
    });
    ms = Create(0);
    EXPECT_EQ(Send(ms, MSM_SETRANGE, 0, Bounds(0, 5)), -1) << "the value 5 would be re-centred and reported";
    EXPECT_FALSE(IsWindow(ms));
    EXPECT_TRUE(SequenceIs(Reports(parent), {Command(kId, MSN_RANGECHANGING, ms)}));
    parent.log().Clear();
    ms = Create(0);
    EXPECT_EQ(Send(ms, MSM_SETTARGET, reinterpret_cast<WPARAM>(other.hwnd())), -1);
    EXPECT_FALSE(IsWindow(ms));
    EXPECT_TRUE(SequenceIs(Reports(parent), {Command(kId, MSN_DETACHED, ms)}));
    EXPECT_TRUE(Reports(other).empty()) << "attached to a destroyed control:" << Describe(Reports(other));
    EXPECT_EQ(freed.Freed(), 2);
    EXPECT_EQ(freed.Written(), "nothing") << "written after it was freed";
}

TEST_F(MultiScrollTest, PressedHalfSinksAndArrowsAreOutlinedOnlyAfterWmEnableFalse)
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_BTNFACE),
                   shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    HWND ms = Create(WS_DISABLED);  // left arrow (8,10) (11,13) (11,7)
    EXPECT_TRUE(AreaIs(ms, RECT{8, 10, 12, 11}, text)) << "created disabled: still filled";
    EnableWindow(ms, TRUE);
    EnableWindow(ms, FALSE);
    EXPECT_EQ(Pixel(ms, 10, 10), face) << "outline: no fill";
    EXPECT_EQ(Pixel(ms, 11, 10), light) << "the light edge";
    EnableWindow(ms, TRUE);
    EXPECT_EQ(Pixel(ms, 10, 10), text) << "filled again";
    MoveTo(ms, 5, 10, WM_LBUTTONDOWN);
    EXPECT_EQ(Pixel(ms, 1, 5), shadow) << "sunken while pressed";
    EXPECT_TRUE(AreaIs(ms, RECT{9, 11, 13, 12}, text)) << "the arrow moved one pixel right and down";
    Mouse(ms, WM_LBUTTONUP, 5, 10);
}
