// The status line on an application's frame window: the strip and its panes
// at exact pixels, the frame's own painting left as it would be, pushed
// texts, showing and hiding, the shared font and detaching.
#include "freewatch.h"
#include "gdicount.h"
#include "ztest.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace ztest;

namespace {

const int kWidths[] = {100, 80, 0};

// The window's DC with the status font as an application would make it:
// the same request.
struct FontDC {
    explicit FontDC(HWND w) : hwnd(w), dc(GetDC(w)), old(SelectObject(dc, font)) {}
    ~FontDC() { SelectObject(dc, old), DeleteObject(font), ReleaseDC(hwnd, dc); }
    HWND hwnd;
    HDC dc;
    HFONT font = CreateFontA(GetSystemMetrics(SM_CYCAPTION) * 7 / 10, 0, 0, 0, FW_LIGHT, 0, 0, 0, ANSI_CHARSET, 0, 0,
                             0, VARIABLE_PITCH | FF_SWISS, "Helv");
    HGDIOBJ old;
};

COLORREF Sys(int index) { return GetSysColor(index); }

// The window's pixels from (x, y) on, up to `limit` excluded, are the text
// as the status font writes it on the face colour: compared with the same
// text written by the test at (10, 10) of the same window.
::testing::AssertionResult TextAt(HWND hwnd, int x, int y, const char* text, POINT limit)
{
    FontDC f(hwnd);
    SetBkColor(f.dc, Sys(COLOR_BTNFACE)), SetTextColor(f.dc, Sys(COLOR_BTNTEXT));
    SIZE size{};
    GetTextExtentPoint32A(f.dc, text, lstrlenA(text), &size);
    ExtTextOutA(f.dc, 10, 10, 0, nullptr, text, lstrlenA(text), nullptr);
    int ink = 0;
    for (int j = 0; j < size.cy && y + j < limit.y; ++j)
        for (int i = 0; i < size.cx && x + i < limit.x; ++i) {
            const COLORREF want = GetPixel(f.dc, 10 + i, 10 + j);
            ink += want != Sys(COLOR_BTNFACE);
            if (GetPixel(f.dc, x + i, y + j) != want)
                return ::testing::AssertionFailure() << "\"" << text << "\": pixel (" << x + i << ", " << y + j << ")";
        }
    return ink ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "\"" << text << "\" has no ink";
}

class StatusLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1) << "the pixel numbers below are for a border unit of 1";
        ASSERT_TRUE(StatusLine_Create(frame.hwnd(), 3, kWidths));
        height = static_cast<int>(StatusLine_GetHeight(frame.hwnd()));
        top = 200 - height, pt = top + 2, strip = RECT{0, top, 300, 200};
        RedrawWindow(frame.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    // The panes' sunken boxes run from x = 8 to 100, 108 to 180 and 188 to
    // 292, from the pane top to y = 198, on the face colour.
    ::testing::AssertionResult BoxesShown()
    {
        const COLORREF shadow = Sys(COLOR_BTNSHADOW), light = Sys(COLOR_BTNHIGHLIGHT), face = Sys(COLOR_BTNFACE);
        std::vector<Span> spans;
        for (auto [l, r] : {std::pair{8, 100}, {108, 180}, {188, 292}})
            spans.insert(spans.end(), {{l, pt, r + 1 - l, 1, shadow}, {l, pt, 1, 198 - pt, shadow},
                                       {l, 198, r + 1 - l, 1, light}, {r, pt + 1, 1, 197 - pt, light},
                                       {l - 1, pt, 1, 200 - pt, face}, {r + 1, pt, 1, 200 - pt, face}});
        return SpansAre(frame.hwnd(), spans);
    }
    // Under a pushed text: the boxes' top and bottom rows, which no text
    // reaches, are the face colour across the strip.
    ::testing::AssertionResult BoxesCovered()
    {
        return SpansAre(frame.hwnd(), {{0, pt, 300, 1, Sys(COLOR_BTNFACE)}, {0, 198, 300, 1, Sys(COLOR_BTNFACE)}});
    }
    ParentWindow frame{300, 200};
    int height = 0, top = 0, pt = 0;
    RECT strip{};
};

}  // namespace

