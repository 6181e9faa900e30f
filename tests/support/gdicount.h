// Counts the GDI objects and DCs that one module creates and deletes, by
// patching that module's import table for the duration of a test.
//
// Wine's GetGuiResources always answers 0, so a leak test cannot ask the
// system; instead every creating call of the module (pens, brushes, fonts,
// bitmaps, regions, memory DCs, GetDC, LoadBitmapA ...) is recorded and every
// DeleteObject / DeleteDC / ReleaseDC crosses it off.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace ztest {

class GdiCounter {
public:
    explicit GdiCounter(HMODULE module);
    ~GdiCounter();
    GdiCounter(const GdiCounter&) = delete;
    GdiCounter& operator=(const GdiCounter&) = delete;

    // Objects the module created since the counter started and has not deleted.
    std::size_t Live() const;
    // How many objects were created in all.
    std::size_t Created() const;
    // A readable list of what is still alive ("pen 0x1234, dc 0x5678").
    std::string Describe() const;
    // How many import slots were patched (a test checks it is not zero).
    int Patched() const { return patched_; }

private:
    HMODULE module_;
    int patched_ = 0;
};

}  // namespace ztest
