// The mouse hook and the Ctrl+Alt hot keys: the hook procedures called
// directly with a chosen keyboard state, then real input through the
// installed hooks.
#include "ztest.h"

using namespace ztest;

namespace {

const UINT kHot = WM_USER + 10, kPress = WM_USER + 20;
enum Held { Ctrl = 1, Alt = 2, Shift = 4 };
// Keystroke flags of F6 (scan code 0x40): a press, a repeat and a release.
const DWORD kDown = 0x00400001, kRepeat = 0x40400001, kUp = 0xC0400001;

void Hold(int held)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = held & Ctrl ? 0x80 : 0, keys[VK_MENU] = held & Alt ? 0x80 : 0;
    keys[VK_SHIFT] = held & Shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The window got one report `msg` with these parameters, posted, or none.
::testing::AssertionResult Reported(ParentWindow& w, UINT msg, bool posted, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SequenceIs(w.log().Only({msg}), posted ? std::vector<Expect>{Expect{msg, wParam, lParam}.Posted()}
                                                  : std::vector<Expect>{});
}

class HotKeys : public ::testing::Test {
protected:
    void TearDown() override { ZTC_KillHotKeys(a.hwnd()), ZTC_KillHotKeys(b.hwnd()), Hold(0); }
    // What the hook answers for the key with these keys held; the reports
    // it posted are in the logs.
    LRESULT Call(int held, WPARAM key, DWORD flags = kDown, int code = HC_ACTION)
    {
        Hold(held);
        a.log().Clear(), b.log().Clear();
        const LRESULT result = HotKeyHook(code, key, flags);
        PumpMessages();
        return result;
    }
    ParentWindow a{200, 100}, b{200, 100};
};

}  // namespace

TEST_F(HotKeys, OnlyCtrlAltPressesOfARecordedKeyArePostedAndSwallowed)
{
    const UINT keys[] = {VK_F5, VK_F6};
    ASSERT_TRUE(ZTC_SetHotKeys(a.hwnd(), kHot, 2, keys));
    const struct { int code, held; WPARAM key; DWORD flags; LRESULT result; } rows[] = {
        {HC_ACTION, Ctrl | Alt, VK_F6, kDown, 1},     {HC_ACTION, Ctrl | Alt | Shift, VK_F6, kDown, 1},
        {HC_ACTION, Ctrl | Alt, VK_F5, kRepeat, 1},   {HC_ACTION, 0, VK_F6, kDown, 0},
        {HC_ACTION, Ctrl, VK_F6, kDown, 0},           {HC_ACTION, Alt | Shift, VK_F6, kDown, 0},
        {HC_ACTION, Ctrl | Alt, VK_F6, kUp, 0},       {HC_ACTION, Ctrl | Alt, VK_F7, kDown, 0},
        {HC_NOREMOVE, Ctrl | Alt, VK_F6, kDown, 0},   {-1, Ctrl | Alt, VK_F6, kDown, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "code " << r.code << ", held " << r.held << ", key " << r.key
                                        << ", flags " << std::hex << r.flags);
        EXPECT_EQ(Call(r.held, r.key, r.flags, r.code), r.result);
        EXPECT_TRUE(Reported(a, kHot, r.result, r.key, static_cast<LPARAM>(r.flags)));
    }
}

TEST_F(HotKeys, TheNewestRecordWinsAndKeepsItsPlaceWhenKeysChange)
{
    const UINT four[] = {VK_F1, 'A', VK_SPACE, VK_F6}, five[] = {VK_F1, VK_F2, VK_F3, VK_F4, VK_F5};
    EXPECT_FALSE(ZTC_SetHotKeys(a.hwnd(), kHot, 5, five));
    EXPECT_FALSE(ZTC_KillHotKeys(a.hwnd())) << "a refused count made no record";
    EXPECT_TRUE(ZTC_SetHotKeys(a.hwnd(), kHot, 4, five) && ZTC_SetHotKeys(b.hwnd(), kHot + 1, 1, &four[3]));
    EXPECT_TRUE(ZTC_SetHotKeys(a.hwnd(), kHot, 4, four)) << "replaces a's keys, a stays behind b";
    EXPECT_EQ(Call(Ctrl | Alt, VK_F2), 0) << "a's old keys are gone";
    for (UINT key : four) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Call(Ctrl | Alt, key), 1);
        EXPECT_EQ(a.log().Count(kHot) * 10 + b.log().Count(kHot + 1), key == VK_F6 ? 1 : 10) << "reports to a, b";
    }
    EXPECT_TRUE(ZTC_KillHotKeys(b.hwnd()));
    EXPECT_EQ(Call(Ctrl | Alt, VK_F6), 1);
    EXPECT_EQ(a.log().Count(kHot), 1) << "with b gone, a's F6 answers";
    EXPECT_TRUE(ZTC_SetHotKeys(a.hwnd(), kHot, 0, nullptr));
    EXPECT_EQ(Call(Ctrl | Alt, VK_F1), 0) << "no keys: nothing matches";
    EXPECT_TRUE(ZTC_KillHotKeys(a.hwnd()));
    EXPECT_FALSE(ZTC_KillHotKeys(a.hwnd()));
}

