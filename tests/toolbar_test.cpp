// Toolbar: layout, what each kind of tool gets, the press and its reports,
// checks and radio groups, greying, repainting, the controls' Tab keys and
// what the associate hears.  Linked with the library's code, so that tool
// places can be read from the tool list.
#include "freewatch.h"
#include "subclass.h"
#include "surface.h"
#include "toolbar/toolbar.h"
#include "ztcore.h"
#include "ztest.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace ztest;

namespace {

constexpr int kBarId = 77, kBarWidth = 400;
constexpr UINT kAppend = 0xFFFFFFFF;
const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

ToolBarTool Record(UINT type, UINT id, int width = 30, UINT height = 22, UINT state = kLookUp)
{
    return ToolBarTool{sizeof(ToolBarTool), type, kAppend, id, width, height, nullptr, nullptr, 0, state, 0, nullptr};
}

// Subclasses a window and notes the update rectangle of each paint, and an
// empty rectangle for each erase.
struct PaintWatch {
    explicit PaintWatch(HWND hwnd) : hwnd(hwnd)
    {
        SetPropA(hwnd, "ztest_watch_self", this);
        subclass::Install(hwnd, Proc, "ztest_watch");
    }
    ~PaintWatch() { subclass::Restore(hwnd, Proc, "ztest_watch"); }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = static_cast<PaintWatch*>(GetPropA(hwnd, "ztest_watch_self"));
        RECT r{};
        if (msg == WM_PAINT)
            GetUpdateRect(hwnd, &r, FALSE);
        if (msg == WM_PAINT || msg == WM_ERASEBKGND)
            self->painted.push_back(r);
        return subclass::CallPrevious(hwnd, msg, wParam, lParam, "ztest_watch");
    }
    HWND hwnd;
    std::vector<RECT> painted;
};

// The style each window was asked for at its creation, before its own
// procedure changed anything; and the keys that reach each window's own
// procedure, from beneath whatever is put in front of it later.
struct CreationWatch {
    struct Key { HWND hwnd; UINT msg; WPARAM key; };
    CreationWatch() { hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId()); self = this; }
    ~CreationWatch() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const auto hwnd = reinterpret_cast<HWND>(wParam);
            self->asked.push_back({hwnd, reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style});
            subclass::Install(hwnd, Beneath, kBeneath);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Beneath(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_CHAR || msg == WM_KEYDOWN)
            self->keys.push_back({hwnd, msg, wParam});
        return subclass::CallPrevious(hwnd, msg, wParam, lParam, kBeneath);
    }
    DWORD StyleOf(HWND hwnd) const
    {
        for (const auto& [window, style] : asked)
            if (window == hwnd)
                return static_cast<DWORD>(style);
        return 0xFFFFFFFF;
    }
    std::vector<std::pair<UINT, WPARAM>> KeysOf(HWND hwnd) const
    {
        std::vector<std::pair<UINT, WPARAM>> got;
        for (const Key& k : keys)
            if (k.hwnd == hwnd)
                got.emplace_back(k.msg, k.key);
        return got;
    }
    static constexpr char kBeneath[] = "ztest_beneath";
    static inline CreationWatch* self = nullptr;
    HHOOK hook;
    std::vector<std::pair<HWND, LONG>> asked;
    std::vector<Key> keys;
};

Expect Held(UINT id) { return Expect{WM_MENUSELECT, MAKEWPARAM(id, 0), 0}; }
const Expect kClosed{WM_MENUSELECT, 0xFFFF0000, 0};

class ToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LibraryEntry(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr);
        ZTC_Register(0);
    }
    void SetUp() override
    {
        ASSERT_NE(bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, kBarWidth, 29, kBarId), nullptr);
        SetCursorPos(600, 600);
    }
    BOOL Add(UINT type, UINT id, UINT position = kAppend, UINT state = kLookUp)
    {
        ToolBarTool t = Record(type, id, 30, 22, state);
        t.Position = position;
        return ToolBar_AddToolIndirect(bar, &t);
    }
    ToolNode& Tool(UINT id) { return *TB_FindTool(bar, id); }
    std::vector<int> Xs() const
    {
        std::vector<int> xs;
        for (const ToolNode* t = TB_State(bar)->FirstTool; t; t = t->Next)
            xs.push_back(t->X);
        return xs;
    }
    std::vector<Msg> Reports() { return parent.log().Only({WM_MENUSELECT, WM_COMMAND}); }
    Expect Clicked(UINT id) const { return Command(id, 0, bar); }
    // Mouse messages with the real cursor at the point too.
    void MouseAt(UINT msg, int x, int y = 10)
    {
        POINT pt{x, y};
        ClientToScreen(bar, &pt);
        SetCursorPos(pt.x, pt.y);
        Mouse(bar, msg, x, y);
    }

    ParentWindow parent;
    HWND bar = nullptr;
};

}  // namespace

