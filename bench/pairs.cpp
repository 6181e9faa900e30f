#include "pairs.h"

#include "ztctrl32.h"

#include <commctrl.h>

namespace bench {

const char kEmptyClass[] = "ztbench_empty";
namespace {
const char kHostClass[] = "ztbench_host";
}

void RegisterBenchClasses()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpszClassName = kEmptyClass;
    RegisterClassA(&wc);
}

Host::Host(int x, int y, int width, int height, bool visible)
    : hwnd_(CreateWindowExA(WS_EX_TOOLWINDOW, kHostClass, "", WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0),
                            x, y, width, height, nullptr, nullptr, nullptr, nullptr))
{
    UpdateWindow(hwnd_);
}

Host::~Host()
{
    DestroyWindow(hwnd_);
}

HWND Child(HWND parent, const char* className, DWORD style, int x, int y, int width, int height, const char* text)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                           nullptr, nullptr);
}

namespace {

// ---- What every side shares ------------------------------------------------

void InvalidateAll(const Side& side)
{
    InvalidateRect(side.painter, nullptr, TRUE);
}

// A control that fills its host.
Side Filling(HWND host, const char* className, DWORD style, void (*show)(HWND, int))
{
    RECT rc;
    GetClientRect(host, &rc);
    const HWND control = Child(host, className, style, 0, 0, rc.right, rc.bottom);
    return Side{control, control, show, InvalidateAll, true};
}

template <const char* ClassName, DWORD Style, int Width, int Height>
void CreateAndDestroy(HWND parent)
{
    DestroyWindow(Child(parent, ClassName, Style, 0, 0, Width, Height));
}

// ---- Horizontal slider and trackbar: 200 x 32, 251 values, 11 marks --------

constexpr int kSliderTop = 250;
constexpr char kSlider[] = ZTC_SLIDER_H_CLASS;
constexpr char kTrackbar[] = TRACKBAR_CLASSA;
constexpr DWORD kTrackbarStyle = TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS;

Side Slider(HWND host)
{
    Side side = Filling(host, kSlider, 0, [](HWND s, int i) { ZtSlider_SetPos(s, Step(i, kSliderTop)); });
    ZtSlider_SetRange(side.painter, kSliderTop);
    ZtSlider_SetTicks(side.painter, 11);
    return side;
}

Side Trackbar(HWND host)
{
    Side side = Filling(host, kTrackbar, kTrackbarStyle,
                        [](HWND t, int i) { SendMessageA(t, TBM_SETPOS, TRUE, Step(i, kSliderTop)); });
    SendMessageA(side.painter, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderTop));
    SendMessageA(side.painter, TBM_SETTICFREQ, kSliderTop / 10, 0);
    return side;
}

// ---- VU meter, gauge and progress bars --------------------------------------

constexpr char kVUMeter[] = ZTC_VU_H_CLASS;
constexpr char kGauge[] = ZTC_GAUGE_CLASS;
constexpr char kProgress[] = PROGRESS_CLASSA;

Side VUMeter(HWND host)
{
    return Filling(host, kVUMeter, 0, [](HWND m, int i) { ZtVUMeter_SetLevel(m, Step(i, 256)); });
}

Side ProgressOf256(HWND host)
{
    Side side = Filling(host, kProgress, PBS_SMOOTH, [](HWND p, int i) { SendMessageA(p, PBM_SETPOS, Step(i, 256), 0); });
    SendMessageA(side.painter, PBM_SETRANGE32, 0, 256);
    return side;
}

Side Gauge(HWND host)
{
    return Filling(host, kGauge, 0, [](HWND g, int i) { ZtGauge_SetPercent(g, Step(i, 100)); });
}

Side ProgressOf100(HWND host)
{
    return Filling(host, kProgress, PBS_SMOOTH, [](HWND p, int i) { SendMessageA(p, PBM_SETPOS, Step(i, 100), 0); });
}

// ---- Multi-scroll and up-down: 32 x 16, horizontal, values 0..1000 ----------

constexpr int kScrollTop = 1000;
constexpr char kMultiScroll[] = ZTC_MUSCROLL_CLASS;
constexpr char kUpDown[] = UPDOWN_CLASSA;

Side MultiScroll(HWND host)
{
    Side side = Filling(host, kMultiScroll, 0,
                        [](HWND m, int i) { ZtMultiScroll_SetValue(m, Step(i, kScrollTop)); });
    ZtMultiScroll_SetRange(side.painter, 0, kScrollTop);
    return side;
}

Side UpDown(HWND host)
{
    Side side = Filling(host, kUpDown, UDS_HORZ,
                        [](HWND u, int i) { SendMessageA(u, UDM_SETPOS32, 0, Step(i, kScrollTop)); });
    SendMessageA(side.painter, UDM_SETRANGE32, 0, kScrollTop);
    return side;
}

// ---- Status line and status bar: three panes on a 400 x 200 frame -----------

constexpr int kPaneWidths[] = {150, 100, 0};  // gap included; 0 reaches the right edge
constexpr int kPartEdges[] = {150, 250, -1};
constexpr const char* kPaneTexts[] = {"Ready", "Line 1", "12:00"};

void StatusText(char (&text)[32], int i)
{
    wsprintfA(text, "Value %d", i);
}

// The frame's own background is erased too, as a frame's would be.
void InvalidateStrip(const Side& side)
{
    RECT strip;
    GetClientRect(side.painter, &strip);
    strip.top = strip.bottom - static_cast<int>(StatusLine_GetHeight(side.painter));
    InvalidateRect(side.painter, &strip, TRUE);
}

