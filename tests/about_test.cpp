// The About box (its resources, the texts read from version resources, the
// icon it picks, closing, placement and painting) and the information entry.
#include "gdicount.h"
#include "imports.h"
#include "surface.h"
#include "ztest.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace ztest;

namespace {

HMODULE Fixture(const char* name)
{
    return LoadLibraryA(name);  // stays loaded for the program's life
}

// The fixture's icon: a blue bar over (7, 7) - (19, 11).
HICON FixtureIcon()
{
    return LoadIconA(Fixture("ztfix_about_icon.dll"), MAKEINTRESOURCEA(1));
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// What a modal About box showed once it was up, and whether the action
// RunAboutBox gave it closed it.
struct Seen {
    std::string caption;
    RECT window{};
    AboutInfo info{};
    LOGFONTA font{};
    bool buttonFont = false;  // the OK button has the dialog's font
    bool closed = true;
};

struct {
    void (*action)(HWND);
    Seen seen;
    int ticks;
} g_run;

// Inside the modal loop: records the dialog at the first tick and runs the
// action; ends the dialog itself when it is still up six ticks later.
void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND d = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&d));
    if (!d)
        return;
    Seen& s = g_run.seen;
    if (g_run.ticks++ == 0) {
        char caption[64] = "";
        GetWindowTextA(d, caption, sizeof caption);
        s.caption = caption;
        GetWindowRect(d, &s.window);
        s.info = *reinterpret_cast<const AboutInfo*>(GetWindowLongPtrA(d, DWLP_USER));
        const LRESULT font = SendMessageA(d, WM_GETFONT, 0, 0);
        GetObjectA(reinterpret_cast<HFONT>(font), sizeof s.font, &s.font);
        s.buttonFont = SendDlgItemMessageA(d, IDOK, WM_GETFONT, 0, 0) == font;
        g_run.action(d);
    } else if (g_run.ticks > 6) {
        s.closed = false;
        EndDialog(d, 0);
    }
}

Seen RunAboutBox(HWND owner, HMODULE module, HICON icon, const char* title, void (*action)(HWND))
{
    g_run = {action, {}, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ModalTick);
    AboutBox(owner, module, icon, title);
    KillTimer(nullptr, timer);
    return g_run.seen;
}

void Cancel(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

RECT Client(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

// The About dialog run modeless on a block of the test's own, painted, with
// its client area copied for exact reading and the metrics of a plain DC's
// font, the units of its layout.
struct AboutDialog {
    AboutDialog(HWND owner, const AboutInfo* block)
        : info(block ? *block : AboutInfo{}),
          hwnd(CreateDialogParamA(Library(), MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), owner, AboutDlg,
                                  block ? reinterpret_cast<LPARAM>(&info) : 0)),
          picture(Client(hwnd).right, Client(hwnd).bottom)
    {
        PaintNow(hwnd);
        HDC dc = GetDC(hwnd);
        BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), dc, 0, 0, SRCCOPY);
        GetTextMetricsA(dc, &metrics);
        ReleaseDC(hwnd, dc);
    }
    ~AboutDialog() { DestroyWindow(hwnd); }
    AboutInfo info;
    HWND hwnd;
    Surface picture;
    TEXTMETRICA metrics{};
};

// A zero-terminated UTF-16 string of a resource; moves past it.
std::wstring Wide(const WORD*& p)
{
    std::wstring text;
    while (*p)
        text += static_cast<wchar_t>(*p++);
    ++p;
    return text;
}

