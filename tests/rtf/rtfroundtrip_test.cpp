// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtfpicture.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QUrl>

using namespace Qt::StringLiterals;
using rtftest::appendImage;
using rtftest::appendText;
using rtftest::colored;
using rtftest::describeDocument;
using rtftest::DocumentBuilder;
using rtftest::macDocument;
using rtftest::readDocument;
using rtftest::styled;

namespace {

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Braces that are not escaped never close more groups than are open and all close at the end.
bool bracesBalance(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

struct Piece {
    QString text;
    QTextFormat format;
    bool operator==(const Piece&) const = default;
};

// Every run with its complete format, and for empty paragraphs the format typing would use.
std::vector<Piece> pieces(const QTextDocument& document) {
    std::vector<Piece> result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        result.push_back({u"<paragraph>"_s, block.blockFormat()});
        if (block.begin().atEnd())
            result.push_back({QString(), block.charFormat()});
        for (auto it = block.begin(); !it.atEnd(); ++it)
            result.push_back({it.fragment().text(), it.fragment().charFormat()});
    }
    return result;
}

// Formats of the pictures in document, in order; an image inserted twice is there twice.
std::vector<QTextImageFormat> pictureFormats(const QTextDocument& document) {
    std::vector<QTextImageFormat> formats;
    const QString text = document.toRawText();
    for (int position = 0; position < text.size(); ++position) {
        const QTextCharFormat format = rtftest::formatAt(document, position);
        if (text[position] == QChar::ObjectReplacementCharacter && format.isImageFormat())
            formats.push_back(format.toImageFormat());
    }
    return formats;
}

// What the document shows for an image; null when Qt has nothing to show.
QImage shownImage(const QTextDocument& document, const QTextImageFormat& format) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.typeId() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.typeId() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else if (resource.typeId() == QMetaType::QByteArray)
        image = QImage::fromData(resource.toByteArray());
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

void addImage(QTextDocument& document, const QString& name, const QVariant& resource,
              QSizeF shown = {}) {
    document.addResource(QTextDocument::ImageResource, QUrl(name), resource);
    appendImage(document, name, shown);
}

} // namespace

class RtfRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void writeReadWrite_data() {
        QTest::addColumn<DocumentBuilder>("build");

