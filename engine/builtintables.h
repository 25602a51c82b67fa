#pragma once

#include <boost/spirit/include/classic_symbols.hpp>

#include <string>
#include <vector>

using UnaryFunction = double (*)(double);
using BinaryFunction = double (*)(double, double);

// The built-in functions and constants every calculator shares. Built once, on first use, and
// kept for the life of the process.
struct BuiltinTables {
    boost::spirit::classic::symbols<UnaryFunction> mUnaryFunctions;
    boost::spirit::classic::symbols<BinaryFunction> mBinaryFunctions;
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
