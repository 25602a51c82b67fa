// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <string>
#include <vector>

namespace plist::detail {

struct CleanedEntry {
    std::string key;
    const Value* value;
};

// A dictionary's entries under the keys a writer can store (see withReplacements), in the order
// a reader will sort them. Replacing characters can reorder keys and make some equal; the entry
// later in the dictionary then wins, as it would when the file is read, so that writing what was
// read back always gives the same bytes again.
std::vector<CleanedEntry> cleanedEntries(const Dictionary& dictionary, bool (*allowed)(char32_t));

} // namespace plist::detail
