// Toolbar: layout, what each kind of tool gets, the press and its reports,
// checks and radio groups, greying, painting, the controls' Tab keys and
// what the associate hears.  Linked with the library's code, so that tool
// places can be read from the tool list.
#include "freewatch.h"
#include "subclass.h"
#include "surface.h"
#include "toolbar/toolbar.h"
#include "ztcore.h"
#include "ztest.h"

#include <cstring>
#include <map>

using namespace ztest;

namespace {

constexpr int kBarId = 77, kBarWidth = 400;
constexpr UINT kAppend = 0xFFFFFFFF;
const COLORREF kWhite = RGB(255, 255, 255);

ToolBarTool Record(UINT type, UINT id, int width = 30, UINT height = 22, UINT state = kLookUp, UINT place = kAppend)
{
    return ToolBarTool{sizeof(ToolBarTool), type, place, id, width, height, nullptr, nullptr, 0, state, 0, nullptr};
}

Expect Held(UINT id) { return Expect{WM_MENUSELECT, MAKEWPARAM(id, 0), 0}; }
const Expect kClosed{WM_MENUSELECT, 0xFFFF0000, 0};

// Every window created while it lives gets a recording procedure before
// anything else is put in front of its own: it notes the style the window
// was asked for, the keys that reach the window's own procedure, and the
// update rectangle of each of its paints (an empty one for each erase).
struct Beneath {
    Beneath() : hook(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())) { self = this; }
    ~Beneath() { UnhookWindowsHookEx(hook), self = nullptr; }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const auto hwnd = reinterpret_cast<HWND>(wParam);
            self->styles[hwnd] = static_cast<DWORD>(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style);
            subclass::Install(hwnd, Proc, "ztest_beneath");
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        RECT r{};
        if (self && msg == WM_PAINT)
            GetUpdateRect(hwnd, &r, FALSE);
        if (self && (msg == WM_PAINT || msg == WM_ERASEBKGND))
            self->painted[hwnd].push_back(r);
        if (self && (msg == WM_CHAR || msg == WM_KEYDOWN))
            self->keys.Add(Msg{msg, wParam, lParam, hwnd});
        return subclass::CallPrevious(hwnd, msg, wParam, lParam, "ztest_beneath");
    }
    static inline Beneath* self = nullptr;
    HHOOK hook;
    std::map<HWND, DWORD> styles;
    MessageLog keys;
    std::map<HWND, std::vector<RECT>> painted;
};

class ToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LibraryEntry(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr), ZTC_Register(0);
    }
    void SetUp() override
    {
        ASSERT_NE(NewBar(), nullptr);
        SetCursorPos(600, 600);
    }
    HWND NewBar() { return bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, kBarWidth, 29, kBarId); }
    BOOL Add(ToolBarTool t) { return ToolBar_AddToolIndirect(bar, &t); }
    BOOL Add(UINT type, UINT id, UINT place = kAppend, UINT state = kLookUp)
    {
        return Add(Record(type, id, 30, 22, state, place));
    }
    ToolNode& Tool(UINT id) { return *TB_FindTool(bar, id); }
    // A field of every tool, in order.
    template <class T>
    std::vector<T> Each(T ToolNode::*field) const
    {
        std::vector<T> all;
        for (const ToolNode* t = TB_State(bar)->FirstTool; t; t = t->Next)
            all.push_back(t->*field);
        return all;
    }
    std::vector<int> Xs() const { return Each(&ToolNode::X); }
    LONG ControlX(UINT id)
    {
        RECT rc;
        GetWindowRect(Tool(id).Control, &rc);
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&rc), 2);
        return rc.left;
    }
    std::vector<Msg> Reports() { return parent.log().Only({WM_MENUSELECT, WM_COMMAND}); }
    // Mouse messages with the real cursor at the point too.
    void MouseAt(UINT msg, int x, int y = 10)
    {
        POINT pt{x, y};
        ClientToScreen(bar, &pt);
        SetCursorPos(pt.x, pt.y);
        Mouse(bar, msg, x, y);
    }
    void Click(int x) { MouseAt(WM_LBUTTONDOWN, x), MouseAt(WM_LBUTTONUP, x); }

    MessageLog heard;  // of windows that log here too: it outlives them
    ParentWindow parent;
    HWND bar = nullptr;
};

}  // namespace

