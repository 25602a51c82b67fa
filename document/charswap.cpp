#include "document/charswap.h"

QString stringByReplacingChar(const QString& text, QChar from, QChar to) {
    QString result = text;
    result.replace(from, to);
    return result;
}

QString stringByRemovingChars(const QString& text, QStringView chars) {
    QString kept;
    kept.reserve(text.size());
    for (QChar unit : text)
        if (!chars.contains(unit))
            kept.append(unit);
    return kept;
}
