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
} // namespace replykey
