// A mixing console: one frame of 64 channels, each a level display above a
// fader, all changing at every frame of a 60 Hz animation.
#pragma once
#include "timing.h"

namespace bench {

constexpr int kChannels = 64;
constexpr double kFrameUs = 1e6 / 60;  // one frame at 60 Hz

// Frames of 64 VU meters and 64 horizontal sliders against frames of 64
// progress bars and 64 trackbars: per operation, one frame of changes (a new
// level and a new fader value on every channel, then UpdateWindow of the frame).
Comparison CompareConsoles(int blocks);

}  // namespace bench
