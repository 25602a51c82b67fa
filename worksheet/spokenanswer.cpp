// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/spokenanswer.h"

#include "engine/lexicon.h"
#include "worksheet/chartdescription.h"

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
    const QString marker = QString::fromUtf8(lexicon::kCalculatedMarker.data(),
                                             qsizetype(lexicon::kCalculatedMarker.size()));
    if (line.endsWith(marker))
        line.chop(marker.size());
    return QCoreApplication::translate("Worksheet", "%1: %2")
        .arg(line.trimmed(), spokenAnswerLine(statement.next(), commaIsDecimal, outOfDate));
}
