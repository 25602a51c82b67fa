// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtfpicture.h"
#include "rtf/rtfwriter.h"

#include <QTest>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QUrl>

using namespace Qt::StringLiterals;
using rtftest::appendText;
using rtftest::colored;
using rtftest::DocumentBuilder;
using rtftest::styled;

class RtfWriterTest : public QObject {
    Q_OBJECT

private slots:
    void writesExpectedWords_data() {
        QTest::addColumn<DocumentBuilder>("build");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("header, font table, empty colour table, cf0")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"x"_s); })
            << QStringList{"{\\rtf1\\ansi\\ansicpg1252",
                           "{\\fonttbl\\f0\\fnil\\fcharset0 Helvetica;}", "{\\colortbl;}",
                           "\\f0\\fs24\\cf0 x}"};
        QTest::newRow("pi as uc0 u")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"2\u03C0r"_s); })
            << QStringList{"2\\uc0\\u960 r"};
        QTest::newRow("emoji as two negative surrogates")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"\U0001F600"_s); })
            << QStringList{"\\uc0\\u-10179 \\uc0\\u-8704 "};
        QTest::newRow("BMP character above 0x7fff is negative")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"\uFB01"_s); })
            << QStringList{"\\uc0\\u-1279 "};
        QTest::newRow("tab and line break words")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"a\tb\u2028c"_s); })
            << QStringList{"a\\tab b\\line c"};
        QTest::newRow("backslash and braces escaped")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"\\{}"_s); })
            << QStringList{"\\\\\\{\\}"};
        QTest::newRow("paragraphs as backslash-newline")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"a\nb"_s); })
            << QStringList{"a\\\nb"};
        QTest::newRow("trailing newline as a final paragraph break")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"a\n"_s); })
            << QStringList{"a\\\n}"};
        QTest::newRow("half points rounded to whole numbers")
            << DocumentBuilder([](QTextDocument& d) {
                   appendText(d, u"a"_s, styled(u"Helvetica"_s, 13.3));
                   appendText(d, u"b"_s, styled(u"Helvetica"_s, 10.25));
                   appendText(d, u"c"_s, styled(u"Helvetica"_s, 0.1));
               })
            << QStringList{"\\fs27\\cf0 a\\fs21 b\\fs1 c"};
        QTest::newRow("colour table starts empty and is deduplicated")
            << DocumentBuilder([](QTextDocument& d) {
                   QTextCharFormat both = colored(Qt::red);
                   both.setBackground(QColor(Qt::red));
                   appendText(d, u"a"_s, colored(Qt::red));
                   appendText(d, u"b"_s, both);
                   appendText(d, u"c"_s, colored(QColor(0, 128, 255)));
                   appendText(d, u"d"_s);
               })
            << QStringList{"{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}",
                           "\\cf1 a\\cb1 b\\cf2\\cb0 c\\cf0 d"};
        QTest::newRow("character attributes on and off") << DocumentBuilder([](QTextDocument& d) {
            QTextCharFormat all = styled();
            all.setFontWeight(QFont::Bold);
            all.setFontItalic(true);
            all.setFontUnderline(true);
            all.setFontStrikeOut(true);
            appendText(d, u"a"_s, all);
            appendText(d, u"b"_s);
        }) << QStringList{"\\b\\i\\ul\\strike a\\b0\\i0\\ulnone\\strike0 b"};
        QTest::newRow("superscript and subscript") << DocumentBuilder([](QTextDocument& d) {
            QTextCharFormat up = styled(), down = styled();
            up.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            down.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            appendText(d, u"r"_s);
            appendText(d, u"2"_s, up);
            appendText(d, u"1"_s, down);
            appendText(d, u"x"_s);
        }) << QStringList{"r\\super 2\\sub 1\\nosupersub x"};
        QTest::newRow("families listed once in order of use")
            << DocumentBuilder([](QTextDocument& d) {
                   appendText(d, u"a"_s, styled(u"Helvetica"_s));
                   appendText(d, u"b"_s, styled(u"Menlo"_s));
                   appendText(d, u"c"_s, styled(u"Helvetica"_s));
               })
            << QStringList{"\\f0\\fnil\\fcharset0 Helvetica;\\f1\\fnil\\fcharset0 Menlo;}",
                           "a\\f1 b\\f0 c"};
        QTest::newRow("paragraph alignment after pard") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"a\nb"_s);
            QTextCursor cursor(&d);
            QTextBlockFormat centered;
            centered.setAlignment(Qt::AlignHCenter);
            cursor.mergeBlockFormat(centered);
        }) << QStringList{"\\pard\\qc\\pardirnatural\n", "a\\\n\\pard\\pardirnatural\n"};
        QTest::newRow("text without a family uses the document font")
            << DocumentBuilder([](QTextDocument& d) {
                   d.setDefaultFont(QFont(u"Courier"_s, 15));
                   QTextCursor(&d).insertText(u"x"_s);
               })
            << QStringList{"\\f0\\fnil\\fcharset0 Courier;", "\\fs30"};
        const QImage image = rtftest::patternImage(4, 2);
        const QByteArray png = rtftest::imageBytes(image, "PNG");
        const QByteArray pngStart = png.first(8).toHex();
        QTest::newRow("PNG bytes as pngblip: picw in pixels, picwgoal in twips of the shown size")
            << DocumentBuilder([png](QTextDocument& d) {
                   d.addResource(QTextDocument::ImageResource, QUrl(u"chart"_s), png);
                   rtftest::appendImage(d, u"chart"_s, QSizeF(20, 10.5));
               })
            << QStringList{"{\\pict\\pngblip\\picw4\\pich2\\picwgoal300\\pichgoal158\n" + pngStart};
        QTest::newRow("QImage as pngblip, goal from the pixels when no size is shown")
            << DocumentBuilder([image](QTextDocument& d) {
                   d.addResource(QTextDocument::ImageResource, QUrl(u"chart"_s), image);
                   rtftest::appendImage(d, u"chart"_s);
               })
            << QStringList{"{\\pict\\pngblip\\picw4\\pich2\\picwgoal60\\pichgoal30\n" + pngStart};
        QTest::newRow("JPEG signature as jpegblip, sizes from the format when it cannot be read")
            << DocumentBuilder([](QTextDocument& d) {
                   d.addResource(QTextDocument::ImageResource, QUrl(u"photo"_s),
                                 QByteArray("\xFF\xD8\xFF\xE0"));
                   rtftest::appendImage(d, u"photo"_s, QSizeF(8, 6));
               })
            << QStringList{"{\\pict\\jpegblip\\picw8\\pich6\\picwgoal120\\pichgoal90\nffd8ffe0}"};
        QTest::newRow("other data Qt decodes as PNG") << DocumentBuilder([image](QTextDocument& d) {
            d.addResource(QTextDocument::ImageResource, QUrl(u"icon"_s),
                          rtftest::imageBytes(image, "BMP"));
            rtftest::appendImage(d, u"icon"_s);
        }) << QStringList{"{\\pict\\pngblip\\picw4\\pich2\\picwgoal60\\pichgoal30\n" + pngStart};
        QTest::newRow("image without any bytes left out") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"a"_s);
            rtftest::appendImage(d, u"missing"_s);
            appendText(d, u"b"_s);
        }) << QStringList{"\\cf0 ab}"};
        QTest::newRow("kept bytes as read, hex in lines of 128 digits")
            << DocumentBuilder([](QTextDocument& d) {
                   QTextImageFormat format;
                   format.setProperty(rtf::kPictureBytesProperty, QByteArray(100, '\xab'));
                   format.setProperty(rtf::kPictureKindProperty, u"wmetafile8"_s);
                   QTextCursor(&d).insertImage(format);
               })
            << QStringList{"{\\pict\\wmetafile8\n" + QString(128, u'a').replace(u"aa"_s, u"ab"_s) +
                           '\n' + QString(72, u'a').replace(u"aa"_s, u"ab"_s) + '}'};
        QTest::newRow("kept kind that is no control word taken from the bytes' signature")
            << DocumentBuilder([png](QTextDocument& d) {
                   QTextImageFormat format;
                   format.setProperty(rtf::kPictureBytesProperty, png);
                   format.setProperty(rtf::kPictureKindProperty, u"png}{\\par"_s);
                   QTextCursor(&d).insertImage(format);
               })
            << QStringList{"{\\pict\\pngblip\\picw4\\pich2\\picwgoal60\\pichgoal30\n" + pngStart};
        QTest::newRow("object that is not an image keeps its placeholder")
            << DocumentBuilder([](QTextDocument& d) {
                   QTextCharFormat object;
                   object.setObjectType(QTextFormat::UserObject + 1);
                   QTextCursor(&d).insertText(QString(QChar::ObjectReplacementCharacter), object);
               })
            << QStringList{"\\uc0\\u-4 "};
    }

    void writesExpectedWords() {
        QFETCH(DocumentBuilder, build);
        QFETCH(QStringList, expected);
        QTextDocument document;
        build(document);
        const QByteArray rtf = rtf::writeRtf(document);
        for (const QString& words : expected)
            QVERIFY2(rtf.contains(words.toLatin1()), rtf.constData());
    }
};

QTEST_MAIN(RtfWriterTest)

#include "rtfwriter_test.moc"
