// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/value.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace plist {
namespace {

TEST(Value, EachKindAnswersOnlyItsOwnAccessor) {
    struct Row {
        const char* what;
        Value value;
        Value::Kind kind;
    };
    const Row rows[] = {
        {"default is an empty dictionary", Value(), Value::Kind::Dictionary},
        {"array", Value(Array{1, 2}), Value::Kind::Array},
        {"string literal is not a boolean", Value("text"), Value::Kind::String},
        {"real", Value(2.5), Value::Kind::Real},
        {"int is an integer", Value(7), Value::Kind::Integer},
        {"int64 is an integer", Value(std::int64_t{1} << 40), Value::Kind::Integer},
        {"boolean", Value(false), Value::Kind::Boolean},
        {"data", Value(Data{{1, 2}}), Value::Kind::Data},
        {"date", Value(Date{3}), Value::Kind::Date},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Value& v = row.value;
        EXPECT_EQ(v.kind(), row.kind);
        EXPECT_EQ(v.dictionary() != nullptr, row.kind == Value::Kind::Dictionary);
        EXPECT_EQ(v.array() != nullptr, row.kind == Value::Kind::Array);
        EXPECT_EQ(v.string() != nullptr, row.kind == Value::Kind::String);
        EXPECT_EQ(v.real().has_value(),
                  row.kind == Value::Kind::Real || row.kind == Value::Kind::Integer);
        EXPECT_EQ(v.integer().has_value(), row.kind == Value::Kind::Integer);
        EXPECT_EQ(v.boolean().has_value(), row.kind == Value::Kind::Boolean);
        EXPECT_EQ(v.data() != nullptr, row.kind == Value::Kind::Data);
        EXPECT_EQ(v.date().has_value(), row.kind == Value::Kind::Date);
    }
    EXPECT_EQ(Value(7).real(), 7.0);
}

TEST(Value, EqualityIsExact) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        const char* what;
        Value a, b;
        bool equal;
    };
    const Row rows[] = {
        {"NaN equals the same NaN", Value(nan), Value(nan), true},
        {"NaN sign matters", Value(nan), Value(-nan), false},
        {"zero signs differ", Value(0.0), Value(-0.0), false},
        {"integer is not real", Value(1), Value(1.0), false},
        {"date NaN equals itself", Value(Date{nan}), Value(Date{nan}), true},
        {"nested containers", Value(Dictionary{{"a", Array{1, "x"}}}),
         Value(Dictionary{{"a", Array{1, "x"}}}), true},
        {"nested difference", Value(Dictionary{{"a", Array{1, "x"}}}),
         Value(Dictionary{{"a", Array{1, "y"}}}), false},
        {"empty array is not empty dictionary", Value(Array{}), Value(), false},
        {"small unsigned is the same integer", Value::fromUnsigned(5), Value(5), true},
        {"2^64 - 1 is not -1", Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max()),
         Value(-1), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.a == row.b, row.equal) << row.what;
}

// Integers above INT64_MAX have no signed value; where a real is wanted they give the nearest.
TEST(Value, UnsignedIntegersAboveInt64ReadAsTheNearestReal) {
    const Value largest = Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(largest.isInteger());
    EXPECT_EQ(largest.integer(), std::nullopt);
    EXPECT_EQ(largest.unsignedInteger(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(largest.real(), 18446744073709551616.0);
    EXPECT_EQ(Value(-1).unsignedInteger(), std::nullopt);
}

TEST(Value, CopiesAreIndependentAndMovedFromStaysReadable) {
    Value original = Dictionary{{"list", Array{1, 2}}};
    Value copy = original;
    copy.dictionary()->at("list").array()->push_back(3);
    EXPECT_EQ(original.dictionary()->at("list").array()->size(), 2u);

    Value taken = std::move(original);
    EXPECT_EQ(taken.dictionary()->size(), 1u);
    ASSERT_NE(original.dictionary(), nullptr); // NOLINT(bugprone-use-after-move)
    original.dictionary()->emplace("new", 1);
    EXPECT_EQ(original, Value(Dictionary{{"new", 1}}));

    copy = copy.dictionary()->at("list");
    EXPECT_EQ(copy, Value(Array{1, 2, 3}));
    copy = (*copy.array())[2];
    EXPECT_EQ(copy, Value(3));
    Value holder = Array{Array{2.5}};
    holder = std::move((*holder.array())[0]);
    holder = std::move((*holder.array())[0]);
    EXPECT_EQ(holder, Value(2.5));
}

} // namespace
} // namespace plist
