// Tool-button drawing read back from 24-bit memory surfaces: the frame's rows
// and columns, the checked and greyed looks, glyph placement and cutting,
// refused draws, recolouring, the caller's DC left as found, and clean-up.
#include "gdicount.h"
#include "surface.h"
#include "ztest.h"

using namespace ztest;

namespace {

const COLORREF kMark = RGB(255, 0, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const COLORREF kStandard[4] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};
// Button colours that match no glyph colour, so every piece can be told apart.
const COLORREF kOutline = RGB(10, 20, 30), kText = RGB(0, 0, 90), kShadow = RGB(90, 60, 30),
               kFace = RGB(200, 180, 160), kHigh = RGB(250, 240, 200);

// A 32-bit device bitmap one pixel high holding these pixels.
HBITMAP Strip(std::vector<COLORREF> pixels)
{
    for (COLORREF& c : pixels)
        c = RGB(GetBValue(c), GetGValue(c), GetRValue(c));  // 0x00RRGGBB
    return CreateBitmap(static_cast<int>(pixels.size()), 1, 1, 32, pixels.data());
}

// Every test draws with the button colours above (restored afterwards).
class ToolBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int ids[] = {COLOR_WINDOWFRAME, COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
        const COLORREF look[] = {kOutline, kText, kShadow, kFace, kHigh};
        for (int i = 0; i < 5; ++i)
            colours.Set(ids[i], look[i]);
    }
    SysColours colours;
};

}  // namespace

// A 24 x 22 button at (4, 2), in each look with a black 2 x 1 glyph (placed
// at (11, 10), or (12, 11) when down) or none.  The outline leaves the corner
// pixels alone; the checkerboard has the face where x + y is even.  State 24
// (TDD_NOGLYPH | TDD_CHECKED) dithers the interior minus 1 (over the up frame's shadow), 26 stops 3 short,
// 11 reaches the outline.  Every draw leaves the caller's DC as it was, and
// no GDI object of the library stays behind.
TEST_F(ToolBtnTest, LooksOfA24By22Button)
{
    const std::vector<Span> outline = {{0, 0, 1, 1, kMark},    {23, 0, 1, 1, kMark},    {0, 21, 1, 1, kMark},
                                       {23, 21, 1, 1, kMark},  {1, 0, 22, 1, kOutline}, {1, 21, 22, 1, kOutline},
                                       {0, 1, 1, 20, kOutline}, {23, 1, 1, 20, kOutline}};
    const struct { WORD state; std::vector<Span> spans; } looks[] = {
        {TDD_NOGLYPH, {{1, 1, 21, 1, kHigh}, {1, 1, 1, 19, kHigh}, {22, 1, 1, 20, kShadow}, {1, 20, 22, 1, kShadow},
                       {21, 2, 1, 18, kShadow}, {2, 19, 20, 1, kShadow}, {2, 2, 19, 17, kFace}}},
        {TDD_NOGLYPH | TDD_DOWN, {{1, 1, 22, 1, kShadow}, {1, 1, 1, 20, kShadow}, {2, 2, 21, 19, kFace}}},
        {24, {{2, 2, 1, 1, kFace}, {12, 11, 1, 1, kHigh}, {21, 20, 1, 1, kHigh}, {22, 20, 1, 1, kFace}}},
        {26, {{2, 2, 1, 1, kFace}, {20, 18, 1, 1, kFace}, {21, 2, 1, 18, kShadow}, {2, 19, 20, 1, kShadow}}},
        {11, {{12, 11, 2, 1, kText}, {11, 11, 1, 1, kFace}, {21, 20, 1, 1, kHigh}, {22, 19, 1, 1, kHigh}}},
        {TDD_GRAYED, {{11, 10, 2, 1, kShadow}, {12, 11, 2, 1, kHigh}, {11, 11, 1, 1, kFace}}},
        {13, {{12, 11, 2, 1, kShadow}, {13, 12, 2, 1, kHigh}, {12, 12, 1, 1, kFace}, {21, 20, 1, 1, kHigh}}},
    };
    HBITMAP bar = Strip({kStandard[0], kStandard[0]});
    Surface s(30, 26);
    ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 0, 0, 0, TDD_NOGLYPH | TDD_CHECKED);  // caches the dither brush
    SetTextColor(s.dc(), RGB(4, 5, 6));
    SetBkColor(s.dc(), RGB(7, 8, 9));
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    for (const auto& look : looks) {
        SCOPED_TRACE(look.state);
        s.Fill(kMark);
        ASSERT_TRUE(ToolBtn_Draw(s.dc(), 4, 2, 24, 22, look.state & TDD_NOGLYPH ? nullptr : bar, 2, 1, 0, look.state));
        EXPECT_TRUE(SpansAre(s.Reader(), outline, 4, 2));
        EXPECT_TRUE(SpansAre(s.Reader(), look.spans, 4, 2));
        EXPECT_TRUE(GetTextColor(s.dc()) == RGB(4, 5, 6) && GetBkColor(s.dc()) == RGB(7, 8, 9) &&
                    GetCurrentObject(s.dc(), OBJ_BRUSH) == GetStockObject(WHITE_BRUSH))
            << "the DC's colours or brush changed";
    }
    EXPECT_GE(counter.Created(), 7u) << "a mask bitmap per draw at least";
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
    DeleteObject(bar);
}

