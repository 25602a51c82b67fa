// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/unittable.h"

#include "engine/unitdata.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace units {
namespace {

using NameMap = std::unordered_map<std::string_view, const UnitDefinition*>;

void AddSpellings(NameMap& names, const UnitDefinition& unit) {
    names.emplace(unit.name, &unit);
    std::string_view rest = unit.otherSpellings;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(' '), rest.size());
        if (end > 0)
            names.emplace(rest.substr(0, end), &unit);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
}

// Every word of a statement is looked up while it is parsed, so the names are hashed once.
const NameMap& Names() {
    static const NameMap names = [] {
        NameMap made;
        made.reserve(2 * generated::Units().size());
        for (const UnitDefinition& unit : generated::Units())
            AddSpellings(made, unit);
        return made;
    }();
    return names;
}

} // namespace

std::span<const UnitDefinition> UnitDefinitions() { return generated::Units(); }

const UnitDefinition* FindUnit(std::string_view name) {
    const NameMap& names = Names();
    const auto found = names.find(name);
    return found == names.end() ? nullptr : found->second;
}

std::string_view KindOf(const Dimensions& dimensions) {
    for (const generated::KindName& kind : generated::Kinds())
        if (kind.dimensions == dimensions)
            return kind.key;
    return {};
}

} // namespace units
