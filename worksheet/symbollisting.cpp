// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/symbollisting.h"

#include "engine/dictionaries.h"
#include "worksheet/resultformat.h"

#include <QList>

#include <algorithm>

namespace {

struct Line {
    QString name;
    QString text;
};

// Lines visited in byte order, sorted without regard to case. Stable, so names equal but for
// case keep their byte order.
void sortWithoutCase(QList<Line>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
}

QString listing(const QString& heading, QList<Line> lines) {
    sortWithoutCase(lines);
    QString text = heading;
    for (const Line& line : lines)
        if (!line.text.isEmpty())
            text += '\n' + line.text;
    return text;
}

} // namespace

QSet<QString> variableNames(const SCalcState& state) {
    QSet<QString> names;
    VisitVariables(state, [&](const std::string& name, double, const std::string&) {
        names.insert(QString::fromStdString(name));
    });
    return names;
}

QSet<QString> functionNames(const SCalcState& state) {
    QSet<QString> names;
    VisitFunctions(state, [&](const std::string& name, std::vector<std::string>&) {
        names.insert(QString::fromStdString(name));
    });
    return names;
}

QStringList definedNames(const SCalcState& state) {
    return (variableNames(state) | functionNames(state)).values();
}

QStringList sortedSymbolNames(const SCalcState& state, SymbolKind kind) {
    QList<Line> lines;
    const auto note = [&](const std::string& name, auto&&...) {
        lines.append({QString::fromStdString(name), QString()});
    };
    if (kind == SymbolKind::kFunction)
        VisitFunctions(state, note);
    else
        VisitVariables(state, note);
    sortWithoutCase(lines);
    QStringList names;
    for (const Line& line : lines)
        names.append(line.name);
    return names;
}

namespace {

QList<Line> variableLines(const SCalcState& state,
                          const std::function<QString(double)>& formatValue) {
    QList<Line> lines;
    VisitVariables(state, [&](const std::string& name, double value, const std::string& unit) {
        const QString shown = QString::fromStdString(name);
        const QString valueText = withUnit(formatValue(value), QString::fromStdString(unit));
        lines.append({shown, QStringLiteral("%1 = %2").arg(shown, valueText)});
    });
    return lines;
}

} // namespace

QString variablesListing(const QString& heading, const SCalcState& state,
                         const std::function<QString(double)>& formatValue) {
    return listing(heading, variableLines(state, formatValue));
}

QStringList sortedVariableLines(const SCalcState& state,
                                const std::function<QString(double)>& formatValue) {
    QList<Line> lines = variableLines(state, formatValue);
    sortWithoutCase(lines);
    QStringList texts;
    for (const Line& line : lines)
        texts.append(line.text);
    return texts;
}

QString functionDefinition(const QString& name, const std::vector<std::string>& definition,
                           bool commaIsDecimal) {
    if (definition.empty())
        return QString();
    QStringList parameters;
    for (std::size_t i = 1; i < definition.size(); ++i)
        parameters.append(QString::fromStdString(definition[i]));
    const QString separator = commaIsDecimal ? QStringLiteral("; ") : QStringLiteral(", ");
    return QStringLiteral("%1( %2 ) = %3")
        .arg(name, parameters.join(separator), QString::fromStdString(definition.front()));
}

QString functionsListing(const QString& heading, const SCalcState& state, bool commaIsDecimal) {
    QList<Line> lines;
    VisitFunctions(state, [&](const std::string& name, std::vector<std::string>& definition) {
        const QString shown = QString::fromStdString(name);
        lines.append({shown, functionDefinition(shown, definition, commaIsDecimal)});
    });
    return listing(heading, lines);
}