// ---- Layout ------------------------------------------------------------------------

TEST_F(ToolbarTest, ToolsStandInOneRowAbuttingButtonsOverlapWhenInsertedOrShownAgain)
{
    ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_PUSH, 2));
    EXPECT_EQ(Xs(), (std::vector<int>{4, 28}));
    ASSERT_TRUE(Add(TBT_PUSH, 3, 0));
    EXPECT_EQ(Xs(), (std::vector<int>{4, 27, 51}));
    ToolBar_Show(bar, 1, FALSE);
    EXPECT_EQ(Xs(), (std::vector<int>{4, 27, 27})) << "a hidden tool keeps its place";
    ToolBar_Show(bar, 1, TRUE);
    EXPECT_EQ(Xs(), (std::vector<int>{4, 27, 50}));
    ASSERT_TRUE(Add(TBT_SEPARATOR, 4, 1) && Add(TBT_EDIT, 5));
    EXPECT_EQ(Xs(), (std::vector<int>{4, 28, 33, 56, 80})) << "a separator takes 6 pixels, abutting nothing";
    RECT rc;
    GetWindowRect(Tool(5).Control, &rc);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 80) << "controls move with their tools";
    ASSERT_TRUE(ToolBar_RemoveTool(bar, 4));
    EXPECT_EQ(Xs(), (std::vector<int>{4, 28, 51, 75})) << "the gap closes up to where the separator began";
    GetWindowRect(Tool(5).Control, &rc);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 75);
}

TEST_F(ToolbarTest, EachKindGetsItsPlaceSizeClassStyleAndProcedure)
{
    HBITMAP strip = CreateBitmap(32, 15, 1, 1, nullptr);
    const DWORD kOwnerDraw = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    const struct {
        UINT type, height, state;
        HBITMAP strip;
        const char* recordClass;
        DWORD recordStyle;
        int y, width, h;
        const char* className;  // null: no control
        DWORD style;            // the control's style, WS_CHILD | WS_VISIBLE aside
        WNDPROC proc;           // null: not subclassed
    } rows[] = {
        {TBT_PUSH, 30, 2, nullptr, nullptr, 0, 3, 24, 22, nullptr, 0, nullptr},
        {TBT_CHECK, 20, 2, strip, nullptr, 0, 3, 40, 20, nullptr, 0, nullptr},
        {TBT_SEPARATOR, 5, 0, nullptr, nullptr, 0, 3, 6, 5, nullptr, 0, nullptr},
        {TBT_EDIT, 20, 0, nullptr, nullptr, 0, 4, 40, 20, "edit", WS_BORDER | WS_TABSTOP, EditSubProc},
        {TBT_EDIT, 30, 0, nullptr, nullptr, 0, 3, 40, 22, "edit", WS_BORDER | WS_TABSTOP, EditSubProc},
        {TBT_DROPLIST, 200, 0, nullptr, nullptr, 0, 2, 40, 200, "combobox", 0x210003, ListboxSubProc},
        {TBT_COMBO, 200, 0, nullptr, nullptr, 0, 2, 40, 200, "combobox", 0x210002, ComboboxSubProc},
        {TBT_COMBO, 200, TS_OWNERDRAW, nullptr, nullptr, WS_VSCROLL | CBS_DROPDOWN, 2, 40, 200, "combobox",
         WS_VSCROLL | CBS_DROPDOWN | kOwnerDraw, ComboboxSubProc},
        {TBT_STATIC, 16, 0, nullptr, nullptr, 0, 6, 40, 16, "static", 0, nullptr},
        {TBT_DRAGGER, 22, 0, nullptr, "static", 5, 3, 40, 22, ZTC_DRAGGER_CLASS, 0, nullptr},
        {TBT_CUSTOM, 30, 0, nullptr, "static", SS_RIGHT, 2, 40, 22, "static", SS_RIGHT, nullptr},
        {TBT_BUTTONCTL, 30, 0, nullptr, nullptr, 0, 2, 40, 30, "button", WS_TABSTOP, ButtonSubProc},
    };
    UINT id = 10;
    CreationWatch created;
    for (const auto& r : rows) {
        SCOPED_TRACE(id);
        ToolBarTool t = Record(r.type, id, 40, r.height, r.state);
        t.Strip = r.strip;
        t.ClassName = r.recordClass;
        t.Style = r.recordStyle;
        ASSERT_TRUE(ToolBar_AddToolIndirect(bar, &t));
        const ToolNode& n = Tool(id++);
        EXPECT_EQ(n.Y, r.y);
        EXPECT_EQ(n.Width, r.width);
        EXPECT_EQ(n.Height, r.h);
        EXPECT_EQ(n.Flags, static_cast<UINT>(TF_NOTIFY));
        EXPECT_EQ(n.GlyphWidth * 100 + n.GlyphHeight, 1615);
        ASSERT_EQ(n.Control != nullptr, r.className != nullptr);
        if (!n.Control)
            continue;
        char name[32];
        GetClassNameA(n.Control, name, sizeof name);
        EXPECT_EQ(lstrcmpiA(name, r.className), 0) << name;
        EXPECT_EQ(created.StyleOf(n.Control), r.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(GetDlgCtrlID(n.Control), static_cast<int>(n.Id));
        const auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(n.Control, GWLP_WNDPROC));
        EXPECT_EQ(proc == r.proc, r.proc != nullptr);
        const HWND field = GetDlgItem(n.Control, 1001);
        EXPECT_EQ(field && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_WNDPROC)) == CBEditSubProc,
                  r.type == TBT_COMBO);
    }
    DestroyWindow(bar);
    DeleteObject(strip);
}

