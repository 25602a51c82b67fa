// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/parse.h"

#include "engine/failure.h"
#include "engine/grammar.h"

namespace {

Ref<Program> RecordReading(std::string_view text, const SCalcState& state, ParseMode mode,
                           bool readsUnits) {
    Ref<Program> program(new Program());
    const char* first = text.data();
    const char* last = first + text.size();
    Recording recording(state, *program, first);
    recording.mReadsUnits = readsUnits;
    calculator grammar(recording, mode == ParseMode::kExpression ? 1 : 0);
    auto info = boost::spirit::classic::parse(first, last, grammar, calcparse::blank_p);
    program->mOutcome =
        ParseOutcome{info.hit, info.full, static_cast<std::size_t>(info.stop - first)};
    if (!info.full)
        program->mFailure = ExplainParseFailure(text, recording, program->mOutcome, state);
    return program;
}

// Only a word or a sign outside ASCII can name a unit.
bool MayHoldUnits(std::string_view text) {
    for (char c : text)
        if (lexicon::IsLetter(static_cast<unsigned char>(c)) ||
            static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// A text is read as it always was; only when that fails is it read again with units, so that
// no line that calculates without them changes. The second reading's failure explains the
// line when it got further.
Ref<Program> Record(std::string_view text, const SCalcState& state, ParseMode mode) {
    Ref<Program> program = RecordReading(text, state, mode, false);
    if (program->mOutcome.full || !MayHoldUnits(text))
        return program;
    Ref<Program> withUnits = RecordReading(text, state, mode, true);
    if (withUnits->mOutcome.full || withUnits->mOutcome.stop > program->mOutcome.stop)
        return withUnits;
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
