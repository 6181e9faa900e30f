#include "gdicount.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace ztest {
namespace {

// A handle, or a (window, id) pair for timers and (window, name) for properties.
using Key = std::pair<ULONG_PTR, ULONG_PTR>;

struct Registry {
    std::map<Key, const char*> live, given;
    std::map<std::string, int> baseline;
    std::vector<std::string> strays;
    std::size_t created = 0;
    bool active = false, settled = false;
} Reg;
SRWLOCK Lock = SRWLOCK_INIT;

// The registry, locked for the scope: the hooks run on every thread.
struct Locked {
    Locked() { AcquireSRWLockExclusive(&Lock); }
    ~Locked() { ReleaseSRWLockExclusive(&Lock); }
    Registry* operator->() const { return &Reg; }
};

template <class H>
Key KeyOf(H handle) { return Key{reinterpret_cast<ULONG_PTR>(handle), 0}; }
Key KeyOf(Key key) { return key; }
Key KeyOf(const PAINTSTRUCT* ps) { return KeyOf(ps->hdc); }
Key Timer(HWND w, UINT_PTR id) { return Key{reinterpret_cast<ULONG_PTR>(w), id}; }
Key Property(HWND w, LPCSTR name)
{
    return Key{reinterpret_cast<ULONG_PTR>(w),
               IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : std::hash<std::string>()(name)};
}

// A timer of a destroyed window went with it.
bool Gone(const Key& key, const char* kind)
{
    return std::strcmp(kind, "timer") == 0 && key.first && !IsWindow(reinterpret_cast<HWND>(key.first));
}

// "pen 0x1234", for the lists.
std::string Named(const char* what, ULONG_PTR handle)
{
    char text[80];
    std::snprintf(text, sizeof text, "%s %p", what, reinterpret_cast<void*>(handle));
    return text;
}

template <class H>
void Made(H handle, const char* kind)
{
    const Key key = KeyOf(handle);
    Locked r;
    if (r->active && key != Key{})
        r->live[key] = kind, ++r->created;
}

// A release crosses the handle off.  One the module neither holds nor was
// given is a stray, unless it is a timer or property that was not there
// (killing or removing nothing is harmless).
template <class H>
void Released(H handle, const char* call, bool harmless = false)
{
    const Key key = KeyOf(handle);
    Locked r;
    if (!r->active || key == Key{} || r->live.erase(key) || r->given.erase(key) || !r->settled || harmless)
        return;
    r->strays.push_back(Named(call, key.first));
}

// A hooked import: its name, the replacement, and where the original entry
// point goes when the import table is patched.
struct Patch {
    const char* name;
    void* hook;
    void** original;
};

// The replacement of an import of type Sig: runs `before` with the
// arguments, the original, and `after` with its result and the arguments.
template <class Sig> struct Hook;
template <class R, class... A> struct Hook<R WINAPI(A...)> {
    template <auto before, auto after> static inline R(WINAPI* original)(A...) = nullptr;
    template <auto before, auto after> static R WINAPI Run(A... a)
    {
        before(a...);
        const R r = original<before, after>(a...);
        after(r, a...);
        return r;
    }
    template <auto before, auto after> static Patch For(const char* name)
    {
        return {name, reinterpret_cast<void*>(Run<before, after>), reinterpret_cast<void**>(&original<before, after>)};
    }
};
constexpr auto Nothing = [](auto&&...) {};

#define ZT_HOOK(name, before, after) Hook<decltype(::name)>::For<before, after>(#name)
// A maker's result is a new handle of `kind`; a releaser releases its argument `arg`.
#define ZT_MAKER(name, kind) ZT_HOOK(name, Nothing, [](auto r, auto...) { Made(r, kind); })
#define ZT_RELEASER(name, arg) ZT_HOOK(name, [](auto... a) { Released(std::get<arg>(std::tuple{a...}), #name); }, \
                                       Nothing)

