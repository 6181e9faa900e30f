// Dragger: the well and its pictures by pixels, picture ownership, the
// cursor, and drops onto a frame that another thread owns (another
// application as far as the dragger can tell), with the beeps of failed
// lookups counted.
#include "imports.h"
#include "surface.h"
#include "ztest.h"

#include <string>
#include <vector>

using namespace ztest;

namespace {

constexpr int W = 40, H = 30, kId = 0x12345;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// A packed 24-bit DIB of w x h, red with a blue top-left pixel, whose
// header announces `extraRows` more rows than the block holds.
HGLOBAL MakeDIB(int w, int h, int extraRows = 0)
{
    const int row = (w * 3 + 3) / 4 * 4;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + row * h);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    *header = {sizeof *header, w, h + extraRows, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    auto* bits = reinterpret_cast<BYTE*>(header + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = bits + row * (h - 1 - y) + 3 * x;
            const COLORREF c = x == 0 && y == 0 ? kBlue : kRed;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    GlobalUnlock(dib);
    return dib;
}

// A w x h bitmap, green with a blue top-left pixel.
HBITMAP MakeBitmap(int w, int h)
{
    std::vector<DWORD> bits(w * h, 0x00FF00);
    bits[0] = 0x0000FF;
    return CreateBitmap(w, h, 1, 32, bits.data());
}

void Give(HWND dragger, UINT msg, HANDLE picture) { SendMessageA(dragger, msg, reinterpret_cast<WPARAM>(picture), 0); }

class DraggerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(dragger = parent.CreateChild(ZTC_DRAGGER_CLASS, 0, 20, 20, W, H, kId), nullptr); }
    ParentWindow parent;
    HWND dragger = nullptr;
};

// ---- Drops ----------------------------------------------------------------------

// A frame window that a thread of its own owns (another application as
// far as the dragger can tell) at (700, 100), with an edit field over the
// lower third of its client area.  It logs the menu messages and menu
// commands it receives: only a drop sends those, while the test's thread
// waits for them, so the log needs no lock.
class TargetApp {
public:
    TargetApp() : thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) { WaitForSingleObject(ready_, INFINITE); }
    ~TargetApp()
    {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_), CloseHandle(ready_);
    }
    // The frame's thread sets the menu bar (null: none) and destroys the old one.
    void SetMenuBar(HMENU bar) { SendMessageA(frame, WM_APP, 0, reinterpret_cast<LPARAM>(bar)); }

    HWND frame = nullptr, edit = nullptr;
    MessageLog log;

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* app = static_cast<TargetApp*>(self);
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ztest_target";
        RegisterClassA(&wc);
        app->frame = CreateWindowExA(0, wc.lpszClassName, "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 300,
                                     300, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(app->frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        RECT rc;
        GetClientRect(app->frame, &rc);
        app->edit = CreateWindowExA(0, "edit", "", WS_CHILD | WS_VISIBLE, 0, rc.bottom * 2 / 3, rc.right, rc.bottom / 3,
                                    app->frame, nullptr, wc.hInstance, nullptr);
        SetEvent(app->ready_);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        return 0;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* app = reinterpret_cast<TargetApp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (app && (msg == WM_INITMENU || msg == WM_INITMENUPOPUP || (msg == WM_COMMAND && !lParam)))
            app->log.Add(Msg{msg, wParam, lParam});
        if (msg == WM_APP) {
            HMENU old = GetMenu(hwnd);
            SetMenu(hwnd, reinterpret_cast<HMENU>(lParam));
            DestroyMenu(old);
        }
        if (msg == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    HANDLE ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr), thread_;
};

// A menu bar: one list per item, its title first and then its entries; a
// title alone is a plain command, an entry ending in '>' opens a submenu.
// Entry j of item i has the identifier 0x8000 + 16 i + j.
using MenuItems = std::vector<std::vector<std::string>>;
UINT EntryId(int item, int entry) { return 0x8000 + 16 * item + entry; }

HMENU MakeMenuBar(const MenuItems& items)
{
    HMENU bar = CreateMenu();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        HMENU popup = items[i].size() > 1 ? CreatePopupMenu() : nullptr;
        for (int j = 1; j < static_cast<int>(items[i].size()); ++j) {
            const std::string& text = items[i][j];
            if (text.back() == '>')
                AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), text.c_str());
            else
                AppendMenuA(popup, MF_STRING, EntryId(i, j - 1), text.c_str());
        }
        AppendMenuA(bar, popup ? MF_POPUP : MF_STRING, popup ? reinterpret_cast<UINT_PTR>(popup) : EntryId(i, 0),
                    items[i][0].c_str());
    }
    return bar;
}

