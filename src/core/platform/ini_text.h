// SPDX-License-Identifier: GPL-3.0-or-later
// One value of an INI-style settings file (GTK's settings.ini, KDE's
// kdeglobals): read, set or removed while every other line stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

// The value of `key` in the group `group` ("Settings" for "[Settings]");
// nothing when the group or the key is absent. The last line for the key wins.
std::optional<std::string> IniValue(std::string_view text, std::string_view group,
                                    std::string_view key);

// `text` with `key` of `group` set to `value` (its first line rewritten, a
// new line added at the group's end, the group added at the text's end),
// or with every line of the key removed for nothing.
std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         const std::optional<std::string>& value);

// True when `text` holds no key at all: only group headers, blank lines.
bool IniHasNoKeys(std::string_view text);

}  // namespace sonatrix
