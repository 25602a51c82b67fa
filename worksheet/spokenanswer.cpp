// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/spokenanswer.h"

#include "worksheet/chartdescription.h"
#include "worksheet/statementwords.h"

#include <QCoreApplication>
#include <QTextBlock>

QString spokenAnswerLine(const QTextBlock& answer, bool commaIsDecimal, bool outOfDate) {
    const QString said = describedText(*answer.document(), answer.position(),
                                       answer.position() + answer.length() - 1, commaIsDecimal)
                             .trimmed();
    if (!outOfDate)
        return said;
    return QCoreApplication::translate("Worksheet", "out of date: %1").arg(said);
}

QString spokenAnswer(const QTextBlock& statement, bool commaIsDecimal, bool outOfDate) {
    QString line = statement.text();
    if (isCalculatedLine(line))
        line.chop(kCalculatedMarker.size());
    return QCoreApplication::translate("Worksheet", "%1: %2")
        .arg(line.trimmed(), spokenAnswerLine(statement.next(), commaIsDecimal, outOfDate));
}
