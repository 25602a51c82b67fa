#include "document/statementhighlighter.h"

#include "engine/builtintables.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The block state of a line that ends in " =": the line after it is its answer.
constexpr int kCalculatedLine = 1;

const QString kCalculatedEnding = QStringLiteral(" =");

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

bool isDarkPalette() {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

} // namespace

StatementHighlighter::StatementHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document) {
    for (const BuiltinName& builtin : BuiltinNames())
        mBuiltins.insert(QString::fromStdString(builtin.name));
    updateFormats();
}

void StatementHighlighter::updateFormats() {
    const bool dark = isDarkPalette();
    mFormats[int(Kind::Number)].setForeground(dark ? QColor(0x79, 0xc0, 0xff)
                                                   : QColor(0x00, 0x5c, 0xc5));
    mFormats[int(Kind::Variable)].setForeground(dark ? QColor(0xd2, 0xa8, 0xff)
                                                     : QColor(0x80, 0x3f, 0xb0));
    mFormats[int(Kind::Function)].setForeground(dark ? QColor(0xff, 0xa6, 0x57)
                                                     : QColor(0xb3, 0x50, 0x00));
    mFormats[int(Kind::Builtin)].setForeground(dark ? QColor(0x56, 0xd4, 0xdd)
                                                    : QColor(0x00, 0x7a, 0x80));
    mFormats[int(Kind::Unknown)].setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mFormats[int(Kind::Unknown)].setUnderlineColor(dark ? QColor(0xff, 0x7b, 0x72)
                                                        : QColor(0xcf, 0x22, 0x2e));
}

void StatementHighlighter::setNames(const QSet<QString>& variables,
                                    const QSet<QString>& functions) {
    if (mHighlighted && variables == mVariables && functions == mFunctions)
        return;
    mVariables = variables;
    mFunctions = functions;
    mHighlighted = true;
    highlightWholeText();
}

StatementHighlighter::Kind StatementHighlighter::kindOfName(const QString& name,
                                                            bool beforeParenthesis) const {
    if (beforeParenthesis && mFunctions.contains(name))
        return Kind::Function;
    if (mVariables.contains(name))
        return Kind::Variable;
    if (mBuiltins.contains(name))
        return Kind::Builtin;
    if (mFunctions.contains(name))
        return Kind::Function;
    return Kind::Unknown;
}

QList<StatementHighlighter::Token> StatementHighlighter::tokens(const QString& statement) const {
    QList<Token> found;
    // A definition's parameters and an assignment's name are defined by the line itself.
    QSet<QString> definedHere;
    static const QRegularExpression definition(
        QStringLiteral("^\\s*([A-Za-z_]\\w*)\\s*(?:\\(([^)]*)\\))?\\s*=(?!=)"));
    const QRegularExpressionMatch head = definition.match(statement);
    if (head.hasMatch()) {
        definedHere.insert(head.captured(1));
        static const QRegularExpression separator(QStringLiteral("[,;]"));
        for (const QString& parameter : head.captured(2).split(separator))
            if (!parameter.trimmed().isEmpty())
                definedHere.insert(parameter.trimmed());
    }
    for (int i = 0; i < statement.size();) {
        const QChar c = statement.at(i);
        if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < statement.size() &&
                            statement.at(i + 1).isDigit())) {
            int end = i + 1;
            const bool hex = c == QLatin1Char('0') && end < statement.size() &&
                             (statement.at(end) == QLatin1Char('x') ||
                              statement.at(end) == QLatin1Char('X'));
            if (hex)
                ++end;
            // A separator belongs to the number only with a digit after it: "3, 4" is two.
            auto continuesNumber = [&](int at) {
                const QChar d = statement.at(at);
                if (hex)
                    return isxdigit(d.toLatin1()) != 0;
                if (d.isDigit())
                    return true;
                return (d == QLatin1Char('.') || d == QLatin1Char(',')) &&
                       at + 1 < statement.size() && statement.at(at + 1).isDigit();
            };
            while (end < statement.size() && continuesNumber(end))
                ++end;
            found.append({i, end - i, Kind::Number});
            i = end;
        } else if (isNameStart(c)) {
            int end = i + 1;
            while (end < statement.size() && isNameCharacter(statement.at(end)))
                ++end;
            const QString name = statement.mid(i, end - i);
            int next = end;
            while (next < statement.size() && statement.at(next).isSpace())
                ++next;
            const bool call = next < statement.size() && statement.at(next) == QLatin1Char('(');
            Kind kind = kindOfName(name, call);
            if (kind == Kind::Unknown && definedHere.contains(name))
                kind = call ? Kind::Function : Kind::Variable;
            found.append({i, end - i, kind});
            i = end;
        } else {
            ++i;
        }
    }
    return found;
}

QList<QTextLayout::FormatRange> StatementHighlighter::formatsOfLine(const QString& text,
                                                                   int previousState,
                                                                   int& state) const {
    const bool calculated = text.endsWith(kCalculatedEnding);
    const bool answer = previousState == kCalculatedLine;
    state = calculated && !answer ? kCalculatedLine : 0;
    QList<QTextLayout::FormatRange> formats;
    if (answer)
        return formats;
    const QString statement = calculated ? text.chopped(kCalculatedEnding.size()) : text;
    for (const Token& token : tokens(statement))
        formats.append({token.start, token.length, mFormats[int(token.kind)]});
    return formats;
}

void StatementHighlighter::highlightBlock(const QString& text) {
    // Qt's highlighting slows down far faster than the text grows; a very long worksheet stays
    // plain rather than freezing on opening.
    if (document()->blockCount() > kMaxHighlightedLines)
        return;
    int state = 0;
    for (const QTextLayout::FormatRange& range : formatsOfLine(text, previousBlockState(), state))
        setFormat(range.start, range.length, range.format);
    setCurrentBlockState(state);
}

void StatementHighlighter::highlightWholeText() {
    // Qt's own rehighlight() has the document lay itself out again after every line it
    // colours, which grows with the square of the length. Here each line's colours are set
    // only where they changed, and the text is laid out once at the end.
    QTextDocument* text = document();
    const bool plain = text->blockCount() > kMaxHighlightedLines;
    int changedFrom = -1;
    int changedTo = -1;
    int state = -1;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        QList<QTextLayout::FormatRange> formats;
        if (!plain) {
            const int previousState = state;
            formats = formatsOfLine(block.text(), previousState, state);
            block.setUserState(state);
        }
        if (block.layout()->formats() == formats)
            continue;
        block.layout()->setFormats(formats);
        if (changedFrom < 0)
            changedFrom = block.position();
        changedTo = block.position() + block.length();
    }
    if (changedFrom >= 0)
        text->markContentsDirty(changedFrom, changedTo - changedFrom);
}
