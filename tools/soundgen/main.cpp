// SPDX-License-Identifier: GPL-3.0-or-later
// soundgen <AppDir>: writes the sound library and both backup sets of the
// program folder. Run by the build; the same input gives the same bytes.
#include <cstdio>
#include <filesystem>

#include "program_sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <program folder>\n");
        return 2;
    }
    const std::filesystem::path appDir(argv[1]);
    int written = 0;
    if (auto failure = sonatrix::soundgen::WriteProgramSounds(appDir, &written)) {
        std::fprintf(stderr, "soundgen: %s: %s\n", failure->path.c_str(), failure->reason.c_str());
        return 1;
    }
    std::printf("soundgen: %d sound files written under %s\n", written, argv[1]);
    return 0;
}
