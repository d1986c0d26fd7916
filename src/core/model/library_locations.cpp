// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library_locations.h"

#include <string_view>

#include "catalogue/catalogue.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/writable_folder.h"

namespace sonatrix {
namespace {

std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && folder.back() == kSep)
        folder.pop_back();
    return folder;
}

std::string ShippedLibrary(const MainState& state) {
    return state.AppDir + kLibraryFolderName;
}

}  // namespace

bool IsInstalled(const MainState& state) {
    return !state.UserLibraryDir.empty();
}

ProgramFolders DecideProgramFolders(FileSystem& files, const std::string& executableFolder,
                                    const std::string& dataFolder) {
    ProgramFolders folders{executableFolder, {}};
    if (!files.FolderExists(executableFolder + kLibraryFolderName)) {
        const std::string prefix = FolderPart(WithoutTrailingSeparator(executableFolder));
        const std::string shared = prefix + NativePath(kSharedFilesFolder);
        if (!prefix.empty() && files.FolderExists(shared + kLibraryFolderName))
            folders.appDir = shared;
    }
    // Files laid out the Unix way belong to the package manager even when
    // the one running the program (root) could write there; a per-user
    // Windows install is the installer's, which says so with its marker.
    const bool portable = folders.appDir == executableFolder &&
                          !files.FileExists(executableFolder + kInstalledMarker) &&
                          FolderIsWritable(executableFolder);
    if (!portable && !dataFolder.empty())
        folders.userLibraryDir = dataFolder + kLibraryFolderName + kSep;
    return folders;
}

std::vector<std::string> LibraryFolders(const MainState& state) {
    std::vector<std::string> folders{ShippedLibrary(state)};
    if (IsInstalled(state))
        folders.push_back(WithoutTrailingSeparator(state.UserLibraryDir));
    return folders;
}

std::string LibraryFilePath(FileSystem& files, const MainState& state,
                            const std::string& relative) {
    if (IsInstalled(state)) {
        const std::string own = state.UserLibraryDir + relative;
        if (files.FileExists(own))
            return own;
    }
    return ShippedLibrary(state) + kSep + relative;
}

std::string ProgramFilePath(FileSystem& files, const MainState& state,
                            const std::string& belowAppDir) {
    const std::string library = std::string(kLibraryFolderName) + "\\";
    if (std::string_view(belowAppDir).starts_with(library))
        return LibraryFilePath(files, state, NativePath(belowAppDir.substr(library.size())));
    return state.AppDir + NativePath(belowAppDir);
}

std::string LibraryWriteFolder(const MainState& state) {
    return IsInstalled(state) ? WithoutTrailingSeparator(state.UserLibraryDir)
                              : ShippedLibrary(state);
}

int CreateLibraryFolder(FileSystem& files, const MainState& state, const std::string& folder,
                        std::string& failedFolder) {
    std::vector<std::string> missing{folder};
    if (IsInstalled(state)) {
        // Up to the deepest level that exists; each level then in turn.
        for (std::string above = WithoutTrailingSeparator(FolderPart(folder));
             !above.empty() && above != missing.back() && !files.FolderExists(above);
             above = WithoutTrailingSeparator(FolderPart(above)))
            missing.push_back(above);
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        if (const int error = files.CreateFolder(*level)) {
            failedFolder = *level;
            return error;
        }
    }
    return 0;
}

}  // namespace sonatrix
