#include "document/statementhighlighter.h"

#include "document/worksheetcolours.h"
#include "engine/builtintables.h"
#include "platform/keyedtexts.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The block state of a line that ends in " =": the line after it is its answer.
constexpr int kCalculatedLine = 1;
// The block state of a listing's heading and of each of its rows.
constexpr int kListingLine = 2;

const QString kCalculatedEnding = QStringLiteral(" =");

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A heading in the language shown now, or in English, as most worksheets were written.
bool isListingHeading(const QString& text) {
    for (const char* key : {"DefVars", "DefFuns"})
        if (text == platform::keyedText(key) || text == platform::sourceKeyedText(key))
            return true;
    return false;
}

// "name = value" or "name(parameters) = body", as a listing writes its rows.
bool isListingRow(const QString& text) {
    static const QRegularExpression row(QStringLiteral("^[A-Za-z_]\\w*(?:\\([^)]*\\))? = \\S"));
    return row.match(text).hasMatch();
}

// The end of the number that begins at `start`, as the engine reads it: "0x" and hexadecimal
// digits; or digits with one decimal mark and an exponent ("4.6e15", "1e-3"). A separator
// belongs to the number only with a digit after it: "3, 4" is two numbers.
int numberEnd(const QString& text, int start) {
    const int size = int(text.size());
    auto digitAt = [&](int at) { return at < size && isAsciiDigit(text.at(at)); };
    if (text.at(start) == QLatin1Char('0') && start + 2 < size &&
        text.at(start + 1) == QLatin1Char('x') && isxdigit(text.at(start + 2).toLatin1())) {
        int end = start + 2;
        while (end < size && isxdigit(text.at(end).toLatin1()))
            ++end;
        return end;
    }
    int end = start;
    while (digitAt(end))
        ++end;
    const QChar mark = end < size ? text.at(end) : QChar();
    if ((mark == QLatin1Char('.') || mark == QLatin1Char(',')) && digitAt(end + 1)) {
        ++end;
        while (digitAt(end))
            ++end;
    } else if (mark == QLatin1Char('.') && end > start) {
        ++end; // "5." is a number
    }
    if (end < size && (text.at(end) == QLatin1Char('e') || text.at(end) == QLatin1Char('E'))) {
        int exponent = end + 1;
        if (exponent < size &&
            (text.at(exponent) == QLatin1Char('+') || text.at(exponent) == QLatin1Char('-')))
            ++exponent;
        if (digitAt(exponent)) {
            end = exponent;
            while (digitAt(end))
                ++end;
        }
    }
    return end;
}

} // namespace

StatementHighlighter::StatementHighlighter(QTextDocument* document)
    : QObject(document), mDocument(document) {
    connect(document, &QTextDocument::contentsChange, this, &StatementHighlighter::recolourEdited);
    for (const BuiltinName& builtin : BuiltinNames())
        mBuiltins.insert(QString::fromStdString(builtin.name));
    updateFormats();
    // Lines already coloured, and those typed from now on, take the new scheme's colours.
    connect(new ColourSchemeWatcher(this), &ColourSchemeWatcher::schemeSwitched, this, [this] {
        updateFormats();
        if (mHighlighted)
            rehighlight();
    });
}

void StatementHighlighter::updateFormats() {
    // The application palette, as the answers are coloured for it.
    const QPalette palette = QGuiApplication::palette();
    mFormats[int(Kind::Number)].setForeground(worksheetColour(WorksheetColour::Number, palette));
    mFormats[int(Kind::Variable)].setForeground(
        worksheetColour(WorksheetColour::Variable, palette));
    mFormats[int(Kind::Function)].setForeground(
        worksheetColour(WorksheetColour::Function, palette));
    mFormats[int(Kind::Builtin)].setForeground(worksheetColour(WorksheetColour::Builtin, palette));
    mFormats[int(Kind::Keyword)] = mFormats[int(Kind::Builtin)];
    mFormats[int(Kind::Keyword)].setFontWeight(QFont::Bold);
    mFormats[int(Kind::Unknown)].setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mFormats[int(Kind::Unknown)].setUnderlineColor(
        worksheetColour(WorksheetColour::UnknownName, palette));
}

