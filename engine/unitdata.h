// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows scripts/make-unit-table writes into engine/unitdata.cpp. The rest of the engine
// reaches them through engine/unittable.h.

#include "engine/unittable.h"

#include <span>
#include <string_view>

namespace units::generated {

struct KindName {
    Dimensions dimensions;
    std::string_view key;
};

// Every unit, by kind, then as listed.
std::span<const UnitDefinition> Units();
// Every kind with a name, each of different dimensions.
std::span<const KindName> Kinds();

} // namespace units::generated
