// ztbench: times painting of library controls under the current window
// system.  Each benchmark is a function returning microseconds per operation,
// listed in kBenchmarks.
#include "ztctrl32.h"
#include "gdiguard.h"

#include <cstdio>
#include <iterator>

namespace {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    // Microseconds per operation for count operations since construction.
    double MicrosecondsPer(int count) const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return (now.QuadPart - start_.QuadPart) * 1e6 / frequency.QuadPart / count;
    }
private:
    LARGE_INTEGER start_;
};

// A visible top-level window at the screen's corner holding one control.
class Host {
public:
    Host(const char* className, int width, int height)
        : popup_(CreateWindowExA(WS_EX_TOOLWINDOW, "static", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 width, height, nullptr, nullptr, nullptr, nullptr)),
          control_(CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                   popup_, nullptr, nullptr, nullptr))
    {
        UpdateWindow(popup_);
    }
    ~Host() { DestroyWindow(popup_); }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    HWND control() const { return control_; }
private:
    HWND popup_;
    HWND control_;
};

// Repaints the whole control count times through WM_PAINT.
double PaintRepeatedly(HWND control, int count)
{
    Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
    }
    return watch.MicrosecondsPer(count);
}

double VUMeterFullPaint()
{
    Host host(ZTC_VU_H_CLASS, 240, 18);
    if (!host.control())
        return -1;
    ZtVUMeter_SetLevel(host.control(), 256);
    return PaintRepeatedly(host.control(), 2000);
}

// Draws the control count times into a memory bitmap through WM_PRINTCLIENT:
// the painter alone, without the window system's paint cycle.
double PrintRepeatedly(HWND control, int width, int height, int count)
{
    zt::WindowDC screen(nullptr);
    zt::MemoryDC memory(screen);
    zt::Owned<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
    zt::Select select(memory, bitmap);
    Stopwatch watch;
    for (int i = 0; i < count; ++i)
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(HDC(memory)), PRF_CLIENT);
    return watch.MicrosecondsPer(count);
}

double VUMeterFullPrint()
{
    Host host(ZTC_VU_H_CLASS, 240, 18);
    if (!host.control())
        return -1;
    ZtVUMeter_SetLevel(host.control(), 256);
    return PrintRepeatedly(host.control(), 240, 18, 2000);
}

struct Benchmark {
    const char* name;
    double (*run)();  // microseconds per operation; negative when it cannot run
};

constexpr Benchmark kBenchmarks[] = {
    {"VU meter at full level, 2000 paints", VUMeterFullPaint},
    {"VU meter at full level, 2000 WM_PRINTCLIENT", VUMeterFullPrint},
};

}  // namespace

int main()
{
    ZTC_Register(0);
    int failures = 0;
    for (const Benchmark& b : kBenchmarks) {
        const double us = b.run();
        if (us < 0) {
            std::printf("%-44s  failed\n", b.name);
            ++failures;
        } else {
            std::printf("%-44s  %8.1f us each\n", b.name, us);
        }
    }
    return failures ? 1 : 0;
}
