// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/readresult.h"

#include <string_view>

namespace plist {

// Reads either form, telling them apart by the binary form's "bplist" signature.
ReadResult read(std::string_view bytes);

} // namespace plist
