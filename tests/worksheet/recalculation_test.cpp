// SPDX-License-Identifier: GPL-3.0-or-later
// Recalculating a worksheet, with no window: exactly the answers that depend on an edited line
// change, in one step that Undo takes back with the state.

#include "calculating.h"
#include "engine/calcstate.h"
#include "toollink/toollink.h"
#include "worksheet/answermarks.h"
#include "worksheet/statestep.h"
#include "worksheet/worksheet.h"
#include "worksheettestmain.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

class RecalculationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Worksheet> mWorksheet;

    [[nodiscard]] bool calculate(const QString& line) {
        return typeAndCalculate(*mWorksheet, line);
    }

    [[nodiscard]] bool replaceLine(const QString& from, const QString& to) {
        const QTextBlock block = mWorksheet->text()->find(from).block();
        if (!block.isValid())
            return false;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(to);
        return true;
    }

    QList<QVariant> recalculate() {
        QSignalSpy finished(mWorksheet.get(), &Worksheet::recalculationFinished);
        mWorksheet->recalculate();
        if (finished.isEmpty() && !finished.wait(2 * kAnswerWaitMs))
            return {};
        return finished.takeFirst();
    }

    QString text() const { return mWorksheet->text()->toPlainText(); }

private slots:
    void init() {
        mWorksheet = std::make_unique<Worksheet>(WorksheetOptions());
        mWorksheet->startTool();
    }
    void cleanup() { mWorksheet.reset(); }

    void changesExactlyTheDependentAnswers() {
        for (const char* line : {"rate = 0.2", "price = 100", "tax = price * rate",
                                 "half(a) = a / 2", "half(rate)", "total = price + tax"})
            QVERIFY(calculate(QString::fromUtf8(line)));
        QTextCursor end(mWorksheet->text());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("a note =\n"));
        QVERIFY(replaceLine(QStringLiteral("price = 100 ="), QStringLiteral("price = 200 =")));
        const QString edited = text();

        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 3);
        QCOMPARE(result.value(1).toBool(), true);
        QCOMPARE(text(), QStringLiteral("rate = 0.2 =\n0.2\nprice = 200 =\n200\n"
                                        "tax = price * rate =\n40\nhalf(a) = a / 2 =\n"
                                        "Function defined\nhalf(rate) =\n0.1\n"
                                        "total = price + tax =\n240\na note =\n"));
        QCOMPARE(FindVariable(*mWorksheet->state(), "total")->number, 240.0);
        QVERIFY(!mWorksheet->isCalculating());

        // One step back restores every answer and the variables that went with them, in the
        // tool too; one step forward brings the new ones back.
        const QString recalculated = text();
        mWorksheet->text()->undo();
        QCOMPARE(text(), edited);
        QCOMPARE(FindVariable(*mWorksheet->state(), "total")->number, 120.0);
        mWorksheet->text()->redo();
        QCOMPARE(text(), recalculated);
        QCOMPARE(FindVariable(*mWorksheet->state(), "total")->number, 240.0);
        mWorksheet->text()->undo();
        QVERIFY(calculate(QStringLiteral("total * 2")));
        QVERIFY(text().endsWith(QStringLiteral("total * 2 =\n240\n")));
    }

    void reportsLinesThatNowFail() {
        QVERIFY(calculate(QStringLiteral("x = 4")));
        QVERIFY(calculate(QStringLiteral("sqrt(x)")));
        QVERIFY(replaceLine(QStringLiteral("sqrt(x) ="), QStringLiteral("sqrt(x)) =")));
        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 1);
        QCOMPARE(result.value(1).toBool(), false);
        QVERIFY(text().endsWith(QStringLiteral("sqrt(x)) =\nSyntax error: unexpected “)”\n")));
    }

    // Return at the end of an answered line, or right before its marker, calculates it again in
    // place; the answers that depend on it follow when asked to, and only those are sent: the
    // tool replies to each of them, but for a line it gave up on.
    void returnOnAnAnsweredLineUpdatesItsDependents_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("beforeMarker");
        QTest::addColumn<bool>("following");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("replies");
        QTest::newRow("at the end") << QStringList{"2+2"} << "2+2 ="
                                    << "5+2 =" << false << true << "5+2 =\n7\n"
                                    << 1;
        QTest::newRow("before the marker") << QStringList{"2+2"} << "2+2 ="
                                           << "5+2 =" << true << true << "5+2 =\n7\n"
                                           << 1;
        QTest::newRow("with a decimal comma") << QStringList{"1,5*2"} << "1,5*2 ="
                                              << "2,5*2 =" << false << true << "2,5*2 =\n5\n"
                                              << 1;
        QTest::newRow("after fixing an error") << QStringList{"2*/3"} << "2*/3 ="
                                               << "2*3 =" << false << true << "2*3 =\n6\n"
                                               << 1;
        QTest::newRow("through a variable, an independent line left alone")
            << QStringList{"r = 5", "a = r*2", "b = 7", "b + 1"} << "r = 5 ="
            << "r = 6 =" << false << true << "r = 6 =\n6\na = r*2 =\n12\nb = 7 =\n7\nb + 1 =\n8\n"
            << 2;
        QTest::newRow("through a function definition")
            << QStringList{"f(x) = x+1", "f(2)"} << "f(x) = x+1 ="
            << "f(x) = x+2 =" << false << true << "f(x) = x+2 =\nFunction defined\nf(2) =\n4\n"
            << 2;
        QTest::newRow("through a chain of two assignments")
            << QStringList{"r = 5", "s = r+1", "t = s*2"} << "r = 5 ="
            << "r = 6 =" << false << true << "r = 6 =\n6\ns = r+1 =\n7\nt = s*2 =\n14\n"
            << 3;
        QTest::newRow("a time-out on the way")
            << QStringList{"r = 1", "g(n) = if(n, g(n-1)+g(n-1), 1)", "g(60)*r", "s = r*2"}
            << "r = 1 ="
            << "r = 3 =" << false << true
            << "r = 3 =\n3\ng(n) = if(n, g(n-1)+g(n-1), 1) =\nFunction defined\ng(60)*r =\n"
               "The calculation took too long\ns = r*2 =\n6\n"
            << 2;
        // A read of "f" beside a call of "f" is a read all the same.
        QTest::newRow("a name that is a variable and a function")
            << QStringList{"f = 2", "f(x) = x*10", "g = f(1) + f"} << "f = 2 ="
            << "f = 3 =" << false << true
            << "f = 3 =\n3\nf(x) = x*10 =\nFunction defined\ng = f(1) + f =\n13\n"
            << 2;
        QTest::newRow("a unit word may read a name defined above it")
            << QStringList{"x = 1", "2 m"} << "x = 1 ="
            << "m = 5 =" << false << true << "m = 5 =\n5\n2 m =\n10\n"
            << 2;
        QTest::newRow("a plot follows the function it draws")
            << QStringList{"f(x) = x^2", "plot(f(x), 0, 1)"} << "f(x) = x^2 ="
            << "f(x) = x^3 =" << false << true
            << "f(x) = x^3 =\nFunction defined\nplot(f(x), 0, 1) =\n\uFFFC\n"
            << 2;
        QTest::newRow("not followed: marked out of date")
            << QStringList{"r = 5", "a = r*2"} << "r = 5 ="
            << "r = 6 =" << false << false << "r = 6 =\n6\na = r*2 =\n10\n"
            << 1;
    }
    void returnOnAnAnsweredLineUpdatesItsDependents() {
        QFETCH(QStringList, lines);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, beforeMarker);
        QFETCH(bool, following);
        QFETCH(QString, expected);
        QFETCH(int, replies);
        WorksheetOptions options;
        options.updatesDependents = following;
        options.commaIsDecimal = from.contains(QLatin1Char(','));
        mWorksheet->setOptions(options);
        for (const QString& line : lines)
            QVERIFY(calculate(line));
        const QString before = text();
        const StateSymbols symbolsBefore = symbolsOf(*mWorksheet->state());
        QVERIFY(replaceLine(from, to));
        const QTextBlock edited = mWorksheet->text()->find(to).block();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        QTextCursor cursor(edited);
        cursor.movePosition(QTextCursor::EndOfBlock);
        if (beforeMarker)
            cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 2);
        QSignalSpy replied(mWorksheet->tool(), &ToolLink::replyReceived);
        QSignalSpy finished(mWorksheet.get(), &Worksheet::recalculationFinished);
        QVERIFY(mWorksheet->calculateAt(cursor));
        QVERIFY(finished.wait(2 * kAnswerWaitMs));

        QCOMPARE(text(), expected);
        QCOMPARE(int(replied.size()), replies);
        QVERIFY(!mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        const QTextBlock lastAnswer = mWorksheet->text()->lastBlock().previous();
        QCOMPARE(mWorksheet->answerMarks()->isOutOfDate(lastAnswer), !following);
        // One Undo takes the update back, with the variables and functions before it.
        mWorksheet->text()->undo();
        QCOMPARE(text(), QString(before).replace(from, to));
        QVERIFY(symbolsOf(*mWorksheet->state()).variables == symbolsBefore.variables);
        // The edited line's answer is out of date again, and only what was before with it.
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        QCOMPARE(mWorksheet->answerMarks()->isOutOfDate(lastAnswer),
                 lines.size() == 1 || !following);
    }

    // Undo of an edit puts back the statement its answer was calculated from; Redo the edit.
    void undoingAnEditLeavesTheAnswerUpToDate() {
        QVERIFY(calculate(QStringLiteral("2+2")));
        QVERIFY(replaceLine(QStringLiteral("2+2 ="), QStringLiteral("5+2 =")));
        const QTextBlock answer = mWorksheet->text()->firstBlock().next();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(answer));
        mWorksheet->text()->undo();
        QVERIFY(!mWorksheet->answerMarks()->isOutOfDate(answer));
        mWorksheet->text()->redo();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(answer));
    }

    // An answer is in the font of the text it follows, whether new or replacing an old one.
    void answersAreInTheWorksheetsFont() {
        QVERIFY(calculate(QStringLiteral("2+2")));
        QTextCharFormat serif;
        serif.setFontFamilies(QStringList{QStringLiteral("DejaVu Serif")});
        QTextCursor all(mWorksheet->text());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(serif);
        const auto answerFont = [this](int line) {
            QTextCursor answer(mWorksheet->text()->findBlockByNumber(line));
            answer.movePosition(QTextCursor::NextCharacter);
            return answer.charFormat().fontFamilies().toStringList();
        };
        QVERIFY(replaceLine(QStringLiteral("2+2 ="), QStringLiteral("5+2 =")));
        QCOMPARE(recalculate().value(0).toInt(), 1);
        QCOMPARE(answerFont(1), serif.fontFamilies().toStringList());
        QVERIFY(calculate(QStringLiteral("3+3")));
        QCOMPARE(answerFont(3), serif.fontFamilies().toStringList());
    }

    void anUnchangedWorksheetStaysUnchanged() {
        QVERIFY(calculate(QStringLiteral("y = 3")));
        QVERIFY(calculate(QStringLiteral("y^2")));
        const QString before = text();
        mWorksheet->text()->setModified(false);
        QCOMPARE(recalculate().value(0).toInt(), 0);
        QCOMPARE(text(), before);
        QVERIFY(!mWorksheet->text()->isModified());
    }
};

FIGURELLO_MODEL_TEST_MAIN(RecalculationTest)

#include "recalculation_test.moc"
