// SPDX-License-Identifier: GPL-3.0-or-later
#include "calctool/reply.h"

#include "calctool/replykeys.h"
#include "engine/calcengine.h"
#include "plist/xmlwriter.h"

#include <cstdint>
#include <string>

// Both build the same entries; the keys are in the sorted order a written dictionary has.

namespace {

bool Explained(int resultKind, const Failure& failure) {
    return resultKind == kSyntaxError && failure.mReason != Reason::kNone;
}

} // namespace

plist::Value MakeReply(int resultKind, double result, std::string_view unit,
                       std::string_view symbol, std::size_t stop, const Failure& failure) {
    plist::Dictionary reply;
    const bool explained = Explained(resultKind, failure);
    auto addText = [&](const char* key, std::string_view text) {
        if (!text.empty())
            reply.emplace(key, plist::Value(std::string(text)));
    };
    if (explained) {
        if (failure.mCount > 0)
            reply.emplace(replykey::kArgumentCount, plist::Value(std::int64_t{failure.mCount}));
        addText(replykey::kName, failure.mName);
        addText(replykey::kOtherKind, failure.mOtherKind);
        addText(replykey::kOtherUnit, failure.mOtherUnit);
        reply.emplace(replykey::kReason, plist::Value(std::string(ReasonKey(failure.mReason))));
    }
    if (resultKind == kValue)
        reply.emplace(replykey::kResult, plist::Value(result));
    reply.emplace(replykey::kResultKind, plist::Value(static_cast<std::int64_t>(resultKind)));
    reply.emplace(replykey::kStop, plist::Value(static_cast<std::int64_t>(stop)));
    if (resultKind != kSyntaxError)
        reply.emplace(replykey::kSymbol, plist::Value(std::string(symbol)));
    if (resultKind == kValue)
        addText(replykey::kUnit, unit);
    if (explained) {
        addText(replykey::kUnit, failure.mUnit);
        addText(replykey::kUnitKind, failure.mUnitKind);
    }
    return plist::Value(std::move(reply));
}

std::string ReplyXml(int resultKind, double result, std::string_view unit, std::string_view symbol,
                     std::size_t stop, const Failure& failure) {
    plist::XmlDictionaryWriter reply;
    const bool explained = Explained(resultKind, failure);
    auto addText = [&](const char* key, std::string_view text) {
        if (!text.empty())
            reply.addString(key, text);
    };
    if (explained) {
        if (failure.mCount > 0)
            reply.addInteger(replykey::kArgumentCount, failure.mCount);
        addText(replykey::kName, failure.mName);
        addText(replykey::kOtherKind, failure.mOtherKind);
        addText(replykey::kOtherUnit, failure.mOtherUnit);
        reply.addString(replykey::kReason, ReasonKey(failure.mReason));
    }
    if (resultKind == kValue)
        reply.addReal(replykey::kResult, result);
    reply.addInteger(replykey::kResultKind, resultKind);
    reply.addInteger(replykey::kStop, static_cast<std::int64_t>(stop));
    if (resultKind != kSyntaxError)
        reply.addString(replykey::kSymbol, symbol);
    if (resultKind == kValue)
        addText(replykey::kUnit, unit);
    if (explained) {
        addText(replykey::kUnit, failure.mUnit);
        addText(replykey::kUnitKind, failure.mUnitKind);
    }
    return reply.finish();
}
