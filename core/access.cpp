// The accessible object every control answers WM_GETOBJECT with: the
// standard proxy for its window beneath, the control's own answers above.
#include "access.h"

#include <algorithm>
#include <type_traits>

namespace access {

namespace {

constexpr long long kNumberLimit = 1LL << 40;

// The child id a VARIANT names: VT_I4 only, else -1.
LONG ChildId(const VARIANT& v)
{
    return V_VT(&v) == VT_I4 ? V_I4(&v) : -1;
}

void PutI4(VARIANT* v, LONG n)
{
    V_VT(v) = VT_I4;
    V_I4(v) = n;
}

VARIANT Self()
{
    VARIANT v;
    PutI4(&v, CHILDID_SELF);
    return v;
}

// A text for the client: S_OK with a new string, S_FALSE and null when
// there is none.
HRESULT Give(bool has, const WCHAR* text, BSTR* out)
{
    *out = nullptr;
    if (!has || !text || !*text)
        return S_FALSE;
    *out = SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A window text as a name: a lone '&' marks the mnemonic and goes, "&&"
// stands for one '&'.
void DropMnemonics(WCHAR* text)
{
    WCHAR* to = text;
    for (const WCHAR* from = text; *from; ++from) {
        if (*from == L'&' && *++from == L'\0')
            break;
        *to++ = *from;
    }
    *to = L'\0';
}

bool IsLabel(HWND hwnd)
{
    WCHAR name[16];
    return hwnd && GetClassNameW(hwnd, name, 16) && lstrcmpiW(name, L"Static") == 0;
}

}  // namespace

void Text::Number(LONG n, const WCHAR* suffix)
{
    wsprintfW(chars, L"%ld%s", n, suffix);
}

void Text::Copy(const WCHAR* text)
{
    lstrcpynW(chars, text, kSize);
}

bool Number(const WCHAR* text, long long& value)
{
    if (!text)
        return false;
    while (*text == L' ')
        ++text;
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+')
        ++text;
    if (*text < L'0' || *text > L'9')
        return false;
    long long n = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        n = std::min(n * 10 + (*text - L'0'), kNumberLimit);
    while (*text == L' ')
        ++text;
    if (*text)
        return false;
    value = negative ? -n : n;
    return true;
}

LONG ReadOnly(LONG standard)
{
    return (standard & ~STATE_SYSTEM_FOCUSABLE) | STATE_SYSTEM_READONLY;
}

// ---- The object and its life ------------------------------------------------------

Object::Object(HWND hwnd) : hwnd_(hwnd), proc_(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)))
{
}

Object::~Object()
{
    if (standard_)
        standard_->Release();
}

bool Object::Connect()
{
    return SUCCEEDED(CreateStdAccessibleObject(hwnd_, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard_))) &&
           standard_;
}

bool Object::Alive() const
{
    return IsWindow(hwnd_) && reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd_, GCLP_WNDPROC)) == proc_;
}

HRESULT Object::Check(const VARIANT& v, LONG& child) const
{
    if (!Alive())
        return RPC_E_DISCONNECTED;
    child = ChildId(v);
    return child < 0 || child > ChildCount() ? E_INVALIDARG : S_OK;
}

template <class Out, class Answer>
HRESULT Object::Ask(const VARIANT& child, Out* out, Answer answer) const
{
    if (!out)
        return E_POINTER;
    if constexpr (std::is_same_v<Out, VARIANT>)
        V_VT(out) = VT_EMPTY;
    else
        *out = nullptr;
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : answer(c);
}

HRESULT STDMETHODCALLTYPE Object::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Object::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE Object::Release()
{
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT STDMETHODCALLTYPE Object::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Object::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Object::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Object::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// ---- Questions the standard proxy answers ---------------------------------------------

HRESULT STDMETHODCALLTYPE Object::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    return Alive() ? standard_->get_accParent(parent) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE Object::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_POINTER;
    V_VT(child) = VT_EMPTY;
    return Alive() ? standard_->get_accFocus(child) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE Object::get_accSelection(VARIANT* children)
{
    if (!children)
        return E_POINTER;
    V_VT(children) = VT_EMPTY;
    return Alive() ? standard_->get_accSelection(children) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE Object::get_accDescription(VARIANT child, BSTR* text)
{
    return Ask(child, text, [&](LONG c) { return c ? S_FALSE : standard_->get_accDescription(Self(), text); });
}

HRESULT STDMETHODCALLTYPE Object::get_accHelp(VARIANT child, BSTR* text)
{
    return Ask(child, text, [&](LONG c) { return c ? S_FALSE : standard_->get_accHelp(Self(), text); });
}

HRESULT STDMETHODCALLTYPE Object::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    if (!file || !topic)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : c ? S_FALSE : standard_->get_accHelpTopic(file, Self(), topic);
}

// The proxy takes the mnemonic from the window text, when that is the name.
HRESULT STDMETHODCALLTYPE Object::get_accKeyboardShortcut(VARIANT child, BSTR* text)
{
    return Ask(child, text, [&](LONG c) {
        return c || !TextIsName() ? S_FALSE : standard_->get_accKeyboardShortcut(Self(), text);
    });
}

HRESULT STDMETHODCALLTYPE Object::accSelect(LONG flags, VARIANT child)
{
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : c ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, Self());
}

