#include "imports.h"

#include <cstring>

namespace ztest {

void WriteSlot(ULONG_PTR* slot, ULONG_PTR value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

void ForEachImport(HMODULE module, const std::function<void(const char*, ULONG_PTR*)>& visit)
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

ImportPatch::ImportPatch(HMODULE module, const char* name, void* hook) : module_(module), hook_(hook)
{
    ForEachImport(module_, [&](const char* import, ULONG_PTR* slot) {
        if (std::strcmp(import, name) == 0) {
            original_ = reinterpret_cast<void*>(*slot);
            WriteSlot(slot, reinterpret_cast<ULONG_PTR>(hook_));
            ++patched_;
        }
    });
}

ImportPatch::~ImportPatch()
{
    ForEachImport(module_, [&](const char*, ULONG_PTR* slot) {
        if (*slot == reinterpret_cast<ULONG_PTR>(hook_))
            WriteSlot(slot, reinterpret_cast<ULONG_PTR>(original_));
    });
}

}  // namespace ztest
