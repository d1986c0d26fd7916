#include "replace/undo_last_change.h"

#include <optional>
#include <string>
#include <vector>

#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "originals/originals_store.h"
#include "originals/undo_plan.h"
#include "platform/files.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

std::string NameLines(const std::vector<FileChange>& files) {
    std::string lines;
    for (const FileChange& change : files)
        lines += "\n" + change.name;
    return lines;
}

bool Confirmed(Dialogs& dialogs, const std::string& question) {
    return dialogs.MessageDlg(question, DlgType::Confirm, kDlgOK | kDlgCancel) == DlgResult::OK;
}

}  // namespace

void UndoLastChangeClick(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    OriginalsStore store = StoreOf(model);
    std::optional<UndoPlan> plan = PlanUndo(store);
    if (!plan) {
        dialogs.MessageDlg("没有可以撤销的更改。", DlgType::Information, kDlgOK);
        return;
    }
    const std::string& name = plan->entry.name;
    std::vector<FileChange> chosen;
    if (!plan->plain.empty()) {
        if (!Confirmed(dialogs, "将撤销“" + name + "”对以下声音的更改：" + NameLines(plan->plain)))
            return;
        chosen = plan->plain;
    }
    // What something else wrote since is not undone unless the user says so.
    if (!plan->changedSince.empty()) {
        if (Confirmed(dialogs, "以下声音在“" + name + "”之后又被改动过，是否也撤销对它们的更改：" +
                                   NameLines(plan->changedSince)))
            chosen.insert(chosen.end(), plan->changedSince.begin(), plan->changedSince.end());
        else if (chosen.empty())
            return;
    }

    const auto failures = Revert(store, plan->entry, chosen);
    // With a failure the entry stays, so that the next undo tries again;
    // the files already put back hold their before-bytes and are passed over.
    if (failures.empty()) {
        // Should marking fail, the next undo finds every file as it was
        // before the entry and passes over it all the same.
        MarkUndone(store, plan->entry);
    } else {
        std::string text;
        for (const auto& [file, error] : failures)
            text += (text.empty() ? "" : "\n") + file + SystemErrorText(error);
        dialogs.MessageDlg(text, DlgType::Error, kDlgOK);
    }
    const std::string& target = model.state.TargetSoundDir;
    if (!target.empty() && store.KeyOf(target) == plan->entry.folder)
        M_list_qqshund(model);
    dialogs.MessageDlg("已撤销：" + name, DlgType::Information, kDlgOK);
}

}  // namespace sonatrix
