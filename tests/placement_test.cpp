// Window placement in a private profile file, and moving windows onto the
// screen or over another window.
#include "ztest.h"

#include <string>

using namespace ztest;

namespace {

const char kClass[] = "ztest_placement";

// A top-level window of a plain class, destroyed with the test.
class TopWindow {
public:
    TopWindow(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);  // fails harmlessly once registered
        hwnd_ = CreateWindowExA(0, kClass, "placement", style, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        PumpMessages();
    }
    ~TopWindow()
    {
        DestroyWindow(hwnd_);
        PumpMessages();
    }
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    operator HWND() const { return hwnd_; }

private:
    HWND hwnd_;
};

RECT WindowRect(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

WINDOWPLACEMENT Placement(HWND hwnd)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    return wp;
}

void Move(HWND hwnd, int x, int y, int w, int h)
{
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A private profile file in the temporary folder, deleted with the test.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        ASSERT_NE(GetTempFileNameA(folder, "ztp", 0, file), 0u);
    }
    void TearDown() override { DeleteFileA(file); }

    std::string Value(const char* key) const
    {
        char text[128];
        GetPrivateProfileStringA(kSection, key, "<none>", text, sizeof text, file);
        return text;
    }
    void Write(const char* key, const char* value) const
    {
        ASSERT_TRUE(WritePrivateProfileStringA(kSection, key, value, file));
    }

    static constexpr char kSection[] = "Windows";
    char file[MAX_PATH] = {};
};

}  // namespace

TEST_F(ProfileTest, SavesNormalRectangleAndShowStateUnderPlacementByDefault)
{
    TopWindow window(40, 30, 600, 400);
    EXPECT_TRUE(ZTC_SaveWndPos(window, kSection, nullptr, file));
    EXPECT_EQ(Value("Placement"), "40 30 600 400 1");

    EXPECT_TRUE(ZTC_SaveWndPos(window, kSection, "Main", file));
    EXPECT_EQ(Value("Main"), "40 30 600 400 1");

    ShowWindow(window, SW_MAXIMIZE);
    EXPECT_TRUE(ZTC_SaveWndPos(window, kSection, nullptr, file));
    EXPECT_EQ(Value("Placement"), "40 30 600 400 3") << "the normal rectangle, not the maximised one";
}

TEST_F(ProfileTest, SavingAWindowThatDoesNotExistWritesNothing)
{
    HWND gone;
    {
        TopWindow window(40, 30, 200, 100);
        gone = window;
    }
    EXPECT_FALSE(ZTC_SaveWndPos(gone, kSection, nullptr, file));
    EXPECT_EQ(Value("Placement"), "<none>");
}

TEST_F(ProfileTest, ShowOneRestoresTheSavedStateAnyOtherValueImposesItself)
{
    TopWindow window(40, 30, 600, 400);
    ASSERT_TRUE(ZTC_SaveWndPos(window, kSection, nullptr, file));
    const RECT saved{40, 30, 640, 430};

    Move(window, 100, 120, 300, 200);
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_SHOWNORMAL));
    EXPECT_EQ(WindowRect(window), saved);
    EXPECT_EQ(Placement(window).showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_FALSE(IsZoomed(window));

    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_SHOWMAXIMIZED));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(Placement(window).rcNormalPosition, saved);
}

TEST_F(ProfileTest, AWindowSavedMaximisedComesBackMaximised)
{
    TopWindow window(40, 30, 600, 400);
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(ZTC_SaveWndPos(window, kSection, nullptr, file));
    ShowWindow(window, SW_RESTORE);
    Move(window, 100, 120, 300, 200);
    ASSERT_FALSE(IsZoomed(window));

    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_SHOWNORMAL));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(Placement(window).rcNormalPosition, (RECT{40, 30, 640, 430}));
}

TEST_F(ProfileTest, TheStoredShowStateCountsOnlyWhenItsFieldConsumedSomething)
{
    TopWindow window(100, 120, 300, 200);
    ShowWindow(window, SW_MAXIMIZE);

    Write("Placement", "40 30 600 400");
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_SHOWNORMAL));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(IsWindowVisible(window)) << "shown normally, from the argument";
    EXPECT_EQ(WindowRect(window), (RECT{40, 30, 640, 430}));

    // The blank before x is consumed by the fifth field, which reads 0: hidden.
    Write("Placement", "40 30 600 400 x");
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_SHOWNORMAL));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ProfileTest, AMissingKeyKeepsTheRectangleAndAppliesTheShowArgument)
{
    TopWindow window(100, 120, 300, 200);
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, "Nowhere", file, SW_SHOWNORMAL));
    EXPECT_EQ(WindowRect(window), (RECT{100, 120, 400, 320}));
    EXPECT_FALSE(IsZoomed(window));

    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, "Nowhere", file, SW_SHOWMAXIMIZED));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(Placement(window).rcNormalPosition, (RECT{100, 120, 400, 320}));
    EXPECT_EQ(Value("Nowhere"), "<none>") << "loading writes nothing";
}

