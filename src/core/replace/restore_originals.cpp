// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/restore_originals.h"

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "originals/change_run.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "originals/setting_restore.h"
#include "platform/config_file.h"
#include "platform/files.h"
#include "replace/desktop_write.h"
#include "replace/program_settings_gate.h"
#include "replace/store_of.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// The items restored with the sound `name`: on the desktop also the files
// it shadowed and, where each sound has its own, its settings.
std::vector<std::string> ItemsOfSound(const MainState& state, const std::string& name) {
    std::vector<std::string> items{name};
    if (state.TargetKind == kKindDesktop) {
        for (const auto& more : {DesktopShadowsOf(name), DesktopSettingsOfSound(name)})
            items.insert(items.end(), more.begin(), more.end());
    }
    return items;
}

// `only`: the one sound to restore; every kept item without it.
void RestoreOriginals(MainModel& model, const char* commandName,
                      const std::optional<std::string>& only) {
    Dialogs& dialogs = model.svc.dialogs;
    if (RefusedOnProgramSettings(model))
        return;
    OriginalsStore store = StoreOf(model);
    // The desktop's place is known by its folder: one removed since is made
    // again, so that the desktop's settings can still be put back.
    if (model.state.TargetKind == kKindDesktop && !model.state.TargetSoundDir.empty())
        CreateFolderAndParents(model.svc.files, model.state.TargetSoundDir);
    const std::string key =
        model.state.TargetSoundDir.empty() ? std::string() : store.KeyOf(TargetPlace(model.state));
    FolderOriginals originals;
    if (const int error = key.empty() ? 0 : store.ReadOriginals(key, originals)) {
        dialogs.MessageDlg(SystemErrorText(error), DlgType::Error, kDlgOK);
        return;
    }
    const auto place = PlaceOf(model.svc.files, key);
    std::vector<FolderOriginals::Original> chosen;
    if (!only)
        chosen = originals.files;
    else
        for (const std::string& item : ItemsOfSound(model.state, *only))
            if (const FolderOriginals::Original* original =
                    originals.Find(place->NameOf(item), *place))
                chosen.push_back(*original);
    if (chosen.empty()) {
        dialogs.MessageDlg("没有保存过这里的原始声音。", DlgType::Information, kDlgOK);
        return;
    }

    std::string question = "将恢复以下声音的原始文件：";
    for (const auto& original : chosen)
        question += "\n" + original.name;
    if (dialogs.MessageDlg(question, DlgType::Confirm, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    // A restore is a change like any other: undo can take it back.
    ChangeRun run(store, commandName, key);
    std::vector<std::string> names;
    for (const auto& original : chosen)
        names.push_back(original.name);
    run.Keep(names);
    std::string failures;
    std::string keptChoices;
    for (const auto& original : chosen) {
        std::string content = original.content;
        int error = 0;
        // A setting the user chose again since Sonatrix wrote it stays theirs.
        if (place->HoldsChoice(original.name)) {
            SettingRestore restore;
            error = PlanSettingRestore(store, *place, original.name, original.content, restore);
            if (error == 0 && restore.laterChoice) {
                keptChoices += "\n" + original.name;
                continue;
            }
            content = restore.content;
        }
        if (error == 0)
            error = run.PutBack(content, original.name);
        if (error != 0) {
            if (!failures.empty())
                failures += '\n';
            failures += original.name + SettingErrorText(error);
        }
    }
    run.Finish();
    M_list_qqshund(model);
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    else
        dialogs.MessageDlg(
            "已恢复原始声音。" + (keptChoices.empty()
                                      ? std::string()
                                      : "\n" + std::string(kKeptLaterChoices) + keptChoices),
            DlgType::Information, kDlgOK);
}

}  // namespace

void RestoreOriginalClick(MainModel& model, int index) {
    const auto& list = model.state.TargetList;
    if (index < 0 || index >= static_cast<int>(list.size()))
        return;
    RestoreOriginals(model, kRestoreOriginalCaption, list[static_cast<std::size_t>(index)]);
}

void RestoreAllOriginalsClick(MainModel& model) {
    RestoreOriginals(model, kRestoreAllOriginalsCaption, std::nullopt);
}

}  // namespace sonatrix
