// Recalculating a worksheet: exactly the answers that depend on an edited line change, in one
// step that Undo takes back.

#include "window/answermarks.h"
#include "worksheet/calcsession.h"
#include "window/mydocument.h"
#include "window/statestep.h"
#include "window/worksheeteditor.h"
#include "worksheet/worksheetsettings.h"
#include "worksheet/worksheettype.h"
#include "engine/calcstate.h"
#include "platform/documentcontroller.h"
#include "typing.h"
#include "worksheettestmain.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <optional>

class RecalculationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<platform::DocumentController> mController;
    MyDocument* mWorksheet = nullptr;

    void calculate(const QString& line) { calculateLine(mWorksheet, line); }

    void replaceLine(const QString& from, const QString& to) {
        const QTextBlock block = mWorksheet->textView()->document()->find(from).block();
        QVERIFY(block.isValid());
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(to);
    }

    QList<QVariant> recalculate() {
        QSignalSpy finished(mWorksheet, &MyDocument::recalculationFinished);
        mWorksheet->recalculateWorksheet();
        if (finished.isEmpty() && !finished.wait(20000))
            return {};
        return finished.takeFirst();
    }

    QString text() const { return mWorksheet->textView()->toPlainText(); }

private slots:
    void init() {
        mController = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mWorksheet = static_cast<MyDocument*>(mController->newDocument());
    }
    void cleanup() { mController.reset(); }

    void changesExactlyTheDependentAnswers() {
        for (const char* line : {"rate = 0.2", "price = 100", "tax = price * rate",
                                 "half(a) = a / 2", "half(rate)", "total = price + tax"})
            calculate(QString::fromUtf8(line));
        mWorksheet->textView()->moveCursor(QTextCursor::End);
        mWorksheet->textView()->insertPlainText(QStringLiteral("a note =\n"));
        replaceLine(QStringLiteral("price = 100 ="), QStringLiteral("price = 200 ="));
        const QString edited = text();

        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 3);
        QCOMPARE(result.value(1).toBool(), true);
        QCOMPARE(text(), QStringLiteral("rate = 0.2 =\n0.2\nprice = 200 =\n200\n"
                                        "tax = price * rate =\n40\nhalf(a) = a / 2 =\n"
                                        "Function defined\nhalf(rate) =\n0.1\n"
                                        "total = price + tax =\n240\na note =\n"));
        QCOMPARE(*FindVariable(*mWorksheet->calcState(), "total"), 240.0);
        QVERIFY(!mWorksheet->isCalculating());

        // One step back restores every answer and the variables that went with them, in the
        // tool too; one step forward brings the new ones back.
        const QString recalculated = text();
        mWorksheet->textView()->undo();
        QCOMPARE(text(), edited);
        QCOMPARE(*FindVariable(*mWorksheet->calcState(), "total"), 120.0);
        mWorksheet->textView()->redo();
        QCOMPARE(text(), recalculated);
        QCOMPARE(*FindVariable(*mWorksheet->calcState(), "total"), 240.0);
        mWorksheet->textView()->undo();
        calculate(QStringLiteral("total * 2"));
        QVERIFY(text().endsWith(QStringLiteral("total * 2 =\n240\n")));
    }

    void reportsLinesThatNowFail() {
        calculate(QStringLiteral("x = 4"));
        calculate(QStringLiteral("sqrt(x)"));
        replaceLine(QStringLiteral("sqrt(x) ="), QStringLiteral("sqrt(x)) ="));
        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 1);
        QCOMPARE(result.value(1).toBool(), false);
        QVERIFY(text().endsWith(QStringLiteral("sqrt(x)) =\nSyntax error: unexpected “)”\n")));
    }

    // Return at the end of an answered line, or right before its marker, calculates it again in
    // place; the answers that depend on it follow when asked to, and only those are sent.
    void returnOnAnAnsweredLineUpdatesItsDependents_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("beforeMarker");
        QTest::addColumn<bool>("following");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("sent");
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
            << 3;
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
        QFETCH(int, sent);
        MyDocument::setUpdatesDependentAnswers(following);
        std::optional<WorksheetSettings> commaLocale;
        if (from.contains(QLatin1Char(',')))
            commaLocale.emplace(QLocale(QStringLiteral("de_DE")));
        for (const QString& line : lines)
            calculate(line);
        const QString before = text();
        const StateSymbols symbolsBefore = symbolsOf(*mWorksheet->calcState());
        replaceLine(from, to);
        const QTextBlock edited = mWorksheet->textView()->document()->find(to).block();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        QTextCursor cursor(edited);
        cursor.movePosition(QTextCursor::EndOfBlock);
        if (beforeMarker)
            cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 2);
        mWorksheet->textView()->setTextCursor(cursor);
        QSignalSpy answered(mWorksheet->calcSession(), &CalcSession::answered);
        QSignalSpy finished(mWorksheet, &MyDocument::recalculationFinished);
        QTest::keyClick(mWorksheet->textView(), Qt::Key_Return);
        QVERIFY(finished.wait(20000));
        MyDocument::setUpdatesDependentAnswers(true);

        QCOMPARE(text(), expected);
        QCOMPARE(int(answered.size()), sent);
        QVERIFY(!mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        const QTextBlock lastAnswer = mWorksheet->textView()->document()->lastBlock().previous();
        QCOMPARE(mWorksheet->answerMarks()->isOutOfDate(lastAnswer), !following);
        // One Undo takes the update back, with the variables and functions before it.
        mWorksheet->textView()->undo();
        QCOMPARE(text(), QString(before).replace(from, to));
        QVERIFY(symbolsOf(*mWorksheet->calcState()).variables == symbolsBefore.variables);
        // The edited line's answer is out of date again, and only what was before with it.
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(edited.next()));
        QCOMPARE(mWorksheet->answerMarks()->isOutOfDate(lastAnswer),
                 lines.size() == 1 || !following);
    }

    // Undo of an edit puts back the statement its answer was calculated from; Redo the edit.
    void undoingAnEditLeavesTheAnswerUpToDate() {
        calculate(QStringLiteral("2+2"));
        replaceLine(QStringLiteral("2+2 ="), QStringLiteral("5+2 ="));
        const QTextBlock answer = mWorksheet->textView()->document()->firstBlock().next();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(answer));
        mWorksheet->textView()->undo();
        QVERIFY(!mWorksheet->answerMarks()->isOutOfDate(answer));
        mWorksheet->textView()->redo();
        QVERIFY(mWorksheet->answerMarks()->isOutOfDate(answer));
    }

    // An answer is in the font of the text it follows, whether new or replacing an old one.
    void answersAreInTheWorksheetsFont() {
        calculate(QStringLiteral("2+2"));
        QTextCharFormat serif;
        serif.setFontFamilies(QStringList{QStringLiteral("DejaVu Serif")});
        QTextCursor all(mWorksheet->textView()->document());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(serif);
        const auto answerFont = [this](int line) {
            QTextCursor answer(mWorksheet->textView()->document()->findBlockByNumber(line));
            answer.movePosition(QTextCursor::NextCharacter);
            return answer.charFormat().fontFamilies().toStringList();
        };
        replaceLine(QStringLiteral("2+2 ="), QStringLiteral("5+2 ="));
        QCOMPARE(recalculate().value(0).toInt(), 1);
        QCOMPARE(answerFont(1), serif.fontFamilies().toStringList());
        calculate(QStringLiteral("3+3"));
        QCOMPARE(answerFont(3), serif.fontFamilies().toStringList());
    }

    void anUnchangedWorksheetStaysUnchanged() {
        calculate(QStringLiteral("y = 3"));
        calculate(QStringLiteral("y^2"));
        const QString before = text();
        mWorksheet->setDocumentEdited(false);
        QCOMPARE(recalculate().value(0).toInt(), 0);
        QCOMPARE(text(), before);
        QVERIFY(!mWorksheet->isDocumentEdited());
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(RecalculationTest)

#include "recalculation_test.moc"
