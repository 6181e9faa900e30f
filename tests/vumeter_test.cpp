// VU meter: the frame and segments by pixels, invalidation and defaults.
#include "ztest.h"

using namespace ztest;

namespace {

const COLORREF kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0), kRed = RGB(255, 0, 0);

// A meter 102 x 20: the span S = W - 2 = 100 scale pixels, so 256 units are
// 100 pixels and every zone edge is truncated (192 -> 75, 48 -> 18, 16 -> 6).
class VUMeterTest : public ::testing::Test {
protected:
    static constexpr int W = 102, H = 20;
    void SetUp() override
    {
        meter = parent.CreateChild(ZTC_VU_H_CLASS, 0, 10, 10, W, H);
        ASSERT_NE(meter, nullptr);
    }
    void SetLevel(LONG level)
    {
        SendMessageA(meter, VUM_SETLEVEL, static_cast<WPARAM>(level), 0);
        PaintNow(meter);
    }
    COLORREF Face() const { return GetSysColor(COLOR_BTNFACE); }
    // Along the middle row, [from, to) has the colour.
    ::testing::AssertionResult Run(int from, int to, COLORREF c) { return AreaIs(meter, RECT{from, 5, to, 6}, c); }

    ParentWindow parent;
    HWND meter = nullptr;
};

}  // namespace

TEST_F(VUMeterTest, NewMeterShowsTheSunkenFrameAndNoSegment)
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // Frame: column 0 and row H-2 and column W-2 and row 0 in the text colour;
    // inner shadow along the left and the top, outer highlight right and bottom.
    EXPECT_TRUE(DotsAre(meter, {{0, 5, text}, {5, 0, text}, {W - 2, 5, text}, {5, H - 2, text}, {1, 5, shadow},
                                {5, 1, shadow}, {5, H - 1, light}, {W - 1, 5, light}}));
    EXPECT_TRUE(Run(2, W - 2, Face()));
}

TEST_F(VUMeterTest, SegmentsFollowTheLevelWithEachLengthTruncated)
{
    SetLevel(100);  // green only: 100 * 100 / 256 = 39
    EXPECT_TRUE(Run(2, 39, kGreen));
    EXPECT_TRUE(Run(39, W - 2, Face()));

    SetLevel(200);  // green to 75, then yellow for 8 units = 3 pixels
    EXPECT_TRUE(Run(2, 75, kGreen));
    EXPECT_TRUE(Run(75, 78, kYellow));
    EXPECT_TRUE(Run(78, W - 2, Face()));

    SetLevel(256);  // all three: 75, +18 = 93, +6 = 99; truncation loses pixel 99
    EXPECT_TRUE(Run(2, 75, kGreen));
    EXPECT_TRUE(Run(75, 93, kYellow));
    EXPECT_TRUE(Run(93, 99, kRed));
    EXPECT_EQ(Pixel(meter, 99, 5), Face());
    EXPECT_TRUE(AreaIs(meter, RECT{2, 2, 75, H - 2}, kGreen)) << "segments cover rows 2 .. H-3";
    EXPECT_EQ(Pixel(meter, 40, 1), GetSysColor(COLOR_BTNSHADOW)) << "the frame is not painted over";

    SetLevel(100000);  // the excess is not shown
    EXPECT_TRUE(Run(93, 99, kRed));
    EXPECT_EQ(Pixel(meter, 99, 5), Face());

    SetLevel(-5);
    EXPECT_TRUE(Run(2, W - 2, Face()));
}

TEST_F(VUMeterTest, ZonesAreLaidGreenYellowRedWhateverTheirSizes)
{
    SendMessageA(meter, VUM_SETGREEN, 64, 0);   // 25 pixels
    SendMessageA(meter, VUM_SETYELLOW, 64, 0);  // 25 more
    SendMessageA(meter, VUM_SETRED, 128, 0);    // 50 more
    SetLevel(160);                              // 64 green, 64 yellow, 32 red = 12 pixels
    EXPECT_TRUE(Run(2, 25, kGreen));
    EXPECT_TRUE(Run(25, 50, kYellow));
    EXPECT_TRUE(Run(50, 62, kRed));
    EXPECT_TRUE(Run(62, W - 2, Face()));

    SendMessageA(meter, VUM_SETGREEN, 0, 0);
    SendMessageA(meter, VUM_SETYELLOW, 0, 0);
    SendMessageA(meter, VUM_SETRED, 0, 0);
    SetLevel(200);
    EXPECT_TRUE(Run(2, W - 2, Face())) << "all zones 0: only the frame";
}

TEST_F(VUMeterTest, LevelInvalidatesOnlyTheInnerRectangleWithErasing)
{
    SendMessageA(meter, VUM_SETLEVEL, 50, 0);
    EXPECT_TRUE(UpdateRegionIs(meter, {RECT{2, 2, W - 2, H - 2}}));
    EXPECT_TRUE(PaintErases(meter));

    SendMessageA(meter, VUM_SETLEVEL, 50, 0);
    EXPECT_TRUE(UpdateRegionIs(meter, {})) << "an unchanged level repaints nothing";
}

TEST_F(VUMeterTest, ZoneChangeInvalidatesEverythingOnlyWhenItChanges)
{
    SendMessageA(meter, VUM_SETRED, 16, 0);
    SendMessageA(meter, VUM_SETYELLOW, 48, 0);
    SendMessageA(meter, VUM_SETGREEN, 192, 0);
    EXPECT_TRUE(UpdateRegionIs(meter, {})) << "the defaults are 192, 48, 16";

    SendMessageA(meter, VUM_SETYELLOW, 40, 0);
    EXPECT_TRUE(UpdateRegionIs(meter, {RECT{0, 0, W, H}}));
    EXPECT_TRUE(PaintErases(meter));
}

TEST_F(VUMeterTest, EvenNumberedUserMessagesAreNotHandled)
{
    for (UINT msg : {WM_USER + 2, WM_USER + 4, WM_USER + 6}) {
        EXPECT_EQ(SendMessageA(meter, msg, 300, 0), 0);
        EXPECT_TRUE(UpdateRegionIs(meter, {}));
    }
    EXPECT_TRUE(Run(2, W - 2, Face()));
}
