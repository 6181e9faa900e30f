// The About box (the texts read from version resources, the icon it picks,
// closing, placement and painting) and the information entry.
#include "gdicount.h"
#include "imports.h"
#include "surface.h"
#include "ztest.h"

#include <string>
#include <vector>

using namespace ztest;

namespace {

// The icon of a resource-only fixture module: a blue bar over (7, 7) - (19, 11).
HICON FixtureIcon() { return LoadIconA(LoadLibraryA("ztfix_about_icon.dll"), MAKEINTRESOURCEA(1)); }

// What a modal About box showed at the first tick of its loop, where the
// test's action ran, and whether that closed it (else it is ended later).
// buttonFont: the OK button has the dialog's font.
struct Seen {
    std::string caption;
    RECT window{};
    AboutInfo info{};
    LOGFONTA font{};
    bool buttonFont = false, closed = true;
};
Seen g_seen;
void (*g_action)(HWND);
int g_ticks;

void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND d = FindWindowA("#32770", nullptr);
    if (d && g_ticks++ == 0) {
        char caption[64] = "";
        GetWindowTextA(d, caption, sizeof caption);
        g_seen.caption = caption;
        GetWindowRect(d, &g_seen.window);
        g_seen.info = *reinterpret_cast<const AboutInfo*>(GetWindowLongPtrA(d, DWLP_USER));
        const LRESULT font = SendMessageA(d, WM_GETFONT, 0, 0);
        GetObjectA(reinterpret_cast<HFONT>(font), sizeof g_seen.font, &g_seen.font);
        g_seen.buttonFont = SendDlgItemMessageA(d, IDOK, WM_GETFONT, 0, 0) == font;
        g_action(d);
    } else if (d && g_ticks > 6) {
        g_seen.closed = false;
        EndDialog(d, 0);
    }
}

Seen RunAboutBox(HWND owner, const char* module, HICON icon, const char* title, void (*action)(HWND))
{
    g_seen = {}, g_action = action, g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ModalTick);
    AboutBox(owner, module ? LoadLibraryA(module) : nullptr, icon, title);
    KillTimer(nullptr, timer);
    return g_seen;
}

void Cancel(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

}  // namespace

TEST(AboutBoxTest, TextsFromTheVersionResourceAndTheIconItFinds)
{
    const HICON given = FixtureIcon(), classIcon = LoadIconA(nullptr, IDI_QUESTION), fromFile = HICON(1);
    // icon fromFile: the file's own, destroyed after; the texts: description, version, copyright,
    // trademarks, comments.
    const struct { const char* module; HICON given, classIcon, icon; std::vector<std::string> texts; } cases[] = {
        {"ztfix_about_full.dll", nullptr, nullptr, nullptr,
         {"Sample Player", "Version 3.00.007", "Copyright (C) 1996 Sample Works",
          "Sample Player is a trademark of Sample Works", "Plays samples"}},
        {"ztfix_about_long.dll", given, classIcon, given,
         {"A description that is longer than the field the About box keeps for it: 0123456", "Version 2.01.012",
          "A copyright line that is longer than the field kept for it: 012", "",
          "Shown in place of the missing trademark"}},
        // No translation table; no version resource at all.
        {"ztfix_about_bare.dll", nullptr, classIcon, classIcon, {"", "Version 1.02.004", "", "", ""}},
        {"ztfix_about_icon.dll", nullptr, nullptr, fromFile, {"", "", "", "", ""}},
    };
    ParentWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        SetClassLongPtrA(owner.hwnd(), GCLP_HICON, reinterpret_cast<LONG_PTR>(c.classIcon));
        GdiCounter gdi(Library());
        const AboutInfo i = RunAboutBox(owner.hwnd(), c.module, c.given, nullptr, Cancel).info;
        EXPECT_EQ((std::vector<std::string>{i.Description, i.VersionText, i.Copyright, i.Trademarks, i.Comments}),
                  c.texts);
        EXPECT_EQ(gdi.Live(), 0u) << gdi.Describe();
        ICONINFO left{};
        const bool alive = i.Icon && GetIconInfo(i.Icon, &left);
        DeleteObject(left.hbmColor), DeleteObject(left.hbmMask);
        if (c.icon == fromFile)
            EXPECT_TRUE(i.Icon && !alive) << "the file's icon, destroyed after";
        else
            EXPECT_TRUE(i.Icon == c.icon && alive == (c.icon != nullptr));
    }
    SetClassLongPtrA(owner.hwnd(), GCLP_HICON, 0);
}