        QTest::newRow("one plain line")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"2 + 3"_s); });
        QTest::newRow("empty document") << DocumentBuilder([](QTextDocument&) {});
        QTest::newRow("pi, root, emoji, accents, euro") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"\u03C0r\u00B2 \u221A2 \U0001F600 caf\u00E9 \u20AC5 \uFB01"_s);
        });
        QTest::newRow("tabs, line breaks and RTF specials") << DocumentBuilder(
            [](QTextDocument& d) { appendText(d, u"a\tb\t\tc\u2028{x} \\ y; z"_s); });
        QTest::newRow("empty paragraphs and a trailing newline")
            << DocumentBuilder([](QTextDocument& d) { appendText(d, u"\nx = 5\n\n\ny\n"_s); });
        QTest::newRow("families, sizes and colours") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"Helvetica "_s, styled(u"Helvetica"_s, 12));
            appendText(d, u"Menlo "_s, styled(u"Menlo"_s, 14));
            appendText(d, u"half "_s, styled(u"Times New Roman"_s, 10.5));
            appendText(d, u"red "_s, colored(QColor(251, 2, 7)));
            appendText(d, u"blue\n"_s, colored(QColor(0, 0, 255), styled(u"Menlo"_s, 18)));
            appendText(d, u"back to default"_s);
        });
        QTest::newRow("every character attribute") << DocumentBuilder([](QTextDocument& d) {
            QTextCharFormat format = styled();
            format.setFontWeight(QFont::Bold);
            appendText(d, u"bold "_s, format);
            format.setFontItalic(true);
            appendText(d, u"bold italic "_s, format);
            format = styled();
            format.setFontUnderline(true);
            format.setFontStrikeOut(true);
            appendText(d, u"under strike "_s, format);
            format = styled();
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            appendText(d, u"2"_s, format);
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            appendText(d, u"i"_s, format);
            format = colored(Qt::darkGreen);
            format.setBackground(QColor(Qt::yellow));
            appendText(d, u" marked"_s, format);
        });
        QTest::newRow("aligned paragraphs") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"left\ncentre\nright\njustified\nnatural"_s);
            const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                Qt::AlignJustify};
            QTextBlock block = d.begin();
            for (Qt::Alignment alignment : alignments) {
                QTextCursor cursor(block);
                QTextBlockFormat format;
                format.setAlignment(alignment);
                cursor.setBlockFormat(format);
                block = block.next();
            }
        });
        QTest::newRow("formatted empty paragraph") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"a\n"_s, styled());
            QTextCursor cursor(&d);
            cursor.movePosition(QTextCursor::End);
            cursor.setBlockCharFormat(styled(u"Menlo"_s, 20));
            appendText(d, u"\nb"_s);
        });
        QTest::newRow("pictures among text") << DocumentBuilder([](QTextDocument& d) {
            appendText(d, u"chart "_s);
            addImage(d, u"chart"_s, rtftest::patternImage(5, 4));
            appendText(d, u" and again, larger\n"_s);
            appendImage(d, u"chart"_s, QSizeF(50, 40));
        });
    }

    void writeReadWrite() {
        QFETCH(DocumentBuilder, build);
        QTextDocument original;
        build(original);

        const QByteArray written = rtf::writeRtf(original);
        QVERIFY2(isAscii(written), written.constData());
        QVERIFY2(bracesBalance(written), written.constData());

        QString error;
        const auto read = readDocument(written, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error + u'\n' + QString::fromLatin1(written)));
        QCOMPARE(rtftest::textOf(*read), rtftest::textOf(original));
        QCOMPARE(describeDocument(*read), describeDocument(original));
        QCOMPARE(rtf::writeRtf(*read), written);
    }

    void macTextSurvives_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");

        QTest::newRow("worksheet")
            << macDocument("\\f0\\fs24 \\cf0 Area of a circle\\\n"
                           "\\f1\\fs28 r = 3\\tab \\cf2 radius\\cf0 \\\n"
                           "\\uc0\\u960 r\\super 2\\nosupersub  = 28.27\\\n"
                           "\\uc0\\u8730 2 \\uc0\\u8776  1.414 \\uc0\\u55357 \\u56832 \\\n"
                           "\\\n"
                           "\\f2\\b bold \\f4\\i both\\f3\\b0  oblique\\f0\\i0 \\\n")
            << u"Area of a circle\nr = 3\tradius\n\u03C0r2 = 28.27\n"
               u"\u221A2 \u2248 1.414 \U0001F600\n\nbold both oblique\n"_s;
        QTest::newRow("centred, coloured background, underline")
            << macDocument("\\pard\\qc\\f0\\fs36 \\cf0 \\cb3 \\ul Title\\ulnone\\cb0 \\\n"
                           "\\pard\\pardirnatural\\f1\\fs24 \\strike x\\strike0 \\sub 1")
            << u"Title\nx1"_s;
        QTest::newRow("Word-style fallbacks and hex")
            << QByteArray(
                   "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                   "{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
                   "\\u960?\\'e9\\cf1 red\\cf0\\par}")
            << u"\u03C0\u00E9red\n"_s;
        QTest::newRow("Word's metafile picture with its older alternative")
            << macDocument("\\f0\\fs24 \\cf0 a{\\*\\shppict{\\pict\\wmetafile8\\picw2540\\pich1270"
                           "\\picwgoal1440\\pichgoal720\n0100090000\n0361}}"
                           "{\\nonshppict{\\pict\\wmetafile8 0100}}b")
            << u"a\uFFFCb"_s;
    }

    void macTextSurvives() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);

        QString error;
        const auto first = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*first), text);

        const QByteArray written = rtf::writeRtf(*first);
        const auto second = readDocument(written, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*second), text);
        QCOMPARE(describeDocument(*second), describeDocument(*first));
        QVERIFY(pieces(*second) == pieces(*first));
        QCOMPARE(rtf::writeRtf(*second), written);
    }

    // Written and read back, a picture shows the same pixels, and one read from RTF keeps its
    // bytes and kind.
    void picturesSurvive_data() {
        QTest::addColumn<DocumentBuilder>("build");

        const QImage image = rtftest::patternImage(6, 5);
        QTest::newRow("QImage") << DocumentBuilder(
            [image](QTextDocument& d) { addImage(d, u"chart"_s, image, QSizeF(12, 10)); });
        QTest::newRow("QPixmap") << DocumentBuilder(
            [image](QTextDocument& d) { addImage(d, u"chart"_s, QPixmap::fromImage(image)); });
        QTest::newRow("PNG bytes") << DocumentBuilder([image](QTextDocument& d) {
            addImage(d, u"chart"_s, rtftest::imageBytes(image, "PNG"));
        });
        QTest::newRow("JPEG bytes") << DocumentBuilder([image](QTextDocument& d) {
            addImage(d, u"photo"_s, rtftest::imageBytes(image, "JPEG"));
        });
        QTest::newRow("one image twice and another between")
            << DocumentBuilder([image](QTextDocument& d) {
                   addImage(d, u"a"_s, image);
                   addImage(d, u"b"_s, rtftest::patternImage(2, 7));
                   appendImage(d, u"a"_s);
               });
        QTest::newRow("metafile read from RTF") << DocumentBuilder([](QTextDocument& d) {
            rtf::readRtf("{\\rtf1 {\\pict\\wmetafile8\\picwgoal30 0100090000036100}}", d);
        });
        QTest::newRow("picture read without a kind")
            << DocumentBuilder([](QTextDocument& d) { rtf::readRtf("{\\rtf1 {\\pict 0102}}", d); });
    }

    void picturesSurvive() {
        QFETCH(DocumentBuilder, build);
        QTextDocument original;
        build(original);
        const auto read = readDocument(rtf::writeRtf(original));

        const std::vector<QTextImageFormat> before = pictureFormats(original);
        const std::vector<QTextImageFormat> after = pictureFormats(*read);
        QVERIFY(!before.empty());
        QCOMPARE(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(shownImage(*read, after[i]), shownImage(original, before[i]));
            for (int kept : {rtf::kPictureBytesProperty, rtf::kPictureKindProperty}) {
                if (before[i].hasProperty(kept))
                    QCOMPARE(after[i].property(kept), before[i].property(kept));
            }
        }
    }
};

QTEST_MAIN(RtfRoundTripTest)

#include "rtfroundtrip_test.moc"
