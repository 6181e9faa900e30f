// Counts the handles one module makes and releases, by patching that
// module's import table for the duration of a test.
//
// Wine's GetGuiResources always answers 0, so a leak test cannot ask the
// system; instead every making call of the module is recorded and every
// release crosses it off.  Kinds: pens, brushes, fonts, bitmaps, regions,
// memory DCs, DCs of GetDC and BeginPaint, local and global memory, window
// properties, timers, hooks, menus and icons.  Each kind is a set of live
// handles, so a release of a handle the module does not hold (a double free,
// or another's object) is seen as well.  Timers of destroyed windows are
// gone with them and are not counted.
//
// With a FreeWatch on the same module, make the FreeWatch first: the
// counter then sees every LocalFree before the watch keeps the block.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "imports.h"

namespace ztest {

class GdiCounter {
public:
    explicit GdiCounter(HMODULE module);
    ~GdiCounter();
    GdiCounter(const GdiCounter&) = delete;
    GdiCounter& operator=(const GdiCounter&) = delete;

    // Handles the module made since the counter started and still holds
    // (of one kind: "font", "timer" ...).
    std::size_t Live(const char* kind = nullptr) const;
    // How many handles were made in all.
    std::size_t Created() const;
    // A readable list of what is still alive ("pen 0x1234, window dc 0x5678").
    std::string Describe() const;
    // How many import slots were patched (a test checks it is not zero).
    int Patched() const { return patched_; }

    // A handle the test hands over to the module, which may release it.
    void Give(HANDLE handle);
    // The one-time objects exist: from now on Growth compares with what is
    // live now, and a release of a handle the module neither holds nor was
    // given is a stray.
    void Settle();
    // Kinds with more live handles than at Settle ("pen +1, timer +2"), or "nothing".
    std::string Growth() const;
    // Releases of handles the module did not hold ("DeleteObject 0x1234"), or "nothing".
    std::string Strays() const;

private:
    std::vector<std::unique_ptr<ImportPatch>> patches_;
    int patched_ = 0;
};

}  // namespace ztest
