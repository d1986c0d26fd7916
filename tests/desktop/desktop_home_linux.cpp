// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop tests run in a home of their own, on a GNOME desktop whose
// distribution makes Yaru the default sound theme, as Ubuntu does: a copy
// of GNOME's sound schema compiled with an override, found first by GLib
// in this process and in every reader it starts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "desktop_home.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const sonatrix::testing::TempDir home;
    sonatrix::testing::UseOwnDesktopHome(home.Path());
    const fs::path schemas = home.Path() / "schemas";
    fs::create_directories(schemas);
    fs::copy_file("/usr/share/glib-2.0/schemas/org.gnome.desktop.sound.gschema.xml",
                  schemas / "org.gnome.desktop.sound.gschema.xml");
    std::ofstream(schemas / "90_vendor.gschema.override")
        << "[org.gnome.desktop.sound]\ntheme-name='Yaru'\n";
    if (std::system(("glib-compile-schemas " + schemas.string()).c_str()) != 0)
        return 1;
    ::setenv("GSETTINGS_SCHEMA_DIR", schemas.c_str(), 1);
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
