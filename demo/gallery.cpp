// The gallery frame window: lays the sections out in columns, draws their
// titles, drives their animation with a timer and, on request, writes a
// picture of itself to a PNG file.
#include "gallery.h"
#include "gdiguard.h"
#include "help.h"
#include "toolbar.h"
#include "status.h"
#include "version.h"
#include "ztctrl32.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kFrameClass[] = "ztdemo_gallery";
constexpr char kFrameTitle[] = "ztctrl32 gallery";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMilliseconds = 50;
constexpr int kScreenshotTicks = 20;  // about a second of animation
constexpr int kFirstControlId = 1000, kIdsPerSection = 100;

// Geometry of the frame, in pixels; the frame stays inside a 1024 x 768 screen.
constexpr int kMaxFrameWidth = 1000, kMaxFrameHeight = 768;
constexpr int kMargin = 12;        // around the client area
constexpr int kTitleHeight = 24;   // title text and its rule, above each area
constexpr int kSectionGap = 12;    // between sections in a column
constexpr int kColumnGap = 28;     // between columns
constexpr int kStatusRoom = 24;    // about the status line's height, kept below the sections
constexpr int kPictureMargin = 4;  // around a section's area in its picture
constexpr int kTop = kGalleryToolbarHeight + kMargin;  // the sections begin below the toolbar

struct PlacedSection {
    const GallerySection* section;
    RECT title;
    RECT area;
    int firstId;
};

struct Gallery {
    std::vector<PlacedSection> placed;
    zt::Owned<HFONT> titleFont;
    int step;
    bool interactive;  // not taking pictures: keeps its placement in the profile file, shows the time
};

constexpr char kPlacementSection[] = "Gallery";

// ztdemo.ini beside the program.
std::string ProfilePath()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, n);
    const size_t dot = text.find_last_of('.');
    return (dot == std::string::npos ? text : text.substr(0, dot)) + ".ini";
}

// Places the sections top to bottom in columns no taller than maxHeight,
// starting a new column when the next section would not fit; titles span
// their column.  Returns the client size that holds all the sections.
SIZE LayoutSections(std::vector<PlacedSection>& placed, int maxHeight)
{
    int x = kMargin, y = kTop, columnWidth = 0;
    size_t columnStart = 0;
    auto closeColumn = [&](size_t end) {
        for (size_t i = columnStart; i < end; ++i)
            placed[i].title.right = x + columnWidth;
        columnStart = end;
    };
    SIZE size{0, 0};
    for (size_t i = 0; i < placed.size(); ++i) {
        const GallerySection& s = *placed[i].section;
        const int blockHeight = kTitleHeight + s.height;
        if (y > kTop && y + blockHeight + kMargin > maxHeight) {
            closeColumn(i);
            x += columnWidth + kColumnGap;
            y = kTop;
            columnWidth = 0;
        }
        placed[i].title = RECT{x, y, x + s.width, y + kTitleHeight};
        placed[i].area = RECT{x, y + kTitleHeight, x + s.width, y + blockHeight};
        columnWidth = std::max(columnWidth, s.width);
        size.cx = std::max<LONG>(size.cx, x + columnWidth + kMargin);
        size.cy = std::max<LONG>(size.cy, y + blockHeight + kMargin);
        y += blockHeight + kSectionGap;
    }
    closeColumn(placed.size());
    return size;
}

HFONT CreateTitleFont()
{
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

Gallery* GetGallery(HWND frame)
{
    return reinterpret_cast<Gallery*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

LRESULT Frame_Create(HWND frame, Gallery* gallery)
{
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(gallery));
    Status_Create(frame);
    Toolbar_Create(frame);
    for (const PlacedSection& p : gallery->placed)
        if (p.section->create)
            p.section->create(frame, p.area, p.firstId);
    return SetTimer(frame, kTimerId, kTickMilliseconds, nullptr) ? 0 : -1;
}

// Hands a control's report to the section whose block of ids holds it and
// answers with the section's answer.
LRESULT Frame_Notify(HWND frame, const Gallery& gallery, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto control = reinterpret_cast<HWND>(lParam);
    if (!control)
        return 0;
    if (LRESULT answer; Toolbar_Hears(frame, msg, wParam, lParam, answer))
        return answer;
    Status_Report(frame, msg, wParam, lParam);
    const int id = msg == WM_COMMAND ? LOWORD(wParam) : GetDlgCtrlID(control);
    for (const PlacedSection& p : gallery.placed)
        if (p.section->notify && id >= p.firstId && id < p.firstId + kIdsPerSection)
            return p.section->notify(frame, p.firstId, msg, wParam, lParam);
    return 0;
}

// The message with which a dragger asks its parent whether to drop.
UINT DragQuestion()
{
    static const UINT question = RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME);
    return question;
}

