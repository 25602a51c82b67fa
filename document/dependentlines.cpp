#include "document/dependentlines.h"

namespace {

// The engine's words: a letter, then letters, digits and "_".
bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Every value is also kept in "last".
const QString kLast = QStringLiteral("last");

void skipNumber(const QString& text, qsizetype& at) {
    if (text.mid(at, 2) == QLatin1String("0x")) {
        at += 2;
        while (at < text.size() && isxdigit(text[at].toLatin1()))
            ++at;
        return;
    }
    while (at < text.size() && (text[at].isDigit() || text[at] == QLatin1Char('.')))
        ++at;
    // An exponent belongs to the number only with digits after it.
    if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
        qsizetype digits = at + 1;
        if (digits < text.size() &&
            (text[digits] == QLatin1Char('+') || text[digits] == QLatin1Char('-')))
            ++digits;
        if (digits < text.size() && text[digits].isDigit()) {
            at = digits;
            while (at < text.size() && text[at].isDigit())
                ++at;
        }
    }
}

} // namespace

StatementNames statementNames(const QString& statement) {
    StatementNames names;
    struct Word {
        QString name;
        bool called;
    };
    QList<Word> words;
    qsizetype equals = -1;
    for (qsizetype at = 0; at < statement.size();) {
        const QChar c = statement[at];
        if (c.isDigit() ||
            (c == QLatin1Char('.') && at + 1 < statement.size() && statement[at + 1].isDigit())) {
            skipNumber(statement, at);
        } else if (isNameStart(c)) {
            const qsizetype start = at;
            while (at < statement.size() && isNameCharacter(statement[at]))
                ++at;
            qsizetype next = at;
            while (next < statement.size() && statement[next].isSpace())
                ++next;
            words.append({statement.mid(start, at - start),
                          next < statement.size() && statement[next] == QLatin1Char('(')});
        } else {
            if (c == QLatin1Char('=') && equals < 0)
                equals = words.size();
            ++at;
        }
    }
    // "x = …" assigns; "f(a, b) = …" defines, with its parameters as its own names.
    qsizetype body = 0;
    if (equals == 1 && !words[0].called) {
        names.assigned = words[0].name;
        body = 1;
    } else if (equals >= 1 && words[0].called) {
        names.defined = words[0].name;
        for (qsizetype i = 1; i < equals; ++i)
            names.parameters.append(words[i].name);
        body = equals;
    }
    for (qsizetype i = body; i < words.size(); ++i) {
        if (names.parameters.contains(words[i].name))
            continue;
        names.words.append(words[i].name);
        if (words[i].called)
            names.calls.insert(words[i].name);
    }
    return names;
}

QList<int> dependentLines(const QList<StatementNames>& lines, int edited,
                          const std::function<bool(const QString&)>& isKnown) {
    QSet<QString> changedVariables;
    QSet<QString> changedFunctions;
    const auto gives = [&](const StatementNames& line, bool changed) {
        QSet<QString>& variables = changedVariables;
        if (!line.defined.isEmpty()) {
            if (changed)
                changedFunctions.insert(line.defined);
            else
                changedFunctions.remove(line.defined);
            return;
        }
        for (const QString& name : {line.assigned, kLast}) {
            if (name.isEmpty())
                continue;
            if (changed)
                variables.insert(name);
            else
                variables.remove(name);
        }
    };
    const auto reads = [&](const StatementNames& line) {
        for (const QString& word : line.words) {
            if (line.calls.contains(word)) {
                if (changedFunctions.contains(word))
                    return true;
                continue;
            }
            if (changedVariables.contains(word))
                return true;
            if (isKnown(word))
                continue;
            for (const QString& changed : changedVariables)
                if (word.contains(changed))
                    return true;
        }
        return false;
    };

    QList<int> update = {edited};
    gives(lines[edited], true);
    for (int i = edited + 1; i < lines.size(); ++i) {
        const StatementNames& line = lines[i];
        if (changedVariables.isEmpty() && changedFunctions.isEmpty())
            break;
        if (reads(line)) {
            update.append(i);
            gives(line, true);
            continue;
        }
        // Giving a changed name again sets it as the whole worksheet would; "last" is given by
        // every line and needs nothing sent.
        const bool givesChangedName =
            changedVariables.contains(line.assigned) || changedFunctions.contains(line.defined);
        if (givesChangedName)
            update.append(i);
        gives(line, false);
    }
    return update;
}
