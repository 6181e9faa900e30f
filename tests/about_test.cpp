// The About box (its resources, the texts read from version resources, the
// icon it picks, closing, placement and painting) and the information entry.
#include "gdicount.h"
#include "imports.h"
#include "surface.h"
#include "ztest.h"

#include <cstring>
#include <string>
#include <vector>

using namespace ztest;

namespace {

const COLORREF kBlue = RGB(0, 0, 255);

HMODULE Fixture(const char* name)
{
    return LoadLibraryA(name);  // stays loaded for the program's life
}

// The fixture icon's blue bar covers (7, 7) - (19, 11).
HICON FixtureIcon()
{
    return LoadIconA(Fixture("ztfix_about_icon.dll"), MAKEINTRESOURCEA(1));
}

std::vector<std::string> Texts(const AboutInfo& i)
{
    return {i.Description, i.VersionText, i.Copyright, i.Trademarks, i.Comments};
}

// The dialog of this thread, if one is up.
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

HWND ThreadDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What a modal About box showed once it was up.
struct Seen {
    std::string caption;
    RECT window{};
    AboutInfo info{};
    LOGFONTA font{};
    bool buttonShareFont = false;
    bool closedByAction = true;  // false: still open well after the action
};

// Runs AboutBox; from inside its modal loop, records what it shows, then
// calls `action` on the dialog, and ends the dialog itself if the action
// left it open for several ticks.
struct ModalRun {
    void (*action)(HWND);
    Seen seen;
    int ticks = 0;
};
ModalRun* g_run = nullptr;

void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ThreadDialog();
    if (!dialog)
        return;
    Seen& seen = g_run->seen;
    if (g_run->ticks++ == 0) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        seen.caption = caption;
        GetWindowRect(dialog, &seen.window);
        if (auto* info = reinterpret_cast<const AboutInfo*>(GetWindowLongPtrA(dialog, DWLP_USER)))
            seen.info = *info;
        const LRESULT font = SendMessageA(dialog, WM_GETFONT, 0, 0);
        GetObjectA(reinterpret_cast<HFONT>(font), sizeof seen.font, &seen.font);
        seen.buttonShareFont = SendDlgItemMessageA(dialog, IDOK, WM_GETFONT, 0, 0) == font;
        g_run->action(dialog);
    } else if (g_run->ticks > 6) {
        seen.closedByAction = false;
        EndDialog(dialog, 0);
    }
}

Seen RunAboutBox(HWND owner, HMODULE module, HICON icon, const char* title, void (*action)(HWND))
{
    ModalRun run{action, {}, 0};
    g_run = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ModalTick);
    AboutBox(owner, module, icon, title);
    KillTimer(nullptr, timer);
    g_run = nullptr;
    return run.seen;
}

void Cancel(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The client area of a window, copied for exact reading.
struct ClientPicture {
    explicit ClientPicture(HWND hwnd) : surface(Width(hwnd), Height(hwnd))
    {
        HDC dc = GetDC(hwnd);
        BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    static int Width(HWND hwnd) { RECT r; GetClientRect(hwnd, &r); return r.right; }
    static int Height(HWND hwnd) { RECT r; GetClientRect(hwnd, &r); return r.bottom; }
    COLORREF At(int x, int y) const { return surface.At(x, y); }
    Surface surface;
};

// The About dialog run modeless on a block of the test's own.
struct AboutDialog {
    AboutDialog(HWND owner, const AboutInfo* block) : info(block ? *block : AboutInfo{})
    {
        hwnd = CreateDialogParamA(Library(), MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), owner, AboutDlg,
                                  block ? reinterpret_cast<LPARAM>(&info) : 0);
        PaintNow(hwnd);
    }
    ~AboutDialog() { DestroyWindow(hwnd); }
    // The default font's average width and height: the units of the layout.
    SIZE Units() const
    {
        TEXTMETRICA tm{};
        HDC dc = GetDC(hwnd);
        GetTextMetricsA(dc, &tm);
        ReleaseDC(hwnd, dc);
        return SIZE{tm.tmAveCharWidth, tm.tmHeight};
    }
    AboutInfo info;
    HWND hwnd;
};

std::wstring ReadWide(const WORD*& p)
{
    std::wstring text;
    while (*p)
        text += static_cast<wchar_t>(*p++);
    ++p;
    return text;
}

}  // namespace

