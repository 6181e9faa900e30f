// The status line: a strip along the bottom of a frame window's client area
// with up to four panes of text in sunken boxes.  It is not a window: its
// state hangs on the frame under the property "ztsl", and a procedure put in
// front of the frame's own paints the strip inside the frame's WM_PAINT and
// detaches at WM_DESTROY.  All status lines of a process share one font and
// one strip height.
#include "gdiguard.h"
#include "subclass.h"
#include "ztcore.h"

namespace {

constexpr int kMaxPanes = 4;
constexpr int kTextSize = 192;  // 191 characters and the terminating zero

// The frame's own procedure, kept by the subclassing helper under its own
// name so that the frame may carry other subclasses of the library too.
constexpr char kPreviousProp[] = "ztsl_proc";

struct Pane {
    int width;  // pixels, gap included; 0: up to the right edge
    int length;
    char text[kTextSize];
};

struct StatusLineState {
    WNDPROC PreviousWndProc;
    BOOL Enabled;
    int PaneCount;
    Pane Panes[kMaxPanes];
};

}  // namespace

HFONT StatusFont;     // shared by every status line of the process
int StatusHeight;     // strip height in pixels
int StatusLineCount;  // status lines attached and not yet destroyed
// Held while a status line comes or goes, whichever thread its frame
// belongs to: the count and the font change together.
SRWLOCK StatusFontLock = SRWLOCK_INIT;

