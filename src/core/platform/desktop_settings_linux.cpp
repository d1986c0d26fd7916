// SPDX-License-Identifier: GPL-3.0-or-later
// The sound theme's name, wherever the desktops on this machine keep it.
// GSettings goes through GIO in the process; GTK's and KDE's files are
// edited a line at a time; Xfce's settings are reached through its own
// command line tool, since xfconf has no library of its own worth a
// dependency for one value.
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/ini_text.h"
#include "platform/sound_theme.h"

namespace sonatrix {
namespace {

constexpr const char* kGnomeSetting = "org.gnome.desktop.sound theme-name";
constexpr const char* kGtk3Setting = "gtk-3.0/settings.ini gtk-sound-theme-name";
constexpr const char* kGtk4Setting = "gtk-4.0/settings.ini gtk-sound-theme-name";
constexpr const char* kKdeSetting = "kdeglobals [Sounds] Theme";
constexpr const char* kXfceSetting = "xfconf xsettings /Net/SoundThemeName";
constexpr std::string_view kSettings[] = {kGnomeSetting, kGtk3Setting, kGtk4Setting, kKdeSetting,
                                          kXfceSetting};

constexpr const char* kGnomeSchema = "org.gnome.desktop.sound";
constexpr const char* kXfconfQuery = "xfconf-query";
constexpr const char* kXfconfService = "org.xfce.Xfconf";

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

// The GNOME sound settings, when their schema is installed and the settings
// would be kept (the memory backend, GIO's last resort, keeps nothing).
GSettings* GnomeSoundSettings() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kGnomeSchema, TRUE);
    if (!schema)
        return nullptr;
    GSettings* settings = nullptr;
    GSettingsBackend* backend = g_settings_backend_get_default();
    if (g_settings_schema_has_key(schema, "theme-name") &&
        g_strcmp0(G_OBJECT_TYPE_NAME(backend), "GMemorySettingsBackend") != 0)
        settings = g_settings_new_full(schema, nullptr, nullptr);
    g_object_unref(backend);
    g_settings_schema_unref(schema);
    return settings;
}

struct IniSetting {
    std::string path;
    const char* group;
    const char* key;
};

std::optional<IniSetting> IniSettingNamed(const std::string& setting) {
    const std::string config = ConfigFolder();
    if (config.empty())
        return std::nullopt;
    if (setting == kGtk3Setting)
        return IniSetting{config + "/gtk-3.0/settings.ini", "Settings", "gtk-sound-theme-name"};
    if (setting == kGtk4Setting)
        return IniSetting{config + "/gtk-4.0/settings.ini", "Settings", "gtk-sound-theme-name"};
    if (setting == kKdeSetting)
        return IniSetting{config + "/kdeglobals", "Sounds", "Theme"};
    return std::nullopt;
}

int ReadIni(const IniSetting& ini, std::optional<std::string>& value) {
    auto files = MakeNativeFileSystem();
    std::string text;
    if (!files->FileExists(ini.path))
        return 0;
    if (const int error = files->ReadSharedFile(ini.path, text))
        return error;
    value = IniValue(text, ini.group, ini.key);
    return 0;
}

int WriteIni(const IniSetting& ini, const std::optional<std::string>& value) {
    auto files = MakeNativeFileSystem();
    std::string text;
    const bool exists = files->FileExists(ini.path);
    if (exists) {
        if (const int error = files->ReadSharedFile(ini.path, text))
            return error;
    } else if (!value) {
        return 0;
    }
    const std::string changed = WithIniValue(text, ini.group, ini.key, value);
    // A file that held nothing but this value goes with it.
    if (!value && IniHasNoKeys(changed))
        return files->DeleteFile(ini.path);
    const std::string folder = ini.path.substr(0, ini.path.rfind('/'));
    if (!files->FolderExists(folder)) {
        if (const int error = files->CreateFolder(folder))
            return error;
    }
    return files->WriteWholeFile(ini.path, changed);
}

