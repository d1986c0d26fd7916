// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/pidgin_settings.h"

#include <cstdlib>

#include "catalogue/program_events.h"
#include "discovery/settings_text.h"
#include "platform/purple_prefs_xml.h"
#include "platform/utf8_path.h"

namespace sonatrix {

std::string PidginFilePref(std::string_view eventId) {
    return "/pidgin/sound/file/" + std::string(eventId);
}

std::string PidginEnabledPref(std::string_view eventId) {
    return "/pidgin/sound/enabled/" + std::string(eventId);
}

std::vector<ProgramEvent> PidginEvents(std::string_view prefsXml) {
    std::vector<ProgramEvent> events;
    for (const ProgramEventInfo& info : kPidginEvents) {
        ProgramEvent event{info.id, info.name, info.enabledByDefault, {}};
        // libpurple reads a bool's value as a number.
        if (const auto enabled = PurplePrefValue(prefsXml, PidginEnabledPref(info.id)))
            event.enabled = std::atoi(enabled->c_str()) != 0;
        if (const auto file = PurplePrefValue(prefsXml, PidginFilePref(info.id)))
            event.sound = NativePathOfUtf8(*file);
        events.push_back(std::move(event));
    }
    return events;
}

std::optional<SettingsProgram> FindPidgin(FileSystem& files, const std::string& folder) {
    if (folder.empty())
        return std::nullopt;
    const std::string prefsXml = folder + "prefs.xml";
    const auto text = ReadSettingsText(files, prefsXml);
    // Without its prefs.xml Pidgin has never run here.
    if (!text || text->empty())
        return std::nullopt;
    SettingsProgram program;
    program.kind = SettingsProgramKind::Pidgin;
    program.name = program.programName = program.folderName = kPidginName;
    program.settingsFile = prefsXml;
    program.events = PidginEvents(*text);
    return program;
}

}  // namespace sonatrix