void AttachStatusLine(HWND frame)
{
    StatusLine_Create(frame, 3, kPaneWidths);
    for (int i = 0; i < 3; ++i)
        StatusLine_SetText(frame, i, kPaneTexts[i]);
}

HWND AttachStatusBar(HWND frame)
{
    const HWND bar = Child(frame, STATUSCLASSNAMEA, 0, 0, 0, 0, 0);
    SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(kPartEdges));
    for (int i = 0; i < 3; ++i)
        SendMessageA(bar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(kPaneTexts[i]));
    return bar;
}

Side StatusLine(HWND frame)
{
    AttachStatusLine(frame);
    const auto show = [](HWND f, int i) {
        char text[32];
        StatusText(text, i);
        StatusLine_SetText(f, 0, text);
    };
    return Side{frame, frame, show, InvalidateStrip, false};
}

Side StatusBar(HWND frame)
{
    const auto show = [](HWND bar, int i) {
        char text[32];
        StatusText(text, i);
        SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    };
    return Side{AttachStatusBar(frame), frame, show, InvalidateAll, true};
}

void CreateStatusLine(HWND parent)
{
    const HWND frame = Child(parent, kEmptyClass, 0, 0, 0, 400, 200);
    AttachStatusLine(frame);
    DestroyWindow(frame);
}

void CreateStatusBar(HWND parent)
{
    const HWND frame = Child(parent, kEmptyClass, 0, 0, 0, 400, 200);
    AttachStatusBar(frame);
    DestroyWindow(frame);
}

// ---- Toolbars: nine stock push buttons and a check button, 400 x 29 ---------

constexpr UINT kCheckId = 110;
constexpr int kToolbarWidth = 400, kToolbarHeight = 29;
// The common toolbar's standard images for cut, copy, paste, new, open,
// save, print, help and properties, and find for the check button.
constexpr int kStandardImages[10] = {STD_CUT,   STD_COPY,  STD_PASTE, STD_FILENEW,    STD_FILEOPEN,
                                     STD_FILESAVE, STD_PRINT, STD_HELP, STD_PROPERTIES, STD_FIND};

HWND OurToolbar(HWND parent)
{
    const HWND toolbar = Child(parent, ZTC_TOOLBAR_CLASS, 0, 0, 0, kToolbarWidth, kToolbarHeight);
    for (UINT i = 0; i < 9; ++i)
        ToolBar_AddTool(toolbar, TBT_PUSH, 0xFFFFFFFF, 100 + i, 24, 22, nullptr, nullptr, static_cast<int>(i),
                        TDD_GLYPH);
    ToolBar_AddTool(toolbar, TBT_CHECK, 0xFFFFFFFF, kCheckId, 24, 22, nullptr, nullptr, 0, TDD_GLYPH);
    return toolbar;
}

HWND TheirToolbar(HWND parent)
{
    const HWND toolbar = Child(parent, TOOLBARCLASSNAMEA, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0,
                               kToolbarWidth, kToolbarHeight);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP images{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&images));
    TBBUTTON buttons[10]{};
    for (int i = 0; i < 10; ++i) {
        buttons[i].iBitmap = kStandardImages[i];
        buttons[i].idCommand = i == 9 ? kCheckId : 100 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = i == 9 ? BTNS_CHECK : BTNS_BUTTON;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, 10, reinterpret_cast<LPARAM>(buttons));
    return toolbar;
}

Side Toolbar(HWND host)
{
    const HWND toolbar = OurToolbar(host);
    return Side{toolbar, toolbar, [](HWND t, int i) { ToolBar_Check(t, kCheckId, i & 1); }, InvalidateAll, true};
}

Side CommonToolbar(HWND host)
{
    const HWND toolbar = TheirToolbar(host);
    const auto show = [](HWND t, int i) { SendMessageA(t, TB_CHECKBUTTON, kCheckId, MAKELPARAM(i & 1, 0)); };
    return Side{toolbar, toolbar, show, InvalidateAll, true};
}

}  // namespace

const Pair kPairs[] = {
    {"horizontal slider", "trackbar", 200, 32, 0.5, Slider, Trackbar,
     CreateAndDestroy<kSlider, 0, 200, 32>, CreateAndDestroy<kTrackbar, kTrackbarStyle, 200, 32>, false},
    {"VU meter", "progress bar", 200, 16, 0.5, VUMeter, ProgressOf256,
     CreateAndDestroy<kVUMeter, 0, 200, 16>, CreateAndDestroy<kProgress, PBS_SMOOTH, 200, 16>, false},
    {"gauge", "progress bar", 200, 20, 0.5, Gauge, ProgressOf100,
     CreateAndDestroy<kGauge, 0, 200, 20>, CreateAndDestroy<kProgress, PBS_SMOOTH, 200, 20>, false},
    {"multi-scroll", "up-down", 32, 16, 0.5, MultiScroll, UpDown,
     CreateAndDestroy<kMultiScroll, 0, 32, 16>, CreateAndDestroy<kUpDown, UDS_HORZ, 32, 16>, false},
    {"status line", "status bar", 400, 200, 0.7, StatusLine, StatusBar, CreateStatusLine, CreateStatusBar, false},
    {"toolbar", "toolbar", kToolbarWidth, kToolbarHeight, 0.7, Toolbar, CommonToolbar,
     [](HWND p) { DestroyWindow(OurToolbar(p)); }, [](HWND p) { DestroyWindow(TheirToolbar(p)); }, true},
};
const int kPairCount = static_cast<int>(sizeof kPairs / sizeof kPairs[0]);

}  // namespace bench
