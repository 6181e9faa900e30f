// ztbench: the library's controls timed against the system's common controls
// that do the same job, in one process, in alternating blocks, and a mixing
// console of 128 controls changing at 60 frames a second.  Prints Markdown
// tables.  Timings are noisy: run it on a quiet machine.
//   ztbench [--blocks N] [--block-ms N] [--console-blocks N]
#include "console.h"
#include "pairs.h"
#include "timing.h"

#include "gdiguard.h"
#include "ztctrl32.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using bench::Comparison;
using bench::Operation;
using bench::Pair;
using bench::Side;

// Where the hosts lie, apart on the 1024 x 768 screen: ours at the top-left
// corner, the common control's right of it, the floor's below.
constexpr int kTheirsX = 512;
constexpr int kFloorX = 0, kFloorY = 384;

int g_blocks = 31;          // blocks per side of every comparison
double g_blockUs = 10000;   // a block of the slower side lasts about this

void PrintHeader()
{
    using WineVersion = const char*(CDECL*)();
    const auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    DLLVERSIONINFO comctl{sizeof comctl, 0, 0, 0, 0};
    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "DllGetVersion")));
    if (getVersion)
        getVersion(&comctl);
    std::printf("ztbench: %s, Wine %s, comctl32 %lu.%lu, %d blocks per side of about %.0f ms\n\n",
                sizeof(void*) == 8 ? "x86_64" : "i686", wine ? wine() : "(none)", comctl.dwMajorVersion,
                comctl.dwMinorVersion, g_blocks, g_blockUs / 1000);
    std::printf("| pair (ours / theirs) | metric | ours us | theirs us | floor us | ours/theirs | above floor | goal |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
}

// One row: the medians, the floor when one was measured, the ratio and,
// beside it, the ratio of what each side costs above the floor.
void PrintRow(const char* pair, const char* metric, const Comparison& c, double goal)
{
    char floor[16] = "-", aboveFloor[16] = "-", goalText[24] = "-";
    if (c.floor > 0) {
        std::snprintf(floor, sizeof floor, "%.1f", c.floor);
        if (c.ours > c.floor && c.theirs > c.floor)
            std::snprintf(aboveFloor, sizeof aboveFloor, "%.2f", (c.ours - c.floor) / (c.theirs - c.floor));
    }
    if (goal > 0)
        std::snprintf(goalText, sizeof goalText, "<= %.1f%s", goal, c.ratio > goal ? " (above)" : "");
    std::printf("| %s | %s | %.1f | %.1f | %s | %.2f | %s | %s |\n", pair, metric, c.ours, c.theirs, floor, c.ratio,
                aboveFloor, goalText);
    std::fflush(stdout);
}

// What the window system costs before any control draws: an empty window of
// the pair's size repainted, an empty child of that size made and destroyed.
class Floor {
public:
    Floor(int width, int height)
        : host_(kFloorX, kFloorY, width, height), width_(width), height_(height),
          empty_(bench::Child(host_, bench::kEmptyClass, 0, 0, 0, width, height))
    {
        UpdateWindow(host_);
    }
    Operation Repaint() const
    {
        return [this](int) {
            InvalidateRect(empty_, nullptr, TRUE);
            UpdateWindow(empty_);
        };
    }
    Operation NothingToPaint() const
    {
        return [this](int) { UpdateWindow(empty_); };
    }
    Operation Create() const
    {
        return [this](int) { DestroyWindow(bench::Child(host_, bench::kEmptyClass, 0, 0, 0, width_, height_)); };
    }
private:
    bench::Host host_;
    int width_, height_;
    HWND empty_;
};

Operation Update(const Side& side)
{
    return [&side](int i) {
        side.show(side.painter, i);
        UpdateWindow(side.updated);
    };
}

Operation Repaint(const Side& side)
{
    return [&side](int) {
        side.invalidate(side);
        UpdateWindow(side.updated);
    };
}

