// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/dictionaries.h"

#include "engine/calcengine.h"
#include "engine/calcexception.h"
#include "engine/calcstate.h"

#include <new>
#include <string>
#include <vector>

void VisitVariables(const SCalcState& state,
                    const std::function<void(const std::string& name, double value,
                                             const std::string& unit)>& visit) {
    static const std::string plain;
    ForEachVariable(state, [&](const std::string& name, const Quantity& value) {
        visit(name, value.number, value.unit ? value.unit->text : plain);
    });
}

void VisitFunctions(const SCalcState& state,
                    const std::function<void(const std::string& name,
                                             std::vector<std::string>& definition)>& visit) {
    std::vector<std::string> definition;
    ForEachFunction(state, [&](const std::string& name, const UserFunction& function) {
        definition.clear();
        definition.reserve(function.mParams.size() + 1);
        definition.push_back(function.mBody);
        definition.insert(definition.end(), function.mParams.begin(), function.mParams.end());
        for (std::string& text : definition)
            StripParamMarkers(text);
        visit(name, definition);
    });
}

std::optional<plist::Dictionary> CopyVariablesDictionary(const SCalcState& state) {
    try {
        plist::Dictionary variables;
        VisitVariables(state, [&](const std::string& name, double value, const std::string&) {
            variables.emplace(name, plist::Value(value));
        });
        return variables;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<plist::Dictionary> CopyVariableUnitsDictionary(const SCalcState& state) {
    try {
        plist::Dictionary units;
        VisitVariables(state, [&](const std::string& name, double, const std::string& unit) {
            if (!unit.empty())
                units.emplace(name, plist::Value(unit));
        });
        return units;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<plist::Dictionary> CopyFunctionsDictionary(const SCalcState& state) {
    try {
        plist::Dictionary functions;
        VisitFunctions(state, [&](const std::string& name, std::vector<std::string>& definition) {
            plist::Array texts;
            texts.reserve(definition.size());
            for (std::string& text : definition)
                texts.emplace_back(std::move(text));
            functions.insert_or_assign(name, plist::Value(std::move(texts)));
        });
        return functions;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

void LoadVariablesDictionary(const plist::Dictionary& variables, SCalcState& state) {
    try {
        ReserveNames(state, variables.size(), 0);
        for (const auto& [name, value] : variables) {
            const std::optional<double> number = value.real();
            if (!number)
                continue;
            state.mValueStack.push_back(*number);
            try {
                StoreVariable(state, name);
            } catch (const CalcException&) {
                // A name the state cannot hold: skip it, keep loading the others.
            }
            state.mValueStack.pop_back();
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: what has loaded stays loaded.
    }
}

namespace {

// The body and parameters of a function entry, or nothing if the entry is malformed.
std::optional<std::vector<std::string>> DefinitionTexts(const plist::Value& value) {
    const plist::Array* definition = value.array();
    if (!definition || definition->empty())
        return std::nullopt;
    std::vector<std::string> texts;
    texts.reserve(definition->size());
    for (const plist::Value& element : *definition) {
        const std::string* text = element.string();
        if (!text)
            return std::nullopt;
        texts.push_back(*text);
    }
    return texts;
}

} // namespace

void LoadFunctionsDictionary(const plist::Dictionary& functions, SCalcState& state) {
    try {
        ReserveNames(state, 0, functions.size());
        for (const auto& [name, value] : functions) {
            std::optional<std::vector<std::string>> texts = DefinitionTexts(value);
            if (!texts)
                continue;
            std::string body = std::move(texts->front());
            texts->erase(texts->begin());
            try {
                DefineFunction(state, name, std::move(*texts), std::move(body));
            } catch (const CalcException&) {
                // A name the state cannot hold: skip it, keep loading the others.
            }
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: what has loaded stays loaded.
    }
}

void LoadVariableUnitsDictionary(const plist::Dictionary& units, SCalcState& state) {
    try {
        for (const auto& [name, value] : units) {
            const std::string* text = value.string();
            const Quantity* variable = FindVariable(state, name);
            if (!text || !variable)
                continue;
            if (const CompoundUnit* unit = UnitFromText(*text))
                StoreVariable(state, name, Quantity(variable->number, unit));
        }
    } catch (...) {
        // Out of memory: the numbers stay as they loaded.
    }
}