TEST(AboutResourcesTest, DialogTemplateVersionWordAndLogo)
{
    HRSRC found = FindResourceA(Library(), MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    const auto* dialog = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(Library(), found)));
    EXPECT_EQ(dialog->style, 0x90C000C4u);
    EXPECT_EQ((std::vector<int>{dialog->cdit, dialog->x, dialog->y, dialog->cx, dialog->cy}),
              (std::vector<int>{1, 6, 18, 180, 112}));
    auto* p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(dialog) + 18);
    EXPECT_EQ(p[0] + p[1], 0) << "no menu, standard class";
    p += 2;
    EXPECT_EQ(ReadWide(p), L"About");
    EXPECT_EQ(*p++, 8) << "point size";
    EXPECT_EQ(ReadWide(p), L"MS Sans Serif");
    const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
    EXPECT_EQ(item->style, 0x50010001u);
    EXPECT_EQ((std::vector<int>{item->id, item->x, item->y, item->cx, item->cy}),
              (std::vector<int>{IDOK, 70, 94, 40, 15}));
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(item) + 18);
    EXPECT_TRUE(p[0] == 0xFFFF && p[1] == 0x0080) << "a button";
    p += 2;
    EXPECT_EQ(ReadWide(p), L"OK");

    char word[32] = "";
    LoadStringA(Library(), 5, word, sizeof word);
    EXPECT_STREQ(word, "Version");
    found = FindResourceA(Library(), MAKEINTRESOURCEA(200), MAKEINTRESOURCEA(2));
    const auto* logo = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Library(), found)));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ((std::vector<int>{logo->biWidth, logo->biHeight, logo->biBitCount}),
              (std::vector<int>{260, 57, 4}));
}

TEST(AboutBoxTest, TextsFromTheVersionResourceAndTheIconItFinds)
{
    const std::string longDescription = "A description that is longer than the field the About box keeps for it: 0123456";
    const std::string longCopyright = "A copyright line that is longer than the field kept for it: 012";
    enum IconFrom { kGiven, kOwnerClass, kFile, kNone };
    const struct {
        const char* module;
        IconFrom icon;
        std::vector<std::string> texts;
    } cases[] = {
        {"ztfix_about_full.dll", kNone,
         {"Sample Player", "Version 3.00.007", "Copyright (C) 1996 Sample Works",
          "Sample Player is a trademark of Sample Works", "Plays samples"}},
        {"ztfix_about_long.dll", kGiven,
         {longDescription, "Version 2.01.012", longCopyright, "", "Shown in place of the missing trademark"}},
        {"ztfix_about_bare.dll", kOwnerClass, {"", "Version 1.02.004", "", "", ""}},
        {"ztfix_about_icon.dll", kFile, {"", "", "", "", ""}},
    };
    ParentWindow owner;
    const HICON given = FixtureIcon(), classIcon = LoadIconA(nullptr, IDI_QUESTION);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        if (c.icon == kOwnerClass)
            SetClassLongPtrA(owner.hwnd(), GCLP_HICON, reinterpret_cast<LONG_PTR>(classIcon));
        GdiCounter gdi(Library());
        const Seen seen = RunAboutBox(owner.hwnd(), Fixture(c.module), c.icon == kGiven ? given : nullptr,
                                      nullptr, Cancel);
        SetClassLongPtrA(owner.hwnd(), GCLP_HICON, 0);
        EXPECT_EQ(Texts(seen.info), c.texts);
        EXPECT_EQ(gdi.Live(), 0u) << gdi.Describe();

        const HICON shown = seen.info.Icon;
        ICONINFO left{};
        const bool alive = shown && GetIconInfo(shown, &left);
        DeleteObject(left.hbmColor);
        DeleteObject(left.hbmMask);
        switch (c.icon) {
        case kGiven: EXPECT_TRUE(shown == given && alive); break;
        case kOwnerClass: EXPECT_TRUE(shown == classIcon && alive); break;
        case kFile: EXPECT_TRUE(shown && shown != given && !alive) << "the file's icon, destroyed afterwards"; break;
        case kNone: EXPECT_EQ(shown, nullptr); break;
        }
    }
}

