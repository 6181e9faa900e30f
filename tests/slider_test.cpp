// Both sliders: worked numbers, notifications and the cursor during a drag,
// keys, invalidation, pixels at the groove's coordinates, degenerate sizes, a
// parent that destroys the slider and any number of tick marks.  (Clean-up
// and the setters' results: classes_test.cpp.)
#include "freewatch.h"
#include "surface.h"
#include "ztest.h"

#include <tuple>
#include <utility>

using namespace ztest;

namespace {

// B = 1.  Horizontal 100 x 30: groove x0 = 4 .. x1 = 95 (W = 91, mouse width
// 92) between yt = 11 and yb = 18; a thumb centred at xc covers
// (xc - 4, 3) - (xc + 5, 30).  Vertical 30 x 100, thumb size 8: groove
// ytop = 4 .. ybot = 95 (L = 91, mouse length 93) between xl = 11 and xr = 18;
// a thumb centred at yc covers (6, yc - 4) - (24, yc + 5).
class SliderTest : public ::testing::Test {
protected:
    static constexpr int Id = 100;
    void SetUp() override { ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1) << "the coordinates assume B = 1"; }
    // A painted slider `along` pixels long on its axis and `across` wide.
    void Make(bool v, DWORD style = 0, int along = 100, int across = 30)
    {
        DestroyWindow(s);
        vertical = v;
        s = parent.CreateChild(v ? ZTC_SLIDER_V_CLASS : ZTC_SLIDER_H_CLASS, style, 10, 10, v ? across : along,
                               v ? along : across, Id);
        ASSERT_NE(s, nullptr);
        PaintNow(s);
        parent.log().Clear();
    }
    LONG Send(UINT msg, LONG v = 0) { return static_cast<LONG>(SendMessageA(s, msg, static_cast<WPARAM>(v), 0)); }
    LONG Pos() { return Send(MBM_GETPOS); }
    void SetPos(LONG p) { Send(MBM_SETPOS, p); PaintNow(s); }
    // A mouse message at c along the slider's axis (15 across it).
    void At(UINT msg, int c) { vertical ? Mouse(s, msg, 15, c) : Mouse(s, msg, c, 15); }
    void Click(int c) { At(WM_LBUTTONDOWN, c); At(WM_LBUTTONUP, c); }
    std::vector<Msg> Notes() { return parent.log().Only({WM_COMMAND}); }
    Expect Note(int code) const { return Command(Id, code, s); }
    RECT Thumb(int c) const { return vertical ? RECT{6, c - 4, 24, c + 5} : RECT{c - 4, 3, c + 5, 30}; }
    // The thumb's outline crosses the axis 4 pixels either side of c (and not
    // 5), seen 8 pixels from the client's edge, clear of the groove.
    ::testing::AssertionResult ThumbAt(int c)
    {
        auto px = [&](int d) { return vertical ? Pixel(s, 8, c + d) : Pixel(s, c + d, 8); };
        return ::testing::AssertionResult(px(-4) == text && px(4) == text && px(-5) != text && px(5) != text)
               << "no thumb centred at " << c;
    }
    // The cursor's display count, its confinement and the slider's place on the screen.
    static int CursorCount() { ShowCursor(FALSE); return ShowCursor(TRUE); }
    static RECT ClipRect() { RECT rc{}; GetClipCursor(&rc); return rc; }
    RECT WindowRect() const { RECT rc{}; GetWindowRect(s, &rc); return rc; }

    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_BTNFACE),
                   shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    ParentWindow parent;
    HWND s = nullptr;
    bool vertical = false;
};

}  // namespace

