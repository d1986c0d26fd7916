// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/part_files.h"

#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

// The longest file name in bytes that Linux's file systems take (and, as
// UTF-8 has at least a byte for each UTF-16 unit, Windows' too).
constexpr std::size_t kLongestName = 255;

}  // namespace

std::string PartPathFor(const std::string& finalPath) {
    const std::string prefix = ".";
    const std::string suffix = ".part";
    std::string name = FileNameOf(finalPath);
    if (prefix.size() + name.size() + suffix.size() > kLongestName) {
        name.resize(kLongestName - prefix.size() - suffix.size());
        // Not inside a character: drop its continuation bytes and its lead.
        while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80)
            name.pop_back();
        if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0)
            name.pop_back();
    }
    return FolderPart(finalPath) + prefix + name + suffix;
}

}  // namespace sonatrix