void StatementHighlighter::setNames(const QSet<QString>& variables,
                                    const QSet<QString>& functions) {
    if (mHighlighted && variables == mVariables && functions == mFunctions)
        return;
    mVariables = variables;
    mFunctions = functions;
    mHighlighted = true;
    rehighlight();
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
    if (name == QLatin1String("if"))
        return Kind::Keyword;
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
        if (isAsciiDigit(c) || (c == QLatin1Char('.') && i + 1 < statement.size() &&
                                isAsciiDigit(statement.at(i + 1)))) {
            const int end = numberEnd(statement, i);
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

QList<QTextLayout::FormatRange>
StatementHighlighter::formatsOfLine(const QString& text, int previousState, int& state) const {
    const bool calculated = text.endsWith(kCalculatedEnding);
    const bool answer = previousState == kCalculatedLine;
    state = calculated && !answer ? kCalculatedLine : 0;
    QList<QTextLayout::FormatRange> formats;
    if (answer)
        return formats;
    if (isListingHeading(text)) {
        state = kListingLine;
        return formats;
    }
    if (previousState == kListingLine && !calculated && isListingRow(text)) {
        state = kListingLine;
        // A variable's row: its name, then the value as the worksheet shows values.
        const int value = int(text.indexOf(QLatin1String(" = "))) + 3;
        if (text.at(value - 4) != QLatin1Char(')')) {
            formats.append({0, value - 3, mFormats[int(Kind::Variable)]});
            formats.append({value, int(text.size()) - value, mFormats[int(Kind::Number)]});
            return formats;
        }
    }
    const QString statement = calculated ? text.chopped(kCalculatedEnding.size()) : text;
    for (const Token& token : tokens(statement))
        formats.append({token.start, token.length, mFormats[int(token.kind)]});
    return formats;
}

bool StatementHighlighter::recolour(QTextBlock block) {
    QTextLayout* layout = block.layout();
    // Text being composed in an input method carries formats of its own until it is committed.
    if (!layout || !layout->preeditAreaText().isEmpty())
        return false;
    const QTextBlock previous = block.previous();
    int state = 0;
    const QList<QTextLayout::FormatRange> formats =
        formatsOfLine(block.text(), previous.isValid() ? previous.userState() : -1, state);
    block.setUserState(state);
    if (layout->formats() == formats)
        return false;
    layout->setFormats(formats);
    return true;
}

void StatementHighlighter::rehighlight() {
    if (!mDocument)
        return;
    int changedFrom = -1;
    int changedTo = -1;
    for (QTextBlock block = mDocument->begin(); block.isValid(); block = block.next()) {
        if (!recolour(block))
            continue;
        if (changedFrom < 0)
            changedFrom = block.position();
        changedTo = block.position() + block.length();
    }
    if (changedFrom >= 0)
        mDocument->markContentsDirty(changedFrom, changedTo - changedFrom);
}

void StatementHighlighter::recolourEdited(int from, int charsRemoved, int charsAdded) {
    // Before the first setNames() the text is not coloured yet: that pass colours it all.
    if (!mHighlighted || !mDocument)
        return;
    // The edited lines, and the lines after them for as long as a line's state changes: a
    // line that gains or loses its " =" makes the next one an answer or a statement.
    QTextBlock block = mDocument->findBlock(from);
    const QTextBlock last = mDocument->findBlock(from + charsAdded + (charsRemoved > 0 ? 1 : 0));
    const int end = last.isValid() ? last.position() + last.length() : mDocument->characterCount();
    bool stateChanged = false;
    while (block.isValid() && (block.position() < end || stateChanged)) {
        const int stateBefore = block.userState();
        // Marked while the document reports its change: Qt lays it out once, afterwards.
        if (recolour(block))
            mDocument->markContentsDirty(block.position(), block.length());
        stateChanged = block.userState() != stateBefore;
        block = block.next();
    }
}
