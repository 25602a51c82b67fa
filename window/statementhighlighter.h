// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

class QTextDocument;

// Colours the statements of a worksheet as they are typed: numbers, the worksheet's variables,
// its functions, the built-ins, units, the keywords "if" and "in", "to" of a conversion, and
// names nobody defined (underlined), from the same names the engine knows. A word is a unit
// only where no other name reads it, as the engine reads it. Answer lines and the headings of the
// listings keep their own colours; in a listing of variables each value is a number, "inf" and
// "nan" included. An edit recolours the lines it touched; new names recolour the whole text in one
// pass. Either way each line's colours are set only where they changed and the text is laid out
// once, so that highlighting stays cheap however long the worksheet grows. (Qt's QSyntaxHighlighter
// lays the whole document out again after every line of a full pass: ten seconds and more for a
// worksheet of 10,000 lines.) A switch of the desktop between light and dark recolours the whole
// text in the other scheme's colours.
class StatementHighlighter : public QObject {
    Q_OBJECT

public:
    // Attached to the document at once; the text is coloured at the first setNames().
    StatementHighlighter(QTextDocument* document, QObject* parent);

    // The worksheet's own names; the whole text is highlighted the first time and again
    // whenever they differ from the last ones.
    void setNames(const QSet<QString>& variables, const QSet<QString>& functions);
    // Colours the whole text again with the names it has.
    void rehighlight();

    enum class Kind { Number, Variable, Function, Builtin, Unknown, Keyword, Unit };
    // The kind of each token of a statement, as (start, length, kind); for tests.
    struct Token {
        int start;
        int length;
        Kind kind;
    };
    QList<Token> tokens(const QString& statement) const;

protected:
    // A line's colours, given the state of the line before it; `state` is set to its own.
    virtual QList<QTextLayout::FormatRange> formatsOfLine(const QString& text, int previousState,
                                                          int& state) const;

private:
    Kind kindOfName(const QString& name, bool beforeParenthesis) const;
    void updateFormats();
    void recolourEdited(int from, int charsRemoved, int charsAdded);
    // Sets the line's colours and state; true when its colours changed.
    bool recolour(QTextBlock block);

    QPointer<QTextDocument> mDocument;
    QSet<QString> mVariables;
    QSet<QString> mFunctions;
    QTextCharFormat mFormats[7];
    bool mHighlighted = false;
};
