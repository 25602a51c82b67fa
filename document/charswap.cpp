#include "document/charswap.h"

QString stringByReplacingChar(const QString& text, QChar from, QChar to) {
    QString result = text;
    result.replace(from, to);
    return result;
}
