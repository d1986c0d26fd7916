// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/program_target.h"

#include "discovery/settings_programs.h"
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

}  // namespace sonatrix
