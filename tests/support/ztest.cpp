#include "ztest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <utility>

namespace ztest {

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(c));
    return text;
}

std::string Describe(const Msg& m)
{
    char text[128];
    std::snprintf(text, sizeof text, "{0x%04X, wParam 0x%llX, lParam 0x%llX, window %p%s}", m.message,
                  static_cast<unsigned long long>(m.wParam), static_cast<unsigned long long>(m.lParam),
                  static_cast<void*>(m.hwnd), m.posted ? ", posted" : "");
    return text;
}

std::string Describe(const std::vector<Msg>& list)
{
    std::string text;
    for (const Msg& m : list)
        text += "\n    " + Describe(m);
    return text.empty() ? " (none)" : text;
}

namespace {

thread_local const MSG* Dispatching = nullptr;  // the queued message PumpMessages is dispatching
thread_local int Recording = 0;                 // recording procedures running now

// Records the message as the window receives it: posted when it is the
// queued message being dispatched and reached this window first.  Counts
// the recording procedure as running from then on, for its lifetime.
struct Recorder {
    Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, MessageLog* log, MessageLog* shared = nullptr)
    {
        const MSG* q = Dispatching;
        const bool posted = Recording++ == 0 && q && q->hwnd == hwnd && q->message == msg && q->wParam == wParam &&
                            q->lParam == lParam;
        m = Msg{msg, wParam, lParam, hwnd, posted};
        for (MessageLog* l : {log, shared})
            if (l)
                l->Add(m);
    }
    ~Recorder() { --Recording; }
    Msg m;
};

bool Matches(const Msg& m, const Expect& e)
{
    const bool via = e.via == Expect::Via::Any || m.posted == (e.via == Expect::Via::Posted);
    return m.message == e.message && (e.anyWParam || m.wParam == e.wParam) && (e.anyLParam || m.lParam == e.lParam) &&
           (!e.window || m.hwnd == e.window) && via;
}

}  // namespace

std::vector<Msg> MessageLog::Only(std::initializer_list<UINT> numbers) const
{
    std::vector<Msg> out;
    for (const Msg& m : msgs_)
        if (std::find(numbers.begin(), numbers.end(), m.message) != numbers.end())
            out.push_back(m);
    return out;
}

::testing::AssertionResult SequenceIs(const std::vector<Msg>& got, const std::vector<Expect>& want)
{
    size_t i = 0;
    for (const Expect& e : want) {
        if (i < got.size() && Matches(got[i], e))
            ++i;
        else if (!e.optional)
            return ::testing::AssertionFailure()
                   << "message " << i << (i < got.size() ? " differs" : " missing") << ": expected "
                   << Describe(Msg{e.message, e.wParam, e.lParam, e.window, e.via == Expect::Via::Posted}) << "; got"
                   << Describe(got);
    }
    if (i != got.size())
        return ::testing::AssertionFailure() << "more messages than expected; got" << Describe(got);
    return ::testing::AssertionSuccess();
}

// ---- ParentWindow -----------------------------------------------------------

ParentWindow::ParentWindow(int width, int height)
{
    static const WNDCLASSA kClass{0, Proc, 0, 0, GetModuleHandleA(nullptr), nullptr, LoadCursorA(nullptr, IDC_ARROW),
                                  HBRUSH(COLOR_WINDOW + 1), nullptr, "ztest_parent"};
    static const ATOM kAtom = RegisterClassA(&kClass);
    hwnd_ = CreateWindowExA(0, MAKEINTATOM(kAtom), "ztest", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    PumpMessages();
    log_.Clear();
}

ParentWindow::~ParentWindow()
{
    if (IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    PumpMessages();
}

HWND ParentWindow::CreateChild(const char* className, DWORD style, int x, int y, int w, int h, int id, const char* text)
{
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (child)
        PaintNow(child);
    log_.Clear();
    return child;
}

LRESULT CALLBACK ParentWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const Recorder record(hwnd, msg, wParam, lParam, self ? &self->log_ : nullptr, self ? self->shared_ : nullptr);
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    for (const auto& [message, action] : self->actions_)
        if (message == msg)
            action(record.m);
    for (const auto& [message, result] : self->answers_)
        if (message == msg)
            return result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- Spy ----------------------------------------------------------------------

namespace {
const char kSpyProp[] = "ztest_spy";
}

Spy::Spy(HWND hwnd) : hwnd_(hwnd)
{
    SetPropA(hwnd_, kSpyProp, this);
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

Spy::~Spy()
{
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(hwnd_, kSpyProp);
    }
}

LRESULT CALLBACK Spy::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<Spy*>(GetPropA(hwnd, kSpyProp));
    const Recorder record(hwnd, msg, wParam, lParam, &self->log_);
    WNDPROC previous = self->previous_;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(hwnd, kSpyProp);
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

// ---- Messages, painting, pixels --------------------------------------------------

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        const MSG* outer = std::exchange(Dispatching, &msg);
        DispatchMessageA(&msg);
        Dispatching = outer;
    }
}

