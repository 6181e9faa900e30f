#include "gdicount.h"
#include "imports.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ztest {
namespace {

// A handle, or a (window, id) pair for timers and (window, name) for properties.
using Key = std::pair<ULONG_PTR, ULONG_PTR>;

struct Registry {
    CRITICAL_SECTION lock;
    std::map<Key, const char*> live, given;
    std::map<std::string, int> baseline;
    std::vector<std::string> strays;
    std::size_t created = 0;
    bool active = false, settled = false;
    Registry() { InitializeCriticalSection(&lock); }
};

Registry& Reg()
{
    static Registry registry;
    return registry;
}

// The registry, locked for the scope: the hooks run on every thread.
struct Locked {
    Locked() { EnterCriticalSection(&Reg().lock); }
    ~Locked() { LeaveCriticalSection(&Reg().lock); }
    Registry* operator->() const { return &Reg(); }
};

Key Handle(const void* h) { return Key{reinterpret_cast<ULONG_PTR>(h), 0}; }
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

void Made(const Key& key, const char* kind)
{
    Locked r;
    if (r->active) {
        r->live[key] = kind;
        ++r->created;
    }
}

template <class H>
void Made(H handle, const char* kind)
{
    if (handle)
        Made(Handle(reinterpret_cast<const void*>(handle)), kind);
}

// A release crosses the handle off.  One the module neither holds nor was
// given is a stray, unless it is a timer or property that was not there
// (killing or removing nothing is harmless).
void Released(const Key& key, const char* call, bool harmless = false)
{
    Locked r;
    if (!r->active || key == Key{} || r->live.erase(key) || r->given.erase(key) || !r->settled || harmless)
        return;
    char text[80];
    std::snprintf(text, sizeof text, "%s %p", call, reinterpret_cast<void*>(key.first));
    r->strays.push_back(text);
}

// Every hooked function: its original entry point (filled in when the
// import table is patched) and a replacement that runs `before`, the
// original, and `after` with its result r.
struct Patch {
    const char* name;
    void* hook;
    void** original;
};

std::vector<Patch>& Patches()
{
    static std::vector<Patch> patches;
    return patches;
}

struct Listed {
    Listed(const char* name, void* hook, void** original) { Patches().push_back(Patch{name, hook, original}); }
};

#define ZT_HOOK(Ret, name, params, args, before, after)                                                \
    decltype(&::name) Real_##name = ::name;                                                            \
    Ret WINAPI Hook_##name params { before; const Ret r = Real_##name args; after; return r; }          \
    const Listed listed_##name(#name, reinterpret_cast<void*>(Hook_##name), reinterpret_cast<void**>(&Real_##name));
#define ZT_MAKER(Ret, name, kind, params, args) ZT_HOOK(Ret, name, params, args, , Made(r, kind))
#define ZT_RELEASER(Ret, name, params, args, handle) ZT_HOOK(Ret, name, params, args, Released(Handle(handle), #name), )

ZT_MAKER(HPEN, CreatePen, "pen", (int s, int w, COLORREF c), (s, w, c))
ZT_MAKER(HPEN, CreatePenIndirect, "pen", (const LOGPEN* p), (p))
ZT_MAKER(HPEN, ExtCreatePen, "pen", (DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st), (s, w, b, n, st))
ZT_MAKER(HBRUSH, CreateSolidBrush, "brush", (COLORREF c), (c))
ZT_MAKER(HBRUSH, CreatePatternBrush, "brush", (HBITMAP b), (b))
ZT_MAKER(HBRUSH, CreateBrushIndirect, "brush", (const LOGBRUSH* b), (b))
ZT_MAKER(HBRUSH, CreateHatchBrush, "brush", (int h, COLORREF c), (h, c))
ZT_MAKER(HFONT, CreateFontA, "font",
         (int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op, DWORD cp, DWORD q,
          DWORD pf, LPCSTR face),
         (h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face))
ZT_MAKER(HFONT, CreateFontIndirectA, "font", (const LOGFONTA* lf), (lf))
ZT_MAKER(HBITMAP, CreateBitmap, "bitmap", (int w, int h, UINT p, UINT b, const void* bits), (w, h, p, b, bits))
ZT_MAKER(HBITMAP, CreateBitmapIndirect, "bitmap", (const BITMAP* bm), (bm))
ZT_MAKER(HBITMAP, CreateCompatibleBitmap, "bitmap", (HDC dc, int w, int h), (dc, w, h))
ZT_MAKER(HBITMAP, CreateDIBitmap, "bitmap",
         (HDC dc, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO* bi, UINT use),
         (dc, h, init, bits, bi, use))
ZT_MAKER(HBITMAP, CreateDIBSection, "bitmap",
         (HDC dc, const BITMAPINFO* bi, UINT use, void** bits, HANDLE sec, DWORD off), (dc, bi, use, bits, sec, off))
ZT_MAKER(HBITMAP, LoadBitmapA, "bitmap", (HINSTANCE inst, LPCSTR name), (inst, name))
ZT_MAKER(HRGN, CreateRectRgn, "region", (int l, int t, int rt, int b), (l, t, rt, b))
ZT_MAKER(HRGN, CreateRectRgnIndirect, "region", (const RECT* rc), (rc))
ZT_MAKER(HDC, CreateCompatibleDC, "memory dc", (HDC dc), (dc))
ZT_MAKER(HDC, GetDC, "window dc", (HWND w), (w))
ZT_MAKER(HDC, GetDCEx, "window dc", (HWND w, HRGN g, DWORD f), (w, g, f))
ZT_MAKER(HDC, GetWindowDC, "window dc", (HWND w), (w))
ZT_MAKER(HDC, BeginPaint, "paint dc", (HWND w, PAINTSTRUCT* ps), (w, ps))
ZT_MAKER(HLOCAL, LocalAlloc, "local memory", (UINT f, SIZE_T n), (f, n))
ZT_MAKER(HGLOBAL, GlobalAlloc, "global memory", (UINT f, SIZE_T n), (f, n))
ZT_MAKER(HHOOK, SetWindowsHookExA, "hook", (int id, HOOKPROC p, HINSTANCE m, DWORD t), (id, p, m, t))
ZT_MAKER(HMENU, CreateMenu, "menu", (), ())
ZT_MAKER(HMENU, CreatePopupMenu, "menu", (), ())
ZT_RELEASER(BOOL, DeleteObject, (HGDIOBJ obj), (obj), obj)
ZT_RELEASER(BOOL, DeleteDC, (HDC dc), (dc), dc)
ZT_RELEASER(int, ReleaseDC, (HWND w, HDC dc), (w, dc), dc)
ZT_RELEASER(BOOL, EndPaint, (HWND w, const PAINTSTRUCT* ps), (w, ps), ps->hdc)
ZT_RELEASER(HLOCAL, LocalFree, (HLOCAL m), (m), m)
ZT_RELEASER(HGLOBAL, GlobalFree, (HGLOBAL m), (m), m)
ZT_RELEASER(BOOL, UnhookWindowsHookEx, (HHOOK h), (h), h)
ZT_RELEASER(BOOL, DestroyMenu, (HMENU m), (m), m)
ZT_RELEASER(BOOL, DestroyIcon, (HICON i), (i), i)
// Shared images belong to the system; an icon handle of 1 means "not an
// icon file"; timers and properties are keyed by their window.
ZT_HOOK(HANDLE, LoadImageA, (HINSTANCE i, LPCSTR n, UINT type, int cx, int cy, UINT f), (i, n, type, cx, cy, f), ,
        if (type == IMAGE_BITMAP && !(f & LR_SHARED)) Made(r, "bitmap"))
ZT_HOOK(HICON, ExtractIconA, (HINSTANCE i, LPCSTR file, UINT n), (i, file, n), ,
        if (reinterpret_cast<ULONG_PTR>(r) > 1) Made(r, "icon"))
ZT_HOOK(BOOL, SetPropA, (HWND w, LPCSTR n, HANDLE d), (w, n, d), , if (r) Made(Property(w, n), "property"))
ZT_HOOK(HANDLE, RemovePropA, (HWND w, LPCSTR n), (w, n), Released(Property(w, n), "RemovePropA", !GetPropA(w, n)), )
ZT_HOOK(UINT_PTR, SetTimer, (HWND w, UINT_PTR id, UINT ms, TIMERPROC p), (w, id, ms, p), ,
        if (r) Made(Timer(w, w ? id : r), "timer"))
ZT_HOOK(BOOL, KillTimer, (HWND w, UINT_PTR id), (w, id), , Released(Timer(w, id), "KillTimer", !r))
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

GdiCounter::GdiCounter(HMODULE module) : module_(module)
{
    {
        Locked r;
        r->live.clear();
        r->given.clear();
        r->strays.clear();
        r->baseline.clear();
        r->created = 0;
        r->settled = false;
    }
    ForEachImport(module_, [this](const char* name, ULONG_PTR* slot) {
        for (const Patch& p : Patches()) {
            if (std::strcmp(p.name, name) == 0) {
                *p.original = reinterpret_cast<void*>(*slot);
                WriteSlot(slot, reinterpret_cast<ULONG_PTR>(p.hook));
                ++patched_;
            }
        }
    });
    Locked()->active = true;
}

GdiCounter::~GdiCounter()
{
    Locked()->active = false;
    ForEachImport(module_, [](const char*, ULONG_PTR* slot) {
        for (const Patch& p : Patches()) {
            if (*slot == reinterpret_cast<ULONG_PTR>(p.hook))
                WriteSlot(slot, reinterpret_cast<ULONG_PTR>(*p.original));
        }
    });
}

std::size_t GdiCounter::Live(const char* only) const
{
    std::size_t n = 0;
    for (const auto& [kind, count] : LiveKinds())
        n += (!only || kind == only) ? count : 0;
    return n;
}

std::size_t GdiCounter::Created() const { return Locked()->created; }

void GdiCounter::Give(HANDLE handle) { Locked()->given[Handle(handle)] = "given"; }

void GdiCounter::Settle()
{
    auto kinds = LiveKinds();
    Locked r;
    r->baseline = std::move(kinds);
    r->settled = true;
}

std::string GdiCounter::Describe() const
{
    Locked r;
    std::vector<std::string> parts;
    for (const auto& [key, kind] : r->live) {
        char line[64];
        std::snprintf(line, sizeof line, "%s %p", kind, reinterpret_cast<void*>(key.first));
        if (!Gone(key, kind))
            parts.push_back(line);
    }
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

std::string GdiCounter::Strays() const
{
    return Join(Locked()->strays);
}

}  // namespace ztest
