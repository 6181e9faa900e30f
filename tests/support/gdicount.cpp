#include "gdicount.h"
#include "imports.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace ztest {
namespace {

struct Registry {
    std::map<HANDLE, const char*> live;
    std::size_t created = 0;
    bool active = false;
};

Registry& Reg()
{
    static Registry registry;
    return registry;
}

template <class H>
H Track(H handle, const char* kind)
{
    Registry& r = Reg();
    if (handle && r.active) {
        r.live[reinterpret_cast<HANDLE>(handle)] = kind;
        ++r.created;
    }
    return handle;
}

void Untrack(HANDLE handle)
{
    Reg().live.erase(handle);
}

// For each hooked function: the original entry point (filled in when the
// import table is patched) and a replacement that records what it made.
#define ZT_CREATOR(Ret, name, kind, params, args)     \
    decltype(&::name) Real_##name = ::name;            \
    Ret WINAPI Hook_##name params { return Track(Real_##name args, kind); }
#define ZT_DELETER(Ret, name, params, args, handle)   \
    decltype(&::name) Real_##name = ::name;            \
    Ret WINAPI Hook_##name params { Untrack(handle); return Real_##name args; }

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
ZT_DELETER(BOOL, DeleteObject, (HGDIOBJ obj), (obj), obj)
ZT_DELETER(BOOL, DeleteDC, (HDC dc), (dc), dc)
ZT_DELETER(int, ReleaseDC, (HWND w, HDC dc), (w, dc), dc)
#undef ZT_CREATOR
#undef ZT_DELETER

// Shared images belong to the system; only private bitmaps are counted.
decltype(&::LoadImageA) Real_LoadImageA = ::LoadImageA;
HANDLE WINAPI Hook_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    HANDLE h = Real_LoadImageA(inst, name, type, cx, cy, flags);
    return (type == IMAGE_BITMAP && !(flags & LR_SHARED)) ? Track(h, "bitmap") : h;
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
    ZT_PATCH(ReleaseDC),
};
#undef ZT_PATCH

}  // namespace

GdiCounter::GdiCounter(HMODULE module) : module_(module)
{
    Registry& r = Reg();
    r.live.clear();
    r.created = 0;
    ForEachImport(module_, [this](const char* name, ULONG_PTR* slot) {
        for (const Patch& p : kPatches) {
            if (std::strcmp(p.name, name) == 0) {
                *p.original = reinterpret_cast<void*>(*slot);
                WriteSlot(slot, reinterpret_cast<ULONG_PTR>(p.hook));
                ++patched_;
            }
        }
    });
    r.active = true;
}

GdiCounter::~GdiCounter()
{
    Reg().active = false;
    ForEachImport(module_, [](const char*, ULONG_PTR* slot) {
        for (const Patch& p : kPatches) {
            if (*slot == reinterpret_cast<ULONG_PTR>(p.hook))
                WriteSlot(slot, reinterpret_cast<ULONG_PTR>(*p.original));
        }
    });
}

std::size_t GdiCounter::Live() const { return Reg().live.size(); }
std::size_t GdiCounter::Created() const { return Reg().created; }

std::string GdiCounter::Describe() const
{
    std::string text;
    for (const auto& [handle, kind] : Reg().live) {
        char line[64];
        std::snprintf(line, sizeof line, "%s%s %p", text.empty() ? "" : ", ", kind, handle);
        text += line;
    }
    return text.empty() ? "nothing" : text;
}

}  // namespace ztest
