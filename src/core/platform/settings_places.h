// SPDX-License-Identifier: GPL-3.0-or-later
// Where the programs that name their sounds in their own settings keep
// those settings for the user running Sonatrix.
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

// Folders end in a separator; an empty one means the platform has none.
struct SettingsPlaces {
    // Thunderbird's folder holding profiles.ini: "~/.thunderbird/",
    // "%APPDATA%\Thunderbird\".
    std::string thunderbirdFolder;
    // Pidgin's folder holding prefs.xml: "~/.purple/", "%APPDATA%\.purple\"
    // (below %PURPLEHOME% when that is set, as Pidgin does).
    std::string pidginFolder;
    // Where KDE's programs keep the user's "<program>.notifyrc":
    // $XDG_CONFIG_HOME (default "~/.config/"). None on Windows.
    std::string kdeConfigFolder;
    // The data folders that may hold "knotifications5/" and
    // "knotifications6/", the user's first: $XDG_DATA_HOME, then
    // $XDG_DATA_DIRS. None on Windows.
    std::vector<std::string> kdeDataFolders;
};

SettingsPlaces UserSettingsPlaces();

// The file name of Pidgin's executable: "pidgin", "pidgin.exe".
const char* PidginExecutableName();

// True while a running Thunderbird holds the profile in `profileFolder`
// (ending in a separator): on Linux its "lock" link names a process that
// exists, or another process holds ".parentlock" locked; on Windows
// "parent.lock" is held open. A lock that cannot be examined counts as
// held: Thunderbird would write over a change when it exits.
bool ThunderbirdProfileInUse(const std::string& profileFolder);

}  // namespace sonatrix
