// SPDX-License-Identifier: GPL-3.0-or-later
// file:// URLs, as Thunderbird keeps the path of a custom sound.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

// The URL of the file `utf8Path`, an absolute path in UTF-8: a Unix path
// ("/home/a b/x.wav" -> "file:///home/a%20b/x.wav"), a Windows drive path
// ("C:\a\x.wav" -> "file:///C:/a/x.wav") or a network path
// ("\\server\share\x.wav" -> "file://///server/share/x.wav"). Every byte
// but letters, digits, "-._~" and the separators is percent-encoded, so
// non-ASCII names go as their UTF-8 bytes.
std::string FileUrlOfPath(std::string_view utf8Path);

// The path a file:// URL names, in UTF-8, in the form FileUrlOfPath takes
// (a drive path with backslashes); nothing for another kind of URL.
std::optional<std::string> PathOfFileUrl(std::string_view url);

}  // namespace sonatrix
