// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/themes.h"

#include <algorithm>
#include <array>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/desktop_events.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/single_replacement.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// The file each row of a theme writes; empty for a row passed over. On the
// desktop each QQ sound goes to its event: one with no event is passed
// over, and of two with the same event only the later is written, as it
// would overwrite the earlier.
std::array<std::string, kThemeRows> ThemeDestinations(bool desktop) {
    std::array<std::string, kThemeRows> destinations;
    for (std::size_t row = kThemeRows; row-- > 0;) {
        std::string name = kThemeDestinations[row];
        if (desktop) {
            const char* event = DesktopEventOfQQSound(name);
            name = event ? event + std::string(kDesktopSoundExtension) : std::string();
        }
        if (std::find(destinations.begin(), destinations.end(), name) == destinations.end())
            destinations[row] = std::move(name);
    }
    return destinations;
}

}  // namespace

void ApplyPresetTheme(MainModel& model, const PresetTheme& theme) {
    Dialogs& dialogs = model.svc.dialogs;
    if (RefusedOnProgramSettings(model))
        return;
    // Without a target the destinations would be bare names in the working folder.
    if (!HaveTargetOrOfferPick(model, kNoTargetQuestion))
        return;
    const bool desktop = model.state.TargetKind == kKindDesktop;
    if (model.state.ComboIndex > 0 && !desktop &&
        dialogs.MessageDlg("此功能仅对QQ有效，如果您当前已经手工指定了qq目录，那么请选择OK。",
                           DlgType::Warning, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    const std::array<std::string, kThemeRows> destinations = ThemeDestinations(desktop);
    // Read after the warning: a poll tick may have adopted a client meanwhile.
    TargetWrite run(model, theme.name);
    std::vector<std::string> names;
    for (const std::string& destination : destinations) {
        if (!destination.empty())
            names.push_back(destination);
    }
    run.Keep(names);
    for (std::size_t row = 0; row < kThemeRows; ++row) {
        if (destinations[row].empty())
            continue;
        CopyWithReport(run, dialogs,
                       ProgramFilePath(model.svc.files, model.state, theme.sources[row]),
                       destinations[row], destinations[row]);
    }
    run.Finish();
    dialogs.MessageDlg(std::string(theme.name) + "－完成。", DlgType::Information, kDlgOK);
    run.TellDesktopNotes();
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
