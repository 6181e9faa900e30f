// Shared test support: a recording parent window, a message spy for
// controls, message logs (one window's or several windows' in one order),
// message-sequence comparison, update-region and pixel helpers.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ztctrl32.h"

namespace ztest {

// A base of the helpers that own a window, a hook or a handle: never copied.
struct NoCopy {
    NoCopy() = default;
    NoCopy(const NoCopy&) = delete;
    NoCopy& operator=(const NoCopy&) = delete;
};

// One message as a window received it.
struct Msg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND hwnd = nullptr;  // the window that received it
    bool posted = false;  // dispatched from the queue by PumpMessages, not sent
};

// An expected message: fields marked "any" are not compared.
struct Expect {
    enum class Via { Any, Sent, Posted };
    UINT message;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool anyWParam = false;
    bool anyLParam = false;
    HWND window = nullptr;   // the window that receives it; null: any
    Via via = Via::Any;      // how it arrives
    bool optional = false;   // may be missing from the sequence

    Expect To(HWND w) const { Expect e = *this; e.window = w; return e; }
    Expect Sent() const { Expect e = *this; e.via = Via::Sent; return e; }
    Expect Posted() const { Expect e = *this; e.via = Via::Posted; return e; }
    Expect Optional() const { Expect e = *this; e.optional = true; return e; }
};

std::string Describe(const Msg& m);
std::string Describe(const std::vector<Msg>& list);

// Messages received, in order.
class MessageLog {
public:
    void Add(const Msg& m) { msgs_.push_back(m); }
    void Clear() { msgs_.clear(); }
    const std::vector<Msg>& All() const { return msgs_; }
    // Only the messages with these numbers, in order.
    std::vector<Msg> Only(std::initializer_list<UINT> numbers) const;
    int Count(UINT message) const { return static_cast<int>(Only({message}).size()); }
private:
    std::vector<Msg> msgs_;
};

// Compares a message sequence entry by entry (as Wine's conformance tests
// do) and reports the first difference.  An optional entry that does not
// match is passed over.
::testing::AssertionResult SequenceIs(const std::vector<Msg>& got, const std::vector<Expect>& want);

// A WM_COMMAND as a control sends it: (id, code) in wParam, control in lParam.
inline Expect Command(int id, int code, HWND control) { return {WM_COMMAND, MAKEWPARAM(id, code), LPARAM(control)}; }

// A visible top-level window inside the virtual screen that records every
// message it receives and answers chosen messages with chosen results.
class ParentWindow : NoCopy {
public:
    explicit ParentWindow(int width = 640, int height = 480);
    ~ParentWindow();

    HWND hwnd() const { return hwnd_; }
    MessageLog& log() { return log_; }
    // Records into `shared` too: one log of several windows, in the order
    // the messages arrived (each entry names its window).
    void AlsoLogTo(MessageLog& shared) { shared_ = &shared; }
    // Answer `message` with `result` from now on (default: DefWindowProc).
    void Answer(UINT message, LRESULT result) { answers_.emplace_back(message, result); }
    // Run action `a` whenever `message` arrives (after it is logged), as an
    // application's handler would: it may destroy the sender, for instance.
    void When(UINT message, std::function<void(const Msg&)> a) { actions_.emplace_back(message, std::move(a)); }

    // Creates a visible child control of the given class and size.
    HWND CreateChild(const char* className, DWORD style, int x, int y, int w, int h, int id = 100,
                     const char* text = nullptr);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    MessageLog log_;
    MessageLog* shared_ = nullptr;
    std::vector<std::pair<UINT, LRESULT>> answers_;
    std::vector<std::pair<UINT, std::function<void(const Msg&)>>> actions_;
};

// Subclasses a window and records what it receives (WM_ERASEBKGND, WM_PAINT,
// timers ...) before passing it on.
class Spy : NoCopy {
public:
    explicit Spy(HWND hwnd);
    ~Spy();
    MessageLog& log() { return log_; }
private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
    WNDPROC previous_;
    MessageLog log_;
};

