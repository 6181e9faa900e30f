// The demo's Help menu and the picture of its About box.
#include "help.h"
#include "gallery.h"
#include "version.h"
#include "ztctrl32.h"

#include <cstdio>

namespace {

constexpr UINT kAboutCommand = 900;
constexpr UINT kInformationCommand = 901;
constexpr char kAboutTitle[] = "About ztdemo";

}  // namespace

HMENU CreateHelpMenuBar()
{
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kAboutCommand, "&About ztdemo...");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

void AddInformationEntry(HWND frame)
{
    ZTC_VandleMenuAdd(frame, kInformationCommand);
}

bool HelpCommand(HWND frame, UINT id)
{
    switch (id) {
    case kAboutCommand:
        // No icon given: the box shows the frame's class icon, the demo's own.
        AboutBox(frame, GetModuleHandleA(nullptr), nullptr, kAboutTitle);
        return true;
    case kInformationCommand:
        ZTC_VandleMenuCmnd(frame);
        return true;
    default:
        return false;
    }
}

const char* MenuHint(UINT item, bool popup)
{
    if (popup)
        return "About this demo and the library's maker";
    switch (item) {
    case kAboutCommand:       return "Shows the demo's version, its icon and the library's logo";
    case kInformationCommand: return "Opens the maker's information help file";
    default:                  return "";
    }
}

void CloseHelp(HWND frame)
{
    ZTC_VandleMenuDone(frame);
}

int AboutScreenshot(HINSTANCE instance, const char* path)
{
    HMODULE library = GetModuleHandleA("ztctrl32.dll");
    AboutInfo info{};
    info.Icon = LoadIconA(instance, MAKEINTRESOURCEA(ZTDEMO_ICON));
    info.Title = kAboutTitle;
    char word[32] = "";
    LoadStringA(library, 5, word, sizeof word);
    std::snprintf(info.VersionText, sizeof info.VersionText, "%s %d.%02d.%03d", word, ZTDEMO_VERSION_MAJOR,
                  ZTDEMO_VERSION_MINOR, ZTDEMO_VERSION_BUILD);
    lstrcpynA(info.Description, ZTDEMO_DESCRIPTION, sizeof info.Description);
    lstrcpynA(info.Copyright, ZTDEMO_COPYRIGHT, sizeof info.Copyright);
    lstrcpynA(info.Comments, ZTDEMO_COMMENTS, sizeof info.Comments);

    HWND dialog = CreateDialogParamA(library, MAKEINTRESOURCEA(ZTC_ABOUT_DIALOG), nullptr, AboutDlg,
                                     reinterpret_cast<LPARAM>(&info));
    if (!dialog) {
        std::fprintf(stderr, "ztdemo: cannot create the About box\n");
        return 1;
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool saved = SaveWindowPicture(dialog, true, path);
    DestroyWindow(dialog);
    return saved ? 0 : 1;
}