// ---- Tools and their places -----------------------------------------------------------

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
    EXPECT_EQ(ControlX(5), 80);
    ASSERT_TRUE(ToolBar_RemoveTool(bar, 4));
    EXPECT_EQ(Xs(), (std::vector<int>{4, 28, 51, 75})) << "the gap closes up to where the separator began";
    EXPECT_EQ(ControlX(5), 75) << "controls move with their tools";
}

TEST_F(ToolbarTest, EachKindGetsItsPlaceSizeClassStyleAndProcedure)
{
    HBITMAP strip = CreateBitmap(32, 15, 1, 1, nullptr);
    // The record's kind, height, state, class and style; the tool's y, width
    // and height, its control's class (null: none), the style the control
    // was asked for (WS_CHILD | WS_VISIBLE aside) and its procedure (null:
    // not subclassed: the recorder's is in front).
    const struct { UINT type, height, state; const char* recordClass; DWORD recordStyle; int y, width, h;
                   const char* className; DWORD style; WNDPROC proc; } rows[] = {
        {TBT_PUSH, 30, 2, nullptr, 0, 3, 24, 22, nullptr, 0, nullptr},
        {TBT_CHECK, 20, 2, nullptr, 0, 3, 40, 20, nullptr, 0, nullptr},  // with a strip of its own
        {TBT_SEPARATOR, 5, 0, nullptr, 0, 3, 6, 5, nullptr, 0, nullptr},
        {TBT_EDIT, 20, 0, nullptr, 0, 4, 40, 20, "edit", WS_BORDER | WS_TABSTOP, EditSubProc},
        {TBT_EDIT, 30, 0, nullptr, 0, 3, 40, 22, "edit", WS_BORDER | WS_TABSTOP, EditSubProc},
        {TBT_DROPLIST, 200, 0, nullptr, 0, 2, 40, 200, "combobox", 0x210003, ListboxSubProc},
        {TBT_COMBO, 200, 0, nullptr, 0, 2, 40, 200, "combobox", 0x210002, ComboboxSubProc},
        {TBT_COMBO, 200, TS_OWNERDRAW, nullptr, CBS_DROPDOWN, 2, 40, 200, "combobox", 0x212, ComboboxSubProc},
        {TBT_STATIC, 16, 0, nullptr, 0, 6, 40, 16, "static", 0, nullptr},
        {TBT_DRAGGER, 22, 0, "static", 5, 3, 40, 22, ZTC_DRAGGER_CLASS, 0, nullptr},
        {TBT_CUSTOM, 30, 0, "static", SS_RIGHT, 2, 40, 22, "static", SS_RIGHT, nullptr},
        {TBT_BUTTONCTL, 30, 0, nullptr, 0, 2, 40, 30, "button", WS_TABSTOP, ButtonSubProc},
    };
    UINT id = 10;
    Beneath created;
    for (const auto& r : rows) {
        SCOPED_TRACE(id);
        ToolBarTool t = Record(r.type, id, 40, r.height, r.state);
        t.Strip = r.type == TBT_CHECK ? strip : nullptr, t.ClassName = r.recordClass, t.Style = r.recordStyle;
        ASSERT_TRUE(Add(t));
        const ToolNode& n = Tool(id++);
        EXPECT_EQ((std::vector<int>{n.Y, n.Width, n.Height, int(n.Flags), n.GlyphWidth, n.GlyphHeight}),
                  (std::vector<int>{r.y, r.width, r.h, TF_NOTIFY, 16, 15}));
        ASSERT_EQ(n.Control != nullptr, r.className != nullptr);
        if (!n.Control)
            continue;
        char name[32];
        GetClassNameA(n.Control, name, sizeof name);
        EXPECT_EQ(lstrcmpiA(name, r.className), 0) << name;
        EXPECT_EQ(created.styles[n.Control], r.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(GetDlgCtrlID(n.Control), static_cast<int>(n.Id));
        EXPECT_EQ(WNDPROC(GetWindowLongPtrA(n.Control, GWLP_WNDPROC)), r.proc ? r.proc : Beneath::Proc);
        const HWND field = GetDlgItem(n.Control, 1001);
        EXPECT_EQ(field && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_WNDPROC)) == CBEditSubProc,
                  r.type == TBT_COMBO);
    }
    DestroyWindow(bar);
    DeleteObject(strip);
}

