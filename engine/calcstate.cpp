#include "engine/calcstate.h"

#include "engine/calcexception.h"

#include <algorithm>

namespace bsc = boost::spirit::classic;

namespace {

void RequireStorableName(std::string_view name) {
    if (name.size() > kMaxNameLength || name.find('\0') != std::string_view::npos)
        throw CalcException();
}

template <typename T>
void StoreSymbol(bsc::symbols<T>& table, std::set<std::string>& names, std::string_view name,
                 T value) {
    RequireStorableName(name);
    if (T* existing = ExactLookup(table, name)) {
        *existing = std::move(value);
        return;
    }
    names.emplace(name);
    if (!name.empty())
        table.add(name.data(), name.data() + name.size(), std::move(value));
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

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

SCalcState::~SCalcState() = default;

std::unique_ptr<SCalcState> CopyCalcState(const SCalcState& state) {
    if (state.mScopeDepth >= kMaxScopeDepth)
        throw CalcException();
    auto copy = std::make_unique<SCalcState>();
    copy->mValueStack = state.mValueStack;
    copy->mParamNames = state.mParamNames;
    copy->mFunctions = state.mFunctions;
    copy->mVariables = state.mVariables;
    copy->mAssignName = state.mAssignName;
    copy->mVariableNames = state.mVariableNames;
    copy->mFunctionNames = state.mFunctionNames;
    copy->mDefName = state.mDefName;
    copy->mDefBody = state.mDefBody;
    copy->mIfTrueText = state.mIfTrueText;
    copy->mIfFalseText = state.mIfFalseText;
    copy->mFunctionDefined = state.mFunctionDefined;
    copy->mStackBase = state.mStackBase;
    copy->mScopeDepth = state.mScopeDepth + 1;
    return copy;
}

void StoreVariable(SCalcState& state, std::string_view name) {
    StoreSymbol(state.mVariables, state.mVariableNames, name, state.mValueStack.back());
}

void DefineFunction(SCalcState& state, std::string_view name, std::vector<std::string> params,
                    std::string body) {
    for (std::string& param : params) {
        if (!param.empty() && IsLetter(param.front()))
            MarkParameter(body, param);
        param.insert(0, 1, '@');
    }
    StoreSymbol(state.mFunctions, state.mFunctionNames, name,
                UserFunction{std::move(params), std::move(body)});
}

void StripParamMarkers(std::string& text) { std::erase(text, '@'); }

const double* FindVariable(const SCalcState& state, std::string_view name) {
    return ExactLookup(state.mVariables, name);
}

const UserFunction* FindFunction(const SCalcState& state, std::string_view name) {
    return ExactLookup(state.mFunctions, name);
}
