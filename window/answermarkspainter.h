// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class AnswerMarks;
class QTextEdit;
class QTimer;

// Shows a worksheet's answer marks in its editor, over the text: answers out of date struck
// through and dimmed, answers that just changed highlighted, in the palette's colours.
class AnswerMarksPainter : public QObject {
    Q_OBJECT

public:
    AnswerMarksPainter(const AnswerMarks* marks, QTextEdit* editor);

private:
    void show();

    const AnswerMarks* mMarks;
    QTextEdit* mEditor;
    QTimer* mShowLater;
};
