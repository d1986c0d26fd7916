// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird's profiles and the sounds each one's prefs.js names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/settings_program.h"

namespace sonatrix {

class FileSystem;

struct ThunderbirdProfile {
    std::string name;    // "default-release"
    std::string folder;  // ending in a separator
    bool isDefault = false;
};

inline constexpr const char* kDefaultProfileMark = "（默认配置）";

// The profiles that `profilesIni` (the text of profiles.ini in `iniFolder`,
// which ends in a separator) lists, in its order: "Path=" relative to that
// folder ("IsRelative=1", written with "/" on every platform) or absolute.
// The default one is what the first "[Install…]" section's "Default=" names
// (the profile's Path), else the one marked "Default=1".
std::vector<ThunderbirdProfile> ThunderbirdProfiles(std::string_view profilesIni,
                                                    const std::string& iniFolder);

// The pref names of an event ("biff"): "mail.biff.play_sound" and the same
// with ".type" and ".url".
std::string ThunderbirdPref(std::string_view eventId, std::string_view suffix = {});

// Thunderbird's three events as `prefsJs` (the text of prefs.js) sets them
// over Thunderbird's defaults: a custom sound (".type" 1) is the file its
// ".url" names.
std::vector<ProgramEvent> ThunderbirdEvents(std::string_view prefsJs);

// One program per profile that `folder` (holding profiles.ini) lists and
// that exists: "Thunderbird（默认配置）", "Thunderbird（<name>）".
std::vector<SettingsProgram> FindThunderbird(FileSystem& files, const std::string& folder);

}  // namespace sonatrix
