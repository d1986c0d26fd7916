// SPDX-License-Identifier: GPL-3.0-or-later
// Reading another program's settings file, which the program may hold open.
#pragma once

#include <optional>
#include <string>

#include "platform/files.h"

namespace sonatrix {

// The bytes of `path`; empty when it does not exist (the program then uses
// its defaults); nothing when it exists but cannot be read.
inline std::optional<std::string> ReadSettingsText(FileSystem& files, const std::string& path) {
    std::string text;
    const int error = files.ReadSharedFile(path, text);
    if (error == 0)
        return text;
    if (error == FileNotFoundCode() || error == PathNotFoundCode())
        return std::string();
    return std::nullopt;
}

}  // namespace sonatrix
