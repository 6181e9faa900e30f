// Accessibility: what a client of the platform's accessibility library finds
// in each control (role, name, value, states), what setting the value and
// the default action do and what the parent hears meanwhile, the events an
// out-of-context hook catches, and an object that outlives its control.
#include "ztest.h"

#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

using namespace ztest;

namespace {

// The value, state and reorder events of OBJID_CLIENT of one window, caught
// out of context (they arrive while the thread pumps its messages), as
// "V0 S3 R0" with the child ids.
HWND Watched;
std::string Events;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    const char* kind = event == EVENT_OBJECT_VALUECHANGE ? "V"
                       : event == EVENT_OBJECT_STATECHANGE ? "S"
                       : event == EVENT_OBJECT_REORDER     ? "R"
                                                           : nullptr;
    if (hwnd == Watched && object == OBJID_CLIENT && kind)
        Events += (Events.empty() ? "" : " ") + (kind + std::to_string(child));
}

struct EventHook {
    explicit EventHook(HWND hwnd) { Watched = hwnd, Events.clear(); }
    ~EventHook() { UnhookWinEvent(hook); }
    std::string Caught() { PumpMessages(); return std::exchange(Events, std::string()); }
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
};

VARIANT Child(LONG id) { VARIANT v; V_VT(&v) = VT_I4, V_I4(&v) = id; return v; }

using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
using NumberGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);

// A text the object answers: "-" for none (S_FALSE), "!" for a failure.
std::string Text(IAccessible* acc, TextGetter get, LONG child = CHILDID_SELF)
{
    BSTR text = nullptr;
    const HRESULT hr = (acc->*get)(Child(child), &text);
    std::string out = hr == S_FALSE ? "-" : FAILED(hr) ? "!" : "";
    for (const WCHAR* c = hr == S_OK && text ? text : L""; *c; ++c)
        out += static_cast<char>(*c);
    SysFreeString(text);
    return out;
}

// A role or the states; -1 when the answer is no VT_I4.
LONG Number(IAccessible* acc, NumberGetter get, LONG child = CHILDID_SELF)
{
    VARIANT v;
    V_VT(&v) = VT_EMPTY;
    return SUCCEEDED((acc->*get)(Child(child), &v)) && V_VT(&v) == VT_I4 ? V_I4(&v) : -1;
}

// The object a screen reader gets for the window.
IAccessible* ObjectOf(HWND hwnd)
{
    IAccessible* acc = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)),
              S_OK);
    return acc;
}

class Com : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

