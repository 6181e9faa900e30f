#include "freewatch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace ztest {
namespace {

constexpr unsigned char kFreed = 0xDD;

struct Kept {
    void* block;
    SIZE_T size;
};

std::vector<Kept>& KeptBlocks()
{
    static std::vector<Kept> kept;
    return kept;
}

decltype(&::LocalFree) Real_LocalFree = ::LocalFree;

// Fixed blocks are kept and filled; movable ones (a handle, not an address)
// are freed at once.
HLOCAL WINAPI Hook_LocalFree(HLOCAL block)
{
    const SIZE_T size = block ? LocalSize(block) : 0;
    if (size == 0 || LocalLock(block) != block)
        return Real_LocalFree(block);
    std::memset(block, kFreed, size);
    KeptBlocks().push_back(Kept{block, size});
    return nullptr;
}

}  // namespace

FreeWatch::FreeWatch(HMODULE module) : patch_(module, "LocalFree", reinterpret_cast<void*>(Hook_LocalFree))
{
    if (patch_.Original())
        Real_LocalFree = reinterpret_cast<decltype(Real_LocalFree)>(patch_.Original());
    KeptBlocks().clear();
}

FreeWatch::~FreeWatch()
{
    for (const Kept& k : KeptBlocks())
        LocalFree(k.block);
    KeptBlocks().clear();
}

int FreeWatch::Freed() const
{
    return static_cast<int>(KeptBlocks().size());
}

std::string FreeWatch::Written() const
{
    std::string text;
    for (const Kept& k : KeptBlocks()) {
        const auto* bytes = static_cast<const unsigned char*>(k.block);
        const auto* changed = std::find_if(bytes, bytes + k.size, [](unsigned char b) { return b != kFreed; });
        if (changed == bytes + k.size)
            continue;
        char line[64];
        std::snprintf(line, sizeof line, "%sblock %p at byte %u", text.empty() ? "" : ", ", k.block,
                      static_cast<unsigned>(changed - bytes));
        text += line;
    }
    return text.empty() ? "nothing" : text;
}

}  // namespace ztest