TEST(AboutBoxTest, EnterEscAndOkCloseItOtherCommandsDoNot)
{
    const struct {
        const char* name;
        void (*action)(HWND);
        bool closes;
    } cases[] = {
        {"Enter", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0); }, true},
        {"Esc", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, true},
        {"OK clicked", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }, true},
        {"IDOK with a code", [](HWND d) { SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0); }, false},
        {"another id", [](HWND d) { SendMessageA(d, WM_COMMAND, 3, 0); }, false},
    };
    ParentWindow owner(500, 400);
    bool titled = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        titled = !titled;
        const Seen seen = RunAboutBox(owner.hwnd(), Fixture("ztfix_about_full.dll"), nullptr,
                                      titled ? "About Sample Player" : nullptr, c.action);
        EXPECT_EQ(seen.closedByAction, c.closes);
        EXPECT_EQ(seen.caption, titled ? "About Sample Player" : "About");
        RECT o;
        GetWindowRect(owner.hwnd(), &o);
        EXPECT_NEAR(seen.window.left + seen.window.right, o.left + o.right, 1) << "centred across";
        EXPECT_NEAR(seen.window.top + seen.window.bottom, o.top + o.bottom, 1) << "centred down";
        EXPECT_EQ((std::vector<LONG>{seen.font.lfHeight, seen.font.lfWeight, seen.font.lfPitchAndFamily}),
                  (std::vector<LONG>{-10, FW_BOLD, VARIABLE_PITCH | FF_SWISS}));
        EXPECT_STREQ(seen.font.lfFaceName, "MS Sans Serif");
        EXPECT_TRUE(seen.buttonShareFont) << "the OK button has the dialog's bold font";
    }
}

TEST(AboutBoxTest, WithoutOwnerItIsCentredOnTheScreen)
{
    const Seen seen = RunAboutBox(nullptr, nullptr, nullptr, nullptr, Cancel);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    EXPECT_NEAR(seen.window.left + seen.window.right, screen.right, 1);
    EXPECT_NEAR(seen.window.top + seen.window.bottom, screen.bottom, 1);
}

TEST(AboutDlgTest, LogoCentredAtTheTopAndTheIconBelowItOnlyWhenThereIsOne)
{
    ParentWindow owner;
    HDC logoDC = CreateCompatibleDC(nullptr);
    HBITMAP logo = LoadBitmapA(Library(), MAKEINTRESOURCEA(200));
    HGDIOBJ old = SelectObject(logoDC, logo);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const HICON icon : {FixtureIcon(), HICON(nullptr)}) {
        AboutInfo info{};
        info.Icon = icon;
        AboutDialog about(owner.hwnd(), &info);
        const ClientPicture picture(about.hwnd);
        const int left = (picture.surface.width() - 260) / 2;
        int wrong = 0;
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < 260; ++x) {
                const COLORREF ink = GetPixel(logoDC, x, y);
                wrong += picture.At(left + x, 4 + y) != (ink == RGB(255, 255, 255) ? face : ink);
            }
        EXPECT_EQ(wrong, 0) << "logo pixels out of place";
        const SIZE units = about.Units();
        EXPECT_EQ(picture.At(units.cx + 10, 4 + 57 + 8 + 8), icon ? kBlue : face) << "icon at (a, logo + 8)";
    }
    SelectObject(logoDC, old);
    DeleteObject(logo);
    DeleteDC(logoDC);

    AboutDialog bare(owner.hwnd(), nullptr);
    EXPECT_TRUE(AreaIs(bare.hwnd, RECT{0, 4 + 57 + 1, 250, 150}, face)) << "no block: only the logo";
}

TEST(AboutDlgTest, TextColumnLinesAndTheTrademarkOrElseTheCommentsInTheSmallBox)
{
    const struct {
        const char* trademarks;
        const char* comments;
        const char* shown;
    } cases[] = {
        {"Sample Player is a trademark of Sample Works", "Plays samples", "Sample Player is a trademark of Sample Works"},
        {"", "Plays samples and shows a comment that wraps", "Plays samples and shows a comment that wraps"},
        {"", "", ""},
    };
    ParentWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        AboutInfo info{};
        lstrcpyA(info.Description, "Sample Player");
        lstrcpyA(info.VersionText, "Version 3.00.007");
        lstrcpyA(info.Copyright, "Copyright (C) 1996 Sample Works");
        lstrcpyA(info.Trademarks, c.trademarks);
        lstrcpyA(info.Comments, c.comments);
        AboutDialog about(owner.hwnd(), &info);
        const ClientPicture picture(about.hwnd);

        // The same texts drawn where they belong on the dialog's colour.
        const SIZE u = about.Units();
        const int x = 2 * u.cx + GetSystemMetrics(SM_CXICON), y = 57 + 4 + 8;
        Surface want(picture.surface.width(), picture.surface.height());
        want.Fill(GetSysColor(COLOR_BTNFACE));
        SetBkMode(want.dc(), TRANSPARENT);
        HGDIOBJ old = SelectObject(want.dc(), reinterpret_cast<HFONT>(SendMessageA(about.hwnd, WM_GETFONT, 0, 0)));
        const char* lines[] = {info.Description, info.VersionText, info.Copyright};
        for (int i = 0; i < 3; ++i)
            TextOutA(want.dc(), x, y + i * u.cy, lines[i], lstrlenA(lines[i]));
        HFONT small = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
        SelectObject(want.dc(), small);
        RECT box{x + 2, y + 3 * u.cy, x + 202, y + 3 * u.cy + 32};
        DrawTextA(want.dc(), c.shown, -1, &box, DT_WORDBREAK);
        SelectObject(want.dc(), old);
        DeleteObject(small);

        int wrong = 0;
        for (int py = y; py < box.bottom + 4; ++py)
            for (int px = x - 4; px < picture.surface.width(); ++px)
                wrong += picture.At(px, py) != want.At(px, py);
        EXPECT_EQ(wrong, 0);
    }
}

