#include "gdicount.h"

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

// The original entry points, filled in when the import table is patched.
#define ZT_ORIGINAL(name) decltype(&::name) Real_##name = ::name
ZT_ORIGINAL(CreatePen);
ZT_ORIGINAL(CreatePenIndirect);
ZT_ORIGINAL(ExtCreatePen);
ZT_ORIGINAL(CreateSolidBrush);
ZT_ORIGINAL(CreatePatternBrush);
ZT_ORIGINAL(CreateBrushIndirect);
ZT_ORIGINAL(CreateHatchBrush);
ZT_ORIGINAL(CreateFontA);
ZT_ORIGINAL(CreateFontIndirectA);
ZT_ORIGINAL(CreateBitmap);
ZT_ORIGINAL(CreateBitmapIndirect);
ZT_ORIGINAL(CreateCompatibleBitmap);
ZT_ORIGINAL(CreateDIBitmap);
ZT_ORIGINAL(CreateDIBSection);
ZT_ORIGINAL(CreateRectRgn);
ZT_ORIGINAL(CreateRectRgnIndirect);
ZT_ORIGINAL(CreateCompatibleDC);
ZT_ORIGINAL(DeleteObject);
ZT_ORIGINAL(DeleteDC);
ZT_ORIGINAL(LoadBitmapA);
ZT_ORIGINAL(LoadImageA);
ZT_ORIGINAL(GetDC);
ZT_ORIGINAL(GetDCEx);
ZT_ORIGINAL(GetWindowDC);
ZT_ORIGINAL(ReleaseDC);
#undef ZT_ORIGINAL

HPEN WINAPI Hook_CreatePen(int s, int w, COLORREF c) { return Track(Real_CreatePen(s, w, c), "pen"); }
HPEN WINAPI Hook_CreatePenIndirect(const LOGPEN* p) { return Track(Real_CreatePenIndirect(p), "pen"); }
HPEN WINAPI Hook_ExtCreatePen(DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st)
{
    return Track(Real_ExtCreatePen(s, w, b, n, st), "pen");
}
HBRUSH WINAPI Hook_CreateSolidBrush(COLORREF c) { return Track(Real_CreateSolidBrush(c), "brush"); }
HBRUSH WINAPI Hook_CreatePatternBrush(HBITMAP b) { return Track(Real_CreatePatternBrush(b), "brush"); }
HBRUSH WINAPI Hook_CreateBrushIndirect(const LOGBRUSH* b) { return Track(Real_CreateBrushIndirect(b), "brush"); }
HBRUSH WINAPI Hook_CreateHatchBrush(int h, COLORREF c) { return Track(Real_CreateHatchBrush(h, c), "brush"); }
HFONT WINAPI Hook_CreateFontA(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op,
                              DWORD cp, DWORD q, DWORD pf, LPCSTR face)
{
    return Track(Real_CreateFontA(h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face), "font");
}
HFONT WINAPI Hook_CreateFontIndirectA(const LOGFONTA* lf) { return Track(Real_CreateFontIndirectA(lf), "font"); }
HBITMAP WINAPI Hook_CreateBitmap(int w, int h, UINT p, UINT b, const void* bits)
{
    return Track(Real_CreateBitmap(w, h, p, b, bits), "bitmap");
}
HBITMAP WINAPI Hook_CreateBitmapIndirect(const BITMAP* bm) { return Track(Real_CreateBitmapIndirect(bm), "bitmap"); }
HBITMAP WINAPI Hook_CreateCompatibleBitmap(HDC dc, int w, int h)
{
    return Track(Real_CreateCompatibleBitmap(dc, w, h), "bitmap");
}
HBITMAP WINAPI Hook_CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* h, DWORD init, const void* bits,
                                   const BITMAPINFO* bi, UINT use)
{
    return Track(Real_CreateDIBitmap(dc, h, init, bits, bi, use), "bitmap");
}
HBITMAP WINAPI Hook_CreateDIBSection(HDC dc, const BITMAPINFO* bi, UINT use, void** bits, HANDLE sec, DWORD off)
{
    return Track(Real_CreateDIBSection(dc, bi, use, bits, sec, off), "bitmap");
}
HRGN WINAPI Hook_CreateRectRgn(int l, int t, int r, int b) { return Track(Real_CreateRectRgn(l, t, r, b), "region"); }
HRGN WINAPI Hook_CreateRectRgnIndirect(const RECT* rc) { return Track(Real_CreateRectRgnIndirect(rc), "region"); }
HDC WINAPI Hook_CreateCompatibleDC(HDC dc) { return Track(Real_CreateCompatibleDC(dc), "memory dc"); }
BOOL WINAPI Hook_DeleteObject(HGDIOBJ obj)
{
    Untrack(obj);
    return Real_DeleteObject(obj);
}
BOOL WINAPI Hook_DeleteDC(HDC dc)
{
    Untrack(dc);
    return Real_DeleteDC(dc);
}
HBITMAP WINAPI Hook_LoadBitmapA(HINSTANCE inst, LPCSTR name) { return Track(Real_LoadBitmapA(inst, name), "bitmap"); }
HANDLE WINAPI Hook_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    HANDLE h = Real_LoadImageA(inst, name, type, cx, cy, flags);
    return (type == IMAGE_BITMAP && !(flags & LR_SHARED)) ? Track(h, "bitmap") : h;
}
HDC WINAPI Hook_GetDC(HWND w) { return Track(Real_GetDC(w), "window dc"); }
HDC WINAPI Hook_GetDCEx(HWND w, HRGN r, DWORD f) { return Track(Real_GetDCEx(w, r, f), "window dc"); }
HDC WINAPI Hook_GetWindowDC(HWND w) { return Track(Real_GetWindowDC(w), "window dc"); }
int WINAPI Hook_ReleaseDC(HWND w, HDC dc)
{
    Untrack(dc);
    return Real_ReleaseDC(w, dc);
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

void WriteSlot(ULONG_PTR* slot, ULONG_PTR value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

// Calls visit(importName, slot) for every by-name import of the module.
template <class Visit>
void ForEachImport(HMODULE module, Visit visit)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        const DWORD lookup = imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + lookup);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            visit(reinterpret_cast<const char*>(byName->Name), &slots->u1.Function);
        }
    }
}

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
