// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the groups of an INI-style file whole: Mozilla's profiles.ini, and
// KDE's configuration files in KConfig's dialect (translated keys
// "Name[zh_CN]=", options "Key[$e]=", escapes in values). Read only.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sonatrix {

struct IniGroup {
    std::string name;  // "Event/message"
    // Keys in the order they first appear, each with the value its last
    // line gave.
    std::vector<std::pair<std::string, std::string>> entries;

    // The value of `key`; nullptr when the group does not hold it.
    const std::string* Find(std::string_view key) const;
};

enum class IniDialect {
    Plain,    // keys and values as written (Mozilla's INI files)
    KConfig,  // escapes (\s \t \n \r \\ \xNN) decoded, options ("Sound[$e]") left off keys
};

// The groups of `text` in the order they first appear; a group written
// twice is one group, later lines winning. Keys and values lose the blanks
// around them; a UTF-8 byte order mark and "#" comments are passed over.
std::vector<IniGroup> ReadIniGroups(std::string_view text, IniDialect dialect);

// The group named `name`; nullptr when there is none.
const IniGroup* FindGroup(const std::vector<IniGroup>& groups, std::string_view name);

}  // namespace sonatrix
