// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcexception.h"
#include "engine/program.h"

#include <string_view>

struct Recording;
struct SCalcState;

// Why the text did not parse as a whole, from the furthest place where the parse found
// something it looked for missing, and from what stands there.
Failure ExplainParseFailure(std::string_view text, const Recording& recording,
                            const ParseOutcome& outcome, const SCalcState& state);