namespace {

StatusLineState* StateOf(HWND hwnd)
{
    return static_cast<StatusLineState*>(GetPropA(hwnd, ZTC_STATUSLINE_PROP));
}

// The strip: the bottom StatusHeight pixels of the client area.
RECT StripRect(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    rc.top = rc.bottom - StatusHeight;
    return rc;
}

// The top of the panes: below the strip's two lines.
int PaneTop(const RECT& strip)
{
    return strip.top + 2 * BorderUnit;
}

void SL_InvalidateStrip(HWND hwnd, const StatusLineState& s)
{
    if (!s.Enabled)
        return;
    const RECT strip = StripRect(hwnd);
    InvalidateRect(hwnd, &strip, FALSE);
}

HFONT CreateStatusFont()
{
    const int height = GetSystemMetrics(SM_CYCAPTION) * 7 / 10;
    return CreateFontA(height, 0, 0, 0, FW_LIGHT, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Helv");
}

// Each pane's text, clipped to its box, and the sunken box around it.  A
// pane of width 0 reaches the right edge and leaves x where it was.
void PaintPanes(HDC dc, const StatusLineState& s, const RECT& strip)
{
    const int unit = BorderUnit, gap = 8 * unit, pt = PaneTop(strip), bottom = strip.bottom - 2 * unit;
    int x = strip.left + gap;
    for (int i = 0; i < s.PaneCount; ++i) {
        const Pane& pane = s.Panes[i];
        const int right = (pane.width ? x + pane.width : strip.right) - gap;
        const RECT clip{x, pt, right, strip.bottom};
        ExtTextOutA(dc, x + 2 * unit, pt + 2 * unit, ETO_CLIPPED, &clip, pane.text, static_cast<UINT>(pane.length),
                    nullptr);
        zt::Lines(dc, ShadowPen, {{x, bottom}, {x, pt}, {right + 1, pt}});
        zt::Lines(dc, HighlightPen, {{x, bottom}, {right, bottom}, {right, pt}});
        x += pane.width;
    }
}

// Paints the strip inside the frame's WM_PAINT, then asks again for the
// paint that BeginPaint took away, so that the frame's own procedure gets
// the same update region and erase request as without a status line.
// False when the frame was destroyed meanwhile (by its WM_ERASEBKGND).
bool SL_Paint(HWND hwnd, const StatusLineState* s)
{
    if (IsIconic(hwnd) || !s->Enabled)
        return true;
    zt::Owned<HRGN> update(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(hwnd, update, FALSE);
    zt::PaintDC dc(hwnd);
    if (StateOf(hwnd) != s)
        return false;
    const RECT strip = StripRect(hwnd);
    FillRect(dc, &strip, FaceBrush);
    zt::Lines(dc, TextPen, {{0, strip.top}, {strip.right, strip.top}});
    zt::Lines(dc, HighlightPen, {{0, strip.top + BorderUnit}, {strip.right, strip.top + BorderUnit}});
    {
        zt::Select font(dc, StatusFont);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        PaintPanes(dc, *s, strip);
    }
    InvalidateRgn(hwnd, update, dc.paint().fErase);
    return true;
}

// WM_DESTROY: the state goes, the shared font with the last status line,
// and the frame gets its own procedure back before it sees the message.
LRESULT SL_Detach(HWND hwnd, StatusLineState* s, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = s->PreviousWndProc;
    RemovePropA(hwnd, ZTC_STATUSLINE_PROP);
    LocalFree(s);
    {
        zt::Exclusive shared(StatusFontLock);
        if (--StatusLineCount <= 0 && StatusFont) {
            DeleteObject(StatusFont);
            StatusFont = nullptr;
        }
    }
    ControlDestroyHook(hwnd);
    subclass::Restore(hwnd, StatusLine_WndProc, kPreviousProp);
    return CallWindowProcA(previous, hwnd, WM_DESTROY, wParam, lParam);
}

}  // namespace

BOOL WINAPI StatusLine_Create(HWND hwnd, int count, const int* widths)
{
    if (!IsWindow(hwnd) || count > kMaxPanes || (count > 0 && !widths) || StateOf(hwnd))
        return FALSE;
    auto* s = static_cast<StatusLineState*>(LocalAlloc(LPTR, sizeof(StatusLineState)));
    if (!s)
        return FALSE;
    SetPropA(hwnd, ZTC_STATUSLINE_PROP, s);
    s->PreviousWndProc = subclass::Install(hwnd, StatusLine_WndProc, kPreviousProp);
    if (!s->PreviousWndProc) {
        RemovePropA(hwnd, ZTC_STATUSLINE_PROP);
        LocalFree(s);
        return FALSE;
    }
    s->Enabled = TRUE;
    zt::WindowDC dc(hwnd);
    {
        zt::Exclusive shared(StatusFontLock);
        if (StatusLineCount++ == 0 && !StatusFont)
            StatusFont = CreateStatusFont();
        if (!StatusFont)
            return FALSE;  // attached without panes; detached with the frame
    }
    ControlCreateHook(hwnd);
    TEXTMETRICA tm{};
    {
        zt::Select font(dc, StatusFont);
        GetTextMetricsA(dc, &tm);
    }
    StatusHeight = 7 * BorderUnit + tm.tmHeight + tm.tmExternalLeading;
    s->PaneCount = count > 0 ? count : 0;
    for (int i = 0; i < s->PaneCount; ++i)
        s->Panes[i].width = widths[i];
    return TRUE;
}

BOOL WINAPI StatusLine_Enable(HWND hwnd, BOOL enable)
{
    StatusLineState* s = StateOf(hwnd);
    if (!s)
        return FALSE;
    s->Enabled = enable != 0;
    SL_InvalidateStrip(hwnd, *s);
    return TRUE;
}

UINT WINAPI StatusLine_GetHeight(HWND hwnd)
{
    const StatusLineState* s = StateOf(hwnd);
    return s && s->Enabled ? static_cast<UINT>(StatusHeight) : 0;
}

// A text longer than a pane holds is cut to its first 191 characters, and
// compared as cut, so setting it again changes nothing.
void WINAPI StatusLine_SetText(HWND hwnd, int pane, LPCSTR text)
{
    StatusLineState* s = StateOf(hwnd);
    if (!s || pane < 0 || pane >= s->PaneCount || !text)
        return;
    char cut[kTextSize];
    lstrcpynA(cut, text, kTextSize);
    Pane& p = s->Panes[pane];
    if (lstrcmpA(cut, p.text) == 0)
        return;
    lstrcpyA(p.text, cut);
    p.length = lstrlenA(cut);
    SL_InvalidateStrip(hwnd, *s);
}

// Draws the text across the strip below its two lines, over the panes,
// without keeping it: the next repaint of the strip shows the panes again.
void WINAPI StatusLine_PushText(HWND hwnd, LPCSTR text)
{
    const StatusLineState* s = StateOf(hwnd);
    if (!s || !s->Enabled)
        return;
    RECT area = StripRect(hwnd);
    area.top = PaneTop(area);
    zt::WindowDC dc(hwnd);
    zt::Select font(dc, StatusFont);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    ExtTextOutA(dc, area.left + 6 * BorderUnit, area.top + 2 * BorderUnit, ETO_OPAQUE | ETO_CLIPPED, &area,
                text ? text : "", text ? static_cast<UINT>(lstrlenA(text)) : 0, nullptr);
}

void WINAPI StatusLine_PopText(HWND hwnd)
{
    if (const StatusLineState* s = StateOf(hwnd))
        SL_InvalidateStrip(hwnd, *s);
}

// A frame whose status line is gone (or a stray call for a window that never
// had one) is handed to the procedure the subclassing replaced, or else to
// DefWindowProcA.
LRESULT WINAPI StatusLine_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    StatusLineState* s = StateOf(hwnd);
    if (!s)
        return subclass::CallPrevious(hwnd, msg, wParam, lParam, kPreviousProp);
    switch (msg) {
    case WM_PAINT:
        if (!SL_Paint(hwnd, s))
            return 0;
        break;
    case WM_DESTROY:
        return SL_Detach(hwnd, s, wParam, lParam);
    }
    return CallWindowProcA(s->PreviousWndProc, hwnd, msg, wParam, lParam);
}
