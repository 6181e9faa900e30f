// What a screen reader hears of the toolbar: a tool bar whose children are
// its shown drawn buttons in order, named after their stock glyphs, with
// their check, greying and press as states; a child's default action clicks
// it as the mouse would.  Its child controls are windows of their own.
#include "access.h"
#include "toolbar/toolbar.h"

#include <iterator>

namespace {

// The stock glyphs, index 0 to 8.
const WCHAR* const kStockNames[] = {L"Cut",  L"Copy",  L"Paste", L"New",         L"Open",
                                    L"Save", L"Print", L"Help",  L"Context Help"};

bool IsChild(const ToolNode& tool)
{
    return HasType(tool, TBT_DRAWN) && !(tool.Flags & TF_HIDDEN);
}

class ToolBarAccessible : public access::StateObject<ToolBarState> {
public:
    using StateObject::StateObject;

private:
    // The tool of a valid child id.
    ToolNode& Tool(LONG child) const
    {
        ToolNode* tool = S()->FirstTool;
        for (LONG n = 0; tool; tool = tool->Next)
            if (IsChild(*tool) && ++n == child)
                break;
        return *tool;
    }
    bool Held(const ToolNode& tool) const { return S()->Tracking && S()->PressedTool == &tool; }
    // The look that counts: while held, the one the press began with.
    UINT Look(const ToolNode& tool) const { return Held(tool) ? tool.SavedState : tool.State; }

    LONG Role(LONG child) const override
    {
        if (!child)
            return ROLE_SYSTEM_TOOLBAR;
        switch (Tool(child).Type) {
        case TBT_CHECK: return ROLE_SYSTEM_CHECKBUTTON;
        case TBT_RADIO: return ROLE_SYSTEM_RADIOBUTTON;
        default:        return ROLE_SYSTEM_PUSHBUTTON;
        }
    }
    LONG States(LONG child, LONG standard) const override
    {
        if (!child)
            return standard & ~STATE_SYSTEM_FOCUSABLE;
        const ToolNode& tool = Tool(child);
        const UINT look = Look(tool);
        LONG states = 0;
        if (tool.Type != TBT_PUSH && IsChecked(look))
            states |= STATE_SYSTEM_CHECKED;
        if (IsGrayed(look))
            states |= STATE_SYSTEM_UNAVAILABLE;
        if (Held(tool) && !S()->PointerOutside)
            states |= STATE_SYSTEM_PRESSED;
        return states;
    }
    // A button with the application's own glyphs has no name.
    bool Name(LONG child, access::Text& name) const override
    {
        if (!child)
            return Object::Name(child, name);
        const ToolNode& tool = Tool(child);
        if (tool.Strip || tool.GlyphIndex < 0 || tool.GlyphIndex >= static_cast<int>(std::size(kStockNames)))
            return false;
        name.Copy(kStockNames[tool.GlyphIndex]);
        return true;
    }
    const WCHAR* DefaultAction(LONG child) const override
    {
        if (!child)
            return nullptr;
        const ToolNode& tool = Tool(child);
        if (tool.Type == TBT_PUSH)
            return L"Press";
        return tool.Type == TBT_CHECK && IsChecked(Look(tool)) ? L"Uncheck" : L"Check";
    }
    // A greyed button, or any while the mouse holds one, refuses.
    HRESULT DoDefaultAction(LONG child) override
    {
        if (!child)
            return DISP_E_MEMBERNOTFOUND;
        ToolNode& tool = Tool(child);
        if (S()->Tracking || IsGrayed(tool.State))
            return E_FAIL;
        TB_ClickTool(hwnd_, tool);
        return S_OK;
    }
    LONG ChildCount() const override
    {
        LONG n = 0;
        for (const ToolNode* tool = S()->FirstTool; tool; tool = tool->Next)
            n += IsChild(*tool) ? 1 : 0;
        return n;
    }
    bool ChildRect(LONG child, RECT& client) const override
    {
        client = ToolRect(Tool(child));
        return true;
    }
    LONG ChildAt(POINT p) const override
    {
        LONG n = 0;
        for (const ToolNode* tool = S()->FirstTool; tool; tool = tool->Next) {
            if (!IsChild(*tool))
                continue;
            ++n;
            const RECT r = ToolRect(*tool);
            if (PtInRect(&r, p))
                return n;
        }
        return 0;
    }
};

}  // namespace

LRESULT TB_GetObject(HWND toolbar, WPARAM wParam, LPARAM lParam)
{
    return access::Answer<ToolBarAccessible>(toolbar, wParam, lParam);
}

LONG TB_ChildId(const ToolBarState& state, const ToolNode& tool)
{
    if (!IsChild(tool))
        return 0;
    LONG n = 0;
    for (const ToolNode* t = state.FirstTool; t; t = t->Next) {
        n += IsChild(*t) ? 1 : 0;
        if (t == &tool)
            return n;
    }
    return 0;
}
