// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/statementhighlighter.h"

#include "engine/plotstatement.h"
#include "platform/keyedtexts.h"
#include "worksheet/builtinnames.h"
#include "worksheet/statementwords.h"
#include "worksheet/worksheetcolours.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const QString kPlotWord = QStringLiteral("plot");

// The block state of a line that ends in " =": the line after it is its answer.
constexpr int kCalculatedLine = 1;
// The block state of a listing's heading and of each of its rows.
constexpr int kListingLine = 2;

// A heading in the language shown now, or in English, as most worksheets were written.
bool isListingHeading(const QString& text) {
    for (const char* key : {"DefVars", "DefFuns"})
        if (text == platform::keyedText(key) || text == platform::sourceKeyedText(key))
            return true;
    return false;
}

// "name = value" or "name(parameters) = body", as a listing writes its rows.
bool isListingRow(const QString& text) {
    static const QRegularExpression row(QStringLiteral("^[A-Za-z]\\w*(?:\\([^)]*\\))? = \\S"));
    return row.match(text).hasMatch();
}

} // namespace

StatementHighlighter::StatementHighlighter(QTextDocument* document, QObject* parent)
    : QObject(parent), mDocument(document) {
    connect(document, &QTextDocument::contentsChange, this, &StatementHighlighter::recolourEdited);
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
    mFormats[int(Kind::Unit)].setForeground(worksheetColour(WorksheetColour::Unit, palette));
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
    // "min(2, 3)" is the function, "20 min" a duration.
    if (!beforeParenthesis && unitNames().contains(name))
        return Kind::Unit;
    if (builtinNames().contains(name))
        return Kind::Builtin;
    if (mFunctions.contains(name))
        return Kind::Function;
    if (name == QLatin1String("if") || name == QLatin1String("in") || name == QLatin1String("to") ||
        (beforeParenthesis && name == kPlotWord))
        return Kind::Keyword;
    return Kind::Unknown;
}

QList<StatementHighlighter::Token> StatementHighlighter::tokens(const QString& statement) const {
    QList<Token> found;
    // A definition's parameters and an assignment's name are defined by the line itself.
    QSet<QString> definedHere;
    static const QRegularExpression definition(
        QStringLiteral("^\\s*([A-Za-z]\\w*)\\s*(?:\\(([^)]*)\\))?\\s*=(?!=)"));
    const QRegularExpressionMatch head = definition.match(statement);
    if (head.hasMatch()) {
        definedHere.insert(head.captured(1));
        static const QRegularExpression separator(QStringLiteral("[,;]"));
        for (const QString& parameter : head.captured(2).split(separator))
            if (!parameter.trimmed().isEmpty())
                definedHere.insert(parameter.trimmed());
    }
    // A plot's curves are expressions of x, unless the worksheet has a "plot" of its own.
    if (!head.hasMatch() && !mFunctions.contains(kPlotWord) && !mVariables.contains(kPlotWord) &&
        BeginsAsPlot(statement.toStdString()))
        definedHere.insert(QStringLiteral("x"));
    for (int i = 0; i < statement.size();) {
        if (const int end = int(numberEnd(statement, i)); end > i) {
            found.append({i, end - i, Kind::Number});
            i = end;
        } else if (const int end = int(unitWordEnd(statement, i));
                   end > nameEnd(statement, i) && unitNames().contains(statement.mid(i, end - i))) {
            // A unit written with a sign: "°C", "µm", "kΩ".
            found.append({i, end - i, Kind::Unit});
            i = end;
        } else if (const int end = int(nameEnd(statement, i)); end > i) {
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
    const bool calculated = text.endsWith(kCalculatedMarker);
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
    const QString statement = calculated ? text.chopped(kCalculatedMarker.size()) : text;
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
