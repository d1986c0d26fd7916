// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace sonatrix {

class FileSystem;

// True when `folder` (ending in a separator) holds at least one entry that
// matches "*.wav", hidden and system entries and sub-folders included.
bool FolderHasWav(FileSystem& files, const std::string& folder);

}  // namespace sonatrix
