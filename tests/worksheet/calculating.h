// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Calculating lines in a test, as a user would type them: every helper returns whether it got
// as far as it should, and its callers wrap it in QVERIFY, so a helper that fails stops its test.

#include "worksheet/worksheet.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

// The longest any test waits for a line's answer: a busy machine's tool is slow, never this slow.
constexpr int kAnswerWaitMs = 10000;

// Waits until no line or update of the worksheet waits for an answer.
[[nodiscard]] inline bool answersAreIn(const Worksheet& worksheet) {
    return QTest::qWaitFor([&] { return !worksheet.isCalculating(); }, kAnswerWaitMs);
}

// Types the line at the end of the worksheet, presses Return after it, and waits for the answer.
[[nodiscard]] inline bool typeAndCalculate(Worksheet& worksheet, const QString& line) {
    QTextCursor end(worksheet.text());
    end.movePosition(QTextCursor::End);
    // In the font of the text before it, in no colour of its own, as the editor types.
    QTextCharFormat typing = end.charFormat();
    typing.clearForeground();
    end.insertText(line, typing);
    return worksheet.calculateAt(end) && answersAreIn(worksheet);
}
