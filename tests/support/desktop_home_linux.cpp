// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <utility>

#include "desktop_home.h"

namespace sonatrix::testing {

void UseOwnDesktopHome(const std::filesystem::path& home) {
    const std::string folder = home.string();
    ::setenv("HOME", folder.c_str(), 1);
    for (const auto& [name, below] :
         {std::pair{"XDG_CONFIG_HOME", "/.config"}, std::pair{"XDG_DATA_HOME", "/.local/share"},
          std::pair{"XDG_CACHE_HOME", "/.cache"}, std::pair{"XDG_STATE_HOME", "/.local/state"}}) {
        std::filesystem::create_directories(folder + below);
        ::setenv(name, (folder + below).c_str(), 1);
    }
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    ::unsetenv("XDG_DATA_DIRS");  // the system's themes and schemas: /usr/share
    ::unsetenv("XDG_CONFIG_DIRS");
    ::unsetenv("XDG_CURRENT_DESKTOP");
}

}  // namespace sonatrix::testing