const void* Resource(UINT id, UINT type)
{
    HRSRC found = FindResourceA(Library(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    return found ? LockResource(LoadResource(Library(), found)) : nullptr;
}

}  // namespace

TEST(AboutResourcesTest, DialogTemplateVersionWordAndLogo)
{
    const auto* dialog = static_cast<const DLGTEMPLATE*>(Resource(ZTC_ABOUT_DIALOG, 5));
    ASSERT_NE(dialog, nullptr);
    auto* p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(dialog) + 18);
    const int menuOrClass = p[0] | p[1];
    p += 2;
    const std::wstring title = Wide(p);
    const int points = *p++;
    const std::wstring face = Wide(p);
    const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
    p = reinterpret_cast<const WORD*>(item) + 9;
    const long long buttonClass = static_cast<long long>(p[0]) << 16 | p[1];
    p += 2;
    EXPECT_EQ((std::vector<long long>{dialog->style, dialog->cdit, dialog->x, dialog->y, dialog->cx, dialog->cy,
                                      menuOrClass, points, item->style, item->id, item->x, item->y, item->cx,
                                      item->cy, buttonClass}),
              (std::vector<long long>{0x90C000C4, 1, 6, 18, 180, 112, 0, 8, 0x50010001, IDOK, 70, 94, 40, 15, 0xFFFF0080}));
    EXPECT_TRUE(title == L"About" && face == L"MS Sans Serif" && Wide(p) == L"OK");

    char word[32] = "";
    LoadStringA(Library(), 5, word, sizeof word);
    EXPECT_STREQ(word, "Version");
    const auto* logo = static_cast<const BITMAPINFOHEADER*>(Resource(200, 2));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ((std::vector<int>{logo->biWidth, logo->biHeight, logo->biBitCount}), (std::vector<int>{260, 57, 4}));
}

TEST(AboutBoxTest, TextsFromTheVersionResourceAndTheIconItFinds)
{
    enum IconFrom { kGiven, kOwnerClass, kFile, kNone };
    const struct {
        const char* module;
        IconFrom icon;
        std::vector<std::string> texts;  // description, version, copyright, trademarks, comments
    } cases[] = {
        {"ztfix_about_full.dll", kNone,
         {"Sample Player", "Version 3.00.007", "Copyright (C) 1996 Sample Works",
          "Sample Player is a trademark of Sample Works", "Plays samples"}},
        {"ztfix_about_long.dll", kGiven,
         {"A description that is longer than the field the About box keeps for it: 0123456", "Version 2.01.012",
          "A copyright line that is longer than the field kept for it: 012", "",
          "Shown in place of the missing trademark"}},
        {"ztfix_about_bare.dll", kOwnerClass, {"", "Version 1.02.004", "", "", ""}},  // no translation table
        {"ztfix_about_icon.dll", kFile, {"", "", "", "", ""}},                        // no version resource
    };
    ParentWindow owner;
    const HICON given = FixtureIcon(), classIcon = LoadIconA(nullptr, IDI_QUESTION);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        SetClassLongPtrA(owner.hwnd(), GCLP_HICON, c.icon == kOwnerClass ? LONG_PTR(classIcon) : 0);
        GdiCounter gdi(Library());
        const Seen seen = RunAboutBox(owner.hwnd(), Fixture(c.module), c.icon == kGiven ? given : nullptr,
                                      nullptr, Cancel);
        const AboutInfo& i = seen.info;
        EXPECT_EQ((std::vector<std::string>{i.Description, i.VersionText, i.Copyright, i.Trademarks, i.Comments}),
                  c.texts);
        EXPECT_EQ(gdi.Live(), 0u) << gdi.Describe();

        ICONINFO left{};
        const bool alive = i.Icon && GetIconInfo(i.Icon, &left);
        DeleteObject(left.hbmColor);
        DeleteObject(left.hbmMask);
        EXPECT_EQ(i.Icon != nullptr, c.icon != kNone);
        if (c.icon == kGiven || c.icon == kOwnerClass) {
            EXPECT_EQ(i.Icon, c.icon == kGiven ? given : classIcon);
        }
        EXPECT_EQ(alive, c.icon == kGiven || c.icon == kOwnerClass) << "only the file's icon is destroyed after";
    }
    SetClassLongPtrA(owner.hwnd(), GCLP_HICON, 0);
}

