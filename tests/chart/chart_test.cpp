// SPDX-License-Identifier: GPL-3.0-or-later
// A chart's geometry: where the ticks go, which values the chart shows, and which points a
// curve is drawn through and joined by lines.

#include "chart/sampling.h"
#include "chart/summary.h"
#include "chart/ticks.h"
#include "chart/yrange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using chart::Point;
using chart::SampleCurve;
using chart::SampledCurve;

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Ticks, StepsOfOneTwoOrFiveGiveFourToTenTicks) {
    const struct {
        double low, high;
        double step;
        double first;
        int count;
    } rows[] = {
        {0, 1, 0.2, 0, 6}, // a step of 0.1 would make 11
        {0, 2 * kPi, 1, 0, 7},       {-3, 3, 1, -3, 7},
        {-5, 5, 2, -4, 5},           {0.001, 0.0013, 0.00005, 0.001, 7},
        {1e6, 1e6 + 1, 0.2, 1e6, 6}, {-1e-9, 1e-9, 5e-10, -1e-9, 5},
        {99.5, 100.5, 0.2, 99.6, 5}, {-7.3, 123.9, 20, 0, 7},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.low << " to " << row.high);
        const chart::Ticks ticks = chart::TicksFor(row.low, row.high);
        EXPECT_GE(ticks.count, 4);
        EXPECT_LE(ticks.count, 10);
        EXPECT_GE(ticks.at(0), row.low - 1e-12 * std::fabs(row.low));
        EXPECT_LE(ticks.at(ticks.count - 1), row.high + 1e-12 * std::fabs(row.high));
        const double mantissa = ticks.step / std::pow(10.0, std::floor(std::log10(ticks.step)));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 5) < 1e-9)
            << ticks.step;
        EXPECT_DOUBLE_EQ(ticks.step, row.step);
        EXPECT_NEAR(ticks.at(0), row.first, 1e-9 * std::fmax(1, std::fabs(row.first)));
        EXPECT_EQ(ticks.count, row.count);
    }
}

TEST(Ticks, RangesOfNoWidthAreTakenAroundTheirValue) {
    for (double value : {0.0, 5.0, -1e-300, 1e300}) {
        const chart::Ticks ticks = chart::TicksFor(value, value);
        EXPECT_GE(ticks.count, 4) << value;
        EXPECT_LE(ticks.at(0), value) << value;
        EXPECT_GE(ticks.at(ticks.count - 1), value) << value;
    }
    for (const auto& [low, high] : {std::pair{-kInf, kInf}, {std::nan(""), 1.0}, {-1e308, 1e308}}) {
        const chart::Ticks ticks = chart::TicksFor(low, high);
        EXPECT_GE(ticks.count, 4);
        EXPECT_LE(ticks.count, 10);
    }
}

TEST(ValueRange, LeavesOutTheExtremesAndPads) {
    std::vector<double> ramp;
    for (int k = 0; k <= 100; ++k)
        ramp.push_back(k / 100.0);
    std::vector<double> spiked = ramp;
    spiked[50] = 1e300;
    spiked.push_back(kInf);
    spiked.push_back(std::nan(""));
    const struct {
        const char* name;
        std::vector<double> values;
        double low, high;
    } rows[] = {
        // 101 values: the top and bottom two are left out, leaving 0.02 to 0.98.
        {"a ramp", ramp, 0.02 - 0.048, 0.98 + 0.048},
        {"one spike does not flatten the rest", spiked, 0.02 - 0.0485, 0.99 + 0.0485},
        {"values all equal", {3, 3, 3}, 2.7, 3.3},
        {"all zero", {0, 0}, -1, 1},
        {"no value at all", {std::nan(""), kInf}, -1, 1},
    };
    for (const auto& row : rows) {
        const chart::ValueRange range = chart::RangeOfValues(row.values);
        EXPECT_NEAR(range.low, row.low, 1e-12) << row.name;
        EXPECT_NEAR(range.high, row.high, 1e-12) << row.name;
    }
}

// The gaps in the drawn line: pairs of neighbours not joined, both with a value.
std::vector<double> BreaksOf(const SampledCurve& curve) {
    std::vector<double> breaks;
    for (std::size_t k = 0; k + 1 < curve.points.size(); ++k)
        if (!curve.joined[k] && std::isfinite(curve.points[k].y) &&
            std::isfinite(curve.points[k + 1].y))
            breaks.push_back((curve.points[k].x + curve.points[k + 1].x) / 2);
    return breaks;
}

