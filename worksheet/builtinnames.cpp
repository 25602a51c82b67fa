// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/builtinnames.h"

#include "engine/builtintables.h"
#include "engine/unittable.h"

const QSet<QString>& builtinNames() {
    static const QSet<QString> names = [] {
        QSet<QString> all;
        for (const BuiltinName& builtin : BuiltinNames())
            all.insert(QString::fromStdString(builtin.name));
        return all;
    }();
    return names;
}

const QSet<QString>& unitNames() {
    static const QSet<QString> names = [] {
        QSet<QString> all;
        for (const units::UnitDefinition& unit : units::UnitDefinitions()) {
            all.insert(QString::fromUtf8(unit.name.data(), qsizetype(unit.name.size())));
            const QString others = QString::fromUtf8(unit.otherSpellings.data(),
                                                     qsizetype(unit.otherSpellings.size()));
            for (const QString& spelling : others.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                all.insert(spelling);
        }
        return all;
    }();
    return names;
}

qsizetype unitWordEnd(const QString& text, qsizetype start) {
    qsizetype at = start;
    // As the engine reads a unit's word: ASCII letters and any sign beyond ASCII but the
    // built-ins written as one sign.
    while (at < text.size()) {
        const QChar c = text.at(at);
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool sign = c.unicode() >= 0x80 && c != QChar(0x03C0) && c != QChar(0x221A);
        if (!letter && !sign)
            break;
        ++at;
    }
    return at;
}
