// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/folder_has_wav.h"

#include <vector>

#include "platform/files.h"

namespace sonatrix {

bool FolderHasWav(FileSystem& files, const std::string& folder) {
    std::vector<DirEntry> entries;
    return files.ListPattern(folder, "*.wav", entries);
}

}  // namespace sonatrix
