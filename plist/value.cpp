// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/value.h"

#include <bit>
#include <limits>

namespace plist {

Value::Value(Dictionary dictionary)
    : storage_(std::in_place_index<0>, detail::Box<Dictionary>(std::move(dictionary))) {}
Value::Value(Array array)
    : storage_(std::in_place_index<1>, detail::Box<Array>(std::move(array))) {}
Value::Value(std::string string) : storage_(std::move(string)) {}
Value::Value(std::string_view string) : storage_(std::string(string)) {}
Value::Value(const char* string) : storage_(std::string(string)) {}
Value::Value(double real) : storage_(real) {}
Value::Value(bool boolean) : storage_(boolean) {}
Value::Value(Data data) : storage_(std::move(data)) {}
Value::Value(Date date) : storage_(date) {}

Value Value::fromUnsigned(std::uint64_t integer) {
    Value value;
    value.storage_ =
        detail::Integer{integer, integer > std::uint64_t{std::numeric_limits<std::int64_t>::max()}};
    return value;
}

Value::Value(const Value& other) = default;
Value::Value(Value&& other) noexcept = default;
Value::~Value() = default;

// std::variant destroys the old alternative before copying in a new one, which would free the
// source first when it is part of this value; taking it out first avoids that.
Value& Value::operator=(const Value& other) {
    if (this != &other) {
        Value copy(other);
        storage_ = std::move(copy.storage_);
    }
    return *this;
}

Value& Value::operator=(Value&& other) noexcept {
    if (this != &other) {
        Value taken(std::move(other));
        storage_ = std::move(taken.storage_);
    }
    return *this;
}

const Dictionary* Value::dictionary() const {
    auto* box = std::get_if<0>(&storage_);
    return box ? &box->get() : nullptr;
}

Dictionary* Value::dictionary() {
    auto* box = std::get_if<0>(&storage_);
    return box ? &box->get() : nullptr;
}

const Array* Value::array() const {
    auto* box = std::get_if<1>(&storage_);
    return box ? &box->get() : nullptr;
}

Array* Value::array() {
    auto* box = std::get_if<1>(&storage_);
    return box ? &box->get() : nullptr;
}

const std::string* Value::string() const { return std::get_if<std::string>(&storage_); }

std::optional<double> Value::real() const {
    if (auto* real = std::get_if<double>(&storage_))
        return *real;
    if (auto* integer = std::get_if<detail::Integer>(&storage_))
        return integer->aboveSigned ? static_cast<double>(integer->bits)
                                    : static_cast<double>(static_cast<std::int64_t>(integer->bits));
    return std::nullopt;
}

std::optional<std::int64_t> Value::integer() const {
    if (auto* integer = std::get_if<detail::Integer>(&storage_); integer && !integer->aboveSigned)
        return static_cast<std::int64_t>(integer->bits);
    return std::nullopt;
}

std::optional<std::uint64_t> Value::unsignedInteger() const {
    auto* integer = std::get_if<detail::Integer>(&storage_);
    if (integer && (integer->aboveSigned || static_cast<std::int64_t>(integer->bits) >= 0))
        return integer->bits;
    return std::nullopt;
}

std::optional<bool> Value::boolean() const {
    if (auto* boolean = std::get_if<bool>(&storage_))
        return *boolean;
    return std::nullopt;
}

const Data* Value::data() const { return std::get_if<Data>(&storage_); }

std::optional<Date> Value::date() const {
    if (auto* date = std::get_if<Date>(&storage_))
        return *date;
    return std::nullopt;
}

bool Value::operator==(const Value& other) const {
    if (kind() != other.kind())
        return false;
    switch (kind()) {
    case Kind::Dictionary:
        return *dictionary() == *other.dictionary();
    case Kind::Array:
        return *array() == *other.array();
    case Kind::String:
        return *string() == *other.string();
    case Kind::Real:
        return std::bit_cast<std::uint64_t>(std::get<double>(storage_)) ==
               std::bit_cast<std::uint64_t>(std::get<double>(other.storage_));
    case Kind::Integer:
        return std::get<detail::Integer>(storage_) == std::get<detail::Integer>(other.storage_);
    case Kind::Boolean:
        return *boolean() == *other.boolean();
    case Kind::Data:
        return *data() == *other.data();
    case Kind::Date:
        return std::bit_cast<std::uint64_t>(date()->secondsSince2001) ==
               std::bit_cast<std::uint64_t>(other.date()->secondsSince2001);
    }
    return false;
}

} // namespace plist