TEST_F(ToolbarTest, BadRecordsAndWindowsAreRefusedAndNothingIsAdded)
{
    ToolBarTool wrong = Record(TBT_PUSH, 1), junk;
    memset(&junk, 0xEF, sizeof junk);
    const auto with = [](ToolBarTool t, auto change) { change(t); return t; };
    const ToolBarTool records[] = {
        with(wrong, [](ToolBarTool& t) { t.Size = 47; }),
        with(wrong, [](ToolBarTool& t) { t.Size = sizeof t + 4; }),
        with(wrong, [](ToolBarTool& t) { t.Type = 0x103; }),
        with(wrong, [](ToolBarTool& t) { t.Type = 0; }),
        with(wrong, [](ToolBarTool& t) { t.Type = TBT_CUSTOM; }),  // no class named
        with(wrong, [](ToolBarTool& t) { t.Type = TBT_CUSTOM, t.ClassName = "no such class"; }),
        with(wrong, [](ToolBarTool& t) { t.Type = TBT_EDIT, t.Text = reinterpret_cast<LPCSTR>(0xDEADBEEF); }),
        junk,
    };
    for (const ToolBarTool& t : records)
        EXPECT_FALSE(ToolBar_AddToolIndirect(bar, &t)) << "type " << t.Type << ", size " << t.Size;
    EXPECT_FALSE(ToolBar_AddToolIndirect(bar, nullptr));
    EXPECT_FALSE(SendMessageA(bar, TBM_ADDTOOL, 0, 0xDEADBEEF));
    EXPECT_FALSE(ToolBar_AddToolIndirect(parent.hwnd(), &wrong)) << "not a toolbar";
    HWND gauge = parent.CreateChild(ZTC_GAUGE_CLASS, 0, 0, 40, 50, 20);
    EXPECT_FALSE(ToolBar_AddToolIndirect(gauge, &wrong)) << "another control's state block is not a toolbar's";
    EXPECT_EQ(ToolBar_GetType(gauge, 1), static_cast<UINT>(-1));
    EXPECT_EQ(TB_State(bar)->FirstTool, nullptr);
    EXPECT_TRUE(parent.log().All().empty());
}

// ---- The press ---------------------------------------------------------------------

