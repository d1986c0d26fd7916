#include "replace/themes.h"

#include <string>

#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "replace/copy_with_report.h"
#include "replace/single_replacement.h"
#include "replace/store_of.h"

namespace sonatrix {

void ApplyPresetTheme(MainModel& model, const PresetTheme& theme) {
    Dialogs& dialogs = model.svc.dialogs;
    // Without a target the destinations would be bare names in the working folder.
    if (!HaveTargetOrOfferPick(model, kNoTargetQuestion))
        return;
    if (model.state.ComboIndex > 0 &&
        dialogs.MessageDlg("此功能仅对QQ有效，如果您当前已经手工指定了qq目录，那么请选择OK。",
                           DlgType::Warning, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    // Read after the warning: a poll tick may have adopted a client meanwhile.
    ChangeRun run(StoreOf(model), theme.name, model.state.TargetSoundDir);
    run.Keep({kThemeDestinations.begin(), kThemeDestinations.end()});
    for (std::size_t row = 0; row < kThemeRows; ++row) {
        CopyWithReport(run, dialogs,
                       ProgramFilePath(model.svc.files, model.state, theme.sources[row]),
                       kThemeDestinations[row], kThemeDestinations[row]);
    }
    run.Finish();
    dialogs.MessageDlg(std::string(theme.name) + "－完成。", DlgType::Information, kDlgOK);
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
