// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/maps_line.h"

namespace sonatrix {

std::optional<std::string_view> MappedFilePathIn(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    // address perms offset dev inode, then padding, then the path.
    std::size_t at = 0;
    for (int field = 0; field < 5; ++field) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        if (at == line.size())
            return std::nullopt;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ')
            ++at;
        // The address range is what makes this a maps line at all.
        if (field == 0 && line.substr(start, at - start).find('-') == std::string_view::npos)
            return std::nullopt;
    }
    // The path follows the inode after one or more blanks.
    if (at == line.size())
        return std::nullopt;
    while (at < line.size() && line[at] == ' ')
        ++at;
    std::string_view path = line.substr(at);
    // "[heap]", "[stack]", "[vdso]", "[anon:...]" do not start with '/'.
    if (path.empty() || path.front() != '/' || path.starts_with("/memfd:"))
        return std::nullopt;
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted))
        path.remove_suffix(kDeleted.size());
    if (path.empty())
        return std::nullopt;
    return path;
}

std::optional<std::string> MappedFilePath(std::string_view line) {
    if (auto path = MappedFilePathIn(line))
        return std::string(*path);
    return std::nullopt;
}

}  // namespace sonatrix
