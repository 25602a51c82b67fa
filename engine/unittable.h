// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units a number may carry: each with its dimension over the base quantities and its size
// in the base unit of that dimension. The rows are made from a packaged unit database by
// scripts/make-unit-table; nothing here is typed by hand.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace units {

// The base quantities, each measured in its own base unit: m, kg, s, A, K, mol, cd, rad, bit.
// Angle and information count as dimensions of their own, so that "90°" is not a plain number
// and "1 B + 1 m" is refused.
enum Dimension : int {
    kLength,
    kMass,
    kTime,
    kCurrent,
    kTemperature,
    kAmount,
    kLuminosity,
    kAngle,
    kInformation,
    kDimensionCount
};
using Dimensions = std::array<std::int8_t, kDimensionCount>;

struct UnitDefinition {
    std::string_view name;        // as typed: "km", "°C", "MiB"
    std::string_view description; // what it is, in English: "kilometre"
    Dimensions dimensions;
    // One of the unit in base units; an absolute temperature's value v is (v + offset) * factor
    // kelvin, every other unit has offset 0.
    double factor;
    double offset;
    // What GNU units calls it, for checking the table against it: "julianyear", "kilo m"; a
    // temperature scale is its function of the value, "tempC(x)".
    std::string_view source;
    // Other ways to type the same symbol, space-separated: "um μm" for "µm".
    std::string_view otherSpellings;
};

// Every unit, in the order of the generated table: by kind, then as listed there.
std::span<const UnitDefinition> UnitDefinitions();

// The unit of exactly this name or of one of its other spellings, or null.
const UnitDefinition* FindUnit(std::string_view name);

// The kind of quantity of these dimensions ("length", "speed", "energy"), or empty when it has
// no name of its own. Kinds are keys: the worksheet shows them in its own language.
std::string_view KindOf(const Dimensions& dimensions);

} // namespace units
