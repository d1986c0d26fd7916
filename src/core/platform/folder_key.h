// SPDX-License-Identifier: GPL-3.0-or-later
// How the store of originals tells folders and the files in them apart,
// whichever way a path was written.
#pragma once

#include <string>
#include <string_view>

namespace sonatrix {

// One text for every way of writing the same existing folder, ending in a
// separator, and itself a path to that folder: on Linux its real path (links
// followed, "." and ".." gone), on Windows its full long path folded to one
// case. Empty when `folder` is not an existing folder.
std::string FolderKey(const std::string& folder);

// Whether two names in one folder name the same file: the same bytes on
// Linux, equal ignoring case on Windows.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace sonatrix