// Runs xfconf-query with `arguments`; its standard output in `out`.
bool RunXfconfQuery(std::vector<std::string> arguments, std::string& out) {
    arguments.insert(arguments.begin(),
                     {kXfconfQuery, "-c", "xsettings", "-p", "/Net/SoundThemeName"});
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

// Whether the session bus has `name` among the names the bus `method`
// lists (ListNames: running; ListActivatableNames: startable).
bool BusLists(GDBusConnection* bus, const char* method, const char* name) {
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        nullptr, G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    if (!reply)
        return false;
    GVariant* names = g_variant_get_child_value(reply, 0);
    gsize count = 0;
    const gchar** listed = g_variant_get_strv(names, &count);
    const bool found = std::any_of(listed, listed + count,
                                   [&](const gchar* each) { return g_strcmp0(each, name) == 0; });
    g_free(listed);
    g_variant_unref(names);
    g_variant_unref(reply);
    return found;
}

// Xfce keeps its settings in the xfconf daemon on the session bus; where
// no bus runs it or can start it (a session without Xfce's services, a
// headless one), xfconf-query has nobody to ask and every write would fail.
bool XfconfReachable() {
    gchar* program = g_find_program_in_path(kXfconfQuery);
    if (!program)
        return false;
    g_free(program);
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return false;
    const bool reachable = BusLists(bus, "ListNames", kXfconfService) ||
                           BusLists(bus, "ListActivatableNames", kXfconfService);
    g_object_unref(bus);
    return reachable;
}

}  // namespace

std::vector<std::string> SoundThemeSettings() {
    std::vector<std::string> settings;
    if (GSettings* gnome = GnomeSoundSettings()) {
        settings.push_back(kGnomeSetting);
        g_object_unref(gnome);
    }
    settings.push_back(kGtk3Setting);
    settings.push_back(kGtk4Setting);
    if (const auto kde = IniSettingNamed(kKdeSetting);
        kde && MakeNativeFileSystem()->FileExists(kde->path))
        settings.push_back(kKdeSetting);
    if (XfconfReachable())
        settings.push_back(kXfceSetting);
    return settings;
}

bool IsDesktopSetting(std::string_view name) {
    return std::find(std::begin(kSettings), std::end(kSettings), name) != std::end(kSettings);
}

int ReadDesktopSetting(const std::string& setting, std::optional<std::string>& value) {
    value.reset();
    if (setting == kGnomeSetting) {
        GSettings* gnome = GnomeSoundSettings();
        if (!gnome)
            return ENOENT;
        if (GVariant* user = g_settings_get_user_value(gnome, "theme-name")) {
            value = g_variant_get_string(user, nullptr);
            g_variant_unref(user);
        }
        g_object_unref(gnome);
        return 0;
    }
    if (setting == kXfceSetting) {
        std::string out;
        if (RunXfconfQuery({}, out))
            value = out;
        return 0;  // a property that does not exist reads as unset
    }
    if (const auto ini = IniSettingNamed(setting))
        return ReadIni(*ini, value);
    return ENOENT;
}

int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value) {
    if (setting == kGnomeSetting) {
        GSettings* gnome = GnomeSoundSettings();
        if (!gnome)
            return ENOENT;
        const bool written =
            value ? g_settings_set_string(gnome, "theme-name", value->c_str()) : true;
        if (!value)
            g_settings_reset(gnome, "theme-name");
        g_settings_sync();
        g_object_unref(gnome);
        return written ? 0 : EACCES;
    }
    if (setting == kXfceSetting) {
        std::string out;
        const bool done = value ? RunXfconfQuery({"-n", "-t", "string", "-s", *value}, out)
                                : RunXfconfQuery({"-r"}, out);
        return done ? 0 : EIO;
    }
    if (const auto ini = IniSettingNamed(setting))
        return WriteIni(*ini, value);
    return ENOENT;
}

std::vector<std::string> DesktopSettingFolders() {
    std::vector<std::string> folders;
    for (const char* setting : {kGtk3Setting, kGtk4Setting, kKdeSetting}) {
        if (const auto ini = IniSettingNamed(setting))
            folders.push_back(ini->path.substr(0, ini->path.rfind('/') + 1));
    }
    return folders;
}

bool EventSoundsOff() {
    GSettings* gnome = GnomeSoundSettings();
    if (!gnome)
        return false;
    GSettingsSchema* schema = nullptr;
    g_object_get(gnome, "settings-schema", &schema, nullptr);
    const bool off = schema && g_settings_schema_has_key(schema, "event-sounds") &&
                     !g_settings_get_boolean(gnome, "event-sounds");
    if (schema)
        g_settings_schema_unref(schema);
    g_object_unref(gnome);
    return off;
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
    return FindThemeSound(files, SoundThemeRoots(), CurrentSoundTheme(), std::string(event)).file;
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
