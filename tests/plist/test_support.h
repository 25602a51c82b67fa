// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"
#include "plist/xmlwriter.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace plist {

// Lets test failures show values readably.
inline void PrintTo(const Value& value, std::ostream* out) { *out << "\n" << writeXml(value); }

} // namespace plist

namespace plist::test {

inline std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

inline Value nested(std::size_t depth) {
    Value value = Array{};
    for (std::size_t i = 1; i < depth; ++i)
        value = Array{std::move(value)};
    return value;
}

// Values that survive both formats unchanged: valid UTF-8 without characters XML cannot carry,
// dates in whole seconds, and no NaN other than the canonical one.
class RandomValues {
public:
    explicit RandomValues(unsigned seed) : engine_(seed) {}

    Value next(int depth = 0) {
        switch (pick(depth < 4 ? 8 : 6)) {
        case 0:
            return Value(string());
        case 1:
            return Value(real());
        case 2:
            return Value(static_cast<std::int64_t>(engine_()));
        case 3:
            return Value(pick(2) == 0);
        case 4: {
            Data data;
            for (int i = pick(120); i > 0; --i)
                data.bytes.push_back(static_cast<std::uint8_t>(engine_()));
            return Value(std::move(data));
        }
        case 5:
            return Value(Date{static_cast<double>(static_cast<std::int32_t>(engine_()))});
        case 6: {
            Array array;
            for (int i = pick(5); i > 0; --i)
                array.push_back(next(depth + 1));
            return Value(std::move(array));
        }
        default: {
            Dictionary dictionary;
            for (int i = pick(5); i > 0; --i)
                dictionary.insert_or_assign(string(), next(depth + 1));
            return Value(std::move(dictionary));
        }
        }
    }

private:
    int pick(int count) { return static_cast<int>(engine_() % static_cast<unsigned>(count)); }

    double real() {
        for (;;) {
            const double value = std::bit_cast<double>(engine_());
            if (value == value)
                return pick(4) == 0 ? std::numeric_limits<double>::quiet_NaN() : value;
        }
    }

    std::string string() {
        static const char* const pieces[] = {
            "a",    "Z",   " ",  "\t", "\n", "\r", "&", "<",
            ">",    "]]>", "\"", "π",  "√",  "€",  "😀", "\xF4\x8F\xBF\xBF",
            "\x7F", "é",   "0"};
        std::string text;
        for (int i = pick(12); i > 0; --i)
            text += pieces[pick(std::size(pieces))];
        return text;
    }

    std::mt19937_64 engine_;
};

} // namespace plist::test
