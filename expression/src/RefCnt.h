// Intrusive reference counting for the nodes of expression trees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

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
        if (--count_ == 0)
            delete this;
    }
    int32_t refCount() const noexcept { return count_; }

    // Every node is a heap object of its own; freed blocks are kept per thread for the next
    // nodes of the same size, since evaluation makes and drops a node at every step.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

private:
    int32_t count_ = 0;
};

// The counting pointer; may be null.
template <class T>
class Ref
{
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    explicit Ref(T* object) noexcept : object_(object) { acquire(); }
    Ref(const Ref& other) noexcept : object_(other.object_) { acquire(); }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) noexcept : object_(other.get())
    {
        acquire();
    }
    template <class U>
    Ref(Ref<U>&& other) noexcept : object_(other.detach())
    {
    }
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

template <class T, class... Args>
Ref<T> makeRef(Args&&... args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace Morvantis
