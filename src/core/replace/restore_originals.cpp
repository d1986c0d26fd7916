#include "replace/restore_originals.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "originals/change_run.h"
#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/folder_key.h"
#include "replace/desktop_write.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

// What one restore gives back in one folder of the store.
struct Restored {
    std::string key;
    std::vector<FolderOriginals::Original> originals;
};

// The originals kept under `key` whose names `wanted` accepts.
template <typename Wanted>
int ChooseOriginals(const OriginalsStore& store, const std::string& key, Wanted wanted,
                    std::vector<Restored>& chosen) {
    FolderOriginals originals;
    if (const int error = key.empty() ? 0 : store.ReadOriginals(key, originals))
        return error;
    Restored restored{key, {}};
    for (const auto& original : originals.files) {
        if (wanted(original.name))
            restored.originals.push_back(original);
    }
    if (!restored.originals.empty())
        chosen.push_back(std::move(restored));
    return 0;
}

bool Among(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& listed) { return SameFileName(listed, name); });
}

// `only`: the one sound to restore; every kept one without it. On the
// desktop a sound comes back with what it shadowed and, where each sound
// has its own, its setting; the whole desktop with every setting.
void RestoreOriginals(MainModel& model, const char* commandName,
                      const std::optional<std::string>& only) {
    Dialogs& dialogs = model.svc.dialogs;
    OriginalsStore store = StoreOf(model);
    const bool desktop = model.state.TargetKind == kKindDesktop;
    const std::string key = model.state.TargetSoundDir.empty()
                                ? std::string()
                                : store.KeyOf(model.state.TargetSoundDir);
    std::vector<std::string> files, settings;
    if (only) {
        files.push_back(*only);
        if (desktop) {
            const auto shadows = DesktopShadowsOf(*only);
            files.insert(files.end(), shadows.begin(), shadows.end());
            settings = DesktopSettingsOfSound(*only);
        }
    }
    std::vector<Restored> chosen;
    int error = ChooseOriginals(
        store, key, [&](const std::string& name) { return !only || Among(files, name); }, chosen);
    if (error == 0 && desktop)
        error = ChooseOriginals(
            store, std::string(kDesktopSettingsKey),
            [&](const std::string& name) { return !only || Among(settings, name); }, chosen);
    if (error != 0) {
        dialogs.MessageDlg(SystemErrorText(error), DlgType::Error, kDlgOK);
        return;
    }
    if (chosen.empty()) {
        dialogs.MessageDlg("没有保存过这里的原始声音。", DlgType::Information, kDlgOK);
        return;
    }

    std::string question = "将恢复以下声音的原始文件：";
    for (const Restored& restored : chosen) {
        for (const auto& original : restored.originals)
            question += "\n" + original.name;
    }
    if (dialogs.MessageDlg(question, DlgType::Confirm, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    std::string failures;
    for (const Restored& restored : chosen) {
        // A restore is a change like any other: undo can take it back.
        ChangeRun run(store, commandName, restored.key);
        std::vector<std::string> names;
        for (const auto& original : restored.originals)
            names.push_back(original.name);
        run.Keep(names);
        for (const auto& original : restored.originals) {
            if (const int failed = run.PutBack(original.content, original.name)) {
                if (!failures.empty())
                    failures += '\n';
                failures += original.name + SystemErrorText(failed);
            }
        }
        run.Finish();
    }
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    M_list_qqshund(model);
    dialogs.MessageDlg("已恢复原始声音。", DlgType::Information, kDlgOK);
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
