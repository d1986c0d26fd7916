// SPDX-License-Identifier: GPL-3.0-or-later
// Windows paths met where the program runs (inside a QQ settings file).
#pragma once

#include <string>

namespace sonatrix {

// The path that a Windows path names on this system. On Windows it is the
// path itself, in the program's code page (a GBK path under the UTF-8 code
// page is read as GBK); on Linux it is mapped through the Wine prefix that holds
// `nearPath` (else $WINEPREFIX, else ~/.wine) and its drive links, each
// component matched without regard to case. Empty when it cannot be mapped.
std::string NativePathFromWindows(const std::string& windowsPath, const std::string& nearPath);

}  // namespace sonatrix
