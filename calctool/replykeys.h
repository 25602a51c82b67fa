// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keys of the dictionary CalcTool answers each line with, for the tool that writes it and
// the worksheet that reads it.
namespace replykey {
inline constexpr const char* kResultKind = "ResultKind";
inline constexpr const char* kResult = "Result";
inline constexpr const char* kSymbol = "Symbol";
inline constexpr const char* kStop = "Stop";
// Why a line failed, the name it concerns, and how many arguments that function takes.
inline constexpr const char* kReason = "Reason";
inline constexpr const char* kName = "Name";
inline constexpr const char* kArgumentCount = "ArgumentCount";
// The unit of a value ("km/h"); absent for a plain number. For a failure of units, the two
// sides' units and their kinds of quantity ("length"); a side without them is a plain number.
inline constexpr const char* kUnit = "Unit";
inline constexpr const char* kUnitKind = "UnitKind";
inline constexpr const char* kOtherUnit = "OtherUnit";
inline constexpr const char* kOtherKind = "OtherKind";
// A plot (ResultKind 3): the range of x, and one dictionary for each curve in the order written,
// with its expression, the unit of its values when it has one, and its samples: X and Y hold
// little-endian 64-bit reals, Y a NaN where the curve has no value; Joined holds one byte for
// each pair of neighbouring samples, 1 where a line joins them. Zeros are the x where the curve
// crosses zero.
inline constexpr const char* kFrom = "From";
inline constexpr const char* kTo = "To";
inline constexpr const char* kCurves = "Curves";
inline constexpr const char* kExpression = "Expression";
inline constexpr const char* kX = "X";
inline constexpr const char* kY = "Y";
inline constexpr const char* kJoined = "Joined";
inline constexpr const char* kZeros = "Zeros";
} // namespace replykey
