// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/readresult.h"

#include <string_view>

namespace plist {

// Reads the "bplist00" binary form. Built for untrusted input: every offset, count and reference
// is checked before use, reference cycles are refused, and objects shared many times over may
// not inflate the result far beyond the size of the file.
ReadResult readBinary(std::string_view bytes);

} // namespace plist
