// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/failure.h"

#include "engine/primitives.h"
#include "engine/recording.h"
#include "engine/symboltable.h"
#include "engine/unitparsers.h"

namespace {

// The bytes of the UTF-8 character that begins at `at`, or of the byte alone when it begins
// none.
std::string_view CharacterAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.substr(at, length);
}

bool IsFunctionName(std::string_view name, const SCalcState& state) {
    const BuiltinTables& builtins = *state.mBuiltins;
    return name == "if" || ExactLookup(builtins.mUnaryFunctions, name) ||
           ExactLookup(builtins.mBinaryFunctions, name) || FindFunction(state, name);
}

// What stands where a value or an operator was wanted: a name nobody defined, a function
// without its parenthesis, or some other character.
Failure ExplainWhatStands(std::string_view text, std::size_t at, const SCalcState& state) {
    if (!lexicon::IsNameStart(static_cast<unsigned char>(text[at])))
        return {Reason::kUnexpectedCharacter, std::string(CharacterAt(text, at))};
    std::size_t end = at;
    while (end < text.size() && calcparse::name_char_p.test(text[end]))
        ++end;
    std::string name(text.substr(at, end - at));
    // In a function body, a parameter carries its marker.
    StripParamMarkers(name);
    if (IsFunctionName(name, state))
        return {Reason::kNeedsParenthesis, std::move(name)};
    return {Reason::kUnknownName, std::move(name)};
}

} // namespace

const char* ReasonKey(Reason reason) {
    switch (reason) {
    case Reason::kNone:
        return "";
    case Reason::kUnknownName:
        return "UnknownName";
    case Reason::kNeedsParenthesis:
        return "NeedsParenthesis";
    case Reason::kUnexpectedCharacter:
        return "UnexpectedCharacter";
    case Reason::kMissingParenthesis:
        return "MissingParenthesis";
    case Reason::kEndsTooSoon:
        return "EndsTooSoon";
    case Reason::kArgumentCount:
        return "ArgumentCount";
    case Reason::kNestingTooDeep:
        return "NestingTooDeep";
    case Reason::kRecursionTooDeep:
        return "RecursionTooDeep";
    case Reason::kHexTooLarge:
        return "HexTooLarge";
    case Reason::kExponentNeedsDigits:
        return "ExponentNeedsDigits";
    case Reason::kNameTooLong:
        return "NameTooLong";
    case Reason::kParameterTwice:
        return "ParameterTwice";
    case Reason::kCannotAdd:
        return "CannotAdd";
    case Reason::kCannotSubtract:
        return "CannotSubtract";
    case Reason::kCannotConvert:
        return "CannotConvert";
    case Reason::kCannotCompare:
        return "CannotCompare";
    case Reason::kAbsoluteTemperatures:
        return "AbsoluteTemperatures";
    case Reason::kNeedsPlainNumber:
        return "NeedsPlainNumber";
    case Reason::kNeedsAngle:
        return "NeedsAngle";
    case Reason::kExponentHasUnit:
        return "ExponentHasUnit";
    case Reason::kPowerNotWhole:
        return "PowerNotWhole";
    case Reason::kNotAUnit:
        return "NotAUnit";
    case Reason::kPlotNotAlone:
        return "PlotNotAlone";
    case Reason::kPlotArguments:
        return "PlotArguments";
    case Reason::kPlotRange:
        return "PlotRange";
    }
    return "";
}

Failure ExplainParseFailure(std::string_view text, const Recording& recording,
                            const ParseOutcome& outcome, const SCalcState& state) {
    // An expression that is whole but for blanks after it: nothing was missing, the blank is
    // too much.
    if (outcome.hit && outcome.stop < text.size() &&
        text.find_first_not_of(" \t\n\v\f\r", outcome.stop) == std::string_view::npos)
        return {Reason::kUnexpectedCharacter, std::string(1, text[outcome.stop])};
    if (!recording.mFailed)
        return {};
    if (recording.mCallFailure.mReason != Reason::kNone)
        return recording.mCallFailure;
    const FailureNote& note = recording.mFurthest;
    const bool atEnd = note.mPosition >= text.size();
    switch (note.mExpected) {
    case Expected::kHexFits:
        return {Reason::kHexTooLarge,
                std::string(text.substr(note.mFrom, note.mPosition - note.mFrom))};
    case Expected::kExponentDigit:
        return {Reason::kExponentNeedsDigits};
    case Expected::kUnit:
        if (atEnd)
            return {Reason::kEndsTooSoon};
        if (const char* end =
                calcparse::UnitWordEnd(text.data() + note.mPosition, text.data() + text.size());
            end != text.data() + note.mPosition)
            return {Reason::kNotAUnit,
                    std::string(text.substr(note.mPosition, end - text.data() - note.mPosition))};
        break;
    case Expected::kGroupClose:
    case Expected::kCallClose:
        if (atEnd)
            return {Reason::kMissingParenthesis};
        break;
    case Expected::kValue:
    case Expected::kEnd:
    case Expected::kCallComma:
        if (atEnd)
            return {Reason::kEndsTooSoon};
        break;
    }
    return ExplainWhatStands(text, note.mPosition, state);
}
