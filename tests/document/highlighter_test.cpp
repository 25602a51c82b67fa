// Highlighting as you type: what kind each token of a statement is, that answer lines keep
// their colours, and that a keystroke goes over the edited line only.

#include "document/statementhighlighter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

using Kind = StatementHighlighter::Kind;

class CountingHighlighter : public StatementHighlighter {
public:
    using StatementHighlighter::StatementHighlighter;
    int lines = 0;

protected:
    void highlightBlock(const QString& text) override {
        ++lines;
        StatementHighlighter::highlightBlock(text);
    }
};

} // namespace

class HighlighterTest : public QObject {
    Q_OBJECT

private slots:
    void kindsOfTokens_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbers, built-ins, variables")
            << "2pi + rate * 0x1F" << QStringList{"2:N", "pi:B", "rate:V", "0x1F:N"};
        QTest::newRow("a user function and a built-in one")
            << "f(rate) + sqrt(2.5)" << QStringList{"f:F", "rate:V", "sqrt:B", "2.5:N"};
        QTest::newRow("a name nobody defined") << "y + 1" << QStringList{"y:U", "1:N"};
        QTest::newRow("an assignment defines its name")
            << "total = rate * 2" << QStringList{"total:V", "rate:V", "2:N"};
        QTest::newRow("a definition defines its parameters")
            << "g(a; b) = a * b + c" << QStringList{"g:F", "a:V", "b:V", "a:V", "b:V", "c:U"};
        QTest::newRow("a decimal comma") << "1,5 * 2" << QStringList{"1,5:N", "2:N"};
        QTest::newRow("arguments, not a number")
            << "f(3, 4)" << QStringList{"f:F", "3:N", "4:N"};
    }
    void kindsOfTokens() {
        QFETCH(QString, statement);
        QFETCH(QStringList, expected);
        QTextDocument document;
        StatementHighlighter highlighter(&document);
        highlighter.setNames({"rate"}, {"f"});
        const char kinds[] = "NVFBU";
        QStringList shown;
        for (const auto& token : highlighter.tokens(statement))
            shown.append(statement.mid(token.start, token.length) + ':' +
                         kinds[int(token.kind)]);
        QCOMPARE(shown, expected);
    }

    void answerLinesKeepTheirColours() {
        QTextDocument document;
        StatementHighlighter highlighter(&document);
        document.setPlainText(QStringLiteral("y + 1 =\nwidth\nwidth\n"));
        highlighter.rehighlight();
        auto formatsOf = [&](int line) {
            return document.findBlockByNumber(line).layout()->formats().size();
        };
        QVERIFY(formatsOf(0) > 0);
        QCOMPARE(formatsOf(1), 0);
        QVERIFY(formatsOf(2) > 0);
    }

    void aKeystrokeGoesOverTheEditedLineOnly() {
        QTextDocument document;
        QString text;
        for (int line = 0; line < StatementHighlighter::kMaxHighlightedLines / 2 - 10; ++line)
            text += QStringLiteral("x%1 = %1 =\n%1\n").arg(line);
        document.setPlainText(text);
        document.documentLayout(); // as a view would: without a layout nothing reports edits
        CountingHighlighter highlighter(&document);
        highlighter.rehighlight();
        highlighter.lines = 0;
        QTextCursor cursor(document.findBlockByNumber(400));
        cursor.insertText(QStringLiteral("1"));
        QVERIFY2(highlighter.lines >= 1 && highlighter.lines <= 2,
                 qPrintable(QString::number(highlighter.lines)));
        // Names that did not change do not go over the text again.
        highlighter.setNames({}, {});
        QVERIFY(highlighter.lines <= 2);
    }

    // New names recolour the whole text in one pass of our own; what it leaves must be what
    // Qt's line-by-line highlighting gives, and a text grown past the limit ends up plain.
    void newNamesRecolourTheWholeText_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("plain");
        QTest::newRow("short worksheet") << 40 << false;
        QTest::newRow("grown past the limit") << StatementHighlighter::kMaxHighlightedLines + 50
                                          << true;
    }
    void newNamesRecolourTheWholeText() {
        QFETCH(int, lines);
        QFETCH(bool, plain);
        QTextDocument document;
        document.documentLayout(); // as a view would: without a layout nothing reports edits
        StatementHighlighter highlighter(&document);
        highlighter.rehighlight(); // as the event loop would, once attached
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("width * 2 =\n6\nf(3) + y\n"));
        // Coloured as typed while short: "width" is nobody's yet.
        QVERIFY(document.firstBlock().layout()->formats().size() > 0);
        for (int line = 3; line < lines; ++line)
            cursor.insertText(QStringLiteral("width + %1\n").arg(line));

        highlighter.setNames({QStringLiteral("width")}, {QStringLiteral("f")});
        QList<QList<QTextLayout::FormatRange>> ours;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            ours.append(block.layout()->formats());
        if (plain) {
            for (const auto& formats : ours)
                QVERIFY(formats.isEmpty());
            return;
        }
        const auto kindAt = [&](int line, int start) {
            for (const auto& range : ours[line])
                if (range.start == start)
                    return range.format.foreground().color();
            return QColor();
        };
        QCOMPARE(kindAt(0, 0), kindAt(3, 0)); // "width" is a variable on every line now
        QVERIFY(ours[1].isEmpty());            // the answer line keeps its own colours
        highlighter.rehighlight();
        int line = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++line)
            QCOMPARE(block.layout()->formats(), ours[line]);
    }
};

int runHighlighterTests(int argc, char** argv) {
    HighlighterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "highlighter_test.moc"
