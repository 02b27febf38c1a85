#include "RefCnt.h"

#include <Morvantis/Expression.h>

#include <array>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANTIS_PLAIN_NODE_ALLOCATION 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVANTIS_PLAIN_NODE_ALLOCATION 1
#endif

namespace Morvantis
{

#if defined(MORVANTIS_PLAIN_NODE_ALLOCATION)

// The sanitizer must see every node's own lifetime.
void* RefCnt::operator new(std::size_t size) { return ::operator new(size); }
void RefCnt::operator delete(void* block, std::size_t) noexcept { ::operator delete(block); }

#else

namespace
{

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 8;   // blocks of 16 to 128 bytes
constexpr std::size_t kKeep = 1024;   // per size, so a huge tree's release does not stay cached

struct FreeBlock
{
    FreeBlock* next;
};

// Trivially destructible, so it is usable at any point of the thread's life.
struct Cache
{
    std::array<FreeBlock*, kClasses> head;
    std::array<std::size_t, kClasses> count;
    bool open;
    bool closed;
};
thread_local Cache cache{};

void releaseBlocks() noexcept
{
    for (std::size_t c = 0; c < kClasses; ++c)
    {
        while (FreeBlock* block = cache.head[c])
        {
            cache.head[c] = block->next;
            ::operator delete(block);
        }
        cache.count[c] = 0;
    }
}

void openCache()
{
#if defined(_WIN32)
    // A thread_local destructor would keep the DLL loaded after FreeLibrary; the DLL's entry
    // point releases the blocks when a thread detaches instead.
    cache.open = true;
#else
    // Gives the kept blocks back when the thread ends; later frees on that thread go straight back.
    struct Release
    {
        Release() { cache.open = true; }
        ~Release()
        {
            releaseBlocks();
            cache.closed = true;
        }
    };
    thread_local Release onThreadExit;
    (void)onThreadExit;
#endif
}

std::size_t sizeClass(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }

} // namespace

void* RefCnt::operator new(std::size_t size)
{
    const std::size_t c = sizeClass(size);
    if (c >= kClasses || cache.closed)
        return ::operator new(size);
    if (FreeBlock* block = cache.head[c])
    {
        cache.head[c] = block->next;
        --cache.count[c];
        return block;
    }
    if (!cache.open)
        openCache();
    return ::operator new((c + 1) * kGranule);
}

void RefCnt::operator delete(void* block, std::size_t size) noexcept
{
    const std::size_t c = sizeClass(size);
    if (c >= kClasses || !cache.open || cache.closed || cache.count[c] >= kKeep)
    {
        ::operator delete(block);
        return;
    }
    auto* free = static_cast<FreeBlock*>(block);
    free->next = cache.head[c];
    cache.head[c] = free;
    ++cache.count[c];
}

#endif

namespace ExpressionUtils
{
void releaseThreadNodeCache() noexcept
{
#if !defined(MORVANTIS_PLAIN_NODE_ALLOCATION)
    releaseBlocks();
#endif
}
} // namespace ExpressionUtils

} // namespace Morvantis