TEST_F(ToolbarTest, PressesReportToTheAssociateAndChangeTheLook)
{
    enum { Down = WM_LBUTTONDOWN, Up = WM_LBUTTONUP, Dbl = WM_LBUTTONDBLCLK, Move = WM_MOUSEMOVE };
    const Expect H = Held(1), C = kClosed, K = Clicked(1);
    const struct {
        const char* name;
        UINT type, state;
        std::vector<std::pair<UINT, int>> mouse;  // message, x
        std::vector<Expect> reports;
        UINT after;
    } rows[] = {
        {"push click", TBT_PUSH, 2, {{Down, 10}, {Up, 10}}, {H, C, K}, 2},
        {"push leave", TBT_PUSH, 2, {{Down, 10}, {Move, 100}, {Up, 100}}, {H, C}, 2},
        {"push leave, return", TBT_PUSH, 2, {{Down, 10}, {Move, 100}, {Move, 12}, {Up, 12}}, {H, C, H, C, K}, 2},
        {"check on", TBT_CHECK, 2, {{Down, 10}, {Up, 10}}, {H, C, K}, 11},
        {"check off", TBT_CHECK, 11, {{Down, 10}, {Up, 10}}, {H, C, K}, 2},
        {"check double click", TBT_CHECK, 2, {{Down, 10}, {Up, 10}, {Dbl, 10}, {Up, 10}}, {H, C, K, H, C, K}, 2},
        {"check leave", TBT_CHECK, 11, {{Down, 10}, {Move, 100}, {Up, 100}}, {H, C}, 11},
        {"radio again", TBT_RADIO, 11, {{Down, 10}, {Up, 10}}, {H, C, K}, 11},
        {"greyed", TBT_PUSH, 4, {{Down, 10}, {Up, 10}}, {}, 4},
        {"checked greyed", TBT_CHECK, 13, {{Down, 10}, {Up, 10}}, {}, 13},
        {"beside", TBT_PUSH, 2, {{Down, 30}, {Up, 30}}, {}, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(Add(r.type, 1, kAppend, r.state));
        parent.log().Clear();
        for (const auto& [msg, x] : r.mouse)
            MouseAt(msg, x);
        EXPECT_TRUE(SequenceIs(Reports(), r.reports));
        EXPECT_EQ(Tool(1).State, r.after);
        EXPECT_NE(GetCapture(), bar);
        ToolBar_RemoveTool(bar, 1);
    }
}

TEST_F(ToolbarTest, AHeldButtonLooksDownAndRepaintsOnlyItsInsideAtOnce)
{
    ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_CHECK, 2));
    PaintNow(bar);
    parent.log().Clear();
    PaintWatch watch(bar);
    MouseAt(WM_LBUTTONDOWN, 30);
    EXPECT_EQ(Tool(2).State, kLookDown);
    EXPECT_EQ(GetCapture(), bar);
    EXPECT_EQ(watch.painted, (std::vector<RECT>{{29, 4, 51, 24}})) << "painted before the press returns, not erased";
    EXPECT_EQ(Pixel(bar, 29, 10), GetSysColor(COLOR_BTNSHADOW)) << "sunken";
    watch.painted.clear();
    SendMessageA(bar, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Tool(2).State, kLookUp) << "a cancel restores the earlier look";
    EXPECT_EQ(Pixel(bar, 29, 10), kWhite);
    EXPECT_NE(GetCapture(), bar);
    EXPECT_TRUE(SequenceIs(Reports(), {Held(2)})) << "a cancel reports nothing";
    watch.painted.clear();
    SendMessageA(bar, WM_CANCELMODE, 0, 0);
    ToolBar_Check(bar, 2, TRUE);
    SendMessageA(bar, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Tool(2).State, kLookChecked) << "after the press a cancel changes no look";
    EXPECT_EQ(watch.painted.size(), 1u);
}

TEST_F(ToolbarTest, AToolRemovedDuringItsPressEndsThePressWithoutAReport)
{
    ASSERT_TRUE(Add(TBT_PUSH, 1));
    MouseAt(WM_LBUTTONDOWN, 10);
    ASSERT_TRUE(ToolBar_RemoveTool(bar, 1));
    EXPECT_NE(GetCapture(), bar);
    EXPECT_EQ(TB_State(bar)->PressedTool, nullptr);
    parent.log().Clear();
    MouseAt(WM_MOUSEMOVE, 100);
    MouseAt(WM_LBUTTONUP, 100);
    EXPECT_TRUE(Reports().empty());
}

// ---- Checks, radio groups, greying -------------------------------------------------

