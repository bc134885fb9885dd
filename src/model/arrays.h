#pragma once
// Index helpers for the project's arrays: the model is indexed from 1 (hardware texts from 0),
// exactly as the saved layout counts them, so the code reads like the layout tables.

#include <array>
#include <type_traits>
#include <cassert>
#include <cstddef>
#include <vector>

namespace rqx {

// Fixed array with inclusive bounds Lo..Hi (brace(1 To 2), hardware(0 To 2), levelHeight(1 To 4)…).
template <class T, int Lo, int Hi>
struct FixedArray {
    static_assert(Hi >= Lo);
    static constexpr int lower = Lo;
    static constexpr int upper = Hi;
    static constexpr int count = Hi - Lo + 1;

    std::array<T, count> items{};

    T &operator[](int i)
    {
        assert(i >= Lo && i <= Hi);
        return items[static_cast<std::size_t>(i - Lo)];
    }
    const T &operator[](int i) const
    {
        assert(i >= Lo && i <= Hi);
        return items[static_cast<std::size_t>(i - Lo)];
    }
    // Indexed by a scoped enumeration numbered within the bounds (the editor's tools).
    template <class E>
    requires std::is_enum_v<E> T &operator[](E e) { return (*this)[static_cast<int>(e)]; }
    template <class E>
    requires std::is_enum_v<E>
    const T &operator[](E e) const { return (*this)[static_cast<int>(e)]; }
    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
    bool operator==(const FixedArray &) const = default;
};

// Variable array indexed 1..size() (line names).
template <class T>
class OneBasedArray {
public:
    OneBasedArray() = default;
    explicit OneBasedArray(int n) : items_(static_cast<std::size_t>(n > 0 ? n : 0)) {}

    int size() const { return static_cast<int>(items_.size()); }
    bool valid(int i) const { return i >= 1 && i <= size(); }
    void resize(int n) { items_.resize(static_cast<std::size_t>(n > 0 ? n : 0)); }
    void clear() { items_.clear(); }

    T &operator[](int i)
    {
        assert(valid(i));
        return items_[static_cast<std::size_t>(i - 1)];
    }
    const T &operator[](int i) const
    {
        assert(valid(i));
        return items_[static_cast<std::size_t>(i - 1)];
    }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    bool operator==(const OneBasedArray &) const = default;

private:
    std::vector<T> items_;
};

// Three-dimensional array (1 To nx, 1 To ny, 1 To nl), x varying fastest, then y, then level:
// the order in which the node array is stored in the project file.
template <class T>
class Array3 {
public:
    Array3() = default;
    Array3(int nx, int ny, int nl) { reset(nx, ny, nl); }

    void reset(int nx, int ny, int nl)
    {
        nx_ = nx > 0 ? nx : 0;
        ny_ = ny > 0 ? ny : 0;
        nl_ = nl > 0 ? nl : 0;
        items_.clear();
        items_.resize(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) *
                      static_cast<std::size_t>(nl_));
    }

    int sizeX() const { return nx_; }
    int sizeY() const { return ny_; }
    int sizeLevel() const { return nl_; }
    std::size_t count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    bool valid(int x, int y, int level) const
    {
        return x >= 1 && x <= nx_ && y >= 1 && y <= ny_ && level >= 1 && level <= nl_;
    }

    T &operator()(int x, int y, int level)
    {
        assert(valid(x, y, level));
        return items_[offset(x, y, level)];
    }
    const T &operator()(int x, int y, int level) const
    {
        assert(valid(x, y, level));
        return items_[offset(x, y, level)];
    }

    // Flat access in file order.
    T *data() { return items_.data(); }
    const T *data() const { return items_.data(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    bool operator==(const Array3 &) const = default;

private:
    std::size_t offset(int x, int y, int level) const
    {
        return (static_cast<std::size_t>(level - 1) * static_cast<std::size_t>(ny_) +
                static_cast<std::size_t>(y - 1)) *
                   static_cast<std::size_t>(nx_) +
               static_cast<std::size_t>(x - 1);
    }

    int nx_ = 0;
    int ny_ = 0;
    int nl_ = 0;
    std::vector<T> items_;
};

}  // namespace rqx
