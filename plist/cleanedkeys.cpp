// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/cleanedkeys.h"

#include "plist/utf8.h"

#include <algorithm>

namespace plist::detail {

std::vector<CleanedEntry> cleanedEntries(const Dictionary& dictionary, bool (*allowed)(char32_t)) {
    std::vector<CleanedEntry> entries;
    entries.reserve(dictionary.size());
    bool reordered = false;
    for (const auto& [key, value] : dictionary) {
        entries.push_back({withReplacements(key, allowed), &value});
        reordered = reordered || entries.back().key != key;
    }
    if (!reordered)
        return entries;

    std::stable_sort(entries.begin(), entries.end(),
                     [](const CleanedEntry& a, const CleanedEntry& b) { return a.key < b.key; });
    std::vector<CleanedEntry> unique;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (i + 1 == entries.size() || entries[i + 1].key != entries[i].key)
            unique.push_back(std::move(entries[i]));
    return unique;
}

} // namespace plist::detail
