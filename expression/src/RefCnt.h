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

// AddressSanitizer must see every node's own lifetime, so its builds give each node a heap block.
#if defined(__SANITIZE_ADDRESS__)
#define MORVANTIS_NODES_ON_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANTIS_NODES_ON_HEAP 1
#endif
#endif

namespace Morvantis
{

// Counts are plain integers: a tree belongs to the one thread that evaluates it.
class RefCnt
{
  public:
    RefCnt() = default;
    RefCnt(const RefCnt&) = delete;
    RefCnt& operator=(const RefCnt&) = delete;
    virtual ~RefCnt() = default;

    void addRef() noexcept { ++count_; }
    void release() noexcept
    {
        if (--count_ != 0)
            return;
        if (inArena_)
            this->~RefCnt(); // the arena keeps the memory until it is reset
        else
            delete this;
    }
    int32_t refCount() const noexcept { return count_; }

  private:
    friend class NodeArena;
    int32_t count_ = 0;
    bool inArena_ = false;
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
    NodeArena() = default;
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;

    template <class T, class... Args> Ref<T> make(Args&&... args)
    {
#if defined(MORVANTIS_NODES_ON_HEAP)
        return makeRef<T>(std::forward<Args>(args)...);
#else
        T* node = new (take(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
        node->inArena_ = true;
        return Ref<T>(node);
#endif
    }
    // For the nodes' own lists, which then live and go with the statement too.
    std::pmr::memory_resource* resource() noexcept
    {
        return this;
    }
    void reset() noexcept
    {
        chunks_.clear();
        next_ = initial_;
        end_ = initial_ + sizeof initial_;
    }

  private:
    void* take(std::size_t size, std::size_t alignment)
    {
        std::byte* start = alignUp(next_, alignment);
        if (size > static_cast<std::size_t>(end_ - start))
        {
            // Each chunk twice the last, so a long statement takes few of them.
            const std::size_t chunk = std::max(size + alignment, sizeof initial_ << (chunks_.size() + 1));
            chunks_.emplace_back(new std::byte[chunk]); // left uninitialised: nodes are built in it
            start = alignUp(chunks_.back().get(), alignment);
            end_ = chunks_.back().get() + chunk;
        }
        next_ = start + size;
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
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override
    {
        return this == &other;
    }

    alignas(std::max_align_t) std::byte initial_[2048];
    std::byte* next_ = initial_;
    std::byte* end_ = initial_ + sizeof initial_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
};

} // namespace Morvantis
