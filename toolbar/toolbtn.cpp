// Tool-button drawing: a three-dimensional frame in the current button
// colours and one glyph of a strip, up, down, greyed, checked or blank.
// The drawing borrows the module-wide GlyphDC and MaskDC for the length of
// one call, holding them against draws on other threads meanwhile, and
// leaves the caller's DC as it found it.
#include "gdiguard.h"
#include "toolimages.h"

namespace {

// The colours glyphs are drawn in, and the button colours that replace them
// (refilled at every draw): text, shadow, face, highlight.
constexpr COLORREF StandardColours[4] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192),
                                         RGB(255, 255, 255)};
COLORREF ButtonColours[4];

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr int kShadow = 1, kFace = 2, kHighlight = 3;

constexpr DWORD kBrushWhereSourceIsOne = 0x00E20746;   // DSPDxax
constexpr DWORD kBrushWhereSourceIsZero = 0x00B8074A;  // PSDPxax

// States compared whole: checked (not down), checked and greyed, checked blank.
constexpr UINT kCheckedUp = TDD_CHECKED | TDD_GLYPH;                        // 10
constexpr UINT kCheckedGrayed = TDD_CHECKED | TDD_GRAYED | TDD_DOWN;        // 13
constexpr UINT kCheckedBlank = TDD_NOGLYPH | TDD_CHECKED | TDD_GLYPH;       // 26

// GDI coordinates live in 27 bits; anything beyond is refused before any
// arithmetic on it.
constexpr int kCoordinateLimit = 1 << 27;

bool InRange(int v) { return v > -kCoordinateLimit && v < kCoordinateLimit; }

void RefillButtonColours()
{
    ButtonColours[0] = GetSysColor(COLOR_BTNTEXT);
    ButtonColours[kShadow] = GetSysColor(COLOR_BTNSHADOW);
    ButtonColours[kFace] = GetSysColor(COLOR_BTNFACE);
    ButtonColours[kHighlight] = ToolBtn_HighlightColour();
}

bool ButtonColoursAreStandard()
{
    for (int i = 0; i < 4; ++i)
        if (ButtonColours[i] != StandardColours[i])
            return false;
    return true;
}

// Left edge of glyph `index` in its strip; far outside any strip when the
// product leaves the coordinate range.
int GlyphLeft(int index, int glyphWidth)
{
    const long long left = static_cast<long long>(index) * glyphWidth;
    if (left <= -kCoordinateLimit)
        return -kCoordinateLimit;
    if (left >= kCoordinateLimit)
        return kCoordinateLimit;
    return static_cast<int>(left);
}

// Where the pieces of one button lie: the interior inside the outline, and
// the glyph's place inside the interior (centred, one pixel further when down).
struct ButtonLayout {
    int ix, iy;    // interior's top-left corner
    int iw, ih;    // interior's size
    int ox, oy;    // glyph's offset inside the interior
};

ButtonLayout LayOut(int x, int y, int cx, int cy, int cxGlyph, int cyGlyph, bool down)
{
    const int d = down ? 1 : 0;
    ButtonLayout l{x + 1, y + 1, cx - 2, cy - 2, 0, 0};
    l.ox = ((l.iw - cxGlyph) >> 1) + d;
    l.oy = ((l.ih - cyGlyph) >> 1) + d;
    return l;
}