// WM_PRINTCLIENT into a memory bitmap of the control's size.
class Printer {
public:
    Printer(int width, int height)
        : screen_(nullptr), memory_(screen_), bitmap_(CreateCompatibleBitmap(screen_, width, height)),
          select_(memory_, bitmap_)
    {
    }
    Operation Print(const Side& side) const
    {
        const HDC dc = memory_;
        return [dc, &side](int) {
            SendMessageA(side.painter, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        };
    }
private:
    zt::WindowDC screen_;
    zt::MemoryDC memory_;
    zt::Owned<HBITMAP> bitmap_;
    zt::Select select_;
};

// Update, repaint and paint only of the two controls, each in its own host.
void CompareDrawing(const char* name, const Pair& pair, const Floor& floor)
{
    bench::Host oursHost(0, 0, pair.width, pair.height), theirsHost(kTheirsX, 0, pair.width, pair.height);
    const Side ours = pair.makeOurs(oursHost), theirs = pair.makeTheirs(theirsHost);
    UpdateWindow(oursHost);
    UpdateWindow(theirsHost);
    PrintRow(name, "update", bench::Compare(Update(ours), Update(theirs), g_blocks, g_blockUs, floor.Repaint()),
             pair.updateGoal);
    PrintRow(name, "repaint", bench::Compare(Repaint(ours), Repaint(theirs), g_blocks, g_blockUs, floor.Repaint()),
             pair.updateGoal);
    if (!ours.printable || !theirs.printable) {
        std::printf("| %s | paint only | - | - | - | - | - | not a window: paints in its frame's WM_PAINT only |\n",
                    name);
        return;
    }
    const Printer printer(pair.width, pair.height);
    PrintRow(name, "paint only", bench::Compare(printer.Print(ours), printer.Print(theirs), g_blocks, g_blockUs), 0.5);
}

void CompareCreation(const char* name, const char* metric, const Pair& pair, const Floor& floor, bool visible)
{
    const bench::Host parent(0, 0, pair.width, pair.height, visible);
    const HWND p = parent;
    PrintRow(name, metric,
             bench::Compare([&](int) { pair.createOurs(p); }, [&](int) { pair.createTheirs(p); }, g_blocks,
                            g_blockUs, floor.Create()),
             1.0);
}

void ComparePair(const Pair& pair)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s / %s", pair.ours, pair.theirs);
    const Floor floor(pair.width, pair.height);
    CompareDrawing(name, pair, floor);
    CompareCreation(name, "create+destroy", pair, floor, true);
    if (pair.repaintsWhileFilled)
        CompareCreation(name, "create+destroy, parent hidden", pair, floor, false);
}

void PrintFloor()
{
    constexpr int kWidth = 200, kHeight = 20;
    const Floor floor(kWidth, kHeight);
    std::printf("\nFloor, an empty %d x %d window: InvalidateRect+UpdateWindow %.1f us, UpdateWindow with nothing "
                "to paint %.1f us, create+destroy %.1f us\n",
                kWidth, kHeight, bench::MedianTime(floor.Repaint(), g_blocks, g_blockUs),
                bench::MedianTime(floor.NothingToPaint(), g_blocks, g_blockUs),
                bench::MedianTime(floor.Create(), g_blocks, g_blockUs));
}

void CompareConsoles(int blocks)
{
    const Comparison c = bench::CompareConsoles(blocks);
    const auto row = [](const char* side, double us, double cpu) {
        std::printf("| %s | %.2f | %.0f%% | %.2f | %.0f%% |\n", side, us / 1000, 100 * us / bench::kFrameUs,
                    cpu / 1000, 100 * cpu / bench::kFrameUs);
    };
    std::printf("\n| console: one frame of 128 changes | ms | of 16.7 ms | CPU ms | of 16.7 ms |\n");
    std::printf("|---|---|---|---|---|\n");
    row("ours: 64 VU meters, 64 sliders", c.ours, c.oursCpu);
    row("theirs: 64 progress bars, 64 trackbars", c.theirs, c.theirsCpu);
    std::printf("| ours/theirs (goal <= 0.5%s) | %.2f | | %.2f | |\n", c.ratio > 0.5 ? ", above" : "", c.ratio,
                c.oursCpu / c.theirsCpu);
}

int Argument(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    g_blocks = Argument(argc, argv, "--blocks", 31);
    g_blockUs = 1000.0 * Argument(argc, argv, "--block-ms", 10);
    const int consoleBlocks = Argument(argc, argv, "--console-blocks", 9);
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    if (!ZTC_Register(0) || !InitCommonControlsEx(&classes)) {
        std::printf("ztbench: the window classes could not be registered\n");
        return 1;
    }
    bench::RegisterBenchClasses();
    PrintHeader();
    for (int i = 0; i < bench::kPairCount; ++i)
        ComparePair(bench::kPairs[i]);
    PrintFloor();
    CompareConsoles(consoleBlocks);
    return 0;
}
