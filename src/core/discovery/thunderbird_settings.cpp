// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/thunderbird_settings.h"

#include "catalogue/program_events.h"
#include "discovery/settings_text.h"
#include "platform/file_url.h"
#include "platform/ini_groups.h"
#include "platform/path_pieces.h"
#include "platform/prefs_js.h"
#include "platform/utf8_path.h"

namespace sonatrix {
namespace {

// The text `name` holds in `group`; empty when it holds none.
std::string ValueOf(const IniGroup& group, std::string_view name) {
    const std::string* value = group.Find(name);
    return value ? *value : std::string();
}

// Profiles.ini is UTF-8 and writes relative paths with "/" everywhere.
std::string ProfileFolder(const IniGroup& profile, const std::string& iniFolder) {
    std::string path = NativePathOfUtf8(ValueOf(profile, "Path"));
    if (path.empty())
        return path;
    if (ValueOf(profile, "IsRelative") == "1") {
        for (char& c : path) {
            if (c == '/')
                c = kSep;
        }
        path.insert(0, iniFolder);
    }
    return WithTrailingSeparator(std::move(path));
}

}  // namespace

std::vector<ThunderbirdProfile> ThunderbirdProfiles(std::string_view profilesIni,
                                                    const std::string& iniFolder) {
    const std::vector<IniGroup> groups = ReadIniGroups(profilesIni, IniDialect::Plain);
    std::string installDefault;
    for (const IniGroup& group : groups) {
        if (group.name.starts_with("Install") && group.Find("Default")) {
            installDefault = *group.Find("Default");
            break;
        }
    }
    std::vector<ThunderbirdProfile> profiles;
    // Thunderbird reads [Profile0], [Profile1], … up to the first one missing.
    for (int n = 0;; ++n) {
        const IniGroup* group = FindGroup(groups, "Profile" + std::to_string(n));
        if (!group)
            break;
        ThunderbirdProfile profile;
        profile.folder = ProfileFolder(*group, iniFolder);
        if (profile.folder.empty())
            continue;
        profile.name = ValueOf(*group, "Name");
        profile.isDefault = installDefault.empty() ? ValueOf(*group, "Default") == "1"
                                                   : ValueOf(*group, "Path") == installDefault;
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

std::string ThunderbirdPref(std::string_view eventId, std::string_view suffix) {
    return "mail." + std::string(eventId) + ".play_sound" + std::string(suffix);
}

std::vector<ProgramEvent> ThunderbirdEvents(std::string_view prefsJs) {
    std::vector<ProgramEvent> events;
    for (const ProgramEventInfo& info : kThunderbirdEvents) {
        ProgramEvent event{info.id, info.name, info.enabledByDefault, {}};
        const auto enabled = UserPrefValue(prefsJs, ThunderbirdPref(info.id));
        if (enabled && std::holds_alternative<bool>(*enabled))
            event.enabled = std::get<bool>(*enabled);
        const auto type = UserPrefValue(prefsJs, ThunderbirdPref(info.id, ".type"));
        const auto url = UserPrefValue(prefsJs, ThunderbirdPref(info.id, ".url"));
        if (type == PrefValue(std::int32_t(1)) && url &&
            std::holds_alternative<std::string>(*url)) {
            if (const auto path = PathOfFileUrl(std::get<std::string>(*url)))
                event.sound = NativePathOfUtf8(*path);
        }
        events.push_back(std::move(event));
    }
    return events;
}

std::vector<SettingsProgram> FindThunderbird(FileSystem& files, const std::string& folder) {
    std::vector<SettingsProgram> programs;
    const auto profilesIni =
        folder.empty() ? std::nullopt : ReadSettingsText(files, folder + "profiles.ini");
    if (!profilesIni)
        return programs;
    for (const ThunderbirdProfile& profile : ThunderbirdProfiles(*profilesIni, folder)) {
        const std::string prefsJs = profile.folder + "prefs.js";
        const auto text = ReadSettingsText(files, prefsJs);
        if (!files.FolderExists(profile.folder) || !text)
            continue;
        SettingsProgram program;
        program.kind = SettingsProgramKind::Thunderbird;
        program.programName = kThunderbirdName;
        program.name = program.programName + (profile.isDefault ? std::string(kDefaultProfileMark)
                                                                : "（" + profile.name + "）");
        program.settingsFile = prefsJs;
        program.folderName = program.programName + "-" +
                             FileNameOf(profile.folder.substr(0, profile.folder.size() - 1));
        program.events = ThunderbirdEvents(*text);
        programs.push_back(std::move(program));
    }
    return programs;
}

}  // namespace sonatrix