// One row per class: the control (made below the label "&Level", id 100,
// with `prepare` giving it a value), what a client reads, then what setting
// `put` as its value and its default action answer and do.
// `on` and `off`: the states set and clear; `action` "-": no default
// action; `hears`: from the put and the action; `events`: from prepare, put
// and action.
struct Row {
    const char *name, *className;
    DWORD style;
    const char* text;
    void (*prepare)(HWND);
    LONG role;
    const char *label, *value;
    LONG on, off;
    const WCHAR* put;
    HRESULT putResult;
    const char *valueAfter, *action;
    std::vector<Expect> hears;
    const char* events;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

constexpr HRESULT kNotHere = DISP_E_MEMBERNOTFOUND;
constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE, kReadOnly = STATE_SYSTEM_READONLY;
const Expect kSliderMoved{WM_COMMAND, MAKEWPARAM(100, SLN_POSCHANGED), 0, false, true};

const Row kRows[] = {
    {"SliderH", ZTC_SLIDER_H_CLASS, SLS_NOTIFY, nullptr, [](HWND s) { ZtSlider_SetPos(s, 42); }, ROLE_SYSTEM_SLIDER,
     "Level", "42", kFocusable, 0, L" 300 ", S_OK, "255", "-", {kSliderMoved}, "V0 V0"},
    {"SliderSameValue", ZTC_SLIDER_H_CLASS, SLS_NOTIFY, nullptr, [](HWND s) { ZtSlider_SetPos(s, 42); },
     ROLE_SYSTEM_SLIDER, "Level", "42", kFocusable, 0, L"+42", S_OK, "42", "-", {}, "V0"},
    {"SliderNotANumber", ZTC_SLIDER_H_CLASS, SLS_NOTIFY, "&Pan", nullptr, ROLE_SYSTEM_SLIDER, "Pan", "0", kFocusable,
     0, L"4x", E_INVALIDARG, "0", "-", {}, ""},
    {"SliderV", ZTC_SLIDER_V_CLASS, SLS_NOTIFY, nullptr, [](HWND s) { ZtVSlider_SetPos(s, 20); },
     ROLE_SYSTEM_SLIDER, "Level", "20", kFocusable, 0, L"-5", S_OK, "0", "-", {kSliderMoved}, "V0 V0"},
    {"VUMeter", ZTC_VU_H_CLASS, 0, nullptr, [](HWND m) { ZtVUMeter_SetLevel(m, 200); }, ROLE_SYSTEM_PROGRESSBAR,
     "Level", "200", kReadOnly, kFocusable, L"5", kNotHere, "200", "-", {}, "V0"},
    {"Gauge", ZTC_GAUGE_CLASS, 0, nullptr, [](HWND g) { ZtGauge_SetPercent(g, 42); }, ROLE_SYSTEM_PROGRESSBAR,
     "Level", "42%", kReadOnly, kFocusable, L"5", kNotHere, "42%", "-", {}, "V0"},
    {"BitmapButton", ZTC_BMPBTN_CLASS, 0, "P&lay", nullptr, ROLE_SYSTEM_PUSHBUTTON, "Play", "-", kFocusable,
     STATE_SYSTEM_PRESSED, L"5", kNotHere, "-", "Press", {{WM_COMMAND, MAKEWPARAM(100, 0), 0, false, true}}, "S0 S0"},
    {"MultiScroll", ZTC_MUSCROLL_CLASS, 0, nullptr, [](HWND m) { ZtMultiScroll_SetValue(m, 3); },
     ROLE_SYSTEM_SPINBUTTON, "Level", "3", 0, kFocusable, L"7", S_OK, "7", "-",
     {{WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0, false, true}}, "V0 V0"},
    {"MultiScrollOutOfRange", ZTC_MUSCROLL_CLASS, MSS_TEXTINIT, "3,20,4", nullptr, ROLE_SYSTEM_SPINBUTTON,
     "Level", "4", 0, kFocusable, L"21", E_INVALIDARG, "4", "-", {}, ""},
    {"Dragger", ZTC_DRAGGER_CLASS, 0, nullptr, nullptr, ROLE_SYSTEM_GRAPHIC, "Level", "-", kReadOnly, kFocusable,
     L"5", kNotHere, "-", "-", {}, ""},
    {"DIBView", ZTC_DIBVIEW_CLASS, 0, nullptr, nullptr, ROLE_SYSTEM_GRAPHIC, "Level", "-", kReadOnly, kFocusable,
     L"5", kNotHere, "-", "-", {}, ""},
    {"Toolbar", ZTC_TOOLBAR_CLASS, 0, nullptr, nullptr, ROLE_SYSTEM_TOOLBAR, "Level", "-", 0, kFocusable, L"5",
     kNotHere, "-", "-", {}, ""},
};

class EveryClass : public Com, public ::testing::WithParamInterface<Row> {};

}  // namespace

TEST_P(EveryClass, AnswersAsItsKindAndOutlivesItsWindowDisconnected)
{
    const Row& r = GetParam();
    ParentWindow parent;
    parent.CreateChild("static", 0, 10, 10, 60, 16, 99, "&Level");
    HWND control = parent.CreateChild(r.className, r.style, 10, 40, 120, 30, 100, r.text);
    ASSERT_NE(control, nullptr);
    EventHook hook(control);
    if (r.prepare)
        r.prepare(control);
    IAccessible* acc = ObjectOf(control);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Number(acc, &IAccessible::get_accRole), r.role);
    EXPECT_EQ(Text(acc, &IAccessible::get_accName), r.label);
    EXPECT_EQ(Text(acc, &IAccessible::get_accValue), r.value);
    const LONG states = Number(acc, &IAccessible::get_accState);
    EXPECT_EQ(states & (r.on | r.off), r.on) << std::hex << states;
    LONG x, y, cx, cy;
    EXPECT_EQ(acc->accLocation(&x, &y, &cx, &cy, Child(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(cx == 120 && cy == 30) << "the client area, " << cx << " x " << cy;

    parent.log().Clear();
    BSTR put = SysAllocString(r.put);
    EXPECT_EQ(acc->put_accValue(Child(CHILDID_SELF), put), r.putResult);
    SysFreeString(put);
    EXPECT_EQ(Text(acc, &IAccessible::get_accValue), r.valueAfter);
    EXPECT_EQ(Text(acc, &IAccessible::get_accDefaultAction), r.action);
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), r.action[0] == '-' ? kNotHere : S_OK);
    EXPECT_TRUE(SequenceIs(parent.log().Only({WM_COMMAND, WM_HSCROLL}), r.hears));
    EXPECT_EQ(hook.Caught(), r.events);
    EXPECT_EQ(Number(acc, &IAccessible::get_accRole, 1), -1) << "no child 1";

    DestroyWindow(control);
    LONG count;
    EXPECT_EQ(acc->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), RPC_E_DISCONNECTED);
    EXPECT_EQ(acc->Release(), 0u) << "the last reference frees the object";
}