TEST(Sampling, JoinsWhatIsContinuousOnly) {
    const struct {
        const char* name;
        chart::CurveFunction f;
        double from, to;
        std::vector<double> breaks; // where lines stop, to 1e-6
    } rows[] = {
        {"a smooth curve", [](double x) { return std::sin(x); }, 0, 2 * kPi, {}},
        {"a steep one", [](double x) { return std::atan(1000 * x); }, -1, 1, {}},
        {"poles", [](double x) { return std::tan(x); }, -kPi, kPi, {-kPi / 2, kPi / 2}},
        {"steps", [](double x) { return std::floor(x); }, 0.5, 3.5, {1, 2, 3}},
        {"a jump to a value of its own", [](double x) { return x < 0 ? -1.0 : 1.0; }, -1, 1, {0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const SampledCurve curve = SampleCurve(row.f, row.from, row.to);
        ASSERT_EQ(curve.joined.size() + 1, curve.points.size());
        EXPECT_EQ(curve.points.front().x, row.from);
        EXPECT_EQ(curve.points.back().x, row.to);
        const std::vector<double> breaks = BreaksOf(curve);
        ASSERT_EQ(breaks.size(), row.breaks.size());
        for (std::size_t k = 0; k < breaks.size(); ++k)
            EXPECT_NEAR(breaks[k], row.breaks[k], 1e-2);
    }
}

TEST(Sampling, PointsWithoutAValueAreLeftOut) {
    const SampledCurve curve = SampleCurve([](double x) { return std::sqrt(x); }, -1, 1);
    double firstWithValue = kInf;
    for (std::size_t k = 0; k < curve.points.size(); ++k) {
        const Point& point = curve.points[k];
        EXPECT_EQ(std::isfinite(point.y), point.x >= 0) << point.x;
        if (k + 1 < curve.points.size() && curve.joined[k]) {
            EXPECT_TRUE(point.x >= 0);
        }
        if (std::isfinite(point.y))
            firstWithValue = std::fmin(firstWithValue, point.x);
    }
    EXPECT_LT(firstWithValue, 1e-5) << "the edge is found by halving";
    const SampledCurve logarithm = SampleCurve([](double x) { return std::log(x); }, 0, 1);
    EXPECT_FALSE(std::isfinite(logarithm.points.front().y)) << "log(0) has no value to draw";
}

TEST(Sampling, RefinesWhereTheCurveTurnsUpToTheCap) {
    const chart::SamplingLimits limits{1000, 4000};
    const SampledCurve smooth = SampleCurve([](double x) { return x; }, 0, 1, limits);
    EXPECT_EQ(smooth.points.size(), 1001u) << "a straight line needs no more than its 1000 steps";
    const SampledCurve wild =
        SampleCurve([](double x) { return std::sin(1 / x); }, 0.001, 1, limits);
    EXPECT_GT(wild.points.size(), 1000u);
    EXPECT_LE(wild.points.size(), 4000u);
    for (std::size_t k = 0; k + 1 < wild.points.size(); ++k)
        EXPECT_LT(wild.points[k].x, wild.points[k + 1].x);
}

TEST(Sampling, ZerosAreSignChangesOfJoinedPoints) {
    const struct {
        const char* name;
        chart::CurveFunction f;
        double from, to;
        std::vector<double> zeros;
    } rows[] = {
        {"a parabola",
         [](double x) { return x * x - 2; },
         -3,
         3,
         {-std::sqrt(2.0), std::sqrt(2.0)}},
        {"a zero between two samples", [](double x) { return x; }, -1, 1, {0}},
        {"a pole's sign change is none", [](double x) { return 1 / x; }, -1, 1.5, {}},
        {"a step over zero is none", [](double x) { return x < 0.3 ? -1.0 : 1.0; }, 0, 1, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const SampledCurve curve = SampleCurve(row.f, row.from, row.to);
        const std::vector<double> zeros = chart::ZerosOf(curve, row.f);
        ASSERT_EQ(zeros.size(), row.zeros.size());
        for (std::size_t k = 0; k < zeros.size(); ++k)
            EXPECT_NEAR(zeros[k], row.zeros[k], 1e-12);
    }
}

TEST(Summary, NamesTheLowestAndHighestPointsAndTheZeros) {
    const struct {
        const char* name;
        chart::CurveFunction f;
        double from, to;
        double lowestX, lowestY, highestX, highestY;
        std::size_t zeros;
    } rows[] = {
        {"a sine", [](double x) { return std::sin(x); }, 0, 2 * kPi, 1.5 * kPi, -1, kPi / 2, 1, 2},
        {"a line", [](double x) { return 2 * x; }, -1, 3, -1, -2, 3, 6, 1},
        // Its values begin at a zero, which an even step reaches exactly.
        {"values only on part of the range", [](double x) { return std::sqrt(x); }, -4, 4, 0, 0, 4,
         2, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const SampledCurve curve = SampleCurve(row.f, row.from, row.to);
        const chart::CurveSummary summary = chart::SummaryOf(curve, row.f);
        ASSERT_TRUE(summary.lowest && summary.highest);
        EXPECT_NEAR(summary.lowest->x, row.lowestX, 1e-2);
        EXPECT_NEAR(summary.lowest->y, row.lowestY, 1e-4);
        EXPECT_NEAR(summary.highest->x, row.highestX, 1e-2);
        EXPECT_NEAR(summary.highest->y, row.highestY, 1e-4);
        EXPECT_EQ(summary.zeros.size(), row.zeros);
    }
    const SampledCurve nothing = SampleCurve([](double) { return std::nan(""); }, 0, 1);
    EXPECT_FALSE(chart::SummaryOf(nothing, [](double) { return std::nan(""); }).lowest);
}

} // namespace
