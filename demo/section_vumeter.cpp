// VU meters with three zone settings, their levels swept by the timer.
#include "gallery.h"
#include "ztctrl32.h"

#include <iterator>

namespace {

struct MeterSetting {
    const char* label;
    LONG green, yellow, red;  // zone sizes in scale units; green < 0: defaults
    int phase;                // where on its sweep the meter starts
};

constexpr MeterSetting kMeters[] = {
    {"Default zones (192, 48, 16)", -1, -1, -1, 10},
    {"Green 128, yellow 64, red 64", 128, 64, 64, 0},
    {"All zones 0: frame only", 0, 0, 0, 128},
};

constexpr int kLabelWidth = 180, kMeterWidth = 240, kRowHeight = 28, kMeterHeight = 18;
constexpr int kFullScale = 256;
constexpr int kSweepSpeed = 12;  // scale units per tick

void VUMeter_Create(HWND frame, RECT area, int firstId)
{
    int y = area.top;
    int id = firstId;
    for (const MeterSetting& m : kMeters) {
        GalleryChild(frame, "static", m.label, SS_LEFT, -1, area.left, y + 2, kLabelWidth,
                     kMeterHeight);
        HWND meter = GalleryChild(frame, ZTC_VU_H_CLASS, "", 0, id++, area.left + kLabelWidth, y,
                                  kMeterWidth, kMeterHeight);
        if (m.green >= 0) {
            ZtVUMeter_SetGreen(meter, m.green);
            ZtVUMeter_SetYellow(meter, m.yellow);
            ZtVUMeter_SetRed(meter, m.red);
        }
        y += kRowHeight;
    }
}

// Sweeps each level up to full scale and back down again.
void VUMeter_Tick(HWND frame, int firstId, int step)
{
    int id = firstId;
    for (const MeterSetting& m : kMeters) {
        const int t = (step * kSweepSpeed + m.phase) % (2 * kFullScale);
        const int level = t <= kFullScale ? t : 2 * kFullScale - t;
        ZtVUMeter_SetLevel(GetDlgItem(frame, id++), level);
    }
}

}  // namespace

extern const GallerySection VUMeterSection = {
    "VU meters", kLabelWidth + kMeterWidth, kRowHeight * static_cast<int>(std::size(kMeters)),
    VUMeter_Create, VUMeter_Tick, nullptr, nullptr, nullptr,
};
