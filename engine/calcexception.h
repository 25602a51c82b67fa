// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>
#include <utility>

// Why a statement gave no result, for the user to read. The parse or the action that fails
// decides it; a failure it cannot explain stays kNone and shows as the plain message.
enum class Reason {
    kNone,
    kUnknownName,         // mName is not a variable, constant or function
    kNeedsParenthesis,    // mName is a function (or "if") without "(" right after it
    kUnexpectedCharacter, // mName is the character the line cannot go on with
    kMissingParenthesis,  // the line ends before a ")"
    kEndsTooSoon,         // the line ends where a value or an argument should follow
    kArgumentCount,       // mName takes mCount arguments
    kNestingTooDeep,      // parentheses, calls or powers nested beyond the limit
    kRecursionTooDeep,    // calls nested beyond the limit, usually endless recursion
    kHexTooLarge,         // mName is a hexadecimal literal beyond 64 bits
    kExponentNeedsDigits, // an "e" of a number with no exponent after it
    kNameTooLong,         // a name longer than any a state holds
    kParameterTwice,      // mName is the name of two parameters of one definition
    // Quantities whose units do not go together; mUnit and mOtherUnit are the two sides, an
    // empty one being a plain number.
    kCannotAdd,            // mUnit + mOtherUnit
    kCannotSubtract,       // mUnit - mOtherUnit
    kCannotConvert,        // mUnit to mOtherUnit
    kCannotCompare,        // the function mName of mUnit and mOtherUnit
    kAbsoluteTemperatures, // mUnit + mOtherUnit, both absolute temperatures
    kNeedsPlainNumber,     // the function mName of a quantity in mUnit
    kNeedsAngle,           // the function mName of a quantity in mUnit, not an angle
    kExponentHasUnit,      // a power whose exponent is in mUnit
    kPowerNotWhole,        // mUnit to a power that leaves a unit to a fractional power
    kNotAUnit,             // mName is no unit, where a conversion wants one
    // A plot: one that is part of a longer statement, one with fewer than a curve and the two
    // ends of its range, and a range that is empty, reversed or endless.
    kPlotNotAlone,
    kPlotArguments,
    kPlotRange,
};

struct Failure {
    Failure() = default;
    Failure(Reason reason, std::string name = {}, int count = 0)
        : mReason(reason), mName(std::move(name)), mCount(count) {}

    Reason mReason = Reason::kNone;
    std::string mName;
    int mCount = 0;
    // The units involved and their kinds of quantity ("length"), where units are the reason.
    std::string mUnit;
    std::string mUnitKind;
    std::string mOtherUnit;
    std::string mOtherKind;
};

// The reason's key in the tool's reply: "UnknownName" for kUnknownName; empty for kNone.
const char* ReasonKey(Reason reason);

// Signals that the statement being evaluated cannot produce a result. The entry points turn
// it into result kind 0, which the worksheet shows as a syntax error with the reason.
class CalcException : public std::exception {
public:
    CalcException() = default;
    explicit CalcException(Reason reason, std::string name = {}, int count = 0)
        : mFailure(reason, std::move(name), count) {}
    explicit CalcException(Failure failure) : mFailure(std::move(failure)) {}

    const Failure& failure() const { return mFailure; }

private:
    Failure mFailure;
};
