// The desktop's own sound settings: on Linux the places that name the sound
// theme (GSettings, GTK's settings.ini, KDE's kdeglobals, Xfce's xsettings),
// on Windows the sound scheme's event values in the registry. Each setting
// is one text value, or unset.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class FileSystem;

class DesktopSettings {
  public:
    virtual ~DesktopSettings() = default;

    // The settings that name the sound theme and exist on this machine, in
    // the order the desktop reads them. None on Windows.
    virtual std::vector<std::string> ThemeNameSettings() = 0;

    // The value of `setting`, or nothing when it is unset. Returns 0 or the
    // system's error code.
    virtual int Read(const std::string& setting, std::optional<std::string>& value) = 0;
    // Sets `setting` to `value`, or unsets it for nothing.
    virtual int Write(const std::string& setting, const std::optional<std::string>& value) = 0;

    // True when the desktop plays no event sounds at all (GNOME's
    // "event-sounds" switched off).
    virtual bool EventSoundsOff() = 0;
};

std::unique_ptr<DesktopSettings> MakeNativeDesktopSettings();

// Windows: the setting naming the file the sound scheme plays for `event`
// (its ".Current" key's default value). Unused elsewhere.
std::string EventFileSetting(std::string_view event);
// The value that makes such a setting name the file `path`, and the file a
// value names, as the system would open it. On Windows a value is the
// registry type and the text, "REG_SZ C:\..." or "REG_EXPAND_SZ %Sys...",
// so that a value put back keeps its type.
std::string SettingValueOfFile(const std::string& path);
std::string FileOfSettingValue(const std::string& value);

// The file the desktop plays for `event` now, empty when it plays none:
// on Linux what the sound theme gives, on Windows what the scheme names.
std::string FileDesktopPlays(DesktopSettings& settings, FileSystem& files, std::string_view event);

// The folder Sonatrix writes the desktop's sounds into, ending in a
// separator; empty when the user has none. Linux:
// "$XDG_DATA_HOME/sounds/__custom/"; Windows: `dataFolder` + "系统声音\".
std::string DesktopSoundFolder(const std::string& dataFolder);

// Where sound themes live ("<data folder>/sounds/"), the user's first, in
// the order they are searched. None on Windows.
std::vector<std::string> SoundThemeRoots();

}  // namespace sonatrix
