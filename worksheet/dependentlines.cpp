// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/dependentlines.h"

#include "engine/lexicon.h"
#include "worksheet/statementwords.h"

namespace {

// Every value is also kept here.
const QString kLast =
    QString::fromLatin1(lexicon::kLastName.data(), qsizetype(lexicon::kLastName.size()));

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
        if (const qsizetype end = numberEnd(statement, at); end > at) {
            at = end;
        } else if (const qsizetype end = nameEnd(statement, at); end > at) {
            const qsizetype start = at;
            at = end;
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
        // A name may be read and called in one statement, "f(1) + f": each use counts.
        if (words[i].called)
            names.calls.insert(words[i].name);
        else
            names.words.append(words[i].name);
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
        for (const QString& called : line.calls)
            if (changedFunctions.contains(called))
                return true;
        for (const QString& word : line.words) {
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
