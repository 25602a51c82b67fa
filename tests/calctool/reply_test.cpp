// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's reply written straight out must be exactly what the generic writer makes of it:
// the document reads it with the generic reader, and saved answers compare bytes.

#include "calctool/reply.h"
#include "engine/calcengine.h"
#include "plist/xmlwriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct ReplyCase {
    int kind;
    double value;
    std::string symbol;
    std::size_t stop;
    Failure failure = {};
    std::string unit = {};
};

Failure UnitFailure(Reason reason, std::string unit, std::string kind, std::string other,
                    std::string otherKind) {
    Failure failure(reason);
    failure.mUnit = std::move(unit);
    failure.mUnitKind = std::move(kind);
    failure.mOtherUnit = std::move(other);
    failure.mOtherKind = std::move(otherKind);
    return failure;
}

TEST(Reply, WrittenStraightOutEqualsTheGenericWriter) {
    const double inf = std::numeric_limits<double>::infinity();
    const ReplyCase cases[] = {
        {kValue, 5, "x", 5},
        {kValue, 0.1, "", 3},
        {kValue, -0.0, "last", 0},
        {kValue, 1e300, "big", 12},
        {kValue, std::nan(""), "n", 1},
        {kValue, -inf, "m", 2},
        {kValue, 42, "a&b<c>d", 7},          // markup in a name
        {kValue, 1, "\xcf\x80r\xc2\xb2", 5}, // "πr²"
        {kValue, 1, "tab\there\r", 4},       // controls that XML keeps or escapes
        {kValue, 1, "bell\x07", 4},          // a control XML cannot carry
        {kValue, 1, "bad\xff", 4},           // ill-formed UTF-8
        {kFunctionDefined, 0, "f", 11},
        {kSyntaxError, 0, "ignored", 2},
        {kSyntaxError, 0, "", std::size_t{1} << 40},
        {kSyntaxError, 0, "", 0, {Reason::kUnknownName, "junk"}},
        {kSyntaxError, 0, "", 0, {Reason::kArgumentCount, "f<g>", 1}},
        {kSyntaxError, 0, "", 3, {Reason::kMissingParenthesis}},
        {kValue, 1, "x", 1, {Reason::kUnknownName, "only an error has a reason"}},
        {kValue, 50, "v", 9, {}, "km/h"},
        {kValue,
         68,
         "",
         9,
         {},
         "\xc2\xb0"
         "F"}, // °F
        {kSyntaxError, 0, "", 0, {}, "only a value has a unit"},
        {kSyntaxError, 0, "", 0, UnitFailure(Reason::kCannotAdd, "km", "length", "kg", "mass")},
        {kSyntaxError, 0, "", 0, UnitFailure(Reason::kCannotConvert, "", "", "s", "time")},
    };
    for (const ReplyCase& reply : cases) {
        SCOPED_TRACE(reply.symbol);
        EXPECT_EQ(
            ReplyXml(reply.kind, reply.value, reply.unit, reply.symbol, reply.stop, reply.failure),
            plist::writeXml(MakeReply(reply.kind, reply.value, reply.unit, reply.symbol, reply.stop,
                                      reply.failure)));
    }
}

TEST(Reply, AnEmptyDictionaryIsWrittenAsTheGenericWriterDoes) {
    EXPECT_EQ(plist::XmlDictionaryWriter().finish(),
              plist::writeXml(plist::Value(plist::Dictionary{})));
}

} // namespace
