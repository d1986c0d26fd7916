// SPDX-License-Identifier: GPL-3.0-or-later
// A library of 100,000 files in 2,000 folders (40 categories of 50 folders),
// made once per benchmark run in a temporary folder: <root>/app/newsounds.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "temp_dir.h"

namespace sonatrix::bench {

inline constexpr int kLibraryFolders = 2000;
inline constexpr int kFilesPerFolder = 50;

inline const testing::TempDir& BigLibrary() {
    static testing::TempDir root;
    static const bool made = [] {
        for (int folder = 0; folder < kLibraryFolders; ++folder) {
            const auto dir = root.Path() / "app/newsounds" /
                             ("分类" + std::to_string(folder / 50)) /
                             ("folder" + std::to_string(folder));
            std::filesystem::create_directories(dir);
            for (int file = 0; file < kFilesPerFolder; ++file)
                std::ofstream(dir / ("sound" + std::to_string(file) + ".wav")) << "RIFF";
        }
        return true;
    }();
    (void)made;
    return root;
}

// The program folder of the big library, with its trailing separator.
inline std::string BigLibraryAppDir() {
    return (BigLibrary().Path() / "app").string() + "/";
}

}  // namespace sonatrix::bench
