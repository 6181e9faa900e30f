// Bitmap buttons showing pictures the section draws; the buttons own them.
// Every click is counted; the timer presses the first button with the space
// bar now and then.
#include "gallery.h"
#include "pictures.h"
#include "ztctrl32.h"

#include <cstdio>
#include <iterator>

namespace {

struct ButtonSetting {
    Shape shape;
    COLORREF colour;
    bool enabled;
};

constexpr ButtonSetting kButtons[] = {
    {Shape::Triangle, RGB(0, 160, 0), true},
    {Shape::Square, RGB(0, 0, 255), true},
    {Shape::Circle, RGB(255, 0, 0), true},
    {Shape::Diamond, RGB(255, 255, 0), false},
};
constexpr int kCount = static_cast<int>(std::size(kButtons));
constexpr int kCounter = kCount;  // id offset of the "clicked" label

constexpr int kPictureSize = 22, kButtonWidth = 40, kButtonHeight = 34, kButtonGap = 6;
constexpr int kCounterWidth = 150;
constexpr int kPressEvery = 12, kHoldFor = 6;  // ticks

void ShowCount(HWND label, LONG_PTR clicks)
{
    char text[40];
    std::snprintf(text, sizeof text, "clicked %ld time%s", static_cast<long>(clicks),
                  clicks == 1 ? "" : "s");
    SetWindowTextA(label, text);
}

void BitmapButtons_Create(HWND frame, RECT area, int firstId)
{
    int x = area.left;
    for (int i = 0; i < kCount; ++i) {
        const ButtonSetting& b = kButtons[i];
        HWND button = GalleryChild(frame, ZTC_BMPBTN_CLASS, "", 0, firstId + i, x, area.top,
                                   kButtonWidth, kButtonHeight);
        ZtBmpButton_SetBitmap(button, MakePicture(kPictureSize, kPictureSize, &b.shape, &b.colour, 1));
        if (!b.enabled)
            EnableWindow(button, FALSE);
        x += kButtonWidth + kButtonGap;
    }
    HWND counter = GalleryChild(frame, "static", "", SS_LEFT, firstId + kCounter, x + kButtonGap,
                                area.top + (kButtonHeight - 16) / 2, kCounterWidth, 16);
    ShowCount(counter, 0);
}

// Presses the first button with the space bar and lets go kHoldFor ticks later.
void BitmapButtons_Tick(HWND frame, int firstId, int step)
{
    constexpr LPARAM kFirstPress = 1, kRelease = 0xC0000001;
    if (step % kPressEvery == kHoldFor)
        SendDlgItemMessageA(frame, firstId, WM_KEYDOWN, VK_SPACE, kFirstPress);
    else if (step % kPressEvery == 0)
        SendDlgItemMessageA(frame, firstId, WM_KEYUP, VK_SPACE, kRelease);
}

// A click on any button: the label keeps the count in its user data.
LRESULT BitmapButtons_Notify(HWND frame, int firstId, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != WM_COMMAND || HIWORD(wParam) != 0 || LOWORD(wParam) >= firstId + kCount)
        return 0;
    HWND counter = GetDlgItem(frame, firstId + kCounter);
    const LONG_PTR clicks = GetWindowLongPtrA(counter, GWLP_USERDATA) + 1;
    SetWindowLongPtrA(counter, GWLP_USERDATA, clicks);
    ShowCount(counter, clicks);
    return 0;
}

}  // namespace

extern const GallerySection BitmapButtonSection = {
    "Bitmap buttons", kCount * (kButtonWidth + kButtonGap) + kButtonGap + kCounterWidth,
    kButtonHeight, BitmapButtons_Create, BitmapButtons_Tick, nullptr, BitmapButtons_Notify,
    nullptr,
};
