#include "calctool/reply.h"

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

plist::Value MakeReply(int resultKind, double result, std::string_view symbol, std::size_t stop,
                       const Failure& failure) {
    plist::Dictionary reply;
    if (Explained(resultKind, failure)) {
        if (failure.mCount > 0)
            reply.emplace("ArgumentCount", plist::Value(std::int64_t{failure.mCount}));
        if (!failure.mName.empty())
            reply.emplace("Name", plist::Value(failure.mName));
        reply.emplace("Reason", plist::Value(std::string(ReasonKey(failure.mReason))));
    }
    if (resultKind == kValue)
        reply.emplace("Result", plist::Value(result));
    reply.emplace("ResultKind", plist::Value(static_cast<std::int64_t>(resultKind)));
    reply.emplace("Stop", plist::Value(static_cast<std::int64_t>(stop)));
    if (resultKind != kSyntaxError)
        reply.emplace("Symbol", plist::Value(std::string(symbol)));
    return plist::Value(std::move(reply));
}

std::string ReplyXml(int resultKind, double result, std::string_view symbol, std::size_t stop,
                     const Failure& failure) {
    plist::XmlDictionaryWriter reply;
    if (Explained(resultKind, failure)) {
        if (failure.mCount > 0)
            reply.addInteger("ArgumentCount", failure.mCount);
        if (!failure.mName.empty())
            reply.addString("Name", failure.mName);
        reply.addString("Reason", ReasonKey(failure.mReason));
    }
    if (resultKind == kValue)
        reply.addReal("Result", result);
    reply.addInteger("ResultKind", resultKind);
    reply.addInteger("Stop", static_cast<std::int64_t>(stop));
    if (resultKind != kSyntaxError)
        reply.addString("Symbol", symbol);
    return reply.finish();
}