// Dispatches every queued message of this thread; the recording windows
// mark what they receive this way as posted.
void PumpMessages();
// Pumps messages for about `ms` milliseconds (for timers).
inline void PumpFor(DWORD ms)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;)
        PumpMessages(), MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    PumpMessages();
}

// Paints everything pending now and leaves nothing invalid.
inline void PaintNow(HWND hwnd) { PumpMessages(), UpdateWindow(hwnd), ValidateRect(hwnd, nullptr); }

// The window's pending update region equals the union of these rectangles
// (an empty list: nothing pending).
::testing::AssertionResult UpdateRegionIs(HWND hwnd, std::initializer_list<RECT> rects);

// Whether painting what is pending now erases the background first: paints
// (UpdateWindow) and reports whether WM_ERASEBKGND reached the window.
inline bool PaintErases(HWND hwnd)
{
    Spy spy(hwnd);
    UpdateWindow(hwnd);
    return spy.log().Count(WM_ERASEBKGND) > 0;
}

// Pixel read-back from the window's client area.
COLORREF Pixel(HWND hwnd, int x, int y);

// Pixel probes.  A Dot is one pixel and its colour; a Span a solid block of
// pixels (left, top, width, height) and its colour.  A failure names the
// first pixel that differs.
struct Dot { int x, y; COLORREF colour; };
struct Span { int x, y, w, h; COLORREF colour; };
using PixelReader = std::function<COLORREF(int x, int y)>;
// Every span, moved by (dx, dy), has its colour as `read` sees it.
::testing::AssertionResult SpansAre(const PixelReader& read, const std::vector<Span>& spans, int dx = 0, int dy = 0);
// The same for the window's client area.
::testing::AssertionResult SpansAre(HWND hwnd, const std::vector<Span>& spans, int dx = 0, int dy = 0);
::testing::AssertionResult DotsAre(HWND hwnd, const std::vector<Dot>& dots);
// Every pixel of the client rectangle (l, t) - (r, b), right and bottom
// excluded, has the colour.
::testing::AssertionResult AreaIs(HWND hwnd, RECT area, COLORREF colour);

// Sends a mouse message with a client point.
inline LRESULT Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0)
{
    return SendMessageA(hwnd, message, keys, MAKELPARAM(WORD(x), WORD(y)));
}

// Ends the test program with a message when the scope lasts longer than
// `ms`, or `ms` passes without a Pet: a guard against a hang (generous,
// never a timing assertion).  `report`, when given, prints more first.
class Watchdog : NoCopy {
public:
    Watchdog(DWORD ms, const char* what, void (*report)() = nullptr) : ms_(ms), what_(what), report_(report)
    {
        CreateTimerQueueTimer(&timer_, nullptr, Bark, this, ms, 0, 0);
    }
    ~Watchdog() { DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE); }
    void Pet() { ChangeTimerQueueTimer(nullptr, timer_, ms_, 0); }  // progress: the time starts again
private:
    static VOID CALLBACK Bark(PVOID self, BOOLEAN);
    HANDLE timer_ = nullptr;
    DWORD ms_;
    const char* what_;
    void (*report_)();
};

// Counts the faults (access violations, divisions by zero ...) raised on
// any thread while it lives, before anything handles them: the system's
// message dispatch swallows some of those raised in a window procedure.
// The system's pointer probes, which catch their own, are left out.  The
// first is printed, and `report` runs then when it is given.
class FaultCount : NoCopy {
public:
    explicit FaultCount(void (*report)() = nullptr);
    ~FaultCount() { RemoveVectoredExceptionHandler(handler_); }
    LONG Faults() const;
private:
    PVOID handler_;
};

// `usual` in an ordinary run, `soak` when the environment variable ZTC_SOAK
// is set (a long run by hand); ZTC_SOAK=0.1 and other fractions below 1 run
// that share of `soak`, never less than `usual`.
int Scaled(int usual, int soak);

// Colour printing for failures.
std::string Hex(COLORREF c);

// The library's module, loaded by the test program.
inline HMODULE Library() { return GetModuleHandleA("ztctrl32.dll"); }

// An exported function of a module, as a typed pointer (null when missing).
template <class Fn>
Fn Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace ztest

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& os, const RECT& r)
{
    return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
