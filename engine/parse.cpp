#include "engine/parse.h"

#include "engine/failure.h"
#include "engine/grammar.h"

namespace {

Ref<Program> Record(std::string_view text, const SCalcState& state, ParseMode mode) {
    Ref<Program> program(new Program());
    const char* first = text.data();
    const char* last = first + text.size();
    Recording recording(state, *program, first);
    calculator grammar(recording, mode == ParseMode::kExpression ? 1 : 0);
    auto info = boost::spirit::classic::parse(first, last, grammar, calcparse::blank_p);
    program->mOutcome =
        ParseOutcome{info.hit, info.full, static_cast<std::size_t>(info.stop - first)};
    if (!info.full)
        program->mFailure = ExplainParseFailure(text, recording, program->mOutcome, state);
    return program;
}

} // namespace

Ref<const Program> ProgramFor(std::string_view text, const SCalcState& state, ParseMode mode) {
    Vocabulary& vocabulary = VocabularyOf(state);
    if (Ref<const Program> kept = vocabulary.find(text, mode))
        return kept;
    // A parse that fails on the way (too deep for the stack left) is not kept: it might
    // succeed from a shallower start.
    Ref<const Program> program = Record(text, state, mode);
    vocabulary.keep(text, mode, program);
    return program;
}
