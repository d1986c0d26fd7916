// SPDX-License-Identifier: GPL-3.0-or-later
// One value of an INI-style settings file (GTK's settings.ini, KDE's
// kdeglobals and notifyrc files), read, set or removed while every other
// byte stays as it was: spacing around "=", line endings, a byte-order
// mark, a missing final newline, comments, other keys. A key or group may
// appear more than once; the last line wins, as GLib and KConfig read it.
// KConfig's flags are understood: "[$i]" after a group's header or a key
// (or alone before the first group) locks it, "Key[de]" is another key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

// The value of `key` in the group `group` ("Settings" for "[Settings]");
// nothing when the group or the key is absent.
std::optional<std::string> IniValue(std::string_view text, std::string_view group,
                                    std::string_view key);

// `text` with `key` of `group` set to `value`: the value's bytes of its
// last line replaced, else a line added after the group's last entry,
// else the group added at the end, in the file's own line endings. For
// nothing, every line of the key is removed, and with `dropEmptyGroup` the
// header of a group left with nothing but blank lines goes too.
std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         const std::optional<std::string>& value, bool dropEmptyGroup = false);

// True when `text` has the group `group` (even with no key in it).
bool IniHasGroup(std::string_view text, std::string_view group);

// True when KConfig would refuse to change `key` of `group` because of
// `text`: the key, its group or the whole file is marked "[$i]".
bool IniKeyLocked(std::string_view text, std::string_view group, std::string_view key);

}  // namespace sonatrix
