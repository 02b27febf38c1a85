// Intrusive reference counting for the nodes of expression trees.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <new>
#include <utility>
#include <vector>

// Under AddressSanitizer the arena poisons what it does not hand out and counts its live nodes, so
// a node or list used after its memory went back is reported as it would be on the heap.
#if defined(__SANITIZE_ADDRESS__)
#define MORVANTIS_ARENA_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANTIS_ARENA_CHECKS 1
#endif
#endif
#if defined(MORVANTIS_ARENA_CHECKS)
#include <cstdio>
#include <cstdlib>
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#endif

namespace Morvantis
{

class NodeArena;

// Counts are plain integers: a tree belongs to the one thread that evaluates it.
class RefCnt
{
  public:
    RefCnt() = default;
    RefCnt(const RefCnt&) = delete;
    RefCnt& operator=(const RefCnt&) = delete;
    virtual ~RefCnt() = default;

    void addRef() noexcept { ++count_; }
    void release() noexcept;
    int32_t refCount() const noexcept { return count_; }

  private:
    friend class NodeArena;
    int32_t count_ = 0;
#if defined(MORVANTIS_ARENA_CHECKS)
    NodeArena* arena_ = nullptr; // the arena that holds the node, and counts and poisons it; null on the heap
    std::size_t arenaBytes_ = 0; // the size of the whole node
#else
    bool inArena_ = false; // a node in a statement's arena; its memory stays there until the arena is reset
#endif
};

// The counting pointer; may be null.
template <class T> class Ref
{
  public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    explicit Ref(T* object) noexcept : object_(object) { acquire(); }
    Ref(const Ref& other) noexcept : object_(other.object_) { acquire(); }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U> Ref(const Ref<U>& other) noexcept : object_(other.get()) { acquire(); }
    template <class U> Ref(Ref<U>&& other) noexcept : object_(other.detach()) {}
    ~Ref() { reset(); }

    // The new object gains its count before the old one loses its own.
    Ref& operator=(Ref other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset() noexcept
    {
        if (T* old = std::exchange(object_, nullptr))
            old->release();
    }

    // Hands the reference over to the caller without changing the count.
    T* detach() noexcept { return std::exchange(object_, nullptr); }

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    T& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

  private:
    void acquire() noexcept
    {
        if (object_ != nullptr)
            object_->addRef();
    }

    T* object_ = nullptr;
};

template <class T, class... Args> Ref<T> makeRef(Args&&... args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

// The memory of one statement's nodes and their lists: taken in order from a buffer on the
// caller's stack (then from heap chunks), and given back all at once by reset(), after the last
// node is gone. Parsing makes a node per step; a bump of a pointer is all each one costs.
class NodeArena final : public std::pmr::memory_resource
{
  public:
    NodeArena() noexcept { poison(initial_, sizeof initial_); }
    ~NodeArena() override
    {
        reset();
        unpoison(initial_, sizeof initial_); // the stack frame goes back to other functions
    }
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;

    template <class T, class... Args> Ref<T> make(Args&&... args)
    {
        T* node = new (take(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
#if defined(MORVANTIS_ARENA_CHECKS)
        node->arena_ = this;
        node->arenaBytes_ = sizeof(T);
        ++liveNodes_;
#else
        node->inArena_ = true;
#endif
        return Ref<T>(node);
    }
    // For the nodes' own lists, which then live and go with the statement too.
    std::pmr::memory_resource* resource() noexcept
    {
        return this;
    }
#if defined(MORVANTIS_ARENA_CHECKS)
    // A released node's memory stays poisoned until the arena is reset.
    void destroy(RefCnt* node) noexcept
    {
        void* memory = dynamic_cast<void*>(node);
        const std::size_t bytes = node->arenaBytes_;
        node->~RefCnt();
        poison(memory, bytes);
        --liveNodes_;
    }
#endif
    void reset() noexcept
    {
#if defined(MORVANTIS_ARENA_CHECKS)
        if (liveNodes_ != 0)
        {
            std::fprintf(stderr, "NodeArena: %zu node(s) still referenced when the statement's memory goes back\n",
                         liveNodes_);
            __sanitizer_print_stack_trace();
            std::abort();
        }
        poison(initial_, sizeof initial_);
#endif
        chunks_.clear();
        next_ = initial_;
        end_ = initial_ + sizeof initial_;
    }

  private:
    void* take(std::size_t size, std::size_t alignment)
    {
        std::byte* start = alignUp(next_, alignment);
        if (size + kRedZone > static_cast<std::size_t>(end_ - start))
        {
            // Each chunk twice the last, so a long statement takes few of them.
            const std::size_t chunk = std::max(size + kRedZone + alignment, sizeof initial_ << (chunks_.size() + 1));
            chunks_.emplace_back(new std::byte[chunk]); // left uninitialised: nodes are built in it
            poison(chunks_.back().get(), chunk);
            start = alignUp(chunks_.back().get(), alignment);
            end_ = chunks_.back().get() + chunk;
        }
        next_ = start + size + kRedZone;
        unpoison(start, size);
        return start;
    }
    static std::byte* alignUp(std::byte* p, std::size_t alignment) // a power of two
    {
        const auto address = reinterpret_cast<std::uintptr_t>(p);
        return p + ((address + alignment - 1) & ~(alignment - 1)) - address;
    }
    void* do_allocate(std::size_t size, std::size_t alignment) override
    {
        return take(size, alignment);
    }
    // A list that grows during parsing leaves its old storage here.
    void do_deallocate(void* p, std::size_t size, std::size_t) override
    {
        poison(p, size);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override
    {
        return this == &other;
    }

#if defined(MORVANTIS_ARENA_CHECKS)
    static constexpr std::size_t kRedZone = 16; // left poisoned after each block
    static void poison(const void* p, std::size_t size) noexcept
    {
        ASAN_POISON_MEMORY_REGION(p, size);
    }
    static void unpoison(const void* p, std::size_t size) noexcept
    {
        ASAN_UNPOISON_MEMORY_REGION(p, size);
    }
    std::size_t liveNodes_ = 0;
#else
    static constexpr std::size_t kRedZone = 0;
    static void poison(const void*, std::size_t) noexcept {}
    static void unpoison(const void*, std::size_t) noexcept {}
#endif

    alignas(std::max_align_t) std::byte initial_[2048];
    std::byte* next_ = initial_;
    std::byte* end_ = initial_ + sizeof initial_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
};

inline void RefCnt::release() noexcept
{
    if (--count_ != 0)
        return;
#if defined(MORVANTIS_ARENA_CHECKS)
    if (arena_ != nullptr)
        return arena_->destroy(this);
#else
    if (inArena_)
        return this->~RefCnt();
#endif
    delete this;
}

} // namespace Morvantis
