// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets through their files: saving and reopening, files written the way a Mac writes
// them, and damaged files, each read by a real document with a real window (offscreen).

#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "platform/documentcontroller.h"
#include "platform/filetypes.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/answermarks.h"
#include "worksheet/calcsession.h"
#include "worksheet/chartobject.h"
#include "worksheet/worksheetfile.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <bit>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

MyDocument* asWorksheet(platform::Document* document) { return static_cast<MyDocument*>(document); }

// The text's runs as (text, foreground colour name or "none") pairs, to compare formatting.
QStringList colouredRuns(const QTextDocument& document) {
    QStringList runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            runs << fragment.text() + QLatin1Char('|') +
                        (format.hasProperty(QTextFormat::ForegroundBrush)
                             ? format.foreground().color().name()
                             : QStringLiteral("none"));
        }
        runs << QStringLiteral("¶");
    }
    return runs;
}

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

QByteArray nativeFile(const QByteArray& entries) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n" +
           entries + "</dict>\n</plist>\n";
}

QByteArray textEntry(const QByteArray& rtf) {
    return "\t<key>text</key>\n\t<string>" + QString::fromLatin1(rtf).toHtmlEscaped().toLatin1() +
           "</string>\n";
}

// RTF as the Mac text system writes it.
const QByteArray kMacRtf =
    "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2709\n"
    "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;}\n"
    "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green128\\blue28;\\red196\\green30\\blue30;}\n"
    "{\\*\\expandedcolortbl;;\\csgenericrgb\\c0\\c50196\\c10980;\\csgenericrgb\\c76863\\c11765"
    "\\c11765;}\n"
    "\\pard\\tx560\\tx1120\\pardirnatural\\partightenfactor0\n\n"
    "\\f0\\fs28 \\cf0 2\\uc0\\u960  =\\\n"
    "\\cf2 6.28318530718\\cf0 \\\n"
    "2 * -3 =\\\n"
    "\\cf3 Syntax error\\cf0 \\\n"
    "}";

} // namespace

class MyDocumentTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;
    platform::DocumentController* mController = nullptr;

    QString write(const QString& name, const QByteArray& contents) {
        const QString path = mFolder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            qFatal("cannot write a fixture");
        return path;
    }

    static std::optional<WorksheetFile> readWorksheetFileAt(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray bytes = file.readAll();
        return parseWorksheetFile(std::string_view(bytes.constData(), bytes.size())).file;
    }

    std::unique_ptr<platform::Document> read(const QString& path, QString* error = nullptr) {
        QString reason;
        auto document = mController->readDocument(path, &reason);
        if (error)
            *error = reason;
        return document;
    }