// What the library releases and how often it beeps, through its imports.
std::vector<HANDLE> released;
decltype(&GlobalFree) realGlobalFree;
decltype(&DeleteObject) realDeleteObject;
HGLOBAL WINAPI RecordGlobalFree(HGLOBAL h) { released.push_back(h); return realGlobalFree(h); }
BOOL WINAPI RecordDeleteObject(HGDIOBJ h) { released.push_back(h); return realDeleteObject(h); }
int beeps = 0;
BOOL WINAPI CountBeep(UINT) { ++beeps; return TRUE; }

POINT Centre(HWND hwnd) { RECT r; GetWindowRect(hwnd, &r); return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

// Step by step: the empty well, a bitmap centred over it, a DIB shown
// instead of it, the bitmap again without the DIB, a larger DIB from the
// top-left corner, and an incomplete DIB that shows nothing (not even the
// bitmap).  Read from the screen and from WM_PRINTCLIENT into a surface of
// the face colour.
TEST_F(DraggerTest, PaintsTheWellAndCentresThePicture)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_WINDOWTEXT);
    // (W - 1, 1) is where neither the shadow nor the highlight reaches.
    const std::vector<Dot> well = {
        {0, 0, shadow},    {0, H - 1, shadow},    {W - 1, 0, shadow}, {1, H - 1, light}, {W - 1, H - 1, light},
        {W - 1, 2, light}, {W - 1, 1, face},      {1, 1, dark},       {1, H - 2, dark},  {W - 2, H - 2, dark},
        {W - 2, 1, dark},  {2, 2, face},          {W - 3, H - 3, face},
    };
    // A 10 x 6 DIB at (15, 12), a 20 x 10 bitmap at (10, 10), a larger DIB at (0, 0).
    const std::vector<Dot> dib = {{15, 12, kBlue}, {24, 17, kRed}, {14, 12, face}, {25, 17, face}, {10, 10, face}};
    const std::vector<Dot> bitmap = {{10, 10, kBlue}, {29, 19, kGreen}, {9, 10, face}, {30, 20, face},
                                       {15, 12, kGreen}};
    const std::vector<Dot> larger = {{0, 0, kBlue}, {1, 0, kRed}, {W - 1, H - 1, kRed}};
    const std::vector<Dot> none = {{10, 10, face}, {15, 12, face}, {20, 15, face}};
    struct Step { const char* what; UINT msg; HANDLE picture; const std::vector<Dot>& probes; bool framed; };
    const Step steps[] = {
        {"empty", 0, nullptr, well, true},
        {"bitmap", DRM_SETBITMAP, MakeBitmap(20, 10), bitmap, true},
        {"DIB and bitmap", DRM_SETDIB, MakeDIB(10, 6), dib, true},
        {"bitmap, DIB removed", DRM_SETDIB, nullptr, bitmap, true},
        {"larger DIB", DRM_SETDIB, MakeDIB(W + 10, H + 10), larger, false},
        {"incomplete DIB", DRM_SETDIB, MakeDIB(10, 6, 1), none, true},
    };
    for (const auto& s : steps) {
        if (s.msg)
            Give(dragger, s.msg, s.picture);
        PaintNow(dragger);
        Surface printed(W, H);
        printed.Fill(face);
        SendMessageA(dragger, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
        for (const auto* probes : {&s.probes, s.framed ? &well : &s.probes}) {
            EXPECT_TRUE(DotsAre(dragger, *probes)) << s.what;
            for (const Dot& p : *probes)
                EXPECT_EQ(Hex(printed.At(p.x, p.y)), Hex(p.colour)) << s.what << ", printed, at " << p.x << ", " << p.y;
        }
    }
}

