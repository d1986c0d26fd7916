// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's own sound settings: on Linux the places that name the sound
// theme (GSettings, GTK's settings.ini, KDE's kdeglobals, Xfce's xsettings),
// on Windows the sound scheme's event values in the registry. Each has a
// name of its own that no sound file's name can be, and a value kept in the
// store as it is: a setting kept by a service (GSettings, xfconf, the
// registry) holds its text, or nothing when unset; a setting kept in a
// config file of the user's holds the whole file, or nothing when there is
// none, so that the file itself can be given back. Stores of earlier
// versions name the config files' keys instead, whose value is the key's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class FileSystem;

// The settings that name the sound theme and exist on this machine. None
// on Windows.
std::vector<std::string> SoundThemeSettings();

// True when `name` names a setting of this platform (never a file).
bool IsDesktopSetting(std::string_view name);

// The value of `setting`, or nothing. Returns 0 or the error that kept it
// from being read; a setting that cannot be read is never taken for unset.
int ReadDesktopSetting(const std::string& setting, std::optional<std::string>& value);
// Gives `setting` the value `value`, or unsets it for nothing. `read`:
// what it held when `value` was made from it, so that what another program
// wrote in the same file since is kept (config files only). Returns 0,
// kLockedByAdministrator or the system's error code.
int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value,
                        const std::optional<std::optional<std::string>>& read = std::nullopt);

// What the user chose in the value `value` of `setting`: the theme (or
// file) it names; nothing when it names none.
std::optional<std::string> ChoiceInSetting(const std::string& setting,
                                           const std::optional<std::string>& value);
// The value `now` of `setting` changed to name `choice`, or none for nothing.
std::optional<std::string> WithChoice(const std::string& setting,
                                      const std::optional<std::string>& now,
                                      const std::optional<std::string>& choice);
// The value `now` of `setting` with the choice made in `from` carried
// over; of a config file, everything else in it stays as it is now.
std::optional<std::string> WithChoiceOf(const std::string& setting,
                                        const std::optional<std::string>& now,
                                        const std::optional<std::string>& from);

// The sound themes the user hears, as the desktop that XDG_CURRENT_DESKTOP
// names reads its settings first (GNOME and its relatives: GSettings with
// the distribution's default; KDE: kdeglobals, "ocean" when it names none;
// Xfce: xfconf; others: GTK's settings.ini), until and with the first that
// is no "__custom". None on Windows. Returns 0 or the error of a setting
// that could not be read.
int ReadEffectiveSoundThemes(std::vector<std::string>& themes);

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
// so that a value put back keeps its type; "" is a key without a value.
std::string SettingValueOfFile(const std::string& path);
std::string FileOfSettingValue(const std::string& value);

// The file the desktop plays for `event` now, empty when it plays none:
// on Linux what the sound theme the user hears gives, on Windows what the
// scheme names.
std::string FileDesktopPlays(FileSystem& files, std::string_view event);

// The folder Sonatrix writes the desktop's sounds into, ending in a
// separator; empty when the user has none. Linux:
// "$XDG_DATA_HOME/sounds/__custom/"; Windows: `dataFolder` + "系统声音\".
std::string DesktopSoundFolder(const std::string& dataFolder);

// Where sound themes live ("<data folder>/sounds/"), the user's first, in
// the order they are searched. None on Windows.
std::vector<std::string> SoundThemeRoots();

}  // namespace sonatrix
