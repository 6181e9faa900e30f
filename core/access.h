// Accessibility: what the controls tell screen readers and other
// accessibility clients.  A control's window procedure answers WM_GETOBJECT
// with access::Answer<ItsObject>: for OBJID_CLIENT an accessible object
// built on the platform's standard proxy for the window
// (CreateStdAccessibleObject).  The proxy answers what the control leaves
// alone (parent, focus, description, keyboard shortcut); the
// control's class says its role, name, value and states, what setting its
// value and its default action do, and which simple children it has (child
// ids 1..n, such as the toolbar's buttons; 0 is the control itself).
//
// A client may hold the object after the window is gone: every question
// then answers RPC_E_DISCONNECTED, and nothing of the window is touched.
// The object keeps no pointer into the control: it asks for the state block
// again at every call.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <new>

#include "window.h"

namespace access {

// A text answered to a client: a name, a value or a default action.
struct Text {
    static constexpr int kSize = 256;
    WCHAR chars[kSize];
    // The decimal number followed by suffix ("42", "42%").
    void Number(LONG n, const WCHAR* suffix = L"");
    void Copy(const WCHAR* text);
};

class Object : public IAccessible {
public:
    // Creates the standard proxy beneath; false when it cannot be made.
    bool Connect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; clients call the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    explicit Object(HWND hwnd);

protected:
    virtual ~Object();

    // What a control's class tells.  Called only while the window and its
    // state block exist, with a child id of 0..ChildCount().
    virtual bool Alive() const;              // the window (and the state) still exist
    virtual LONG Role(LONG child) const = 0;
    // The states: the standard proxy's for the control (unavailable,
    // focused, invisible ...), 0 for a child, with the class's own added.
    virtual LONG States(LONG, LONG standard) const { return standard; }
    // The control's name: its window text without '&' (when TextIsName),
    // else the text of the static label just before it, as in a dialog.
    virtual bool Name(LONG child, Text& name) const;
    virtual bool TextIsName() const { return true; }
    virtual bool Value(LONG, Text&) const { return false; }
    // A value a client sets (see Number); DISP_E_MEMBERNOTFOUND by default.
    virtual HRESULT SetValue(LONG, const WCHAR*) { return DISP_E_MEMBERNOTFOUND; }
    virtual const WCHAR* DefaultAction(LONG) const { return nullptr; }
    virtual HRESULT DoDefaultAction(LONG) { return DISP_E_MEMBERNOTFOUND; }
    // Simple children: their number, their places and which one a client
    // point lies on (0: none).
    virtual LONG ChildCount() const { return 0; }
    virtual bool ChildRect(LONG, RECT&) const { return false; }
    virtual LONG ChildAt(POINT) const { return 0; }

    const HWND hwnd_;

private:
    HRESULT Check(const VARIANT& v, LONG& child) const;
    // A question about a child answered with a text or a variant: the answer
    // cleared, the child checked, then answer(child) answers.
    template <class Out, class Answer>
    HRESULT Ask(const VARIANT& child, Out* out, Answer answer) const;
    LONG refs_ = 1;
    WNDPROC proc_;
    IAccessible* standard_ = nullptr;
};

// An object of a control with a state block: alive while the block is.
template <class State>
class StateObject : public Object {
protected:
    using Object::Object;
    State* S() const { return GetState<State>(hwnd_); }
    bool Alive() const override { return Object::Alive() && S(); }
};

// The states of a control that only shows something: read-only, never
// focused.
LONG ReadOnly(LONG standard);

// A control that only shows a level: a read-only progress bar whose value
// is the state's field, followed by suffix ("42%").
template <class State, LONG State::*Level, const WCHAR* Suffix>
class Meter : public StateObject<State> {
public:
    using StateObject<State>::StateObject;

private:
    LONG Role(LONG) const override { return ROLE_SYSTEM_PROGRESSBAR; }
    LONG States(LONG, LONG standard) const override { return ReadOnly(standard); }
    bool Value(LONG, Text& text) const override
    {
        text.Number(this->S()->*Level, Suffix);
        return true;
    }
};

// A control that shows a picture: a read-only graphic.
template <class Base>
class Picture : public Base {
public:
    using Base::Base;

private:
    LONG Role(LONG) const override { return ROLE_SYSTEM_GRAPHIC; }
    LONG States(LONG, LONG standard) const override { return ReadOnly(standard); }
};

// Reads a whole decimal number, blanks around it allowed ("42", " -7 ");
// larger magnitudes come out as +-2^40.  False for anything else.
bool Number(const WCHAR* text, long long& value);

// Hands the object to the client (LresultFromObject) and drops this
// reference; 0 (DefWindowProc's answer) when it could not be made or handed.
LRESULT Hand(Object* object, HWND hwnd, WPARAM wParam, LPARAM lParam);

// WM_GETOBJECT of a control: an object of class T for OBJID_CLIENT, the
// default answer for any other object id.
template <class T>
LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return DefWindowProcA(hwnd, WM_GETOBJECT, wParam, lParam);
    return Hand(new (std::nothrow) T(hwnd), hwnd, wParam, lParam);
}

// The events a client hears: the control's value, or the states of the
// control or one of its children, changed.
void ValueChanged(HWND hwnd);
void StateChanged(HWND hwnd, LONG child = CHILDID_SELF);
// The control's simple children came, went or moved.
void ChildrenChanged(HWND hwnd);

}  // namespace access
