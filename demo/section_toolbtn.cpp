// Tool buttons drawn by ToolBtn_DrawTDD from the three stock strips and by
// ToolBtn_Draw from a strip of our own: one glyph in every state, then every
// glyph of each strip.
#include "gallery.h"
#include "pictures.h"
#include "ztctrl32.h"

#include <iterator>

namespace {

struct ButtonState {
    const char* label;
    UINT state;
};

constexpr ButtonState kStates[] = {
    {"up", TDD_GLYPH},
    {"down", TDD_DOWN | TDD_GLYPH},
    {"greyed", TDD_GRAYED},
    {"checked", TDD_CHECKED | TDD_DOWN | TDD_GLYPH},
    {"checked, greyed", TDD_CHECKED | TDD_DOWN | TDD_GRAYED},
    {"no glyph", TDD_NOGLYPH | TDD_CHECKED},
};

// A strip with its button metrics; own: the section's strip, not a stock one.
struct Strip {
    const char* label;
    ToolBtnTDD tdd;
    int glyphs;
    int sample;  // the glyph shown in every state
    bool own;
};

constexpr Shape kOwnShapes[] = {Shape::Circle, Shape::Square, Shape::Triangle, Shape::Diamond};
constexpr COLORREF kOwnColours[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 160, 0),
                                    RGB(255, 255, 0)};
constexpr int kOwnGlyphs = static_cast<int>(std::size(kOwnShapes));

constexpr Strip kStrips[] = {
    {"400", {96, 29, 24, 22, 16, 15, 400}, 9, 4, false},
    {"401", {96, 25, 24, 18, 16, 11, 401}, 9, 4, false},
    {"402", {96, 38, 32, 31, 24, 23, 402}, 9, 4, false},
    {"own", {96, 29, 24, 22, 16, 15, 0}, kOwnGlyphs, 0, true},
};

constexpr char kStripProperty[] = "ztdemo.toolstrip";
constexpr int kLabelWidth = 48, kStateWidth = 66, kHeaderHeight = 28;
constexpr int kRowGap = 5, kGlyphGap = 2, kBlockGap = 10;

constexpr int RowHeight(const Strip& s)
{
    return s.tdd.cyButton + kRowGap;
}

constexpr int BlockHeight()
{
    int height = 0;
    for (const Strip& s : kStrips)
        height += RowHeight(s);
    return height;
}

// One button of a strip: the stock ones by their record, ours by ToolBtn_Draw.
void DrawButton(HDC dc, int x, int y, const Strip& s, HBITMAP own, int glyph, UINT state)
{
    if (s.own)
        ToolBtn_Draw(dc, x, y, s.tdd.cxButton, s.tdd.cyButton, own, s.tdd.cxGlyph, s.tdd.cyGlyph,
                     glyph, state);
    else
        ToolBtn_DrawTDD(dc, x, y, s.tdd.cxButton, s.tdd.cyButton, nullptr, 0, 0, glyph,
                        static_cast<WORD>(state), &s.tdd);
}

void RowLabel(HDC dc, int x, int y, const Strip& s)
{
    RECT label{x, y, x + kLabelWidth, y + s.tdd.cyButton};
    DrawTextA(dc, s.label, -1, &label, DT_SINGLELINE | DT_VCENTER);
}

// The state names over their columns, then each strip's sample glyph in
// every state, centred in the column.
int PaintStates(HDC dc, RECT area, HBITMAP own)
{
    int x = area.left + kLabelWidth;
    for (const ButtonState& b : kStates) {
        RECT head{x, area.top, x + kStateWidth, area.top + kHeaderHeight};
        DrawTextA(dc, b.label, -1, &head, DT_CENTER | DT_WORDBREAK);
        x += kStateWidth;
    }
    int y = area.top + kHeaderHeight;
    for (const Strip& s : kStrips) {
        RowLabel(dc, area.left, y, s);
        x = area.left + kLabelWidth + (kStateWidth - s.tdd.cxButton) / 2;
        for (const ButtonState& b : kStates) {
            DrawButton(dc, x, y, s, own, s.sample, b.state);
            x += kStateWidth;
        }
        y += RowHeight(s);
    }
    return y;
}

// Every glyph of each strip, up, side by side.
void PaintGlyphs(HDC dc, int left, int top, HBITMAP own)
{
    int y = top;
    for (const Strip& s : kStrips) {
        RowLabel(dc, left, y, s);
        for (int i = 0; i < s.glyphs; ++i)
            DrawButton(dc, left + kLabelWidth + i * (s.tdd.cxButton + kGlyphGap), y, s, own, i,
                       TDD_GLYPH);
        y += RowHeight(s);
    }
}

void ToolButtons_Create(HWND frame, RECT, int)
{
    SetPropA(frame, kStripProperty, MakePicture(16, 15, kOwnShapes, kOwnColours, kOwnGlyphs));
}

void ToolButtons_Paint(HWND frame, HDC dc, RECT area)
{
    const auto own = static_cast<HBITMAP>(GetPropA(frame, kStripProperty));
    const int bottom = PaintStates(dc, area, own);
    PaintGlyphs(dc, area.left, bottom + kBlockGap, own);
}

void ToolButtons_Destroy(HWND frame, int)
{
    if (HANDLE strip = RemovePropA(frame, kStripProperty))
        DeleteObject(strip);
}

}  // namespace

extern const GallerySection ToolButtonSection = {
    "Tool buttons (ToolBtn_DrawTDD, ToolBtn_Draw)",
    kLabelWidth + kStateWidth * static_cast<int>(std::size(kStates)),
    kHeaderHeight + 2 * BlockHeight() + kBlockGap,
    ToolButtons_Create, nullptr, ToolButtons_Paint, nullptr, ToolButtons_Destroy,
};
