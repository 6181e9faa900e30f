// VU meter: the frame and segments by pixels, invalidation and defaults.
#include "ztest.h"

#include <utility>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0), kRed = RGB(255, 0, 0);

// A meter 102 x 20: the span S = W - 2 = 100 scale pixels, so 256 units are
// 100 pixels and every zone edge is truncated (192 -> 75, 48 -> 18, 16 -> 6).
class VUMeterTest : public ::testing::Test {
protected:
    static constexpr int W = 102, H = 20;
    void SetUp() override { ASSERT_NE(meter = parent.CreateChild(ZTC_VU_H_CLASS, 0, 10, 10, W, H), nullptr); }
    ParentWindow parent;
    HWND meter = nullptr;
};

}  // namespace

// Zones (green, yellow, red) and a level, and the runs of colour that fill
// rows 2 .. H - 3 from x = 2, each up to the next, the last up to W - 2.
// The sunken frame stays: the text colour in column 0, row H - 2, column
// W - 2 and row 0, the shadow inside along the left and the top, the
// highlight outside right and bottom.
TEST_F(VUMeterTest, SegmentsFollowTheLevelAndTheZonesWithEachLengthTruncated)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_WINDOWTEXT),
                   shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const std::vector<std::pair<int, COLORREF>> full = {{2, kGreen}, {75, kYellow}, {93, kRed}, {99, face}};
    const struct { LONG green, yellow, red, level; std::vector<std::pair<int, COLORREF>> runs; } rows[] = {
        {192, 48, 16, 0, {{2, face}}},                             // the defaults, no segment
        {192, 48, 16, 100, {{2, kGreen}, {39, face}}},             // 100 * 100 / 256 = 39
        {192, 48, 16, 200, {{2, kGreen}, {75, kYellow}, {78, face}}},  // 8 units of yellow: 3 pixels
        {192, 48, 16, 256, full},     // 75, + 18 = 93, + 6 = 99: truncation loses pixel 99
        {192, 48, 16, 100000, full},  // the excess is not shown
        {192, 48, 16, -5, {{2, face}}},
        {64, 64, 128, 160, {{2, kGreen}, {25, kYellow}, {50, kRed}, {62, face}}},  // 64, 64, 32 units
        {0, 0, 0, 200, {{2, face}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "zones " << r.green << ", " << r.yellow << ", " << r.red << ", level "
                                        << r.level);
        SendMessageA(meter, VUM_SETGREEN, r.green, 0);
        SendMessageA(meter, VUM_SETYELLOW, r.yellow, 0);
        SendMessageA(meter, VUM_SETRED, r.red, 0);
        SendMessageA(meter, VUM_SETLEVEL, static_cast<WPARAM>(r.level), 0);
        PaintNow(meter);
        std::vector<Span> spans;
        for (size_t i = 0; i < r.runs.size(); ++i) {
            const int to = i + 1 < r.runs.size() ? r.runs[i + 1].first : W - 2;
            spans.push_back(Span{r.runs[i].first, 2, to - r.runs[i].first, H - 4, r.runs[i].second});
        }
        EXPECT_TRUE(SpansAre(meter, spans));
        EXPECT_TRUE(DotsAre(meter, {{0, 5, text}, {5, 0, text}, {W - 2, 5, text}, {5, H - 2, text}, {1, 5, shadow},
                                    {5, 1, shadow}, {5, H - 1, light}, {W - 1, 5, light}}));
    }
}

// A new level repaints the inside, a zone everything, both with erasing and
// only on a change; even-numbered user messages are not the meter's.
TEST_F(VUMeterTest, ChangesRepaintWhatTheyAffectWithErasing)
{
    const RECT inner{2, 2, W - 2, H - 2}, all{0, 0, W, H}, none{};
    const struct { UINT msg; WPARAM value; RECT repaint; } rows[] = {
        {VUM_SETLEVEL, 50, inner},   {VUM_SETLEVEL, 50, none},   {VUM_SETRED, 16, none},
        {VUM_SETYELLOW, 48, none},   {VUM_SETGREEN, 192, none},  {VUM_SETYELLOW, 40, all},
        {WM_USER + 2, 300, none},    {WM_USER + 4, 300, none},   {WM_USER + 6, 300, none},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "message " << r.msg << ", " << r.value);
        EXPECT_EQ(SendMessageA(meter, r.msg, r.value, 0), 0);
        if (IsRectEmpty(&r.repaint)) {
            EXPECT_TRUE(UpdateRegionIs(meter, {}));
        } else {
            EXPECT_TRUE(UpdateRegionIs(meter, {r.repaint}));
            EXPECT_TRUE(PaintErases(meter));
        }
    }
}
