#include "HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<std::size_t> held{0}, peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t); // holds the block's size, keeps its alignment
} // namespace

// The library's array and nothrow forms come here too.
void* operator new(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = held += size;
    for (std::size_t top = peak; now > top && !peak.compare_exchange_weak(top, now);)
        ;
    return block + kHeader;
}
void operator delete(void* p) noexcept
{
    if (p == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    held -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

namespace Morvantis::Testing
{
std::size_t heapBytes()
{
    return held;
}
std::size_t peakHeapBytes()
{
    return peak;
}
void restartPeak()
{
    peak = held.load();
}
} // namespace Morvantis::Testing
