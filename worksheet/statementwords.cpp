// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/statementwords.h"

namespace {

const char16_t* unitsOf(const QString& text) {
    return reinterpret_cast<const char16_t*>(text.utf16());
}

} // namespace

bool isCalculatedLine(const QString& line) { return line.endsWith(kCalculatedMarker); }

bool isNameStart(QChar c) { return lexicon::IsNameStart(c.unicode()); }

bool isNameContinue(QChar c) { return lexicon::IsNameContinue(c.unicode()); }

qsizetype nameEnd(const QString& text, qsizetype start) {
    const char16_t* units = unitsOf(text);
    return lexicon::NameEnd(units + start, units + text.size()) - units;
}

qsizetype numberEnd(const QString& text, qsizetype start) {
    const char16_t* units = unitsOf(text);
    const char16_t* last = units + text.size();
    if (const char16_t* hex = lexicon::HexLiteralEnd(units + start, last))
        return hex - units;
    const char16_t* exponent = nullptr;
    if (const char16_t* end = lexicon::DecimalLiteralEnd(units + start, last, exponent, U','))
        return end - units;
    if (!exponent)
        return start;
    // "2e" or "2e+": the number is what stands before the "e".
    const char16_t* e = exponent - 1;
    if (*e == u'+' || *e == u'-')
        --e;
    return e - units;
}