TEST_F(StatusLine, StripLinesBoxesAndTextsLieAtTheirPixels)
{
    TEXTMETRICA tm{};
    GetTextMetricsA(FontDC(frame.hwnd()).dc, &tm);
    EXPECT_EQ(height, 7 + tm.tmHeight + tm.tmExternalLeading);

    const struct { const char* text; int x, right; } panes[] = {
        {"Alpha", 10, 100}, {"Beta", 110, 180}, {"Gamma", 190, 292}};
    for (int i = 0; i < 3; ++i)
        StatusLine_SetText(frame.hwnd(), i, panes[i].text);
    PaintNow(frame.hwnd());
    const COLORREF light = Sys(COLOR_BTNHIGHLIGHT);
    EXPECT_TRUE(SpansAre(frame.hwnd(), {{0, top - 1, 300, 1, Sys(COLOR_WINDOW)}, {0, top, 300, 1, Sys(COLOR_WINDOWTEXT)},
                                        {0, top + 1, 300, 1, light}})) << "below the frame's own paint";
    EXPECT_TRUE(BoxesShown());
    for (const auto& p : panes)
        EXPECT_TRUE(TextAt(frame.hwnd(), p.x, pt + 2, p.text, POINT{p.right, 198}));

    // A text wider than its pane is clipped inside the box.
    StatusLine_SetText(frame.hwnd(), 1, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    PaintNow(frame.hwnd());
    EXPECT_TRUE(BoxesShown());

    // A pane of width 0 reaches the right edge; the next one starts where it did.
    ParentWindow other(300, 200);
    const int zeroFirst[] = {0, 50};
    ASSERT_TRUE(StatusLine_Create(other.hwnd(), 2, zeroFirst));
    RedrawWindow(other.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(SpansAre(other.hwnd(), {{50, pt + 1, 1, 197 - pt, light}, {292, pt + 1, 1, 197 - pt, light}}))
        << "the second box ends at 50, the first at 292";
}

TEST(StatusLinePaint, TheFrameGetsTheUpdateRegionAndEraseFlagItWouldHaveHad)
{
    const struct { std::vector<RECT> rects; BOOL erase; bool frameErases; } rows[] = {
        {{RECT{20, 20, 80, 60}}, TRUE, true},  {{RECT{20, 20, 80, 60}, RECT{150, 100, 290, 195}}, TRUE, true},
        {{RECT{0, 0, 300, 200}}, TRUE, false}, {{RECT{20, 20, 80, 60}, RECT{150, 100, 290, 195}}, FALSE, true},
        {{RECT{5, 150, 60, 199}, RECT{200, 5, 210, 15}}, TRUE, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.rects.size() << " rectangles, erase " << row.erase);
        HRGN region[2] = {CreateRectRgn(0, 0, 0, 0), CreateRectRgn(0, 0, 0, 0)};
        BOOL erase[2] = {}, paints[2] = {};
        for (int with : {0, 1}) {
            ParentWindow frame(300, 200);
            if (!row.frameErases)
                frame.Answer(WM_ERASEBKGND, 0);
            ASSERT_TRUE(!with || StatusLine_Create(frame.hwnd(), 3, kWidths));
            PaintNow(frame.hwnd());
            // The frame's own procedure: what it finds before BeginPaint, and the erase flag.
            frame.When(WM_PAINT, [&, hwnd = frame.hwnd()](const Msg&) {
                PAINTSTRUCT ps;
                GetUpdateRgn(hwnd, region[with], FALSE);
                BeginPaint(hwnd, &ps), EndPaint(hwnd, &ps);
                erase[with] = ps.fErase, ++paints[with];
            });
            for (const RECT& r : row.rects)
                InvalidateRect(frame.hwnd(), &r, row.erase);
            UpdateWindow(frame.hwnd());
        }
        EXPECT_TRUE(paints[0] == 1 && paints[1] == 1);
        EXPECT_TRUE(EqualRgn(region[0], region[1])) << "the update region";
        EXPECT_EQ(erase[0], erase[1]) << "the erase flag";
        DeleteObject(region[0]), DeleteObject(region[1]);
    }
}

TEST_F(StatusLine, TextsRepaintTheStripOnlyWhenTheyChange)
{
    // Texts are kept to their first 191 characters.
    const std::string longText(300, 'x'), sameStart = std::string(191, 'x') + "y", shorter(190, 'x');
    const struct { int pane; const char* text; bool repaint; } rows[] = {
        {0, "one", true},          {0, "one", false},         {0, "One", true},
        {2, "two", true},          {3, "three", false},       {-1, "none", false},
        {1, nullptr, false},       {1, longText.c_str(), true}, {1, longText.c_str(), false},
        {1, sameStart.c_str(), false}, {1, shorter.c_str(), true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "pane " << r.pane << ", " << (r.text ? r.text : "null"));
        StatusLine_SetText(frame.hwnd(), r.pane, r.text);
        EXPECT_TRUE(r.repaint ? UpdateRegionIs(frame.hwnd(), {strip}) : UpdateRegionIs(frame.hwnd(), {}));
        EXPECT_FALSE(PaintErases(frame.hwnd()));
    }
}

TEST_F(StatusLine, APushedTextCoversThePanesUntilTheStripIsRepainted)
{
    StatusLine_SetText(frame.hwnd(), 0, "pane");
    PaintNow(frame.hwnd());
    StatusLine_PushText(frame.hwnd(), "Opens a file");
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {})) << "drawn at once";
    EXPECT_TRUE(BoxesCovered());
    EXPECT_TRUE(TextAt(frame.hwnd(), 6, pt + 2, "Opens a file", POINT{300, 200}));
    EXPECT_TRUE(AreaIs(frame.hwnd(), RECT{0, top, 300, top + 1}, Sys(COLOR_WINDOWTEXT))) << "the top lines stay";
    StatusLine_PopText(frame.hwnd());
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {strip}));
    PaintNow(frame.hwnd());
    EXPECT_TRUE(BoxesShown());
    EXPECT_TRUE(TextAt(frame.hwnd(), 10, pt + 2, "pane", POINT{100, 198}));

    StatusLine_PushText(frame.hwnd(), nullptr);
    EXPECT_TRUE(BoxesCovered()) << "no text blanks the panes";
    StatusLine_SetText(frame.hwnd(), 0, "new");
    PaintNow(frame.hwnd());
    EXPECT_TRUE(BoxesShown()) << "a new pane text ends the pushed one";
}

