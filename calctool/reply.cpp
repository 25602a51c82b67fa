#include "calctool/reply.h"

#include "engine/calcengine.h"
#include "plist/xmlwriter.h"

#include <cstdint>
#include <string>

// Both build the same entries; the keys are in the sorted order a written dictionary has.

plist::Value MakeReply(int resultKind, double result, std::string_view symbol, std::size_t stop) {
    plist::Dictionary reply;
    if (resultKind == kValue)
        reply.emplace("Result", plist::Value(result));
    reply.emplace("ResultKind", plist::Value(static_cast<std::int64_t>(resultKind)));
    reply.emplace("Stop", plist::Value(static_cast<std::int64_t>(stop)));
    if (resultKind != kSyntaxError)
        reply.emplace("Symbol", plist::Value(std::string(symbol)));
    return plist::Value(std::move(reply));
}

std::string ReplyXml(int resultKind, double result, std::string_view symbol, std::size_t stop) {
    plist::XmlDictionaryWriter reply;
    if (resultKind == kValue)
        reply.addReal("Result", result);
    reply.addInteger("ResultKind", resultKind);
    reply.addInteger("Stop", static_cast<std::int64_t>(stop));
    if (resultKind != kSyntaxError)
        reply.addString("Symbol", symbol);
    return reply.finish();
}