TEST_F(ToolbarTest, BadRecordsAreRefusedAndNothingIsAdded)
{
    ToolBarTool good = Record(TBT_PUSH, 1), junk;
    memset(&junk, 0xEF, sizeof junk);
    const auto with = [&](auto change) { ToolBarTool t = good; change(t); return t; };
    const ToolBarTool records[] = {
        with([](ToolBarTool& t) { t.Size = 47; }),
        with([](ToolBarTool& t) { t.Size = sizeof t + 4; }),
        with([](ToolBarTool& t) { t.Type = 0x103; }),
        with([](ToolBarTool& t) { t.Type = 0; }),
        with([](ToolBarTool& t) { t.Type = TBT_CUSTOM; }),  // no class named
        with([](ToolBarTool& t) { t.Type = TBT_CUSTOM, t.ClassName = "no such class"; }),
        with([](ToolBarTool& t) { t.Type = TBT_EDIT, t.Text = reinterpret_cast<LPCSTR>(0xDEADBEEF); }),
        junk,
    };
    for (const ToolBarTool& t : records)
        EXPECT_FALSE(ToolBar_AddToolIndirect(bar, &t)) << "type " << t.Type << ", size " << t.Size;
    EXPECT_FALSE(ToolBar_AddToolIndirect(bar, nullptr) || SendMessageA(bar, TBM_ADDTOOL, 0, 0xDEADBEEF));
    EXPECT_EQ(TB_State(bar)->FirstTool, nullptr);
    EXPECT_TRUE(parent.log().All().empty());
}

// ---- The press ---------------------------------------------------------------------------

TEST_F(ToolbarTest, PressesReportToTheAssociateAndChangeTheLook)
{
    enum { Down = WM_LBUTTONDOWN, Up = WM_LBUTTONUP, Dbl = WM_LBUTTONDBLCLK, Move = WM_MOUSEMOVE };
    const Expect H = Held(1), C = kClosed, K = Command(1, 0, bar);
    // The tool's kind and look; the mouse messages and their x; the reports
    // and the look after.
    const struct { const char* name; UINT type, state; std::vector<std::pair<UINT, int>> mouse;
                   std::vector<Expect> reports; UINT after; } rows[] = {
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

TEST_F(ToolbarTest, AHeldButtonRepaintsOnlyItsInsideAtOnceAndACancelOrARemovalEndsThePressSilently)
{
    Beneath watch;
    DestroyWindow(bar), NewBar();
    ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_CHECK, 2));
    PaintNow(bar);
    parent.log().Clear(), watch.painted.clear();
    MouseAt(WM_LBUTTONDOWN, 30);
    EXPECT_EQ(Tool(2).State * 10 + (GetCapture() == bar), kLookDown * 10 + 1);
    EXPECT_EQ(watch.painted[bar], (std::vector<RECT>{{29, 4, 51, 24}})) << "painted at once, not erased";
    EXPECT_EQ(Pixel(bar, 29, 10), GetSysColor(COLOR_BTNSHADOW)) << "sunken";
    SendMessageA(bar, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Tool(2).State * 10 + (GetCapture() == bar), kLookUp * 10) << "a cancel restores the earlier look";
    EXPECT_EQ(Pixel(bar, 29, 10), kWhite);
    ToolBar_Check(bar, 2, TRUE), watch.painted.clear();
    SendMessageA(bar, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Tool(2).State, kLookChecked) << "after the press a cancel changes no look";
    EXPECT_TRUE(watch.painted.empty());
    MouseAt(WM_LBUTTONDOWN, 10);
    ASSERT_TRUE(ToolBar_RemoveTool(bar, 1));
    EXPECT_EQ(TB_State(bar)->PressedTool, nullptr);
    EXPECT_NE(GetCapture(), bar);
    MouseAt(WM_MOUSEMOVE, 100), MouseAt(WM_LBUTTONUP, 100);
    EXPECT_TRUE(SequenceIs(Reports(), {Held(2), Held(1), Command(1, TBN_TOOLREMOVED, bar)}))
        << "neither a cancel nor a removal reports the press";
}

