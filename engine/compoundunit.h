// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A unit as written: named units, each to a whole power, in the order they first appeared, so
// that "km*m" stays "km*m" and "km/h" stays "km/h". Every distinct unit exists once for the life
// of the process, so units compare by address and a quantity carries a single pointer.

#include "engine/unittable.h"

#include <string>
#include <string_view>
#include <vector>

struct UnitPower {
    const units::UnitDefinition* unit;
    int exponent; // never 0
};

struct CompoundUnit {
    std::vector<UnitPower> powers;
    units::Dimensions dimensions;
    // One of the unit in base units.
    double factor;
    // The unit as it can be typed back: "km/h", "m^2", "kg*m/s^2", "s^-1".
    std::string text;

    // A lone absolute temperature, "°C" or "°F": the only units whose zero is not nothing.
    bool isAbsoluteTemperature() const {
        return powers.size() == 1 && powers[0].exponent == 1 && powers[0].unit->offset != 0;
    }
    // A lone temperature unit, absolute or kelvin, to the first power.
    bool isTemperature() const;
    bool sameDimensions(const CompoundUnit& other) const { return dimensions == other.dimensions; }
    bool dimensionless() const;
    std::string_view kind() const { return units::KindOf(dimensions); }
};

// The one unit of these powers, or null for none at all (a plain number). Powers of the same
// unit must already be merged; zero powers are left out.
const CompoundUnit* UnitOfPowers(std::vector<UnitPower> powers);
const CompoundUnit* UnitOf(const units::UnitDefinition& unit);

// The product of two units, written left then right; a unit on both sides adds its powers and
// vanishes at zero. Null when nothing is left.
const CompoundUnit* UnitProduct(const CompoundUnit* left, const CompoundUnit* right);
// The unit to the power `exponent`; null for exponent 0.
const CompoundUnit* UnitToPower(const CompoundUnit* unit, int exponent);
