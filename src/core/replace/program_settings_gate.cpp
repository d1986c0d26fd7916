// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/program_settings_gate.h"

#include "catalogue/catalogue.h"
#include "catalogue/program_events.h"
#include "discovery/program_sound_setting.h"
#include "discovery/settings_programs.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/item_place.h"

namespace sonatrix {
namespace {

bool MustCloseFirst(MainModel& model, const SettingsProgram& program) {
    if (!RunsAndWouldOverwrite(model.svc.processes, program))
        return false;
    model.svc.dialogs.ShowMessage(CloseProgramFirstText(program));
    return true;
}

}  // namespace

bool ProgramMustCloseFirst(MainModel& model) {
    return model.state.TargetKind == kKindProgram &&
           MustCloseFirst(model, model.state.TargetProgram);
}

bool ProgramOfPlaceMustCloseFirst(MainModel& model, const std::string& placeKey) {
    SettingsProgram program;
    program.settingsFile = SettingsFileOfPlace(placeKey);
    const auto kind = SettingsKindOfFile(program.settingsFile);
    if (!kind)
        return false;
    program.kind = *kind;
    program.programName = *kind == SettingsProgramKind::Pidgin ? kPidginName : kThunderbirdName;
    return MustCloseFirst(model, program);
}

bool RefusedOnProgramSettings(MainModel& model) {
    if (model.state.TargetKind != kKindProgram)
        return false;
    model.svc.dialogs.MessageDlg(kNotForProgramSettings, DlgType::Information, kDlgOK);
    return true;
}

}  // namespace sonatrix