TEST_F(ProfileTest, NegativeCoordinatesComeBackWhereTheyWere)
{
    // Partly left of and above the screen (the platform moves a placement
    // wholly off every monitor back onto one); the window stays hidden
    // (show 0) so that nothing shows off the screen.
    TopWindow window(-150, -20, 200, 100, WS_POPUP);
    ASSERT_TRUE(ZTC_SaveWndPos(window, kSection, nullptr, file));
    EXPECT_EQ(Value("Placement"), "-150 -20 200 100 1");

    Move(window, 10, 10, 50, 50);
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_HIDE));
    EXPECT_EQ(WindowRect(window), (RECT{-150, -20, 50, 80}));
    EXPECT_FALSE(IsWindowVisible(window));

    // A sign without digits is no number: the field reads 0.
    Write("Placement", "-x 7 200 100 1");
    EXPECT_TRUE(ZTC_LoadWndPos(window, kSection, nullptr, file, SW_HIDE));
    EXPECT_EQ(WindowRect(window), (RECT{0, 0, 0, 0})) << "the reading stays on the sign";
}

// ---- Positioning -------------------------------------------------------------------
// The test windows are hidden pop-ups: they may lie off the screen without
// showing there, and nothing constrains their size.

namespace {

class PositionTest : public ::testing::Test {
protected:
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
};

RECT Box(int x, int y, int w, int h)
{
    return RECT{x, y, x + w, y + h};
}

}  // namespace

TEST_F(PositionTest, SeeWindowBringsEachEdgeOntoTheScreenWithoutResizing)
{
    TopWindow window(-50, 10, 200, 100, WS_POPUP);
    ZTC_SeeWindow(window);
    EXPECT_EQ(WindowRect(window), Box(0, 10, 200, 100));

    Move(window, cx - 100, cy - 50, 200, 100);
    ZTC_SeeWindow(window);
    EXPECT_EQ(WindowRect(window), (RECT{cx - 200, cy - 100, cx, cy}));

    Move(window, 20, -30, 200, 100);
    ZTC_SeeWindow(window);
    EXPECT_EQ(WindowRect(window), (RECT{20, 0, 220, 100}));
}

TEST_F(PositionTest, SeeWindowAddsANegativeLeftToTheRightEdge)
{
    // 76 pixels wider than the screen, 50 off the left: right + left stays
    // inside the screen, so only the left edge is corrected.
    TopWindow window(-50, -40, cx + 76, cy + 60, WS_POPUP);
    ZTC_SeeWindow(window);
    EXPECT_EQ(WindowRect(window), Box(0, 0, cx + 76, cy + 60));
}

TEST_F(PositionTest, SeeWindowLeavesAWindowOnTheScreenAlone)
{
    TopWindow window(300, 200, 100, 100, WS_POPUP);
    Spy spy(window);
    ZTC_SeeWindow(window);
    EXPECT_EQ(spy.log().Count(WM_WINDOWPOSCHANGING), 0);
    EXPECT_EQ(WindowRect(window), Box(300, 200, 100, 100));

    // Moving it in place would have been seen.
    SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(spy.log().Count(WM_WINDOWPOSCHANGING), 1);
}

TEST_F(PositionTest, CenterWindowCentresOverAWindowWhereverItWas)
{
    TopWindow over(100, 100, 400, 300, WS_POPUP);
    TopWindow window(0, 0, 200, 100, WS_POPUP);
    EXPECT_TRUE(ZTC_CenterWindow(window, over));
    EXPECT_EQ(WindowRect(window), (RECT{200, 200, 400, 300}));

    Move(window, 700, 500, 200, 100);
    EXPECT_TRUE(ZTC_CenterWindow(window, over));
    EXPECT_EQ(WindowRect(window), Box(200, 200, 200, 100));

    // Wider than the window below: -101 / 2 truncates toward zero to -50.
    Move(window, 0, 0, 501, 401);
    EXPECT_TRUE(ZTC_CenterWindow(window, over));
    EXPECT_EQ(WindowRect(window), Box(50, 50, 501, 401));
}

TEST_F(PositionTest, CenterWindowOverTheDesktopNeverGoesNegative)
{
    const RECT desk = WindowRect(GetDesktopWindow());
    TopWindow window(0, 0, 201, 101, WS_POPUP);
    EXPECT_TRUE(ZTC_CenterWindow(window, nullptr));
    EXPECT_EQ(WindowRect(window), Box(desk.left + (desk.right - desk.left - 201) / 2,
                                          desk.top + (desk.bottom - desk.top - 101) / 2, 201, 101));

    const int w = desk.right - desk.left + 100, h = desk.bottom - desk.top + 100;
    Move(window, 30, 40, w, h);
    EXPECT_TRUE(ZTC_CenterWindow(window, nullptr));
    EXPECT_EQ(WindowRect(window), Box(0, 0, w, h));
}

TEST_F(PositionTest, CenterWindowRefusesHandlesThatAreNotWindows)
{
    TopWindow window(30, 40, 200, 100, WS_POPUP);
    HWND gone;
    {
        TopWindow other(0, 0, 10, 10, WS_POPUP);
        gone = other;
    }
    EXPECT_FALSE(ZTC_CenterWindow(gone, nullptr));
    EXPECT_FALSE(ZTC_CenterWindow(window, gone));
    EXPECT_EQ(WindowRect(window), Box(30, 40, 200, 100));
}
