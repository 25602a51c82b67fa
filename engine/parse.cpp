#include "engine/parse.h"

#include "engine/grammar.h"

ParseOutcome ParseText(std::string_view text, SCalcState& state, bool syntaxOnly) {
    calculator grammar(state, syntaxOnly ? 1 : 0);
    const char* first = text.data();
    const char* last = first + text.size();
    auto info = boost::spirit::classic::parse(first, last, grammar, calcparse::blank_p);
    return ParseOutcome{info.hit, info.full, static_cast<std::size_t>(info.stop - first)};
}
