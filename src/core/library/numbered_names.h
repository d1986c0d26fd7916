// SPDX-License-Identifier: GPL-3.0-or-later
// Names that never overwrite: a file that would take a name already in use
// takes the next "-N" one instead, as recordings and added sounds do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class FileSystem;

// 1 for stem + extension, N for stem + "-N" + extension, 0 for any other
// name; the extension matches in any letter case.
std::uint64_t NumberInFamily(std::string_view name, std::string_view stem,
                             std::string_view extension);

// The names of `folder` (ending in a separator) in that family, in listing
// order.
std::vector<std::string> FamilyNames(FileSystem& files, const std::string& folder,
                                     const std::string& stem, const std::string& extension);

// stem + extension when no name of the family is taken, else stem + "-N" +
// extension with N one more than the highest number in use (at least 2),
// so later files sort by number.
std::string FreeNumberedName(FileSystem& files, const std::string& folder, const std::string& stem,
                             const std::string& extension);

}  // namespace sonatrix
