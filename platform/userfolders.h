// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// The application's folders in the user's XDG base directories, each named after the
// application in lower case. A relative or empty setting counts as unset, as the XDG rules say.
// Nothing is created here.
QString userConfigFolder(); // $XDG_CONFIG_HOME, or ~/.config
QString userDataFolder();   // $XDG_DATA_HOME, or ~/.local/share
QString userStateFolder();  // $XDG_STATE_HOME, or ~/.local/state

} // namespace platform
