// SPDX-License-Identifier: GPL-3.0-or-later
// A program that names its sounds in its own settings, as the sixth kind of
// target holds it: its settings file, its events and where Sonatrix keeps
// the sounds it points the program at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

enum class SettingsProgramKind { Thunderbird, Pidgin, Kde };

struct ProgramEvent {
    std::string id;    // as the settings name it: "biff", "im_recv", KDE's "[Event/<id>]"
    std::string name;  // as the list shows it: "新邮件"
    // Whether the program plays a sound for it now.
    bool enabled = true;
    // The file it plays for it now (a path in the platform's encoding);
    // empty when it plays a sound of the system or its own default.
    std::string sound;
};

struct SettingsProgram {
    SettingsProgramKind kind = SettingsProgramKind::Thunderbird;
    std::string name;         // as the chooser shows it: "Thunderbird（默认配置）"
    std::string programName;  // as the message to close it names it: "Thunderbird"
    // The file whose settings are changed: prefs.js, prefs.xml, the user's
    // "<program>.notifyrc" (which may not exist yet).
    std::string settingsFile;
    std::string defaultsFile;  // KDE: the program's own notifyrc; empty otherwise
    std::string folderName;    // its folder below "程序声音"
    std::vector<ProgramEvent> events;

    // The event the list shows as `name`; nullptr when there is none.
    const ProgramEvent* EventNamed(std::string_view name) const;
};

inline constexpr const char* kProgramSoundsFolder = "程序声音";

// Where Sonatrix keeps the sounds of `program`, ending in a separator:
// "<dataFolder>程序声音/<folder>/" ($XDG_DATA_HOME/sonatrix/…,
// %LOCALAPPDATA%\Sonatrix\…). Empty without a data folder.
std::string ProgramSoundFolder(const std::string& dataFolder, const SettingsProgram& program);

// The sound of one event there: "<folder><event id>.wav".
std::string ProgramSoundFile(const std::string& dataFolder, const SettingsProgram& program,
                             const ProgramEvent& event);

// `name` made fit to be one file name on every platform: separators,
// characters Windows refuses and control characters become "_"; trailing
// dots and blanks, which Windows drops, too.
std::string FileNameSafe(std::string_view name);

}  // namespace sonatrix
