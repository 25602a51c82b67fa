#include "rtftestsupport.h"

#include "rtf/rtfreader.h"

#include <QTest>
#include <QTextCursor>

class RtfMalformedInputTest : public QObject {
    Q_OBJECT

private slots:
    void failsAndLeavesTheDocumentAlone_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("errorMentions");

        const QByteArray mac = rtftest::macDocument("\\f0\\fs24 \\cf0 x");
        QTest::newRow("empty data") << QByteArray() << "empty";
        QTest::newRow("only whitespace") << QByteArray(" \r\n\t") << "empty";
        QTest::newRow("plain text") << QByteArray("2 + 3 = 5\n") << "not RTF";
        QTest::newRow("group that is not RTF") << QByteArray("{\\pard x}") << "not RTF";
        QTest::newRow("HTML") << QByteArray("<html><body>x</body></html>") << "not RTF";
        QTest::newRow("byte order mark before RTF")
            << QByteArray("\xEF\xBB\xBF{\\rtf1 x}") << "not RTF";
        QTest::newRow("truncated Cocoa text") << mac.first(mac.size() / 2) << "cut off";
        QTest::newRow("last brace missing") << mac.chopped(1) << "cut off";
        QTest::newRow("truncated inside a hex escape") << QByteArray("{\\rtf1 \\'e") << "cut off";
        QTest::newRow("truncated after a backslash") << QByteArray("{\\rtf1 x\\") << "cut off";
        QTest::newRow("binary data shorter than declared")
            << QByteArray("{\\rtf1 {\\pict\\bin100 ab}}") << "cut off";
        QTest::newRow("negative binary length")
            << QByteArray("{\\rtf1 {\\pict\\bin-1 ab}}") << "negative";
        QTest::newRow("inner group left open") << QByteArray("{\\rtf1 {\\b x}") << "cut off";
        QTest::newRow("extra closing brace") << QByteArray("{\\rtf1 x}}") << "closing brace";
        QTest::newRow("text after the end") << QByteArray("{\\rtf1 x} y") << "goes on";
        QTest::newRow("one group past the nesting bound")
            << "{\\rtf1" + QByteArray(1000, '{') + "x" + QByteArray(1001, '}') << "1000 deep";
        QTest::newRow("100,000-deep groups")
            << "{\\rtf1" + QByteArray(100000, '{') + QByteArray(100001, '}') << "1000 deep";
        QTest::newRow("100,000-deep groups in a skipped destination")
            << "{\\rtf1{\\*\\x" + QByteArray(100000, '{') << "1000 deep";
        QTest::newRow("parameter one past the int range")
            << QByteArray("{\\rtf1 \\fs2147483648 x}") << "too large";
        QTest::newRow("negative parameter past the int range")
            << QByteArray("{\\rtf1 \\u-2147483648 x}") << "too large";
        QTest::newRow("parameter with a hundred digits")
            << "{\\rtf1 \\cf" + QByteArray(100, '9') + " x}"
            << "too large";
        QTest::newRow("huge parameter in a skipped group")
            << QByteArray("{\\rtf1 {\\*\\foo\\bar99999999999} x}") << "too large";
        QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 \\'4g}") << "hexadecimal";
        QTest::newRow("over-long control word") << "{\\rtf1 \\" + QByteArray(33, 'x') + " y}"
                                                << "longer than 32";
    }

    void failsAndLeavesTheDocumentAlone() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, errorMentions);

        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("earlier work"), rtftest::colored(Qt::red));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("second line"));
        const QString htmlBefore = document.toHtml();
        const int undoStepsBefore = document.availableUndoSteps();

        QString error;
        QVERIFY(!rtf::readRtf(rtf, document, &error));
        QVERIFY2(error.contains(errorMentions), qPrintable(error));
        QVERIFY2(error.endsWith(u'.'), qPrintable(error));
        QCOMPARE(document.toHtml(), htmlBefore);
        QCOMPARE(document.availableUndoSteps(), undoStepsBefore);
    }
};

QTEST_MAIN(RtfMalformedInputTest)

#include "rtfmalformed_test.moc"
