// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound files and folders the program folder ships, and writing them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sonatrix::soundgen {

// Every sound file the program names, as a backslash-separated path under
// the program folder: the library's files in catalogue order, then QQ's and
// MSN Messenger's backup sets.
std::vector<std::string> ShippedSoundPaths();

// Every folder the program names: each library category (the empty ones
// too) and both backup sets, backslash-separated.
std::vector<std::string> ShippedFolders();

// A backslash-separated path under the program folder, as a path of this
// machine (the names are UTF-8 in the catalogue).
std::filesystem::path OnDisk(const std::filesystem::path& appDir, const std::string& backslashed);

struct WriteFailure {
    std::string path;    // the file or folder that could not be made
    std::string reason;  // the system's text, or why the generator refused
};

// Lays out the folders and writes every shipped sound under `appDir`. Each
// file is written under a temporary name and then renamed, so none is left
// half-written; a file that already holds the right bytes is not touched.
// Other files in these folders (the user's own sounds) are left alone.
std::optional<WriteFailure> WriteProgramSounds(const std::filesystem::path& appDir,
                                               int* filesWritten = nullptr);

}  // namespace sonatrix::soundgen