TEST_F(ToolbarTest, CheckingARadioButtonUnchecksTheCheckedOneOfItsRunOfRadioButtons)
{
    const UINT kinds[] = {TBT_RADIO, TBT_RADIO, TBT_RADIO, TBT_PUSH, TBT_RADIO, TBT_RADIO, TBT_SEPARATOR, TBT_RADIO};
    for (UINT id = 1; id <= 8; ++id)
        ASSERT_TRUE(Add(kinds[id - 1], id));
    const auto checked = [&] {
        std::vector<UINT> ids;
        for (UINT id = 1; id <= 8; ++id)
            if (Tool(id).State == kLookChecked)
                ids.push_back(id);
        return ids;
    };
    const struct { UINT id; BOOL check; std::vector<UINT> after; } steps[] = {
        {1, TRUE, {1}},  {3, TRUE, {3}},       {5, TRUE, {3, 5}},    {6, TRUE, {3, 6}},
        {8, TRUE, {3, 6, 8}}, {2, TRUE, {2, 6, 8}}, {2, FALSE, {2, 6, 8}}, {4, TRUE, {2, 6, 8}},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(ToolBar_Check(bar, s.id, s.check));
        EXPECT_EQ(checked(), s.after) << "after checking " << s.id << " with " << s.check;
    }
    EXPECT_EQ(Tool(4).State, kLookUp) << "a push button has no check";
    ToolBar_Enable(bar, 1, FALSE);
    ToolBar_Enable(bar, 2, FALSE);
    ToolBar_Check(bar, 1, TRUE);
    EXPECT_EQ(Tool(1).State * 100 + Tool(2).State, kLookCheckedGrayed * 100 + kLookGrayed) << "greyed stay greyed";
    EXPECT_FALSE(ToolBar_Check(bar, 99, TRUE));
}

TEST_F(ToolbarTest, GreyingKeepsTheCheckAndAnswersWhetherTheToolWasGreyed)
{
    ASSERT_TRUE(Add(TBT_CHECK, 1) && Add(TBT_CHECK, 2, kAppend, kLookChecked) && Add(TBT_EDIT, 3, kAppend, 0));
    const struct { UINT id; BOOL enable; BOOL result; UINT after; } steps[] = {
        {1, FALSE, 0, kLookGrayed}, {1, FALSE, 1, kLookGrayed}, {1, TRUE, 1, kLookUp},
        {2, FALSE, 0, kLookCheckedGrayed}, {2, TRUE, 1, kLookChecked}, {3, FALSE, 0, 0},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(SendMessageA(bar, TBM_ENABLE, s.id, s.enable), s.result) << s.id;
        EXPECT_EQ(Tool(s.id).State, s.after) << s.id;
    }
    EXPECT_FALSE(IsWindowEnabled(Tool(3).Control));
    EnableWindow(bar, TRUE);
    EnableWindow(bar, FALSE);
    EXPECT_EQ(Tool(1).State * 100 + Tool(2).State, kLookGrayed * 100 + kLookCheckedGrayed);
    EnableWindow(bar, TRUE);
    EXPECT_EQ(Tool(1).State * 100 + Tool(2).State, kLookUp * 100 + kLookChecked);
    EXPECT_TRUE(IsWindowEnabled(Tool(3).Control));
}

// ---- Painting ------------------------------------------------------------------------

TEST_F(ToolbarTest, TheFaceWithAFrameLineAtTheBottomAndTheShownButtonsPaintedAndPrinted)
{
    SysColours colours;
    const COLORREF face = RGB(0, 128, 128), frame = RGB(128, 0, 0);
    colours.Set(COLOR_BTNFACE, face);
    colours.Set(COLOR_WINDOWFRAME, frame);
    ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_SEPARATOR, 2) && Add(TBT_CHECK, 3) && Add(TBT_PUSH, 4));
    ToolBar_Show(bar, 3, FALSE);  // tool 4 moves to 34, where tool 3 stood
    const std::vector<Span> spans = {
        {0, 28, kBarWidth, 1, frame},  {0, 0, 4, 28, face},       {28, 0, 6, 28, face},   {58, 0, kBarWidth - 58, 28, face},
        {4, 3, 1, 1, face},            {4, 4, 1, 20, frame},      {5, 4, 1, 19, kWhite},  {26, 4, 1, 20, GetSysColor(COLOR_BTNSHADOW)},
        {34, 4, 1, 20, frame},         {35, 4, 1, 19, kWhite},
    };
    Surface printed(kBarWidth, 29);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    RedrawNow(bar, nullptr, TRUE);
    EXPECT_TRUE(SpansAre(bar, spans));
    EXPECT_TRUE(SpansAre(printed.Reader(), spans)) << "printed";
}

