#pragma once

#include <string>

struct SCalcState;

// A new state holding everything of `state` but the named variable (or function): states never
// lose a name otherwise, so forgetting rebuilds from the state's dictionaries. Null only when
// memory runs out.
SCalcState* StateWithout(const SCalcState& state, const std::string& name, bool function);
