// Gauges: fixed percentages including one beyond 100, a bar colour of our
// own, a font of our own and one gauge filled by the timer.
#include "gallery.h"
#include "ztctrl32.h"

#include <iterator>

namespace {

constexpr COLORREF kDefaultColour = CLR_INVALID;

struct GaugeSetting {
    const char* label;
    int percent;
    COLORREF colour;  // kDefaultColour keeps the gauge's own
    bool ownFont;
};

constexpr GaugeSetting kGauges[] = {
    {"0%", 0, kDefaultColour, false},
    {"42%", 42, kDefaultColour, false},
    {"100%", 100, kDefaultColour, false},
    {"150%", 150, kDefaultColour, false},
    {"Colour", 67, RGB(0, 128, 0), false},
    {"Font", 58, kDefaultColour, true},
};
constexpr int kCount = static_cast<int>(std::size(kGauges));
constexpr int kAnimated = kCount;  // id offset of the gauge the timer fills

constexpr int kColumns = 2, kLabelWidth = 48, kGaugeWidth = 160, kColumnGap = 24;
constexpr int kGaugeHeight = 24, kRowHeight = 32;
constexpr int kWidth = kColumns * (kLabelWidth + kGaugeWidth) + (kColumns - 1) * kColumnGap;
constexpr int kRows = (kCount + kColumns - 1) / kColumns + 1;

HFONT CreateOwnFont()
{
    LOGFONTA font{};
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);  // one of Wine's own fonts
    return CreateFontIndirectA(&font);
}

HWND Gauge(HWND frame, const char* label, int id, int x, int y, int gaugeWidth)
{
    GalleryChild(frame, "static", label, SS_LEFT, -1, x, y + 5, kLabelWidth, 16);
    return GalleryChild(frame, ZTC_GAUGE_CLASS, "", 0, id, x + kLabelWidth, y, gaugeWidth,
                        kGaugeHeight);
}

void Gauges_Create(HWND frame, RECT area, int firstId)
{
    for (int i = 0; i < kCount; ++i) {
        const GaugeSetting& g = kGauges[i];
        const int x = area.left + (i % kColumns) * (kLabelWidth + kGaugeWidth + kColumnGap);
        const int y = area.top + (i / kColumns) * kRowHeight;
        HWND gauge = Gauge(frame, g.label, firstId + i, x, y, kGaugeWidth);
        ZtGauge_SetPercent(gauge, g.percent);
        if (g.colour != kDefaultColour)
            ZtGauge_SetColor(gauge, g.colour);
        if (g.ownFont)
            SendMessageA(gauge, WM_SETFONT, reinterpret_cast<WPARAM>(CreateOwnFont()), TRUE);
    }
    Gauge(frame, "Timer", firstId + kAnimated, area.left, area.top + (kRows - 1) * kRowHeight,
          kWidth - kLabelWidth);
}

// Fills the timed gauge from 0 to 100 and starts again.
void Gauges_Tick(HWND frame, int firstId, int step)
{
    ZtGauge_SetPercent(GetDlgItem(frame, firstId + kAnimated), (step * 3) % 101);
}

// The gauge with our font lets it go before the font is deleted.
void Gauges_Destroy(HWND frame, int firstId)
{
    for (int i = 0; i < kCount; ++i) {
        if (!kGauges[i].ownFont)
            continue;
        HWND gauge = GetDlgItem(frame, firstId + i);
        const auto font = reinterpret_cast<HFONT>(SendMessageA(gauge, WM_GETFONT, 0, 0));
        SendMessageA(gauge, WM_SETFONT, 0, FALSE);
        if (font)
            DeleteObject(font);
    }
}

}  // namespace

extern const GallerySection GaugeSection = {
    "Gauges", kWidth, kRows * kRowHeight - (kRowHeight - kGaugeHeight),
    Gauges_Create, Gauges_Tick, nullptr, nullptr, Gauges_Destroy,
};
