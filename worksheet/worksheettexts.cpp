// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheettexts.h"

#include "platform/keyedtexts.h"

namespace {

constexpr char kWorksheetContext[] = "worksheet";

// What the worksheet itself says: its answers' messages, its listings, its tool's troubles and
// its own commands' questions.
const platform::KeyedText kWorksheetTexts[] = {
    // The document framework's words for worksheets: their files, windows and recovery.
    {"ReopenClosedMenu", QT_TRANSLATE_NOOP("worksheet", "Reopen Closed &Worksheet")},
    {"UnknownFormat",
     QT_TRANSLATE_NOOP("worksheet",
                       "“%1” is not in a format Figurello reads.\n"
                       "Figurello opens worksheets (.figurello), RTF and plain text.")},
    {"CannotKeepClosed",
     QT_TRANSLATE_NOOP("worksheet", "This worksheet cannot be kept for reopening after it is "
                                    "closed:\n%1")},
    {"NoClosedWorksheets", QT_TRANSLATE_NOOP("worksheet", "No Closed Worksheets")},
    {"Recovery",
     QT_TRANSLATE_NOOP("worksheet", "Figurello did not close properly. Restore the unsaved "
                                    "worksheets it had open?")},
    {"Recovery_detail",
     QT_TRANSLATE_NOOP("worksheet", "Worksheets you discard can still be reopened from File ▸ "
                                    "Reopen Closed Worksheet.")},
    {"Recovery_title", QT_TRANSLATE_NOOP("worksheet", "Worksheet")},
    {"WorksheetFilter",
     QT_TRANSLATE_NOOP("worksheet", "Worksheets (*.figurello);;RTF documents (*.rtf);;"
                                    "Text files (*.txt);;All files (*)")},
    {"SaveFilter", QT_TRANSLATE_NOOP("worksheet", "Worksheets (*.figurello)")},
    {"NoTextToPaste", QT_TRANSLATE_NOOP("worksheet", "There is no text to paste")},
    // %1 lines to paste.
    {"TooManyLinesToPaste",
     QT_TRANSLATE_NOOP("worksheet", "Not pasted: the text has %1 lines, more than a worksheet "
                                    "can show at this size")},
    {"DefFun", QT_TRANSLATE_NOOP("worksheet", "Function defined")},
    {"SynErr", QT_TRANSLATE_NOOP("worksheet", "Syntax error")},
    // A syntax error with its reason: "Syntax error: “junk” is not defined". The reasons are
    // keyed "Reason_" and the key the calculation tool gives; %1 is the name it gives.
    {"SynErrWithReason", QT_TRANSLATE_NOOP("worksheet", "%1: %2")},
    {"Reason_UnknownName", QT_TRANSLATE_NOOP("worksheet", "“%1” is not defined")},
    {"Reason_NeedsParenthesis", QT_TRANSLATE_NOOP("worksheet", "“%1” needs “(” right after it")},
    {"Reason_UnexpectedCharacter", QT_TRANSLATE_NOOP("worksheet", "unexpected “%1”")},
    {"Reason_MissingParenthesis", QT_TRANSLATE_NOOP("worksheet", "missing “)”")},
    {"Reason_EndsTooSoon", QT_TRANSLATE_NOOP("worksheet", "the line ends too soon")},
    {"Reason_ArgumentCount", QT_TRANSLATE_NOOP("worksheet", "“%1” takes %2 arguments")},
    {"Reason_ArgumentCount_one", QT_TRANSLATE_NOOP("worksheet", "“%1” takes 1 argument")},
    {"Reason_NestingTooDeep", QT_TRANSLATE_NOOP("worksheet", "nested too deeply")},
    {"Reason_RecursionTooDeep", QT_TRANSLATE_NOOP("worksheet", "recursion too deep")},
    {"Reason_HexTooLarge", QT_TRANSLATE_NOOP("worksheet", "“%1” is larger than 64 bits")},
    {"Reason_ExponentNeedsDigits",
     QT_TRANSLATE_NOOP("worksheet", "an exponent needs digits after its “e”")},
    {"Reason_NameTooLong", QT_TRANSLATE_NOOP("worksheet", "the name is too long")},
    {"Reason_ParameterTwice", QT_TRANSLATE_NOOP("worksheet", "“%1” names two parameters")},
    // The reasons of units that do not go together. Each side is a unit with its kind
    // ("“km” (length)") or a plain number; %1 and %2 are the sides, in the order of the line,
    // or, where a function is named, %1 the function and %2 and %3 the sides.
    {"Reason_CannotAdd", QT_TRANSLATE_NOOP("worksheet", "cannot add %1 and %2")},
    {"Reason_CannotSubtract", QT_TRANSLATE_NOOP("worksheet", "cannot subtract %2 from %1")},
    {"Reason_CannotConvert", QT_TRANSLATE_NOOP("worksheet", "cannot convert %1 to %2")},
    {"Reason_CannotCompare",
     QT_TRANSLATE_NOOP("worksheet", "“%1” needs two quantities of one kind, not %2 and %3")},
    {"Reason_AbsoluteTemperatures",
     QT_TRANSLATE_NOOP("worksheet",
                       "cannot add two temperatures, %1 and %2: add a difference in “K”")},
    {"Reason_NeedsPlainNumber",
     QT_TRANSLATE_NOOP("worksheet", "“%1” takes a plain number, not %2")},
    {"Reason_NeedsAngle",
     QT_TRANSLATE_NOOP("worksheet", "“%1” takes an angle or a plain number, not %2")},
    {"Reason_ExponentHasUnit",
     QT_TRANSLATE_NOOP("worksheet", "an exponent must be a plain number, not %1")},
    {"Reason_PowerNotWhole",
     QT_TRANSLATE_NOOP("worksheet", "%1 to that power leaves a unit to a fractional power")},
    {"Reason_NotAUnit", QT_TRANSLATE_NOOP("worksheet", "“%1” is not a unit")},
    {"Reason_PlotNotAlone",
     QT_TRANSLATE_NOOP("worksheet", "a plot is a line of its own: plot(curve, from, to)")},
    {"Reason_PlotArguments",
     QT_TRANSLATE_NOOP("worksheet", "“plot” takes one or more curves, then where x goes from "
                                    "and to")},
    {"Reason_PlotRange",
     QT_TRANSLATE_NOOP("worksheet", "a plot needs x to go from a number to a greater one")},
    // A chart's description. %1 the curves plotted, %2 and %3 the range of x.
    {"ChartRange", QT_TRANSLATE_NOOP("worksheet", "Plot of %1 for x from %2 to %3.")},
    {"ChartAnd", QT_TRANSLATE_NOOP("worksheet", "%1 and %2")},
    // Of one of several curves: %1 the curve, %2 what it does.
    {"ChartCurve", QT_TRANSLATE_NOOP("worksheet", "%1: %2")},
    // %1 the lowest value, %2 its x, %3 the highest value, %4 its x.
    {"ChartLowestHighest",
     QT_TRANSLATE_NOOP("worksheet", "Lowest %1 at x = %2, highest %3 at x = %4")},
    {"ChartNoZeros", QT_TRANSLATE_NOOP("worksheet", "%1; no zeros.")},
    {"ChartZero", QT_TRANSLATE_NOOP("worksheet", "%1; zero at x = %2.")},
    {"ChartZeros", QT_TRANSLATE_NOOP("worksheet", "%1; zeros at x = %2.")},
    {"ChartMoreZeros", QT_TRANSLATE_NOOP("worksheet", "%1 more")},
    {"ChartNoValue", QT_TRANSLATE_NOOP("worksheet", "No value in this range.")},
    {"ChartPicture",
     QT_TRANSLATE_NOOP("worksheet", "Chart as it was saved; press Return on its line to draw "
                                    "it again.")},
    // Pointing at a curve: %1 the curve, %2 x, %3 its value.
    {"ChartPoint", QT_TRANSLATE_NOOP("worksheet", "%1 at x = %2 is %3")},
    // One side of such a reason: %1 the unit, %2 its kind.
    {"UnitSide", QT_TRANSLATE_NOOP("worksheet", "“%1” (%2)")},
    {"UnitSideWithoutKind", QT_TRANSLATE_NOOP("worksheet", "“%1”")},
    {"PlainNumberSide", QT_TRANSLATE_NOOP("worksheet", "a plain number")},
    // The kinds of quantity, as the reasons name them.
    {"Kind_length", QT_TRANSLATE_NOOP("worksheet", "length")},
    {"Kind_area", QT_TRANSLATE_NOOP("worksheet", "area")},
    {"Kind_volume", QT_TRANSLATE_NOOP("worksheet", "volume")},
    {"Kind_mass", QT_TRANSLATE_NOOP("worksheet", "mass")},
    {"Kind_time", QT_TRANSLATE_NOOP("worksheet", "time")},
    {"Kind_frequency", QT_TRANSLATE_NOOP("worksheet", "frequency")},
    {"Kind_speed", QT_TRANSLATE_NOOP("worksheet", "speed")},
    {"Kind_acceleration", QT_TRANSLATE_NOOP("worksheet", "acceleration")},
    {"Kind_force", QT_TRANSLATE_NOOP("worksheet", "force")},
    {"Kind_momentum", QT_TRANSLATE_NOOP("worksheet", "momentum")},
    {"Kind_energy", QT_TRANSLATE_NOOP("worksheet", "energy")},
    {"Kind_power", QT_TRANSLATE_NOOP("worksheet", "power")},
    {"Kind_pressure", QT_TRANSLATE_NOOP("worksheet", "pressure")},
    {"Kind_density", QT_TRANSLATE_NOOP("worksheet", "density")},
    {"Kind_angle", QT_TRANSLATE_NOOP("worksheet", "angle")},
    {"Kind_solid angle", QT_TRANSLATE_NOOP("worksheet", "solid angle")},
    {"Kind_angular velocity", QT_TRANSLATE_NOOP("worksheet", "angular velocity")},
    {"Kind_information", QT_TRANSLATE_NOOP("worksheet", "data")},
    {"Kind_data rate", QT_TRANSLATE_NOOP("worksheet", "data rate")},
    {"Kind_temperature", QT_TRANSLATE_NOOP("worksheet", "temperature")},
    {"Kind_current", QT_TRANSLATE_NOOP("worksheet", "electric current")},
    {"Kind_charge", QT_TRANSLATE_NOOP("worksheet", "electric charge")},
    {"Kind_voltage", QT_TRANSLATE_NOOP("worksheet", "voltage")},
    {"Kind_resistance", QT_TRANSLATE_NOOP("worksheet", "resistance")},
    {"Kind_conductance", QT_TRANSLATE_NOOP("worksheet", "conductance")},
    {"Kind_capacitance", QT_TRANSLATE_NOOP("worksheet", "capacitance")},
    {"Kind_inductance", QT_TRANSLATE_NOOP("worksheet", "inductance")},
    {"Kind_magnetic flux", QT_TRANSLATE_NOOP("worksheet", "magnetic flux")},
    {"Kind_magnetic flux density", QT_TRANSLATE_NOOP("worksheet", "magnetic flux density")},
    {"Kind_amount of substance", QT_TRANSLATE_NOOP("worksheet", "amount of substance")},
    {"Kind_concentration", QT_TRANSLATE_NOOP("worksheet", "concentration")},
    {"Kind_luminous intensity", QT_TRANSLATE_NOOP("worksheet", "luminous intensity")},
    {"Kind_luminous flux", QT_TRANSLATE_NOOP("worksheet", "luminous flux")},
    {"Kind_illuminance", QT_TRANSLATE_NOOP("worksheet", "illuminance")},
    {"Crash", QT_TRANSLATE_NOOP("worksheet", "The calculation crashed")},
    {"Timeout", QT_TRANSLATE_NOOP("worksheet", "The calculation took too long")},
    {"UpdateProgress", QT_TRANSLATE_NOOP("worksheet", "Updating answers: %1 of %2 (Esc stops)")},
    {"ToolRestarted",
     QT_TRANSLATE_NOOP("worksheet", "The calculation tool stopped and was started again with "
                                    "this worksheet's variables and functions")},
    {"ToolNotStarted",
     QT_TRANSLATE_NOOP("worksheet", "The calculation tool could not be started: %1")},
    {"ToolMissing", QT_TRANSLATE_NOOP("worksheet", "%1 does not exist.")},
    {"ToolNotExecutable", QT_TRANSLATE_NOOP("worksheet", "%1 is not an executable program.")},
    {"BadReply",
     QT_TRANSLATE_NOOP("worksheet", "The calculation tool gave an answer that cannot be read")},
    {"DefVars", QT_TRANSLATE_NOOP("worksheet", "Defined variables:")},
    {"DefFuns", QT_TRANSLATE_NOOP("worksheet", "Defined functions:")},
    {"ConfirmSaveNew",
     QT_TRANSLATE_NOOP("worksheet", "Use this worksheet as the start of every new worksheet?")},
    {"ConfirmSaveNew_detail",
     QT_TRANSLATE_NOOP("worksheet", "New worksheets will start with its text, variables, "
                                    "functions, font and window size.")},
    {"ConfirmSaveNew_ok", QT_TRANSLATE_NOOP("worksheet", "Use as Template")},
    {"ConfirmSaveNew_cancel", QT_TRANSLATE_NOOP("worksheet", "Cancel")},
    {"NotUtf8", QT_TRANSLATE_NOOP("worksheet", "“%1” is not UTF-8 text, so Figurello cannot "
                                               "open it without garbling it.")},
    {"UnreadCodePage",
     QT_TRANSLATE_NOOP("worksheet", "Some characters are in code page %1, which Figurello "
                                    "cannot read; they show as \uFFFD.")},
    {"NotReadableRtf", QT_TRANSLATE_NOOP("worksheet", "“%1” is not readable RTF:\n%2")},
    {"PdfFilter", QT_TRANSLATE_NOOP("worksheet", "PDF documents (*.pdf)")},
};

} // namespace

void addWorksheetTexts() { platform::addKeyedTexts(kWorksheetContext, kWorksheetTexts); }
