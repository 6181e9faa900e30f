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

Key Handle(const void* h)
{
    return Key{reinterpret_cast<ULONG_PTR>(h), 0};
}

Key Property(HWND w, LPCSTR name)
{
    const ULONG_PTR id = IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : std::hash<std::string>()(name);
    return Key{reinterpret_cast<ULONG_PTR>(w), id};
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
H Made(H handle, const char* kind)
{
    if (handle)
        Made(Handle(reinterpret_cast<const void*>(handle)), kind);
    return handle;
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

// For each hooked function: the original entry point (filled in when the
// import table is patched) and a replacement that records what it made.
#define ZT_CREATOR(Ret, name, kind, params, args)     \
    decltype(&::name) Real_##name = ::name;            \
    Ret WINAPI Hook_##name params { return Made(Real_##name args, kind); }
#define ZT_DELETER(Ret, name, params, args, handle)   \
    decltype(&::name) Real_##name = ::name;            \
    Ret WINAPI Hook_##name params { Released(Handle(handle), #name); return Real_##name args; }

ZT_CREATOR(HPEN, CreatePen, "pen", (int s, int w, COLORREF c), (s, w, c))
ZT_CREATOR(HPEN, CreatePenIndirect, "pen", (const LOGPEN* p), (p))
ZT_CREATOR(HPEN, ExtCreatePen, "pen", (DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st), (s, w, b, n, st))
ZT_CREATOR(HBRUSH, CreateSolidBrush, "brush", (COLORREF c), (c))
ZT_CREATOR(HBRUSH, CreatePatternBrush, "brush", (HBITMAP b), (b))
ZT_CREATOR(HBRUSH, CreateBrushIndirect, "brush", (const LOGBRUSH* b), (b))
ZT_CREATOR(HBRUSH, CreateHatchBrush, "brush", (int h, COLORREF c), (h, c))
ZT_CREATOR(HFONT, CreateFontA, "font",
           (int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op, DWORD cp, DWORD q,
            DWORD pf, LPCSTR face),
           (h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face))
ZT_CREATOR(HFONT, CreateFontIndirectA, "font", (const LOGFONTA* lf), (lf))
ZT_CREATOR(HBITMAP, CreateBitmap, "bitmap", (int w, int h, UINT p, UINT b, const void* bits), (w, h, p, b, bits))
ZT_CREATOR(HBITMAP, CreateBitmapIndirect, "bitmap", (const BITMAP* bm), (bm))
ZT_CREATOR(HBITMAP, CreateCompatibleBitmap, "bitmap", (HDC dc, int w, int h), (dc, w, h))
ZT_CREATOR(HBITMAP, CreateDIBitmap, "bitmap",
           (HDC dc, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO* bi, UINT use),
           (dc, h, init, bits, bi, use))
ZT_CREATOR(HBITMAP, CreateDIBSection, "bitmap",
           (HDC dc, const BITMAPINFO* bi, UINT use, void** bits, HANDLE sec, DWORD off), (dc, bi, use, bits, sec, off))
ZT_CREATOR(HRGN, CreateRectRgn, "region", (int l, int t, int r, int b), (l, t, r, b))
ZT_CREATOR(HRGN, CreateRectRgnIndirect, "region", (const RECT* rc), (rc))
ZT_CREATOR(HDC, CreateCompatibleDC, "memory dc", (HDC dc), (dc))
ZT_CREATOR(HBITMAP, LoadBitmapA, "bitmap", (HINSTANCE inst, LPCSTR name), (inst, name))
ZT_CREATOR(HDC, GetDC, "window dc", (HWND w), (w))
ZT_CREATOR(HDC, GetDCEx, "window dc", (HWND w, HRGN r, DWORD f), (w, r, f))
ZT_CREATOR(HDC, GetWindowDC, "window dc", (HWND w), (w))
ZT_CREATOR(HDC, BeginPaint, "paint dc", (HWND w, PAINTSTRUCT* ps), (w, ps))
ZT_CREATOR(HLOCAL, LocalAlloc, "local memory", (UINT f, SIZE_T n), (f, n))
ZT_CREATOR(HGLOBAL, GlobalAlloc, "global memory", (UINT f, SIZE_T n), (f, n))
ZT_CREATOR(HHOOK, SetWindowsHookExA, "hook", (int id, HOOKPROC p, HINSTANCE m, DWORD t), (id, p, m, t))
ZT_CREATOR(HMENU, CreateMenu, "menu", (), ())
ZT_CREATOR(HMENU, CreatePopupMenu, "menu", (), ())
ZT_DELETER(BOOL, DeleteObject, (HGDIOBJ obj), (obj), obj)
ZT_DELETER(BOOL, DeleteDC, (HDC dc), (dc), dc)
ZT_DELETER(int, ReleaseDC, (HWND w, HDC dc), (w, dc), dc)
ZT_DELETER(BOOL, EndPaint, (HWND w, const PAINTSTRUCT* ps), (w, ps), ps->hdc)
ZT_DELETER(HLOCAL, LocalFree, (HLOCAL m), (m), m)
ZT_DELETER(HGLOBAL, GlobalFree, (HGLOBAL m), (m), m)
ZT_DELETER(BOOL, UnhookWindowsHookEx, (HHOOK h), (h), h)
ZT_DELETER(BOOL, DestroyMenu, (HMENU m), (m), m)
ZT_DELETER(BOOL, DestroyIcon, (HICON i), (i), i)
#undef ZT_CREATOR
#undef ZT_DELETER

// Shared images belong to the system; only private bitmaps are counted.
decltype(&::LoadImageA) Real_LoadImageA = ::LoadImageA;
HANDLE WINAPI Hook_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    HANDLE h = Real_LoadImageA(inst, name, type, cx, cy, flags);
    return (type == IMAGE_BITMAP && !(flags & LR_SHARED)) ? Made(h, "bitmap") : h;
}

// 1 means "not an icon file", not an icon.
decltype(&::ExtractIconA) Real_ExtractIconA = ::ExtractIconA;
HICON WINAPI Hook_ExtractIconA(HINSTANCE inst, LPCSTR file, UINT index)
{
    HICON icon = Real_ExtractIconA(inst, file, index);
    return reinterpret_cast<ULONG_PTR>(icon) > 1 ? Made(icon, "icon") : icon;
}

decltype(&::SetPropA) Real_SetPropA = ::SetPropA;
BOOL WINAPI Hook_SetPropA(HWND w, LPCSTR name, HANDLE data)
{
    const BOOL set = Real_SetPropA(w, name, data);
    if (set)
        Made(Property(w, name), "property");
    return set;
}

decltype(&::RemovePropA) Real_RemovePropA = ::RemovePropA;
HANDLE WINAPI Hook_RemovePropA(HWND w, LPCSTR name)
{
    const bool there = GetPropA(w, name) != nullptr;
    Released(Property(w, name), "RemovePropA", !there);
    return Real_RemovePropA(w, name);
}

decltype(&::SetTimer) Real_SetTimer = ::SetTimer;
UINT_PTR WINAPI Hook_SetTimer(HWND w, UINT_PTR id, UINT ms, TIMERPROC proc)
{
    const UINT_PTR timer = Real_SetTimer(w, id, ms, proc);
    if (timer)
        Made(Key{reinterpret_cast<ULONG_PTR>(w), w ? id : timer}, "timer");
    return timer;
}

decltype(&::KillTimer) Real_KillTimer = ::KillTimer;
BOOL WINAPI Hook_KillTimer(HWND w, UINT_PTR id)
{
    const BOOL killed = Real_KillTimer(w, id);
    Released(Key{reinterpret_cast<ULONG_PTR>(w), id}, "KillTimer", !killed);
    return killed;
}

struct Patch {
    const char* name;
    void* hook;
    void** original;
};

#define ZT_PATCH(name) {#name, reinterpret_cast<void*>(Hook_##name), reinterpret_cast<void**>(&Real_##name)}
const Patch kPatches[] = {
    ZT_PATCH(CreatePen),          ZT_PATCH(CreatePenIndirect),     ZT_PATCH(ExtCreatePen),
    ZT_PATCH(CreateSolidBrush),   ZT_PATCH(CreatePatternBrush),    ZT_PATCH(CreateBrushIndirect),
    ZT_PATCH(CreateHatchBrush),   ZT_PATCH(CreateFontA),           ZT_PATCH(CreateFontIndirectA),
    ZT_PATCH(CreateBitmap),       ZT_PATCH(CreateBitmapIndirect),  ZT_PATCH(CreateCompatibleBitmap),
    ZT_PATCH(CreateDIBitmap),     ZT_PATCH(CreateDIBSection),      ZT_PATCH(CreateRectRgn),
    ZT_PATCH(CreateRectRgnIndirect), ZT_PATCH(CreateCompatibleDC), ZT_PATCH(DeleteObject),
    ZT_PATCH(DeleteDC),           ZT_PATCH(LoadBitmapA),           ZT_PATCH(LoadImageA),
    ZT_PATCH(GetDC),              ZT_PATCH(GetDCEx),               ZT_PATCH(GetWindowDC),
    ZT_PATCH(ReleaseDC),          ZT_PATCH(BeginPaint),            ZT_PATCH(EndPaint),
    ZT_PATCH(LocalAlloc),         ZT_PATCH(LocalFree),             ZT_PATCH(GlobalAlloc),
    ZT_PATCH(GlobalFree),         ZT_PATCH(SetPropA),              ZT_PATCH(RemovePropA),
    ZT_PATCH(SetTimer),           ZT_PATCH(KillTimer),             ZT_PATCH(SetWindowsHookExA),
    ZT_PATCH(UnhookWindowsHookEx), ZT_PATCH(CreateMenu),           ZT_PATCH(CreatePopupMenu),
    ZT_PATCH(DestroyMenu),        ZT_PATCH(ExtractIconA),          ZT_PATCH(DestroyIcon),
};
#undef ZT_PATCH

// Live handles per kind, timers of destroyed windows left out.
std::map<std::string, int> LiveKinds()
{
    Locked r;
    std::map<std::string, int> kinds;
    for (const auto& [key, kind] : r->live)
        kinds[kind] += !Gone(key, kind);
    return kinds;
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
        for (const Patch& p : kPatches) {
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
        for (const Patch& p : kPatches) {
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

void GdiCounter::Give(HANDLE handle)
{
    Locked()->given[Handle(handle)] = "given";
}

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
    std::string text;
    for (const auto& [key, kind] : r->live) {
        if (Gone(key, kind))
            continue;
        char line[64];
        std::snprintf(line, sizeof line, "%s%s %p", text.empty() ? "" : ", ", kind, reinterpret_cast<void*>(key.first));
        text += line;
    }
    return text.empty() ? "nothing" : text;
}

std::string GdiCounter::Growth() const
{
    const auto kinds = LiveKinds();
    Locked r;
    std::string text;
    for (const auto& [kind, count] : kinds)
        if (const int more = count - r->baseline[kind]; more > 0)
            text += (text.empty() ? "" : ", ") + kind + " +" + std::to_string(more);
    return text.empty() ? "nothing" : text;
}

std::string GdiCounter::Strays() const
{
    Locked r;
    std::string text;
    for (const std::string& s : r->strays)
        text += (text.empty() ? "" : ", ") + s;
    return text.empty() ? "nothing" : text;
}

}  // namespace ztest
