// Multi-scroll controls: a horizontal and a vertical one whose reports set
// the number beside them, one set up from its window text, one disabled.
// The timer clicks the arrows as the mouse would.
#include "gallery.h"
#include "ztctrl32.h"

#include <cstdio>
#include <iterator>

namespace {

struct ScrollSetting {
    const char* caption;  // before the value in the label
    DWORD style;
    const char* text;
    bool enabled;
    int labelWidth;
};

constexpr ScrollSetting kScrolls[] = {
    {"Horizontal", 0, "", true, 90},
    {"Text \"0,99,42\"", MSS_VERT | MSS_TEXTINIT, "0,99,42", true, 110},
    {"Disabled", 0, "", false, 60},
};
constexpr int kCount = static_cast<int>(std::size(kScrolls));
constexpr int kLabel = kCount;  // id offset of the first label

constexpr int kLong = 44, kShort = 22, kLabelGap = 6, kCellGap = 16;
constexpr int kClickEvery = 3, kTurnEvery = 15;  // ticks

constexpr bool IsVertical(const ScrollSetting& s)
{
    return (s.style & MSS_VERT) != 0;
}

// The control's size: long along its arrows.
constexpr SIZE ControlSize(const ScrollSetting& s)
{
    return IsVertical(s) ? SIZE{kShort, kLong} : SIZE{kLong, kShort};
}

// From the control's left edge to the next control's, past its label.
constexpr int CellWidth(const ScrollSetting& s)
{
    return ControlSize(s).cx + kLabelGap + s.labelWidth + kCellGap;
}

constexpr int Width()
{
    int width = -kCellGap;
    for (const ScrollSetting& s : kScrolls)
        width += CellWidth(s);
    return width;
}

void ShowValue(HWND frame, int firstId, int index, int value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%s: %d", kScrolls[index].caption, value);
    SetDlgItemTextA(frame, firstId + kLabel + index, text);
}

void MultiScroll_Create(HWND frame, RECT area, int firstId)
{
    int x = area.left;
    for (int i = 0; i < kCount; ++i) {
        const ScrollSetting& s = kScrolls[i];
        const SIZE size = ControlSize(s);
        HWND scroll = GalleryChild(frame, ZTC_MUSCROLL_CLASS, s.text, s.style, firstId + i, x,
                                   area.top + (kLong - size.cy) / 2, size.cx, size.cy);
        GalleryChild(frame, "static", s.caption, SS_LEFT, firstId + kLabel + i,
                     x + size.cx + kLabelGap, area.top + (kLong - 16) / 2, s.labelWidth, 16);
        if (s.enabled)
            ShowValue(frame, firstId, i, static_cast<SHORT>(ZtMultiScroll_GetValue(scroll)));
        else
            EnableWindow(scroll, FALSE);
        x += CellWidth(s);
    }
}

// A press and release in the middle of one half of control `index`.
void Click(HWND frame, int firstId, int index, bool second)
{
    HWND scroll = GetDlgItem(frame, firstId + index);
    RECT rc;
    GetClientRect(scroll, &rc);
    const bool vertical = IsVertical(kScrolls[index]);
    const int along = (vertical ? rc.bottom : rc.right) * (second ? 3 : 1) / 4;
    const int across = (vertical ? rc.right : rc.bottom) / 2;
    const LPARAM at = vertical ? MAKELPARAM(across, along) : MAKELPARAM(along, across);
    SendMessageA(scroll, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(scroll, WM_LBUTTONUP, 0, at);
}

// Clicks the enabled controls' second halves for a while, then their first;
// never while some window holds the mouse, so a user's drag goes on.
void MultiScroll_Tick(HWND frame, int firstId, int step)
{
    if (step % kClickEvery != 0 || GetCapture())
        return;
    const bool second = (step / kTurnEvery) % 2 == 0;
    for (int i = 0; i < kCount; ++i)
        if (kScrolls[i].enabled)
            Click(frame, firstId, i, second);
}

// A step report: HIWORD(wParam) holds the new value.
LRESULT MultiScroll_Notify(HWND frame, int firstId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_HSCROLL && msg != WM_VSCROLL)
        return 0;
    const int index = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - firstId;
    if (index >= 0 && index < kCount)
        ShowValue(frame, firstId, index, static_cast<SHORT>(HIWORD(wParam)));
    return 0;
}

}  // namespace

extern const GallerySection MultiScrollSection = {
    "Multi-scroll", Width(), kLong,
    MultiScroll_Create, MultiScroll_Tick, nullptr, MultiScroll_Notify, nullptr,
};
