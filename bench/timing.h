// Timing for the benchmarks: wall-clock and thread CPU clocks, medians, and
// the comparison of two operations in alternating blocks.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace bench {

// Wall-clock microseconds since an arbitrary start.
double WallMicroseconds();
// User and kernel CPU time of the calling thread, in microseconds.  The
// system counts it in scheduler ticks (10 ms under Wine), so only sums over
// long stretches mean anything.
double ThreadCpuMicroseconds();

double Median(std::vector<double> values);

// Dispatches whatever the windows posted, so that nothing piles up between
// blocks.
void PumpMessages();

// One timed operation; i counts its calls, so that each call can show a
// value different from the one before.
using Operation = std::function<void(int i)>;

// Medians of a comparison: microseconds per operation of each side (wall
// clock, and the thread's CPU time), and the median of the per-block ratios
// ours / theirs of the wall-clock times; the floor's median when one ran.
struct Comparison {
    double ours;
    double theirs;
    double ratio;
    double oursCpu;
    double theirsCpu;
    double floor;
};

// After a warm-up that also sizes the blocks (a block of the slower side
// lasts about blockUs microseconds), runs `blocks` blocks of each side,
// alternating: ours, theirs, ours, ...  Both sides run the same number of
// operations per block.  A floor operation (what the window system costs
// without any control) runs its own block after each pair, so that it meets
// the same load.
Comparison Compare(const Operation& ours, const Operation& theirs, int blocks, double blockUs = 10000,
                   const Operation& floor = nullptr);

// The median over `blocks` blocks of one operation alone, in microseconds
// per operation (wall clock).
double MedianTime(const Operation& op, int blocks, double blockUs = 10000);

}  // namespace bench
