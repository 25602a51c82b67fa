// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/toolreply.h"

#include "calctool/replykeys.h"
#include "engine/calcengine.h"
#include "engine/lexicon.h"
#include "engine/quantity.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

std::int64_t integerEntry(const plist::Dictionary& reply, const char* key) {
    auto found = reply.find(key);
    return found == reply.end() ? 0 : found->second.integer().value_or(0);
}

std::string stringEntry(const plist::Dictionary& reply, const char* key) {
    auto found = reply.find(key);
    const std::string* text = found == reply.end() ? nullptr : found->second.string();
    return text ? *text : std::string();
}

const plist::Data* dataEntry(const plist::Dictionary& entries, const char* key) {
    auto found = entries.find(key);
    return found == entries.end() ? nullptr : found->second.data();
}

std::vector<double> realsOf(const plist::Data& data) {
    std::vector<double> reals(data.bytes.size() / sizeof(double));
    if (!reals.empty())
        std::memcpy(reals.data(), data.bytes.data(), reals.size() * sizeof(double));
    return reals;
}

// The curve as the tool sampled it; none when its samples do not fit together.
std::optional<PlottedCurve> plottedCurve(const plist::Dictionary& entries) {
    const plist::Data* xs = dataEntry(entries, replykey::kX);
    const plist::Data* ys = dataEntry(entries, replykey::kY);
    const plist::Data* joined = dataEntry(entries, replykey::kJoined);
    if (!xs || !ys || !joined)
        return std::nullopt;
    const std::vector<double> x = realsOf(*xs);
    const std::vector<double> y = realsOf(*ys);
    if (x.size() != y.size() || joined->bytes.size() + 1 != std::max<std::size_t>(x.size(), 1))
        return std::nullopt;
    PlottedCurve curve;
    curve.expression = stringEntry(entries, replykey::kExpression);
    curve.unit = stringEntry(entries, replykey::kUnit);
    curve.samples.points.reserve(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) {
        // Samples go from left to right: one out of order is no sample of this curve.
        if (!std::isfinite(x[k]) || (k > 0 && !(x[k] >= x[k - 1])))
            return std::nullopt;
        curve.samples.points.push_back({x[k], y[k]});
    }
    for (std::uint8_t byte : joined->bytes)
        curve.samples.joined.push_back(byte != 0);
    auto zeros = entries.find(replykey::kZeros);
    if (zeros != entries.end() && zeros->second.array())
        for (const plist::Value& zero : *zeros->second.array())
            if (std::optional<double> at = zero.real())
                curve.zeros.push_back(*at);
    return curve;
}

PlotAnswerPtr plotAnswer(const plist::Dictionary& reply) {
    auto plot = std::make_shared<PlotAnswer>();
    auto from = reply.find(replykey::kFrom);
    auto to = reply.find(replykey::kTo);
    plot->from = from == reply.end() ? 0.0 : from->second.real().value_or(0.0);
    plot->to = to == reply.end() ? 0.0 : to->second.real().value_or(0.0);
    if (!(plot->from < plot->to))
        return nullptr;
    auto curves = reply.find(replykey::kCurves);
    if (curves == reply.end() || !curves->second.array())
        return nullptr;
    for (const plist::Value& entry : *curves->second.array()) {
        const plist::Dictionary* entries = entry.dictionary();
        std::optional<PlottedCurve> curve = entries ? plottedCurve(*entries) : std::nullopt;
        if (!curve)
            return nullptr;
        plot->curves.push_back(std::move(*curve));
    }
    if (plot->curves.empty())
        return nullptr;
    return plot;
}

} // namespace

ToolReply recordToolReply(const plist::Dictionary& reply, const std::string& statement,
                          SCalcState& state) {
    ToolReply answer;
    answer.kind = int(integerEntry(reply, replykey::kResultKind));
    switch (answer.kind) {
    case kFunctionDefined: {
        // The tool's definition is reproduced by reading the same line.
        double ignored = 0;
        std::size_t stop = 0;
        EvaluateStatement(statement, state, ignored, stop);
        break;
    }
    case kPlot:
        answer.plot = plotAnswer(reply);
        if (!answer.plot)
            answer.kind = kSyntaxError;
        break;
    case kSyntaxError:
        answer.stop = integerEntry(reply, replykey::kStop);
        answer.reason = stringEntry(reply, replykey::kReason);
        answer.name = stringEntry(reply, replykey::kName);
        answer.argumentCount = integerEntry(reply, replykey::kArgumentCount);
        answer.failedUnit = stringEntry(reply, replykey::kUnit);
        answer.failedUnitKind = stringEntry(reply, replykey::kUnitKind);
        answer.otherUnit = stringEntry(reply, replykey::kOtherUnit);
        answer.otherKind = stringEntry(reply, replykey::kOtherKind);
        break;
    default: {
        answer.kind = kValue;
        auto result = reply.find(replykey::kResult);
        answer.value = result == reply.end() ? 0.0 : result->second.real().value_or(0.0);
        answer.unit = stringEntry(reply, replykey::kUnit);
        // A unit this side cannot read would make the mirror disagree with the tool: the
        // answer then shows as a plain number.
        const CompoundUnit* unit = UnitFromText(answer.unit);
        if (!unit)
            answer.unit.clear();
        const Quantity value(answer.value, unit);
        SetVariable(lexicon::kLastName, state, value);
        auto symbol = reply.find(replykey::kSymbol);
        const std::string* name = symbol == reply.end() ? nullptr : symbol->second.string();
        if (name && !name->empty())
            SetVariable(*name, state, value);
        break;
    }
    }
    return answer;
}
