// SPDX-License-Identifier: GPL-3.0-or-later
// Linux only: GNOME's sound settings in GSettings, and the session bus,
// both reached through GIO. GIO is loaded the first time one of these is
// asked, never at start: most starts never look at the desktop's settings.
#pragma once

#include <optional>
#include <string>

namespace sonatrix {

// 0 when GNOME's sound settings can be read and written here; ENOENT when
// their schema is not installed (or GSettings would keep nothing), ELIBACC
// when GIO cannot be loaded.
int GnomeSoundSettingsState();

// The theme the user set (nothing when they set none), and with `effective`
// the one GNOME uses: theirs, else the default including the
// distribution's override (Ubuntu's "Yaru"). Returns 0 or an error above.
int ReadGnomeSoundTheme(std::optional<std::string>& user, std::string* effective);
// Sets the user's theme, or takes it back to the default for nothing.
// kLockedByAdministrator when the key is locked (dconf's lock).
int WriteGnomeSoundTheme(const std::optional<std::string>& value);

// True when GNOME's "event-sounds" is switched off.
bool GnomeEventSoundsOff();

// True when the session bus runs the service `name` or can start it.
bool SessionBusReaches(const char* name);

}  // namespace sonatrix