TEST_F(ToolbarTest, ControlsGetTheFontAndTheFaceBrush)
{
    ToolBarTool list = Record(TBT_DROPLIST, 1, 60, 100);
    ASSERT_TRUE(ToolBar_AddToolIndirect(bar, &list) && Add(TBT_EDIT, 2, kAppend, 0));
    const HWND edit = Tool(2).Control;
    EXPECT_EQ(SendMessageA(bar, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FONT)));
    SendMessageA(bar, WM_SETFONT, 0, 0);
    EXPECT_EQ(SendMessageA(bar, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FONT)));
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_EQ(SendMessageA(bar, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    EXPECT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    RECT rc;
    GetWindowRect(Tool(1).Control, &rc);
    EXPECT_EQ(Tool(1).Y, (29 - (rc.bottom - rc.top)) >> 1) << "the list is centred on the bar";
    EXPECT_NE(Tool(1).Y, 2);
    EXPECT_EQ(Tool(2).Y, 3) << "other controls keep their place";

    HDC dc = GetDC(bar);
    const auto brushColour = [&](UINT msg) {
        LOGBRUSH lb{};
        GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(bar, msg, reinterpret_cast<WPARAM>(dc), 0)), sizeof lb, &lb);
        return lb.lbColor;
    };
    EXPECT_EQ(brushColour(WM_CTLCOLORSTATIC), GetSysColor(COLOR_BTNFACE));
    SysColours colours;
    colours.Set(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(brushColour(WM_CTLCOLORBTN), RGB(1, 2, 3)) << "made anew for the new face colour";
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_BTNTEXT));
    ReleaseDC(bar, dc);
    DestroyWindow(bar);
    DeleteObject(font);
}

// ---- Keys ------------------------------------------------------------------------------

TEST_F(ToolbarTest, TabAndShiftTabMoveTheFocusAmongTheTabStopControlsAndTabIsNoCharacter)
{
    CreationWatch created;
    ToolBarTool combo = Record(TBT_COMBO, 3, 60, 100);
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0) && Add(TBT_STATIC, 2, kAppend, 0) && Add(TBT_PUSH, 9));
    ASSERT_TRUE(ToolBar_AddToolIndirect(bar, &combo) && Add(TBT_BUTTONCTL, 4, kAppend, 0));
    const auto focused = [&]() -> UINT {
        for (UINT id = 1; id <= 4; ++id)
            if (GetFocus() == Tool(id).Control || IsChild(Tool(id).Control, GetFocus()))
                return id;
        return 0;
    };
    ASSERT_TRUE(ToolBar_SetFocus(bar, 1));
    const struct { bool shift; UINT after; } steps[] = {
        {false, 3}, {false, 4}, {false, 1}, {true, 4}, {true, 3}, {true, 1}, {true, 4},
    };
    BYTE keys[256];
    GetKeyboardState(keys);
    for (const auto& s : steps) {
        BYTE shifted[256];
        memcpy(shifted, keys, sizeof keys);
        shifted[VK_SHIFT] = s.shift ? 0x80 : 0;
        SetKeyboardState(shifted);
        const UINT from = focused();
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(focused(), s.after) << "from " << from << (s.shift ? " with Shift" : "");
    }
    SetKeyboardState(keys);
    // Only the Tab key and character stay out of the controls.
    const std::vector<std::pair<UINT, WPARAM>> through = {
        {WM_CHAR, 'a'}, {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}};
    const struct { HWND field; bool editField; } fields[] = {
        {Tool(1).Control, true}, {GetDlgItem(Tool(3).Control, 1001), true}, {Tool(4).Control, false}};
    for (const auto& [field, editField] : fields) {
        created.keys.clear();
        SendMessageA(field, WM_CHAR, '\t', 1);
        SendMessageA(field, WM_CHAR, 'a', 1);
        for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE})
            SendMessageA(field, WM_KEYDOWN, key, 1);
        auto want = through;
        if (!editField)
            want.insert(want.begin(), {WM_CHAR, '\t'});
        EXPECT_EQ(created.KeysOf(field), want);
    }
    EXPECT_FALSE(ToolBar_SetFocus(bar, 9)) << "a drawn button takes no focus";
}

// ---- What the associate hears ---------------------------------------------------------