// A press at c gives the value, whose thumb is drawn centred at `centre` (0:
// not looked at).  A mouse width or length of 0 or less gives 0; products are
// formed in 64 bits; a range below 1 is refused.  `t` is the vertical thumb
// size or the horizontal labels flag.
TEST_F(SliderTest, PressesGiveTheWorkedValuesWhateverTheSizes)
{
    const struct { bool v; int along, across; LONG range, t; int c; LONG value; int centre; } rows[] = {
        {false, 100, 30, 255, 0, 50, 128, 50},     {false, 100, 30, 255, 0, 96, 255, 95},
        {false, 100, 30, 255, 0, -300, 0, 4},      {true, 100, 30, 255, 8, 49, 121, 51},
        {true, 100, 30, 255, 8, 0, 255, 4},        {true, 100, 30, 255, 8, 93, 0, 95},
        {false, 100, 30, 0, 0, 50, 128, 50},       {false, 5, 5, 255, 1, 4, 0, 0},
        {false, 100, 30, INT_MAX, 0, 50, 1073741824, 50}, {true, 3, 3, 255, 8, 0, 0, 0},
        {true, 100, 30, INT_MAX, 8, 49, 1016013769, 51},  {true, 100, 30, 255, 101, 0, 255, 0},
        {true, 100, 30, 255, 102, 0, 0, 0},        {true, 100, 30, 255, INT_MAX, 0, 0, 0},
        {true, 100, 30, 255, INT_MIN, 0, 255, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << (r.v ? "vertical " : "horizontal ") << r.along << " x " << r.across
                                        << ", range " << r.range << ", t " << r.t << ", at " << r.c);
        Make(r.v, 0, r.along, r.across);
        Send(r.v ? SLM_SETTHUMBSIZE : MBM_SETLABELS, r.t);
        Send(MBM_SETRANGE, r.range);
        Send(MBM_SETTICKS, 3);
        SetPos(77);
        Click(r.c);
        PaintNow(s);
        EXPECT_EQ(Pos(), r.value);
        EXPECT_TRUE(!r.centre || ThumbAt(r.centre));
    }
}

TEST_F(SliderTest, PressDragAndReleaseNotifyAndHandleTheCursorOnlyWithTheStyles)
{
    const RECT screen = ClipRect();
    const int shown = CursorCount();
    for (bool v : {false, true})
        for (DWORD style : {SLS_NOTIFY | SLS_HIDECURSOR | SLS_CLIPCURSOR, 0}) {
            SCOPED_TRACE(testing::Message() << (v ? "vertical" : "horizontal") << ", style " << style);
            Make(v, style);
            Send(MBM_SETPOS, 77);  // never reported
            At(WM_MOUSEMOVE, 60);  // no drag: ignored
            At(WM_LBUTTONDOWN, v ? 49 : 50);
            EXPECT_EQ(GetCapture(), s);
            EXPECT_EQ(ClipRect(), style ? WindowRect() : screen);
            EXPECT_EQ(CursorCount(), style ? shown - 1 : shown);
            At(WM_MOUSEMOVE, -500);
            EXPECT_EQ(Pos(), v ? 255 : 0);
            At(WM_MOUSEMOVE, 900);
            EXPECT_EQ(Pos(), v ? 0 : 255);
            At(WM_LBUTTONUP, 30);  // leaves the value (the click below would report a change)
            EXPECT_EQ(GetCapture(), nullptr);
            EXPECT_EQ(ClipRect(), screen);
            EXPECT_EQ(CursorCount(), shown);
            At(WM_LBUTTONUP, 30);   // no drag: ignored
            Click(v ? 100 : 900);  // at the current value: only the drag is reported
            const auto notes = Notes();
            EXPECT_TRUE(style ? SequenceIs(notes, {Note(SLN_POSCHANGED), Note(SLN_BEGINDRAG), Note(SLN_POSCHANGED),
                                                   Note(SLN_POSCHANGED), Note(SLN_ENDDRAG), Note(SLN_BEGINDRAG),
                                                   Note(SLN_ENDDRAG)})
                              : SequenceIs(notes, {}));
        }
}

