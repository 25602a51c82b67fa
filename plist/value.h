// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/box.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace plist {

class Value;

// Keys are kept sorted byte-wise so that writing the same dictionary always gives the same bytes.
using Dictionary = std::map<std::string, Value, std::less<>>;
using Array = std::vector<Value>;

struct Data {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Data&) const = default;
};

struct Date {
    double secondsSince2001 = 0; // since 2001-01-01T00:00:00Z, the epoch property lists use
    bool operator==(const Date&) const = default;
};

namespace detail {
template <class T>
concept PlainInteger =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
    !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> && !std::same_as<T, char16_t> &&
    !std::same_as<T, char32_t> && (std::is_signed_v<T> || sizeof(T) < sizeof(std::int64_t));

// Every signed 64-bit value, and the unsigned ones above them up to 2^64 - 1, which Apple's
// readers and writers take as well. A value has one form only, so equal integers compare equal.
struct Integer {
    std::uint64_t bits = 0;
    bool aboveSigned = false; // bits is an unsigned value above INT64_MAX, not an int64_t
    bool operator==(const Integer&) const = default;
};
} // namespace detail

class Value {
public:
    enum class Kind { Dictionary, Array, String, Real, Integer, Boolean, Data, Date };

    Value() = default;
    Value(Dictionary dictionary);
    Value(Array array);
    Value(std::string string);
    Value(std::string_view string);
    Value(const char* string);
    Value(std::nullptr_t) = delete;
    Value(double real);
    // Unsigned 64-bit types go through fromUnsigned, so that no caller widens a negative by
    // mistake.
    template <detail::PlainInteger T>
    Value(T integer)
        : storage_(
              detail::Integer{static_cast<std::uint64_t>(static_cast<std::int64_t>(integer))}) {}
    Value(bool boolean);
    Value(Data data);
    Value(Date date);
    static Value fromUnsigned(std::uint64_t integer);

    // Defined out of line because, inlined into callers, GCC 12 wrongly warns that moving a
    // variant reads uninitialised members of alternatives it does not hold.
    Value(const Value& other);
    Value(Value&& other) noexcept;
    // Safe when the source lives inside this value, as in v = (*v.array())[0].
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    ~Value();

    Kind kind() const { return static_cast<Kind>(storage_.index()); }
    bool isDictionary() const { return kind() == Kind::Dictionary; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isString() const { return kind() == Kind::String; }
    bool isReal() const { return kind() == Kind::Real; }
    bool isInteger() const { return kind() == Kind::Integer; }
    bool isBoolean() const { return kind() == Kind::Boolean; }
    bool isData() const { return kind() == Kind::Data; }
    bool isDate() const { return kind() == Kind::Date; }

    // Each accessor answers nullptr or nullopt when the value is of another kind.
    const Dictionary* dictionary() const;
    Dictionary* dictionary();
    const Array* array() const;
    Array* array();
    const std::string* string() const;
    std::optional<double> real() const;          // an integer is converted, as callers usually want
    std::optional<std::int64_t> integer() const; // nullopt above INT64_MAX
    std::optional<std::uint64_t> unsignedInteger() const; // nullopt below zero
    std::optional<bool> boolean() const;
    const Data* data() const;
    std::optional<Date> date() const;

    // Reals and dates compare bit for bit, so a value always equals itself once read back,
    // NaN included, and -0.0 is told apart from +0.0.
    bool operator==(const Value& other) const;

private:
    // The order must match Kind.
    std::variant<detail::Box<Dictionary>, detail::Box<Array>, std::string, double, detail::Integer,
                 bool, Data, Date>
        storage_;
};

} // namespace plist
