// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <cstdlib>

#include "platform/folder_key.h"

namespace sonatrix {

std::string FolderKey(const std::string& folder) {
    if (folder.empty())
        return {};
    char* real = ::realpath(folder.c_str(), nullptr);
    if (!real)
        return {};
    std::string key = real;
    std::free(real);
    struct stat info;
    if (::stat(key.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    if (key.back() != '/')
        key += '/';
    return key;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return a == b;
}

}  // namespace sonatrix
