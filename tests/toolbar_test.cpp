// Toolbar: layout, what each kind of tool gets, the press and its reports,
// checks and radio groups, greying, repainting, the controls' Tab keys and
// what the associate hears.  Linked with the library's code, so that tool
// places can be read from the tool list.
#include "subclass.h"
#include "surface.h"
#include "toolbar/toolbar.h"
#include "ztcore.h"
#include "ztest.h"

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

// The class and style each window was asked for at its creation, before
// the control's own procedure changed anything.
struct CreationWatch {
    CreationWatch() { hook = SetWindowsHookExA(WH_CBT, Proc, nullptr, GetCurrentThreadId()); self = this; }
    ~CreationWatch() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA& cs = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            self->asked.push_back({reinterpret_cast<HWND>(wParam), cs.style});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    DWORD StyleOf(HWND hwnd) const
    {
        for (const auto& [window, style] : asked)
            if (window == hwnd)
                return static_cast<DWORD>(style);
        return 0xFFFFFFFF;
    }
    static inline CreationWatch* self = nullptr;
    HHOOK hook;
    std::vector<std::pair<HWND, LONG>> asked;
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
