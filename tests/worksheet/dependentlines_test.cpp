// SPDX-License-Identifier: GPL-3.0-or-later
// Which lines an edit changes, read from the statements' words alone.

#include "worksheet/builtinnames.h"
#include "worksheet/dependentlines.h"
#include "worksheettestmain.h"

#include <QTest>

class DependentLinesTest : public QObject {
    Q_OBJECT

private slots:
    void findsTheLinesAnEditChanges_data() {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<int>("edited");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("nothing reads it")
            << QStringList{"r = 5", "b = 7", "b + 1"} << 0 << QList<int>{0};
        QTest::newRow("a read, an independent line left out")
            << QStringList{"r = 5", "a = r*2", "b = 7", "a + b"} << 0 << QList<int>{0, 1, 3};
        QTest::newRow("a chain of assignments")
            << QStringList{"r = 5", "s = r+1", "t = s*2"} << 0 << QList<int>{0, 1, 2};
        QTest::newRow("a value read through last")
            << QStringList{"2+2", "last*3", "7"} << 0 << QList<int>{0, 1};
        QTest::newRow("a function called")
            << QStringList{"f(x) = x+1", "f(2)", "x = 3", "x"} << 0 << QList<int>{0, 1};
        QTest::newRow("a parameter is the function's own")
            << QStringList{"x = 1", "f(x) = x*2", "f(3)"} << 0 << QList<int>{0};
        QTest::newRow("given again: set as the whole worksheet would")
            << QStringList{"r = 5", "r = 6", "r + 1"} << 0 << QList<int>{0, 1};
        QTest::newRow("names written together")
            << QStringList{"p = 2", "2pp"} << 0 << QList<int>{0, 1};
        QTest::newRow("a name read and called in one statement")
            << QStringList{"f = 2", "f(x) = x*10", "g = f(1) + f"} << 0 << QList<int>{0, 2};
        QTest::newRow("a name called but not read")
            << QStringList{"f = 2", "f(x) = x*10", "g = f(1)"} << 0 << QList<int>{0};
    }
    void findsTheLinesAnEditChanges() {
        QFETCH(QStringList, statements);
        QFETCH(int, edited);
        QFETCH(QList<int>, expected);
        QList<StatementNames> lines;
        QSet<QString> given;
        for (const QString& statement : statements) {
            lines.append(statementNames(statement));
            given << lines.last().assigned << lines.last().defined;
        }
        const auto isKnown = [&given](const QString& word) {
            return given.contains(word) || builtinNames().contains(word);
        };
        QCOMPARE(dependentLines(lines, edited, isKnown), expected);
    }
};

FIGURELLO_MODEL_TEST_MAIN(DependentLinesTest)

#include "dependentlines_test.moc"
