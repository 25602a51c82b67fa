// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <boost/spirit/include/classic_symbols.hpp>

#include <string>
#include <vector>

using UnaryFunction = double (*)(double);
using BinaryFunction = double (*)(double, double);

// What a built-in function makes of a quantity with a unit.
enum class UnitRule {
    kPlainOnly,       // a plain number only: log(5 km) is refused
    kKeepsUnit,       // works on the number and keeps the unit: round(2.4 km) is 2 km
    kTakesAngle,      // an angle, in radians, or a plain number: sin(90°)
    kSquareRoot,      // halves every power of the unit: sqrt(9 m^2) is 3 m
    kSameKind,        // two quantities of one kind; the answer in the first one's unit
    kSameKindToPlain, // two quantities of one kind; the answer a plain number: atan2
};

struct UnaryBuiltin {
    const char* name;
    UnaryFunction function;
    UnitRule rule;
};
struct BinaryBuiltin {
    const char* name;
    BinaryFunction function;
    UnitRule rule;
};

// The built-in functions and constants every calculator shares. Built once, on first use, and
// kept for the life of the process.
struct BuiltinTables {
    boost::spirit::classic::symbols<UnaryBuiltin> mUnaryFunctions;
    boost::spirit::classic::symbols<BinaryBuiltin> mBinaryFunctions;
    boost::spirit::classic::symbols<double> mConstants;
};

// The process-wide tables, built on the first call. Not thread-safe: the first call must come
// from the thread that creates calculator states.
const BuiltinTables& GetBuiltinTables();

// The built-in names, for offering them to the user: functions take arguments, constants not.
struct BuiltinName {
    std::string name;
    bool isFunction;
};
std::vector<BuiltinName> BuiltinNames();
