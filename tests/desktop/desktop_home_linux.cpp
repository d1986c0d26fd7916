// The desktop tests' own home: HOME and the XDG folders in a temporary
// folder, GSettings kept in a key file there, set before anything reads
// them (GLib reads them once per process).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "temp_dir.h"

int main(int argc, char** argv) {
    const sonatrix::testing::TempDir home;
    const std::string folder = home.Path().string();
    ::setenv("HOME", folder.c_str(), 1);
    for (const auto& [name, below] : {std::pair{"XDG_CONFIG_HOME", "/.config"},
                                      std::pair{"XDG_DATA_HOME", "/.local/share"},
                                      std::pair{"XDG_CACHE_HOME", "/.cache"},
                                      std::pair{"XDG_STATE_HOME", "/.local/state"}}) {
        std::filesystem::create_directories(folder + below);
        ::setenv(name, (folder + below).c_str(), 1);
    }
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    ::unsetenv("XDG_DATA_DIRS");  // the system's themes and schemas: /usr/share
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
