// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/restore_originals.h"

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "discovery/program_target.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "originals/change_run.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "originals/setting_restore.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/copy_with_report.h"
#include "replace/desktop_write.h"
#include "replace/program_settings_gate.h"
#include "replace/put_back_asking.h"
#include "replace/store_of.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

constexpr const char* kChangedWhileRestoring =
    "以下声音在询问之后又被改动过，是否仍恢复它们的原始文件：";

// The items restored with the sound `name`, its own first: on the desktop
// also the files it shadowed and, where each sound has its own, its
// settings; for a program's event its sound and the program's settings.
std::vector<std::string> ItemsOfSound(const MainState& state, const std::string& dataFolder,
                                      const std::string& name) {
    std::vector<std::string> items{name};
    if (state.TargetKind == kKindDesktop) {
        for (const auto& more : {DesktopShadowsOf(name), DesktopSettingsOfSound(name)})
            items.insert(items.end(), more.begin(), more.end());
    } else if (state.TargetKind == kKindProgram) {
        // A program's event: its sound and the settings that name it.
        const SettingsProgram& program = state.TargetProgram;
        if (const ProgramEvent* event = program.EventNamed(name))
            items = {FileNameOf(ProgramSoundFile(dataFolder, program, *event)),
                     FileNameOf(program.settingsFile)};
    }
    return items;
}

// `only`: the one sound to restore; every kept item without it.
void RestoreOriginals(MainModel& model, const char* commandName,
                      const std::optional<std::string>& only) {
    Dialogs& dialogs = model.svc.dialogs;
    if (ProgramMustCloseFirst(model))
        return;
    OriginalsStore store = StoreOf(model);
    // The desktop's place is known by its folder: one removed since is made
    // again, so that the desktop's settings can still be put back.
    if ((model.state.TargetKind == kKindDesktop || model.state.TargetKind == kKindProgram) &&
        !model.state.TargetSoundDir.empty())
        CreateFolderAndParents(model.svc.files, model.state.TargetSoundDir);
    const std::string key =
        model.state.TargetSoundDir.empty() ? std::string() : store.KeyOf(TargetPlace(model.state));
    FolderOriginals originals;
    if (const int error = key.empty() ? 0 : store.ReadOriginals(key, originals)) {
        // The record is named: it is the user's to look at or mend.
        dialogs.MessageDlg(store.RecordPath(key) + "\n" + SystemErrorText(error), DlgType::Error,
                           kDlgOK);
        return;
    }
    const auto place = PlaceOf(model.svc.files, key);
    std::vector<FolderOriginals::Original> chosen;
    std::string soundItem;  // the restored sound's own item
    if (!only) {
        chosen = originals.files;
    } else {
        const std::vector<std::string> items = ItemsOfSound(model.state, model.DataFolder, *only);
        soundItem = place->NameOf(items.front());
        for (const std::string& item : items)
            if (const FolderOriginals::Original* original =
                    originals.Find(place->NameOf(item), *place))
                chosen.push_back(*original);
    }
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
    // What each file held once the user said yes is what it may be
    // restored over; a client writing it since is asked about. A setting
    // the user chose again since Sonatrix wrote it stays theirs.
    std::vector<PutBackItem> items;
    std::string failures;
    std::string keptChoices;
    const auto fail = [&](const std::string& text) {
        failures += (failures.empty() ? "" : "\n") + text;
    };
    for (const auto& original : chosen) {
        std::string content = original.content;
        if (only && place->HoldsChoice(original.name)) {
            // Of settings shared by several sounds, only this sound's part.
            bool planned = false;
            if (const int error = PlanSoundRestore(store, *place, original.name, soundItem,
                                                   original.content, planned, content)) {
                fail(original.name + WriteFailureText(error));
                continue;
            }
            if (planned) {
                items.push_back({original.name, content, run.Holds(original.name)});
                continue;
            }
        }
        // A setting the user chose again since Sonatrix wrote it stays theirs.
        if (place->HoldsChoice(original.name)) {
            SettingRestore restore;
            if (const int error =
                    PlanSettingRestore(store, *place, original.name, original.content, restore)) {
                fail(original.name + WriteFailureText(error));
                continue;
            }
            if (restore.laterChoice) {
                keptChoices += "\n" + original.name;
                continue;
            }
            content = restore.content;
        }
        items.push_back({original.name, content, run.Holds(original.name)});
    }
    if (const std::string putBack = PutBackAsking(run, dialogs, items, kChangedWhileRestoring);
        !putBack.empty())
        fail(putBack);
    const int finished = run.Finish();
    RereadProgramEvents(model);
    M_list_qqshund(model);
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    if (FinishedWithReport(finished, dialogs) && failures.empty())
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