TEST(AboutBoxTest, EnterEscAndOkCloseItOtherCommandsDoNotAndItIsCentredOverItsOwner)
{
    const struct { const char* name; void (*action)(HWND); bool closes; } cases[] = {
        {"Enter", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0); }, true},
        {"Esc", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, true},
        {"OK clicked", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }, true},
        {"IDOK with a code", [](HWND d) { SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0); }, false},
        {"another id", [](HWND d) { SendMessageA(d, WM_COMMAND, 3, 0); }, false},
    };
    ParentWindow owner(500, 400);
    RECT o;
    GetWindowRect(owner.hwnd(), &o);
    bool titled = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        titled = !titled;
        const Seen seen = RunAboutBox(owner.hwnd(), "ztfix_about_full.dll", nullptr,
                                      titled ? "About Sample Player" : nullptr, c.action);
        EXPECT_EQ(seen.closed, c.closes);
        EXPECT_EQ(seen.caption, titled ? "About Sample Player" : "About");
        EXPECT_NEAR(seen.window.left + seen.window.right, o.left + o.right, 1) << "centred across";
        EXPECT_NEAR(seen.window.top + seen.window.bottom, o.top + o.bottom, 1) << "centred down";
        EXPECT_EQ((std::vector<LONG>{seen.font.lfHeight, seen.font.lfWeight, seen.font.lfPitchAndFamily}),
                  (std::vector<LONG>{-10, FW_BOLD, VARIABLE_PITCH | FF_SWISS}));
        EXPECT_STREQ(seen.font.lfFaceName, "MS Sans Serif");
        EXPECT_TRUE(seen.buttonFont) << "the OK button has the dialog's bold font";
    }
    const Seen ownerless = RunAboutBox(nullptr, nullptr, nullptr, nullptr, Cancel);
    GetWindowRect(GetDesktopWindow(), &o);
    EXPECT_NEAR(ownerless.window.left + ownerless.window.right, o.right, 1) << "centred on the screen";
    EXPECT_NEAR(ownerless.window.top + ownerless.window.bottom, o.bottom, 1);
}

// The dialog run modeless on a block of the test's own: the logo centred at
// the top (white shows the face), the icon and the texts below it, placed in
// units of a plain DC's font, compared with the same drawn by the test.
TEST(AboutDlgTest, PaintsTheLogoTheIconAndTheTextsWithTheTrademarkOrElseTheComments)
{
    Surface logo(260, 57);
    HBITMAP bitmap = LoadBitmapA(Library(), MAKEINTRESOURCEA(200));
    DrawStateA(logo.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 0, 0, 0, 0, DST_BITMAP);
    DeleteObject(bitmap);
    const std::string mark = "Sample Player is a trademark of Sample Works", note = "Plays samples: a comment that wraps";
    const struct { HICON icon; std::string trademarks, comments, shown; } cases[] = {
        {FixtureIcon(), mark, "Plays samples", mark}, {nullptr, "", note, note}, {nullptr, "", "", ""}};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ParentWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        AboutInfo info{c.icon, nullptr, "Sample Player", "Version 3.00.007", "Copyright (C) 1996 Sample Works", "", ""};
        lstrcpyA(info.Trademarks, c.trademarks.c_str());
        lstrcpyA(info.Comments, c.comments.c_str());
        HWND about = CreateDialogParamA(Library(), MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), owner.hwnd(), AboutDlg,
                                        reinterpret_cast<LPARAM>(&info));
        PaintNow(about);
        RECT client;
        GetClientRect(about, &client);
        HDC dc = GetDC(about);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        const int left = (client.right - 260) / 2, a = tm.tmAveCharWidth, y = 4 + 57 + 8;  // y: below the logo
        // The pixels of `area` that differ from what `want` reads.
        const auto wrong = [dc](RECT area, const PixelReader& want) {
            int n = 0;
            for (int py = area.top; py < area.bottom; ++py)
                for (int px = area.left; px < area.right; ++px)
                    n += GetPixel(dc, px, py) != want(px, py);
            return n;
        };
        EXPECT_EQ(wrong({left, 4, left + 260, 4 + 57}, [&](int px, int py) {
            const COLORREF ink = logo.At(px - left, py - 4);
            return ink == RGB(255, 255, 255) ? face : ink;
        }), 0) << "logo pixels out of place";
        EXPECT_EQ(GetPixel(dc, a + 10, y + 8), c.icon ? RGB(0, 0, 255) : face) << "icon at (a, y)";

        const int x = 2 * a + GetSystemMetrics(SM_CXICON), h = tm.tmHeight;
        Surface want(client.right, client.bottom);
        want.Fill(face);
        SetBkMode(want.dc(), TRANSPARENT);
        HGDIOBJ old = SelectObject(want.dc(), reinterpret_cast<HFONT>(SendMessageA(about, WM_GETFONT, 0, 0)));
        const char* lines[] = {info.Description, info.VersionText, info.Copyright};
        for (int i = 0; i < 3; ++i)
            TextOutA(want.dc(), x, y + i * h, lines[i], lstrlenA(lines[i]));
        HFONT small = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
        SelectObject(want.dc(), small);
        RECT box{x + 2, y + 3 * h, x + 202, y + 3 * h + 32};
        DrawTextA(want.dc(), c.shown.c_str(), -1, &box, DT_WORDBREAK);
        DeleteObject(SelectObject(want.dc(), old));
        EXPECT_EQ(wrong({x - 4, y, client.right, box.bottom + 4}, want.Reader()), 0) << "text pixels out of place";
        ReleaseDC(about, dc);
        DestroyWindow(about);
    }
    HWND bare = CreateDialogParamA(Library(), MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), owner.hwnd(), AboutDlg, 0);
    PaintNow(bare);
    EXPECT_TRUE(AreaIs(bare, RECT{0, 4 + 57 + 1, 250, 150}, face)) << "no block: only the logo";
    DestroyWindow(bare);
}

