// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calcstate.h"

#include "engine/calcexception.h"
#include "engine/lexicon.h"

#include <algorithm>
#include <atomic>

void RequireStorableName(std::string_view name) {
    if (name.size() > kMaxNameLength)
        throw CalcException(Reason::kNameTooLong);
    if (name.find('\0') != std::string_view::npos)
        throw CalcException();
}

namespace {

// A new name changes how texts read, so the state moves on to the vocabulary that has it. One
// that no other state shares is simply dropped: nobody could reuse its parses.
void NoteNewName(const SCalcState& state, Vocabulary::NameKind kind, std::string_view name) {
    if (!state.mVocabulary)
        return;
    if (state.mVocabulary->use_count() == 1)
        state.mVocabulary.reset();
    else
        state.mVocabulary = state.mVocabulary->extended(kind, name);
}

template <typename T>
void StoreSymbol(SCalcState& state, SymbolTable<T>& table, NameSet& names,
                 Vocabulary::NameKind kind, std::string_view name, T value) {
    RequireStorableName(name);
    // The table ignores the empty name; the name set still records that it was stored.
    if (name.empty()) {
        names.insert(name);
        return;
    }
    if (table.store(name, std::move(value))) {
        names.insert(name);
        NoteNewName(state, kind, name);
    }
}

bool IsLetter(char c) { return lexicon::IsLetter(static_cast<unsigned char>(c)); }
bool IsNameChar(char c) { return lexicon::IsNameContinue(static_cast<unsigned char>(c)); }

// Puts "@" before each use of the parameter that stands as a name of its own: alone, after an
// operator, a parenthesis or a blank, or right after a number (2x), but not inside ax, a2x, x2,
// x_1 or a hexadecimal literal such as 0x1f.
void MarkParameter(std::string& body, const std::string& param) {
    std::size_t from = 0;
    while (from <= body.size()) {
        std::size_t pos = body.find(param, from);
        if (pos == std::string::npos)
            return;
        std::size_t end = pos + param.size();
        if (end < body.size() && IsNameChar(body[end])) {
            from = pos + 1;
            continue;
        }
        std::size_t runStart = pos;
        while (runStart > 0 && IsNameChar(body[runStart - 1]))
            --runStart;
        bool runHasLetter = std::any_of(body.begin() + runStart, body.begin() + pos, IsLetter);
        if (!runHasLetter && pos < body.size() && IsLetter(body[pos])) {
            body.insert(pos, 1, '@');
            ++pos;
        }
        from = pos + 1;
    }
}

} // namespace

SCalcState::SCalcState() : mBuiltins(&GetBuiltinTables()) {}

SCalcState::SCalcState(ScopeOf scope)
    : mBuiltins(scope.mParent.mBuiltins), mFunctions(scope.mParent.mFunctions),
      mVariables(scope.mParent.mVariables), mVariableNames(scope.mParent.mVariableNames),
      mFunctionNames(scope.mParent.mFunctionNames), mStackBase(scope.mParent.mStackBase),
      mScopeDepth(scope.mParent.mScopeDepth + 1), mVocabulary(&VocabularyOf(scope.mParent)) {
    if (scope.mParent.mScopeDepth >= kMaxScopeDepth)
        throw CalcException(Reason::kRecursionTooDeep);
}

SCalcState::~SCalcState() { gFunctionTableChanges.fetch_add(1, std::memory_order_relaxed); }

Vocabulary& VocabularyOfState(const SCalcState& state) {
    if (!state.mVocabulary)
        state.mVocabulary = new Vocabulary();
    return *state.mVocabulary;
}

const Quantity* FindVisibleVariable(const SCalcState& state, std::string_view name) {
    // Only a marked name can be a parameter.
    if (!name.empty() && name.front() == '@')
        for (const CallFrame* frame = state.mFrame; frame; frame = frame->mOuter) {
            // Bound from the last parameter down, so the first of two equal names wins.
            const std::size_t k = FindParameter(*frame, name);
            if (k < frame->mParams->size())
                return &state.mValueStack[frame->mArgumentsAt + k];
        }
    return state.mVariables.find(name);
}

std::unique_ptr<SCalcState> NamesInFrames(const SCalcState& state) {
    auto names = std::make_unique<SCalcState>();
    names->mBuiltins = state.mBuiltins;
    names->mFunctions = state.mFunctions;
    names->mVariables = state.mVariables;
    names->mVariableNames = state.mVariableNames;
    names->mFunctionNames = state.mFunctionNames;
    names->mStackBase = state.mStackBase;
    names->mScopeDepth = state.mScopeDepth;
    std::vector<const CallFrame*> frames;
    for (const CallFrame* frame = state.mFrame; frame; frame = frame->mOuter)
        frames.push_back(frame);
    // Outermost first and each call's last parameter first, as the calls bind them.
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame)
        for (std::size_t k = (*frame)->mParams->size(); k > 0; --k)
            StoreVariable(*names, (*frame)->mParams->at(k - 1),
                          state.mValueStack[(*frame)->mArgumentsAt + k - 1]);
    names->mVocabulary = &VocabularyOf(state);
    return names;
}

std::unique_ptr<SCalcState> CopyCalcState(const SCalcState& state) {
    auto copy = std::make_unique<SCalcState>(SCalcState::ScopeOf{state});
    copy->mValueStack = state.mValueStack;
    copy->mFunctionDefined = state.mFunctionDefined;
    return copy;
}

void StoreVariable(SCalcState& state, std::string_view name, Quantity value) {
    StoreSymbol(state, state.mVariables, state.mVariableNames, Vocabulary::kVariable, name, value);
}

void StoreVariable(SCalcState& state, std::string_view name) {
    StoreVariable(state, name, state.mValueStack.back());
}

void ReserveNames(SCalcState& state, std::size_t variables, std::size_t functions) {
    state.mVariables.reserve(state.mVariableNames.size() + variables);
    state.mVariableNames.reserve(state.mVariableNames.size() + variables);
    state.mFunctions.reserve(state.mFunctionNames.size() + functions);
    state.mFunctionNames.reserve(state.mFunctionNames.size() + functions);
}

std::atomic<std::uint64_t> gFunctionTableChanges{0};

void DefineFunction(SCalcState& state, std::string_view name, std::vector<std::string> params,
                    std::string body) {
    gFunctionTableChanges.fetch_add(1, std::memory_order_relaxed);
    for (std::string& param : params) {
        if (!param.empty() && IsLetter(param.front()))
            MarkParameter(body, param);
        param.insert(0, 1, '@');
    }
    StoreSymbol(state, state.mFunctions, state.mFunctionNames, Vocabulary::kFunction, name,
                UserFunction{std::move(params), std::move(body)});
}

void StripParamMarkers(std::string& text) { std::erase(text, '@'); }

const Quantity* FindVariable(const SCalcState& state, std::string_view name) {
    return state.mVariables.find(name);
}

const UserFunction* FindFunction(const SCalcState& state, std::string_view name) {
    return state.mFunctions.find(name);
}