TEST_F(StatusLine, AHiddenStatusLineHasNoHeightPaintsNothingButKeepsTexts)
{
    EXPECT_TRUE(StatusLine_Enable(frame.hwnd(), FALSE));
    EXPECT_EQ(StatusLine_GetHeight(frame.hwnd()), 0u);
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {})) << "hiding repaints nothing";
    StatusLine_SetText(frame.hwnd(), 0, "kept");
    StatusLine_PushText(frame.hwnd(), "ignored");
    StatusLine_PopText(frame.hwnd());
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {}));
    EXPECT_TRUE(BoxesShown()) << "the last picture stays";
    RedrawWindow(frame.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(AreaIs(frame.hwnd(), strip, Sys(COLOR_WINDOW))) << "the frame paints its whole client area";

    EXPECT_TRUE(StatusLine_Enable(frame.hwnd(), 7));
    EXPECT_EQ(StatusLine_GetHeight(frame.hwnd()), static_cast<UINT>(height));
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {strip}));
    PaintNow(frame.hwnd());
    EXPECT_TRUE(BoxesShown());
    EXPECT_TRUE(TextAt(frame.hwnd(), 10, pt + 2, "kept", POINT{100, 198}));
}

TEST(StatusLineCreate, RefusalsLeaveTheWindowAsItWas)
{
    ParentWindow frame{300, 200};
    const auto proc = GetWindowLongPtrA(frame.hwnd(), GWLP_WNDPROC);
    const int five[] = {10, 10, 10, 10, 10};
    EXPECT_FALSE(StatusLine_Create(frame.hwnd(), 5, five) || StatusLine_Create(frame.hwnd(), 2, nullptr));
    EXPECT_EQ(GetPropA(frame.hwnd(), ZTC_STATUSLINE_PROP), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(frame.hwnd(), GWLP_WNDPROC), proc);
    // Without a status line the texts paint nothing; a stray call of the
    // procedure answers as the window's default would.
    StatusLine_SetText(frame.hwnd(), 0, "x"), StatusLine_PushText(frame.hwnd(), "x"), StatusLine_PopText(frame.hwnd());
    EXPECT_TRUE(UpdateRegionIs(frame.hwnd(), {}));
    EXPECT_EQ(StatusLine_WndProc(frame.hwnd(), WM_GETTEXTLENGTH, 0, 0), 5) << "\"ztest\"";

    for (int count : {4, 0, -1}) {
        ParentWindow other(300, 200);
        EXPECT_TRUE(StatusLine_Create(other.hwnd(), count, five)) << count;
        EXPECT_GT(StatusLine_GetHeight(other.hwnd()), 0u);
        EXPECT_FALSE(StatusLine_Create(other.hwnd(), 1, five)) << "a second status line";
    }
}