// ---- Checks and greying --------------------------------------------------------------------

TEST_F(ToolbarTest, ARadioButtonUnchecksTheCheckedOneOfItsRunAndGreyingKeepsChecks)
{
    const UINT kinds[] = {TBT_RADIO, TBT_RADIO, TBT_RADIO, TBT_PUSH, TBT_RADIO, TBT_RADIO, TBT_SEPARATOR, TBT_RADIO};
    for (UINT id = 1; id <= 8; ++id)
        ASSERT_TRUE(Add(kinds[id - 1], id));
    // Check (1) or uncheck (0) a tool; afterwards the looks of all eight.
    const struct { UINT id; BOOL check; std::vector<UINT> after; } steps[] = {
        {1, 1, {11, 2, 2, 2, 2, 2, 2, 2}},  {3, 1, {2, 2, 11, 2, 2, 2, 2, 2}},   {5, 1, {2, 2, 11, 2, 11, 2, 2, 2}},
        {6, 1, {2, 2, 11, 2, 2, 11, 2, 2}}, {8, 1, {2, 2, 11, 2, 2, 11, 2, 11}}, {3, 0, {2, 2, 11, 2, 2, 11, 2, 11}},
        {4, 1, {2, 2, 11, 2, 2, 11, 2, 11}},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(ToolBar_Check(bar, s.id, s.check));
        EXPECT_EQ(Each(&ToolNode::State), s.after) << "after checking " << s.id << " with " << s.check;
    }
    // Grey (0) or enable (1) a tool: the answer is whether it was greyed.
    const struct { UINT id; BOOL enable, answer; } greying[] = {{1, 0, 0}, {1, 0, 1}, {3, 0, 0}, {6, 1, 0}};
    for (const auto& g : greying)
        EXPECT_EQ(SendMessageA(bar, TBM_ENABLE, g.id, g.enable), g.answer) << g.id;
    ToolBar_Check(bar, 1, TRUE);
    EXPECT_EQ(Each(&ToolNode::State), (std::vector<UINT>{13, 2, 4, 2, 2, 11, 2, 11}));
    EnableWindow(bar, FALSE);
    EXPECT_EQ(Each(&ToolNode::State), (std::vector<UINT>{13, 4, 4, 4, 4, 13, 2, 13})) << "a separator has no look";
    EnableWindow(bar, TRUE);
    EXPECT_EQ(Each(&ToolNode::State), (std::vector<UINT>{11, 2, 2, 2, 2, 11, 2, 11}));
    ASSERT_TRUE(Add(TBT_EDIT, 9, kAppend, 0));
    EXPECT_FALSE(ToolBar_Enable(bar, 9, FALSE));
    EXPECT_FALSE(IsWindowEnabled(Tool(9).Control));
    EXPECT_FALSE(ToolBar_Enable(bar, 9, TRUE)) << "a control tool's state stays as it was made";
    EXPECT_FALSE(ToolBar_Check(bar, 99, TRUE));
}

// ---- Painting, fonts and colours -------------------------------------------------------

TEST_F(ToolbarTest, TheFaceWithAFrameLineAtTheBottomAndTheShownButtonsPaintedAndPrinted)
{
    SysColours colours;
    const COLORREF face = RGB(0, 128, 128), frame = RGB(128, 0, 0), shadow = GetSysColor(COLOR_BTNSHADOW);
    colours.Set(COLOR_BTNFACE, face);
    colours.Set(COLOR_WINDOWFRAME, frame);
    ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_SEPARATOR, 2) && Add(TBT_CHECK, 3) && Add(TBT_PUSH, 4));
    ToolBar_Show(bar, 3, FALSE);  // tool 4 moves to 34, where tool 3 stood
    const std::vector<Span> spans = {
        {0, 28, kBarWidth, 1, frame}, {0, 0, 4, 28, face},  {28, 0, 6, 28, face},  {58, 0, kBarWidth - 58, 28, face},
        {4, 3, 1, 1, face},           {4, 4, 1, 20, frame}, {5, 4, 1, 19, kWhite}, {26, 4, 1, 20, shadow},
        {34, 4, 1, 20, frame},        {35, 4, 1, 19, kWhite},
    };
    Surface printed(kBarWidth, 29);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    RedrawNow(bar, nullptr, TRUE);
    EXPECT_TRUE(SpansAre(bar, spans));
    EXPECT_TRUE(SpansAre(printed.Reader(), spans)) << "printed";
}

