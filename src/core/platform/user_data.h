// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps what belongs to the user rather than to the
// installation: the store of originals and the user's own sounds.
#pragma once

#include <string>

namespace sonatrix {

// The program's folder in the user's data folder, ending in a separator:
// "$XDG_DATA_HOME/sonatrix/" (default "~/.local/share/sonatrix/") on Linux,
// "%LOCALAPPDATA%\Sonatrix\" on Windows. It may not exist yet. Empty when
// the system names no such folder for the user.
std::string UserDataFolder();

}  // namespace sonatrix
