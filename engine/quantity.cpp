// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/quantity.h"

#include "engine/calcexception.h"

#include <cmath>

namespace quantity {

namespace {

// Fails for `reason`, naming both sides by unit and kind; a side without a unit is a plain
// number, which the worksheet names as such.
[[noreturn]] void Refuse(Reason reason, const Quantity& left, const Quantity* right,
                         std::string_view function = {}) {
    Failure failure(reason, std::string(function));
    if (left.unit) {
        failure.mUnit = left.unit->text;
        failure.mUnitKind = left.unit->kind();
    }
    if (right && right->unit) {
        failure.mOtherUnit = right->unit->text;
        failure.mOtherKind = right->unit->kind();
    }
    throw CalcException(std::move(failure));
}

bool SameKind(const Quantity& left, const Quantity& right) {
    if (!left.unit || !right.unit)
        return !left.unit && !right.unit;
    return left.unit->sameDimensions(*right.unit);
}

// The number of a quantity of the same kind, measured in `unit`.
double Scaled(const Quantity& value, const CompoundUnit* unit) {
    if (value.unit == unit)
        return value.number;
    return value.number * value.unit->factor / unit->factor;
}

double Kelvins(const Quantity& value) {
    const units::UnitDefinition& unit = *value.unit->powers[0].unit;
    return (value.number + unit.offset) * unit.factor;
}

const CompoundUnit* Kelvin() {
    static const CompoundUnit* kelvin = UnitOf(*units::FindUnit("K"));
    return kelvin;
}

// A unit with no dimension left is no unit at all: "5 km / 300 m" is a plain ratio.
Quantity Simplified(double number, const CompoundUnit* unit) {
    if (unit && unit->dimensionless())
        return Quantity(number * unit->factor);
    return Quantity(number, unit);
}

bool WholeNumber(double x) { return std::fabs(x - std::round(x)) < 1e-9; }

} // namespace

Quantity Add(const Quantity& left, const Quantity& right) {
    if (!left.unit && !right.unit)
        return left.number + right.number;
    if (!SameKind(left, right))
        Refuse(Reason::kCannotAdd, left, &right);
    const bool leftAbsolute = left.unit->isAbsoluteTemperature();
    const bool rightAbsolute = right.unit->isAbsoluteTemperature();
    if (leftAbsolute && rightAbsolute)
        Refuse(Reason::kAbsoluteTemperatures, left, &right);
    // A difference added to an absolute temperature moves it, whichever is written first.
    if (rightAbsolute)
        return Quantity(right.number + Scaled(left, right.unit), right.unit);
    return Quantity(left.number + Scaled(right, left.unit), left.unit);
}

Quantity Subtract(const Quantity& left, const Quantity& right) {
    if (!left.unit && !right.unit)
        return left.number - right.number;
    if (!SameKind(left, right))
        Refuse(Reason::kCannotSubtract, left, &right);
    if (right.unit->isAbsoluteTemperature()) {
        // Two temperatures differ by kelvins; a kelvin value before an absolute temperature is
        // read as one too.
        const double from =
            left.unit->isAbsoluteTemperature() ? Kelvins(left) : left.number * left.unit->factor;
        return Quantity(from - Kelvins(right), Kelvin());
    }
    return Quantity(left.number - Scaled(right, left.unit), left.unit);
}

Quantity Multiply(const Quantity& left, const Quantity& right) {
    if (!left.unit && !right.unit)
        return left.number * right.number;
    return Simplified(left.number * right.number, UnitProduct(left.unit, right.unit));
}

Quantity Divide(const Quantity& left, const Quantity& right) {
    if (!left.unit && !right.unit)
        return left.number / right.number;
    return Simplified(left.number / right.number,
                      UnitProduct(left.unit, UnitToPower(right.unit, -1)));
}

Quantity Power(const Quantity& base, const Quantity& exponent) {
    if (exponent.unit)
        Refuse(Reason::kExponentHasUnit, exponent, nullptr);
    const double x = exponent.number;
    if (!base.unit)
        return std::pow(base.number, x);
    std::vector<UnitPower> powers = base.unit->powers;
    for (UnitPower& power : powers) {
        const double raised = power.exponent * x;
        if (!WholeNumber(raised) || std::fabs(raised) > 127)
            Refuse(Reason::kPowerNotWhole, base, nullptr);
        power.exponent = static_cast<int>(std::round(raised));
    }
    if (powers[0].exponent == 0)
        return std::pow(base.number, x);
    return Simplified(std::pow(base.number, x), UnitOfPowers(std::move(powers)));
}

Quantity SideBySide(const Quantity& left, const Quantity& right) {
    if (left.unit && right.unit && left.unit->sameDimensions(*right.unit) &&
        !right.unit->isAbsoluteTemperature())
        return Add(left, right);
    return Multiply(left, right);
}

Quantity Convert(const Quantity& value, const CompoundUnit* target) {
    const Quantity wanted(1, target);
    if (!value.unit || !target || !value.unit->sameDimensions(*target))
        Refuse(Reason::kCannotConvert, value, &wanted);
    if (value.unit->isTemperature() && target->isTemperature() &&
        (value.unit->isAbsoluteTemperature() || target->isAbsoluteTemperature())) {
        const units::UnitDefinition& to = *target->powers[0].unit;
        return Quantity(Kelvins(value) / to.factor - to.offset, target);
    }
    return Quantity(Scaled(value, target), target);
}

double PlainNumber(const Quantity& value, std::string_view function) {
    if (value.unit)
        Refuse(Reason::kNeedsPlainNumber, value, nullptr, function);
    return value.number;
}

double Radians(const Quantity& value, std::string_view function) {
    if (!value.unit)
        return value.number;
    units::Dimensions angle{};
    angle[units::kAngle] = 1;
    if (value.unit->dimensions != angle)
        Refuse(Reason::kNeedsAngle, value, nullptr, function);
    return value.number * value.unit->factor;
}

double InUnitOf(const Quantity& reference, const Quantity& value, std::string_view function) {
    if (!SameKind(reference, value))
        Refuse(Reason::kCannotCompare, reference, &value, function);
    return value.unit ? Scaled(value, reference.unit) : value.number;
}

} // namespace quantity