TEST(StatusLineDestroy, TheFrameGetsItsProcedureBackAndTheLastFrameTakesTheFont)
{
    GdiCounter counter(Library());
    ASSERT_GT(counter.Patched(), 0);
    auto first = std::make_unique<ParentWindow>(300, 200), second = std::make_unique<ParentWindow>(300, 200);
    const LONG_PTR own = GetWindowLongPtrA(first->hwnd(), GWLP_WNDPROC);
    LONG_PTR atDestroy = 0;
    first->When(WM_DESTROY, [&, hwnd = first->hwnd()](const Msg&) { atDestroy = GetWindowLongPtrA(hwnd, GWLP_WNDPROC); });
    ASSERT_TRUE(StatusLine_Create(first->hwnd(), 1, kWidths) && StatusLine_Create(second->hwnd(), 1, kWidths));
    EXPECT_EQ(counter.Live("font"), 1u) << "one font for both: " << counter.Describe();
    PaintNow(second->hwnd());
    first.reset();
    EXPECT_EQ(atDestroy, own) << "restored before the frame sees WM_DESTROY";
    EXPECT_EQ(counter.Live("font"), 1u) << "the font outlives the first frame";
    second.reset();
    EXPECT_EQ(counter.Live(), 0u) << counter.Describe();
    ParentWindow third(300, 200);
    ASSERT_TRUE(StatusLine_Create(third.hwnd(), 1, kWidths));
    EXPECT_EQ(counter.Live("font"), 1u) << "a new font";
}

TEST(StatusLineDestroy, AFrameDestroyedWhileItsStripIsPaintedHearsNothingMore)
{
    ParentWindow frame(300, 200);
    const HWND hwnd = frame.hwnd();
    Spy below(hwnd);  // a message after the frame's end would find no spy and fault
    ASSERT_TRUE(StatusLine_Create(hwnd, 3, kWidths));
    PaintNow(hwnd);
    FreeWatch watch(Library());
    ASSERT_GT(watch.Patched(), 0);
    frame.When(WM_ERASEBKGND, [hwnd](const Msg&) { DestroyWindow(hwnd); });
    const FaultCount faults;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(faults.Faults(), 0) << "the frame's state or procedure was used after its end";
    EXPECT_EQ(watch.Freed(), 1) << "the state block";
    EXPECT_EQ(watch.Written(), "nothing");
}