void Frame_Destroy(HWND frame, const Gallery& gallery)
{
    KillTimer(frame, kTimerId);
    CloseHelp(frame);
    Status_Destroy(frame);
    Toolbar_Destroy(frame);
    if (gallery.interactive)
        ZTC_SaveWndPos(frame, kPlacementSection, nullptr, ProfilePath().c_str());
    for (const PlacedSection& p : gallery.placed)
        if (p.section->destroy)
            p.section->destroy(frame, p.firstId);
    PostQuitMessage(0);
}

void Frame_Tick(HWND frame, Gallery& gallery)
{
    ++gallery.step;
    Status_Tick(frame, !gallery.interactive);
    for (const PlacedSection& p : gallery.placed)
        if (p.section->tick)
            p.section->tick(frame, p.firstId, gallery.step);
}

// Draws a section's title in bold with an etched rule beneath it.
void Frame_PaintTitle(HDC dc, HFONT font, RECT title, const char* text)
{
    zt::Select select(dc, font);
    DrawTextA(dc, text, -1, &title, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    RECT rule{title.left, title.bottom - 6, title.right, title.bottom - 4};
    DrawEdge(dc, &rule, EDGE_ETCHED, BF_TOP);
}

// Draws the titles and lets each section draw into its area, with the
// dialog font, transparent text and a fresh DC state for each.
void Frame_Paint(HWND frame, HDC dc, const Gallery& gallery)
{
    for (const PlacedSection& p : gallery.placed) {
        zt::SavedDC saved(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        Frame_PaintTitle(dc, gallery.titleFont, p.title, p.section->title);
        if (p.section->paint) {
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            p.section->paint(frame, dc, p.area);
        }
    }
}

LRESULT CALLBACK Frame_WndProc(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Gallery* gallery = GetGallery(frame);
    switch (msg) {
    case WM_CREATE:
        return Frame_Create(frame, static_cast<Gallery*>(
                                       reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    case WM_TIMER:
        if (gallery && wParam == kTimerId)
            Frame_Tick(frame, *gallery);
        return 0;
    case WM_PAINT: {
        zt::PaintDC dc(frame);
        if (gallery)
            Frame_Paint(frame, dc, *gallery);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (gallery)
            Frame_Paint(frame, reinterpret_cast<HDC>(wParam), *gallery);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && HelpCommand(frame, LOWORD(wParam)))
            return 0;
        [[fallthrough]];
    case WM_HSCROLL:
    case WM_VSCROLL:
        return gallery ? Frame_Notify(frame, *gallery, msg, wParam, lParam) : 0;
    case WM_MENUSELECT:
    case kHotKeyMessage:
    case kMousePressMessage:
        return Status_Message(frame, msg, wParam, lParam);
    case WM_DESTROY:
        if (gallery)
            Frame_Destroy(frame, *gallery);
        return 0;
    default:
        if (gallery && msg == DragQuestion())
            return Frame_Notify(frame, *gallery, msg, wParam, lParam);
        return DefWindowProcA(frame, msg, wParam, lParam);
    }
}

HWND CreateFrame(HINSTANCE instance, Gallery& gallery)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = Frame_WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ZTDEMO_ICON));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassA(&wc))
        return nullptr;

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    const int borderWidth = frame.right - frame.left, borderHeight = frame.bottom - frame.top;
    const SIZE client = LayoutSections(gallery.placed, kMaxFrameHeight - borderHeight - kStatusRoom);
    const int width = std::min<int>(client.cx + borderWidth, kMaxFrameWidth);
    HWND hwnd = CreateWindowExA(0, kFrameClass, kFrameTitle, style, 0, 0, width, client.cy + borderHeight,
                                nullptr, CreateHelpMenuBar(), instance, &gallery);
    if (!hwnd)
        return nullptr;
    AddInformationEntry(hwnd);
    // The status line, attached at WM_CREATE, lies below the sections.
    const int height = client.cy + borderHeight + static_cast<int>(StatusLine_GetHeight(hwnd));
    SetWindowPos(hwnd, nullptr, 0, 0, width, std::min(height, kMaxFrameHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return hwnd;
}

// Writes each section's area, with a margin, to <dir>\<name>.png, and the
// toolbar along the top and the status line along the bottom, each edge to
// edge, to toolbar.png and status-line.png.
bool SaveSectionPictures(HWND frame, const Gallery& gallery, const std::string& dir)
{
    if (!CreateDirectoryA(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "ztdemo: cannot make the folder %s\n", dir.c_str());
        return false;
    }
    std::vector<PicturePart> parts;
    for (const PlacedSection& p : gallery.placed) {
        RECT cut = p.area;
        InflateRect(&cut, kPictureMargin, kPictureMargin);
        parts.push_back({cut, dir + "\\" + SectionPictureName(p.section->title)});
    }
    RECT client;
    GetClientRect(frame, &client);
    parts.push_back({RECT{0, 0, client.right, kGalleryToolbarHeight}, dir + "\\toolbar.png"});
    const LONG status = static_cast<LONG>(StatusLine_GetHeight(frame));
    parts.push_back({RECT{0, client.bottom - status, client.right, client.bottom}, dir + "\\status-line.png"});
    return SaveClientParts(frame, parts);
}

// Runs the animation for kScreenshotTicks timer ticks, repaints everything
// and writes the pictures asked for.
int Screenshot(HWND frame, const Gallery& gallery, const GalleryPictures& pictures)
{
    MSG msg;
    while (gallery.step < kScreenshotTicks && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    RedrawWindow(frame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    bool saved = !pictures.file || SaveWindowPicture(frame, false, pictures.file);
    if (pictures.dir)
        saved = SaveSectionPictures(frame, gallery, pictures.dir) && saved;
    return saved ? 0 : 1;
}

}  // namespace

HWND GalleryChild(HWND frame, const char* className, const char* text, DWORD style, int id,
                  int x, int y, int width, int height)
{
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (child)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
    return child;
}

std::string SectionPictureName(const char* title)
{
    std::string name;
    bool gap = false;
    for (const char* c = title; *c && std::strncmp(c, " (", 2) != 0; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            if (gap && !name.empty())
                name += '-';
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
            gap = false;
        } else {
            gap = true;
        }
    }
    return name + ".png";
}

int RunGallery(HINSTANCE instance, const GallerySection* const* sections, int count,
               const GalleryPictures* pictures)
{
    Gallery gallery{{}, zt::Owned<HFONT>(CreateTitleFont()), 0, pictures == nullptr};
    for (int i = 0; i < count; ++i)
        gallery.placed.push_back({sections[i], {}, {}, kFirstControlId + i * kIdsPerSection});

    HWND frame = CreateFrame(instance, gallery);
    if (!frame) {
        std::fprintf(stderr, "ztdemo: cannot create the gallery window\n");
        return 1;
    }
    if (gallery.interactive) {
        // Where the frame was last time (its own size when there is none),
        // then made sure to lie on the screen.
        ZTC_LoadWndPos(frame, kPlacementSection, nullptr, ProfilePath().c_str(), SW_SHOWNORMAL);
        ZTC_SeeWindow(frame);
    } else {
        ShowWindow(frame, SW_SHOWNOACTIVATE);
    }
    UpdateWindow(frame);

    if (pictures) {
        const int result = Screenshot(frame, gallery, *pictures);
        DestroyWindow(frame);
        return result;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
