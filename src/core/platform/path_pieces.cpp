// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/path_pieces.h"

#include <algorithm>

namespace sonatrix {

const PathRules& GbkWindowsRules() {
    static const PathRules rules{'\\', true, true};
    return rules;
}

std::size_t FolderPartLength(std::string_view path, const PathRules& rules) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (rules.doubleByteCodePage && IsGbkLeadByte(c) && i + 1 < path.size()) {
            ++i;  // the trail byte may be 0x5C and is still part of the character
            continue;
        }
        if (c == static_cast<unsigned char>(rules.separator) || (rules.colonEndsFolder && c == ':'))
            end = i + 1;
    }
    return end;
}

std::string FolderPart(std::string_view path, const PathRules& rules) {
    return std::string(path.substr(0, FolderPartLength(path, rules)));
}

std::string FileNameOf(std::string_view path, const PathRules& rules) {
    return std::string(path.substr(FolderPartLength(path, rules)));
}

std::string ExtensionOf(std::string_view path, const PathRules& rules) {
    const std::string_view name = path.substr(FolderPartLength(path, rules));
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ParentFolderOf(std::string_view path, const PathRules& rules) {
    std::string folder = FolderPart(path, rules);
    const bool driveRoot = rules.colonEndsFolder && folder.size() == 3 && folder[1] == ':';
    const bool posixRoot = !rules.colonEndsFolder && folder.size() == 1;
    if (!folder.empty() && folder.back() == rules.separator && !driveRoot && !posixRoot)
        folder.pop_back();
    return folder + rules.separator + ".." + rules.separator;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(),
                      [&](char x, char y) { return fold(x) == fold(y); });
}

std::string NativePath(std::string_view backslashed) {
    std::string out(backslashed);
    std::replace(out.begin(), out.end(), '\\', kSep);
    return out;
}

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSep)
        folder += kSep;
    return folder;
}

}  // namespace sonatrix