// The stock path takes the button and glyph sizes from the metrics: the cut
// glyph (0) sits at (4, 3), or (5, 4) down.  Its row 3 reads black, dark grey,
// three light grey, dark grey, black from x = 4; row 9 is dark red at 6..8.
TEST_F(ToolBtnTest, GlyphsArePlacedAndCutByIndexOrTheDrawIsRefused)
{
    const std::vector<Span> cut = {{8, 6, 1, 1, kText},    {9, 6, 1, 1, kShadow}, {10, 6, 3, 1, kFace},
                                   {13, 6, 1, 1, kShadow}, {14, 6, 1, 1, kText},  {10, 12, 3, 1, RGB(128, 0, 0)}};
    Surface s(30, 26);
    for (int down = 0; down < 2; ++down) {
        ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 50, 40, nullptr, 99, 99, 0, TDD_GLYPH | down));
        EXPECT_TRUE(SpansAre(s.Reader(), cut, down, down)) << (down ? "down" : "up");
    }
    s.Fill(kMark);
    EXPECT_FALSE(ToolBtn_Draw(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 9, TDD_GLYPH)) << "stock index 9";
    EXPECT_FALSE(ToolBtn_Draw(nullptr, 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH)) << "null DC";
    const ToolBtnTDD below{96, 29, 24, 22, 16, 15, 399}, above{96, 29, 24, 22, 16, 15, 403};
    EXPECT_FALSE(ToolBtn_DrawTDD(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH, &below)) << "strip 399";
    EXPECT_FALSE(ToolBtn_DrawTDD(s.dc(), 0, 0, 24, 22, nullptr, 16, 15, 0, TDD_GLYPH, &above)) << "strip 403";
    EXPECT_TRUE(SpansAre(s.Reader(), {{0, 0, 30, 26, kMark}})) << "nothing drawn";

    // A caller's strip of 2 x 1 glyphs: glyph 9 (blue) comes from x = 18 and
    // sits at (3, 3) of a 9 x 7 button.
    std::vector<COLORREF> pixels(18, kRed);
    pixels.insert(pixels.end(), {kBlue, kBlue});
    HBITMAP strip = Strip(pixels);
    EXPECT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 9, 7, strip, 2, 1, 9, TDD_GLYPH));
    EXPECT_TRUE(SpansAre(s.Reader(), {{2, 3, 1, 1, kFace}, {3, 3, 2, 1, kBlue}, {5, 3, 1, 1, kFace}}));
    DeleteObject(strip);
}

// Black, dark grey, light grey and white glyph pixels (at (2..5, 2) of a 9 x 5
// button) take the text, shadow, face and highlight colours unless their keep
// bit is set; red stays.  A later change of the face colour is followed.
TEST_F(ToolBtnTest, RecolouringFollowsTheSystemUnlessAKeepBitIsSet)
{
    HBITMAP strip = Strip({kStandard[0], kStandard[1], kStandard[2], kStandard[3], kRed});
    const COLORREF button[4] = {kText, kShadow, kFace, kHigh};
    Surface s(9, 5);
    for (int keep = -1; keep < 4; ++keep) {
        SCOPED_TRACE(keep < 0 ? "no keep bit" : "keep bit " + std::to_string(keep));
        ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 9, 5, strip, 5, 1, 0, TDD_GLYPH | (keep < 0 ? 0 : 0x100 << keep)));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(s.At(2 + i, 2), i == keep ? kStandard[i] : button[i]) << "glyph pixel " << i;
        EXPECT_EQ(s.At(6, 2), kRed);
    }
    colours.Set(COLOR_BTNFACE, kBlue);
    ASSERT_TRUE(ToolBtn_Draw(s.dc(), 0, 0, 9, 5, strip, 5, 1, 0, TDD_GLYPH));
    EXPECT_EQ(s.At(4, 2), kBlue);
    DeleteObject(strip);
}
