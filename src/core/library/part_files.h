// SPDX-License-Identifier: GPL-3.0-or-later
// A file of the library written whole or not at all: its bytes go to a
// hidden temporary file beside it, which takes the final name only once
// they are all on the disk.
#pragma once

#include <string>

namespace sonatrix {

// The hidden temporary file for `finalPath`, in its folder: "." + its name
// + ".part", with the name shortened (at a character's end) where that
// would be longer than a file name may be.
std::string PartPathFor(const std::string& finalPath);

// Gives the written file `part` the name `finalPath`, which must not exist
// yet, so that a power cut leaves either no file or the whole one: the
// bytes reach the disk before the rename, the folder's entry after it.
// Returns 0 or the C library's error number; `part` is left as it was when
// the rename fails.
int MovePartIntoPlace(const std::string& part, const std::string& finalPath);

}  // namespace sonatrix
