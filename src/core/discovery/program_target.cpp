// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/program_target.h"

#include "catalogue/catalogue.h"
#include "discovery/kde_notifyrc.h"
#include "discovery/pidgin_settings.h"
#include "discovery/settings_programs.h"
#include "discovery/settings_text.h"
#include "discovery/thunderbird_settings.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "platform/settings_places.h"

namespace sonatrix {

void ChooseSettingsProgram(MainModel& model) {
    std::vector<SettingsProgram> programs =
        FindSettingsPrograms(model.svc.files, UserSettingsPlaces());
    if (programs.empty()) {
        model.svc.dialogs.ShowMessage(kNoSettingsPrograms);
        return;
    }
    std::vector<ProgramChoice> choices;
    for (const SettingsProgram& program : programs)
        choices.push_back({program.name, program.settingsFile});
    const int index = model.svc.dialogs.ChooseProgram(choices);
    if (index >= 0 && index < int(programs.size())) {
        AdoptSettingsProgram(model, std::move(programs[std::size_t(index)]));
        return;
    }
    // A poll tick may have adopted a client while the chooser was open.
    model.state.TargetSoundDir.clear();
    model.state.TargetStatusText.clear();
    model.Changed(kAspectTargetStatus);
}

void AdoptSettingsProgram(MainModel& model, SettingsProgram program) {
    MainState& state = model.state;
    state.TargetSoundDir = ProgramSoundFolder(model.DataFolder, program);
    state.TargetStatusText = program.settingsFile;
    state.TargetProgram = std::move(program);
    model.Changed(kAspectTargetStatus);
}

std::vector<ProgramEvent> ProgramEventsIn(FileSystem& files, const SettingsProgram& program,
                                          std::string_view text) {
    switch (program.kind) {
        case SettingsProgramKind::Thunderbird:
            return ThunderbirdEvents(text);
        case SettingsProgramKind::Pidgin:
            return PidginEvents(text);
        case SettingsProgramKind::Kde: {
            const auto defaults = program.defaultsFile.empty()
                                      ? std::optional<std::string>()
                                      : ReadSettingsText(files, program.defaultsFile);
            return KdeEvents(files, defaults.value_or(""), text,
                             UserSettingsPlaces().kdeDataFolders);
        }
    }
    return {};
}

void RereadProgramEvents(MainModel& model) {
    if (model.state.TargetKind != kKindProgram)
        return;
    SettingsProgram& program = model.state.TargetProgram;
    const auto text = ReadSettingsText(model.svc.files, program.settingsFile);
    if (!text)
        return;  // what was read last stays shown
    program.events = ProgramEventsIn(model.svc.files, program, *text);
}

std::string ProgramEventOffText(const SettingsProgram& program, const std::string& event) {
    return "“" + event + "”的声音在 " + program.programName +
           " 中是关闭的，更改后的声音不会播放。请在 " + program.programName + " 的设置中打开它。";
}

}  // namespace sonatrix