private slots:
    void init() {
        QVERIFY(mFolder.isValid());
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
    }
    void cleanup() {
        delete mController;
        mController = nullptr;
    }

    void saveAndReopenKeepsEverything() {
        MyDocument* original = asWorksheet(mController->newDocument());
        QTextCursor cursor(editorOf(original)->document());
        QTextCharFormat green, red;
        green.setForeground(QColor(0, 128, 28));
        red.setForeground(QColor(196, 30, 30));
        cursor.insertText(QStringLiteral("r = 2 =\n"));
        cursor.insertText(QStringLiteral("2\n"), green);
        cursor.insertText(QStringLiteral("√(r) π\t=\n"));
        cursor.insertText(QStringLiteral("Syntax error"), red);
        cursor.insertText(QStringLiteral("\n"), QTextCharFormat());

        SCalcState& state = *original->worksheet()->state();
        const double specials[] = {-0.0,
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::denorm_min(),
                                   0.1,
                                   1e23};
        for (std::size_t i = 0; i < std::size(specials); ++i)
            SetVariable("v" + std::to_string(i), state, specials[i]);
        SetVariable("notANumber", state, std::nan(""));
        double value = 0;
        std::size_t stop = 0;
        QCOMPARE(EvaluateStatement("hyp(a, b) = sqrt(a^2 + b^2)", state, value, stop),
                 int(kFunctionDefined));
        QCOMPARE(EvaluateStatement("speed = 100 km / 2 h", state, value, stop), int(kValue));

        const QString family = QFontDatabase::families().value(0);
        QVERIFY(!family.isEmpty());
        QTextCharFormat typing = editorOf(original)->currentCharFormat();
        QFont font(family);
        font.setPointSizeF(17);
        typing.setFont(font);
        editorOf(original)->setCurrentCharFormat(typing);
        original->window()->setGeometry(QRect(100, 120, 500, 400));

        const QString path = mFolder.filePath(QStringLiteral("kept.figurello"));
        QString error;
        QVERIFY2(
            platform::DocumentController::sharedController()->writeDocument(original, path, &error),
            qPrintable(error));

        auto reopenedDocument = read(path, &error);
        QVERIFY2(reopenedDocument, qPrintable(error));
        MyDocument* reopened = asWorksheet(reopenedDocument.get());
        reopened->makeWindowControllers();

        QCOMPARE(editorOf(reopened)->toPlainText(), editorOf(original)->toPlainText());
        QCOMPARE(colouredRuns(*editorOf(reopened)->document()),
                 colouredRuns(*editorOf(original)->document()));
        for (std::size_t i = 0; i < std::size(specials); ++i) {
            const Quantity* loaded =
                FindVariable(*reopened->worksheet()->state(), "v" + std::to_string(i));
            QVERIFY(loaded);
            QCOMPARE(bits(loaded->number), bits(specials[i]));
        }
        QVERIFY(std::isnan(FindVariable(*reopened->worksheet()->state(), "notANumber")->number));
        QCOMPARE(CopyFunctionsDictionary(*reopened->worksheet()->state()),
                 CopyFunctionsDictionary(*original->worksheet()->state()));
        // A reader that knows only numbers finds the number as it was shown; the unit is beside.
        const std::optional<WorksheetFile> saved = readWorksheetFileAt(path);
        QVERIFY(saved && saved->variables && saved->variableUnits);
        QCOMPARE(saved->variables->at("speed").real(), std::optional<double>(50.0));
        QCOMPARE(*saved->variableUnits->at("speed").string(), std::string("km/h"));
        QCOMPARE(CopyVariableUnitsDictionary(*reopened->worksheet()->state()),
                 CopyVariableUnitsDictionary(*original->worksheet()->state()));
        QCOMPARE(editorOf(reopened)->currentCharFormat().font().family(), family);
        QCOMPARE(editorOf(reopened)->currentCharFormat().font().pointSizeF(), 17.0);
        QCOMPARE(reopened->window()->geometry(), QRect(100, 120, 500, 400));
        QVERIFY(!reopened->isDocumentEdited());
        QVERIFY(!reopened->filePath().isEmpty());
    }

    void opensAWorksheetWrittenOnAMac() {
        const QByteArray entries =
            "\t<key>fontName</key>\n\t<string>Helvetica</string>\n"
            "\t<key>fontSize</key>\n\t<real>14</real>\n"
            "\t<key>functions</key>\n\t<dict>\n\t\t<key>sq</key>\n\t\t<array>\n"
            "\t\t\t<string>x^2</string>\n\t\t\t<string>x</string>\n\t\t</array>\n\t</dict>\n" +
            textEntry(kMacRtf) +
            "\t<key>variables</key>\n\t<dict>\n"
            "\t\t<key>last</key>\n\t\t<real>6.2831853071795862</real>\n"
            "\t\t<key>n</key>\n\t\t<integer>3</integer>\n\t</dict>\n"
            "\t<key>windowFrame</key>\n\t<string>389 297 600 500 0 0 1440 877 </string>\n";
        QString error;
        auto document = read(write(QStringLiteral("mac.figurello"), nativeFile(entries)), &error);
        QVERIFY2(document, qPrintable(error));
        MyDocument* worksheet = asWorksheet(document.get());
        worksheet->makeWindowControllers();

        QCOMPARE(editorOf(worksheet)->toPlainText(),
                 QStringLiteral("2π =\n6.28318530718\n2 * -3 =\nSyntax error\n"));
        const QStringList runs = colouredRuns(*editorOf(worksheet)->document());
        QVERIFY2(runs.contains(QStringLiteral("6.28318530718|#00801c")),
                 qPrintable(runs.join(' ')));
        QVERIFY2(runs.contains(QStringLiteral("Syntax error|#c41e1e")), qPrintable(runs.join(' ')));
        QVERIFY(runs.contains(QStringLiteral("2π =|none")));

        double value = 0;
        std::size_t stop = 0;
        QCOMPARE(EvaluateStatement("sq(n) + last", *worksheet->worksheet()->state(), value, stop),
                 int(kValue));
        QCOMPARE(value, 9 + 6.2831853071795862);
        // A family this desktop lacks is kept, to show through its substitute and be saved back.
        QCOMPARE(worksheet->worksheet()->initialTypingFont().value_or(QFont()).family(),
                 "Helvetica");
        QCOMPARE(worksheet->worksheet()->loadedWindowFrame().value_or(QString()),
                 QStringLiteral("389 297 600 500 0 0 1440 877 "));
    }

    void refusesDamagedFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("expectedError");
        const QByteArray variables =
            "\t<key>variables</key>\n\t<dict><key>kept</key><real>7</real></dict>\n";
        QTest::newRow("not a property list")
            << "broken.figurello" << QByteArray("<plist><dict><key>text") << "";
        QTest::newRow("root is an array")
            << "array.figurello" << QByteArray("<plist version=\"1.0\"><array/></plist>") << "";
        QTest::newRow("no text") << "notext.figurello" << nativeFile(variables) << "";
        QTest::newRow("text is not RTF")
            << "plain.figurello" << nativeFile(textEntry("2+2 =\n4\n") + variables) << "";
        QTest::newRow("truncated RTF")
            << "cut.figurello" << nativeFile(textEntry(kMacRtf.left(kMacRtf.size() / 2))) << "";
        QTest::newRow("unbalanced braces")
            << "braces.figurello" << nativeFile(textEntry(kMacRtf + "}}")) << "";
        QTest::newRow("groups nested 100,000 deep")
            << "deep.figurello"
            << nativeFile(textEntry("{\\rtf1 " + QByteArray(100000, '{') + "x" +
                                    QByteArray(100000, '}') + "}"))
            << "";
        QTest::newRow("RTF file that is not RTF")
            << "fake.rtf" << QByteArray("{\\rtf1 {\\b never closed") << "";
        QTest::newRow("text that is not UTF-8")
            << "latin1.txt" << QByteArray("caf\xe9 = 3\n") << "UTF-8";
        QTest::newRow("a type that cannot be told")
            << "picture.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)
            << "not in a format Figurello reads";
    }
    void refusesDamagedFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, expectedError);
        QString error;
        auto document = read(write(name, contents), &error);
        QVERIFY(!document);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(name), qPrintable(error));
        QVERIFY2(error.contains(expectedError), qPrintable(error));
    }

    // A damaged text costs only itself: what else the file holds still loads.
    void aWorksheetWithoutReadableTextKeepsItsState() {
        MyDocument document;
        const QByteArray contents =
            nativeFile(textEntry("not rtf") +
                       "\t<key>variables</key>\n\t<dict><key>kept</key><real>7</real></dict>\n"
                       "\t<key>windowFrame</key>\n\t<string>1 2 300 400</string>\n");
        QVERIFY(!document.readFromData(contents, kWorksheetType, nullptr));
        QVERIFY(document.worksheet()->text()->isEmpty());
        QCOMPARE(FindVariable(*document.worksheet()->state(), "kept")->number, 7.0);
        QCOMPARE(document.worksheet()->loadedWindowFrame().value_or(QString()),
                 QStringLiteral("1 2 300 400"));
    }

    void ignoresAnIncompleteFont_data() {
        QTest::addColumn<QByteArray>("fontEntries");
        QTest::addColumn<bool>("used");
        const QByteArray family = QFontDatabase::families().value(0).toUtf8();
        QTest::newRow("installed family and size") << "<key>fontName</key><string>" + family +
                                                          "</string>"
                                                          "<key>fontSize</key><real>15.5</real>"
                                                   << true;
        QTest::newRow("name without size")
            << "<key>fontName</key><string>" + family + "</string>" << false;
        QTest::newRow("size without name")
            << QByteArray("<key>fontSize</key><real>15</real>") << false;
        QTest::newRow("family not installed is kept")
            << QByteArray("<key>fontName</key><string>No Such Family Xyzzy</string>"
                          "<key>fontSize</key><real>15</real>")
            << true;
        QTest::newRow("empty family")
            << QByteArray("<key>fontName</key><string></string><key>fontSize</key><real>15</real>")
            << false;
    }
    void ignoresAnIncompleteFont() {
        QFETCH(QByteArray, fontEntries);
        QFETCH(bool, used);
        MyDocument document;
        QVERIFY(document.readFromData(nativeFile(textEntry(kMacRtf) + fontEntries), kWorksheetType,
                                      nullptr));
        QCOMPARE(document.worksheet()->initialTypingFont().has_value(), used);
    }

    // Text in an old Mac code page opens; text in one nobody decodes costs only its own
    // characters, with a note on the status bar, and never the worksheet.
    void opensTextInAnyCodePage() {
        const QByteArray rtf =
            "{\\rtf1\\mac\\ansicpg10001{\\fonttbl\\f0\\fnil\\fcharset78 Osaka;"
            "\\f1\\fnil\\cpg99999 X;}\\f0 \\'89\\'b9\\'8a\\'79 = 1\\\n\\f1 caf\\'e9}";
        QString error;
        auto document =
            read(write(QStringLiteral("codepage.figurello"), nativeFile(textEntry(rtf))), &error);
        QVERIFY2(document, qPrintable(error));
        MyDocument* worksheet = asWorksheet(document.get());
        worksheet->makeWindowControllers();
        QCOMPARE(editorOf(worksheet)->toPlainText(), u"\u97F3\u697D = 1\ncaf\uFFFD"_s);
        const QString note = worksheet->window()->statusBar()->currentMessage();
        QVERIFY2(note.contains(u"99999"), qPrintable(note));
    }

    // A Mac's typing font shows through the desktop's substitute at its own size, and is saved
    // back as the file had it until the user picks another.
    void keepsAMacTypingFontThroughARoundTrip_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("fixedPitch");
        QTest::newRow("Helvetica 12") << "Helvetica" << 12.0 << false;
        QTest::newRow("Menlo 11") << "Menlo" << 11.0 << true;
        QTest::newRow("Monaco 10") << "Monaco" << 10.0 << true;
    }
    void keepsAMacTypingFontThroughARoundTrip() {
        QFETCH(QString, family);
        QFETCH(double, size);
        QFETCH(bool, fixedPitch);
        const QByteArray fontEntries = "\t<key>fontName</key>\n\t<string>" + family.toUtf8() +
                                       "</string>\n\t<key>fontSize</key>\n\t<real>" +
                                       QByteArray::number(size) + "</real>\n";
        auto document = read(
            write(QStringLiteral("font.figurello"), nativeFile(fontEntries + textEntry(kMacRtf))));
        QVERIFY(document);
        MyDocument* worksheet = asWorksheet(document.get());
        worksheet->makeWindowControllers();

        const QFont typing = editorOf(worksheet)->currentCharFormat().font();
        QCOMPARE(typing.pointSizeF(), size);
        // What shows is an installed family, at the size rounded to whole pixels.
        const QFontInfo shown(typing);
        QVERIFY2(QFontDatabase::hasFamily(shown.family()), qPrintable(shown.family()));
        QVERIFY2(qAbs(shown.pointSizeF() - size) < 0.5,
                 qPrintable(QString::number(shown.pointSizeF())));
        if (fixedPitch) {
            // Every character as wide as the next: what the font file says of itself varies.
            const QFontMetricsF metrics(typing);
            QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
                     metrics.horizontalAdvance(QLatin1Char('W')));
        }
        const auto savedFont = [&worksheet] {
            QString error;
            const QByteArray saved = worksheet->dataOfType(kWorksheetType, &error);
            const WorksheetReadResult written =
                parseWorksheetFile(std::string_view(saved.constData(), saved.size()));
            return std::pair(QString::fromStdString(written.file->fontName.value_or("")),
                             written.file->fontSize.value_or(0));
        };
        QCOMPARE(savedFont(), std::pair(family, size));

        QTextCharFormat picked;
        picked.setFont(QFont(QStringLiteral("DejaVu Serif"), 15));
        editorOf(worksheet)->setCurrentCharFormat(picked);
        QCOMPARE(savedFont(), std::pair(QStringLiteral("DejaVu Serif"), 15.0));
    }

    // Plain text and RTF open as worksheets but save under a new name, never over the original.
    void otherFormatsOpenAsUntitledWorksheets() {
        const QString path = write(QStringLiteral("notes.txt"), "x = 2\nx * 3 =\n");
        auto document = read(path);
        QVERIFY(document);
        QVERIFY(document->filePath().isEmpty());
        QCOMPARE(document->displayName(), QStringLiteral("notes"));
        asWorksheet(document.get())->makeWindowControllers();
        QCOMPARE(editorOf(asWorksheet(document.get()))->toPlainText(),
                 QStringLiteral("x = 2\nx * 3 =\n"));
        QString error;
        const QByteArray saved = document->dataOfType(platform::kPlainTextType, &error);
        const WorksheetReadResult written =
            parseWorksheetFile(std::string_view(saved.constData(), saved.size()));
        QVERIFY(written.file);
        // Text without a font of its own is in the user font at 14 points, and saved so.
        QCOMPARE(written.file->fontSize.value_or(0), 14.0);
    }

    // The title names the worksheet without its file's suffix, whatever kind of file it came
    // from, then the application; "[*]" is where Qt puts the modified mark.
    void titlesNameTheWorksheet_data() {
        QTest::addColumn<QString>("file"); // empty for a new worksheet
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("name");
        QTest::newRow("untitled") << QString() << QByteArray() << "Untitled";
        QTest::newRow("worksheet")
            << "budget.figurello" << nativeFile(textEntry(kMacRtf)) << "budget";
        QTest::newRow("plain text") << "notes.txt" << QByteArray("2+2 =\n") << "notes";
        QTest::newRow("RTF") << "letter.rtf" << QByteArray("{\\rtf1 2+2}") << "letter";
        QTest::newRow("dots in the name")
            << "q1.2026.figurello" << nativeFile(textEntry(kMacRtf)) << "q1.2026";
    }
    void titlesNameTheWorksheet() {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, name);
        platform::Document* document = file.isEmpty()
                                           ? mController->newDocument()
                                           : mController->openDocument(write(file, contents));
        QVERIFY(document);
        QCOMPARE(document->window()->windowTitle(),
                 name + u"[*] — "_s + QGuiApplication::applicationDisplayName());
    }

    // Regression: reading the text in struck every answer of an opened worksheet through.
    void openedAnswersAreUpToDate() {
        platform::Document* document = mController->openDocument(
            write(QStringLiteral("pi.figurello"), nativeFile(textEntry(kMacRtf))));
        QVERIFY(document);
        const QTextDocument* text = asWorksheet(document)->worksheet()->text();
        QVERIFY(text->blockCount() > 2);
        for (QTextBlock line = text->begin(); line.isValid(); line = line.next())
            QVERIFY2(!asWorksheet(document)->worksheet()->answerMarks()->isOutOfDate(line),
                     qPrintable(line.text()));
    }

    // A chart is read by its description where the insertion point stands on it, and copied as
    // that description and a picture; pasted into a worksheet, it is a chart again.
    void aChartIsDescribedCopiedAndPasted() {
        MyDocument* document = asWorksheet(mController->newDocument());
        Calculation* calculation = document->worksheet()->calculateAtEnd({"plot(x^2, -1, 1)"});
        QSignalSpy finished(calculation, &Calculation::finished);
        QVERIFY(finished.wait(5000));
        WorksheetEditor* editor = editorOf(document);
        QTextCursor chart(editor->document()->findBlockByNumber(1));
        editor->setTextCursor(chart);
        const QString description = editor->accessibleDescription();
        QVERIFY2(description.startsWith("Plot of x^2 for x from -1 to 1. Lowest 0 at x = 0"),
                 qPrintable(description));
        chart.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        editor->setTextCursor(chart);
        editor->copy();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), description);
        QVERIFY(!qvariant_cast<QImage>(copied->imageData()).isNull());
        QTextCursor end = editor->textCursor();
        end.movePosition(QTextCursor::End);
        editor->setTextCursor(end);
        editor->paste();
        QVERIFY(chartOf(editor->document()->lastBlock().begin().fragment().charFormat()));
    }

    // Help ▸ Example Worksheet: the tour, built into the application, as a new untitled worksheet
    // that saving never writes back.
    void theExampleOpensAsAnUntitledCopy() {
        mController->newDocument();
        platform::Document* example =
            mController->openCopy(QStringLiteral(":/examples/tour.figurello"));
        QVERIFY(example);
        QVERIFY(example->filePath().isEmpty());
        QVERIFY(!example->hasFileLocation());
        QCOMPARE(example->displayName(), QStringLiteral("Untitled 2"));
        QVERIFY(asWorksheet(example)->worksheet()->text()->toPlainText().contains(u"area(3) ="_s));
        QVERIFY(!example->isDocumentEdited());
    }

    void openingAnOpenFileRaisesItsWindow() {
        const QString path =
            write(QStringLiteral("once.figurello"), nativeFile(textEntry(kMacRtf)));
        platform::Document* first = mController->openDocument(path);
        QVERIFY(first);
        QCOMPARE(mController->openDocument(path), first);
        QCOMPARE(mController->documents().size(), 1);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(MyDocumentTest)

#include "mydocument_test.moc"