TEST_F(ToolbarTest, ControlsGetTheFontAndTheFaceBrush)
{
    ASSERT_TRUE(Add(Record(TBT_DROPLIST, 1, 60, 100)) && Add(TBT_EDIT, 2, kAppend, 0));
    const auto font = [](HWND w) { return reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)); };
    SendMessageA(bar, WM_SETFONT, 0, 0);
    EXPECT_EQ(font(bar), GetStockObject(SYSTEM_FONT));
    HFONT big = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(big), 0);
    EXPECT_TRUE(font(bar) == big && font(Tool(2).Control) == big);
    RECT rc;
    GetWindowRect(Tool(1).Control, &rc);
    EXPECT_EQ(Tool(1).Y, (29 - (rc.bottom - rc.top)) >> 1) << "the list is centred on the bar";
    EXPECT_NE(Tool(1).Y, 2) << "the list grew with the font";
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
    EXPECT_TRUE(GetBkColor(dc) == RGB(1, 2, 3) && GetTextColor(dc) == GetSysColor(COLOR_BTNTEXT));
    ReleaseDC(bar, dc), DestroyWindow(bar), DeleteObject(big);
}

// ---- Keys ----------------------------------------------------------------------------------

TEST_F(ToolbarTest, TabAndShiftTabMoveTheFocusAmongTheTabStopControlsAndTabIsNoCharacter)
{
    Beneath beneath;
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0) && Add(TBT_STATIC, 2, kAppend, 0) && Add(TBT_PUSH, 9));
    ASSERT_TRUE(Add(Record(TBT_COMBO, 3, 60, 100)) && Add(TBT_BUTTONCTL, 4, kAppend, 0));
    const auto focused = [&]() -> UINT {
        for (UINT id = 1; id <= 4; ++id)
            if (GetFocus() == Tool(id).Control || IsChild(Tool(id).Control, GetFocus()))
                return id;
        return 0;
    };
    ASSERT_TRUE(ToolBar_SetFocus(bar, 1));
    EXPECT_FALSE(ToolBar_SetFocus(bar, 9)) << "a drawn button takes no focus";
    const struct { bool shift; UINT after; } steps[] = {{0, 3}, {0, 4}, {0, 1}, {1, 4}, {1, 3}, {1, 1}, {1, 4}};
    BYTE keys[256];
    GetKeyboardState(keys);
    for (const auto& s : steps) {
        keys[VK_SHIFT] = s.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        const UINT from = focused();
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(focused(), s.after) << "from " << from << (s.shift ? " with Shift" : "");
    }
    keys[VK_SHIFT] = 0, SetKeyboardState(keys);
    // Only the Tab key, and in edit fields the Tab character, stay out.
    const struct { HWND field; bool edit; } fields[] = {
        {Tool(1).Control, true}, {GetDlgItem(Tool(3).Control, 1001), true}, {Tool(4).Control, false}};
    for (const auto& [field, edit] : fields) {
        beneath.keys.Clear();
        SendMessageA(field, WM_CHAR, '\t', 1);
        SendMessageA(field, WM_CHAR, 'a', 1);
        for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE})
            SendMessageA(field, WM_KEYDOWN, key, 1);
        EXPECT_TRUE(SequenceIs(beneath.keys.All(), {Expect{WM_CHAR, '\t', 1}.To(field).Optional(),
            Expect{WM_CHAR, 'a', 1}.To(field), Expect{WM_KEYDOWN, VK_RETURN, 1}.To(field),
            Expect{WM_KEYDOWN, VK_ESCAPE, 1}.To(field)}));
        EXPECT_EQ(beneath.keys.Count(WM_CHAR), edit ? 1 : 2);
    }
}

