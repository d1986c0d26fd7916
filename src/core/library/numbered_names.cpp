// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/numbered_names.h"

#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {

std::uint64_t NumberInFamily(std::string_view name, std::string_view stem,
                             std::string_view extension) {
    if (name.size() < stem.size() + extension.size() || name.compare(0, stem.size(), stem))
        return 0;
    const std::string_view rest = name.substr(stem.size());
    if (!SameIgnoringAsciiCase(rest.substr(rest.size() - extension.size()), extension))
        return 0;
    const std::string_view middle = rest.substr(0, rest.size() - extension.size());
    if (middle.empty())
        return 1;
    if (middle.size() < 2 || middle.size() > 10 || middle[0] != '-')
        return 0;
    std::uint64_t number = 0;
    for (const char c : middle.substr(1)) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

std::vector<std::string> FamilyNames(FileSystem& files, const std::string& folder,
                                     const std::string& stem, const std::string& extension) {
    std::vector<std::string> names;
    std::vector<DirEntry> entries;
    if (files.ListPattern(folder, "*", entries))
        for (DirEntry& entry : entries)
            if (!entry.isFolder && NumberInFamily(entry.name, stem, extension) > 0)
                names.push_back(std::move(entry.name));
    return names;
}

std::string FreeNumberedName(FileSystem& files, const std::string& folder, const std::string& stem,
                             const std::string& extension) {
    std::uint64_t highest = files.FileExists(folder + stem + extension) ? 1 : 0;
    std::vector<DirEntry> entries;
    if (files.ListPattern(folder, "*", entries))
        for (const DirEntry& entry : entries)
            if (const std::uint64_t number = NumberInFamily(entry.name, stem, extension);
                number > highest)
                highest = number;
    if (highest == 0)
        return stem + extension;
    return stem + "-" + std::to_string(highest + 1) + extension;
}

}  // namespace sonatrix
