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
} // namespace replykey
