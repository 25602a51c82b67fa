// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtfcodepage.h"
#include "rtf/rtfpicture.h"
#include "rtf/rtfreader.h"

#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QUrl>

#include <iconv.h>

using namespace Qt::StringLiterals;
using rtftest::macDocument;
using rtftest::readDocument;

namespace {

QByteArray plainRtf(const QByteArray& body) { return "{\\rtf1\\ansi " + body + '}'; }

// text in the code page glibc's iconv calls codePage, as \'hh escapes; empty when it cannot.
QByteArray escapedWithIconv(const QString& text, const char* codePage) {
    const iconv_t encoder = iconv_open(codePage, "UTF-8");
    if (encoder == iconv_t(-1))
        return {};
    QByteArray utf8 = text.toUtf8();
    QByteArray encoded(utf8.size() * 4, '\0');
    char* in = utf8.data();
    char* out = encoded.data();
    size_t inLeft = utf8.size();
    size_t outLeft = encoded.size();
    const bool complete = iconv(encoder, &in, &inLeft, &out, &outLeft) != size_t(-1);
    iconv_close(encoder);
    if (!complete)
        return {};
    encoded.truncate(out - encoded.data());
    QByteArray escaped;
    for (char byte : encoded)
        escaped += uchar(byte) < 0x80 && !QByteArrayView("\\{}").contains(byte)
                       ? QByteArray(1, byte)
                       : "\\'" + QByteArray::number(uchar(byte), 16).rightJustified(2, '0');
    return escaped;
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsText_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");

        QTest::newRow("Cocoa text with pi and root")
            << macDocument("\\f0\\fs24 \\cf0 A = \\uc0\\u960 r \\uc0\\u8730 2")
            << u"A = \u03C0r \u221A2"_s;
        QTest::newRow("backslash-newline paragraphs, empty ones and a trailing one")
            << macDocument("one\\\n\\\n\\\ntwo\\\n") << "one\n\n\ntwo\n";
        QTest::newRow("par, line, tab word and literal tab")
            << plainRtf("a\\par b\\line c\\tab d\te\\par") << u"a\nb\u2028c\td\te\n"_s;
        QTest::newRow("escaped braces and backslash") << plainRtf("\\{x\\}\\\\") << "{x}\\";
        QTest::newRow("line breaks in the source are not text")
            << plainRtf("a\r\nb\nc\rd") << "abcd";
        QTest::newRow("only the first space after a word is its delimiter")
            << plainRtf("\\b  x") << " x";
        QTest::newRow("hyphen without digits is text, not a parameter")
            << plainRtf("\\fs-x") << "-x";
        QTest::newRow("cp1252 hex: euro, quotes, dash, e acute")
            << plainRtf("\\'80\\'93\\'94\\'97\\'e9") << u"\u20AC\u201C\u201D\u2014\u00E9"_s;
        QTest::newRow("raw 8-bit text is cp1252") << plainRtf("caf\xe9") << u"caf\u00E9"_s;
        QTest::newRow("default uc1 skips one fallback") << plainRtf("\\u960?r") << u"\u03C0r"_s;
        QTest::newRow("uc2 skips a text and a hex fallback")
            << plainRtf("\\uc2\\u960 p\\'80r") << u"\u03C0r"_s;
        QTest::newRow("skip stops at a group boundary")
            << plainRtf("\\uc3\\u960 a{b}c") << u"\u03C0bc"_s;
        QTest::newRow("uc is scoped to its group")
            << plainRtf("{\\uc0\\u960 a}\\u960 bc") << u"\u03C0a\u03C0c"_s;
        QTest::newRow("formatting words are not fallbacks")
            << plainRtf("\\u960\\b ?x") << u"\u03C0x"_s;
        QTest::newRow("surrogate pair as negative values")
            << plainRtf("\\uc0\\u-10179 \\u-8704 ") << u"\U0001F600"_s;
        QTest::newRow("surrogate pair as positive values with fallbacks")
            << plainRtf("\\u55357?\\u56832?") << u"\U0001F600"_s;
        QTest::newRow("code point beyond the BMP in one word")
            << plainRtf("\\uc0\\u128512 ") << u"\U0001F600"_s;
        QTest::newRow("lone surrogates and out-of-range values are replaced")
            << plainRtf("\\uc0\\u55357 x\\u56832 y\\u1114112 ") << u"\uFFFDx\uFFFDy\uFFFD"_s;
        QTest::newRow("unknown star destination skipped, nested groups too")
            << plainRtf("a{\\*\\unknownthing b{c}d}e") << "ae";
        QTest::newRow("info and stylesheet skipped")
            << plainRtf("{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}x") << "x";
        QTest::newRow("picture's binary data may hold braces")
            << plainRtf("{\\pict\\bin4 }}}}x}y") << u"\uFFFCy"_s;
        QTest::newRow("field shows its result")
            << plainRtf("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}") << "link";
        QTest::newRow("special symbols")
            << plainRtf("a\\~b\\_c\\emdash\\lquote") << u"a\u00A0b\u2011c\u2014\u2018"_s;
        QTest::newRow("control characters dropped, escaped line feed breaks the line")
            << plainRtf("a\\'01\\'00b\\'0ac") << u"ab\u2028c"_s;
        QTest::newRow("frame markers are not inserted")
            << plainRtf("\\uc0\\u64976 \\u64977 ") << u"\uFFFD\uFFFD"_s;
        QTest::newRow("whitespace before and after")
            << QByteArray(" \r\n{\\rtf1 x}\r\n\0", 15) << "x";
        QTest::newRow("other ANSI code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e0}") << u"\u0430"_s;
        QTest::newRow("double-byte code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << u"\u3042"_s;
        QTest::newRow("font charset selects the code page")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fnil A;\\f1\\fnil\\fcharset204 B;}"
                          "\\f0\\'e0\\f1\\'e0}")
            << u"\u00E0\u0430"_s;
        QTest::newRow("unknown code page is fine for ASCII")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 plain}") << "plain";
        QTest::newRow("unknown code page costs only its own bytes")
            << QByteArray(
                   "{\\rtf1\\ansi\\ansicpg99999{\\fonttbl\\f0\\fnil A;\\f1\\fnil\\fcharset0 B;}"
                   "\\f0 caf\\'e9 \\f1 caf\\'e9}")
            << u"caf\uFFFD caf\u00E9"_s;
        QTest::newRow("a charset 0 font is Windows-1252 whatever the document's code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 {\\fonttbl\\f0\\fswiss\\fcharset0 ArialMT;}"
                          "\\f0 Copyright \\'a9 2010 \\'93Agree\\'94 caf\\'e9}")
            << u"Copyright \u00A9 2010 \u201CAgree\u201D caf\u00E9"_s;
        QTest::newRow("a charset 0 font in a UTF-8 document")
            << QByteArray("{\\rtf1\\ansi\\ansicpg65001 {\\fonttbl\\f0\\fnil\\fcharset0 Menlo;}"
                          "\\f0 \\'e9}")
            << u"\u00E9"_s;
        QTest::newRow("a character cut off at the end of a run is replaced, not dropped")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 a\\'82\\b b}") << u"a\uFFFDb"_s;
        QTest::newRow("Mac Japanese on its own bytes: backslash, space, copyright, trade mark")
            << QByteArray("{\\rtf1\\mac\\ansicpg10001 \\'80\\'a0\\'fd\\'fe\\'ff\\'89\\'b9}")
            << u"\\\u00A0\u00A9\u2122\u2026\u97F3"_s;
        QTest::newRow("Mac Korean on its own bytes: won, em dash, copyright")
            << QByteArray("{\\rtf1\\mac\\ansicpg10003 \\'81\\'82\\'83\\'c7\\'d1}")
            << u"\u20A9\u2014\u00A9\uD55C"_s;
        QTest::newRow("Mac Simplified Chinese: u umlaut where GBK has the euro")
            << QByteArray("{\\rtf1\\mac\\ansicpg10025 \\'80\\'d2\\'f4}") << u"\u00FC\u97F3"_s;
        QTest::newRow("Mac Greek")
            << QByteArray("{\\rtf1\\mac\\ansicpg10006 \\'b0\\'f5\\'dc\\'ee\\'e1}")
            << u"\u0391\u03B8\u03AE\u03BD\u03B1"_s;
        QTest::newRow("Mac Icelandic in Cocoa's numbering")
            << QByteArray("{\\rtf1\\mac\\ansicpg10037 \\'de\\'97r \\'a0\\'e0\\'dd}")
            << u"\u00DE\u00F3r \u00DD\u00FD\u00F0"_s;
        QTest::newRow("Mac Turkish in Cocoa's numbering")
            << QByteArray("{\\rtf1\\mac\\ansicpg10035 \\'dcstanbul \\'db\\'df}")
            << u"\u0130stanbul \u011F\u015F"_s;
        QTest::newRow("Mac Roman font in an ANSI document")
            << QByteArray(
                   "{\\rtf1\\ansi{\\fonttbl\\f0\\fnil\\fcharset77 Geneva;}\\f0 caf\\'8e \\'a5}")
            << u"caf\u00E9 \u2022"_s;
        QTest::newRow("charset 79 is Korean in the published numbering")
            << QByteArray(
                   "{\\rtf1\\ansi{\\fonttbl\\f0\\fnil\\fcharset79 AppleGothic;}\\f0 \\'c7\\'d1}")
            << u"\uD55C"_s;
        QTest::newRow("charset 79 is Traditional Chinese in a Cocoa Big5 document")
            << QByteArray("{\\rtf1\\mac\\ansicpg10002{\\fonttbl\\f0\\fnil\\fcharset79 LiHeiPro;}"
                          "\\f0 \\'a4\\'a4}")
            << u"\u4E2D"_s;
        QTest::newRow("attachment shows as an object replacement character")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252 a{{\\NeXTGraphic image.png \\width1280 "
                          "\\height1280 \\appleattachmentpadding0 \\appleembedtype0 \\appleaqc\n"
                          "}\xac}b}")
            << u"a\uFFFCb"_s;
        QTest::newRow("only the character right after an attachment stands in for it")
            << QByteArray("{\\rtf1\\ansi {{\\NeXTGraphic a.png}{\\b x}\\'ac}}") << u"x\u00AC"_s;
    }

    void readsText() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*document), text);
    }

    // glibc's iconv, which knows these code pages from their own tables, is the oracle.
    void decodesCodePagesLikeIconv_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("iconvName");
        QTest::addColumn<QString>("text");

        const auto fontWithCharset = [](int charset) {
            return "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fnil\\fcharset" +
                   QByteArray::number(charset) + " F;}\\f0 ";
        };
        const auto macDocumentIn = [](int codePage, int charset) {
            return "{\\rtf1\\mac\\ansicpg" + QByteArray::number(codePage) +
                   "{\\fonttbl\\f0\\fnil\\fcharset" + QByteArray::number(charset) + " F;}\\f0 ";
        };
        QTest::newRow("charset 128, Shift-JIS")
            << fontWithCharset(128) << QByteArray("CP932") << u"日本語のテキスト"_s;
        QTest::newRow("charset 129, Korean")
            << fontWithCharset(129) << QByteArray("CP949") << u"한국어 텍스트"_s;
        QTest::newRow("charset 130, Johab")
            << fontWithCharset(130) << QByteArray("JOHAB") << u"한국어"_s;
        QTest::newRow("charset 134, GBK")
            << fontWithCharset(134) << QByteArray("CP936") << u"简体中文"_s;
        QTest::newRow("charset 136, Big5")
            << fontWithCharset(136) << QByteArray("CP950") << u"繁體中文"_s;
        QTest::newRow("charset 204, Cyrillic")
            << fontWithCharset(204) << QByteArray("CP1251") << u"Привет"_s;
        QTest::newRow("charset 238, Central European")
            << fontWithCharset(238) << QByteArray("CP1250") << u"Łódź"_s;
        QTest::newRow("Mac OS X 10.4 Japanese: ansicpg10001, charset 78")
            << macDocumentIn(10001, 78) << QByteArray("CP932") << u"音楽"_s;
        QTest::newRow("Mac Simplified Chinese: ansicpg10025, charset 102")
            << macDocumentIn(10025, 102) << QByteArray("EUC-CN") << u"音乐"_s;
        QTest::newRow("Mac Traditional Chinese: ansicpg10002, charset 79")
            << macDocumentIn(10002, 79) << QByteArray("BIG5") << u"繁體"_s;
        QTest::newRow("Mac Korean: ansicpg10003, charset 80")
            << macDocumentIn(10003, 80) << QByteArray("EUC-KR") << u"한국어"_s;
        QTest::newRow("Mac Roman")
            << macDocumentIn(10000, 77) << QByteArray("MACINTOSH") << u"café • © ﬁ"_s;
        QTest::newRow("Mac Cyrillic")
            << macDocumentIn(10007, 84) << QByteArray("MAC-CYRILLIC") << u"Привет"_s;
        QTest::newRow("Mac Central European")
            << macDocumentIn(10029, 106) << QByteArray("MAC-CENTRALEUROPE") << u"Łódź"_s;
        QTest::newRow("Mac Ukrainian")
            << macDocumentIn(10152, 229) << QByteArray("MAC-UK") << u"Ґанок"_s;
    }

    void decodesCodePagesLikeIconv() {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, iconvName);
        QFETCH(QString, text);
        const QByteArray escaped = escapedWithIconv(text, iconvName.constData());
        QVERIFY2(!escaped.isEmpty(), "iconv cannot write the sample");
        QString error;
        const auto document = readDocument(header + escaped + '}', &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*document), text);
    }

    void readsPictures_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("shown");
        QTest::addColumn<QSize>("decoded");

        const QImage image = rtftest::patternImage(4, 3);
        const QByteArray png = rtftest::imageBytes(image, "PNG");
        const QByteArray jpeg = rtftest::imageBytes(image, "JPEG");
        // Upper case, broken over lines mid-byte, as some writers do.
        QByteArray pngHex = png.toHex().toUpper();
        for (qsizetype at = 31; at < pngHex.size(); at += 33)
            pngHex.insert(at, "\r\n");
        const auto picture = [](const QByteArray& words, const QByteArray& data) {
            return plainRtf("a{\\pict" + words + "\n" + data + "}b");
        };
        const QSizeF unset(-1, -1);
        const QSize noResource;

        QTest::newRow("PNG shown at its goal size times its scale")
            << picture("\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal300\\picscalex50"
                       "\\picscaley200",
                       pngHex)
            << "pngblip" << png << QSizeF(20, 40) << image.size();
        QTest::newRow("without a goal size, picw and pich are pixels, scaled too")
            << picture("\\pngblip\\picw8\\pich6\\picscalex50", pngHex) << "pngblip" << png
            << QSizeF(4, 6) << image.size();
        QTest::newRow("without any size the size is unset")
            << picture("\\pngblip", pngHex) << "pngblip" << png << unset << image.size();
        QTest::newRow("sizes and scales of zero or less are passed over")
            << picture("\\pngblip\\picwgoal0\\picw-5\\pich3\\picscaley0", pngHex) << "pngblip"
            << png << QSizeF(-1, 3) << image.size();
        QTest::newRow("sizes past any page are held to 32767 pixels")
            << picture("\\pngblip\\picwgoal2147483647\\picscalex2147483647\\pich40000", pngHex)
            << "pngblip" << png << QSizeF(32767, 32767) << image.size();
        QTest::newRow("JPEG is shown too")
            << picture("\\jpegblip\\picwgoal60\\pichgoal45", jpeg.toHex()) << "jpegblip" << jpeg
            << QSizeF(4, 3) << image.size();
        QTest::newRow("metafile kept with its parameter, not shown")
            << picture("\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720", "0102ff")
            << "wmetafile8" << QByteArray("\x01\x02\xff") << QSizeF(96, 48) << noResource;
        QTest::newRow("bin data is the picture's bytes")
            << plainRtf("a{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + ' ' + png +
                        "}b")
            << "pngblip" << png << unset << image.size();
        QTest::newRow("Word's shppict counts, its nonshppict alternative does not")
            << plainRtf("a{\\*\\shppict{\\pict\\pngblip " + pngHex +
                        "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b")
            << "pngblip" << png << unset << image.size();
        QTest::newRow("groups and other words in a picture are not its data")
            << picture("\\pngblip{\\*\\blipuid 0123456789abcdef}\\bliptag-1234\\blipupi96", pngHex)
            << "pngblip" << png << unset << image.size();
    }

    // A picture is one object replacement character, whatever its kind, with its bytes kept.
    void readsPictures() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QSizeF, shown);
        QFETCH(QSize, decoded);
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*document), u"a\uFFFCb"_s);

        const QTextCharFormat format = rtftest::formatAt(*document, 1);
        QVERIFY(format.isImageFormat());
        const QTextImageFormat image = format.toImageFormat();
        QCOMPARE(image.name(), u"rtf-picture:1"_s);
        QCOMPARE(image.stringProperty(rtf::kPictureKindProperty), kind);
        QCOMPARE(image.property(rtf::kPictureBytesProperty).toByteArray(), bytes);
        const auto side = [&image](QTextFormat::Property property) {
            return image.hasProperty(property) ? image.doubleProperty(property) : -1.0;
        };
        QCOMPARE(QSizeF(side(QTextFormat::ImageWidth), side(QTextFormat::ImageHeight)), shown);

        const QVariant resource =
            document->resource(QTextDocument::ImageResource, QUrl(image.name()));
        QCOMPARE(resource.isValid(), decoded.isValid());
        if (decoded.isValid())
            QCOMPARE(QImage::fromData(resource.toByteArray()).size(), decoded);
    }

    // Each picture shows its own image, and none is left behind by an earlier read.
    void picturesHaveNamesOfTheirOwn() {
        const auto pictureOf = [](int width) {
            return "{\\pict\\pngblip " +
                   rtftest::imageBytes(rtftest::patternImage(width, 1), "PNG").toHex() + '}';
        };
        QTextDocument document;
        QVERIFY(rtf::readRtf(plainRtf(pictureOf(1) + pictureOf(2) + pictureOf(3)), document));
        QCOMPARE(rtftest::textOf(document), u"\uFFFC\uFFFC\uFFFC"_s);
        for (int position = 0; position < 3; ++position) {
            const QString name = rtftest::formatAt(document, position).toImageFormat().name();
            const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
            QCOMPARE(QImage::fromData(resource.toByteArray()).width(), position + 1);
        }
        QVERIFY(rtf::readRtf(plainRtf(pictureOf(1)), document));
        QVERIFY(document.resource(QTextDocument::ImageResource, QUrl(u"rtf-picture:2"_s)).isNull());
    }

    void readsFormats_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("style");

        QTest::newRow("PostScript name gives the family, fs half points")
            << macDocument("\\f1\\fs25 \\cf0 x") << 0 << "Menlo 12.5pt";
        QTest::newRow("bold face without b") << macDocument("\\f2 x") << 0 << "Helvetica 12pt bold";
        QTest::newRow("oblique face") << macDocument("\\f3\\i x") << 0 << "Helvetica 12pt italic";
        QTest::newRow("bold oblique face")
            << macDocument("\\f4 x") << 0 << "Courier 12pt bold italic";
        QTest::newRow("cf0 is the default colour")
            << macDocument("\\f0\\cf2 a\\cf0 b") << 1 << "Helvetica 12pt";
        QTest::newRow("cf and cb pick from the table")
            << macDocument("\\f0\\cf2\\cb3 a") << 0
            << "Helvetica 12pt color #fb0207 background #0000ff";
        QTest::newRow("colour index past the table is the default")
            << macDocument("\\f0\\cf99 a") << 0 << "Helvetica 12pt";
        QTest::newRow("colour table without an empty first entry")
            << QByteArray("{\\rtf1{\\colortbl\\red1\\green2\\blue3;}\\cf0\\cb0 a}") << 0
            << "(default family) 12pt color #010203";
        QTest::newRow("italic, underline, strike, super")
            << macDocument("\\f0\\i\\ul\\strike\\super a") << 0
            << "Helvetica 12pt italic underline strike super";
        QTest::newRow("b0, i0, ulnone, strike0, nosupersub")
            << macDocument("\\f0\\b\\i\\ul\\strike\\super a\\b0\\i0\\ulnone\\strike0\\nosupersub b")
            << 1 << "Helvetica 12pt";
        QTest::newRow("subscript") << macDocument("\\f0 x\\sub 1") << 1 << "Helvetica 12pt sub";
        QTest::newRow("format inside a group") << macDocument("\\f0\\fs24 {\\f1\\fs36\\b\\cf2 a}b")
                                               << 0 << "Menlo 18pt bold color #fb0207";
        QTest::newRow("group end restores the outer format")
            << macDocument("\\f0\\fs24 {\\f1\\fs36\\b\\cf2 a}b") << 1 << "Helvetica 12pt";
        QTest::newRow("plain resets to the default font")
            << QByteArray("{\\rtf1\\deff1{\\fonttbl\\f0 Courier;\\f1 Times;}\\f0\\fs40\\b a"
                          "\\plain b}")
            << 1 << "Times 12pt";
        QTest::newRow("font table entries in groups with panose")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\froman{\\*\\panose 0202}Times New Roman;}}"
                          "\\f0 a}")
            << 0 << "Times New Roman 12pt";
        QTest::newRow("unicode in a font name")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil \\uc0\\u12498 Font;}\\f0 a}") << 0
            << u"\u30D2Font 12pt"_s;
        QTest::newRow("control characters and stray spaces dropped from font names")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil Men\\'01lo\\'a0-Bold;}\\f0 a}") << 0
            << "Menlo 12pt bold";
        QTest::newRow("text before the font table takes the font once it is known")
            << QByteArray("{\\rtf1\\f0 a{\\fonttbl\\f0 Menlo;}b}") << 1 << "Menlo 12pt";
        QTest::newRow("unknown font number leaves the family unset")
            << macDocument("\\f9 x") << 0 << "(default family) 12pt";
        QTest::newRow("largest size is clamped to 1638 points")
            << macDocument("\\f0\\fs2147483647 x") << 0 << "Helvetica 1638pt";
    }

    void readsFormats() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, position);
        QFETCH(QString, style);
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::describeStyle(rtftest::formatAt(*document, position)), style);
    }

    void readsParagraphAlignment() {
        const auto document = readDocument(
            macDocument("\\ql a\\par\\qr b\\par\\qj c\\par\\qc d\\par e\\par\\pard f\\par\\qc "
                        "g\\par\\qnatural h"));
        const int natural = -1;
        const QList<int> expected = {Qt::AlignLeft,    Qt::AlignRight,   Qt::AlignJustify,
                                     Qt::AlignHCenter, Qt::AlignHCenter, natural,
                                     Qt::AlignHCenter, natural};
        QList<int> found;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            found << (format.hasProperty(QTextFormat::BlockAlignment) ? int(format.alignment())
                                                                      : natural);
        }
        QCOMPARE(found, expected);
    }

    void emptyParagraphKeepsItsFormat() {
        const auto document = readDocument(macDocument("\\f0\\fs24 a\\\n\\f1\\fs36 \\\nb"));
        QCOMPARE(document->blockCount(), 3);
        QCOMPARE(rtftest::describeStyle(document->findBlockByNumber(1).charFormat()), "Menlo 18pt");
    }

    // Code page 1252 reads bytes 0x80-0x9F as a Mac reads them, with the five it leaves
    // undefined as U+FFFD, and every other byte as the code point of the same value.
    void cp1252ReadsAsAMacDoes() {
        const char16_t undefined = u'\uFFFD';
        const char16_t macRow[32] = {
            u'\u20AC', undefined, u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
            u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', undefined, u'\u017D', undefined,
            undefined, u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
            u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', undefined, u'\u017E', u'\u0178',
        };
        QByteArray bytes;
        QString expected;
        for (int byte = 1; byte < 256; ++byte) {
            bytes.append(char(byte));
            expected.append(QChar(byte >= 0x80 && byte <= 0x9F ? macRow[byte - 0x80] : byte));
        }
        rtf::CodePageDecoder decoder;
        QString text;
        QVERIFY(decoder.append(bytes, rtf::windowsLatin1CodePage, text));
        QCOMPARE(text, expected);
    }

    void acceptsNestingUpToTheBound() {
        const QByteArray rtf = "{\\rtf1" + QByteArray(999, '{') + "deep" + QByteArray(1000, '}');
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*document), "deep");
    }

    // A code page nothing here decodes keeps the document and says so, once per code page.
    void unreadCodePageIsNoted() {
        QTextDocument document;
        QString error;
        QList<int> unread = {1};
        QVERIFY(
            rtf::readRtf("{\\rtf1\\ansi\\ansicpg99999 caf\\'e9 \\'e8}", document, &error, &unread));
        QCOMPARE(rtftest::textOf(document), u"caf\uFFFD \uFFFD"_s);
        QCOMPARE(unread, QList<int>{99999});
        QVERIFY(rtf::readRtf(macDocument("\\f0 caf\\'e9"), document, &error, &unread));
        QVERIFY(unread.isEmpty());
    }

    void loadedDocumentStartsFresh() {
        QTextDocument document;
        QTextCursor(&document).insertText(QStringLiteral("typed"));
        QVERIFY(document.isUndoAvailable());
        QVERIFY(rtf::readRtf(macDocument("\\f0 new"), document));
        QCOMPARE(rtftest::textOf(document), "new");
        QVERIFY(!document.isUndoAvailable());
        QVERIFY(!document.isModified());
        QVERIFY(document.isUndoRedoEnabled());
    }
};

QTEST_MAIN(RtfReaderTest)

#include "rtfreader_test.moc"
