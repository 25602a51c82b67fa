// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <optional>
#include <string>
#include <string_view>

// What a native worksheet file holds: a property list whose root dictionary has the keys
// "text" (the worksheet as RTF), "variables", "functions", "fontName", "fontSize",
// "windowFrame" and "variableUnits", which gives the variables that have a unit their unit
// ("km/h") while "variables" keeps only numbers, for readers that know no units. Any key may
// be missing; a key holding the wrong kind of value reads as
// missing, so a damaged entry costs only itself.
struct WorksheetFile {
    std::optional<std::string> text;
    std::optional<plist::Dictionary> variables;
    std::optional<plist::Dictionary> functions;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    std::optional<std::string> windowFrame;
    std::optional<plist::Dictionary> variableUnits;
};

struct WorksheetReadResult {
    std::optional<WorksheetFile> file;
    std::string error; // why the bytes are not a worksheet at all
};

// Reads any property-list format, XML or binary.
WorksheetReadResult parseWorksheetFile(std::string_view bytes);

// Writes the XML property list.
std::string serializeWorksheetFile(const WorksheetFile& file);
