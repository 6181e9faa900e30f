// The gallery's toolbar and what its associate, the frame, hears from it.
#include "toolbar.h"
#include "gallery.h"
#include "pictures.h"
#include "status.h"
#include "ztctrl32.h"

#include <cstdio>
#include <initializer_list>
#include <iterator>

namespace {

// Ids below the sections' blocks: the toolbar's, then its tools' in order.
constexpr UINT kToolbarId = 900;
constexpr char kStripProperty[] = "ztdemo.toolbarstrip";

constexpr Shape kShapes[] = {Shape::Circle, Shape::Square, Shape::Triangle, Shape::Diamond};
constexpr COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 160, 0), RGB(255, 255, 0)};

// The tools in order; tool i has the id kToolbarId + 1 + i.  A drawn button
// shows stock glyph n, or with -1 - n glyph n of the gallery's own strip.
struct Tool {
    UINT type;
    const char* name;
    int glyph;
    int width;
    UINT height;
    const char* text;
};

constexpr Tool kTools[] = {
    {TBT_PUSH, "Cut", 0, 0, 22, nullptr},       {TBT_PUSH, "Copy", 1, 0, 22, nullptr},
    {TBT_PUSH, "Paste", 2, 0, 22, nullptr},     {TBT_PUSH, "New", 3, 0, 22, nullptr},
    {TBT_PUSH, "Open", 4, 0, 22, nullptr},      {TBT_PUSH, "Save", 5, 0, 22, nullptr},
    {TBT_PUSH, "Print", 6, 0, 22, nullptr},     {TBT_PUSH, "Help", 7, 0, 22, nullptr},
    {TBT_PUSH, "Context help", 8, 0, 22, nullptr},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_CHECK, "The circle (check)", -1, 24, 22, nullptr},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_RADIO, "The square (radio)", -2, 24, 22, nullptr},
    {TBT_RADIO, "The triangle (radio)", -3, 24, 22, nullptr},
    {TBT_RADIO, "The diamond (radio)", -4, 24, 22, nullptr},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_EDIT, "The edit field", 0, 100, 20, "Type, then Tab"},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_DROPLIST, "The list", 0, 80, 120, nullptr},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_COMBO, "The combo box", 0, 70, 120, nullptr},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_BUTTONCTL, "The Apply button", 0, 56, 24, "Apply"},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_DRAGGER, "The dragger", 0, 40, 22, ""},
    {TBT_SEPARATOR, "A separator", 0, 0, 0, nullptr},
    {TBT_STATIC, "What the frame heard", 0, 250, 16, "The frame shows here what it hears"},
};
constexpr UINT ToolId(int index) { return kToolbarId + 1 + static_cast<UINT>(index); }
constexpr UINT kCheck = ToolId(10), kSecondRadio = ToolId(13), kList = ToolId(18), kCombo = ToolId(20),
               kDragger = ToolId(24), kHeard = ToolId(26);

const char* ToolName(UINT id)
{
    const UINT i = id - ToolId(0);
    return i < std::size(kTools) ? kTools[i].name : "The toolbar";
}

// A bitmap of one shape: the dragger's picture, and what it drops.
HBITMAP DraggerPicture()
{
    return MakePicture(20, 18, kShapes + 3, kColours + 3, 1);
}

void FillList(HWND toolbar, UINT id, std::initializer_list<const char*> items, int selected)
{
    for (const char* item : items)
        ToolBar_SendMessage(toolbar, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    ToolBar_SendMessage(toolbar, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// What the frame heard, in words.
void Describe(char* text, size_t size, HWND toolbar, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    const char* name = ToolName(id);
    if (msg != WM_COMMAND)
        std::snprintf(text, size, "The dragger asks to drop: yes");
    else if (reinterpret_cast<HWND>(lParam) != toolbar)
        std::snprintf(text, size, "%s notifies %u", name, code);
    else if (code == 0)
        std::snprintf(text, size, "%s clicked", name);
    else if (code == TBN_TOOLADDED || code == TBN_TOOLREMOVED)
        std::snprintf(text, size, "%s %s", name, code == TBN_TOOLADDED ? "added" : "removed");
    else
        std::snprintf(text, size, "%s", code == TBN_ASSOCIATED ? "Associated" : "Dissociated");
}

}  // namespace

void Toolbar_Create(HWND frame)
{
    RECT client;
    GetClientRect(frame, &client);
    HWND toolbar = GalleryChild(frame, ZTC_TOOLBAR_CLASS, "", WS_CLIPCHILDREN, kToolbarId, 0, 0, client.right,
                                kGalleryToolbarHeight);
    const auto strip = MakePicture(16, 15, kShapes, kColours, static_cast<int>(std::size(kShapes)));
    SetPropA(frame, kStripProperty, strip);
    for (int i = 0; i < static_cast<int>(std::size(kTools)); ++i) {
        const Tool& t = kTools[i];
        const bool own = t.glyph < 0;
        ToolBar_AddTool(toolbar, t.type, 0xFFFFFFFF, ToolId(i), t.width, t.height, t.text, own ? strip : nullptr,
                        own ? -1 - t.glyph : t.glyph, TDD_GLYPH);
    }
    FillList(toolbar, kList, {"50%", "100%", "200%"}, 1);
    FillList(toolbar, kCombo, {"8", "10", "12", "14"}, 2);
    ToolBar_SendMessage(toolbar, kDragger, DRM_SETBITMAP, reinterpret_cast<WPARAM>(DraggerPicture()), 0);
    ToolBar_Check(toolbar, kCheck, TRUE);
    ToolBar_Check(toolbar, kSecondRadio, TRUE);
    SendMessageA(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void Toolbar_Destroy(HWND frame)
{
    DestroyWindow(GetDlgItem(frame, kToolbarId));  // first: it draws with the strip
    if (HANDLE strip = RemovePropA(frame, kStripProperty))
        DeleteObject(strip);
}

bool Toolbar_Hears(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& answer)
{
    const HWND toolbar = GetDlgItem(frame, kToolbarId);
    const auto sender = reinterpret_cast<HWND>(lParam);
    if (!toolbar || (sender != toolbar && GetParent(sender) != toolbar))
        return false;
    char text[96];
    Describe(text, sizeof text, toolbar, msg, wParam, lParam);
    if (LOWORD(wParam) != kHeard)  // its own text changing is not news
        ToolBar_SendMessage(toolbar, kHeard, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    StatusLine_SetText(frame, kReportPane, text);
    answer = msg == RegisterWindowMessageA(ZTC_DRAGDROP_MSGNAME) ? PutOnClipboard(frame, DraggerPicture(), CF_BITMAP)
                                                                   : 0;
    return true;
}