TEST_F(ToolbarTest, TheAssociateHearsItsChangesAndTheToolsComingAndGoing)
{
    ParentWindow other(200, 100);
    MessageLog heard;
    parent.AlsoLogTo(heard);
    other.AlsoLogTo(heard);
    const HWND p = parent.hwnd(), o = other.hwnd();
    EXPECT_EQ(ToolBar_SetAssociate(bar, o), p);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(bar, TBM_SETASSOCIATE, reinterpret_cast<WPARAM>(o), 0)), o);
    ASSERT_TRUE(Add(TBT_PUSH, 0x12345));
    EXPECT_TRUE(ToolBar_RemoveTool(bar, 0x12345));
    EXPECT_FALSE(ToolBar_RemoveTool(bar, 0x12345));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(bar, TBM_GETASSOCIATE, 0, 0)), o);
    ToolBar_SetAssociate(bar, nullptr);
    ASSERT_TRUE(Add(TBT_PUSH, 1));
    MouseAt(WM_LBUTTONDOWN, 10);
    MouseAt(WM_LBUTTONUP, 10);
    EXPECT_TRUE(SequenceIs(heard.Only({WM_COMMAND, WM_MENUSELECT}), {
        Command(kBarId, TBN_DISSOCIATED, bar).To(p), Command(kBarId, TBN_ASSOCIATED, bar).To(o),
        Command(kBarId, TBN_DISSOCIATED, bar).To(o), Command(kBarId, TBN_ASSOCIATED, bar).To(o),
        Command(0x2345, TBN_TOOLADDED, bar).To(o), Command(0x2345, TBN_TOOLREMOVED, bar).To(o),
        Command(kBarId, TBN_DISSOCIATED, bar).To(o)}));
}

TEST_F(ToolbarTest, ControlNotificationsOwnerDrawAndTheDraggersQuestionGoOnToTheAssociate)
{
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0) && Add(TBT_PUSH, 2));
    const HWND edit = Tool(1).Control;
    const auto lp = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    parent.log().Clear();
    const UINT question = RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME);
    const struct { UINT msg; WPARAM wParam; LPARAM lParam; bool passed; } rows[] = {
        {WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(edit), true},
        {WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(parent.hwnd()), false},  // not the tool's control
        {WM_COMMAND, MAKEWPARAM(2, 0), lp(bar), false},                     // the toolbar's own report
        {WM_COMMAND, MAKEWPARAM(2, 0), 0, false},                           // a drawn button has no control
        {WM_DRAWITEM, 1, 0x55, true}, {WM_MEASUREITEM, 1, 0x55, true},
        {WM_DELETEITEM, 1, 0x55, true}, {WM_COMPAREITEM, 1, 0x55, true},
        {question, 0x12345, lp(edit), true},
    };
    for (UINT msg : {UINT{WM_DRAWITEM}, UINT{WM_MEASUREITEM}, UINT{WM_DELETEITEM}, UINT{WM_COMPAREITEM}, question})
        parent.Answer(msg, 7);
    for (const auto& r : rows) {
        parent.log().Clear();
        const LRESULT answer = SendMessageA(bar, r.msg, r.wParam, r.lParam);
        EXPECT_EQ(answer, r.passed && r.msg != WM_COMMAND ? 7 : 0) << std::hex << r.msg;
        if (r.passed)
            EXPECT_TRUE(SequenceIs(parent.log().All(), {{r.msg, r.wParam, r.lParam}}));
        else
            EXPECT_TRUE(parent.log().All().empty()) << std::hex << r.msg;
    }
    EXPECT_EQ(SendMessageA(bar, TBM_SETNOTIFY, 1, FALSE), 1);
    EXPECT_EQ(ToolBar_SetNotify(bar, 1, FALSE), 0);
    parent.log().Clear();
    SendMessageA(bar, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(edit));
    ToolBar_SetAssociate(bar, nullptr);
    EXPECT_EQ(SendMessageA(bar, WM_MEASUREITEM, 1, 0x55), 0);
    EXPECT_EQ(SendMessageA(bar, question, 1, 0x55), 0);
    EXPECT_TRUE(SequenceIs(parent.log().All(), {Command(kBarId, TBN_DISSOCIATED, bar)}));
}

TEST_F(ToolbarTest, ToolMessagesReachTheControlWholeAndOtherMessagesFromWMUserUpAnswerZero)
{
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0));
    const ToolBarMessage settext{WM_SETTEXT, 0, reinterpret_cast<LPARAM>("words")};
    EXPECT_EQ(SendMessageA(bar, TBM_SENDMESSAGE, 1, reinterpret_cast<LPARAM>(&settext)), TRUE);
    char text[16] = "";
    EXPECT_EQ(ToolBar_SendMessage(bar, 1, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "words");
    EXPECT_EQ(SendMessageA(bar, TBM_SENDMESSAGE, 1, 0), 0);
    EXPECT_EQ(SendMessageA(bar, TBM_SENDMESSAGE, 2, reinterpret_cast<LPARAM>(&settext)), 0);
    EXPECT_EQ(SendMessageA(bar, TBM_SETDATA, 1, 0xFEEDF00D), 0);
    EXPECT_EQ(static_cast<DWORD>(SendMessageA(bar, TBM_GETDATA, 1, 0)), 0xFEEDF00D);
    EXPECT_EQ(SendMessageA(bar, TBM_GETTYPE, 1, 0), TBT_EDIT);
    EXPECT_EQ(static_cast<UINT>(SendMessageA(bar, TBM_GETTYPE, 2, 0)), static_cast<UINT>(-1));
    parent.log().Clear();
    for (UINT msg = TBM_GETNOTIFY + 1; msg <= 0xFFFF; msg += 251)
        ASSERT_EQ(SendMessageA(bar, msg, 1, 1), 0) << msg;
    EXPECT_EQ(SendMessageA(bar, RegisterWindowMessageA("zt_other32"), 1, 1), 0);
    EXPECT_TRUE(ToolBar_Exist(bar, 1));
    GetWindowTextA(Tool(1).Control, text, sizeof text);
    EXPECT_STREQ(text, "words");
    EXPECT_TRUE(parent.log().Only({WM_COMMAND, WM_MENUSELECT}).empty());
}

