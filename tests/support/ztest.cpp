#include "ztest.h"

#include <cstdio>
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
    char text[96];
    std::snprintf(text, sizeof text, "{0x%04X, wParam 0x%llX, lParam 0x%llX}", m.message,
                  static_cast<unsigned long long>(m.wParam), static_cast<unsigned long long>(m.lParam));
    return text;
}

std::string Describe(const std::vector<Msg>& list)
{
    std::string text;
    for (const Msg& m : list)
        text += "\n    " + Describe(m);
    return text.empty() ? " (none)" : text;
}

std::vector<Msg> MessageLog::Only(std::initializer_list<UINT> numbers) const
{
    std::vector<Msg> out;
    for (const Msg& m : msgs_)
        for (UINT n : numbers)
            if (m.message == n)
                out.push_back(m);
    return out;
}

int MessageLog::Count(UINT message) const
{
    int n = 0;
    for (const Msg& m : msgs_)
        n += m.message == message;
    return n;
}

::testing::AssertionResult SequenceIs(const std::vector<Msg>& got, const std::vector<Expect>& want)
{
    size_t i = 0;
    for (const Expect& e : want) {
        if (i >= got.size())
            return ::testing::AssertionFailure() << "message " << i << " missing: expected 0x" << std::hex
                                                 << e.message << "; got" << Describe(got);
        const Msg& m = got[i];
        if (m.message != e.message || (!e.anyWParam && m.wParam != e.wParam) ||
            (!e.anyLParam && m.lParam != e.lParam))
            return ::testing::AssertionFailure()
                   << "message " << i << " differs: expected "
                   << Describe(Msg{e.message, e.wParam, e.lParam}) << "; got" << Describe(got);
        ++i;
    }
    if (i != got.size())
        return ::testing::AssertionFailure() << "more messages than expected; got" << Describe(got);
    return ::testing::AssertionSuccess();
}

Expect Command(int id, int code, HWND control)
{
    return Expect{WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control)};
}

// ---- ParentWindow -----------------------------------------------------------

namespace {
const char kParentClass[] = "ztest_parent";

void RegisterParentClass(WNDPROC proc)
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    done = true;
}
}  // namespace

ParentWindow::ParentWindow(int width, int height)
{
    RegisterParentClass(Proc);
    hwnd_ = CreateWindowExA(0, kParentClass, "ztest", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, width,
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

void ParentWindow::Answer(UINT message, LRESULT result)
{
    answers_.emplace_back(message, result);
}

void ParentWindow::When(UINT message, std::function<void(const Msg&)> action)
{
    actions_.emplace_back(message, std::move(action));
}

HWND ParentWindow::CreateChild(const char* className, DWORD style, int x, int y, int w, int h, int id,
                               const char* text)
{
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                 nullptr);
    if (child)
        PaintNow(child);
    log_.Clear();
    return child;
}

LRESULT CALLBACK ParentWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        const Msg m{msg, wParam, lParam};
        self->log_.Add(m);
        for (const auto& [message, action] : self->actions_)
            if (message == msg)
                action(m);
        for (const auto& [message, result] : self->answers_)
            if (message == msg)
                return result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- Spy ----------------------------------------------------------------------

namespace {
const char kSpyProp[] = "ztest_spy";
}

Spy::Spy(HWND hwnd) : hwnd_(hwnd)
{
    SetPropA(hwnd_, kSpyProp, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
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
    self->log_.Add(Msg{msg, wParam, lParam});
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
        DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpMessages();
}

void PaintNow(HWND hwnd)
{
    PumpMessages();
    UpdateWindow(hwnd);
    ValidateRect(hwnd, nullptr);
}

::testing::AssertionResult UpdateRegionIs(HWND hwnd, std::initializer_list<RECT> rects)
{
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(hwnd, actual, FALSE);
    for (const RECT& r : rects) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(expected, expected, part, RGN_OR);
        DeleteObject(part);
    }
    const bool same = EqualRgn(actual, expected);
    RECT box{};
    GetRgnBox(actual, &box);
    DeleteObject(actual);
    DeleteObject(expected);
    if (same)
        return ::testing::AssertionSuccess();
    std::ostringstream os;
    os << "update region differs; its bounding box is " << box << ", expected the union of";
    for (const RECT& r : rects)
        os << " " << r;
    if (rects.size() == 0)
        os << " nothing";
    return ::testing::AssertionFailure() << os.str();
}

bool PaintErases(HWND hwnd)
{
    Spy spy(hwnd);
    UpdateWindow(hwnd);
    return spy.log().Count(WM_ERASEBKGND) > 0;
}

COLORREF Pixel(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

::testing::AssertionResult AreaIs(HWND hwnd, RECT area, COLORREF colour)
{
    HDC dc = GetDC(hwnd);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c != colour) {
                ReleaseDC(hwnd, dc);
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Hex(c)
                                                     << ", expected " << Hex(colour) << " over " << area;
            }
        }
    ReleaseDC(hwnd, dc);
    return ::testing::AssertionSuccess();
}

LRESULT Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys)
{
    return SendMessageA(hwnd, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

Watchdog::Watchdog(DWORD ms, const char* what)
    : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), ms_(ms), what_(what)
{
    thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog()
{
    SetEvent(done_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(done_);
}

DWORD WINAPI Watchdog::Watch(void* self)
{
    auto* dog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(dog->done_, dog->ms_) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "hung for %lu ms: %s\n", static_cast<unsigned long>(dog->ms_), dog->what_);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

HMODULE Library()
{
    return GetModuleHandleA("ztctrl32.dll");
}

}  // namespace ztest