::testing::AssertionResult UpdateRegionIs(HWND hwnd, std::initializer_list<RECT> rects)
{
    HRGN actual = CreateRectRgn(0, 0, 0, 0), expected = CreateRectRgn(0, 0, 0, 0), part = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(hwnd, actual, FALSE);
    std::ostringstream os;
    for (const RECT& r : rects) {
        SetRectRgn(part, r.left, r.top, r.right, r.bottom);
        CombineRgn(expected, expected, part, RGN_OR);
        os << " " << r;
    }
    const bool same = EqualRgn(actual, expected);
    RECT box{};
    GetRgnBox(actual, &box);
    DeleteObject(actual), DeleteObject(expected), DeleteObject(part);
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "update region differs; its bounding box is " << box
                                         << ", expected the union of" << (rects.size() ? os.str() : " nothing");
}

COLORREF Pixel(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

::testing::AssertionResult SpansAre(const PixelReader& read, const std::vector<Span>& spans, int dx, int dy)
{
    for (const Span& r : spans)
        for (int y = dy + r.y; y < dy + r.y + r.h; ++y)
            for (int x = dx + r.x; x < dx + r.x + r.w; ++x)
                if (const COLORREF c = read(x, y); c != r.colour)
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") is " << Hex(c) << ", expected " << Hex(r.colour);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SpansAre(HWND hwnd, const std::vector<Span>& spans, int dx, int dy)
{
    HDC dc = GetDC(hwnd);
    const auto result = SpansAre([dc](int x, int y) { return GetPixel(dc, x, y); }, spans, dx, dy);
    ReleaseDC(hwnd, dc);
    return result;
}

::testing::AssertionResult DotsAre(HWND hwnd, const std::vector<Dot>& dots)
{
    std::vector<Span> spans;
    for (const Dot& d : dots)
        spans.push_back(Span{d.x, d.y, 1, 1, d.colour});
    return SpansAre(hwnd, spans);
}

::testing::AssertionResult AreaIs(HWND hwnd, RECT area, COLORREF colour)
{
    const Span all{area.left, area.top, area.right - area.left, area.bottom - area.top, colour};
    return SpansAre(hwnd, {all}) << " over " << area;
}

// ---- Hangs and faults -----------------------------------------------------------

VOID CALLBACK Watchdog::Bark(PVOID dog, BOOLEAN)
{
    const auto* self = static_cast<const Watchdog*>(dog);
    std::fprintf(stderr, "hung: %s\n", self->what_);
    if (self->report_)
        self->report_();
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

namespace {
LONG FaultTotal;
void (*FaultReport)();

// The system's pointer probes (IsBadWritePtr, lstrlenA ...) live in
// kernel32 or kernelbase and catch their own faults.
bool Probing(const void* address)
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module && (module == GetModuleHandleA("kernelbase.dll") || module == GetModuleHandleA("kernel32.dll"));
}

LONG CALLBACK CountFault(EXCEPTION_POINTERS* e)
{
    const DWORD code = e->ExceptionRecord->ExceptionCode;
    if ((code & 0xF0000000) == 0xC0000000 && !Probing(e->ExceptionRecord->ExceptionAddress) &&
        InterlockedIncrement(&FaultTotal) == 1) {
        std::fprintf(stderr, "fault 0x%08lX at %p\n", code, e->ExceptionRecord->ExceptionAddress);
        if (FaultReport)
            FaultReport();
        std::fflush(stderr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

FaultCount::FaultCount(void (*report)())
{
    FaultTotal = 0, FaultReport = report;
    handler_ = AddVectoredExceptionHandler(1, CountFault);
}

LONG FaultCount::Faults() const { return InterlockedCompareExchange(&FaultTotal, 0, 0); }

int Scaled(int usual, int soak)
{
    const char* value = std::getenv("ZTC_SOAK");
    if (!value || !*value || std::strcmp(value, "0") == 0)
        return usual;
    const double share = std::strtod(value, nullptr);
    return share > 0 && share < 1 ? std::max(usual, static_cast<int>(soak * share)) : soak;
}

}  // namespace ztest
