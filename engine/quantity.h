// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A number and the unit it is measured in. A plain number has no unit, and then every
// operation is the arithmetic of doubles it always was; only quantities with units pay for
// the dimension checks.

#include "engine/compoundunit.h"

#include <string>

struct Quantity {
    Quantity() = default;
    Quantity(double n) : number(n) {}
    Quantity(double n, const CompoundUnit* u) : number(n), unit(u) {}

    double number = 0;
    const CompoundUnit* unit = nullptr; // null for a plain number

    bool operator==(const Quantity&) const = default;
};

// The arithmetic of quantities. A failure (units of different kinds, two absolute temperatures
// added) throws CalcException naming both sides.
namespace quantity {

// A sum keeps the unit of its first operand; an absolute temperature plus a difference stays
// an absolute temperature.
Quantity Add(const Quantity& left, const Quantity& right);
// Two absolute temperatures differ by kelvins.
Quantity Subtract(const Quantity& left, const Quantity& right);
// Units multiply as written; cancelled units vanish, and a quantity left with no dimension
// at all ("5 km / 300 m") is a plain number.
Quantity Multiply(const Quantity& left, const Quantity& right);
Quantity Divide(const Quantity& left, const Quantity& right);
// The exponent must be a plain number, and with a unit each power must come out whole.
Quantity Power(const Quantity& base, const Quantity& exponent);
// Quantities of one kind written side by side add up ("2 h 30 min"); others multiply.
Quantity SideBySide(const Quantity& left, const Quantity& right);
// The quantity in the target's unit, exactly that unit.
Quantity Convert(const Quantity& value, const CompoundUnit* target);

// The quantity as a plain number, for a function that takes nothing else.
double PlainNumber(const Quantity& value, std::string_view function);
// An angle in radians, or a plain number as it is.
double Radians(const Quantity& value, std::string_view function);
// The second quantity in the unit of the first, for functions of two quantities of one kind.
double InUnitOf(const Quantity& reference, const Quantity& value, std::string_view function);

} // namespace quantity