// One solid rectangle of the frame.
void FillPiece(HDC dc, int left, int top, int width, int height, COLORREF colour)
{
    SetBkColor(dc, colour);
    const RECT rc{left, top, left + width, top + height};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void DrawFrame(HDC dc, int x, int y, int cx, int cy, bool down)
{
    const COLORREF outline = GetSysColor(COLOR_WINDOWFRAME);
    const COLORREF shadow = ButtonColours[kShadow], highlight = ButtonColours[kHighlight];
    FillPiece(dc, x + 1, y, cx - 2, 1, outline);
    FillPiece(dc, x + 1, y + cy - 1, cx - 2, 1, outline);
    FillPiece(dc, x, y + 1, 1, cy - 2, outline);
    FillPiece(dc, x + cx - 1, y + 1, 1, cy - 2, outline);
    FillPiece(dc, x + 1, y + 1, cx - 2, cy - 2, ButtonColours[kFace]);
    if (down) {
        FillPiece(dc, x + 1, y + 1, 1, cy - 2, shadow);
        FillPiece(dc, x + 1, y + 1, cx - 2, 1, shadow);
        return;
    }
    FillPiece(dc, x + 1, y + 1, 1, cy - 3, highlight);
    FillPiece(dc, x + 1, y + 1, cx - 3, 1, highlight);
    FillPiece(dc, x + cx - 2, y + 1, 1, cy - 2, shadow);
    FillPiece(dc, x + 1, y + cy - 2, cx - 2, 1, shadow);
    FillPiece(dc, x + cx - 3, y + 2, 1, cy - 4, shadow);
    FillPiece(dc, x + 2, y + cy - 3, cx - 4, 1, shadow);
}

// Fills MaskDC's bitmap (mw x mh) with 1 where the face shows and 0 where
// glyph ink is, the glyph placed at (gx, gy).  Light grey is face, and so is
// white unless mode is 10; mode 13 grows the ink one pixel right and down.
void BuildGlyphMask(int index, int mw, int mh, int gw, int gh, int gx, int gy, UINT mode)
{
    PatBlt(MaskDC, 0, 0, mw, mh, WHITENESS);
    if (mode & TDD_NOGLYPH)
        return;
    const int left = GlyphLeft(index, gw);
    SetBkColor(GlyphDC, kLightGrey);
    BitBlt(MaskDC, gx, gy, gw, gh, GlyphDC, left, 0, SRCCOPY);
    if (mode != kCheckedUp) {
        SetBkColor(GlyphDC, kWhite);
        BitBlt(MaskDC, gx, gy, gw, gh, GlyphDC, left, 0, SRCPAINT);
    }
    if (mode == kCheckedGrayed)
        BitBlt(MaskDC, 1, 1, mw - 1, mh - 1, MaskDC, 0, 0, SRCAND);
}

// Paints a solid brush of `colour` onto dc through MaskDC with a ternary
// raster operation; skipped when the brush cannot be made or selected.
void PaintThroughMask(HDC dc, int x, int y, int w, int h, COLORREF colour, DWORD rop)
{
    zt::Owned<HBRUSH> brush(CreateSolidBrush(colour));
    if (!brush)
        return;
    zt::Select selected(dc, brush);
    if (selected.previous())
        BitBlt(dc, x, y, w, h, MaskDC, 0, 0, rop);
}

// Copies the glyph to (x, y) and then replaces each standard colour by its
// button colour, or keeps it where the matching keep bit is set.  Every mask
// is taken from the unaltered glyph in the strip, so the replacements do not
// feed into each other.  The recolouring works on hdc itself rather than on
// a new bitmap copied over afterwards: the same pixels without making and
// selecting a bitmap at every draw.  Like such a bitmap the glyph's place
// starts black, which shows where a glyph reaches beyond its strip.
void DrawGlyphRecoloured(HDC hdc, int index, int gw, int gh, int x, int y, UINT keep)
{
    SetTextColor(hdc, kBlack);
    SetBkColor(hdc, kWhite);
    const int left = GlyphLeft(index, gw);
    PatBlt(hdc, x, y, gw, gh, BLACKNESS);
    BitBlt(hdc, x, y, gw, gh, GlyphDC, left, 0, SRCCOPY);
    for (int i = 0; i < 4; ++i) {
        SetBkColor(GlyphDC, StandardColours[i]);
        BitBlt(MaskDC, 0, 0, gw, gh, GlyphDC, left, 0, SRCCOPY);
        const COLORREF colour = (keep & (1u << i)) ? StandardColours[i] : ButtonColours[i];
        PaintThroughMask(hdc, x, y, gw, gh, colour, kBrushWhereSourceIsOne);
    }
}

void DrawGlyph(HDC hdc, const ButtonLayout& l, int index, int gw, int gh, UINT keep)
{
    const int x = l.ix + l.ox, y = l.iy + l.oy;
    if (ButtonColoursAreStandard())
        BitBlt(hdc, x, y, gw, gh, GlyphDC, GlyphLeft(index, gw), 0, SRCCOPY);
    else
        DrawGlyphRecoloured(hdc, index, gw, gh, x, y, keep);
}

// The embossed look: a shadow silhouette of the ink, with a highlight copy
// one pixel right and down when greyed.
void DrawGlyphEmbossed(HDC hdc, const ButtonLayout& l, int index, int gw, int gh, bool grayed)
{
    BuildGlyphMask(index, l.iw, l.ih, gw, gh, l.ox, l.oy, 0);
    SetTextColor(hdc, kBlack);
    SetBkColor(hdc, kWhite);
    if (grayed)
        PaintThroughMask(hdc, l.ix + 1, l.iy + 1, l.iw - 2, l.ih - 2, ButtonColours[kHighlight],
                         kBrushWhereSourceIsZero);
    PaintThroughMask(hdc, l.ix, l.iy, l.iw - 2, l.ih - 2, ButtonColours[kShadow], kBrushWhereSourceIsZero);
}

// The checked look: the face and highlight checkerboard around the ink.
void DrawCheckedDither(HDC hdc, const ButtonLayout& l, int index, int gw, int gh, UINT s)
{
    HBRUSH dither = ToolBtn_DitherBrush(ButtonColours[kFace], ButtonColours[kHighlight]);
    if (!dither)
        return;
    zt::Select selected(hdc, dither);
    if (!selected.previous())
        return;
    BuildGlyphMask(index, l.iw, l.ih, gw, gh, l.ox - 1, l.oy - 1, s);
    SetTextColor(hdc, kBlack);
    SetBkColor(hdc, kWhite);
    const int k = (s == kCheckedUp || s == kCheckedBlank) ? 3 : 1;
    BitBlt(hdc, l.ix + 1, l.iy + 1, l.iw - k, l.ih - k, MaskDC, 0, 0, kBrushWhereSourceIsOne);
}

// The stock strip a metrics record names; null for an id outside 400..402.
HBITMAP StockStrip(UINT idImages)
{
    if (idImages < 400 || idImages > 402)
        return nullptr;
    return ToolImages[idImages - 400];
}

}  // namespace

