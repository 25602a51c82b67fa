// SPDX-License-Identifier: GPL-3.0-or-later
// Calculating lines in a worksheet window: answers, their colours and places, and the state.

#include "calculationfixture.h"

class CalculationTest : public CalculationFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(openWorksheet()); }
    void cleanup() { closeWorksheet(); }

    void answersValuesAssignmentsAndDefinitions() {
        QVERIFY(calculate(QStringLiteral("x = 2+3")));
        QVERIFY(calculate(QStringLiteral("sq(a) = a^2")));
        QVERIFY(calculate(QStringLiteral("sq(x) + last")));
        QCOMPARE(view()->toPlainText(), QStringLiteral("x = 2+3 =\n5\nsq(a) = a^2 =\nFunction "
                                                       "defined\nsq(x) + last =\n30\n"));
        QCOMPARE(*FindVariable(*mDocument->worksheet()->state(), "x"), 5.0);
        QCOMPARE(*FindVariable(*mDocument->worksheet()->state(), "last"), 30.0);
        QVERIFY(FindFunction(*mDocument->worksheet()->state(), "sq"));
        QCOMPARE(colourAt(view()->document(), 10), resultGreen().name());
        QVERIFY(mDocument->isDocumentEdited());
        QCOMPARE(view()->textCursor().position(), view()->document()->characterCount() - 1);
    }

    // The part of the line the parser did not take is selected; the tool counts bytes, the
    // editor UTF-16 units, so a "π" before it must not shift the selection. The answer says why.
    void selectsWhatDidNotParse_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("answer");
        const QString star = QStringLiteral("Syntax error: unexpected “*”");
        QTest::newRow("operator after an operator") << "2 * *3"
                                                    << "* *3" << star;
        QTest::newRow("after a two-byte character") << "\u03C0 * *3"
                                                    << "* *3" << star;
        QTest::newRow("after a three-byte character") << "\u221A(4) * *3"
                                                      << "* *3" << star;
        QTest::newRow("unknown name: whole line")
            << "nosuch + 1"
            << "nosuch + 1" << QStringLiteral("Syntax error: “nosuch” is not defined");
        QTest::newRow("text left over at the end")
            << "x = 3 )"
            << ")" << QStringLiteral("Syntax error: unexpected “)”");
        QTest::newRow("a missing parenthesis")
            << "sqrt(2"
            << "sqrt(2" << QStringLiteral("Syntax error: missing “)”");
        QTest::newRow("a one-argument function")
            << "sqrt(1, 2)"
            << "sqrt(1, 2)" << QStringLiteral("Syntax error: “sqrt” takes 1 argument");
        QTest::newRow("a two-argument function")
            << "max(1)"
            << "max(1)" << QStringLiteral("Syntax error: “max” takes 2 arguments");
    }

    void selectsWhatDidNotParse() {
        QFETCH(QString, line);
        QFETCH(QString, selected);
        QFETCH(QString, answer);
        QVERIFY(calculate(line));
        QCOMPARE(view()->textCursor().selectedText(), selected);
        QVERIFY2(view()->toPlainText().endsWith(line + " =\n" + answer + "\n"),
                 qPrintable(view()->toPlainText()));
    }

    void returnOnlyCalculatesAfterTextOnALine() {
        QTest::keyClick(view(), Qt::Key_Return);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n"));
        type(QStringLiteral("1+1 tail"));
        QTextCursor cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 5);
        view()->setTextCursor(cursor);
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->worksheet()->isCalculating(), kAnswerWaitMs);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n1+1 =\n2\n tail"));
        // Shift+Return breaks the line with a real line break and sends nothing.
        QTest::keyClick(view(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(view()->toPlainText(), QStringLiteral("\n1+1 =\n2\n\n tail"));
        cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Up);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        view()->setTextCursor(cursor);
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(!mDocument->worksheet()->isCalculating());
    }

    void typingAfterAnAnswerIsInTheNormalColour() {
        QVERIFY(calculate(QStringLiteral("2*21")));
        QTextCursor cursor = view()->textCursor();
        cursor.movePosition(QTextCursor::Up);
        cursor.movePosition(QTextCursor::EndOfBlock);
        view()->setTextCursor(cursor);
        QTest::keyClicks(view(), QStringLiteral("7"));
        QCOMPARE(view()->document()->findBlockByNumber(1).text(), QStringLiteral("427"));
        QCOMPARE(colourAt(view()->document(), cursor.position()), QStringLiteral("none"));
    }

    // Undo takes a calculation back in the steps it was made: the answer line, then the " =".
    void undoTakesTheAnswerBackWholeThenTheMarker() {
        QVERIFY(calculate(QStringLiteral("2*21")));
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21 =\n42\n"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21 =\n"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("2*21"));
    }

    // A quick answer goes in before the window repaints, so the line and its answer appear
    // together. The short wait is stretched here: how quick a busy machine's tool is must not
    // decide the test.
    void aQuickAnswerArrivesBeforeTheRepaint() {
        mDocument->worksheet()->tool()->setQuickReplyWait(kAnswerWaitMs);
        PaintCounter paints;
        view()->viewport()->installEventFilter(&paints);
        int paintsBeforeAnswer = -1;
        connect(mDocument->worksheet(), &Worksheet::calculationFinished, this,
                [&] { paintsBeforeAnswer = paints.count; });
        type(QStringLiteral("1+1"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        paints.count = 0;
        QTest::keyClick(view(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->worksheet()->isCalculating(), kAnswerWaitMs);
        QCOMPARE(paintsBeforeAnswer, 0);
    }

    void showsIntegersInHexadecimalWhenAsked() {
        QVERIFY(!mDocument->worksheet()->integersAsHex());
        QVERIFY(calculate(QStringLiteral("255")));
        QAction* hexadecimal = commandOf(mDocument, QStringLiteral("&Hexadecimal"));
        hexadecimal->trigger();
        QVERIFY(mDocument->worksheet()->integersAsHex());
        QVERIFY(hexadecimal->isChecked());
        QVERIFY(calculate(QStringLiteral("255")));
        QCOMPARE(view()->toPlainText(), QStringLiteral("255 =\n255\n255 =\n0xFF\n"));
    }

    // At the foot of a long worksheet, the line where the answer will go is in sight before
    // the answer is, and the insertion point is on it.
    void aSlowAnswersLineIsInSightWhileItWaits() {
        QString text;
        for (int line = 0; line < 200; ++line)
            text += QStringLiteral("%1 =\n%1\n").arg(line);
        view()->setPlainText(text + QStringLiteral("7"));
        view()->moveCursor(QTextCursor::End);
        useTool(standIn(QStringLiteral("silent"), "cat >/dev/null\n"));
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(mDocument->worksheet()->isCalculating());
        QCOMPARE(view()->textCursor().position(), view()->document()->characterCount() - 1);
        QTRY_VERIFY(view()->viewport()->rect().contains(view()->cursorRect()));
        QVERIFY(mDocument->worksheet()->isCalculating());
    }

    // Whatever the user does while a line waits, its answer goes under that line and the rest
    // of the text stays as it was. The stand-in answers once the test lets it.
    void theAnswerStaysWithItsLine_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("selected");
        const QByteArray value = "<key>ResultKind</key><integer>1</integer>"
                                 "<key>Result</key><real>7</real>";
        const QByteArray error = "<key>ResultKind</key><integer>0</integer>"
                                 "<key>Stop</key><integer>1</integer>";
        QTest::newRow("a click into the first line") << "click" << value << "7"
                                                     << "";
        QTest::newRow("Select All") << "select all" << value << "7"
                                    << "abc = 1 =\u20291\u20291+1 =\u20297\u2029";
        QTest::newRow("Undo") << "undo" << value << "7"
                              << "";
        QTest::newRow("scrolled to the top") << "scroll" << value << "7"
                                             << "";
        QTest::newRow("a syntax error after a click") << "click" << error << "Syntax error"
                                                      << "+1";
        QTest::newRow("a time-out after a click")
            << "click" << QByteArray() << "The calculation took too long"
            << "";
    }

    void theAnswerStaysWithItsLine() {
        QFETCH(QString, action);
        QFETCH(QByteArray, reply);
        QFETCH(QString, answer);
        QFETCH(QString, selected);
        QVERIFY(calculate(QStringLiteral("abc = 1")));
        const QString go = mFolder.filePath(QStringLiteral("go"));
        QFile::remove(go);
        useTool(
            standIn(QStringLiteral("gated"), "while read line; do\n"
                                             "  while [ ! -e '" +
                                                 QFile::encodeName(go) +
                                                 "' ]; do sleep 0.01; done\n"
                                                 "  printf '%s' '<plist version=\"1.0\"><dict>" +
                                                 reply +
                                                 "</dict></plist>'\n"
                                                 "done\n"));
        type(QStringLiteral("1+1"));
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(mDocument->worksheet()->isCalculating());

        QAction* undo = nullptr;
        for (QAction* command : mDocument->window()->findChildren<QAction*>())
            if (command->shortcut() == QKeySequence(QKeySequence::Undo))
                undo = command;
        QVERIFY(undo && !undo->isEnabled());
        if (action == "click") {
            QTextCursor cursor = view()->textCursor();
            cursor.setPosition(1);
            view()->setTextCursor(cursor);
        } else if (action == "select all") {
            view()->selectAll();
        } else if (action == "undo") {
            QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
        } else {
            view()->verticalScrollBar()->setValue(0);
        }
        if (!reply.isEmpty()) {
            QFile opened(go);
            QVERIFY(opened.open(QIODevice::WriteOnly));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!mDocument->worksheet()->isCalculating(),
                                 int(mDocument->worksheet()->options().timeLimitSeconds * 1000) +
                                     kMarginMs);
        QCOMPARE(view()->toPlainText(), "abc = 1 =\n1\n1+1 =\n" + answer + "\n");
        QCOMPARE(view()->textCursor().selectedText(), selected);
        QVERIFY(undo->isEnabled());
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(CalculationTest)

#include "calculation_test.moc"
