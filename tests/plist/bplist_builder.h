// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace plist::test {

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values)
        out += static_cast<char>(value);
    return out;
}

inline std::string bigEndian(std::uint64_t value, int size) {
    std::string out;
    for (int i = size - 1; i >= 0; --i)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

// Lays out hand-written objects as a binary property list. The trailer fields start out
// consistent with the objects and may be overwritten to describe broken files.
struct Bplist {
    std::vector<std::string> objects;
    int offsetSize = 1;
    int refSize = 1;
    std::uint64_t top = 0;
    std::optional<std::uint64_t> objectCount = {};   // unset: the number of objects
    std::optional<std::uint64_t> tableOffset = {};   // unset: where the table really is
    std::vector<std::uint64_t> offsetOverrides = {}; // replace the first offsets

    std::string build() const {
        std::string out = "bplist00";
        std::vector<std::uint64_t> offsets;
        for (const auto& object : objects) {
            offsets.push_back(out.size());
            out += object;
        }
        for (std::size_t i = 0; i < offsetOverrides.size(); ++i)
            offsets[i] = offsetOverrides[i];
        const std::uint64_t table = out.size();
        for (std::uint64_t offset : offsets)
            out += bigEndian(offset, offsetSize);
        out += std::string(6, '\0');
        out += static_cast<char>(offsetSize);
        out += static_cast<char>(refSize);
        out += bigEndian(objectCount.value_or(objects.size()), 8);
        out += bigEndian(top, 8);
        out += bigEndian(tableOffset.value_or(table), 8);
        return out;
    }
};

} // namespace plist::test
