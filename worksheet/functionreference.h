// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the Help ▸ Function Reference lists: every operator of the language, every built-in
// function and constant of the engine, and the units by kind, with a one-line description and
// an example.
struct ReferenceEntry {
    enum class Kind { Operator, Function, Constant, Unit };
    Kind kind;
    // The name the engine knows it by, or the operator as typed: "sin", "pi", "^".
    QString name;
    // How it is written in use: "sin(x)", "atan2(y, x)", "if(c, a, b)".
    QString usage;
    QString description;
    // An example line and the answer a worksheet gives it; no answer where that depends on the
    // worksheet or is not a value.
    QString example;
    QString answer;
    // What inserting the entry into a worksheet types: a function's name with its "(".
    QString insertion;
};

// The reference, in the user's language; examples in the user's decimal mark and argument
// separator when `commaIsDecimal`.
QList<ReferenceEntry> functionReference(bool commaIsDecimal);

// The engine's built-in names the reference has no entry for; empty when it is complete.
QStringList builtinsMissingFromReference();
