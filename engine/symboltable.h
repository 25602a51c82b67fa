#pragma once

#include "engine/cow.h"

#include <boost/spirit/include/classic_symbols.hpp>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
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

// The variables or the functions of a state: a ternary search tree over the names, as the
// grammar needs it, shared with the state's copies until written. A copy writes beside the
// shared tree, so that a call binding its parameters copies only those, whatever the table
// holds. The empty name is never stored.
template <typename T> class SymbolTable {
public:
    const T* find(std::string_view name) const {
        for (const auto& [changed, value] : *mChanges)
            if (changed == name)
                return &value;
        return ExactLookup(*mTree, name);
    }

    // Creates or overwrites the entry; true when the name is new to the table.
    bool store(std::string_view name, T value) {
        if (name.empty())
            return false;
        const bool isNew = !find(name);
        if (mTree.shared() && mChanges->size() < kMaxSharedChanges) {
            auto& changes = mChanges.write();
            for (auto& [changed, old] : changes)
                if (changed == name) {
                    old = std::move(value);
                    return isNew;
                }
            changes.emplace_back(std::string(name), std::move(value));
            return isNew;
        }
        auto& tree = mTree.write();
        for (const auto& [changed, changedValue] : *mChanges)
            Put(tree, changed, changedValue);
        mChanges.reset();
        Put(tree, name, std::move(value));
        return isNew;
    }

    // The length of the longest stored name that begins the text, 0 when none does.
    std::size_t longestMatch(const char* first, const char* last) const {
        const char* end = first;
        boost::spirit::classic::scanner<const char*> scan(end, last);
        std::size_t longest = mTree->find(scan) ? static_cast<std::size_t>(end - first) : 0;
        const std::string_view text(first, last - first);
        for (const auto& change : *mChanges)
            if (change.first.size() > longest && text.starts_with(change.first))
                longest = change.first.size();
        return longest;
    }

private:
    static void Put(boost::spirit::classic::symbols<T>& tree, std::string_view name, T value) {
        if (T* existing = ExactLookup(tree, name))
            *existing = std::move(value);
        else
            tree.add(name.data(), name.data() + name.size(), std::move(value));
    }

    Cow<boost::spirit::classic::symbols<T>> mTree;
    Cow<std::vector<std::pair<std::string, T>>> mChanges;
};

// Every name a table was ever asked to store, the empty one included, in ascending byte order
// for listing; shared with copies like the table.
class NameSet {
public:
    bool contains(std::string_view name) const {
        return mNames->contains(name) || std::binary_search(mAdded->begin(), mAdded->end(), name);
    }

    void insert(std::string_view name) {
        if (contains(name))
            return;
        if (mNames.shared() && mAdded->size() < kMaxSharedChanges) {
            auto& added = mAdded.write();
            added.emplace(std::lower_bound(added.begin(), added.end(), name), name);
            return;
        }
        auto& names = mNames.write();
        names.insert(mAdded->begin(), mAdded->end());
        mAdded.reset();
        names.emplace(name);
    }

    std::size_t size() const { return mNames->size() + mAdded->size(); }

    template <typename Visitor> void forEach(Visitor&& visit) const {
        auto added = mAdded->begin();
        for (const std::string& name : *mNames) {
            for (; added != mAdded->end() && *added < name; ++added)
                visit(*added);
            visit(name);
        }
        for (; added != mAdded->end(); ++added)
            visit(*added);
    }

    friend bool operator==(const NameSet& a, const NameSet& b) {
        return a.size() == b.size() && a.ordered() == b.ordered();
    }

private:
    std::vector<std::string_view> ordered() const {
        std::vector<std::string_view> names;
        forEach([&](const std::string& name) { names.push_back(name); });
        return names;
    }

    Cow<std::set<std::string, std::less<>>> mNames;
    Cow<std::vector<std::string>> mAdded; // sorted; names not in mNames
};