HRESULT STDMETHODCALLTYPE Object::put_accName(VARIANT child, BSTR)
{
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

// ---- Questions the control answers ------------------------------------------------------

HRESULT STDMETHODCALLTYPE Object::get_accChildCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    if (!Alive())
        return RPC_E_DISCONNECTED;
    *count = ChildCount();
    return S_OK;
}

// The children are simple elements: a client asks the control about them.
HRESULT STDMETHODCALLTYPE Object::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : c ? S_FALSE : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE Object::get_accName(VARIANT child, BSTR* name)
{
    return Ask(child, name, [&](LONG c) {
        Text text;
        const bool has = Name(c, text);
        return Give(has, text.chars, name);
    });
}

HRESULT STDMETHODCALLTYPE Object::get_accValue(VARIANT child, BSTR* value)
{
    return Ask(child, value, [&](LONG c) {
        Text text;
        const bool has = Value(c, text);
        return Give(has, text.chars, value);
    });
}

HRESULT STDMETHODCALLTYPE Object::get_accRole(VARIANT child, VARIANT* role)
{
    return Ask(child, role, [&](LONG c) {
        PutI4(role, Role(c));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE Object::get_accState(VARIANT child, VARIANT* state)
{
    return Ask(child, state, [&](LONG c) {
        VARIANT standard;
        V_VT(&standard) = VT_EMPTY;
        if (c || FAILED(standard_->get_accState(Self(), &standard)) || V_VT(&standard) != VT_I4)
            PutI4(&standard, 0);
        PutI4(state, States(c, V_I4(&standard)));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE Object::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return Ask(child, action, [&](LONG c) { return Give(true, DefaultAction(c), action); });
}

HRESULT STDMETHODCALLTYPE Object::accDoDefaultAction(VARIANT child)
{
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : DoDefaultAction(c);
}

HRESULT STDMETHODCALLTYPE Object::put_accValue(VARIANT child, BSTR value)
{
    LONG c;
    const HRESULT hr = Check(child, c);
    return FAILED(hr) ? hr : SetValue(c, value);
}

// The control's client area or a child's rectangle, on the screen.
HRESULT STDMETHODCALLTYPE Object::accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT child)
{
    if (!x || !y || !cx || !cy)
        return E_POINTER;
    *x = *y = *cx = *cy = 0;
    LONG c;
    if (const HRESULT hr = Check(child, c); FAILED(hr))
        return hr;
    RECT r;
    if (c ? !ChildRect(c, r) : !GetClientRect(hwnd_, &r))
        return S_FALSE;
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *x = r.left;
    *y = r.top;
    *cx = r.right - r.left;
    *cy = r.bottom - r.top;
    return S_OK;
}

// Among the children, in their order (left to right); from the control to
// its first or last child.  Everything else is the proxy's.
HRESULT STDMETHODCALLTYPE Object::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    V_VT(end) = VT_EMPTY;
    LONG c;
    if (const HRESULT hr = Check(start, c); FAILED(hr))
        return hr;
    const LONG n = ChildCount();
    const bool toChild = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (!c && (!n || !toChild))
        return standard_->accNavigate(direction, Self(), end);
    LONG to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = c ? 0 : 1; break;
    case NAVDIR_LASTCHILD:  to = c ? 0 : n; break;
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT:      to = c < n ? c + 1 : 0; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT:       to = c - 1; break;
    default:                break;
    }
    if (!to)
        return S_FALSE;
    PutI4(end, to);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Object::accHitTest(LONG x, LONG y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    V_VT(child) = VT_EMPTY;
    if (!Alive())
        return RPC_E_DISCONNECTED;
    POINT p{x, y};
    ScreenToClient(hwnd_, &p);
    if (const LONG c = ChildAt(p)) {
        PutI4(child, c);
        return S_OK;
    }
    return standard_->accHitTest(x, y, child);
}

// ---- The name -------------------------------------------------------------------------------

bool Object::Name(LONG child, Text& name) const
{
    if (child)
        return false;
    if (TextIsName() && GetWindowTextW(hwnd_, name.chars, Text::kSize) > 0) {
        DropMnemonics(name.chars);
        return true;
    }
    const HWND before = GetWindow(hwnd_, GW_HWNDPREV);
    if (!IsLabel(before) || GetWindowTextW(before, name.chars, Text::kSize) <= 0)
        return false;
    DropMnemonics(name.chars);
    return true;
}

// ---- Handing objects out and raising events ------------------------------------------------

LRESULT Hand(Object* object, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (object && object->Connect())
        result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    if (object)
        object->Release();
    return result > 0 ? result : DefWindowProcA(hwnd, WM_GETOBJECT, wParam, lParam);
}

void ValueChanged(HWND hwnd)
{
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void StateChanged(HWND hwnd, LONG child)
{
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, child);
}

void ChildrenChanged(HWND hwnd)
{
    NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace access
