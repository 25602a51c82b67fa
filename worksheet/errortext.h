// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct ToolReply;

// The answer shown for a syntax error: the plain message, followed by the reason when the tool
// gave one this worksheet knows ("Syntax error: “junk” is not defined"). The name in the
// reason is shown in the worksheet's notation: "," reads ";" where the comma is the decimal mark.
QString syntaxErrorText(const ToolReply& answer, bool commaIsDecimal);
