#include "worksheet/toolreply.h"

#include "calctool/replykeys.h"
#include "engine/calcengine.h"
#include "engine/lexicon.h"

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
        break;
    default: {
        answer.kind = kValue;
        auto result = reply.find(replykey::kResult);
        answer.value = result == reply.end() ? 0.0 : result->second.real().value_or(0.0);
        SetVariable(lexicon::kLastName, state, answer.value);
        auto symbol = reply.find(replykey::kSymbol);
        const std::string* name = symbol == reply.end() ? nullptr : symbol->second.string();
        if (name && !name->empty())
            SetVariable(*name, state, answer.value);
        break;
    }
    }
    return answer;
}
