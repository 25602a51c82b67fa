// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcengine.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// The texts of the variables and functions listings a worksheet inserts on request, read by
// walking the state.

// The state's variable names, its function names, and both together, unsorted.
QSet<QString> variableNames(const SCalcState& state);
QSet<QString> functionNames(const SCalcState& state);
QStringList definedNames(const SCalcState& state);

// The state's variables or functions in case-insensitive order, as the listings show them.
QStringList sortedSymbolNames(const SCalcState& state, SymbolKind kind);

// "Defined variables:" then one "name = value" line per variable, each value as a result.
QString variablesListing(const QString& heading, const SCalcState& state,
                         const std::function<QString(double)>& formatValue);

// The listing's "name = value" lines alone, in the order of sortedSymbolNames().
QStringList sortedVariableLines(const SCalcState& state,
                                const std::function<QString(double)>& formatValue);

// "name( a, b ) = body", as the functions listing shows a function whose definition is its body
// and then its parameters.
QString functionDefinition(const QString& name, const std::vector<std::string>& definition,
                           bool commaIsDecimal);

// "Defined functions:" then one "name( a, b ) = body" line per function; the parameters are
// separated by "; " where the decimal separator is a comma. Bodies stay in the standard notation.
QString functionsListing(const QString& heading, const SCalcState& state, bool commaIsDecimal);
