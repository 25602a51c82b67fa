#pragma once

#include "plist/value.h"

#include <string>

namespace plist {

// Writes the XML form exactly as Apple's tools lay it out, so files open on a Mac too. The
// document is always well-formed: text XML cannot carry (control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF, ill-formed UTF-8) is replaced by U+FFFD. Keys made
// equal by that are merged, the later one winning. Any NaN is written as "nan", and dates in whole
// seconds (see isodate.h).
std::string writeXml(const Value& root);

} // namespace plist