TEST(AboutBoxTest, EnterEscAndOkCloseItOtherCommandsDoNotAndItIsCentredOverItsOwner)
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
    RECT o;
    GetWindowRect(owner.hwnd(), &o);
    bool titled = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        titled = !titled;
        const Seen seen = RunAboutBox(owner.hwnd(), Fixture("ztfix_about_full.dll"), nullptr,
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

TEST(AboutDlgTest, PaintsTheLogoTheIconAndTheTextsWithTheTrademarkOrElseTheComments)
{
    Surface logo(260, 57);
    HBITMAP bitmap = LoadBitmapA(Library(), MAKEINTRESOURCEA(200));
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(logo.dc(), 0, 0, 260, 57, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);

    const std::string mark = "Sample Player is a trademark of Sample Works", note = "Plays samples: a comment that wraps";
    const struct {
        HICON icon;
        std::string trademarks, comments, shown;
    } cases[] = {{FixtureIcon(), mark, "Plays samples", mark}, {nullptr, "", note, note}, {nullptr, "", "", ""}};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ParentWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        AboutInfo info{c.icon, nullptr, "Sample Player", "Version 3.00.007", "Copyright (C) 1996 Sample Works", "", ""};
        lstrcpyA(info.Trademarks, c.trademarks.c_str());
        lstrcpyA(info.Comments, c.comments.c_str());
        const AboutDialog about(owner.hwnd(), &info);
        const int left = (about.picture.width() - 260) / 2, a = about.metrics.tmAveCharWidth;
        int wrong = 0;
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < 260; ++x) {
                const COLORREF ink = logo.At(x, y);
                wrong += about.picture.At(left + x, 4 + y) != (ink == RGB(255, 255, 255) ? face : ink);
            }
        EXPECT_EQ(wrong, 0) << "logo pixels out of place";
        const int y = 4 + 57 + 8;  // below the logo
        EXPECT_EQ(about.picture.At(a + 10, y + 8), c.icon ? RGB(0, 0, 255) : face) << "icon at (a, y)";

        // The texts drawn where they belong, on the dialog's colour.
        const int x = 2 * a + GetSystemMetrics(SM_CXICON), h = about.metrics.tmHeight;
        Surface want(about.picture.width(), about.picture.height());
        want.Fill(face);
        SetBkMode(want.dc(), TRANSPARENT);
        old = SelectObject(want.dc(), reinterpret_cast<HFONT>(SendMessageA(about.hwnd, WM_GETFONT, 0, 0)));
        const char* lines[] = {info.Description, info.VersionText, info.Copyright};
        for (int i = 0; i < 3; ++i)
            TextOutA(want.dc(), x, y + i * h, lines[i], lstrlenA(lines[i]));
        HFONT small = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
        SelectObject(want.dc(), small);
        RECT box{x + 2, y + 3 * h, x + 202, y + 3 * h + 32};
        DrawTextA(want.dc(), c.shown.c_str(), -1, &box, DT_WORDBREAK);
        SelectObject(want.dc(), old);
        DeleteObject(small);
        wrong = 0;
        for (int py = y; py < box.bottom + 4; ++py)
            for (int px = x - 4; px < want.width(); ++px)
                wrong += about.picture.At(px, py) != want.At(px, py);
        EXPECT_EQ(wrong, 0) << "text pixels out of place";
    }
    const AboutDialog bare(owner.hwnd(), nullptr);
    EXPECT_TRUE(AreaIs(bare.hwnd, RECT{0, 4 + 57 + 1, 250, 150}, face)) << "no block: only the logo";
}

// ---- The information entry ----------------------------------------------------

namespace {

// The entry's profile section, emptied for one test and put back after.
class InfoProfile {
public:
    InfoProfile() : saved_(4096)
    {
        saved_.resize(GetProfileSectionA(ZTC_INFO_SECTION, saved_.data(), 4096) + 1);
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
    std::vector<char> saved_;
};

// The help viewer's stand-in: what it was asked, and its answer.
std::vector<std::string> g_helpCalls;
BOOL g_helpResult = TRUE;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR path, UINT command, ULONG_PTR data)
{
    char call[64];
    std::snprintf(call, sizeof call, " %p %u %llu", static_cast<void*>(window), command,
                  static_cast<unsigned long long>(data));
    g_helpCalls.push_back(std::string(path ? path : "(null)") + call);
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
    char window[32];
    std::snprintf(window, sizeof window, " %p ", static_cast<void*>(frame.hwnd()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        profile.Set(ZTC_INFO_PATHKEY, c.path);
        g_helpCalls.clear();
        g_helpResult = c.result;
        EXPECT_EQ(ZTC_VandleMenuCmnd(frame.hwnd()), c.result);
        EXPECT_EQ(ZTC_VandleMenuDone(frame.hwnd()), c.result);
        EXPECT_EQ(g_helpCalls, (std::vector<std::string>{c.opened + window + "3 0", c.opened + window + "2 0"}))
            << "HELP_INDEX, then HELP_QUIT";
    }
}
