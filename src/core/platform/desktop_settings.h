// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's own sound settings: on Linux the places that name the sound
// theme (GSettings, GTK's settings.ini, KDE's kdeglobals, Xfce's xsettings),
// on Windows the sound scheme's event values in the registry. Each setting
// is one text value, or unset, and has a name of its own that no sound
// file's name can be.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class FileSystem;

// The settings that name the sound theme and exist on this machine, in the
// order the desktop reads them. None on Windows.
std::vector<std::string> SoundThemeSettings();

// True when `name` names a setting of this platform (never a file).
bool IsDesktopSetting(std::string_view name);

// The value of `setting`, or nothing when it is unset. Returns 0 or the
// system's error code.
int ReadDesktopSetting(const std::string& setting, std::optional<std::string>& value);
// Sets `setting` to `value`, or unsets it for nothing.
int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value);

// The folders of the settings kept in files, where a write cut short may
// leave its temporary file. None on Windows.
std::vector<std::string> DesktopSettingFolders();

// True when the desktop plays no event sounds at all (GNOME's "event-sounds"
// switched off).
bool EventSoundsOff();

// Windows: the settings naming the file the sound scheme plays for `event`,
// the one the system reads first at the front: the ".Current" key's default
// value, and under Wine, which reads the ".Default" key instead whenever
// there is one, that key's too. None on Linux.
std::vector<std::string> EventFileSettings(std::string_view event);
// The value that makes such a setting name the file `path`, and the file a
// value names, as the system would open it. On Windows a value is the
// registry type and the text, "REG_SZ C:\..." or "REG_EXPAND_SZ %Sys...",
// so that a value put back keeps its type.
std::string SettingValueOfFile(const std::string& path);
std::string FileOfSettingValue(const std::string& value);

// The file the desktop plays for `event` now, empty when it plays none:
// on Linux what the sound theme gives, on Windows what the scheme names.
std::string FileDesktopPlays(FileSystem& files, std::string_view event);

// The folder Sonatrix writes the desktop's sounds into, ending in a
// separator; empty when the user has none. Linux:
// "$XDG_DATA_HOME/sounds/__custom/"; Windows: `dataFolder` + "系统声音\".
std::string DesktopSoundFolder(const std::string& dataFolder);

// Where sound themes live ("<data folder>/sounds/"), the user's first, in
// the order they are searched. None on Windows.
std::vector<std::string> SoundThemeRoots();

}  // namespace sonatrix
