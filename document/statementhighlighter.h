#pragma once

#include <QSet>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextLayout>

// Colours the statements of a worksheet as they are typed: numbers, the worksheet's variables,
// its functions, the built-ins, and names nobody defined (underlined), from the same names the
// engine knows. Answer lines keep their own colours. Qt highlights only the lines an edit
// touches; the whole text is gone over again only when the set of names changes.
class StatementHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit StatementHighlighter(QTextDocument* document);

    // Longer worksheets are left plain.
    static constexpr int kMaxHighlightedLines = 1000;

    // The worksheet's own names; the whole text is highlighted the first time and again
    // whenever they differ from the last ones.
    void setNames(const QSet<QString>& variables, const QSet<QString>& functions);

    enum class Kind { Number, Variable, Function, Builtin, Unknown };
    // The kind of each token of a statement, as (start, length, kind); for tests.
    struct Token {
        int start;
        int length;
        Kind kind;
    };
    QList<Token> tokens(const QString& statement) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    Kind kindOfName(const QString& name, bool beforeParenthesis) const;
    void updateFormats();
    // A line's colours, given the state of the line before it; `state` is set to its own.
    QList<QTextLayout::FormatRange> formatsOfLine(const QString& text, int previousState,
                                                 int& state) const;
    void highlightWholeText();

    QSet<QString> mVariables;
    QSet<QString> mFunctions;
    QSet<QString> mBuiltins;
    QTextCharFormat mFormats[5];
    bool mHighlighted = false;
};
