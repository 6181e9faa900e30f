// Patching a module's import table, so that a test can see (or stand in
// for) what the module calls: GDI creators, the help viewer ...
#pragma once
#include <windows.h>

#include <functional>

namespace ztest {

// Calls visit(importName, slot) for every import by name of the module.
void ForEachImport(HMODULE module, const std::function<void(const char*, ULONG_PTR*)>& visit);

// Writes one import slot.
void WriteSlot(ULONG_PTR* slot, ULONG_PTR value);

// Points every import of `name` in the module at `hook` while it lives.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* name, void* hook);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    int Patched() const { return patched_; }  // slots replaced (a test checks it is not zero)
    void* Original() const { return original_; }

private:
    HMODULE module_;
    void* hook_;
    void* original_ = nullptr;
    int patched_ = 0;
};

}  // namespace ztest
