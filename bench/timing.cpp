#include "timing.h"

#include <algorithm>

namespace bench {

double WallMicroseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double ThreadCpuMicroseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10.0;  // 100 ns units
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

struct Block {
    double wall;  // microseconds per operation
    double cpu;
};

// Runs count operations from call number first on.
Block RunBlock(const Operation& op, int& first, int count)
{
    const double start = WallMicroseconds(), cpu = ThreadCpuMicroseconds();
    for (int i = 0; i < count; ++i)
        op(first++);
    const Block block{(WallMicroseconds() - start) / count, (ThreadCpuMicroseconds() - cpu) / count};
    PumpMessages();
    return block;
}

// How many operations fit in about `us` microseconds (at least one).
int OperationsIn(const Operation& op, int& first, double us)
{
    const double start = WallMicroseconds();
    int n = 0;
    do {
        op(first++);
        ++n;
    } while (WallMicroseconds() - start < us);
    PumpMessages();
    return n;
}

}  // namespace

Comparison Compare(const Operation& ours, const Operation& theirs, int blocks, double blockUs,
                   const Operation& floor)
{
    int nextOurs = 0, nextTheirs = 0, nextFloor = 0;
    const double warmUp = 2 * blockUs;  // per side
    const int perBlock =
        std::max(1, std::min(OperationsIn(ours, nextOurs, warmUp), OperationsIn(theirs, nextTheirs, warmUp)) / 2);
    std::vector<double> oursUs, theirsUs, ratios, oursCpu, theirsCpu, floorUs;
    for (int b = 0; b < blocks; ++b) {
        const Block o = RunBlock(ours, nextOurs, perBlock);
        const Block t = RunBlock(theirs, nextTheirs, perBlock);
        oursUs.push_back(o.wall);
        theirsUs.push_back(t.wall);
        ratios.push_back(o.wall / t.wall);
        oursCpu.push_back(o.cpu);
        theirsCpu.push_back(t.cpu);
        if (floor)
            floorUs.push_back(RunBlock(floor, nextFloor, perBlock).wall);
    }
    return Comparison{Median(oursUs),  Median(theirsUs),  Median(ratios),
                      Median(oursCpu), Median(theirsCpu), Median(floorUs)};
}

double MedianTime(const Operation& op, int blocks, double blockUs)
{
    int next = 0;
    const int perBlock = std::max(1, OperationsIn(op, next, 2 * blockUs) / 2);
    std::vector<double> us;
    for (int b = 0; b < blocks; ++b)
        us.push_back(RunBlock(op, next, perBlock).wall);
    return Median(us);
}

}  // namespace bench