// ---- The information entry ----------------------------------------------------

namespace {

// The entry's profile section (the test prefix's own), empty for one test
// and removed after it.
struct InfoProfile {
    InfoProfile() { WriteProfileStringA(ZTC_INFO_SECTION, nullptr, nullptr); }
    ~InfoProfile() { WriteProfileStringA(ZTC_INFO_SECTION, nullptr, nullptr); }
    void Set(const char* key, const char* value) { WriteProfileStringA(ZTC_INFO_SECTION, key, value); }
};

// The help viewer's stand-in: what it was asked for which window, and its answer.
std::vector<std::string> g_helpCalls;
HWND g_helpWindow;
BOOL g_helpResult = TRUE;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR path, UINT command, ULONG_PTR data)
{
    const std::string call = (path ? path : "(null)") + (" " + std::to_string(command)) + " " + std::to_string(data);
    g_helpCalls.push_back(window == g_helpWindow ? call : "another window: " + call);
    return g_helpResult;
}

}  // namespace

TEST(InfoMenuTest, AddAppendsTheLogoAtTheRightEndUnlessTheProfileHidesIt)
{
    InfoProfile profile;
    for (const char* show : {static_cast<const char*>(nullptr), "1", "0", "7"}) {  // ShowOurMenu, or none
        SCOPED_TRACE(show ? show : "no key");
        profile.Set(ZTC_INFO_SHOWKEY, show);
        ParentWindow frame;
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 1, "&File");
        SetMenu(frame.hwnd(), bar);
        EXPECT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 4321));
        const bool hidden = show && *show == '0';
        ASSERT_EQ(GetMenuItemCount(bar), hidden ? 1 : 2);
        if (hidden)
            continue;
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(bar, 1, TRUE, &item));
        EXPECT_EQ(item.fType, UINT(MFT_BITMAP | MFT_RIGHTJUSTIFY));
        EXPECT_EQ(item.wID, 4321u);
        const auto logo = reinterpret_cast<HBITMAP>(item.dwTypeData);  // its size: the internal tests

        // A colour change leaves the entry's picture alive; new entries get the new one.
        ZTC_SysColorChange();
        EXPECT_EQ(GetObjectType(logo), DWORD(OBJ_BITMAP));
        EXPECT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 4322));
        GetMenuItemInfoA(bar, 2, TRUE, &item);
        EXPECT_NE(reinterpret_cast<HBITMAP>(item.dwTypeData), logo);
    }
    profile.Set(ZTC_INFO_SHOWKEY, nullptr);
    ParentWindow plain;
    HWND child = plain.CreateChild("static", 0, 0, 0, 10, 10, 7);
    EXPECT_FALSE(ZTC_VandleMenuAdd(plain.hwnd(), 1)) << "no menu bar";
    EXPECT_FALSE(ZTC_VandleMenuAdd(child, 1)) << "a child window has no menu bar";
}

TEST(InfoMenuTest, CommandAndDoneOpenAndCloseTheHelpFileNamedInTheProfile)
{
    InfoProfile profile;
    ImportPatch patch(Library(), "WinHelpA", reinterpret_cast<void*>(RecordWinHelp));
    ASSERT_GT(patch.Patched(), 0);
    const std::string longPath = "C:\\" + std::string(300, 'x');
    // path: InfoPath, or null for none.
    const struct { const char* path; std::string opened; BOOL result; } cases[] = {
        {nullptr, "vandlekq.hlp", TRUE},
        {"C:\\Help Files\\vandle.hlp", "C:\\Help Files\\vandle.hlp", FALSE},
        {longPath.c_str(), longPath.substr(0, 255), TRUE},
    };
    ParentWindow frame;
    g_helpWindow = frame.hwnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        profile.Set(ZTC_INFO_PATHKEY, c.path);
        g_helpCalls.clear();
        g_helpResult = c.result;
        EXPECT_EQ(ZTC_VandleMenuCmnd(frame.hwnd()), c.result);
        EXPECT_EQ(ZTC_VandleMenuDone(frame.hwnd()), c.result);
        EXPECT_EQ(g_helpCalls, (std::vector<std::string>{c.opened + " 3 0", c.opened + " 2 0"}))
            << "HELP_INDEX, then HELP_QUIT";
    }
}
