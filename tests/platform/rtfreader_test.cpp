#include "rtftestsupport.h"

#include "platform/rtfcp1252.h"
#include "platform/rtfreader.h"

#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;
using rtftest::describeStyle;
using rtftest::formatAt;
using rtftest::macDocument;
using rtftest::readDocument;

namespace {

QByteArray plainRtf(const QByteArray& body) { return "{\\rtf1\\ansi " + body + '}'; }

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsText_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");

        QTest::newRow("Cocoa text with pi")
            << macDocument("\\f0\\fs24 \\cf0 Area = \\uc0\\u960 r^2") << u"Area = \u03C0r^2"_s;
        QTest::newRow("uc0 escapes back to back")
            << macDocument("\\f0\\fs24 \\cf0 \\uc0\\u8730 \\u960 2") << u"\u221A\u03C02"_s;
        QTest::newRow("backslash-newline paragraphs and a trailing newline")
            << macDocument("\\f0\\fs24 \\cf0 one\\\ntwo\\\n") << "one\ntwo\n";
        QTest::newRow("empty paragraphs") << macDocument("\\f0 a\\\n\\\n\\\nb") << "a\n\n\nb";
        QTest::newRow("par words") << plainRtf("a\\par b\\par") << "a\nb\n";
        QTest::newRow("line is a break within the paragraph")
            << plainRtf("a\\line b") << u"a\u2028b"_s;
        QTest::newRow("tab word and literal tab") << plainRtf("a\\tab b\tc") << "a\tb\tc";
        QTest::newRow("escaped braces and backslash") << plainRtf("\\{x\\}\\\\") << "{x}\\";
        QTest::newRow("line breaks in the source are not text")
            << plainRtf("a\r\nb\nc\rd") << "abcd";
        QTest::newRow("cp1252 hex: euro, quotes, dash, e acute")
            << plainRtf("\\'80\\'93\\'94\\'97\\'e9") << u"\u20AC\u201C\u201D\u2014\u00E9"_s;
        QTest::newRow("cp1252 undefined byte") << plainRtf("\\'81") << u"\uFFFD"_s;
        QTest::newRow("raw 8-bit text is cp1252") << plainRtf("caf\xe9") << u"caf\u00E9"_s;
        QTest::newRow("default uc1 skips one fallback character")
            << plainRtf("\\u960?r") << u"\u03C0r"_s;
        QTest::newRow("uc1 skips a hex fallback") << plainRtf("\\uc1\\u8364\\'80!") << u"\u20AC!"_s;
        QTest::newRow("uc2 skips two") << plainRtf("\\uc2\\u960 pir") << u"\u03C0r"_s;
        QTest::newRow("uc0 skips nothing") << plainRtf("\\uc0\\u960 pi") << u"\u03C0pi"_s;
        QTest::newRow("skip stops at a group boundary")
            << plainRtf("\\uc3\\u960 a{b}c") << u"\u03C0bc"_s;
        QTest::newRow("uc is scoped to its group")
            << plainRtf("{\\uc0\\u960 a}\\u960 bc") << u"\u03C0a\u03C0c"_s;
        QTest::newRow("formatting words are not fallback characters")
            << plainRtf("\\u960\\b ?x") << u"\u03C0x"_s;
        QTest::newRow("negative u") << plainRtf("\\uc0\\u-3 ") << u"\uFFFD"_s;
        QTest::newRow("negative u above 0x7fff") << plainRtf("\\u-1?") << u"\uFFFF"_s;
        QTest::newRow("surrogate pair as negative values")
            << plainRtf("\\uc0\\u-10179 \\u-8704 ") << u"\U0001F600"_s;
        QTest::newRow("surrogate pair as positive values with fallbacks")
            << plainRtf("\\u55357?\\u56832?") << u"\U0001F600"_s;
        QTest::newRow("code point beyond the BMP in one word")
            << plainRtf("\\uc0\\u128512 ") << u"\U0001F600"_s;
        QTest::newRow("lone high surrogate") << plainRtf("\\uc0\\u55357 x") << u"\uFFFDx"_s;
        QTest::newRow("lone low surrogate") << plainRtf("\\uc0\\u56832 x") << u"\uFFFDx"_s;
        QTest::newRow("out of range u") << plainRtf("\\uc0\\u1114112 x") << u"\uFFFDx"_s;
        QTest::newRow("unknown star destination skipped")
            << plainRtf("a{\\*\\unknownthing b{c}d}e") << "ae";
        QTest::newRow("expanded colour table skipped")
            << plainRtf("{\\*\\expandedcolortbl;;\\csgray\\c0;}x") << "x";
        QTest::newRow("info and stylesheet skipped")
            << plainRtf("{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}x") << "x";
        QTest::newRow("pictures skipped, binary included")
            << plainRtf("{\\pict\\bin4 }}}}x}y") << "y";
        QTest::newRow("unknown words ignored")
            << plainRtf("\\cocoatextscaling0\\expndtw-20\\kerning1 x") << "x";
        QTest::newRow("field shows its result")
            << plainRtf("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}") << "link";
        QTest::newRow("special symbols")
            << plainRtf("a\\~b\\_c\\emdash\\lquote") << u"a\u00A0b\u2011c\u2014\u2018"_s;
        QTest::newRow("control characters dropped") << plainRtf("a\\'01\\'00b") << "ab";
        QTest::newRow("escaped line feed is a line break") << plainRtf("a\\'0ab") << u"a\u2028b"_s;
        QTest::newRow("frame markers are not inserted")
            << plainRtf("\\uc0\\u64976 \\u64977 ") << u"\uFFFD\uFFFD"_s;
        QTest::newRow("whitespace before and after")
            << QByteArray(" \r\n{\\rtf1 x}\r\n\0", 15) << "x";
        QTest::newRow("empty body") << QByteArray("{\\rtf1}") << "";
        QTest::newRow("other ANSI code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e0}") << u"\u0430"_s;
        QTest::newRow("double-byte code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << u"\u3042"_s;
        QTest::newRow("font charset selects the code page")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fnil Helvetica;\\f1\\fnil\\fcharset204 "
                          "Arial;}\\f0\\'e0\\f1\\'e0}")
            << u"\u00E0\u0430"_s;
        QTest::newRow("mac character set") << QByteArray("{\\rtf1\\mac \\'8e}") << u"\u00E9"_s;
        QTest::newRow("unknown code page is fine for ASCII")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 plain}") << "plain";
    }

    void readsText() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(rtftest::textOf(*document), text);
    }

    void readsFormats_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("style");

        QTest::newRow("Helvetica 12 with no colour")
            << macDocument("\\f0\\fs24 \\cf0 x") << 0 << "Helvetica 12pt";
        QTest::newRow("PostScript name gives the family")
            << macDocument("\\f1\\fs28 \\cf0 x") << 0 << "Menlo 14pt";
        QTest::newRow("bold face without b") << macDocument("\\f2 x") << 0 << "Helvetica 12pt bold";
        QTest::newRow("bold face with b, as macOS writes")
            << macDocument("\\f2\\b x") << 0 << "Helvetica 12pt bold";
        QTest::newRow("oblique face") << macDocument("\\f3\\i x") << 0 << "Helvetica 12pt italic";
        QTest::newRow("bold oblique face")
            << macDocument("\\f4 x") << 0 << "Courier 12pt bold italic";
        QTest::newRow("odd half points") << macDocument("\\f0\\fs25 x") << 0 << "Helvetica 12.5pt";
        QTest::newRow("cf0 is the default colour")
            << macDocument("\\f0\\cf2 a\\cf0 b") << 1 << "Helvetica 12pt";
        QTest::newRow("cf picks from the table")
            << macDocument("\\f0\\cf2 a") << 0 << "Helvetica 12pt color #fb0207";
        QTest::newRow("cb sets the background")
            << macDocument("\\f0\\cb3 a") << 0 << "Helvetica 12pt background #0000ff";
        QTest::newRow("colour index past the table is the default")
            << macDocument("\\f0\\cf99 a") << 0 << "Helvetica 12pt";
        QTest::newRow("colour table without an empty first entry")
            << QByteArray("{\\rtf1{\\colortbl\\red1\\green2\\blue3;}\\cf0 a}") << 0
            << "(default family) 12pt color #010203";
        QTest::newRow("b0 ends bold") << macDocument("\\f0\\b a\\b0 b") << 1 << "Helvetica 12pt";
        QTest::newRow("italic, underline, strike") << macDocument("\\f0\\i\\ul\\strike a") << 0
                                                   << "Helvetica 12pt italic underline strike";
        QTest::newRow("ulnone and strike0")
            << macDocument("\\f0\\ul\\strike a\\ulnone\\strike0 b") << 1 << "Helvetica 12pt";
        QTest::newRow("ul0 ends underline")
            << macDocument("\\f0\\ul a\\ul0 b") << 1 << "Helvetica 12pt";
        QTest::newRow("superscript")
            << macDocument("\\f0 r\\super 2") << 1 << "Helvetica 12pt super";
        QTest::newRow("subscript") << macDocument("\\f0 x\\sub 1") << 1 << "Helvetica 12pt sub";
        QTest::newRow("nosupersub")
            << macDocument("\\f0\\super 2\\nosupersub x") << 1 << "Helvetica 12pt";
        QTest::newRow("group restores the outer format")
            << macDocument("\\f0\\fs24 {\\f1\\fs36\\b\\cf2 a}b") << 1 << "Helvetica 12pt";
        QTest::newRow("format inside a group") << macDocument("\\f0\\fs24 {\\f1\\fs36\\b\\cf2 a}b")
                                               << 0 << "Menlo 18pt bold color #fb0207";
        QTest::newRow("plain resets to the default font")
            << QByteArray("{\\rtf1\\deff1{\\fonttbl\\f0 Courier;\\f1 Times;}\\f0\\fs40\\b\\i a"
                          "\\plain b}")
            << 1 << "Times 12pt";
        QTest::newRow("deff applies before any f")
            << QByteArray("{\\rtf1\\deff1{\\fonttbl{\\f0 Courier;}{\\f1 Times;}}a}") << 0
            << "Times 12pt";
        QTest::newRow("font table entries in groups with panose")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\froman{\\*\\panose 02020603050405020304}Times "
                          "New Roman;}}\\f0 a}")
            << 0 << "Times New Roman 12pt";
        QTest::newRow("unicode in a font name")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil \\uc0\\u12498 Font;}\\f0 a}") << 0
            << u"\u30D2Font 12pt"_s;
        QTest::newRow("control characters dropped from font names")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil Men\\'01lo\\'0a;}\\f0 a}") << 0
            << "Menlo 12pt";
        QTest::newRow("space before the style hyphen is not part of the family")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil Menlo\\'a0-Bold;}\\f0 a}") << 0
            << "Menlo 12pt bold";
        QTest::newRow("unknown font number leaves the family unset")
            << macDocument("\\f9 x") << 0 << "(default family) 12pt";
        QTest::newRow("fs without a parameter is 12 points")
            << macDocument("\\f0\\fs40\\fs x") << 0 << "Helvetica 12pt";
        QTest::newRow("fs0 is ignored")
            << macDocument("\\f0\\fs40\\fs0 x") << 0 << "Helvetica 20pt";
        QTest::newRow("absurd size is clamped")
            << macDocument("\\f0\\fs2000000000 x") << 0 << "Helvetica 1638pt";
    }

    void readsFormats() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, position);
        QFETCH(QString, style);
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(describeStyle(formatAt(*document, position)), style);
    }

    void readsParagraphAlignment_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QList<int>>("alignments");

        const int natural = -1;
        QTest::newRow("natural by default") << macDocument("a\\\nb") << QList{natural, natural};
        QTest::newRow("alignment holds until pard")
            << macDocument("\\qc a\\\nb\\\n\\pard c")
            << QList{int(Qt::AlignHCenter), int(Qt::AlignHCenter), natural};
        QTest::newRow("each alignment word")
            << macDocument("\\ql a\\par\\qr b\\par\\qj c\\par\\qc d\\par\\qnatural e")
            << QList{int(Qt::AlignLeft), int(Qt::AlignRight), int(Qt::AlignJustify),
                     int(Qt::AlignHCenter), natural};
    }

    void readsParagraphAlignment() {
        QFETCH(QByteArray, rtf);
        QFETCH(QList<int>, alignments);
        const auto document = readDocument(rtf);
        QList<int> found;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            found << (format.hasProperty(QTextFormat::BlockAlignment) ? int(format.alignment())
                                                                      : -1);
        }
        QCOMPARE(found, alignments);
    }

    void cp1252MatchesTheSystemDecoder() {
        QStringDecoder system("windows-1252");
        if (!system.isValid())
            QSKIP("This Qt has no windows-1252 decoder to compare with");
        const QList<int> undefinedBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
        for (int byte = 0; byte < 256; ++byte) {
            const QString expected = undefinedBytes.contains(byte)
                                         ? QString(QChar(0xFFFD))
                                         : system.decode(QByteArray(1, char(byte)));
            QCOMPARE(
                QString(QChar(platform::rtf::cp1252ToUnicode(static_cast<unsigned char>(byte)))),
                expected);
        }
    }

    void emptyParagraphKeepsItsFormat() {
        const auto document = readDocument(macDocument("\\f0\\fs24 a\\\n\\f1\\fs36 \\\nb"));
        QCOMPARE(document->blockCount(), 3);
        QCOMPARE(describeStyle(document->findBlockByNumber(1).charFormat()), "Menlo 18pt");
    }

    void acceptsNestingUpToTheBound() {
        const int depth = 1000;
        const QByteArray rtf =
            "{\\rtf1" + QByteArray(depth - 1, '{') + "deep" + QByteArray(depth, '}');
        QString error;
        const auto document = readDocument(rtf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(document->toPlainText(), "deep");
    }

    void loadedDocumentStartsFresh() {
        QTextDocument document;
        document.setPlainText(QStringLiteral("old"));
        QTextCursor(&document).insertText(QStringLiteral("typed"));
        QVERIFY(document.isUndoAvailable());
        QVERIFY(platform::readRtf(macDocument("\\f0 new"), document));
        QCOMPARE(rtftest::textOf(document), "new");
        QVERIFY(!document.isUndoAvailable());
        QVERIFY(!document.isModified());
        QVERIFY(document.isUndoRedoEnabled());
    }
};

std::unique_ptr<QObject> rtftest::makeReaderTest() { return std::make_unique<RtfReaderTest>(); }

#include "rtfreader_test.moc"
