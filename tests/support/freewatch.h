// Finds writes into memory that a module has already freed: every block the
// module frees with LocalFree is kept, filled with a pattern, until the
// watch ends.  A control that goes on using its state block after its window
// was destroyed leaves a mark in the pattern.
#pragma once
#include <windows.h>

#include <string>

#include "imports.h"

namespace ztest {

class FreeWatch {
public:
    explicit FreeWatch(HMODULE module);
    ~FreeWatch();  // frees the kept blocks
    FreeWatch(const FreeWatch&) = delete;
    FreeWatch& operator=(const FreeWatch&) = delete;

    // Blocks the module freed since the watch began.
    int Freed() const;
    // The freed blocks written to afterwards, with the first byte that
    // changed ("block 0x1234 at byte 12"), or "nothing".
    std::string Written() const;
    int Patched() const { return patch_.Patched(); }

private:
    ImportPatch patch_;
};

}  // namespace ztest