const Patch kPatches[] = {
    ZT_MAKER(CreatePen, "pen"), ZT_MAKER(CreatePenIndirect, "pen"), ZT_MAKER(ExtCreatePen, "pen"),
    ZT_MAKER(CreateSolidBrush, "brush"), ZT_MAKER(CreatePatternBrush, "brush"), ZT_MAKER(CreateBrushIndirect, "brush"),
    ZT_MAKER(CreateHatchBrush, "brush"), ZT_MAKER(CreateFontA, "font"), ZT_MAKER(CreateFontIndirectA, "font"),
    ZT_MAKER(CreateBitmap, "bitmap"), ZT_MAKER(CreateBitmapIndirect, "bitmap"), ZT_MAKER(LoadBitmapA, "bitmap"),
    ZT_MAKER(CreateCompatibleBitmap, "bitmap"), ZT_MAKER(CreateDIBitmap, "bitmap"),
    ZT_MAKER(CreateDIBSection, "bitmap"),
    ZT_MAKER(CreateRectRgn, "region"), ZT_MAKER(CreateRectRgnIndirect, "region"), ZT_MAKER(CreateMenu, "menu"),
    ZT_MAKER(CreateCompatibleDC, "memory dc"), ZT_MAKER(GetDC, "window dc"), ZT_MAKER(GetDCEx, "window dc"),
    ZT_MAKER(GetWindowDC, "window dc"), ZT_MAKER(BeginPaint, "paint dc"), ZT_MAKER(LocalAlloc, "local memory"),
    ZT_MAKER(GlobalAlloc, "global memory"), ZT_MAKER(SetWindowsHookExA, "hook"), ZT_MAKER(CreatePopupMenu, "menu"),
    ZT_RELEASER(DeleteObject, 0), ZT_RELEASER(DeleteDC, 0), ZT_RELEASER(ReleaseDC, 1), ZT_RELEASER(EndPaint, 1),
    ZT_RELEASER(LocalFree, 0), ZT_RELEASER(GlobalFree, 0), ZT_RELEASER(UnhookWindowsHookEx, 0),
    ZT_RELEASER(DestroyMenu, 0), ZT_RELEASER(DestroyIcon, 0),
    // Shared images belong to the system; an icon handle of 1 means "not an
    // icon file"; timers and properties are keyed by their window.
    ZT_HOOK(LoadImageA, Nothing, [](HANDLE r, HINSTANCE, LPCSTR, UINT type, int, int, UINT f) {
        Made(type == IMAGE_BITMAP && !(f & LR_SHARED) ? r : nullptr, "bitmap");
    }),
    ZT_HOOK(ExtractIconA, Nothing, [](HICON r, auto...) { Made(ULONG_PTR(r) > 1 ? r : nullptr, "icon"); }),
    ZT_HOOK(SetPropA, Nothing, [](BOOL r, HWND w, LPCSTR n, HANDLE) { Made(r ? Property(w, n) : Key{}, "property"); }),
    ZT_HOOK(RemovePropA, [](HWND w, LPCSTR n) { Released(Property(w, n), "RemovePropA", !GetPropA(w, n)); }, Nothing),
    ZT_HOOK(SetTimer, Nothing, [](UINT_PTR r, HWND w, UINT_PTR id, UINT, TIMERPROC) {
        Made(r ? Timer(w, w ? id : r) : Key{}, "timer");
    }),
    ZT_HOOK(KillTimer, Nothing, [](BOOL r, HWND w, UINT_PTR id) { Released(Timer(w, id), "KillTimer", !r); }),
};
#undef ZT_HOOK
#undef ZT_MAKER
#undef ZT_RELEASER

// Live handles per kind, timers of destroyed windows left out.
std::map<std::string, int> LiveKinds()
{
    Locked r;
    std::map<std::string, int> kinds;
    for (const auto& [key, kind] : r->live)
        kinds[kind] += !Gone(key, kind);
    return kinds;
}

// The first few parts, and how many there are in all.
std::string Join(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size() && i < 8; ++i)
        text += (i ? ", " : "") + parts[i];
    if (parts.size() > 8)
        text += " ... (" + std::to_string(parts.size()) + " in all)";
    return text.empty() ? "nothing" : text;
}

}  // namespace

GdiCounter::GdiCounter(HMODULE module)
{
    {
        Locked r;
        Reg = Registry{};
    }
    for (const Patch& p : kPatches) {
        const auto& patch = patches_.emplace_back(std::make_unique<ImportPatch>(module, p.name, p.hook));
        if (patch->Patched())
            *p.original = patch->Original(), patched_ += patch->Patched();
    }
    Locked()->active = true;
}

GdiCounter::~GdiCounter() { Locked()->active = false; }

std::size_t GdiCounter::Live(const char* only) const
{
    std::size_t n = 0;
    for (const auto& [kind, count] : LiveKinds())
        n += (!only || kind == only) ? count : 0;
    return n;
}

std::size_t GdiCounter::Created() const { return Locked()->created; }

void GdiCounter::Give(HANDLE handle) { Locked()->given[KeyOf(handle)] = "given"; }

void GdiCounter::Settle()
{
    const auto kinds = LiveKinds();
    Locked r;
    r->baseline = kinds, r->settled = true;
}

std::string GdiCounter::Describe() const
{
    Locked r;
    std::vector<std::string> parts;
    for (const auto& [key, kind] : r->live)
        if (!Gone(key, kind))
            parts.push_back(Named(kind, key.first));
    return Join(parts);
}

std::string GdiCounter::Growth() const
{
    const auto kinds = LiveKinds();
    Locked r;
    std::vector<std::string> parts;
    for (const auto& [kind, count] : kinds)
        if (const int more = count - r->baseline[kind]; more > 0)
            parts.push_back(kind + " +" + std::to_string(more));
    return Join(parts);
}

std::string GdiCounter::Strays() const { return Join(Locked()->strays); }

}  // namespace ztest
