// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace plist {

// Writes the XML form exactly as Apple's tools lay it out, so files open on a Mac too. The
// document is always well-formed: text XML cannot carry (control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF, ill-formed UTF-8) is replaced by U+FFFD. Keys made
// equal by that are merged, the later one winning. Any NaN is written as "nan", and dates in whole
// seconds (see isodate.h).
std::string writeXml(const Value& root);

// One flat dictionary written straight out, without building a Value first: for a writer that
// sends a great many small property lists of one shape. Given its entries in writeXml's order
// (keys sorted bytewise) and keys that need no replacing, it writes exactly writeXml's bytes.
class XmlDictionaryWriter {
public:
    XmlDictionaryWriter();
    void addInteger(std::string_view key, std::int64_t value);
    void addReal(std::string_view key, double value);
    void addString(std::string_view key, std::string_view value);
    // The whole property list; the writer is spent.
    std::string finish();

private:
    void addKey(std::string_view key);

    std::string mOut;
    int mEntries = 0;
};

} // namespace plist