// ---- What the associate hears ------------------------------------------------------------

TEST_F(ToolbarTest, TheAssociateHearsItsChangesAndTheToolsComingAndGoing)
{
    ParentWindow other(200, 100);
    parent.AlsoLogTo(heard), other.AlsoLogTo(heard);
    const HWND p = parent.hwnd(), o = other.hwnd();
    EXPECT_EQ(ToolBar_SetAssociate(bar, o), p);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(bar, TBM_SETASSOCIATE, reinterpret_cast<WPARAM>(o), 0)), o);
    ASSERT_TRUE(Add(TBT_PUSH, 0x12345));
    EXPECT_TRUE(ToolBar_RemoveTool(bar, 0x12345));
    EXPECT_FALSE(ToolBar_RemoveTool(bar, 0x12345));
    ToolBar_SetAssociate(bar, nullptr);
    ASSERT_TRUE(Add(TBT_PUSH, 1));
    Click(10);
    EXPECT_EQ(Tool(1).State, kLookUp) << "pressed and released, heard by none";
    EXPECT_TRUE(SequenceIs(heard.Only({WM_COMMAND, WM_MENUSELECT}), {
        Command(kBarId, TBN_DISSOCIATED, bar).To(p), Command(kBarId, TBN_ASSOCIATED, bar).To(o),
        Command(kBarId, TBN_DISSOCIATED, bar).To(o), Command(kBarId, TBN_ASSOCIATED, bar).To(o),
        Command(0x2345, TBN_TOOLADDED, bar).To(o), Command(0x2345, TBN_TOOLREMOVED, bar).To(o),
        Command(kBarId, TBN_DISSOCIATED, bar).To(o)}));
}

TEST_F(ToolbarTest, ControlNotificationsOwnerDrawAndTheDraggersQuestionGoOnToTheAssociate)
{
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0) && Add(TBT_PUSH, 2));
    const auto lp = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    const HWND edit = Tool(1).Control;
    const UINT question = RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME);
    for (UINT msg : {UINT{WM_DRAWITEM}, UINT{WM_MEASUREITEM}, UINT{WM_DELETEITEM}, UINT{WM_COMPAREITEM}, question})
        parent.Answer(msg, 7);
    const struct { UINT msg; WPARAM wParam; LPARAM lParam; bool passed; } rows[] = {
        {WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(edit), true},
        {WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(parent.hwnd()), false},  // not the tool's control
        {WM_COMMAND, MAKEWPARAM(2, 0), lp(bar), false},                     // the toolbar's own report
        {WM_COMMAND, MAKEWPARAM(2, 0), 0, false},                           // a drawn button has no control
        {WM_DRAWITEM, 1, 0x55, true}, {WM_MEASUREITEM, 1, 0x55, true},
        {WM_DELETEITEM, 1, 0x55, true}, {WM_COMPAREITEM, 1, 0x55, true},
        {question, 0x12345, lp(edit), true},
    };
    for (const auto& r : rows) {
        parent.log().Clear();
        EXPECT_EQ(SendMessageA(bar, r.msg, r.wParam, r.lParam), r.passed && r.msg != WM_COMMAND ? 7 : 0) << r.msg;
        EXPECT_TRUE(SequenceIs(parent.log().All(), r.passed ? std::vector<Expect>{{r.msg, r.wParam, r.lParam}}
                                                            : std::vector<Expect>{})) << r.msg;
    }
    EXPECT_EQ(SendMessageA(bar, TBM_SETNOTIFY, 1, FALSE), 1);
    EXPECT_EQ(ToolBar_SetNotify(bar, 1, FALSE), 0);
    parent.log().Clear();
    SendMessageA(bar, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), lp(edit));
    ToolBar_SetAssociate(bar, nullptr);
    EXPECT_EQ(SendMessageA(bar, WM_MEASUREITEM, 1, 0x55) + SendMessageA(bar, question, 1, 0x55), 0);
    EXPECT_TRUE(SequenceIs(parent.log().All(), {Command(kBarId, TBN_DISSOCIATED, bar)}));
}

