// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/themes.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/desktop_events.h"
#include "catalogue/program_events.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/single_replacement.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// The library file of the theme's row that writes the QQ sound `qqSound`.
const char* SourceOfQQSound(const PresetTheme& theme, std::string_view qqSound) {
    for (std::size_t row = 0; row < kThemeRows; ++row) {
        if (kThemeDestinations[row] == qqSound)
            return theme.sources[row];
    }
    return nullptr;
}

std::span<const QQSoundProgramEvent> ThemeEventsOf(SettingsProgramKind kind) {
    switch (kind) {
        case SettingsProgramKind::Thunderbird:
            return kThunderbirdThemeEvents;
        case SettingsProgramKind::Pidgin:
            return kPidginThemeEvents;
        case SettingsProgramKind::Kde:
            return kKdeThemeEvents;
    }
    return {};
}

// Each sound of the target a theme writes (as the list names it), with
// the library file it gets. A client's folder gets the QQ sounds
// themselves. On the desktop each QQ sound goes to its event: one with no
// event is passed over, and of two with the same event only the later is
// written, as it would overwrite the earlier. A program's events get the
// QQ sound of the same occasion (program_events.h).
std::vector<std::pair<std::string, const char*>> ThemeWrites(const MainState& state,
                                                             const PresetTheme& theme) {
    std::vector<std::pair<std::string, const char*>> writes;
    if (state.TargetKind == kKindProgram) {
        for (const QQSoundProgramEvent& row : ThemeEventsOf(state.TargetProgram.kind)) {
            for (const ProgramEvent& event : state.TargetProgram.events) {
                if (event.id == row.eventId)
                    writes.emplace_back(event.name, SourceOfQQSound(theme, row.qqSound));
            }
        }
        return writes;
    }
    const bool desktop = state.TargetKind == kKindDesktop;
    for (std::size_t row = kThemeRows; row-- > 0;) {
        std::string name = kThemeDestinations[row];
        if (desktop) {
            const char* event = DesktopEventOfQQSound(name);
            name = event ? event + std::string(kDesktopSoundExtension) : std::string();
        }
        const auto same = [&](const auto& write) { return write.first == name; };
        if (!name.empty() && std::none_of(writes.begin(), writes.end(), same))
            writes.emplace_back(std::move(name), theme.sources[row]);
    }
    std::reverse(writes.begin(), writes.end());
    return writes;
}

}  // namespace

void ApplyPresetTheme(MainModel& model, const PresetTheme& theme) {
    Dialogs& dialogs = model.svc.dialogs;
    if (ProgramMustCloseFirst(model))
        return;
    // Without a target the destinations would be bare names in the working folder.
    if (!HaveTargetOrOfferPick(model, kNoTargetQuestion))
        return;
    // The desktop's and a program's events are QQ's sounds by their occasion.
    const bool byOccasion =
        model.state.TargetKind == kKindDesktop || model.state.TargetKind == kKindProgram;
    if (model.state.ComboIndex > 0 && !byOccasion &&
        dialogs.MessageDlg("此功能仅对QQ有效，如果您当前已经手工指定了qq目录，那么请选择OK。",
                           DlgType::Warning, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    // Read after the warning: a poll tick may have adopted a client meanwhile.
    const auto writes = ThemeWrites(model.state, theme);
    if (writes.empty()) {
        dialogs.MessageDlg(kThemeHasNoEvents, DlgType::Information, kDlgOK);
        return;
    }
    TargetWrite run(model, theme.name);
    std::vector<std::string> names;
    for (const auto& write : writes)
        names.push_back(write.first);
    run.Keep(names);
    for (const auto& [destination, source] : writes)
        CopyWithReport(run, dialogs, ProgramFilePath(model.svc.files, model.state, source),
                       destination, destination);
    if (!FinishedWithReport(run.Finish(), dialogs))
        return;
    dialogs.MessageDlg(std::string(theme.name) + "－完成。", DlgType::Information, kDlgOK);
    run.TellNotes();
}

void SpeedButton5Click(MainModel& model) {
    ApplyPresetTheme(model, kPresetThemes[0]);
}
void SpeedButton7Click(MainModel& model) {
    ApplyPresetTheme(model, kPresetThemes[1]);
}
void SpeedButton8Click(MainModel& model) {
    ApplyPresetTheme(model, kPresetThemes[2]);
}
void SpeedButton10Click(MainModel& model) {
    ApplyPresetTheme(model, kPresetThemes[3]);
}
void SpeedButton11Click(MainModel& model) {
    ApplyPresetTheme(model, kPresetThemes[4]);
}

}  // namespace sonatrix
