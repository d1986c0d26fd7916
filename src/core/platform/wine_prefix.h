// SPDX-License-Identifier: GPL-3.0-or-later
// Wine prefixes: the folder that holds "drive_c" and "system.reg", and the
// drive links in its "dosdevices" folder through which a Windows path names
// a file here.
#pragma once

#include <string>
#include <string_view>

namespace sonatrix {

// The nearest folder at or above `path` that holds both "drive_c" and
// "system.reg", without a trailing separator; empty when there is none.
std::string PrefixHolding(const std::string& path);

// The prefix to use for `nearPath` (a client's module path, or empty): the
// one holding it, else `winePrefixVariable` when set, else `home` + "/.wine".
// Empty when none of them is given.
std::string ChooseWinePrefix(const std::string& nearPath, const char* winePrefixVariable,
                             const char* home);
// The same with $WINEPREFIX and $HOME.
std::string ChooseWinePrefix(const std::string& nearPath);

// True for "C:..." and the like: a drive letter and a colon.
bool HasDriveLetter(std::string_view windowsPath);

// The path that `windowsPath` ("C:\Program Files\Tencent\QQ\") names in
// `prefix`: its drive through "dosdevices/c:", then each component matched
// without regard to ASCII case where the exact name does not exist; "." and
// ".." stay as written, and so does everything from the first component
// that matches nothing. A trailing separator is kept. Empty when the path
// has no drive letter or the prefix has no such drive.
std::string UnixPathInPrefix(const std::string& prefix, std::string_view windowsPath);

}  // namespace sonatrix