INSTANTIATE_TEST_SUITE_P(Accessibility, EveryClass, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// The drawn buttons are the toolbar's children, in order: named after their
// stock glyphs, checked and greyed as they look, clicked as by the mouse.
TEST_F(Com, ToolbarButtonsAreItsChildren)
{
    ParentWindow parent;
    HWND bar = parent.CreateChild(ZTC_TOOLBAR_CLASS, 0, 0, 0, 400, 29, 50);
    HBITMAP strip = CreateBitmap(32, 15, 1, 32, nullptr);
    const struct { UINT type, id; HBITMAP strip; int glyph; UINT look; } tools[] = {
        {TBT_PUSH, 1, nullptr, 2, TDD_GLYPH},    {TBT_SEPARATOR, 2, nullptr, 0, 0},
        {TBT_CHECK, 3, strip, 0, TDD_GLYPH},     {TBT_RADIO, 4, nullptr, 7, TDD_GLYPH},
        {TBT_RADIO, 5, nullptr, 8, 11},          {TBT_EDIT, 6, nullptr, 0, 0},
        {TBT_PUSH, 7, nullptr, 5, TDD_GLYPH},    {TBT_PUSH, 8, nullptr, 1, TDD_GRAYED},
    };
    for (const auto& t : tools)
        ASSERT_TRUE(ToolBar_AddTool(bar, t.type, 99, t.id, 24, 22, "", t.strip, t.glyph, t.look));
    ToolBar_Show(bar, 7, FALSE);
    IAccessible* acc = ObjectOf(bar);
    ASSERT_NE(acc, nullptr);
    LONG count = -1;
    EXPECT_TRUE(acc->get_accChildCount(&count) == S_OK && count == 5) << count << ": the shown drawn buttons";
    const struct { const char* name; LONG role, states; const char* action; } children[] = {
        {"Paste", ROLE_SYSTEM_PUSHBUTTON, 0, "Press"},
        {"-", ROLE_SYSTEM_CHECKBUTTON, 0, "Check"},
        {"Help", ROLE_SYSTEM_RADIOBUTTON, 0, "Check"},
        {"Context Help", ROLE_SYSTEM_RADIOBUTTON, STATE_SYSTEM_CHECKED, "Check"},
        {"Copy", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, "Press"},
    };
    for (LONG c = 1; c <= 5; ++c) {
        const auto& want = children[c - 1];
        EXPECT_EQ(Text(acc, &IAccessible::get_accName, c), want.name) << c;
        EXPECT_EQ(Number(acc, &IAccessible::get_accRole, c), want.role) << c;
        EXPECT_EQ(Number(acc, &IAccessible::get_accState, c), want.states) << c;
        EXPECT_EQ(Text(acc, &IAccessible::get_accDefaultAction, c), want.action) << c;
    }

    // The check button (x = 4 + 24 + 6 = 34) on the screen, and found there.
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    LONG x, y, cx, cy;
    EXPECT_EQ(acc->accLocation(&x, &y, &cx, &cy, Child(2)), S_OK);
    EXPECT_TRUE(x == origin.x + 34 && y == origin.y + 3 && cx == 24 && cy == 22) << x << "," << y;
    VARIANT hit;
    EXPECT_EQ(acc->accHitTest(origin.x + 40, origin.y + 10, &hit), S_OK);
    EXPECT_TRUE(V_VT(&hit) == VT_I4 && V_I4(&hit) == 2);

    EventHook hook(bar);
    parent.log().Clear();
    EXPECT_EQ(acc->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(acc->accDoDefaultAction(Child(3)), S_OK);
    EXPECT_EQ(acc->accDoDefaultAction(Child(5)), E_FAIL) << "greyed";
    EXPECT_TRUE(SequenceIs(parent.log().Only({WM_MENUSELECT, WM_COMMAND}),
                           {{WM_MENUSELECT, 3}, {WM_MENUSELECT, 0xFFFF0000}, Command(3, 0, bar),
                            {WM_MENUSELECT, 4}, {WM_MENUSELECT, 0xFFFF0000}, Command(4, 0, bar)}));
    EXPECT_EQ(Number(acc, &IAccessible::get_accState, 2), STATE_SYSTEM_CHECKED);
    EXPECT_EQ(Text(acc, &IAccessible::get_accDefaultAction, 2), "Uncheck");
    EXPECT_EQ(Number(acc, &IAccessible::get_accState, 4), 0) << "the other radio button";
    ToolBar_Show(bar, 7, TRUE);
    EXPECT_EQ(hook.Caught(), "S2 S4 S3 R0");
    EXPECT_TRUE(acc->get_accChildCount(&count) == S_OK && count == 6) << count;
    DestroyWindow(bar);
    EXPECT_EQ(acc->Release(), 0u);
    DeleteObject(strip);
}
