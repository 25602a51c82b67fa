#pragma once

#include <cstddef>
#include <string_view>

struct SCalcState;

// How a parse of one text ended.
struct ParseOutcome {
    bool hit;         // the start rule matched
    bool full;        // ... and the scanner then stood at the end of the text
    std::size_t stop; // byte offset where the scanner stood when the parse ended
};

// Runs the grammar over the text, as a statement or (syntaxOnly) as a bare expression check.
ParseOutcome ParseText(std::string_view text, SCalcState& state, bool syntaxOnly);
