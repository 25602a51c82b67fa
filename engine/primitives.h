#pragma once

// The parsers the grammar is built from beyond those of the rule library: the blanks between
// tokens, number literals with correctly rounded values, the names of a state's tables, and
// two wrappers that keep the value stack and the native stack in order.

#include "engine/calcexception.h"
#include "engine/calcstate.h"
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

// ASCII only: bytes of multi-byte UTF-8 characters are neither letters nor digits.
inline bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
struct letter_parser : public bsc::char_parser<letter_parser> {
    template <typename CharT> bool test(CharT ch) const { return IsAsciiLetter(ch); }
};
struct name_char_parser : public bsc::char_parser<name_char_parser> {
    template <typename CharT> bool test(CharT ch) const {
        return IsAsciiLetter(ch) || (ch >= '0' && ch <= '9') || ch == '_';
    }
};
inline constexpr letter_parser letter_p{};
inline constexpr name_char_parser name_char_p{};

// A hexadecimal literal's digits: up to 2^64 - 1, more fails to match.
inline const bsc::uint_parser<std::uint64_t, 16, 1, -1> hex64_p{};

// The decimal value of the characters [first, last), correctly rounded.
double DecimalValue(const char* first, const char* last);

// An unsigned real literal. It matches exactly what the rule library's unsigned real parser
// matches, but that parser builds its value by multiplying with powers of ten and is often one
// unit in the last place off (0.3, 1e23), so the matched text is converted afresh.
struct decimal_literal_parser : public bsc::parser<decimal_literal_parser> {
    typedef decimal_literal_parser self_t;
    template <typename ScannerT> struct result {
        typedef typename bsc::match_result<ScannerT, double>::type type;
    };

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end(); // let the skipper take the blanks first
        typename ScannerT::iterator_t save = scan.first;
        if (auto hit = bsc::ureal_p.parse(scan))
            return scan.create_match(hit.length(), DecimalValue(save, scan.first), save,
                                     scan.first);
        return scan.no_match();
    }
};
inline constexpr decimal_literal_parser decimal_literal_p{};

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
// alternative tried after it cannot take a stray value for an operand.
template <typename SubjectT, typename ActionT>
struct call_parser : public bsc::parser<call_parser<SubjectT, ActionT>> {
    typedef call_parser<SubjectT, ActionT> self_t;

    call_parser(Recording& recording, SubjectT const& subject, ActionT const& action)
        : mRecording(recording), mSubject(subject), mAction(action) {}

    template <typename ScannerT>
    typename bsc::parser_result<self_t, ScannerT>::type parse(ScannerT const& scan) const {
        scan.at_end();
        typename ScannerT::iterator_t save = scan.first;
        const std::size_t stackBefore = mRecording.mStackSize;
        auto hit = mSubject.parse(scan);
        if (!hit) {
            if (mRecording.mStackSize != stackBefore)
                mRecording.append(DropArguments{stackBefore}, mRecording.mStackSize, stackBefore);
            return scan.no_match();
        }
        mAction(save, scan.first, mRecording.mStackSize - stackBefore);
        return scan.create_match(hit.length(), bsc::nil_t(), save, scan.first);
    }

    Recording& mRecording;
    typename SubjectT::embed_t mSubject;
    ActionT mAction;
};

template <typename ActionT> struct call_gen {
    Recording& mRecording;
    ActionT mAction;
    template <typename SubjectT>
    call_parser<SubjectT, ActionT> operator[](bsc::parser<SubjectT> const& subject) const {
        return call_parser<SubjectT, ActionT>(mRecording, subject.derived(), mAction);
    }
};

// call(recording, action)[ name "(" arguments ")" ]
template <typename ActionT> call_gen<ActionT> call(Recording& recording, ActionT const& action) {
    return call_gen<ActionT>{recording, action};
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
                    throw CalcException();
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
