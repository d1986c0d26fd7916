// SPDX-License-Identifier: GPL-3.0-or-later
// GIO through dlopen: the headers give the types, and the few functions
// used are looked up in libgio (and the libgobject it brings) once, the
// first time they are needed. GLib itself is linked: Qt loads it anyway.
#define G_SETTINGS_ENABLE_BACKEND
#include <dlfcn.h>
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <algorithm>
#include <cerrno>

#include "platform/config_file.h"
#include "platform/gnome_settings.h"

namespace sonatrix {
namespace {

constexpr const char* kGioLibrary = "libgio-2.0.so.0";
constexpr const char* kSoundSchema = "org.gnome.desktop.sound";
constexpr const char* kThemeKey = "theme-name";

#define SONATRIX_GIO_FUNCTIONS(X)           \
    X(g_settings_schema_source_get_default) \
    X(g_settings_schema_source_lookup)      \
    X(g_settings_schema_has_key)            \
    X(g_settings_schema_unref)              \
    X(g_settings_backend_get_default)       \
    X(g_settings_new_full)                  \
    X(g_settings_get_value)                 \
    X(g_settings_get_user_value)            \
    X(g_settings_get_boolean)               \
    X(g_settings_set_string)                \
    X(g_settings_reset)                     \
    X(g_settings_is_writable)               \
    X(g_settings_sync)                      \
    X(g_type_name)                          \
    X(g_object_unref)                       \
    X(g_bus_get_sync)                       \
    X(g_dbus_connection_call_sync)

struct Gio {
#define SONATRIX_GIO_POINTER(name) decltype(&::name) name = nullptr;
    SONATRIX_GIO_FUNCTIONS(SONATRIX_GIO_POINTER)
#undef SONATRIX_GIO_POINTER
};

// GIO, or nullptr when it cannot be loaded. Never unloaded: GObject types
// cannot be.
const Gio* LoadedGio() {
    static const Gio* const gio = []() -> const Gio* {
        void* library = ::dlopen(kGioLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        static Gio loaded;
        bool complete = true;
#define SONATRIX_GIO_LOOKUP(name)                                                   \
    loaded.name = reinterpret_cast<decltype(loaded.name)>(::dlsym(library, #name)); \
    complete = complete && loaded.name;
        SONATRIX_GIO_FUNCTIONS(SONATRIX_GIO_LOOKUP)
#undef SONATRIX_GIO_LOOKUP
        return complete ? &loaded : nullptr;
    }();
    return gio;
}

// GNOME's sound settings, open while it lives.
class SoundSettings {
  public:
    SoundSettings() {
        gio_ = LoadedGio();
        if (!gio_) {
            state_ = ELIBACC;
            return;
        }
        GSettingsSchemaSource* source = gio_->g_settings_schema_source_get_default();
        schema_ =
            source ? gio_->g_settings_schema_source_lookup(source, kSoundSchema, TRUE) : nullptr;
        if (!schema_ || !gio_->g_settings_schema_has_key(schema_, kThemeKey))
            return;
        // The memory backend, GIO's last resort, keeps nothing.
        GSettingsBackend* backend = gio_->g_settings_backend_get_default();
        const GTypeInstance* instance = reinterpret_cast<GTypeInstance*>(backend);
        if (g_strcmp0(gio_->g_type_name(instance->g_class->g_type), "GMemorySettingsBackend") != 0)
            settings_ = gio_->g_settings_new_full(schema_, nullptr, nullptr);
        gio_->g_object_unref(backend);
        if (settings_)
            state_ = 0;
    }
    ~SoundSettings() {
        if (settings_)
            gio_->g_object_unref(settings_);
        if (schema_)
            gio_->g_settings_schema_unref(schema_);
    }
    SoundSettings(const SoundSettings&) = delete;
    SoundSettings& operator=(const SoundSettings&) = delete;

    int State() const { return state_; }
    const Gio& G() const { return *gio_; }
    GSettings* Settings() const { return settings_; }
    bool HasKey(const char* key) const {
        return schema_ && gio_->g_settings_schema_has_key(schema_, key);
    }

  private:
    const Gio* gio_ = nullptr;
    GSettingsSchema* schema_ = nullptr;
    GSettings* settings_ = nullptr;
    int state_ = ENOENT;
};

// A string GVariant's text, the variant let go.
std::string TakeString(GVariant* variant) {
    std::string text = g_variant_get_string(variant, nullptr);
    g_variant_unref(variant);
    return text;
}

// Whether the session bus has `name` among the names the bus `method`
// lists (ListNames: running; ListActivatableNames: startable).
bool BusLists(const Gio& gio, GDBusConnection* bus, const char* method, const char* name) {
    GVariant* reply = gio.g_dbus_connection_call_sync(
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

}  // namespace

int GnomeSoundSettingsState() {
    return SoundSettings().State();
}

int ReadGnomeSoundTheme(std::optional<std::string>& user, std::string* effective) {
    user.reset();
    const SoundSettings gnome;
    if (gnome.State() != 0)
        return gnome.State();
    if (GVariant* value = gnome.G().g_settings_get_user_value(gnome.Settings(), kThemeKey))
        user = TakeString(value);
    if (effective)
        *effective = TakeString(gnome.G().g_settings_get_value(gnome.Settings(), kThemeKey));
    return 0;
}

int WriteGnomeSoundTheme(const std::optional<std::string>& value) {
    const SoundSettings gnome;
    if (gnome.State() != 0)
        return gnome.State();
    const Gio& gio = gnome.G();
    if (!gio.g_settings_is_writable(gnome.Settings(), kThemeKey))
        return kLockedByAdministrator;
    bool written = true;
    if (value)
        written = gio.g_settings_set_string(gnome.Settings(), kThemeKey, value->c_str());
    else
        gio.g_settings_reset(gnome.Settings(), kThemeKey);
    gio.g_settings_sync();
    return written ? 0 : EACCES;
}

bool GnomeEventSoundsOff() {
    const SoundSettings gnome;
    return gnome.State() == 0 && gnome.HasKey("event-sounds") &&
           !gnome.G().g_settings_get_boolean(gnome.Settings(), "event-sounds");
}

bool SessionBusReaches(const char* name) {
    const Gio* gio = LoadedGio();
    if (!gio)
        return false;
    GDBusConnection* bus = gio->g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return false;
    const bool reachable =
        BusLists(*gio, bus, "ListNames", name) || BusLists(*gio, bus, "ListActivatableNames", name);
    gio->g_object_unref(bus);
    return reachable;
}

}  // namespace sonatrix
