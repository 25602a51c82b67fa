#pragma once

#include "plist/value.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

struct SCalcState;

// The texts of the variables and functions listings a worksheet inserts on request.

// The state's variable names, its function names, and both together, unsorted.
QSet<QString> variableNames(const SCalcState& state);
QSet<QString> functionNames(const SCalcState& state);
QStringList definedNames(const SCalcState& state);

// The dictionary's names in case-insensitive order, as the listings show them.
QStringList sortedSymbolNames(const plist::Dictionary& symbols);

// "Defined variables:" then one "name = value" line per variable, each value as a result.
QString variablesListing(const QString& heading, const plist::Dictionary& variables,
                         const std::function<QString(double)>& formatValue);

// "name( a, b ) = body", as the functions listing shows a function; empty for a malformed
// definition.
QString functionDefinition(const QString& name, const plist::Value& definition,
                           bool commaIsDecimal);

// "Defined functions:" then one "name( a, b ) = body" line per function; the parameters are
// separated by "; " where the decimal separator is a comma. Bodies stay in the standard notation.
QString functionsListing(const QString& heading, const plist::Dictionary& functions,
                         bool commaIsDecimal);
