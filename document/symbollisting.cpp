#include "document/symbollisting.h"

#include "engine/dictionaries.h"

#include <algorithm>

namespace {

QSet<QString> namesIn(const std::optional<plist::Dictionary>& symbols) {
    QSet<QString> names;
    if (symbols)
        for (const auto& entry : *symbols)
            names.insert(QString::fromStdString(entry.first));
    return names;
}

} // namespace

QSet<QString> variableNames(const SCalcState& state) {
    return namesIn(CopyVariablesDictionary(state));
}

QSet<QString> functionNames(const SCalcState& state) {
    return namesIn(CopyFunctionsDictionary(state));
}

QStringList definedNames(const SCalcState& state) {
    return (variableNames(state) | functionNames(state)).values();
}

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

QString functionDefinition(const QString& name, const plist::Value& definition,
                           bool commaIsDecimal) {
    const plist::Array* parts = definition.array();
    if (!parts || parts->empty())
        return QString();
    QStringList parameters;
    for (std::size_t i = 1; i < parts->size(); ++i)
        parameters.append(
            QString::fromStdString((*parts)[i].string() ? *(*parts)[i].string() : std::string()));
    const std::string* body = parts->front().string();
    const QString separator = commaIsDecimal ? QStringLiteral("; ") : QStringLiteral(", ");
    return QStringLiteral("%1( %2 ) = %3")
        .arg(name, parameters.join(separator), QString::fromStdString(body ? *body : std::string()));
}

QString functionsListing(const QString& heading, const plist::Dictionary& functions,
                         bool commaIsDecimal) {
    QString text = heading;
    for (const QString& name : sortedSymbolNames(functions)) {
        const QString line =
            functionDefinition(name, functions.at(name.toStdString()), commaIsDecimal);
        if (!line.isEmpty())
            text += '\n' + line;
    }
    return text;
}