BOOL WINAPI ToolBtn_DrawTDD(HDC hdc, int x, int y, int cx, int cy, HBITMAP hbm, int cxGlyph, int cyGlyph,
                            int index, WORD state, LPCTOOLBTNTDD tdd)
{
    const UINT s = LOBYTE(state);
    const UINT keep = (state >> 8) & 0x0F;
    if (!hdc)
        return FALSE;
    if (!hbm && !(s & TDD_NOGLYPH)) {
        if (index > 8 || !tdd)
            return FALSE;
        hbm = StockStrip(tdd->idImages);
        if (!hbm)
            return FALSE;
        cx = tdd->cxButton;
        cy = tdd->cyButton;
        cxGlyph = tdd->cxGlyph;
        cyGlyph = tdd->cyGlyph;
    }
    // A button needs an interior of at least one pixel for its mask.
    if (cx < 3 || cy < 3 || !InRange(x) || !InRange(y) || !InRange(cx) || !InRange(cy) || !InRange(cxGlyph) ||
        !InRange(cyGlyph))
        return FALSE;

    zt::Owned<HBITMAP> mask(CreateBitmap(cx - 2, cy - 2, 1, 1, nullptr));
    if (!mask)
        return FALSE;
    zt::Exclusive drawing(ToolDrawLock);
    zt::SavedDC saved(hdc);
    zt::Select maskBitmap(MaskDC, mask);
    RefillButtonColours();
    const bool down = (s & TDD_DOWN) != 0;
    DrawFrame(hdc, x, y, cx, cy, down);

    const ButtonLayout layout = LayOut(x, y, cx, cy, cxGlyph, cyGlyph, down);
    zt::Select glyphBitmap(GlyphDC, hbm);
    const bool glyph = !(s & TDD_NOGLYPH);
    if (glyph && (s & TDD_GLYPH))
        DrawGlyph(hdc, layout, index, cxGlyph, cyGlyph, keep);
    if (glyph && ((s & TDD_GRAYED) || s == kCheckedUp))
        DrawGlyphEmbossed(hdc, layout, index, cxGlyph, cyGlyph, (s & TDD_GRAYED) != 0);
    if (s & TDD_CHECKED)
        DrawCheckedDither(hdc, layout, index, cxGlyph, cyGlyph, s);
    return TRUE;
}

BOOL WINAPI ToolBtn_Draw(HDC hdc, int x, int y, int cx, int cy, HBITMAP hbm, int cxGlyph, int cyGlyph, int index,
                         UINT state)
{
    return ToolBtn_DrawTDD(hdc, x, y, cx, cy, hbm, cxGlyph, cyGlyph, index, static_cast<WORD>(state),
                           &DefaultTDD);
}

BOOL WINAPI ToolBtn_Configure(ToolBtnTDD* tdd)
{
    if (!tdd || IsBadWritePtr(tdd, sizeof(ToolBtnTDD)))
        return FALSE;
    *tdd = ToolBtnTDD{96, 29, 24, 22, 16, 15, 400};
    return TRUE;
}