// An associate may destroy the toolbar or remove tools in answer to any
// report; the toolbar then goes no further.
TEST_F(ToolbarTest, AnAssociateMayDestroyTheToolbarOrRemoveToolsWhenItHearsAReport)
{
    std::function<void(const Msg&)> react;
    for (UINT msg : {WM_MENUSELECT, WM_COMMAND})
        parent.When(msg, [&](const Msg& m) { if (react) react(m); });
    const auto on = [&](UINT msg, WPARAM wParam, std::function<void()> act) {
        react = [=, &react](const Msg& m) {
            if (m.message == msg && m.wParam == wParam) {
                const auto run = act;  // clearing react ends this lambda's captures
                react = nullptr;
                run();
            }
        };
    };
    const auto destroy = [&] { DestroyWindow(bar); };
    const auto remove = [&](UINT id) { return [&, id] { ToolBar_RemoveTool(bar, id); }; };
    const auto click = [&] { MouseAt(WM_LBUTTONDOWN, 10); MouseAt(WM_LBUTTONUP, 10); };
    // The associate destroys the toolbar, or else removes tool 1, when it
    // hears the message; afterwards the toolbar is gone or lives on.
    const struct {
        const char* name;
        UINT msg;
        WPARAM wParam;
        bool destroys, gone;
        std::function<void()> provoke;
    } rows[] = {
        {"held", WM_MENUSELECT, 1, true, true, click},
        {"held, tool removed", WM_MENUSELECT, 1, false, false, click},
        {"let go, tool removed", WM_MENUSELECT, 0xFFFF0000, false, false, click},
        {"clicked", WM_COMMAND, 1, true, true, click},
        {"tool added", WM_COMMAND, MAKEWPARAM(5, TBN_TOOLADDED), true, true, [&] { EXPECT_TRUE(Add(TBT_EDIT, 5)); }},
        {"tool removed", WM_COMMAND, MAKEWPARAM(2, TBN_TOOLREMOVED), true, true,
         [&] { EXPECT_TRUE(ToolBar_RemoveTool(bar, 2)); }},
        {"dissociated", WM_COMMAND, MAKEWPARAM(kBarId, TBN_DISSOCIATED), true, true,
         [&] { EXPECT_EQ(ToolBar_SetAssociate(bar, bar), parent.hwnd()); }},
        {"edit hidden", WM_COMMAND, MAKEWPARAM(3, EN_KILLFOCUS), true, true,
         [&] { ToolBar_SetFocus(bar, 3); ToolBar_Show(bar, 3, FALSE); }},
    };
    FreeWatch freed(GetModuleHandleA(nullptr));
    ASSERT_GT(freed.Patched(), 0);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, kBarWidth, 29, kBarId);
        ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_CHECK, 2) && Add(TBT_EDIT, 3, kAppend, 0));
        on(r.msg, r.wParam, r.destroys ? std::function<void()>(destroy) : remove(1));
        parent.log().Clear();
        r.provoke();
        EXPECT_EQ(react, nullptr) << "the report was heard";
        EXPECT_NE(GetCapture(), bar);
        EXPECT_NE(IsWindow(bar) != FALSE, r.gone);
        if (!IsWindow(bar))
            continue;
        EXPECT_FALSE(ToolBar_Exist(bar, 1));
        for (const Msg& m : parent.log().Only({WM_COMMAND}))
            EXPECT_NE(m.wParam, 1u) << "no click reported";
        DestroyWindow(bar);
    }
    EXPECT_EQ(freed.Written(), "nothing");
}
