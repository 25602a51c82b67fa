// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet with no window: its lines calculated as Return calculates them, their answers in
// place, with the options its owner gives it.

#include "calculating.h"
#include "engine/calcstate.h"
#include "engine/unittable.h"
#include "platform/keyedtexts.h"
#include "worksheet/answercolours.h"
#include "worksheet/answerformats.h"
#include "worksheet/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/chartdescription.h"
#include "worksheet/chartobject.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

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
        QTest::newRow("a plot is answered with its chart and leaves last as it was")
            << QStringList{"x = 5", "plot(x^2, -1, 1)", "last + x"} << false << false
            << "x = 5 =\n5\nplot(x^2, -1, 1) =\n\uFFFC\nlast + x =\n10\n";
        QTest::newRow("a plot with a decimal comma")
            << QStringList{"plot(x; 0; 1,5)"} << true << false << "plot(x; 0; 1,5) =\n\uFFFC\n";
        QTest::newRow("a plot within a longer line")
            << QStringList{"2 * plot(x, 0, 1)"} << false << false
            << "2 * plot(x, 0, 1) =\nSyntax error: a plot is a line of its own: plot(curve, from, "
               "to)\n";
        QTest::newRow("a plot's range the wrong way round")
            << QStringList{"plot(x, 1, 0)"} << false << false
            << "plot(x, 1, 0) =\nSyntax error: a plot needs x to go from a number to a greater "
               "one\n";
        QTest::newRow("the worksheet's own plot")
            << QStringList{"plot(t) = 2t", "plot(3)"} << false << false
            << "plot(t) = 2t =\nFunction defined\nplot(3) =\n6\n";
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
    // A chart is saved as a PNG picture; read back under its plot line it is that line's chart,
    // and any other picture stays a picture.
    void aChartIsSavedAsItsPicture() {
        QVERIFY(typeAndCalculate(*mWorksheet, "plot(sin(x), cos(x), 0, 2pi)"));
        const QTextBlock answer = mWorksheet->text()->findBlockByNumber(1);
        const PlotAnswerPtr plot = chartOf(answer.begin().fragment().charFormat());
        QVERIFY(plot && plot->curves.size() == 2);
        QVERIFY(plot->curves[0].samples.points.size() > 1000);
        QCOMPARE(chartDescription(*plot, false),
                 "Plot of sin(x) and cos(x) for x from 0 to 6.283. sin(x): Lowest -1 at x = "
                 "4.712, highest 1 at x = 1.571; zeros at x = 0 and 3.142. cos(x): Lowest -1 at x "
                 "= 3.142, highest 1 at x = 0; zeros at x = 1.571 and 4.712.");
        QTextCursor end(mWorksheet->text());
        end.movePosition(QTextCursor::End);
        QImage other(8, 4, QImage::Format_RGB32);
        other.fill(Qt::blue);
        mWorksheet->text()->addResource(QTextDocument::ImageResource, QUrl("other"), other);
        QTextImageFormat picture;
        picture.setName("other");
        end.insertImage(picture);

        QString error;
        const QByteArray data = mWorksheet->fileData(&error);
        QVERIFY2(!data.isEmpty(), qPrintable(error));
        Worksheet read{WorksheetOptions()};
        QVERIFY(read.read(data, kWorksheetType, "charts", &error));
        const QTextCharFormat readAnswer =
            read.text()->findBlockByNumber(1).begin().fragment().charFormat();
        const PlotAnswerPtr readPlot = chartOf(readAnswer);
        QVERIFY(readPlot && readPlot->isPictureOnly());
        QCOMPARE(QImage::fromData(readPlot->picture).size(),
                 ChartObject::chartSize(96, -1).toSize());
        // In the chart's own colours, a third of the bytes of full colour.
        QCOMPARE(QImage::fromData(readPlot->picture).format(), QImage::Format_Indexed8);
        QVERIFY(isWrittenAnswer(read.text()->findBlockByNumber(1)));
        const QTextCharFormat readOther =
            read.text()->findBlockByNumber(2).begin().fragment().charFormat();
        QVERIFY(readOther.isImageFormat());
        QVERIFY(!chartOf(readOther));

        // Calculated again, the line has its curves back.
        QTextCursor line(read.text()->findBlockByNumber(0));
        line.movePosition(QTextCursor::EndOfBlock);
        QVERIFY(read.calculateAt(line) && answersAreIn(read));
        const PlotAnswerPtr again =
            chartOf(read.text()->findBlockByNumber(1).begin().fragment().charFormat());
        QVERIFY(again && again->curves.size() == 2);
    }

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
