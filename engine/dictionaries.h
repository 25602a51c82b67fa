#pragma once

// A calculator state as the rest of the program sees it: two property-list dictionaries.
//   variables: name -> real
//   functions: name -> [ body, parameter, ... ], written as the user typed them

#include "plist/value.h"

#include <optional>

struct SCalcState;

// Null only when memory runs out.
std::optional<plist::Dictionary> CopyVariablesDictionary(const SCalcState& state);
std::optional<plist::Dictionary> CopyFunctionsDictionary(const SCalcState& state);

// Merge the entries into the state, replacing same-named ones. Entries that are malformed (a
// value of the wrong kind, an empty array, a non-string element, a name the state cannot hold)
// are skipped; the rest still load.
void LoadVariablesDictionary(const plist::Dictionary& variables, SCalcState& state);
void LoadFunctionsDictionary(const plist::Dictionary& functions, SCalcState& state);
