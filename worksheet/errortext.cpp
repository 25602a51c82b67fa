// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/errortext.h"

#include "platform/keyedtexts.h"
#include "worksheet/resultformat.h"
#include "worksheet/toolreply.h"

namespace {

// "“km” (length)", "“km*s”" for a unit of no named kind, "a plain number" for none.
QString side(const std::string& unit, const std::string& kind) {
    if (unit.empty())
        return platform::keyedText("PlainNumberSide");
    const QString shown = QString::fromStdString(unit);
    const QByteArray kindKey = "Kind_" + QByteArray::fromStdString(kind);
    if (kind.empty() || !platform::hasKeyedText(kindKey))
        return platform::keyedText("UnitSideWithoutKind").arg(shown);
    return platform::keyedText("UnitSide").arg(shown, platform::keyedText(kindKey.constData()));
}

bool isUnitReason(const std::string& reason) {
    static const char* const unitReasons[] = {
        "CannotAdd",     "CannotSubtract",       "CannotConvert",
        "CannotCompare", "AbsoluteTemperatures", "NeedsPlainNumber",
        "NeedsAngle",    "ExponentHasUnit",      "PowerNotWhole",
    };
    for (const char* key : unitReasons)
        if (reason == key)
            return true;
    return false;
}

// The reason with its function, if it names one, and its sides filled in.
QString unitReason(QString reason, const ToolReply& answer) {
    if (!answer.name.empty())
        reason = reason.arg(QString::fromStdString(answer.name));
    reason = reason.arg(side(answer.failedUnit, answer.failedUnitKind));
    if (reason.contains(QLatin1Char('%')))
        reason = reason.arg(side(answer.otherUnit, answer.otherKind));
    return reason;
}

} // namespace

QString syntaxErrorText(const ToolReply& answer, bool commaIsDecimal) {
    const QString message = platform::keyedText("SynErr");
    if (answer.reason.empty())
        return message;
    QByteArray key = "Reason_" + QByteArray::fromStdString(answer.reason);
    if (answer.argumentCount == 1 && platform::hasKeyedText(key + "_one"))
        key += "_one";
    // A reason from a newer tool that this worksheet has no words for.
    if (!platform::hasKeyedText(key))
        return message;
    QString reason = platform::keyedText(key.constData());
    if (isUnitReason(answer.reason))
        return platform::keyedText("SynErrWithReason").arg(message, unitReason(reason, answer));
    if (reason.contains(QLatin1String("%1")))
        reason = reason.arg(localizeString(QString::fromStdString(answer.name), commaIsDecimal));
    if (reason.contains(QLatin1String("%2")))
        reason = reason.arg(answer.argumentCount);
    return platform::keyedText("SynErrWithReason").arg(message, reason);
}
