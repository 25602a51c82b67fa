// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A calculator state as the rest of the program sees it: two property-list dictionaries.
//   variables: name -> real, the number in the unit it is shown in
//   variable units: name -> unit text ("km/h"), for the variables that have a unit
//   functions: name -> [ body, parameter, ... ], written as the user typed them

#include "plist/value.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct SCalcState;

// Walk the state's variables, or its functions, in ascending byte order of their names, one
// entry at a time as the dictionaries hold it: for listings that need no copy of the whole state.
// A function's definition is its body, then its parameters.
// A variable's number is in its unit; `unit` is empty for a plain number.
void VisitVariables(const SCalcState& state,
                    const std::function<void(const std::string& name, double value,
                                             const std::string& unit)>& visit);
void VisitFunctions(const SCalcState& state,
                    const std::function<void(const std::string& name,
                                             std::vector<std::string>& definition)>& visit);

// Null only when memory runs out.
std::optional<plist::Dictionary> CopyVariablesDictionary(const SCalcState& state);
std::optional<plist::Dictionary> CopyFunctionsDictionary(const SCalcState& state);
std::optional<plist::Dictionary> CopyVariableUnitsDictionary(const SCalcState& state);

// Merge the entries into the state, replacing same-named ones. Entries that are malformed (a
// value of the wrong kind, an empty array, a non-string element, a name the state cannot hold)
// are skipped; the rest still load.
void LoadVariablesDictionary(const plist::Dictionary& variables, SCalcState& state);
void LoadFunctionsDictionary(const plist::Dictionary& functions, SCalcState& state);
// Gives variables already loaded their units; a unit that no longer reads leaves the number
// plain rather than losing it.
void LoadVariableUnitsDictionary(const plist::Dictionary& units, SCalcState& state);