TEST_F(HotKeys, RealKeystrokesGoThroughTheInstalledHook)
{
    SetForegroundWindow(a.hwnd()), SetFocus(a.hwnd());
    ASSERT_EQ(GetFocus(), a.hwnd());
    const UINT f6 = VK_F6;
    ASSERT_TRUE(ZTC_SetHotKeys(a.hwnd(), kHot, 1, &f6));
    // Ctrl, Alt and F6 pressed, then released in reverse, as real input.
    const BYTE typed[] = {VK_CONTROL, VK_MENU, VK_F6, VK_F6, VK_MENU, VK_CONTROL};
    for (bool hot : {true, false}) {
        SCOPED_TRACE(hot ? "with the hot key" : "after it was killed");
        a.log().Clear();
        for (int i = 0; i < 6; ++i)
            keybd_event(typed[i], BYTE(MapVirtualKeyA(typed[i], MAPVK_VK_TO_VSC)), i < 3 ? 0 : KEYEVENTF_KEYUP, 0);
        PumpFor(50);
        int pressed = 0, released = 0;
        for (const Msg& m : a.log().Only({WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, WM_SYSKEYUP}))
            (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN ? pressed : released) += m.wParam == VK_F6;
        EXPECT_EQ(pressed, hot ? 0 : 1) << "a hot key is swallowed";
        EXPECT_EQ(released, 1) << "its release goes on";
        const auto reports = a.log().Only({kHot});
        ASSERT_EQ(reports.size(), hot ? 1u : 0u);
        if (hot) {
            EXPECT_EQ(reports[0].wParam, WPARAM(VK_F6));
            EXPECT_EQ(static_cast<DWORD>(reports[0].lParam) & 0x8000FFFF, 1u) << "one press, not released";
            EXPECT_TRUE(ZTC_KillHotKeys(a.hwnd()));
        }
    }
}

TEST(MouseHook, LeftPressesInTheFilterWindowAreReportedAndStillDelivered)
{
    ParentWindow target(100, 100), filter(300, 200);
    SetWindowLongPtrA(filter.hwnd(), GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetWindowPos(filter.hwnd(), HWND_TOP, 200, 200, 300, 200, SWP_FRAMECHANGED);
    filter.Answer(WM_NCLBUTTONDOWN, 0);  // no move loop on the caption
    PumpMessages();
    RECT frame{}, client{};
    GetWindowRect(filter.hwnd(), &frame), GetClientRect(filter.hwnd(), &client);
    MapWindowPoints(filter.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const POINT inside{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    const POINT caption{(frame.left + frame.right) / 2, (frame.top + client.top) / 2}, elsewhere{60, 60};

    // The hook procedure itself: only HC_ACTION left presses in the filter.
    ASSERT_TRUE(ZTC_SetMouseHook(target.hwnd(), kPress, filter.hwnd()));
    const struct { int code; WPARAM msg; HWND hwnd; UINT hit; bool report; } calls[] = {
        {HC_ACTION, WM_LBUTTONDOWN, filter.hwnd(), HTCLIENT, true},
        {HC_ACTION, WM_NCLBUTTONDOWN, filter.hwnd(), HTCAPTION, true},
        {HC_ACTION, WM_RBUTTONDOWN, filter.hwnd(), HTCLIENT, false},
        {HC_ACTION, WM_LBUTTONUP, filter.hwnd(), HTCLIENT, false},
        {HC_ACTION, WM_LBUTTONDOWN, target.hwnd(), HTCLIENT, false},
        {HC_NOREMOVE, WM_LBUTTONDOWN, filter.hwnd(), HTCLIENT, false},
        {-1, WM_LBUTTONDOWN, filter.hwnd(), HTCLIENT, false},
    };
    for (const auto& c : calls) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << ", message " << c.msg);
        MOUSEHOOKSTRUCT info{inside, c.hwnd, c.hit, 0};
        target.log().Clear();
        EXPECT_EQ(MouseHookProc(c.code, c.msg, reinterpret_cast<LPARAM>(&info)), 0);
        PumpMessages();
        EXPECT_TRUE(Reported(target, kPress, c.report, c.msg, static_cast<LPARAM>(c.hit)));
    }

    // Real clicks through the installed hook, the last with the hook removed;
    // each reaches its window.
    const struct { POINT at; bool right; ParentWindow& under; UINT seen; WPARAM report; LPARAM hit; } clicks[] = {
        {inside, false, filter, WM_LBUTTONDOWN, WM_LBUTTONDOWN, HTCLIENT},
        {caption, false, filter, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, HTCAPTION},
        {inside, true, filter, WM_RBUTTONDOWN, 0, 0},
        {elsewhere, false, target, WM_LBUTTONDOWN, 0, 0},
        {inside, false, filter, WM_LBUTTONDOWN, 0, 0},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(testing::Message() << "click at " << c.at.x << ", " << c.at.y);
        EXPECT_TRUE(&c != &clicks[4] || ZTC_SetMouseHook(nullptr, kPress, filter.hwnd()));
        target.log().Clear(), filter.log().Clear();
        SetCursorPos(c.at.x, c.at.y);
        mouse_event(c.right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(c.right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        PumpFor(50);
        EXPECT_EQ(c.under.log().Count(c.seen), 1);
        EXPECT_TRUE(Reported(target, kPress, c.report != 0, c.report, c.hit));
    }
}
