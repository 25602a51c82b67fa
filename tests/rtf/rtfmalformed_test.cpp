// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtfpicture.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

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
        QTest::newRow("picture's binary data past the end")
            << QByteArray("{\\rtf1 {\\pict\\pngblip\\bin2147483647 89}}") << "cut off";
        QTest::newRow("picture cut off in its hex")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << "cut off";
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

    // Damaged picture data still reads: every whole byte it holds is kept, in order.
    void damagedPictureKeepsWhatIsReadable_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("odd number of digits drops the half byte at the end")
            << QByteArray("{\\rtf1 {\\pict\\wmetafile8 0102030}}") << QByteArray("\x01\x02\x03");
        QTest::newRow("characters that are not hex digits are passed over")
            << QByteArray("{\\rtf1 {\\pict\\wmetafile8 01zz0 2\t;g03\xff}}")
            << QByteArray("\x01\x02\x03");
        QTest::newRow("hex escapes and symbols in the data are not data")
            << QByteArray("{\\rtf1 {\\pict\\wmetafile8 01\\'41\\{\\~02}}")
            << QByteArray("\x01\x02");
        QTest::newRow("no data at all") << QByteArray("{\\rtf1 {\\pict\\pngblip}}") << QByteArray();
        QTest::newRow("PNG data that does not decode")
            << QByteArray("{\\rtf1 {\\pict\\pngblip 89504e470d0a1a0a0000}}")
            << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10);
        QTest::newRow("a picture inside a picture adds to it")
            << QByteArray("{\\rtf1 {\\pict\\wmetafile8 01{\\pict\\pngblip 02}03}}")
            << QByteArray("\x01\x02\x03");
    }

    void damagedPictureKeepsWhatIsReadable() {
        QFETCH(QByteArray, rtf);
        QFETCH(QByteArray, bytes);

        QTextDocument document;
        QString error;
        QVERIFY2(rtf::readRtf(rtf, document, &error), qPrintable(error));
        QCOMPARE(rtftest::textOf(document), QString(QChar::ObjectReplacementCharacter));
        const QTextCharFormat format = rtftest::formatAt(document, 0);
        QVERIFY(format.isImageFormat());
        QCOMPARE(format.property(rtf::kPictureBytesProperty).toByteArray(), bytes);
        QVERIFY(rtf::readRtf(rtf::writeRtf(document), document, &error));
        QCOMPARE(rtftest::formatAt(document, 0).property(rtf::kPictureBytesProperty).toByteArray(),
                 bytes);
    }
};

QTEST_MAIN(RtfMalformedInputTest)

#include "rtfmalformed_test.moc"
