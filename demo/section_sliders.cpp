// Sliders: one moved by the timer through its messages, one moved by key
// presses whose notifications drive a VU meter and a number, and an upright
// one holding the focus.
#include "gallery.h"
#include "status.h"
#include "ztctrl32.h"

#include <cstdio>

namespace {

// Offsets from the section's first id.
enum : int { kTimed, kTimedValue, kNotifying, kNotifyingValue, kMeter, kVertical };

constexpr int kLabelWidth = 64, kSliderWidth = 180, kGap = 8;
constexpr int kTimedHeight = 36, kNotifyingTop = 46, kNotifyingHeight = 28;
constexpr int kMeterWidth = 80, kMeterHeight = 16, kValueWidth = 28;
constexpr int kValueLeft = kLabelWidth + kSliderWidth + kGap;
constexpr int kVerticalLeft = kValueLeft + kMeterWidth + kGap + kValueWidth + 24;
constexpr int kVerticalWidth = 36, kVerticalHeight = kNotifyingTop + kNotifyingHeight;
constexpr int kCaptionWidth = 100, kCaptionHeight = 16;
constexpr int kWidth = kVerticalLeft + (kVerticalWidth + kCaptionWidth) / 2;
constexpr int kHeight = kVerticalHeight + 4 + kCaptionHeight;
constexpr int kTimedSpeed = 9;       // value units per tick
constexpr int kPagesEachWay = 8;     // Page Up presses before turning back
constexpr int kMeterFullScale = 256;

void Label(HWND frame, const char* text, DWORD style, int id, int x, int y, int width)
{
    GalleryChild(frame, "static", text, style, id, x, y, width, kCaptionHeight);
}

void Sliders_Create(HWND frame, RECT area, int firstId)
{
    const int x = area.left, y = area.top, valueLeft = x + kValueLeft;

    Label(frame, "By timer", SS_LEFT, -1, x, y + 11, kLabelWidth);
    HWND timed = GalleryChild(frame, ZTC_SLIDER_H_CLASS, "", SLS_BORDER, firstId + kTimed,
                              x + kLabelWidth, y, kSliderWidth, kTimedHeight);
    ZtSlider_SetTicks(timed, 11);
    ZtSlider_SetLabels(timed, TRUE);
    Label(frame, "0", SS_LEFT, firstId + kTimedValue, valueLeft, y + 11, kValueWidth);

    const int ny = y + kNotifyingTop;
    Label(frame, "Notifying", SS_LEFT, -1, x, ny + 7, kLabelWidth);
    GalleryChild(frame, ZTC_SLIDER_H_CLASS, "", SLS_NOTIFY, firstId + kNotifying, x + kLabelWidth,
                 ny, kSliderWidth, kNotifyingHeight);
    GalleryChild(frame, ZTC_VU_H_CLASS, "", 0, firstId + kMeter, valueLeft,
                 ny + (kNotifyingHeight - kMeterHeight) / 2, kMeterWidth, kMeterHeight);
    Label(frame, "0", SS_LEFT, firstId + kNotifyingValue, valueLeft + kMeterWidth + kGap, ny + 7,
          kValueWidth);

    HWND vertical = GalleryChild(frame, ZTC_SLIDER_V_CLASS, "", 0, firstId + kVertical,
                                 x + kVerticalLeft, y, kVerticalWidth, kVerticalHeight);
    ZtVSlider_SetTicks(vertical, 6);
    ZtVSlider_SetPos(vertical, 170);
    SetFocus(vertical);
    Label(frame, "Vertical, focused", SS_CENTER, -1,
          x + kVerticalLeft + (kVerticalWidth - kCaptionWidth) / 2, y + kVerticalHeight + 4,
          kCaptionWidth);
}

// The timed slider sweeps back and forth by message (which never notifies,
// so its number is set here too); the notifying one gets Page Up and Page
// Down presses as a user would give them.
void Sliders_Tick(HWND frame, int firstId, int step)
{
    HWND timed = GetDlgItem(frame, firstId + kTimed);
    const int range = ZtSlider_GetRange(timed);
    const int t = step * kTimedSpeed % (2 * range);
    const int position = t <= range ? t : 2 * range - t;
    ZtSlider_SetPos(timed, position);
    SetDlgItemInt(frame, firstId + kTimedValue, position, FALSE);
    char text[32];
    std::snprintf(text, sizeof text, "Timed slider: %d", position);
    StatusLine_SetText(frame, kSliderPane, text);

    const WPARAM key = (step / kPagesEachWay) % 2 == 0 ? VK_PRIOR : VK_NEXT;
    SendDlgItemMessageA(frame, firstId + kNotifying, WM_KEYDOWN, key, 1);
}

// A new position of the notifying slider: the meter shows it on its scale.
LRESULT Sliders_Notify(HWND frame, int firstId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COMMAND || LOWORD(wParam) != firstId + kNotifying ||
        HIWORD(wParam) != SLN_POSCHANGED)
        return 0;
    const auto slider = reinterpret_cast<HWND>(lParam);
    const int position = ZtSlider_GetPos(slider), range = ZtSlider_GetRange(slider);
    const int level =
        range > 0 ? static_cast<int>(static_cast<LONGLONG>(position) * kMeterFullScale / range) : 0;
    ZtVUMeter_SetLevel(GetDlgItem(frame, firstId + kMeter), level);
    SetDlgItemInt(frame, firstId + kNotifyingValue, static_cast<UINT>(position), FALSE);
    return 0;
}

}  // namespace

extern const GallerySection SliderSection = {
    "Sliders", kWidth, kHeight,
    Sliders_Create, Sliders_Tick, nullptr, Sliders_Notify, nullptr,
};
