// SPDX-License-Identifier: GPL-3.0-or-later
// Paths as other programs' settings files keep them: in UTF-8, whatever
// the platform's narrow encoding.
#pragma once

#include <string>

namespace sonatrix {

// `path` (in the platform's narrow encoding) in UTF-8. On Linux the bytes
// are kept as they are.
std::string Utf8OfNativePath(const std::string& path);

// The other way.
std::string NativePathOfUtf8(const std::string& utf8);

}  // namespace sonatrix
