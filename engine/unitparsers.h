// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The parsers that read units: a unit's name as a whole word, a number with the unit it
// carries, and the words that ask for a conversion. They match only while the recording reads
// units, which it does for a text that does not read without them: a line that calculates
// without units is read exactly as it always was.

#include "engine/primitives.h"

#include <cmath>

namespace calcparse {

// The end of the word a unit's name could be: ASCII letters and signs outside ASCII ("°C",
// "µm", "Ω"); `first` when none begins there.
inline const char* UnitWordEnd(const char* first, const char* last) {
    const char* at = first;
    while (at != last && (lexicon::IsLetter(static_cast<unsigned char>(*at)) ||
                          static_cast<unsigned char>(*at) >= 0x80))
        ++at;
    return at;
}

inline const char* SkipBlanks(const char* at, const char* last) {
    while (at != last && blank_p.test(*at))
        ++at;
    return at;
}

// How a word is read as a unit: after a number or alone, a word the worksheet's names or a
// call already read is none; the unit a conversion asks for reads every word as a unit.
enum class UnitReading { kInExpression, kAsked };

// The unit whose name is the whole word at `first`, or null; `end` is where the word ends.
inline const units::UnitDefinition* UnitWordAt(const char* first, const char* last,
                                               const Recording& r, UnitReading reading,
                                               const char*& end) {
    end = UnitWordEnd(first, last);
    if (end == first || (end != last && lexicon::IsNameContinue(static_cast<unsigned char>(*end))))
        return nullptr;
    const std::string_view word(first, end - first);
    const units::UnitDefinition* unit = units::FindUnit(word);
    if (!unit || reading == UnitReading::kAsked)
        return unit;
    const char* next = SkipBlanks(end, last);
    if (next != last && *next == '(')
        return nullptr; // min(2, 3) is a call
    if (FindVisibleVariable(r.mState, word) || ExactLookup(r.mState.mBuiltins->mConstants, word))
        return nullptr;
    return unit;
}

// Matches nothing, and only while the recording reads units.
struct units_on_parser : public bsc::parser<units_on_parser> {
    typedef units_on_parser self_t;
    explicit units_on_parser(const Recording& recording) : mRecording(recording) {}
    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        if (!mRecording.mReadsUnits)
            return scan.no_match();
        return scan.empty_match();
    }
    const Recording& mRecording;
};
inline units_on_parser units_on(const Recording& recording) { return units_on_parser(recording); }

// A unit's name alone, as one of that unit.
struct unit_word_parser : public bsc::parser<unit_word_parser> {
    typedef unit_word_parser self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::match_result<ScannerT, const CompoundUnit*>::type type;
    };
    unit_word_parser(const Recording& recording, UnitReading reading)
        : mRecording(recording), mReading(reading) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        if (!mRecording.mReadsUnits || scan.at_end())
            return scan.no_match();
        const char* const save = scan.first;
        const char* end = nullptr;
        const units::UnitDefinition* unit = UnitWordAt(save, scan.last, mRecording, mReading, end);
        if (!unit)
            return scan.no_match();
        scan.first = end;
        return scan.create_match(end - save, UnitOf(*unit), save, end);
    }
    const Recording& mRecording;
    UnitReading mReading;
};
inline unit_word_parser unit_word(const Recording& recording, UnitReading reading) {
    return unit_word_parser(recording, reading);
}

