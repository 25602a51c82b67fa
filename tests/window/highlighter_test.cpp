// SPDX-License-Identifier: GPL-3.0-or-later
// Highlighting as you type: what kind each token of a statement is, that answer lines keep
// their colours, that a keystroke goes over the edited line only, and that colouring as typed
// and colouring the whole text agree, however long the text.

#include "engine/calcengine.h"
#include "window/namecompleter.h"
#include "window/statementhighlighter.h"
#include "worksheet/dependentlines.h"
#include "worksheettestmain.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace {

using Kind = StatementHighlighter::Kind;

class CountingHighlighter : public StatementHighlighter {
public:
    using StatementHighlighter::StatementHighlighter;
    mutable int lines = 0;

protected:
    QList<QTextLayout::FormatRange> formatsOfLine(const QString& text, int previousState,
                                                  int& state) const override {
        ++lines;
        return StatementHighlighter::formatsOfLine(text, previousState, state);
    }
};

// Every line's colours, in order.
QList<QList<QTextLayout::FormatRange>> coloursOf(const QTextDocument& document) {
    QList<QList<QTextLayout::FormatRange>> colours;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        colours.append(block.layout()->formats());
    return colours;
}

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
        QTest::newRow("arguments, not a number") << "f(3, 4)" << QStringList{"f:F", "3:N", "4:N"};
        QTest::newRow("if is a keyword")
            << "if(rate, 1, 2)" << QStringList{"if:K", "rate:V", "1:N", "2:N"};
        QTest::newRow("an exponent belongs to its number")
            << "4.6e15 + 1E-3 + 5.e2" << QStringList{"4.6e15:N", "1E-3:N", "5.e2:N"};
        QTest::newRow("a number and a constant, juxtaposed")
            << "2pi + 3π" << QStringList{"2:N", "pi:B", "3:N", "π:B"};
        QTest::newRow("signs that name built-ins")
            << QStringLiteral("50% + \u221A(4)") << QStringList{"50:N", "%:B", "\u221A:B", "4:N"};
        QTest::newRow("the hexadecimal prefix is lower case")
            << "0x1f + 0X1F" << QStringList{"0x1f:N", "0:N", "X1F:U"};
        QTest::newRow("units, signs first or not, and a conversion")
            << QStringLiteral("5 km + 20 °C in °F")
            << QStringList{"5:N", "km:Q", "20:N", QStringLiteral("°C:Q"), "in:K",
                           QStringLiteral("°F:Q")};
        QTest::newRow("min( is the function, min alone a unit")
            << "min(2, 3) + rate min" << QStringList{"min:B", "2:N", "3:N", "rate:V", "min:Q"};
    }
    void kindsOfTokens() {
        QFETCH(QString, statement);
        QFETCH(QStringList, expected);
        QTextDocument document;
        StatementHighlighter highlighter(&document, nullptr);
        highlighter.setNames({"rate"}, {"f"});
        const char kinds[] = "NVFBUKQ";
        QStringList shown;
        for (const auto& token : highlighter.tokens(statement))
            shown.append(statement.mid(token.start, token.length) + ':' + kinds[int(token.kind)]);
        QCOMPARE(shown, expected);
    }

    // What the engine takes for a name, the highlighter, the completer and the finder of
    // dependent lines take for one too; the rest each leave alone.
    void namesAgreeWithTheEngine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isName");
        QTest::newRow("letters and digits") << "x1" << true;
        QTest::newRow("an underscore inside") << "rate_2" << true;
        QTest::newRow("an underscore first") << "_x" << false;
        QTest::newRow("a digit first") << "2x" << false;
        QTest::newRow("an accented letter") << QStringLiteral("r\u00E9") << false;
        QTest::newRow("a Greek letter first") << QStringLiteral("\u0394x") << false;
        QTest::newRow("a sharp s inside") << QStringLiteral("stra\u00DFe") << false;
    }
    void namesAgreeWithTheEngine() {
        QFETCH(QString, text);
        QFETCH(bool, isName);

        const CalcStatePtr state = NewCalcState();
        const QByteArray assignment = (text + QStringLiteral(" = 1")).toUtf8();
        double value = 0;
        std::size_t stop = 0;
        std::string_view symbol;
        const int kind = EvaluateStatement(assignment.toStdString(), *state, value, stop, &symbol);
        QCOMPARE(kind == kValue && QString::fromUtf8(symbol.data(), symbol.size()) == text, isName);

        QTextDocument document;
        StatementHighlighter highlighter(&document, nullptr);
        const auto tokens = highlighter.tokens(text);
        QCOMPARE(tokens.size() == 1 && tokens[0].length == text.size() &&
                     tokens[0].kind != Kind::Number,
                 isName);

        QCOMPARE(statementNames(text + QStringLiteral(" = 1")).assigned == text, isName);

        QTextEdit editor;
        NameCompleter completer(&editor);
        completer.setNameSource([&] { return QStringList{text + QStringLiteral("zz")}; });
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.insertPlainText(text);
        completer.textTyped();
        QCOMPARE(completer.isOffering(), isName);
    }

    void answerLinesKeepTheirColours() {
        QTextDocument document;
        StatementHighlighter highlighter(&document, nullptr);
        document.setPlainText(QStringLiteral("y + 1 =\nwidth\nwidth\n"));
        highlighter.setNames({}, {});
        auto formatsOf = [&](int line) {
            return document.findBlockByNumber(line).layout()->formats().size();
        };
        QVERIFY(formatsOf(0) > 0);
        QCOMPARE(formatsOf(1), 0);
        QVERIFY(formatsOf(2) > 0);
    }

    // Answers, the listings' headings and the values of a listing are never unknown names.
    void answersAndListingsAreNoUnknownNames() {
        QTextDocument document;
        StatementHighlighter highlighter(&document, nullptr);
        document.setPlainText(QStringLiteral("1/0 =\ninf\n0/0 =\nnan\njunk =\n"
                                             "Syntax error: “junk” is not defined\n"
                                             "Defined variables:\nbig = inf\nn = -nan\nrate = 2\n"
                                             "Defined functions:\nf(x) = x^2\njunk\n"));
        highlighter.setNames({"big", "n", "rate"}, {"f"});
        QStringList underlined;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (const auto& range : block.layout()->formats())
                if (range.format.underlineStyle() != QTextCharFormat::NoUnderline)
                    underlined.append(block.text().mid(range.start, range.length));
        QCOMPARE(underlined, (QStringList{"junk", "junk"}));
        const auto formats = document.findBlockByNumber(7).layout()->formats();
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats[1].start, 6); // "inf" is the row's value
    }

    void aKeystrokeGoesOverTheEditedLineOnly() {
        QTextDocument document;
        QString text;
        for (int line = 0; line < 2000; ++line)
            text += QStringLiteral("x%1 = %1 =\n%1\n").arg(line);
        document.setPlainText(text);
        document.documentLayout(); // as a view would: without a layout nothing reports edits
        CountingHighlighter highlighter(&document, nullptr);
        highlighter.setNames({}, {});
        highlighter.lines = 0;
        QTextCursor cursor(document.findBlockByNumber(400));
        cursor.insertText(QStringLiteral("1"));
        QVERIFY2(highlighter.lines >= 1 && highlighter.lines <= 2,
                 qPrintable(QString::number(highlighter.lines)));
        QVERIFY(!document.findBlockByNumber(400).layout()->formats().isEmpty());
        // Names that did not change do not go over the text again.
        highlighter.setNames({}, {});
        QVERIFY(highlighter.lines <= 2);
    }

    // Colours given line by line as the text is typed, and colours given to the whole text
    // when the names change, are the same colours; in a short worksheet and a long one.
    void colouringAsTypedAndWholeAgree_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("short worksheet") << 40;
        QTest::newRow("long worksheet") << 3000;
    }
    void colouringAsTypedAndWholeAgree() {
        QFETCH(int, lines);
        QTextDocument document;
        document.documentLayout(); // as a view would: without a layout nothing reports edits
        StatementHighlighter highlighter(&document, nullptr);
        highlighter.setNames({}, {});
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("width * 2 =\n6\nf(3) + y\n"));
        // Coloured as typed: "width" is nobody's yet.
        QVERIFY(document.firstBlock().layout()->formats().size() > 0);
        for (int line = 3; line < lines; ++line)
            cursor.insertText(QStringLiteral("width + %1\n").arg(line));
        const auto asTyped = coloursOf(document);
        highlighter.rehighlight();
        QCOMPARE(coloursOf(document), asTyped);

        highlighter.setNames({QStringLiteral("width")}, {QStringLiteral("f")});
        const auto whole = coloursOf(document);
        const auto colourAt = [&](int line, int start) {
            for (const auto& range : whole[line])
                if (range.start == start)
                    return range.format.foreground().color();
            return QColor();
        };
        QCOMPARE(colourAt(0, 0), colourAt(lines - 1, 0)); // "width" is a variable everywhere
        QVERIFY(colourAt(0, 0) != asTyped[0][0].format.foreground().color());
        QVERIFY(whole[1].isEmpty()); // the answer line keeps its own colours

        // Typing a line anew gives it the colours the whole pass gave it.
        QTextCursor retyped(document.findBlockByNumber(lines - 1));
        retyped.select(QTextCursor::BlockUnderCursor);
        retyped.insertText(QStringLiteral("\nwidth + %1").arg(lines - 1));
        QCOMPARE(coloursOf(document), whole);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(HighlighterTest)

#include "highlighter_test.moc"
