// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/compoundunit.h"

#include "engine/calcexception.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// Far more distinct units than any worksheet writes; a line that would make more is refused
// rather than let the table grow without end.
constexpr std::size_t kMaxUnits = 100000;

using UnitKey = std::vector<std::pair<const units::UnitDefinition*, int>>;

// "km", "s^2": appended to the text, with a "*" before it when the text has a unit already.
void AppendPower(std::string& text, const UnitPower& power, int exponent) {
    if (!text.empty())
        text += '*';
    text.append(power.unit->name);
    if (exponent != 1)
        text.append("^").append(std::to_string(exponent));
}

// Numerator first, joined by "*"; then "/" and the denominator, in parentheses when it has
// more than one unit. A unit with no numerator writes its negative powers: "s^-1".
std::string TextOf(const std::vector<UnitPower>& powers) {
    std::string above, below;
    int belowCount = 0;
    for (const UnitPower& power : powers) {
        if (power.exponent > 0) {
            AppendPower(above, power, power.exponent);
        } else {
            AppendPower(below, power, -power.exponent);
            ++belowCount;
        }
    }
    if (above.empty()) {
        std::string text;
        for (const UnitPower& power : powers)
            AppendPower(text, power, power.exponent);
        return text;
    }
    if (belowCount == 0)
        return above;
    above += '/';
    if (belowCount == 1)
        return above.append(below);
    return above.append("(").append(below).append(")");
}

std::unique_ptr<CompoundUnit> Made(std::vector<UnitPower> powers) {
    auto unit = std::make_unique<CompoundUnit>();
    int dimensions[units::kDimensionCount] = {};
    unit->factor = 1;
    for (const UnitPower& power : powers) {
        for (int d = 0; d < units::kDimensionCount; ++d)
            dimensions[d] += power.unit->dimensions[d] * power.exponent;
        unit->factor *= std::pow(power.unit->factor, power.exponent);
    }
    // Beyond any quantity of this world; refused rather than wrapped round.
    for (int d = 0; d < units::kDimensionCount; ++d) {
        if (dimensions[d] > 127 || dimensions[d] < -127)
            throw CalcException();
        unit->dimensions[d] = static_cast<std::int8_t>(dimensions[d]);
    }
    unit->text = TextOf(powers);
    unit->powers = std::move(powers);
    return unit;
}

} // namespace

bool CompoundUnit::isTemperature() const {
    if (powers.size() != 1 || powers[0].exponent != 1)
        return false;
    units::Dimensions kelvin{};
    kelvin[units::kTemperature] = 1;
    return dimensions == kelvin;
}

bool CompoundUnit::dimensionless() const {
    for (std::int8_t exponent : dimensions)
        if (exponent != 0)
            return false;
    return true;
}

const CompoundUnit* UnitOfPowers(std::vector<UnitPower> powers) {
    if (powers.empty())
        return nullptr;
    for (const UnitPower& power : powers)
        if (power.exponent > 127 || power.exponent < -127)
            throw CalcException();
    UnitKey key;
    key.reserve(powers.size());
    for (const UnitPower& power : powers)
        key.emplace_back(power.unit, power.exponent);

    static std::mutex guard;
    static std::map<UnitKey, std::unique_ptr<CompoundUnit>> made;
    std::lock_guard<std::mutex> lock(guard);
    auto found = made.find(key);
    if (found != made.end())
        return found->second.get();
    if (made.size() >= kMaxUnits)
        throw CalcException();
    return made.emplace(std::move(key), Made(std::move(powers))).first->second.get();
}

const CompoundUnit* UnitOf(const units::UnitDefinition& unit) {
    return UnitOfPowers({UnitPower{&unit, 1}});
}

const CompoundUnit* UnitProduct(const CompoundUnit* left, const CompoundUnit* right) {
    if (!left)
        return right;
    if (!right)
        return left;
    std::vector<UnitPower> powers = left->powers;
    for (const UnitPower& power : right->powers) {
        auto same = std::find_if(powers.begin(), powers.end(),
                                 [&](const UnitPower& p) { return p.unit == power.unit; });
        if (same == powers.end()) {
            powers.push_back(power);
        } else if ((same->exponent += power.exponent) == 0) {
            powers.erase(same);
        }
    }
    return UnitOfPowers(std::move(powers));
}

const CompoundUnit* UnitToPower(const CompoundUnit* unit, int exponent) {
    if (!unit || exponent == 0)
        return nullptr;
    std::vector<UnitPower> powers = unit->powers;
    for (UnitPower& power : powers)
        power.exponent *= exponent;
    return UnitOfPowers(std::move(powers));
}
