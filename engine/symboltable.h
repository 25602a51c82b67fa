// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/cow.h"

#include <boost/container/small_vector.hpp>
#include <boost/spirit/include/classic_symbols.hpp>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// Exact lookup: a table matches the longest stored prefix of a text, so only a match covering
// the whole name counts. Null when the name is not stored.
template <typename T>
T* ExactLookup(const boost::spirit::classic::symbols<T>& table, std::string_view name) {
    const char* first = name.data();
    boost::spirit::classic::scanner<const char*> scan(first, name.data() + name.size());
    T* hit = table.find(scan);
    return scan.at_end() ? hit : nullptr;
}

// Writes to a shared table or name set are kept beside it up to this many; then the shared
// part is copied once and the changes folded into it.
constexpr std::size_t kMaxSharedChanges = 32;

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        return std::hash<std::string_view>()(name);
    }
};

// The variables or the functions of a state, shared with the state's copies until written. A
// copy writes beside the shared part, so that copying a table costs its few changes, not its
// entries, and a call binding its parameters writes only those. The empty name is never stored.
template <typename T> class SymbolTable {
public:
    // Exact lookup: only a stored name equal to the whole name is a hit.
    const T* find(std::string_view name) const {
        for (const auto& [changed, value] : mChanges)
            if (changed == name)
                return &value;
        return findShared(name);
    }

    // Creates or overwrites the entry; true when the name is new to the table.
    bool store(std::string_view name, T value) {
        if (name.empty())
            return false;
        if (!mShared.shared() || mChanges.size() >= kMaxSharedChanges) {
            Shared& shared = mShared.write();
            for (const auto& [changed, changedValue] : mChanges)
                shared.put(changed, changedValue);
            mChanges.clear();
            return shared.put(name, std::move(value));
        }
        auto& changes = mChanges;
        for (auto& [changed, old] : changes)
            if (changed == name) {
                old = std::move(value);
                return false;
            }
        const bool isNew = !findShared(name);
        changes.emplace_back(std::string(name), std::move(value));
        return isNew;
    }

    // Room for this many names without rehashing, for loading a whole worksheet at once.
    void reserve(std::size_t count) {
        if (!mShared.shared())
            mShared.write().mEntries.reserve(count);
    }

    // The length of the longest stored name that begins the text, 0 when none does; the
    // grammar reads names this way, so with x and xy stored, "xyz" begins with xy.
    std::size_t longestMatch(const char* first, const char* last) const {
        const std::string_view text(first, last - first);
        std::size_t longest = 0;
        for (const auto& change : mChanges)
            if (change.first.size() > longest && text.starts_with(change.first))
                longest = change.first.size();
        for (auto length = mShared->mLengths.rbegin(); length != mShared->mLengths.rend();
             ++length) {
            if (*length <= longest)
                break;
            if (*length <= text.size() && findShared(text.substr(0, *length)))
                return *length;
        }
        return longest;
    }

private:
    struct Shared {
        std::unordered_map<std::string, T, NameHash, std::equal_to<>> mEntries;
        std::vector<std::size_t> mLengths; // of the stored names, ascending, each once

        // True when the name is new.
        bool put(std::string_view name, T value) {
            auto entry = mEntries.find(name);
            if (entry != mEntries.end()) {
                entry->second = std::move(value);
                return false;
            }
            mEntries.emplace(std::string(name), std::move(value));
            auto length = std::lower_bound(mLengths.begin(), mLengths.end(), name.size());
            if (length == mLengths.end() || *length != name.size())
                mLengths.insert(length, name.size());
            return true;
        }
    };

    const T* findShared(std::string_view name) const {
        auto entry = mShared->mEntries.find(name);
        return entry == mShared->mEntries.end() ? nullptr : &entry->second;
    }

    Cow<Shared> mShared;
    // Copied with the table: a call's scope holds its few parameters here, so binding them in a
    // nested call allocates nothing.
    boost::container::small_vector<std::pair<std::string, T>, 2> mChanges;
};

// Every name a table was ever asked to store, the empty one included, listed in ascending byte
// order; shared with copies like the table.
class NameSet {
public:
    bool contains(std::string_view name) const {
        return mNames->contains(name) ||
               std::find(mAdded->begin(), mAdded->end(), name) != mAdded->end();
    }

    void insert(std::string_view name) {
        if (mNames.shared() && mAdded->size() < kMaxSharedChanges) {
            if (!contains(name))
                mAdded.write().emplace_back(name);
            return;
        }
        auto& names = mNames.write();
        names.insert(mAdded->begin(), mAdded->end());
        mAdded.reset();
        names.emplace(name);
    }

    void reserve(std::size_t count) {
        if (!mNames.shared())
            mNames.write().reserve(count);
    }

    std::size_t size() const { return mNames->size() + mAdded->size(); }

    // Sorts on every call: listing is rare, storing is not.
    template <typename Visitor> void forEach(Visitor&& visit) const {
        for (const std::string* name : ordered())
            visit(*name);
    }

    friend bool operator==(const NameSet& a, const NameSet& b) {
        if (a.size() != b.size())
            return false;
        const auto first = a.ordered();
        const auto second = b.ordered();
        return std::equal(first.begin(), first.end(), second.begin(),
                          [](const std::string* x, const std::string* y) { return *x == *y; });
    }

private:
    std::vector<const std::string*> ordered() const {
        std::vector<const std::string*> names;
        names.reserve(size());
        for (const std::string& name : *mNames)
            names.push_back(&name);
        for (const std::string& name : *mAdded)
            names.push_back(&name);
        std::sort(names.begin(), names.end(),
                  [](const std::string* x, const std::string* y) { return *x < *y; });
        return names;
    }

    Cow<std::unordered_set<std::string, NameHash, std::equal_to<>>> mNames;
    Cow<std::vector<std::string>> mAdded; // names not in mNames
};