TEST_F(SliderTest, KeysMoveByEachSlidersTable)
{
    // Range 40000 shows the limit 32767; every change and only a change is reported.
    const auto keys = [&](bool v, std::initializer_list<std::pair<WPARAM, LONG>> table) {
        Make(v, SLS_NOTIFY);
        Send(MBM_SETRANGE, 40000);
        LONG before = 0;
        for (auto [key, value] : table) {
            EXPECT_EQ(SendMessageA(s, WM_KEYDOWN, key, 0), 0);
            EXPECT_EQ(Pos(), value) << "key " << key << (v ? ", vertical" : ", horizontal");
            const auto notes = Notes();
            parent.log().Clear();
            EXPECT_TRUE(value != before ? SequenceIs(notes, {Note(SLN_POSCHANGED)}) : SequenceIs(notes, {}))
                << "key " << key;
            before = value;
        }
    };
    keys(false, {{VK_SPACE, 20000}, {VK_PRIOR, 25000}, {VK_NEXT, 20000}, {VK_END, 32767}, {VK_RIGHT, 32767},
                 {VK_LEFT, 32766}, {VK_HOME, 0}, {VK_LEFT, 0}, {VK_RIGHT, 1}, {VK_UP, 1}, {VK_DOWN, 1}});
    keys(true, {{VK_SPACE, 20000}, {VK_PRIOR, 25000}, {VK_NEXT, 20000}, {VK_HOME, 32767}, {VK_UP, 32767},
                {VK_DOWN, 32766}, {VK_END, 0}, {VK_DOWN, 0}, {VK_UP, 1}, {VK_LEFT, 1}, {VK_RIGHT, 1}});
}

TEST_F(SliderTest, ValueChangesRepaintBothThumbPlacesAndFocusTheWholeControl)
{
    for (bool v : {false, true}) {
        SCOPED_TRACE(v ? "vertical" : "horizontal");
        Make(v);
        const int c0 = v ? 95 : 4;
        Send(MBM_SETPOS, 128);
        EXPECT_TRUE(UpdateRegionIs(s, {Thumb(c0), Thumb(v ? 49 : 50)}));
        EXPECT_TRUE(PaintErases(s)) << "the old place is erased";
        EXPECT_TRUE(ThumbAt(v ? 49 : 50)) << "value 128: 4 + ceil(128 * 91 / 255), or 95 less it";
        Send(MBM_SETPOS, 128);
        EXPECT_TRUE(UpdateRegionIs(s, {})) << "a repeated value repaints nothing";
        // With the old thumb far outside the client only the new place is left.
        SetPos(255);
        Send(MBM_SETRANGE, 1);
        PaintNow(s);
        Send(MBM_SETPOS, 0);
        EXPECT_TRUE(UpdateRegionIs(s, {Thumb(c0)}));
        EXPECT_FALSE(PaintErases(s)) << "the new place is not erased";
        for (HWND focus : {s, parent.hwnd()}) {
            SetFocus(focus);
            EXPECT_TRUE(UpdateRegionIs(s, {v ? RECT{0, 0, 30, 100} : RECT{0, 0, 100, 30}}));
            EXPECT_FALSE(PaintErases(s));
            EXPECT_TRUE(AreaIs(s, v ? RECT{8, 94, 22, 97} : RECT{3, 5, 6, 25}, focus == s ? text : face))
                << "the thumb's fill shows the focus";
        }
    }
    EXPECT_EQ(Send(WM_USER + 5, 1), 0) << "not the vertical slider's messages";
    EXPECT_EQ(Send(WM_USER + 8), 0);
    EXPECT_TRUE(UpdateRegionIs(s, {}));
}

TEST_F(SliderTest, PaintingFollowsTheGeometry)
{
    Make(false, SLS_BORDER);
    SetPos(128);  // thumb body x 46 .. 54, y 3 .. 26
    EXPECT_TRUE(DotsAre(s, {{4, 11, text}, {94, 11, text}, {95, 18, text}, {5, 15, shadow}, {96, 19, light},
                      {0, 0, shadow}, {50, 0, shadow}, {0, 29, shadow}, {99, 15, light}, {50, 29, light}}))
        << "groove outline, shadow inside, highlight outside; sunken frame";
    EXPECT_TRUE(AreaIs(s, RECT{49, 5, 52, 25}, face)) << "the fill covers the groove";
    Send(MBM_SETLABELS, 1);  // the groove shrinks to x 10 .. 89
    SetPos(255);
    EXPECT_TRUE(ThumbAt(89)) << "labels move the thumb inward";

    Make(true, SLS_BORDER);
    SetPos(128);  // thumb body x 6 .. 23, y 45 .. 53
    EXPECT_TRUE(DotsAre(s, {{11, 4, text}, {11, 94, text}, {18, 95, text}, {15, 5, shadow}, {12, 94, shadow},
                      {19, 96, light}, {0, 50, face}}))
        << "groove outline, shadow inside, highlight outside; no frame";
    EXPECT_TRUE(AreaIs(s, RECT{8, 48, 22, 51}, face)) << "the fill covers the groove";
}

