#pragma once

#include "worksheet/plotanswer.h"

#include <QString>

// What a chart shows, in words, for screen readers, its tooltip and a worksheet calculated
// without a window: what is plotted over which range, each curve's lowest and highest points
// and the zeros found.
QString chartDescription(const PlotAnswer& plot, bool commaIsDecimal);

// A number of a chart's description: four significant digits, as a chart can be read.
QString chartNumber(double value, bool commaIsDecimal);
