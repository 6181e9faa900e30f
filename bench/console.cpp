#include "console.h"

#include "pairs.h"
#include "ztctrl32.h"

#include <commctrl.h>

namespace bench {

namespace {

// Eight rows of eight channel cells, 120 x 40 pixels each: the meter
// (112 x 12) above the fader (112 x 24).
constexpr int kColumns = 8, kCellWidth = 120, kCellHeight = 40;
constexpr int kFrameWidth = kColumns * kCellWidth, kFrameHeight = kChannels / kColumns * kCellHeight;
constexpr int kLevelTop = 256, kFaderTop = 250;

struct Channel {
    HWND meter;
    HWND fader;
};

// One console: the frame and its channels, made by makeChannel(frame, x, y).
class Console {
public:
    Console(int y, Channel (*makeChannel)(HWND frame, int x, int y)) : frame_(0, y, kFrameWidth, kFrameHeight)
    {
        for (int c = 0; c < kChannels; ++c)
            channels_[c] = makeChannel(frame_, c % kColumns * kCellWidth + 4, c / kColumns * kCellHeight + 2);
        UpdateWindow(frame_);
    }
    // The f-th frame of changes: every meter and fader gets a new value.
    template <class SetLevel, class SetFader>
    void Frame(int f, SetLevel setLevel, SetFader setFader) const
    {
        for (int c = 0; c < kChannels; ++c) {
            setLevel(channels_[c].meter, Step(f * 131 + c * 17, kLevelTop));
            setFader(channels_[c].fader, Step(f * 29 + c * 7, kFaderTop));
        }
        UpdateWindow(frame_);
    }
private:
    Host frame_;
    Channel channels_[kChannels];
};

Channel OurChannel(HWND frame, int x, int y)
{
    const Channel channel{Child(frame, ZTC_VU_H_CLASS, 0, x, y, 112, 12),
                          Child(frame, ZTC_SLIDER_H_CLASS, 0, x, y + 12, 112, 24)};
    ZtSlider_SetRange(channel.fader, kFaderTop);
    return channel;
}

Channel TheirChannel(HWND frame, int x, int y)
{
    const Channel channel{Child(frame, PROGRESS_CLASSA, PBS_SMOOTH, x, y, 112, 12),
                          Child(frame, TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS, x, y + 12, 112, 24)};
    SendMessageA(channel.meter, PBM_SETRANGE32, 0, kLevelTop);
    SendMessageA(channel.fader, TBM_SETRANGE, TRUE, MAKELPARAM(0, kFaderTop));
    return channel;
}

}  // namespace

Comparison CompareConsoles(int blocks)
{
    const Console ours(0, OurChannel), theirs(kFrameHeight + 40, TheirChannel);
    return Compare(
        [&](int f) { ours.Frame(f, ZtVUMeter_SetLevel, ZtSlider_SetPos); },
        [&](int f) {
            theirs.Frame(
                f, [](HWND p, int v) { SendMessageA(p, PBM_SETPOS, v, 0); },
                [](HWND t, int v) { SendMessageA(t, TBM_SETPOS, TRUE, v); });
        },
        blocks, 200000);
}

}  // namespace bench