TEST_F(SliderTest, TickMarksNeedTwoMarksAndAMarginOfFive)
{
    // The marks at the groove's ends (4 and 95), each a shadow line 4 pixels from
    // the edge with a highlight line beside it.  A margin of 5 needs 17 pixels across.
    const struct { bool v; int across; LONG ticks; bool drawn; } rows[] = {
        {false, 30, 5, true}, {false, 30, 1, false}, {false, 17, 2, true}, {false, 16, 2, false},
        {true, 30, 3, true},  {true, 30, 1, false},  {true, 17, 2, true},  {true, 16, 2, false}};
    for (const auto& r : rows) {
        Make(r.v, 0, 100, r.across);
        Send(MBM_SETTICKS, r.ticks);
        SetPos(128);
        const auto mark = [&](int c) {
            return bool(DotsAre(s, r.v ? std::vector<Dot>{{4, c, shadow}, {4, c + 1, light}}
                                       : std::vector<Dot>{{c, 4, shadow}, {c + 1, 4, light}}));
        };
        EXPECT_TRUE(mark(4) == r.drawn && mark(95) == r.drawn)
            << (r.v ? "vertical, " : "horizontal, ") << r.across << " across, " << r.ticks << " marks";
    }
}

// A parent that destroys the slider when it hears of the new value: the
// press stops there, touching neither the freed state nor the capture and
// the cursor.
TEST_F(SliderTest, DestroyedByTheParentOnANotificationThePressGoesNoFurther)
{
    const RECT screen = ClipRect();
    const int shown = CursorCount();
    FreeWatch freed(Library());
    ASSERT_GT(freed.Patched(), 0);
    parent.When(WM_COMMAND, [&](const Msg& m) {
        if (HIWORD(m.wParam) == SLN_POSCHANGED)
            DestroyWindow(s);
    });
    for (bool v : {false, true}) {
        SCOPED_TRACE(v ? "vertical" : "horizontal");
        Make(v, SLS_NOTIFY | SLS_HIDECURSOR | SLS_CLIPCURSOR);
        Mouse(s, WM_LBUTTONDOWN, 20, 10);
        EXPECT_FALSE(IsWindow(s));
        EXPECT_TRUE(SequenceIs(Notes(), {Note(SLN_POSCHANGED)}));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(ClipRect(), screen);
        EXPECT_EQ(CursorCount(), shown);
    }
    EXPECT_EQ(freed.Freed(), 2);
    EXPECT_EQ(freed.Written(), "nothing") << "written after it was freed";
}

// However many marks are asked for, each pixel along the groove gets at most
// one, so a huge count paints at once what one mark per pixel (W + 1 = 92)
// paints.
TEST_F(SliderTest, AnyTickCountPaintsLikeOneMarkPerPixel)
{
    Watchdog guard(60000, "painting a slider with 2^31 - 1 tick marks");
    for (bool v : {false, true}) {
        Make(v);
        SetPos(128);
        Surface every(100, 100), huge(100, 100);
        for (auto [ticks, surface] : {std::pair{92, &every}, std::pair{INT_MAX, &huge}}) {
            Send(MBM_SETTICKS, ticks);
            surface->Fill(face);
            SendMessageA(s, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface->dc()), PRF_CLIENT);
        }
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(every.At(x, y), huge.At(x, y)) << (v ? "vertical " : "horizontal ") << x << ", " << y;
        EXPECT_EQ(every.At(v ? 4 : 50, v ? 50 : 4), light) << "highlight beside every mark's shadow";
    }
    // A huge thumb makes the groove 2^30 pixels long, a mark on each: only
    // the marks in view are drawn.
    Send(SLM_SETTHUMBSIZE, 1 << 30);
    Surface huge(100, 100);
    SendMessageA(s, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(huge.dc()), PRF_CLIENT);
    EXPECT_EQ(huge.At(4, 50), light);
}
