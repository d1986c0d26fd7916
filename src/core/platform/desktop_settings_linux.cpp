// SPDX-License-Identifier: GPL-3.0-or-later
// The sound theme's name, wherever the desktops on this machine keep it.
// GSettings goes through GIO, loaded when first needed; GTK's and KDE's
// files are edited byte for byte as config files; Xfce's settings are
// reached through its own command line tool, since xfconf has no library
// of its own worth a dependency for one value.
#include <glib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/config_file.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/gnome_settings.h"
#include "platform/ini_text.h"
#include "platform/path_pieces.h"
#include "platform/sound_theme.h"

namespace sonatrix {
namespace {

constexpr const char* kGnomeSetting = "org.gnome.desktop.sound theme-name";
constexpr const char* kXfceSetting = "xfconf xsettings /Net/SoundThemeName";

// A setting in a config file below $XDG_CONFIG_HOME, named as a whole file
// (`file`) or, as earlier versions kept it, as its key (`key`).
struct FileSetting {
    const char* file;
    const char* key;
    const char* below;
    const char* group;
    const char* name;
    bool kconfig;
};
constexpr FileSetting kGtk3{"$XDG_CONFIG_HOME/gtk-3.0/settings.ini",
                            "gtk-3.0/settings.ini gtk-sound-theme-name",
                            "gtk-3.0/settings.ini",
                            "Settings",
                            "gtk-sound-theme-name",
                            false};
constexpr FileSetting kGtk4{"$XDG_CONFIG_HOME/gtk-4.0/settings.ini",
                            "gtk-4.0/settings.ini gtk-sound-theme-name",
                            "gtk-4.0/settings.ini",
                            "Settings",
                            "gtk-sound-theme-name",
                            false};
constexpr FileSetting kKde{"$XDG_CONFIG_HOME/kdeglobals",
                           "kdeglobals [Sounds] Theme",
                           "kdeglobals",
                           "Sounds",
                           "Theme",
                           true};
constexpr const FileSetting* kFileSettings[] = {&kGtk3, &kGtk4, &kKde};

// Plasma's sound theme when kdeglobals names none.
constexpr const char* kPlasmaDefaultTheme = "ocean";

constexpr const char* kXfconfQuery = "xfconf-query";
constexpr const char* kXfconfService = "org.xfce.Xfconf";
constexpr const char* kXfceProperty = "/Net/SoundThemeName";

// An absolute folder named by the environment variable `name`, else `home`
// + `fallback`; empty when there is neither.
std::string XdgFolder(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + fallback;
    return {};
}

std::string ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

// The folders of $XDG_CONFIG_DIRS, where an administrator's defaults live.
std::vector<std::string> SystemConfigFolders() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::string_view list = dirs && *dirs ? dirs : "/etc/xdg";
    std::vector<std::string> folders;
    while (!list.empty()) {
        const auto colon = list.find(':');
        if (const std::string_view dir = list.substr(0, colon); !dir.empty() && dir.front() == '/')
            folders.emplace_back(dir);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return folders;
}

// The setting `name` names, and whether as a whole file.
const FileSetting* FileSettingNamed(std::string_view name, bool& whole) {
    for (const FileSetting* setting : kFileSettings) {
        if (name == setting->file || name == setting->key) {
            whole = name == setting->file;
            return setting;
        }
    }
    return nullptr;
}

std::optional<ConfigKey> ConfigKeyOf(const FileSetting& setting) {
    const std::string config = ConfigFolder();
    if (config.empty())
        return std::nullopt;
    ConfigKey key{config + "/" + setting.below, setting.group, setting.name, setting.kconfig, {}};
    if (setting.kconfig)
        for (const std::string& folder : SystemConfigFolders())
            key.systemFiles.push_back(folder + "/" + setting.below);
    return key;
}

// Runs xfconf-query on the theme's property with `arguments`; its standard
// output in `out`. False when it could not run or failed.
bool RunXfconfQuery(std::vector<std::string> arguments, std::string& out, bool onProperty = true) {
    arguments.insert(arguments.begin(), {kXfconfQuery, "-c", "xsettings"});
    if (onProperty)
        arguments.insert(arguments.begin() + 3, {"-p", kXfceProperty});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    gchar* output = nullptr;
    gint status = 0;
    const gboolean ran =
        g_spawn_sync(nullptr, argv.data(), nullptr,
                     static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL),
                     nullptr, nullptr, &output, nullptr, &status, nullptr);
    out = output ? output : "";
    g_free(output);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return ran && g_spawn_check_wait_status(status, nullptr);
}

// xfconf-query fails alike for a property that does not exist and for a
// daemon it cannot ask; only the channel's list tells the two apart.
int ReadXfce(std::optional<std::string>& value) {
    std::string out;
    if (RunXfconfQuery({}, out)) {
        value = out;
        return 0;
    }
    std::string listed;
    if (!RunXfconfQuery({"-l"}, listed, false))
        return EIO;
    const std::string line = std::string(kXfceProperty);
    std::string_view lines = listed;
    while (!lines.empty()) {
        const auto end = lines.find('\n');
        if (lines.substr(0, end) == line)
            return EIO;  // there, yet it could not be read
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
    return 0;
}

// Xfce keeps its settings in the xfconf daemon on the session bus; where
// no bus runs it or can start it (a session without Xfce's services, a
// headless one), xfconf-query has nobody to ask and every write would fail.
bool XfconfReachable() {
    gchar* program = g_find_program_in_path(kXfconfQuery);
    if (!program)
        return false;
    g_free(program);
    return SessionBusReaches(kXfconfService);
}

enum class Desktop { Gnome, Kde, Xfce, Other };

// The first desktop XDG_CURRENT_DESKTOP names that Sonatrix knows.
Desktop CurrentDesktop() {
    const char* names = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view list = names ? names : "";
    while (!list.empty()) {
        const auto colon = list.find(':');
        const std::string_view name = list.substr(0, colon);
        for (const char* gnome :
             {"GNOME", "GNOME-Classic", "GNOME-Flashback", "Unity", "Budgie", "Pantheon"})
            if (SameIgnoringAsciiCase(name, gnome))
                return Desktop::Gnome;
        if (SameIgnoringAsciiCase(name, "KDE"))
            return Desktop::Kde;
        if (SameIgnoringAsciiCase(name, "XFCE"))
            return Desktop::Xfce;
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return Desktop::Other;
}

// The theme `setting` makes the user hear, when it makes them hear one.
int EffectiveTheme(std::string_view setting, Desktop desktop, std::optional<std::string>& theme) {
    theme.reset();
    if (setting == kGnomeSetting) {
        std::optional<std::string> user;
        std::string effective;
        const int error = ReadGnomeSoundTheme(user, &effective);
        if (error == ENOENT || error == ELIBACC)
            return 0;  // no GNOME here
        if (error == 0)
            theme = effective;
        return error;
    }
    if (setting == kXfceSetting)
        return XfconfReachable() ? ReadXfce(theme) : 0;
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    const std::optional<ConfigKey> key = file ? ConfigKeyOf(*file) : std::nullopt;
    if (!key)
        return 0;
    std::optional<std::string> bytes;
    if (const int error = ReadConfigFile(*MakeNativeFileSystem(), key->path, bytes))
        return error;
    theme = ConfigValueIn(*key, bytes);
    if (!theme && file == &kKde && desktop == Desktop::Kde)
        theme = kPlasmaDefaultTheme;
    return 0;
}

}  // namespace

std::vector<std::string> SoundThemeSettings() {
    std::vector<std::string> settings;
    if (GnomeSoundSettingsState() == 0)
        settings.push_back(kGnomeSetting);
    settings.push_back(kGtk3.file);
    settings.push_back(kGtk4.file);
    if (const auto kde = ConfigKeyOf(kKde);
        kde && (CurrentDesktop() == Desktop::Kde || MakeNativeFileSystem()->FileExists(kde->path)))
        settings.push_back(kKde.file);
    if (XfconfReachable())
        settings.push_back(kXfceSetting);
    return settings;
}

bool IsDesktopSetting(std::string_view name) {
    bool whole = false;
    return name == kGnomeSetting || name == kXfceSetting || FileSettingNamed(name, whole);
}

int ReadDesktopSetting(const std::string& setting, std::optional<std::string>& value) {
    value.reset();
    if (setting == kGnomeSetting)
        return ReadGnomeSoundTheme(value, nullptr);
    if (setting == kXfceSetting)
        return ReadXfce(value);
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    const std::optional<ConfigKey> key = file ? ConfigKeyOf(*file) : std::nullopt;
    if (!key)
        return ENOENT;
    std::optional<std::string> bytes;
    if (const int error = ReadConfigFile(*MakeNativeFileSystem(), key->path, bytes))
        return error;
    value = whole ? bytes : ConfigValueIn(*key, bytes);
    return 0;
}

int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value,
                        const std::optional<std::optional<std::string>>& read) {
    if (setting == kGnomeSetting)
        return WriteGnomeSoundTheme(value);
    if (setting == kXfceSetting) {
        std::string out;
        const bool done = value ? RunXfconfQuery({"-n", "-t", "string", "-s", *value}, out)
                                : RunXfconfQuery({"-r"}, out);
        return done ? 0 : EIO;
    }
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    const std::optional<ConfigKey> key = file ? ConfigKeyOf(*file) : std::nullopt;
    if (!key)
        return ENOENT;
    const auto files = MakeNativeFileSystem();
    return whole ? WriteConfigFile(*files, *key, value, read) : SetConfigValue(*files, *key, value);
}

std::optional<std::string> ChoiceInSetting(const std::string& setting,
                                           const std::optional<std::string>& value) {
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    if (!file || !whole)
        return value;
    return IniValue(value.value_or(""), file->group, file->name);
}

std::optional<std::string> WithChoice(const std::string& setting,
                                      const std::optional<std::string>& now,
                                      const std::optional<std::string>& choice) {
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    if (!file || !whole)
        return choice;
    if (!now && !choice)
        return now;
    return WithIniValue(now.value_or(""), file->group, file->name, choice);
}

std::optional<std::string> WithChoiceOf(const std::string& setting,
                                        const std::optional<std::string>& now,
                                        const std::optional<std::string>& from) {
    bool whole = false;
    const FileSetting* file = FileSettingNamed(setting, whole);
    if (!file || !whole)
        return from;
    return WithConfigValueOf({"", file->group, file->name, file->kconfig, {}}, now, from);
}

int ReadEffectiveSoundThemes(std::vector<std::string>& themes) {
    themes.clear();
    const Desktop desktop = CurrentDesktop();
    std::vector<const char*> order;
    switch (desktop) {
        case Desktop::Gnome:
            order = {kGnomeSetting, kGtk3.file, kGtk4.file, kKde.file, kXfceSetting};
            break;
        case Desktop::Kde:
            order = {kKde.file, kGnomeSetting, kGtk3.file, kGtk4.file, kXfceSetting};
            break;
        case Desktop::Xfce:
            order = {kXfceSetting, kGtk3.file, kGtk4.file, kGnomeSetting, kKde.file};
            break;
        case Desktop::Other:
            order = {kGtk3.file, kGtk4.file, kGnomeSetting, kKde.file, kXfceSetting};
            break;
    }
    for (const char* setting : order) {
        std::optional<std::string> theme;
        if (const int error = EffectiveTheme(setting, desktop, theme))
            return error;
        if (!theme || theme->empty())
            continue;
        themes.push_back(*theme);
        if (*theme != kCustomSoundTheme)
            break;
    }
    return 0;
}

std::vector<std::string> DesktopSettingFolders() {
    std::vector<std::string> folders;
    for (const FileSetting* setting : kFileSettings) {
        if (const auto key = ConfigKeyOf(*setting))
            folders.push_back(FolderPart(key->path));
    }
    return folders;
}

bool EventSoundsOff() {
    return GnomeEventSoundsOff();
}

std::vector<std::string> EventFileSettings(std::string_view) {
    return {};
}

std::string SettingValueOfFile(const std::string& path) {
    return path;
}

std::string FileOfSettingValue(const std::string& value) {
    return value;
}

std::string FileDesktopPlays(FileSystem& files, std::string_view event) {
    std::vector<std::string> themes;
    const bool known = ReadEffectiveSoundThemes(themes) == 0 && !themes.empty();
    return FindThemeSound(files, SoundThemeRoots(), known ? themes.front() : kFallbackSoundTheme,
                          std::string(event))
        .file;
}

std::string DesktopSoundFolder(const std::string&) {
    const std::string data = XdgFolder("XDG_DATA_HOME", "/.local/share");
    return data.empty() ? std::string() : data + "/sounds/__custom/";
}

std::vector<std::string> SoundThemeRoots() {
    std::vector<std::string> roots;
    if (const std::string data = XdgFolder("XDG_DATA_HOME", "/.local/share"); !data.empty())
        roots.push_back(data + "/sounds/");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string_view list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    while (!list.empty()) {
        const auto colon = list.find(':');
        const std::string_view dir = list.substr(0, colon);
        if (!dir.empty() && dir.front() == '/')
            roots.push_back(std::string(dir) + "/sounds/");
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return roots;
}

}  // namespace sonatrix
