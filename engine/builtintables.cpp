// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/builtintables.h"

#include <cmath>
#include <memory>

namespace {

// The doubles nearest to pi/180 and 180/pi, so that rad(180) is exactly pi and deg(pi) is 180.
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kPi = 3.141592653589793;

double Atan(double x) { return std::atan(x); }
double Acos(double x) { return std::acos(x); }
double Asin(double x) { return std::asin(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }
double Round(double x) { return std::round(x); }
double Fabs(double x) { return std::fabs(x); }
double Log(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Log2(double x) { return std::log2(x); }
double Exp(double x) { return std::exp(x); }
double Rad(double x) { return x * kRadiansPerDegree; }
double Deg(double x) { return x * kDegreesPerRadian; }
double Sqrt(double x) { return std::sqrt(x); }

double Atan2(double y, double x) { return std::atan2(y, x); }
double Max(double a, double b) { return std::fmax(a, b); }
double Min(double a, double b) { return std::fmin(a, b); }
double Hypot(double a, double b) { return std::hypot(a, b); }

struct ConstantEntry {
    const char* name;
    double value;
};

using enum UnitRule;
const UnaryBuiltin kUnaryFunctions[] = {
    {"atan", &Atan, kPlainOnly},    {"acos", &Acos, kPlainOnly},   {"asin", &Asin, kPlainOnly},
    {"sin", &Sin, kTakesAngle},     {"cos", &Cos, kTakesAngle},    {"tan", &Tan, kTakesAngle},
    {"ceil", &Ceil, kKeepsUnit},    {"floor", &Floor, kKeepsUnit}, {"round", &Round, kKeepsUnit},
    {"fabs", &Fabs, kKeepsUnit},    {"abs", &Fabs, kKeepsUnit},    {"log", &Log, kPlainOnly},
    {"log10", &Log10, kPlainOnly},  {"log2", &Log2, kPlainOnly},   {"exp", &Exp, kPlainOnly},
    {"rad", &Rad, kPlainOnly},      {"deg", &Deg, kPlainOnly},     {"sqrt", &Sqrt, kSquareRoot},
    {"\u221A", &Sqrt, kSquareRoot}, // √
};
const BinaryBuiltin kBinaryFunctions[] = {
    {"atan2", &Atan2, kSameKindToPlain},
    {"max", &Max, kSameKind},
    {"min", &Min, kSameKind},
    {"hypot", &Hypot, kSameKind},
};
const ConstantEntry kConstants[] = {
    {"pi", kPi}, {"%", 0.01}, {"\u03C0", kPi}, {"e", 2.718281828459045}, // π
};

std::unique_ptr<BuiltinTables> BuildTables() {
    auto tables = std::make_unique<BuiltinTables>();
    for (const UnaryBuiltin& entry : kUnaryFunctions)
        tables->mUnaryFunctions.add(entry.name, entry);
    for (const BinaryBuiltin& entry : kBinaryFunctions)
        tables->mBinaryFunctions.add(entry.name, entry);
    for (const ConstantEntry& entry : kConstants)
        tables->mConstants.add(entry.name, entry.value);
    return tables;
}

} // namespace

const BuiltinTables& GetBuiltinTables() {
    // Published only once complete: a failed build leaves nothing behind and the next call retries.
    static BuiltinTables* tables = nullptr;
    if (!tables)
        tables = BuildTables().release();
    return *tables;
}

std::vector<BuiltinName> BuiltinNames() {
    std::vector<BuiltinName> names;
    for (const UnaryBuiltin& entry : kUnaryFunctions)
        names.push_back({entry.name, true});
    for (const BinaryBuiltin& entry : kBinaryFunctions)
        names.push_back({entry.name, true});
    for (const ConstantEntry& entry : kConstants)
        names.push_back({entry.name, false});
    return names;
}
