// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <string>

namespace plist {

// Writes the "bplist00" binary form. Strings are stored as ASCII when they are, otherwise as
// UTF-16 (ill-formed UTF-8 becomes U+FFFD, and keys made equal by that are merged, the later one
// winning); every real and date is kept as a full 64-bit double.
std::string writeBinary(const Value& root);

} // namespace plist
