#include "worksheet/toolreply.h"

#include "calctool/replykeys.h"
#include "engine/calcengine.h"
#include "engine/lexicon.h"
#include "engine/quantity.h"

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
