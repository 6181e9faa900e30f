// The windows the benchmarks time: bare host windows, and each library
// control beside the common control that does the same job.
#pragma once
#include <windows.h>

namespace bench {

// Registers the class of the host windows and of the empty control the
// floor is measured with: DefWindowProcA, the button-face background.
void RegisterBenchClasses();
extern const char kEmptyClass[];

// A top-level window without a frame, holding what is timed, visible unless
// asked otherwise; it is destroyed, with its children, with the object.
class Host {
public:
    Host(int x, int y, int width, int height, bool visible = true);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    operator HWND() const { return hwnd_; }
private:
    HWND hwnd_;
};

// A visible child window.
HWND Child(HWND parent, const char* className, DWORD style, int x, int y, int width, int height,
           const char* text = "");

// One side of a comparison set up in its host: the window that paints, the
// window UpdateWindow is called on (the frame, for the status line and the
// status bar), how a new value is shown and what a full repaint invalidates.
struct Side {
    HWND painter = nullptr;
    HWND updated = nullptr;
    void (*show)(HWND painter, int i) = nullptr;  // shows the i-th value of a sequence
    void (*invalidate)(const Side& side) = nullptr;
    bool printable = true;  // answers WM_PRINTCLIENT
};

// A control of the library and the common control it is compared with.
struct Pair {
    const char* ours;
    const char* theirs;
    int width, height;             // of each host
    double updateGoal;             // also the goal for a repaint
    Side (*makeOurs)(HWND host);   // creates the control in the host
    Side (*makeTheirs)(HWND host);
    void (*createOurs)(HWND parent);  // creates a control and destroys it
    void (*createTheirs)(HWND parent);
    // The control repaints at once while it is filled (the toolbar after
    // each tool it is given): creation is timed in a hidden parent as well.
    bool repaintsWhileFilled;
};

extern const Pair kPairs[];
extern const int kPairCount;

// Values that change at every step: i-th value of a sequence over 0..top.
inline int Step(int i, int top)
{
    return static_cast<int>((static_cast<long long>(i) * 97) % (top + 1));
}

}  // namespace bench
