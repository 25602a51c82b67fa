// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// What a statement (in the standard notation) takes from the worksheet and what it gives it,
// read from its words alone: names read, functions called, and the variable it assigns or the
// function it defines.
struct StatementNames {
    QString assigned;       // the variable an assignment sets
    QString defined;        // the function a definition defines
    QStringList parameters; // a definition's parameters, which its body reads as its own
    QStringList words;      // every name the text the statement calculates reads as a value
    QSet<QString> calls;    // names it calls, each followed by "("
};

StatementNames statementNames(const QString& statement);

// Which of a worksheet's calculated lines, in text order, change when `edited` is calculated
// again: `edited` itself, every later line that reads a variable or calls a function that a
// changed line gives, and every later line that gives such a name again, so that the state
// ends as calculating the whole worksheet from the top would leave it. `isKnown` tells the names
// the state or the engine already has: a word that is not one of them may be several names
// written together, as in "2pix", and is taken to read every changed name inside it.
QList<int> dependentLines(const QList<StatementNames>& lines, int edited,
                          const std::function<bool(const QString&)>& isKnown);
