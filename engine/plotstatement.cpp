// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/plotstatement.h"

#include "engine/calcstate.h"
#include "engine/parse.h"
#include "engine/program.h"
#include "engine/stackguard.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr std::string_view kPlotWord = "plot";
constexpr std::string_view kCurveParameter = "x";

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

// Where "(" opens the argument list, after "plot" and blanks; npos when the line does not
// begin so.
std::size_t ArgumentsOpenAt(std::string_view text) {
    const std::size_t word = SkipBlanks(text, 0);
    if (text.substr(word, kPlotWord.size()) != kPlotWord)
        return std::string_view::npos;
    const std::size_t open = SkipBlanks(text, word + kPlotWord.size());
    return open < text.size() && text[open] == '(' ? open : std::string_view::npos;
}

struct Argument {
    std::size_t begin; // the first byte that is no blank, or the end when it is all blank
    std::size_t end;   // one past the last byte that is no blank
};

struct ArgumentList {
    std::vector<Argument> arguments;
    std::size_t close = std::string_view::npos; // the ")" that closes the list, if any
};

// The arguments between the "(" at `open` and the ")" that matches it, split at the commas
// outside any inner parentheses.
ArgumentList SplitArguments(std::string_view text, std::size_t open) {
    ArgumentList list;
    int depth = 0;
    std::size_t start = open + 1;
    auto finish = [&](std::size_t end) {
        std::size_t begin = SkipBlanks(text, start);
        while (end > begin && IsBlank(text[end - 1]))
            --end;
        list.arguments.push_back({begin, std::max(begin, end)});
    };
    for (std::size_t at = open + 1; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ')') {
            finish(at);
            list.close = at;
            return list;
        } else if (c == ',' && depth == 0) {
            finish(at);
            start = at + 1;
        }
    }
    return list;
}

// The value of an expression in the scope, run as a function body is: a reading checked to be an
// expression records nothing to run.
Quantity RunExpression(std::string_view text, SCalcState& scope) {
    StackBaseScope stackBase(scope);
    scope.mValueStack.clear();
    const Ref<const Program> program = ProgramFor(text, scope, ParseMode::kStatement);
    if (!program->mOutcome.full)
        throw CalcException(program->mFailure);
    RunProgram(*program, scope, Results::kValueOnly);
    if (scope.mValueStack.empty())
        throw CalcException();
    return scope.mValueStack.back();
}

// Whether the text is one expression in the scope's names; if not, why and where it stops.
bool ReadsAsExpression(std::string_view text, std::size_t offset, const SCalcState& scope,
                       Failure& failure, std::size_t& stop) {
    const Ref<const Program> program = ProgramFor(text, scope, ParseMode::kExpression);
    if (program->mOutcome.full)
        return true;
    failure = program->mFailure;
    stop = offset + program->mOutcome.stop;
    return false;
}

// The value of an expression read with the state's names, in a private scope of it.
bool EvaluateBound(std::string_view text, std::size_t offset, const SCalcState& state,
                   Quantity& value, Failure& failure, std::size_t& stop) {
    const std::unique_ptr<SCalcState> scope = CopyCalcState(state);
    if (!ReadsAsExpression(text, offset, *scope, failure, stop))
        return false;
    try {
        value = RunExpression(text, *scope);
        return true;
    } catch (const CalcException& exception) {
        failure = exception.failure();
        stop = offset;
        return false;
    }
}

} // namespace

bool BeginsAsPlot(std::string_view text) { return ArgumentsOpenAt(text) != std::string_view::npos; }

bool IsPlotStatement(std::string_view text, const SCalcState& state) {
    const std::size_t open = ArgumentsOpenAt(text);
    if (open == std::string_view::npos || FindVariable(state, kPlotWord) ||
        FindFunction(state, kPlotWord))
        return false;
    // "plot(t) = t" defines a function of that name.
    const ArgumentList list = SplitArguments(text, open);
    if (list.close == std::string_view::npos)
        return true;
    const std::size_t after = SkipBlanks(text, list.close + 1);
    return after == text.size() || text[after] != '=';
}

bool ReadPlotStatement(std::string_view text, SCalcState& state, PlotStatement& plot,
                       Failure& failure, std::size_t& stop) {
    failure = Failure{};
    plot = PlotStatement{};
    try {
        const std::size_t open = ArgumentsOpenAt(text);
        const ArgumentList list = SplitArguments(text, open);
        if (list.close == std::string_view::npos) {
            failure = Failure(Reason::kMissingParenthesis);
            stop = text.size();
            return false;
        }
        const std::size_t after = SkipBlanks(text, list.close + 1);
        if (after != text.size()) {
            failure = Failure(Reason::kPlotNotAlone);
            stop = after;
            return false;
        }
        const std::vector<Argument>& arguments = list.arguments;
        for (const Argument& argument : arguments) {
            if (argument.begin == argument.end) {
                failure = Failure(Reason::kEndsTooSoon);
                stop = argument.begin;
                return false;
            }
        }
        if (arguments.size() < 3) {
            failure = Failure(Reason::kPlotArguments);
            stop = list.close;
            return false;
        }
        auto textOf = [text](const Argument& argument) {
            return text.substr(argument.begin, argument.end - argument.begin);
        };

        // The curves are checked as a definition's body is: with x standing in for the
        // parameter, whatever the state's x holds.
        const std::unique_ptr<SCalcState> curveScope = CopyCalcState(state);
        StoreVariable(*curveScope, kCurveParameter, 1.0);
        for (std::size_t k = 0; k + 2 < arguments.size(); ++k) {
            const std::string_view curve = textOf(arguments[k]);
            if (!ReadsAsExpression(curve, arguments[k].begin, *curveScope, failure, stop))
                return false;
            plot.curves.push_back({std::string(curve), arguments[k].begin});
        }

        double ends[2];
        for (int k = 0; k < 2; ++k) {
            const Argument& argument = arguments[arguments.size() - 2 + k];
            Quantity end;
            if (!EvaluateBound(textOf(argument), argument.begin, state, end, failure, stop))
                return false;
            if (end.unit) {
                failure = Failure(Reason::kNeedsPlainNumber, std::string(kPlotWord));
                failure.mUnit = end.unit->text;
                stop = argument.begin;
                return false;
            }
            ends[k] = end.number;
        }
        if (!std::isfinite(ends[0]) || !std::isfinite(ends[1]) || !(ends[0] < ends[1])) {
            failure = Failure(Reason::kPlotRange);
            stop = arguments[arguments.size() - 2].begin;
            return false;
        }
        plot.from = ends[0];
        plot.to = ends[1];
        return true;
    } catch (const CalcException& exception) {
        failure = exception.failure();
        stop = 0;
        return false;
    } catch (...) {
        failure = Failure{};
        stop = 0;
        return false;
    }
}

CurveOfX::CurveOfX(const SCalcState& state, std::string text)
    : mScope(CopyCalcState(state)), mText(std::move(text)) {}

CurveOfX::~CurveOfX() = default;

double CurveOfX::operator()(double x) {
    constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
    try {
        StoreVariable(*mScope, kCurveParameter, x);
        const Quantity value = RunExpression(mText, *mScope);
        if (!mUnitSeen && std::isfinite(value.number)) {
            mUnitSeen = true;
            if (value.unit)
                mUnit = value.unit->text;
        }
        return value.number;
    } catch (const CalcException& exception) {
        if (!mFailed) {
            mFailed = true;
            mFirstFailure = exception.failure();
        }
        return kNoValue;
    } catch (...) {
        mFailed = true;
        return kNoValue;
    }
}
