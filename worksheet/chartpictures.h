// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Charts in files: a worksheet's RTF keeps each chart as a PNG picture, which other RTF readers
// show. Read back, a picture directly under a plot line is that line's chart again, shown as
// the picture until the line is calculated again; any other picture stays a picture.

#include <memory>

class QTextDocument;

// A copy of the text with every chart a picture; null when the text holds no chart, to be
// written as it is.
std::unique_ptr<QTextDocument> textWithChartsAsPictures(const QTextDocument& text);

// Makes each picture directly under a plot line the line's chart.
void takePicturesUnderPlotsAsCharts(QTextDocument& text);
