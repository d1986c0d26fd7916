// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_data.h"

#include <cstdlib>

namespace sonatrix {

std::string UserDataFolder() {
    // XDG base directories ignore a relative XDG_DATA_HOME.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return std::string(dataHome) + "/sonatrix/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share/sonatrix/";
    return {};
}

}  // namespace sonatrix
