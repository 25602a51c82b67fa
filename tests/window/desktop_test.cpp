// SPDX-License-Identifier: GPL-3.0-or-later
// What a worksheet does for the desktop around it: answers and highlighting follow a switch
// between light and dark, the usual keys work on every platform theme, zooming scales the text
// on screen without touching the worksheet, long lines wrap between words, and an empty
// worksheet says what to do.

#include "platform/documentcontroller.h"
#include "platform/shortcutsdialog.h"
#include "typing.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "windowtesting.h"
#include "worksheet/answercolours.h"
#include "worksheet/answerformats.h"
#include "worksheet/answermarks.h"
#include "worksheet/worksheetcolours.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {

QPalette lightPalette() {
    QPalette palette(QColor(0xef, 0xef, 0xef));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

QPalette darkPalette() {
    QPalette palette(QColor(0x30, 0x30, 0x30));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    return palette;
}

// WCAG's contrast ratio of two colours, from 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// The text backgrounds of the common desktop themes, light and dark: plain white, Breeze,
// Adwaita, and the dark ones of Breeze, Adwaita and Fusion.
const QRgb kLightBackgrounds[] = {0xffffff, 0xfcfcfc, 0xfafafa};
const QRgb kDarkBackgrounds[] = {0x1e1e1e, 0x232629, 0x242424, 0x2a2a2a, 0x2d2d2d, 0x303030};

// The foreground of the text starting at `position`; invalid when it has none of its own.
QColor colourAt(const QTextDocument* document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(document));
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                            : QColor();
}

// The colour the highlighting gives the last token of the line.
QColor lastTokenColour(const QTextBlock& line) {
    const QList<QTextLayout::FormatRange> formats = line.layout()->formats();
    return formats.isEmpty() ? QColor() : formats.last().format.foreground().color();
}

