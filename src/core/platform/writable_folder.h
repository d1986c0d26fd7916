// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program may create files in a folder: an installed program's
// own folder (under /usr, under Program Files) cannot be written by the
// user who runs it.
#pragma once

#include <string>

namespace sonatrix {

// True when the running user can create files in `folder` (with or
// without a trailing separator); false when it cannot or does not exist.
// Leaves nothing behind.
bool FolderIsWritable(const std::string& folder);

}  // namespace sonatrix
