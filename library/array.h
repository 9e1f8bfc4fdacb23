// How the library holds what it makes, and how it meets running out of
// memory, said once: every growing array is an Array, in malloc'd memory,
// whose growth reports failure by its result; the library throws no
// exception and none crosses its entries. So Quovant.dll, which unpacks and
// indexes its dictionary inside DllMain and must then refuse the load, not
// end the process, carries no C++ exception runtime, and every entry (the
// loaders, DllMain, InitIdioms, each export) turns a failed allocation into
// its failure value. (The standard containers throw std::bad_alloc instead.)
#ifndef QUOVANT_ARRAY_H
#define QUOVANT_ARRAY_H

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

// A growable array of plain values (copied as bytes).
template <typename T>
class Array {
    static_assert(std::is_trivially_copyable_v<T>, "an Array holds plain values");

public:
    Array() = default;
    Array(const Array &) = delete;
    Array &operator=(const Array &) = delete;
    Array(Array &&other) noexcept { Swap(other); }
    Array &operator=(Array &&other) noexcept
    {
        Array(std::move(other)).Swap(*this);
        return *this;
    }
    ~Array() { std::free(data_); }

    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    T *Data() { return data_; }
    const T *Data() const { return data_; }
    T &operator[](std::size_t i) { return data_[i]; }
    const T &operator[](std::size_t i) const { return data_[i]; }
    T *begin() { return data_; }
    T *end() { return data_ + size_; }
    const T *begin() const { return data_; }
    const T *end() const { return data_ + size_; }

    // The bytes it holds.
    std::size_t Bytes() const { return capacity_ * sizeof(T); }

    // Makes it `n` values long, the first ones kept and the new ones
    // `value`. False without memory, and then it is as it was.
    bool Resize(std::size_t n, T value = T())
    {
        if (n > capacity_ && !Reserve(n))
            return false;
        for (std::size_t i = size_; i < n; ++i)
            data_[i] = value;
        size_ = n;
        return true;
    }

    // Makes it `n` values long, each `value`. False without memory.
    bool Assign(std::size_t n, T value)
    {
        size_ = 0;
        return Resize(n, value);
    }

    // Appends `value`. False without memory.
    bool Push(T value)
    {
        if (size_ == capacity_ && !Reserve(capacity_ < 8 ? 8 : capacity_ * 2))
            return false;
        data_[size_++] = value;
        return true;
    }

    void Clear() { size_ = 0; }

private:
    bool Reserve(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            return false;
        void *grown = std::realloc(data_, n * sizeof(T));
        if (grown == nullptr)
            return false;
        data_ = static_cast<T *>(grown);
        capacity_ = n;
        return true;
    }

    void Swap(Array &other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    T *data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

#endif
