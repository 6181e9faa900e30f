// Window placement in a private profile file, and moving windows onto the
// screen or over another window.  The windows under test are the shared
// recording pop-ups, hidden wherever they may lie off the screen.
#include "ztest.h"

#include <string>

using namespace ztest;

namespace {

RECT Box(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
RECT WindowRect(HWND hwnd) { RECT r{}; GetWindowRect(hwnd, &r); return r; }
void Place(HWND hwnd, RECT r) { MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE); }

}  // namespace

TEST(PlacementTest, SavesTheNormalRectangleAndLoadsItWithTheStoredOrTheImposedShowState)
{
    char folder[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    ASSERT_NE(GetTempFileNameA(folder, "ztp", 0, file), 0u);
    const auto value = [&](const char* key) {
        char text[128];
        return std::string(text, GetPrivateProfileStringA("Windows", key, "<none>", text, sizeof text, file));
    };
    ParentWindow parent;
    const HWND window = parent.hwnd();
    const RECT saved = Box(40, 30, 600, 400), here = Box(100, 120, 300, 200);
    Place(window, saved);
    EXPECT_TRUE(ZTC_SaveWndPos(window, "Windows", nullptr, file));
    EXPECT_EQ(value("Placement"), "40 30 600 400 1");
    ShowWindow(window, SW_MAXIMIZE);
    EXPECT_TRUE(ZTC_SaveWndPos(window, "Windows", "Big", file));
    EXPECT_EQ(value("Big"), "40 30 600 400 3") << "the normal rectangle, not the maximised one";

    const struct { const char* key; UINT show; RECT normal; bool zoomed; } cases[] = {
        {nullptr, SW_SHOWNORMAL, saved, false},  {nullptr, SW_SHOWMAXIMIZED, saved, true},
        {"Big", SW_SHOWNORMAL, saved, true},     {"Four", SW_SHOWNORMAL, saved, false},
        {"Nowhere", SW_SHOWNORMAL, here, false}, {"Nowhere", SW_SHOWMAXIMIZED, here, true},
    };
    WritePrivateProfileStringA("Windows", "Four", "40 30 600 400", file);
    ShowWindow(window, SW_RESTORE);
    for (const auto& c : cases) {
        SCOPED_TRACE(value(c.key ? c.key : "Placement") + ", show " + std::to_string(c.show));
        Place(window, here);
        EXPECT_TRUE(ZTC_LoadWndPos(window, "Windows", c.key, file, c.show));
        EXPECT_EQ(IsZoomed(window), c.zoomed);
        EXPECT_TRUE(IsWindowVisible(window)) << "a show state of 0 would hide it";
        ShowWindow(window, SW_RESTORE);
        EXPECT_EQ(WindowRect(window), c.normal);
    }

    ShowWindow(window, SW_HIDE);  // partly off the screen
    Place(window, Box(-150, -20, 200, 100));
    EXPECT_TRUE(ZTC_SaveWndPos(window, "Windows", "Left", file));
    Place(window, here);
    EXPECT_TRUE(ZTC_LoadWndPos(window, "Windows", "Left", file, SW_HIDE));
    EXPECT_EQ(WindowRect(window), Box(-150, -20, 200, 100)) << value("Left");
    DeleteFileA(file);
}

// SeeWindow moves each edge onto the screen, and moves nothing that is on
// it already; CenterWindow centres over a window or the desktop, never
// below zero.  Neither resizes.
TEST(PlacementTest, SeeWindowAndCenterWindowMoveWithoutResizing)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const RECT desk = WindowRect(GetDesktopWindow());
    const int dw = desk.right - desk.left, dh = desk.bottom - desk.top;
    ParentWindow over, window;
    Place(over.hwnd(), Box(100, 100, 400, 300));
    ShowWindow(window.hwnd(), SW_HIDE);
    const HWND see = HWND(-1);  // ZTC_SeeWindow, not ZTC_CenterWindow
    const struct { HWND over; RECT from, to; } cases[] = {
        {see, Box(-50, 10, 200, 100), Box(0, 10, 200, 100)}, {see, Box(20, -30, 200, 100), Box(20, 0, 200, 100)},
        {see, Box(cx - 100, cy - 50, 200, 100), Box(cx - 200, cy - 100, 200, 100)},
        {see, Box(300, 200, 100, 100), Box(300, 200, 100, 100)},
        {see, Box(-50, -40, cx + 76, cy + 60), Box(0, 0, cx + 76, cy + 60)},  // right + left is on the screen
        {over.hwnd(), Box(0, 0, 200, 100), Box(200, 200, 200, 100)},        // wherever it was:
        {over.hwnd(), Box(700, 500, 200, 100), Box(200, 200, 200, 100)},
        {over.hwnd(), Box(0, 0, 501, 401), Box(50, 50, 501, 401)},  // -101 / 2 truncates to -50
        {nullptr, Box(0, 0, 201, 101), Box(desk.left + (dw - 201) / 2, desk.top + (dh - 101) / 2, 201, 101)},
        {nullptr, Box(30, 40, dw + 100, dh + 100), Box(0, 0, dw + 100, dh + 100)},
    };
    for (const auto& c : cases) {
        Place(window.hwnd(), c.from);
        window.log().Clear();
        if (c.over == see)
            ZTC_SeeWindow(window.hwnd());
        else
            EXPECT_TRUE(ZTC_CenterWindow(window.hwnd(), c.over));
        EXPECT_EQ(WindowRect(window.hwnd()), c.to) << "from " << c.from;
        EXPECT_TRUE(c.over != see || window.log().Count(WM_WINDOWPOSCHANGING) == (c.from == c.to ? 0 : 1))
            << "SeeWindow moves once, or not at all, from " << c.from;
    }
    const HWND gone = ParentWindow().hwnd();
    EXPECT_FALSE(ZTC_CenterWindow(gone, nullptr));
    EXPECT_FALSE(ZTC_CenterWindow(window.hwnd(), gone));
    EXPECT_EQ(WindowRect(window.hwnd()), Box(0, 0, dw + 100, dh + 100)) << "not moved";
}
