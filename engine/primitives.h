// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The parsers the grammar is built from beyond those of the rule library: the blanks between
// tokens, number literals with correctly rounded values, the names of a state's tables, and
// two wrappers that keep the value stack and the native stack in order.

#include "engine/calcexception.h"
#include "engine/calcstate.h"
#include "engine/lexicon.h"
#include "engine/recording.h"
#include "engine/stackguard.h"

#include <boost/spirit/include/classic_core.hpp>

#include <cstddef>
#include <cstdint>

namespace calcparse {

namespace bsc = boost::spirit::classic;

// Blanks are the white space of the "C" locale, whatever locale the process runs in.
struct blank_parser : public bsc::char_parser<blank_parser> {
    template <typename CharT> bool test(CharT ch) const {
        return ch == ' ' || (ch >= '\t' && ch <= '\r');
    }
};
inline constexpr blank_parser blank_p{};

// The first and the following characters of a name, as the lexicon has them.
struct letter_parser : public bsc::char_parser<letter_parser> {
    template <typename CharT> bool test(CharT ch) const {
        return lexicon::IsNameStart(static_cast<unsigned char>(ch));
    }
};
struct name_char_parser : public bsc::char_parser<name_char_parser> {
    template <typename CharT> bool test(CharT ch) const {
        return lexicon::IsNameContinue(static_cast<unsigned char>(ch));
    }
};
inline constexpr letter_parser letter_p{};
inline constexpr name_char_parser name_char_p{};

// The decimal value of the characters [first, last), correctly rounded however many digits
// they hold; too large for a double is an infinity.
double DecimalValue(const char* first, const char* last);

// A decimal literal of any length, with its correctly rounded value.
struct decimal_literal_parser : public bsc::parser<decimal_literal_parser> {
    typedef decimal_literal_parser self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::match_result<ScannerT, double>::type type;
    };

    explicit decimal_literal_parser(Recording& recording) : mRecording(recording) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end(); // let the skipper take the blanks first
        typename ScannerT::iterator_t save = scan.first;
        const char* exponent = nullptr;
        const char* end = lexicon::DecimalLiteralEnd(save, scan.last, exponent);
        if (!end) {
            if (exponent)
                mRecording.noteMissing(exponent, Expected::kExponentDigit);
            return scan.no_match();
        }
        scan.first = end;
        return scan.create_match(end - save, DecimalValue(save, end), save, end);
    }

    Recording& mRecording;
};

inline decimal_literal_parser decimal_literal(Recording& recording) {
    return decimal_literal_parser(recording);
}

// "0x" and hexadecimal digits, up to 2^64 - 1; more fails to match.
struct hex_literal_parser : public bsc::parser<hex_literal_parser> {
    typedef hex_literal_parser self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::match_result<ScannerT, std::uint64_t>::type type;
    };

    explicit hex_literal_parser(Recording& recording) : mRecording(recording) {}

    static int DigitValue(char ch) {
        if (ch >= '0' && ch <= '9')
            return ch - '0';
        if (ch >= 'a' && ch <= 'f')
            return ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F')
            return ch - 'A' + 10;
        return -1;
    }

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end(); // let the skipper take the blanks first
        const char* const save = scan.first;
        const char* const end = lexicon::HexLiteralEnd(save, scan.last);
        if (!end)
            return scan.no_match();
        std::uint64_t value = 0;
        bool fits = true;
        const char* at = save + 2;
        for (; at != end; ++at) {
            const int digit = DigitValue(*at);
            fits = fits && value >> 60 == 0;
            value = value << 4 | static_cast<std::uint64_t>(digit);
        }
        if (!fits) {
            mRecording.noteMissing(at, Expected::kHexFits, save);
            return scan.no_match();
        }
        scan.first = at;
        return scan.create_match(at - save, value, save, at);
    }

    Recording& mRecording;
};

inline hex_literal_parser hex_literal(Recording& recording) {
    return hex_literal_parser(recording);
}

// Notes what its subject looked for when the subject fails, where the subject began; the
// furthest such note explains a failed parse. Changes nothing about the match.
template <typename SubjectT>
struct expected_parser : public bsc::parser<expected_parser<SubjectT>> {
    typedef expected_parser<SubjectT> self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::parser_result<SubjectT, ScannerT>::type type;
    };

    expected_parser(Recording& recording, Expected what, SubjectT const& subject)
        : mRecording(recording), mWhat(what), mSubject(subject) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end(); // let the skipper take the blanks first
        typename ScannerT::iterator_t save = scan.first;
        auto hit = mSubject.parse(scan);
        if (!hit)
            mRecording.noteMissing(save, mWhat);
        return hit;
    }

    Recording& mRecording;
    Expected mWhat;
    typename SubjectT::embed_t mSubject;
};

struct expected_gen {
    Recording& mRecording;
    Expected mWhat;
    template <typename SubjectT>
    expected_parser<SubjectT> operator[](bsc::parser<SubjectT> const& subject) const {
        return expected_parser<SubjectT>(mRecording, mWhat, subject.derived());
    }
};

// expected(recording, what)[ item ]
inline expected_gen expected(Recording& recording, Expected what) {
    return expected_gen{recording, what};
}

