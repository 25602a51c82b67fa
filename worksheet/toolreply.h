// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"
#include "worksheet/plotanswer.h"

#include <cstdint>
#include <string>

struct SCalcState;

// What a tool's reply to one line says, once the document's own state has recorded what the
// tool recorded: a function definition, or the value as "last" and under the assigned name. The
// mirror state then holds what a fresh tool must be seeded with.
struct ToolReply {
    int kind = 0;          // a ResultKind
    double value = 0;      // for a value, in its unit
    std::string unit;      // ... empty for a plain number
    std::int64_t stop = 0; // for a syntax error: the byte where reading stopped
    // For a syntax error, why, when the tool says: a reason's key ("UnknownName"), the name or
    // character it concerns, and how many arguments the function takes.
    std::string reason;
    std::string name;
    std::int64_t argumentCount = 0;
    // For a calculation units stopped: the two sides' units and kinds ("km", "length"); a side
    // without them is a plain number.
    std::string failedUnit;
    std::string failedUnitKind;
    std::string otherUnit;
    std::string otherKind;
    // For a plot: its sampled curves.
    PlotAnswerPtr plot;
};

// A plot leaves the state as it was: it stores no "last". A plot reply this side cannot read
// is a syntax error without reason.
ToolReply recordToolReply(const plist::Dictionary& reply, const std::string& statement,
                          SCalcState& state);