TEST_F(ToolbarTest, ToolMessagesReachTheControlWholeAndOtherMessagesFromWMUserUpAnswerZero)
{
    ASSERT_TRUE(Add(TBT_EDIT, 1, kAppend, 0));
    const ToolBarMessage settext{WM_SETTEXT, 0, reinterpret_cast<LPARAM>("words")};
    EXPECT_EQ(SendMessageA(bar, TBM_SENDMESSAGE, 1, reinterpret_cast<LPARAM>(&settext)), TRUE);
    EXPECT_EQ(SendMessageA(bar, TBM_SENDMESSAGE, 1, 0) + SendMessageA(bar, TBM_SENDMESSAGE, 2, 0), 0);
    parent.log().Clear();
    for (UINT msg = TBM_GETNOTIFY + 1; msg <= 0xFFFF; msg += 251)
        ASSERT_EQ(SendMessageA(bar, msg, 1, 1), 0) << msg;
    char text[16] = "";
    EXPECT_EQ(ToolBar_SendMessage(bar, 1, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "words");
    EXPECT_TRUE(parent.log().Only({WM_COMMAND, WM_MENUSELECT}).empty());
}

// The associate destroys the toolbar, or else removes tool 1, when it hears
// a report: the toolbar goes no further and writes into no freed memory.
TEST_F(ToolbarTest, AnAssociateMayDestroyTheToolbarOrRemoveToolsWhenItHearsAReport)
{
    // The report the associate acts on, whether it destroys the toolbar, and
    // what provokes the report.
    struct Row { const char* name; UINT msg; WPARAM wParam; bool destroys; std::function<void()> provoke; };
    const Row* now = nullptr;
    bool heard = true;
    for (UINT msg : {WM_MENUSELECT, WM_COMMAND})
        parent.When(msg, [&](const Msg& m) {
            if (!heard && m.message == now->msg && m.wParam == now->wParam)
                heard = true, now->destroys ? DestroyWindow(bar) : ToolBar_RemoveTool(bar, 1);
        });
    const auto click = [&] { Click(10); };
    const Row rows[] = {
        {"held", WM_MENUSELECT, 1, true, click},
        {"held, tool removed", WM_MENUSELECT, 1, false, click},
        {"let go, tool removed", WM_MENUSELECT, 0xFFFF0000, false, click},
        {"clicked", WM_COMMAND, 1, true, click},
        {"tool added", WM_COMMAND, MAKEWPARAM(5, TBN_TOOLADDED), true, [&] { EXPECT_TRUE(Add(TBT_EDIT, 5)); }},
        {"tool removed", WM_COMMAND, MAKEWPARAM(2, TBN_TOOLREMOVED), true, [&] { ToolBar_RemoveTool(bar, 2); }},
        {"dissociated", WM_COMMAND, MAKEWPARAM(kBarId, TBN_DISSOCIATED), true, [&] { ToolBar_SetAssociate(bar, bar); }},
        {"edit hidden", WM_COMMAND, MAKEWPARAM(3, EN_KILLFOCUS), true,
         [&] { ToolBar_SetFocus(bar, 3); ToolBar_Show(bar, 3, FALSE); }},
    };
    FreeWatch freed(GetModuleHandleA(nullptr));
    ASSERT_GT(freed.Patched(), 0);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        NewBar();
        ASSERT_TRUE(Add(TBT_PUSH, 1) && Add(TBT_CHECK, 2) && Add(TBT_EDIT, 3, kAppend, 0));
        now = &r, heard = false;
        parent.log().Clear();
        r.provoke();
        EXPECT_TRUE(heard);
        EXPECT_NE(GetCapture(), bar);
        EXPECT_NE(IsWindow(bar) != FALSE, r.destroys);
        if (!IsWindow(bar))
            continue;
        EXPECT_FALSE(ToolBar_Exist(bar, 1));
        for (const Msg& m : parent.log().Only({WM_COMMAND}))
            EXPECT_NE(m.wParam, 1u) << "no click reported";
        DestroyWindow(bar);
    }
    EXPECT_EQ(freed.Written(), "nothing");
}