// amount = number [ "/" number ] unit [ "^" [ "-" ] digits ]: the unit binds to its number
// before any operator, so "100 km / 2 h" divides two quantities, "9 m^2" is nine square
// metres, and a fraction of two numbers takes the unit whole, as cooks write "1/2 cup".
struct amount_parser : public bsc::parser<amount_parser> {
    typedef amount_parser self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::match_result<ScannerT, Quantity>::type type;
    };
    explicit amount_parser(Recording& recording) : mRecording(recording) {}

    // The number that begins at `at`, hexadecimal or decimal; null when none does.
    const char* numberAt(const char* at, const char* last, double& value) const {
        if (const char* end = lexicon::HexLiteralEnd(at, last)) {
            value = 0;
            for (const char* digit = at + 2; digit != end; ++digit)
                value = value * 16 + hex_literal_parser::DigitValue(*digit);
            return value < 18446744073709551616.0 ? end : nullptr;
        }
        const char* exponent = nullptr;
        const char* end = lexicon::DecimalLiteralEnd(at, last, exponent);
        if (end)
            value = DecimalValue(at, end);
        return end;
    }

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        if (!mRecording.mReadsUnits || scan.at_end())
            return scan.no_match();
        const char* const save = scan.first;
        const char* const last = scan.last;
        double number = 0;
        const char* at = numberAt(save, last, number);
        if (!at)
            return scan.no_match();
        at = SkipBlanks(at, last);
        if (at != last && *at == '/') {
            double denominator = 0;
            const char* after = numberAt(SkipBlanks(at + 1, last), last, denominator);
            if (!after)
                return scan.no_match();
            number /= denominator;
            at = SkipBlanks(after, last);
        }
        const char* end = nullptr;
        const units::UnitDefinition* unit =
            UnitWordAt(at, last, mRecording, UnitReading::kInExpression, end);
        if (!unit)
            return scan.no_match();
        int exponent = 1;
        end = unitExponent(end, last, exponent);
        scan.first = end;
        const Quantity amount(number, UnitToPower(UnitOf(*unit), exponent));
        return scan.create_match(end - save, amount, save, end);
    }

    // "^2", "^-3": a whole power of the unit, read with it; anything else is left for the
    // power rule.
    static const char* unitExponent(const char* end, const char* last, int& exponent) {
        const char* at = SkipBlanks(end, last);
        if (at == last || *at != '^')
            return end;
        at = SkipBlanks(at + 1, last);
        const bool negative = at != last && *at == '-';
        const char* digits = negative ? at + 1 : at;
        const char* after = lexicon::SkipDigits(digits, last);
        if (after == digits || after - digits > 3 ||
            (after != last && (*after == '.' || *after == 'e' || *after == 'E')))
            return end;
        int power = 0;
        for (const char* digit = digits; digit != after; ++digit)
            power = power * 10 + (*digit - '0');
        if (power == 0 || power > 127)
            return end;
        exponent = negative ? -power : power;
        return after;
    }

    Recording& mRecording;
};
inline amount_parser amount(Recording& recording) { return amount_parser(recording); }

// conversionWord = "in" | "to" | "->", the first two as whole words.
struct conversion_word_parser : public bsc::parser<conversion_word_parser> {
    typedef conversion_word_parser self_t;
    explicit conversion_word_parser(const Recording& recording) : mRecording(recording) {}

    static const char* wordEnd(const char* at, const char* last) {
        if (last - at >= 2 && at[0] == '-' && at[1] == '>')
            return at + 2;
        if (last - at < 2 || !((at[0] == 'i' && at[1] == 'n') || (at[0] == 't' && at[1] == 'o')))
            return nullptr;
        if (last - at > 2 && lexicon::IsNameContinue(static_cast<unsigned char>(at[2])))
            return nullptr;
        return at + 2;
    }

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        if (!mRecording.mReadsUnits || scan.at_end())
            return scan.no_match();
        const char* const save = scan.first;
        const char* end = wordEnd(save, scan.last);
        if (!end)
            return scan.no_match();
        scan.first = end;
        return scan.create_match(end - save, bsc::nil_t(), save, end);
    }
    const Recording& mRecording;
};
inline conversion_word_parser conversion_word(const Recording& recording) {
    return conversion_word_parser(recording);
}

// Matches nothing where a conversion does not begin: a juxtaposed factor stops before "in".
struct no_conversion_parser : public bsc::parser<no_conversion_parser> {
    typedef no_conversion_parser self_t;
    explicit no_conversion_parser(const Recording& recording) : mRecording(recording) {}
    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        if (mRecording.mReadsUnits && !scan.at_end() &&
            conversion_word_parser::wordEnd(scan.first, scan.last))
            return scan.no_match();
        return scan.empty_match();
    }
    const Recording& mRecording;
};
inline no_conversion_parser no_conversion(const Recording& recording) {
    return no_conversion_parser(recording);
}

} // namespace calcparse
