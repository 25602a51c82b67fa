// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <utility>

namespace plist::detail {

// Holds a container of Value inside Value's own variant. The standard only lets std::vector be
// instantiated with an incomplete element type, so std::map<std::string, Value> has to sit behind
// a pointer. A null pointer stands for an empty container: default construction and moved-from
// states then cost nothing and never leave a Value that cannot be read.
template <class T> class Box {
public:
    Box() noexcept = default;
    explicit Box(T value) : ptr_(std::make_unique<T>(std::move(value))) {}
    Box(const Box& other) : ptr_(other.ptr_ ? std::make_unique<T>(*other.ptr_) : nullptr) {}
    Box(Box&&) noexcept = default;
    Box& operator=(const Box& other) {
        if (this != &other) {
            Box copy(other);
            ptr_ = std::move(copy.ptr_);
        }
        return *this;
    }
    Box& operator=(Box&&) noexcept = default;
    ~Box() = default;

    const T& get() const {
        if (!ptr_) {
            static const T empty{};
            return empty;
        }
        return *ptr_;
    }
    T& get() {
        if (!ptr_)
            ptr_ = std::make_unique<T>();
        return *ptr_;
    }

private:
    std::unique_ptr<T> ptr_;
};

} // namespace plist::detail