// Restores the application palette however the test ends.
struct PaletteGuard {
    QPalette saved = QApplication::palette();
    ~PaletteGuard() { QApplication::setPalette(saved); }
};

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void coloursKeepTheirContrast_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<double>("least");
        // Text at 4.5:1, as WCAG AA asks; what is drawn rather than read, and the dimmed
        // answers out of date, which say so in words as well, at 3:1.
        const std::pair<const char*, WorksheetColour> text[] = {
            {"value", WorksheetColour::GoodResult},  {"error", WorksheetColour::BadResult},
            {"number", WorksheetColour::Number},     {"variable", WorksheetColour::Variable},
            {"function", WorksheetColour::Function}, {"built-in", WorksheetColour::Builtin},
            {"unit", WorksheetColour::Unit},         {"unknown name", WorksheetColour::UnknownName},
        };
        for (const auto& [name, colour] : text)
            QTest::newRow(name) << int(colour) << 4.5;
        const std::pair<const char*, WorksheetColour> drawn[] = {
            {"out of date", WorksheetColour::OutOfDate}, {"curve 1", WorksheetColour::Curve1},
            {"curve 2", WorksheetColour::Curve2},        {"curve 3", WorksheetColour::Curve3},
            {"curve 4", WorksheetColour::Curve4},
        };
        for (const auto& [name, colour] : drawn)
            QTest::newRow(name) << int(colour) << 3.0;
    }
    void coloursKeepTheirContrast() {
        QFETCH(int, colour);
        QFETCH(double, least);
        for (const auto& [palette, backgrounds] :
             {std::pair{lightPalette(),
                        QList<QRgb>(std::begin(kLightBackgrounds), std::end(kLightBackgrounds))},
              std::pair{darkPalette(),
                        QList<QRgb>(std::begin(kDarkBackgrounds), std::end(kDarkBackgrounds))}}) {
            const QColor shown = worksheetColour(WorksheetColour(colour), palette);
            for (QRgb background : backgrounds)
                QVERIFY2(contrast(shown, QColor(background)) >= least,
                         qPrintable(QStringLiteral("%1 on %2: %3:1")
                                        .arg(shown.name(), QColor(background).name())
                                        .arg(contrast(shown, QColor(background)), 0, 'f', 2)));
        }
    }

    void answersFollowTheColourScheme_data() {
        QTest::addColumn<bool>("toDark");
        QTest::addColumn<bool>("editedBefore"); // there is history to undo
        QTest::newRow("light to dark, nothing to undo") << true << false;
        QTest::newRow("light to dark after an edit") << true << true;
        QTest::newRow("dark to light, nothing to undo") << false << false;
        QTest::newRow("dark to light after an edit") << false << true;
    }
    void answersFollowTheColourScheme() {
        QFETCH(bool, toDark);
        QFETCH(bool, editedBefore);
        PaletteGuard guard;
        const QPalette from = toDark ? lightPalette() : darkPalette();
        const QPalette to = toDark ? darkPalette() : lightPalette();
        QApplication::setPalette(from);

        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        QTextDocument* text = editorOf(document)->document();
        const auto coloured = [](const QColor& colour) {
            QTextCharFormat format;
            format.setForeground(colour);
            return format;
        };
        // Typed text in a colour of the user's own, even the other scheme's green, is not an
        // answer of this scheme and stays as it is.
        const QColor ownBlue(0x20, 0x40, 0xc0);
        const QColor otherGreen = worksheetColour(WorksheetColour::GoodResult, to);
        QTextCursor cursor(text);
        cursor.insertText(QStringLiteral("2+2 =\n"), QTextCharFormat());
        const int green = cursor.position();
        cursor.insertText(QStringLiteral("4"),
                          coloured(worksheetColour(WorksheetColour::GoodResult, from)));
        cursor.insertText(QStringLiteral("\n1/ =\n"), QTextCharFormat());
        const int red = cursor.position();
        cursor.insertText(QStringLiteral("Syntax error"),
                          coloured(worksheetColour(WorksheetColour::BadResult, from)));
        cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
        const int blue = cursor.position();
        cursor.insertText(QStringLiteral("note"), coloured(ownBlue));
        const int other = cursor.position();
        cursor.insertText(QStringLiteral("kept"), coloured(otherGreen));
        text->clearUndoRedoStacks();
        if (editedBefore)
            editorOf(document)->insertPlainText(QStringLiteral(" "));
        document->setDocumentEdited(false);
        const QString before = text->toPlainText();

        QApplication::setPalette(to);

        QCOMPARE(colourAt(text, green), worksheetColour(WorksheetColour::GoodResult, to));
        QCOMPARE(colourAt(text, red), worksheetColour(WorksheetColour::BadResult, to));
        QCOMPARE(colourAt(text, 0), QColor());
        QCOMPARE(colourAt(text, blue), ownBlue);
        QCOMPARE(colourAt(text, other), otherGreen);
        QCOMPARE(text->toPlainText(), before);
        QVERIFY(!document->isDocumentEdited());
        // No step for a worksheet with no history; else one, taking back only the colours.
        QCOMPARE(text->isUndoAvailable(), editedBefore);
        if (editedBefore) {
            text->undo();
            QCOMPARE(colourAt(text, green), worksheetColour(WorksheetColour::GoodResult, from));
            QCOMPARE(text->toPlainText(), before);
        }
    }

    // A palette change that keeps the scheme, such as a new accent colour, recolours nothing.
    void sameSchemeLeavesAnswersAlone() {
        QTextDocument text;
        QTextCharFormat green;
        green.setForeground(worksheetColour(WorksheetColour::GoodResult, lightPalette()));
        QTextCursor(&text).insertText(QStringLiteral("4"), green);
        QPalette accented = lightPalette();
        accented.setColor(QPalette::Highlight, Qt::magenta);
        recolourAnswers(&text, lightPalette(), accented);
        QCOMPARE(colourAt(&text, 0), worksheetColour(WorksheetColour::GoodResult, lightPalette()));
        QCOMPARE(text.availableUndoSteps(), 1);
    }

    // A worksheet saved in one scheme and opened in the other shows the current scheme's colours.
    void openedAnswersTakeTheCurrentScheme_data() {
        QTest::addColumn<bool>("nowDark");
        QTest::newRow("saved light, opened dark") << true;
        QTest::newRow("saved dark, opened light") << false;
    }
    void openedAnswersTakeTheCurrentScheme() {
        QFETCH(bool, nowDark);
        const QPalette saved = nowDark ? lightPalette() : darkPalette();
        const QPalette now = nowDark ? darkPalette() : lightPalette();
        const QPalette before = QGuiApplication::palette();
        QGuiApplication::setPalette(now);
        QTextDocument text;
        QTextCharFormat red;
        red.setForeground(worksheetColour(WorksheetColour::BadResult, saved));
        QTextCursor(&text).insertText(QStringLiteral("Syntax error"), red);
        adoptColourScheme(&text);
        const QColor shown = colourAt(&text, 0);
        QGuiApplication::setPalette(before);
        QCOMPARE(shown, worksheetColour(WorksheetColour::BadResult, now));
    }

    // The highlighting switches too, in the lines there and in those typed after the switch.
    void highlightingFollowsTheColourScheme_data() {
        QTest::addColumn<bool>("toDark");
        QTest::newRow("light to dark") << true;
        QTest::newRow("dark to light") << false;
    }
    void highlightingFollowsTheColourScheme() {
        QFETCH(bool, toDark);
        PaletteGuard guard;
        const QPalette from = toDark ? lightPalette() : darkPalette();
        const QPalette to = toDark ? darkPalette() : lightPalette();
        QApplication::setPalette(from);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        WorksheetEditor* editor = editorOf(document);
        QVERIFY(typeAndCalculate(document, QStringLiteral("2 + 3")));
        // And lines calculated together, as figurello calc does.
        document->worksheet()->calculateAtEnd({QStringLiteral("7 * 6")});
        QVERIFY(answersAreIn(*document->worksheet()));
        editor->insertPlainText(QStringLiteral("rate * 12"));
        const QTextBlock typed = editor->document()->lastBlock();
        QTRY_COMPARE(lastTokenColour(typed), worksheetColour(WorksheetColour::Number, from));

        QApplication::setPalette(to);

        QCOMPARE(lastTokenColour(typed), worksheetColour(WorksheetColour::Number, to));
        // Recolouring the answers is no edit of their lines: they are not out of date.
        QCOMPARE(document->worksheet()->answerMarks()->outOfDateMarks().size(), 0);
        editor->insertPlainText(QStringLiteral("\n7"));
        QCOMPARE(lastTokenColour(editor->document()->lastBlock()),
                 worksheetColour(WorksheetColour::Number, to));
    }

    // Qt's generic theme, which the offscreen platform uses, has no keys for Save As or Full
    // Screen; ours are added wherever the theme's lack them, and its own keep working.
    void commandsHaveKeysOnEveryTheme_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QKeySequence::StandardKey>("standard");
        QTest::addColumn<QKeySequence>("ours");
        QTest::newRow("Save As") << "saveAs" << QKeySequence::SaveAs
                                 << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QTest::newRow("Close") << "close" << QKeySequence::Close
                               << QKeySequence(Qt::CTRL | Qt::Key_W);
        QTest::newRow("Quit") << "quit" << QKeySequence::Quit << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("Full Screen")
            << "fullScreen" << QKeySequence::FullScreen << QKeySequence(Qt::Key_F11);
        QTest::newRow("Zoom In with or without Shift")
            << "zoomIn" << QKeySequence::ZoomIn << QKeySequence(Qt::CTRL | Qt::Key_Equal);
    }
    void commandsHaveKeysOnEveryTheme() {
        QFETCH(QString, command);
        QFETCH(QKeySequence::StandardKey, standard);
        QFETCH(QKeySequence, ours);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        const auto* action = windowOf(document)->findChild<QAction*>(command);
        QVERIFY(action);
        const QList<QKeySequence> keys = action->shortcuts();
        QVERIFY2(keys.contains(ours), qPrintable(QKeySequence::listToString(keys)));
        for (const QKeySequence& theirs : QKeySequence::keyBindings(standard))
            QVERIFY(keys.contains(theirs));
        // Help ▸ Keyboard Shortcuts shows the keys the command has.
        ShortcutsDialog shortcuts(windowOf(document)->menuBar(), {}, nullptr);
        const QList<QTreeWidgetItem*> rows =
            shortcuts.list()->findItems(QKeySequence::listToString(keys, QKeySequence::NativeText),
                                        Qt::MatchExactly | Qt::MatchRecursive, 1);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first()->text(0), QString(action->text()).remove(QLatin1Char('&')));
    }

    // A long number moves to the next line whole; an empty worksheet shows a hint that is never
    // part of its text.
    void longNumbersWrapWhole() {
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        WorksheetEditor* editor = editorOf(document);
        QVERIFY(!editor->placeholderText().isEmpty());
        QVERIFY(editor->document()->isEmpty());
        QString error;
        const QByteArray saved = document->dataOfType(QString(), &error);
        QVERIFY(!saved.contains(editor->placeholderText().toUtf8()));

        // Wider than the window: it may run past the edge, but is never split.
        const QString number(40, QLatin1Char('7'));
        const QString line = QStringLiteral("total = ") + number + QStringLiteral(" + 1");
        editor->insertPlainText(line);
        windowOf(document)->resize(editor->fontMetrics().horizontalAdvance(number) / 2, 400);
        const QTextBlock block = editor->document()->firstBlock();
        editor->document()->documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        QVERIFY(layout->lineCount() > 1);
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int start = layout->lineAt(i).textStart();
            QVERIFY2(!line.at(start - 1).isDigit() || !line.at(start).isDigit(),
                     qPrintable(QStringLiteral("line %1 starts at %2").arg(i).arg(start)));
        }
    }

    void zoomScalesOnlyTheView_data() {
        QTest::addColumn<QList<int>>("presses"); // +1 in, -1 out, 0 actual size
        QTest::addColumn<double>("zoom");
        QTest::newRow("in") << QList<int>{1} << 1.1;
        QTest::newRow("in twice") << QList<int>{1, 1} << 1.25;
        QTest::newRow("out") << QList<int>{-1} << 0.9;
        QTest::newRow("in and back") << QList<int>{1, 1, -1, -1} << 1.0;
        QTest::newRow("actual size") << QList<int>{1, 1, 1, 0} << 1.0;
        QTest::newRow("in stops at the largest") << QList<int>(20, 1) << 3.0;
        QTest::newRow("out stops at the smallest") << QList<int>(20, -1) << 0.5;
    }
    void zoomScalesOnlyTheView() {
        QFETCH(QList<int>, presses);
        QFETCH(double, zoom);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        WorksheetEditor* editor = editorOf(document);
        editor->insertPlainText(QStringLiteral("2+2 =\n4\nsome words on a line"));
        document->setDocumentEdited(false);
        QTextDocument* text = editor->document();
        const double height = text->documentLayout()->documentSize().height();
        const qreal pointSize = text->lastBlock().begin().fragment().charFormat().fontPointSize();
        const int undoSteps = text->availableUndoSteps();
        QSignalSpy edits(text, &QTextDocument::contentsChanged);

        for (int press : presses) {
            if (press > 0)
                windowOf(document)->zoomIn();
            else if (press < 0)
                windowOf(document)->zoomOut();
            else
                windowOf(document)->resetZoom();
        }

        QCOMPARE(windowOf(document)->zoom(), zoom);
        const double zoomed = text->documentLayout()->documentSize().height();
        // Font sizes and line heights round to whole pixels.
        QVERIFY2(qAbs(zoomed / height - zoom) < 0.1 * zoom,
                 qPrintable(QStringLiteral("%1 → %2").arg(height).arg(zoomed)));
        QCOMPARE(text->lastBlock().begin().fragment().charFormat().fontPointSize(), pointSize);
        QVERIFY(!document->isDocumentEdited());
        QCOMPARE(text->availableUndoSteps(), undoSteps);
        QCOMPARE(edits.count(), 0);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(DesktopTest)

#include "desktop_test.moc"
