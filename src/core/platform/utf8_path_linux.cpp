// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/utf8_path.h"

namespace sonatrix {

// File names are bytes here; a name that is not UTF-8 is passed on as it is.
std::string Utf8OfNativePath(const std::string& path) {
    return path;
}

std::string NativePathOfUtf8(const std::string& utf8) {
    return utf8;
}

}  // namespace sonatrix
