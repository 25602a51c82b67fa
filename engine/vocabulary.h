// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/cow.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

struct Program;

// How a text is read: as a statement, or as a bare expression whose syntax alone is checked.
enum class ParseMode { kStatement, kExpression };

// The variable and function names a text is read against. Names are recognised only through
// the state's tables, so a parse depends on nothing else of the state: reading the same text
// against the same names always gives the same parse. A vocabulary therefore keeps the parses
// made against it, and every state holding the same names, copies and scopes included, shares
// one. A state that adds a name moves on to another vocabulary; none is ever changed.
class Vocabulary : public RefCounted<Vocabulary> {
public:
    enum NameKind { kVariable, kFunction };

    Vocabulary();
    ~Vocabulary();

    // Unique for the life of the process: two vocabularies never share one, even at one address.
    std::uint64_t serial() const { return mSerial; }

    // The vocabulary with one more name; every state that adds this name to this vocabulary
    // gets the same one, so that calls binding the same parameters share their parses.
    Ref<Vocabulary> extended(NameKind kind, std::string_view name);

    // Changes whenever kept parses are dropped, so that a pointer to one can be checked.
    std::uint64_t generation() const { return mGeneration; }

    Ref<const Program> find(std::string_view text, ParseMode mode) const;
    void keep(std::string_view text, ParseMode mode, Ref<const Program> program);

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    using Parses = std::unordered_map<std::string, Ref<const Program>, TextHash, std::equal_to<>>;

    Parses& parses(ParseMode mode) {
        return mode == ParseMode::kStatement ? mStatements : mExpressions;
    }
    const Parses& parses(ParseMode mode) const {
        return mode == ParseMode::kStatement ? mStatements : mExpressions;
    }

    std::uint64_t mSerial;
    std::uint64_t mGeneration = 0;
    Parses mStatements;
    Parses mExpressions;
    std::map<std::pair<NameKind, std::string>, Ref<Vocabulary>> mExtensions;
};
