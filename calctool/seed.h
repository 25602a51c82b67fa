// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <optional>
#include <string>
#include <string_view>

// A launch argument: the text of a property list whose root is a dictionary, or "@PATH" for a
// file holding it (one argument may not exceed 128 KiB on Linux; a large worksheet needs more).
struct SeedResult {
    std::optional<plist::Dictionary> dictionary;
    std::string error;
};

SeedResult ReadSeedArgument(std::string_view argument);
