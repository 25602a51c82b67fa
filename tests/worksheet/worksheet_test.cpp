// A worksheet with no window: its lines calculated as Return calculates them, their answers in
// place, with the options its owner gives it.

#include "calculating.h"
#include "engine/calcstate.h"
#include "engine/unittable.h"
#include "platform/keyedtexts.h"
#include "worksheet/answerformats.h"
#include "worksheet/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/worksheet.h"
#include "worksheettestmain.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

class WorksheetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Worksheet> mWorksheet;

    QString text() const { return mWorksheet->text()->toPlainText(); }

private slots:
    void init() { mWorksheet = std::make_unique<Worksheet>(WorksheetOptions()); }
    void cleanup() { mWorksheet.reset(); }

    void answersEachLineUnderIt_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("values, assignments and definitions")
            << QStringList{"x = 2+3", "sq(a) = a^2", "sq(x) + last"} << false << false
            << "x = 2+3 =\n5\nsq(a) = a^2 =\nFunction defined\nsq(x) + last =\n30\n";
        QTest::newRow("an error and its reason")
            << QStringList{"nosuch + 1"} << false << false
            << "nosuch + 1 =\nSyntax error: “nosuch” is not defined\n";
        QTest::newRow("integers in hexadecimal")
            << QStringList{"255", "2.5"} << false << true << "255 =\n0xFF\n2.5 =\n2.5\n";
        QTest::newRow("a decimal comma")
            << QStringList{"max(1,5; 2,25)"} << true << false << "max(1,5; 2,25) =\n2,25\n";
        QTest::newRow("quantities, their variables and conversions")
            << QStringList{"d = 5 km", "d in m", "100 km / 2 h"} << false << false
            << "d = 5 km =\n5 km\nd in m =\n5000 m\n100 km / 2 h =\n50 km/h\n";
        QTest::newRow("a whole quantity in hexadecimal")
            << QStringList{"1 GiB -> MiB"} << false << true << "1 GiB -> MiB =\n0x400 MiB\n";
        QTest::newRow("a decimal comma before a unit")
            << QStringList{"1,5 kg in g"} << true << false << "1,5 kg in g =\n1500 g\n";
        QTest::newRow("units that do not go together")
            << QStringList{"5 km + 3 kg"} << false << false
            << "5 km + 3 kg =\nSyntax error: cannot add “km” (length) and “kg” (mass)\n";
        QTest::newRow("a function that takes a plain number")
            << QStringList{"log(5 km)"} << false << false
            << "log(5 km) =\nSyntax error: “log” takes a plain number, not “km” (length)\n";
    }
    void answersEachLineUnderIt() {
        QFETCH(QStringList, lines);
        QFETCH(bool, comma);
        QFETCH(bool, hex);
        QFETCH(QString, expected);
        WorksheetOptions options;
        options.commaIsDecimal = comma;
        mWorksheet->setOptions(options);
        mWorksheet->setIntegersAsHex(hex);
        for (const QString& line : lines)
            QVERIFY(typeAndCalculate(*mWorksheet, line));
        QCOMPARE(text(), expected);
        QVERIFY(mWorksheet->text()->isModified());
    }

    // A reason names each side's kind of quantity in the worksheet's language.
    void hasWordsForEveryKindOfQuantity() {
        for (const units::UnitDefinition& unit : units::UnitDefinitions()) {
            const std::string_view kind = units::KindOf(unit.dimensions);
            QVERIFY2(!kind.empty(), unit.name.data());
            const QByteArray key = "Kind_" + QByteArray(kind.data(), qsizetype(kind.size()));
            QVERIFY2(platform::hasKeyedText(key), key.constData());
        }
    }

    // The view selects what the parser did not take: the worksheet says where it is.
    void tellsWhereASyntaxErrorIs() {
        QSignalSpy error(mWorksheet.get(), &Worksheet::syntaxErrorAt);
        QVERIFY(typeAndCalculate(*mWorksheet, QStringLiteral("1+1 =\n2\nx = 3 )")));
        QCOMPARE(error.size(), 1);
        const int lineStart = int(text().indexOf(QStringLiteral("x = 3")));
        QCOMPARE(error[0][0].toInt(), lineStart + 6);
        QCOMPARE(error[0][1].toInt(), lineStart + 7);
    }

    // A line whose " =" was deleted still has the answer the worksheet wrote under it: Return
    // replaces that answer. A line the user typed under it is left alone.
    void replacesTheAnswerItWrote_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("userTypedTheAnswer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a value") << "2+3" << false << "2+4 =\n6\nnext";
        QTest::newRow("an error") << "2+*3" << false << "2+4 =\n6\nnext";
        QTest::newRow("a line typed in the normal colour")
            << "2+3" << true << "2+4 =\n6\n\n5\nnext";
    }
    void replacesTheAnswerItWrote() {
        QFETCH(QString, first);
        QFETCH(bool, userTypedTheAnswer);
        QFETCH(QString, expected);
        QVERIFY(typeAndCalculate(*mWorksheet, first));
        QTextCursor end(mWorksheet->text());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("next"));
        if (userTypedTheAnswer) {
            QTextCursor answer(mWorksheet->text()->findBlockByNumber(1));
            answer.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            answer.insertText(QStringLiteral("5"), normalFormat());
        }
        QTextCursor statement(mWorksheet->text()->firstBlock());
        statement.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        statement.insertText(QStringLiteral("2+4"), normalFormat());
        QSignalSpy continued(mWorksheet.get(), &Worksheet::continueAfter);
        QVERIFY(mWorksheet->calculateAt(statement));
        QVERIFY(answersAreIn(*mWorksheet));
        QCOMPARE(text(), expected);
        // Typing goes on after a replaced answer; after a new one, it is there already.
        QCOMPARE(continued.size(), userTypedTheAnswer ? 0 : 1);
        QVERIFY(!mWorksheet->answerMarks()->isOutOfDate(mWorksheet->text()->findBlockByNumber(1)));
    }

    // Forgetting a name forgets it in the tool too: it no longer calculates.
    void aForgottenNameNoLongerCalculates() {
        QVERIFY(typeAndCalculate(*mWorksheet, QStringLiteral("x = 2")));
        mWorksheet->forget(QStringLiteral("x"), false);
        QVERIFY(!FindVariable(*mWorksheet->state(), "x"));
        QVERIFY(typeAndCalculate(*mWorksheet, QStringLiteral("x + 1")));
        QVERIFY(text().endsWith("x + 1 =\nSyntax error: “x” is not defined\n"));
    }

    // Lines calculated at the end go in with their answers, and the calculation says when the
    // last is in and whether every one gave a value.
    void calculatesLinesAtTheEnd() {
        Calculation* calculation =
            mWorksheet->calculateAtEnd({QStringLiteral("y = 4"), QStringLiteral("y/0 +")});
        QSignalSpy finished(calculation, &Calculation::finished);
        QVERIFY(finished.wait(kAnswerWaitMs));
        QVERIFY(!calculation->allSucceeded());
        QCOMPARE(text(),
                 QStringLiteral("y = 4 =\n4\ny/0 + =\nSyntax error: the line ends too soon\n"));
    }
};

FIGURELLO_MODEL_TEST_MAIN(WorksheetTest)

#include "worksheet_test.moc"
