// SPDX-License-Identifier: GPL-3.0-or-later
// The rule that decides whether a running executable is the wanted client
// and, if so, which folder holds its sounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sonatrix {

class FileSystem;

// How an executable is matched and its sound folder probed.
enum FindMode : std::int32_t {
    ByNameQQ = 0,
    ByNameMsn = 1,
    ByNameTM = 2,
    AnyExeSoundFolder = 5,
    AnyExeRingWav = 6,
    AnyExeTMLayout = 7,
};

// The sound folder of the executable `exePath` under `mode`, or nothing.
// Only file-existence tests are made, and only for executables that pass
// the mode's gate.
std::optional<std::string> ResolveSoundFolder(FileSystem& files, const std::string& exePath,
                                              std::int32_t mode, const std::string& wantedName);

}  // namespace sonatrix
