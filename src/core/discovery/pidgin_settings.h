// SPDX-License-Identifier: GPL-3.0-or-later
// Pidgin's sounds, as its prefs.xml names them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_program.h"

namespace sonatrix {

class FileSystem;

// The prefs of an event ("im_recv"): "/pidgin/sound/file/im_recv" (type
// "path") and "/pidgin/sound/enabled/im_recv" (type "bool").
std::string PidginFilePref(std::string_view eventId);
std::string PidginEnabledPref(std::string_view eventId);

// Pidgin's events as `prefsXml` sets them over Pidgin's defaults; a file
// it names is a UTF-8 path there.
std::vector<ProgramEvent> PidginEvents(std::string_view prefsXml);

// Pidgin, when `folder` holds a prefs.xml that can be read.
std::optional<SettingsProgram> FindPidgin(FileSystem& files, const std::string& folder);

}  // namespace sonatrix