// The grab cursor over the client area (1); nothing for other hit codes (0),
// not even DefWindowProc, which would first ask the parent.
TEST_F(DraggerTest, CursorAnswers)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), grab = ZTC_LoadCursor(515);
    const struct { int hit; UINT mouse; LRESULT result; HCURSOR shown; } cases[] = {
        {HTCLIENT, WM_MOUSEMOVE, 1, grab}, {HTBORDER, WM_MOUSEMOVE, 0, arrow}, {HTERROR, WM_LBUTTONDOWN, 0, arrow}};
    for (const auto& c : cases) {
        SetCursor(arrow);
        EXPECT_EQ(SendMessageA(dragger, WM_SETCURSOR, reinterpret_cast<WPARAM>(dragger), MAKELPARAM(c.hit, c.mouse)),
                  c.result) << c.hit;
        EXPECT_EQ(GetCursor(), c.shown) << c.hit;
    }
    EXPECT_EQ(parent.log().Count(WM_SETCURSOR), 0);
}

// Replaced pictures and the last ones are released exactly once each, and
// a picture given again is kept.
TEST_F(DraggerTest, OwnsItsPictures)
{
    ImportPatch globalFree(Library(), "GlobalFree", reinterpret_cast<void*>(RecordGlobalFree));
    ImportPatch deleteObject(Library(), "DeleteObject", reinterpret_cast<void*>(RecordDeleteObject));
    ASSERT_TRUE(globalFree.Patched() && deleteObject.Patched());
    realGlobalFree = reinterpret_cast<decltype(&GlobalFree)>(globalFree.Original());
    realDeleteObject = reinterpret_cast<decltype(&DeleteObject)>(deleteObject.Original());
    released.clear();
    const HGLOBAL dib1 = MakeDIB(10, 6), dib2 = MakeDIB(10, 6);
    const HBITMAP bitmap1 = MakeBitmap(20, 10), bitmap2 = MakeBitmap(20, 10);
    for (int twice = 0; twice < 2; ++twice)
        Give(dragger, DRM_SETDIB, dib1), Give(dragger, DRM_SETBITMAP, bitmap1);
    PaintNow(dragger);
    EXPECT_TRUE(released.empty()) << "a picture given again is kept";
    Give(dragger, DRM_SETDIB, nullptr);
    Give(dragger, DRM_SETDIB, dib2);
    Give(dragger, DRM_SETBITMAP, bitmap2);
    PaintNow(dragger);
    EXPECT_EQ(released, (std::vector<HANDLE>{dib1, bitmap1}));
    DestroyWindow(dragger);
    EXPECT_EQ(released, (std::vector<HANDLE>{dib1, bitmap1, dib2, bitmap2}));
}

