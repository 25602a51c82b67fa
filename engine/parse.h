// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/cow.h"
#include "engine/program.h"
#include "engine/vocabulary.h"

#include <string_view>

struct SCalcState;

// The parse of the text against the state's names: the one made before for the same text and
// names, or a new one. Throws CalcException when the text is nested too deeply to parse.
Ref<const Program> ProgramFor(std::string_view text, const SCalcState& state, ParseMode mode);
