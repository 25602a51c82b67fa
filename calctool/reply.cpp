#include "calctool/reply.h"

#include "engine/calcengine.h"

#include <cstdint>
#include <string>

plist::Value MakeReply(int resultKind, double result, std::string_view symbol, std::size_t stop) {
    plist::Dictionary reply;
    reply.emplace("ResultKind", plist::Value(static_cast<std::int64_t>(resultKind)));
    if (resultKind == kValue)
        reply.emplace("Result", plist::Value(result));
    if (resultKind != kSyntaxError)
        reply.emplace("Symbol", plist::Value(std::string(symbol)));
    reply.emplace("Stop", plist::Value(static_cast<std::int64_t>(stop)));
    return plist::Value(std::move(reply));
}
