// SPDX-License-Identifier: GPL-3.0-or-later
// Where the library and the shipped files are. Run from a folder it can
// write (the build folder, an unpacked archive, a portable Windows folder)
// the program keeps everything beside its executable. Installed, that
// folder is read-only, or holds the Windows installer's marker: the shipped
// files are read where the package put them, and the sounds the user adds
// or records go to the user's data folder. The library is then one name space over both, the user's
// file first.
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;
struct MainState;

struct ProgramFolders {
    std::string appDir;          // holds "newsounds", the backup sets and the pages
    std::string userLibraryDir;  // the user's "newsounds" when installed, else empty
};

// Made once at start. `executableFolder` and `dataFolder` end in a
// separator; `dataFolder` may be empty when the system names none.
ProgramFolders DecideProgramFolders(FileSystem& files, const std::string& executableFolder,
                                    const std::string& dataFolder);

// True when the user's sounds live in the user's data folder.
bool IsInstalled(const MainState& state);

// The library folders in the order the tree shows them: the shipped one,
// then the user's. Without a trailing separator.
std::vector<std::string> LibraryFolders(const MainState& state);

// The full path of a library-relative path: the user's file when there is
// one, else the shipped one.
std::string LibraryFilePath(FileSystem& files, const MainState& state, const std::string& relative);

// The full path of a file named below AppDir, backslash-separated ("newsounds\\电话\\PHONE7.WAV",
// "qqsounds\\msg.wav"): what lies in the library resolves as LibraryFilePath does.
std::string ProgramFilePath(FileSystem& files, const MainState& state,
                            const std::string& belowAppDir);

// The library folder that new sounds are written to, without a trailing
// separator.
std::string LibraryWriteFolder(const MainState& state);

// Creates `folder` (below LibraryWriteFolder). Installed, every missing
// level is made, from the user's data folder down, as a new user has none of
// them; portable, only `folder` itself, as "newsounds" belongs to the
// program. Returns 0, or the system's error code with the folder that could
// not be made in `failedFolder`.
int CreateLibraryFolder(FileSystem& files, const MainState& state, const std::string& folder,
                        std::string& failedFolder);

}  // namespace sonatrix
