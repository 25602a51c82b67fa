#include "document/symbollisting.h"

#include <algorithm>

QStringList sortedSymbolNames(const plist::Dictionary& symbols) {
    QStringList names;
    names.reserve(qsizetype(symbols.size()));
    for (const auto& entry : symbols)
        names.append(QString::fromStdString(entry.first));
    // Stable, so names equal but for case keep the dictionary's byte order.
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString variablesListing(const QString& heading, const plist::Dictionary& variables,
                         const std::function<QString(double)>& formatValue) {
    QString text = heading;
    for (const QString& name : sortedSymbolNames(variables)) {
        const double value = variables.at(name.toStdString()).real().value_or(0.0);
        text += QStringLiteral("\n%1 = %2").arg(name, formatValue(value));
    }
    return text;
}

QString functionsListing(const QString& heading, const plist::Dictionary& functions,
                         bool commaIsDecimal) {
    const QString separator = commaIsDecimal ? QStringLiteral("; ") : QStringLiteral(", ");
    QString text = heading;
    for (const QString& name : sortedSymbolNames(functions)) {
        const plist::Array* definition = functions.at(name.toStdString()).array();
        if (!definition || definition->empty())
            continue;
        QStringList parameters;
        for (std::size_t i = 1; i < definition->size(); ++i)
            parameters.append(QString::fromStdString(
                (*definition)[i].string() ? *(*definition)[i].string() : std::string()));
        const std::string* body = definition->front().string();
        text += QStringLiteral("\n%1( %2 ) = %3")
                    .arg(name, parameters.join(separator),
                         QString::fromStdString(body ? *body : std::string()));
    }
    return text;
}