// The longest name of a state's table that begins the text, as the rule library's symbol
// tables match: blanks are skipped before the name, never inside it. Matches the text only;
// what the name stands for is looked up when the recorded actions run.
template <typename T> struct table_name_parser : public bsc::parser<table_name_parser<T>> {
    typedef table_name_parser<T> self_t;

    explicit table_name_parser(const SymbolTable<T>& table) : mTable(table) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end(); // let the skipper take the blanks first
        typename ScannerT::iterator_t save = scan.first;
        const std::size_t length = mTable.longestMatch(scan.first, scan.last);
        if (length == 0)
            return scan.no_match();
        scan.first += length;
        return scan.create_match(length, bsc::nil_t(), save, scan.first);
    }

    const SymbolTable<T>& mTable;
};

template <typename T> table_name_parser<T> name_of(const SymbolTable<T>& table) {
    return table_name_parser<T>(table);
}

// Parses a call and hands its action the call's text and how many values its arguments pushed.
// A call that fails part way records dropping the values its arguments pushed, so that an
// alternative tried after it cannot take a stray value for an operand. A call of a fixed number
// of arguments that found a ")" where it wanted a "," or the other way round says so.
template <typename SubjectT, typename ActionT>
struct call_parser : public bsc::parser<call_parser<SubjectT, ActionT>> {
    typedef call_parser<SubjectT, ActionT> self_t;

    call_parser(Recording& recording, SubjectT const& subject, ActionT const& action, int arguments)
        : mRecording(recording), mSubject(subject), mAction(action), mArguments(arguments) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end();
        typename ScannerT::iterator_t save = scan.first;
        const std::size_t stackBefore = mRecording.mStackSize;
        const std::size_t enclosingCall = mRecording.mCall;
        const std::size_t thisCall = ++mRecording.mCallsTried;
        mRecording.mCall = thisCall;
        auto hit = mSubject.parse(scan);
        mRecording.mCall = enclosingCall;
        if (!hit) {
            if (mRecording.mStackSize != stackBefore)
                mRecording.append(DropArguments{stackBefore}, mRecording.mStackSize, stackBefore);
            noteArgumentCount(thisCall, save, scan.last);
            return scan.no_match();
        }
        mAction(save, scan.first, mRecording.mStackSize - stackBefore);
        return scan.create_match(hit.length(), bsc::nil_t(), save, scan.first);
    }

    void noteArgumentCount(std::size_t thisCall, const char* save, const char* last) const {
        const FailureNote& furthest = mRecording.mFurthest;
        if (mArguments == 0 || !mRecording.mFailed || furthest.mCall != thisCall)
            return;
        const char* at = mRecording.mText + furthest.mPosition;
        const char found = at == last ? '\0' : *at;
        if ((furthest.mExpected == Expected::kCallComma && found == ')') ||
            (furthest.mExpected == Expected::kCallClose && found == ','))
            mRecording.mCallFailure =
                Failure{Reason::kArgumentCount, std::string(CalledName(save, at)), mArguments};
    }

    Recording& mRecording;
    typename SubjectT::embed_t mSubject;
    ActionT mAction;
    int mArguments;
};

template <typename ActionT> struct call_gen {
    Recording& mRecording;
    ActionT mAction;
    int mArguments;
    template <typename SubjectT>
    call_parser<SubjectT, ActionT> operator[](bsc::parser<SubjectT> const& subject) const {
        return call_parser<SubjectT, ActionT>(mRecording, subject.derived(), mAction, mArguments);
    }
};

// The action of a call in the rules that only check syntax.
struct no_action_t {
    void operator()(const char*, const char*, std::size_t) const {}
};
inline constexpr no_action_t no_action{};

// call(recording, action, arguments)[ name "(" arguments ")" ], where `arguments` is how many
// the called function takes, or 0 when the parse accepts any number.
template <typename ActionT>
call_gen<ActionT> call(Recording& recording, ActionT const& action, int arguments) {
    return call_gen<ActionT>{recording, action, arguments};
}

// Counts one level of nesting around its subject and checks the stack before descending, so
// that a line nested too deeply is refused instead of overflowing the stack.
template <typename SubjectT> struct nesting_parser : public bsc::parser<nesting_parser<SubjectT>> {
    typedef nesting_parser<SubjectT> self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::parser_result<SubjectT, ScannerT>::type type;
    };

    nesting_parser(Recording& recording, SubjectT const& subject)
        : mRecording(recording), mSubject(subject) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        struct Level {
            int& depth;
            explicit Level(int& d) : depth(d) {
                if (++depth > kMaxNestingDepth) {
                    --depth;
                    throw CalcException(Reason::kNestingTooDeep);
                }
            }
            ~Level() { --depth; }
        } level(mRecording.mNestingDepth);
        CheckStackDepth(mRecording.mState);
        return mSubject.parse(scan);
    }

    Recording& mRecording;
    typename SubjectT::embed_t mSubject;
};

struct nesting_gen {
    Recording& mRecording;
    template <typename SubjectT>
    nesting_parser<SubjectT> operator[](bsc::parser<SubjectT> const& subject) const {
        return nesting_parser<SubjectT>(mRecording, subject.derived());
    }
};

// nested(recording)[ rule body ]
inline nesting_gen nested(Recording& recording) { return nesting_gen{recording}; }

} // namespace calcparse