// ---- The information entry ----------------------------------------------------

namespace {

// The profile section of the entry, emptied for one test and put back after.
class InfoProfile {
public:
    InfoProfile()
    {
        saved_.resize(GetProfileSectionA(ZTC_INFO_SECTION, buffer_, sizeof buffer_) + 1);
        std::memcpy(saved_.data(), buffer_, saved_.size());
        WriteProfileStringA(ZTC_INFO_SECTION, nullptr, nullptr);
    }
    ~InfoProfile()
    {
        WriteProfileStringA(ZTC_INFO_SECTION, nullptr, nullptr);
        if (saved_.size() > 1)
            WriteProfileSectionA(ZTC_INFO_SECTION, saved_.data());
    }
    void Set(const char* key, const char* value) { WriteProfileStringA(ZTC_INFO_SECTION, key, value); }

private:
    char buffer_[4096];
    std::vector<char> saved_;
};

struct HelpCall {
    HWND window;
    std::string path;
    UINT command;
    ULONG_PTR data;
};
std::vector<HelpCall> g_helpCalls;
BOOL g_helpResult = TRUE;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR path, UINT command, ULONG_PTR data)
{
    g_helpCalls.push_back({window, path ? path : "(null)", command, data});
    return g_helpResult;
}

}  // namespace

TEST(InfoMenuTest, AddAppendsTheLogoAtTheRightEndUnlessTheProfileHidesIt)
{
    InfoProfile profile;
    const struct {
        const char* show;  // ShowOurMenu, or null for none
        int added;
    } cases[] = {{nullptr, 1}, {"1", 1}, {"0", 0}, {"7", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.show ? c.show : "no key");
        profile.Set(ZTC_INFO_SHOWKEY, c.show);
        ParentWindow frame;
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 1, "&File");
        SetMenu(frame.hwnd(), bar);
        EXPECT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 4321));
        ASSERT_EQ(GetMenuItemCount(bar), 1 + c.added);
        if (!c.added)
            continue;
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(bar, 1, TRUE, &item));
        EXPECT_EQ(item.fType, UINT(MFT_BITMAP | MFT_RIGHTJUSTIFY));
        EXPECT_EQ(item.wID, 4321u);
        const auto logo = reinterpret_cast<HBITMAP>(item.dwTypeData);
        BITMAP bm{};
        ASSERT_TRUE(GetObjectA(logo, sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth * 100 + bm.bmHeight, GetSystemMetrics(SM_CYMENU) < 26 ? 2016 : 2226);

        // A colour change leaves the entry's picture alive; new entries get the new one.
        ZTC_SysColorChange();
        EXPECT_EQ(GetObjectType(logo), DWORD(OBJ_BITMAP));
        EXPECT_TRUE(ZTC_VandleMenuAdd(frame.hwnd(), 4322));
        item.fMask = MIIM_TYPE;
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
    const struct {
        const char* path;  // InfoPath, or null for none
        std::string opened;
        BOOL result;
    } cases[] = {
        {nullptr, "vandlekq.hlp", TRUE},
        {"C:\\Help Files\\vandle.hlp", "C:\\Help Files\\vandle.hlp", FALSE},
        {longPath.c_str(), longPath.substr(0, 255), TRUE},
    };
    ParentWindow frame;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        profile.Set(ZTC_INFO_PATHKEY, c.path);
        g_helpCalls.clear();
        g_helpResult = c.result;
        EXPECT_EQ(ZTC_VandleMenuCmnd(frame.hwnd()), c.result);
        EXPECT_EQ(ZTC_VandleMenuDone(frame.hwnd()), c.result);
        ASSERT_EQ(g_helpCalls.size(), 2u);
        const UINT commands[] = {HELP_INDEX, HELP_QUIT};
        for (int i = 0; i < 2; ++i) {
            const HelpCall& call = g_helpCalls[i];
            EXPECT_TRUE(call.window == frame.hwnd() && call.path == c.opened && call.command == commands[i] &&
                        call.data == 0)
                << call.path << " command " << call.command;
        }
    }
}
