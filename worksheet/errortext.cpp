#include "worksheet/errortext.h"

#include "platform/keyedtexts.h"
#include "worksheet/resultformat.h"
#include "worksheet/toolreply.h"

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
    if (reason.contains(QLatin1String("%1")))
        reason = reason.arg(localizeString(QString::fromStdString(answer.name), commaIsDecimal));
    if (reason.contains(QLatin1String("%2")))
        reason = reason.arg(answer.argumentCount);
    return platform::keyedText("SynErrWithReason").arg(message, reason);
}
