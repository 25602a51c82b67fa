// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

struct SCalcState;

// The reply to a plot line, which IsPlotStatement accepts: its curves sampled over its range,
// or the syntax error that stops it, as the XML property list the tool writes.
std::string PlotReplyXml(std::string_view line, SCalcState& state);
