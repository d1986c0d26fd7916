// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/settings_programs.h"

#include "discovery/kde_notifyrc.h"
#include "discovery/pidgin_settings.h"
#include "discovery/thunderbird_settings.h"
#include "platform/path_pieces.h"
#include "platform/processes.h"

namespace sonatrix {

std::vector<SettingsProgram> FindSettingsPrograms(FileSystem& files, const SettingsPlaces& places) {
    std::vector<SettingsProgram> programs = FindThunderbird(files, places.thunderbirdFolder);
    if (auto pidgin = FindPidgin(files, places.pidginFolder))
        programs.push_back(std::move(*pidgin));
    for (SettingsProgram& kde :
         FindKdePrograms(files, places.kdeConfigFolder, places.kdeDataFolders))
        programs.push_back(std::move(kde));
    return programs;
}

std::string CloseProgramFirstText(const SettingsProgram& program) {
    return "请先关闭 " + program.programName + "，它退出时会覆盖这项更改。";
}

bool RunsAndWouldOverwrite(ProcessSource& processes, const SettingsProgram& program) {
    switch (program.kind) {
        case SettingsProgramKind::Thunderbird:
            return ThunderbirdProfileInUse(FolderPart(program.settingsFile));
        case SettingsProgramKind::Pidgin: {
            std::vector<ProcessEntry> snapshot;
            if (!processes.Snapshot(snapshot))
                return true;
            for (const ProcessEntry& process : snapshot) {
                if (!process.modules.empty() &&
                    SameIgnoringAsciiCase(FileNameOf(process.modules.front()),
                                          PidginExecutableName()))
                    return true;
            }
            return false;
        }
        case SettingsProgramKind::Kde:
            return false;
    }
    return false;
}

}  // namespace sonatrix