// Drops: the press only takes the capture; the release over the target
// frame (or a child of it) finds its Edit > Paste entry, lets the frame
// prepare its menus, asks the parent and, when it agrees, sends the paste
// command.  Menu texts match on the first characters of "&Edit" and
// "&Paste" but the last, case ignored.  Failed lookups beep once; drops on
// our own thread's windows and a release after the capture was lost do
// nothing.
TEST(DraggerDrop, FindsThePasteEntryAndAsksTheParent)
{
    TargetApp target;
    beeps = 0;
    ImportPatch beep(Library(), "MessageBeep", reinterpret_cast<void*>(CountBeep));
    ASSERT_GT(beep.Patched(), 0);
    const UINT question = RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME);
    const MenuItems usual = {{"&File", "&Open"}, {"&Edit", "&Undo", "&Copy", "&Paste\tCtrl+V"}};
    const MenuItems noBar = {{"-"}};  // stands for no menu bar at all
    enum Where { Frame, Edit, Desktop, Parent, Self, LostCapture };
    // answer -1: 1, after destroying the dragger; edit and paste: the
    // positions of the edit menu and its paste entry, -1 for none.
    const struct { const char* what; Where where; MenuItems menu; LRESULT answer; int edit, paste, beeps; } cases[] = {
        {"usual", Frame, usual, 1, 1, 2, 0},
        {"parent destroys the dragger", Frame, usual, -1, 1, 2, 0},
        {"parent says no", Frame, usual, 0, 1, 2, 0},
        {"child control", Edit, usual, 1, 1, 2, 0},
        {"lower case", Frame, {{"&edit", "&paste"}}, 1, 0, 0, 0},
        {"prefixes", Frame, {{"&View", "&Zoom"}, {"&Edible", "&Copy", "&Pastry"}}, 1, 1, 1, 0},
        {"no ampersand", Frame, {{"Edit", "&Paste"}}, 1, -1, -1, 1},
        {"edit is a command", Frame, {{"&Edit"}}, 1, -1, -1, 1},
        {"no paste entry", Frame, {{"&Edit", "&Copy", "Paste"}}, 1, 0, -1, 1},
        {"paste opens a submenu", Frame, {{"&Edit", "&Paste>"}}, 1, 0, -1, 1},
        {"empty menu bar", Frame, {}, 1, -1, -1, 1},
        {"no menu bar", Frame, noBar, 1, -1, -1, 1},
        {"desktop", Desktop, usual, 1, -1, -1, 1},
        {"own parent", Parent, usual, 1, -1, -1, 0},
        {"itself", Self, usual, 1, -1, -1, 0},
        {"capture lost", LostCapture, usual, 1, -1, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HMENU bar = c.menu == noBar ? nullptr : MakeMenuBar(c.menu);
        target.SetMenuBar(bar);
        ParentWindow parent;
        HWND dragger = nullptr;
        if (c.answer < 0)
            parent.When(question, [&](const Msg&) { DestroyWindow(dragger); });
        parent.Answer(question, c.answer ? 1 : 0);
        dragger = parent.CreateChild(ZTC_DRAGGER_CLASS, 0, 20, 20, W, H, kId);
        const POINT at[] = {Centre(target.frame), Centre(target.edit), {1010, 750}, {400, 400},
                            Centre(dragger), Centre(target.frame)};
        target.log.Clear();
        beeps = 0;
        SetFocus(parent.hwnd());
        Mouse(dragger, WM_LBUTTONDOWN, 5, 5);
        EXPECT_EQ(GetCapture(), dragger);
        EXPECT_EQ(GetFocus(), parent.hwnd());
        EXPECT_TRUE(UpdateRegionIs(dragger, {}));
        if (c.where == LostCapture)
            ReleaseCapture();
        POINT release = at[c.where];
        ScreenToClient(dragger, &release);
        Mouse(dragger, WM_LBUTTONUP, release.x, release.y);

        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(beeps, c.beeps);
        std::vector<Expect> sent;
        if (c.edit >= 0) {
            sent.push_back({WM_INITMENU, reinterpret_cast<WPARAM>(bar)});
            sent.push_back({WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, c.edit)), c.edit});
        }
        if (c.paste >= 0 && c.answer)
            sent.push_back({WM_COMMAND, EntryId(c.edit, c.paste)});
        EXPECT_TRUE(SequenceIs(target.log.All(), sent));
        std::vector<Expect> asked;
        if (c.paste >= 0)
            asked.push_back({question, kId, reinterpret_cast<LPARAM>(dragger)});
        EXPECT_TRUE(SequenceIs(parent.log().Only({question}), asked));
        EXPECT_EQ(GetTopWindow(nullptr) == target.frame, c.paste >= 0 && c.answer) << "brought to the top";
    }
}
