// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/writtenanswer.h"

#include "worksheet/calcsession.h"
#include "worksheet/chartobject.h"

#include <QTextCursor>

void insertAnswer(QTextCursor& at, const CalcOutcome& outcome, const QTextCharFormat& format,
                  bool integersAsHex, bool commaIsDecimal) {
    if (outcome.kind == CalcOutcome::Kind::Plot && outcome.plot) {
        ChartObject::of(at.document());
        at.insertText(QString(kChartCharacter), chartFormat(outcome.plot, format));
        return;
    }
    at.insertText(answerText(outcome, integersAsHex, commaIsDecimal), format);
}
