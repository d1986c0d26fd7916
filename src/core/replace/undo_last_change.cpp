// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/undo_last_change.h"

#include <optional>
#include <string>
#include <vector>

#include "discovery/program_target.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "originals/change_run.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "originals/undo_plan.h"
#include "platform/files.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/put_back_asking.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

// The texts of one direction; "%" stands for the change's name.
struct TakeBackTexts {
    EntryKind kind;
    int (*plan)(const OriginalsStore&, std::optional<TakeBackPlan>&);
    const char* nothing;
    const char* question;
    const char* changedSince;
    const char* folderGone;
    const char* damaged;
    const char* done;
};

constexpr TakeBackTexts kUndo{EntryKind::Undo,
                              PlanUndo,
                              "没有可以撤销的更改。",
                              "将撤销“%”对以下声音的更改：",
                              "以下声音在“%”之后又被改动过，是否也撤销对它们的更改：",
                              "无法撤销“%”：它更改过的文件夹已不存在：",
                              "无法撤销上次更改：它的记录已损坏：",
                              "已撤销：%"};
constexpr TakeBackTexts kRedo{EntryKind::Redo,
                              PlanRedo,
                              "没有可以重做的更改。",
                              "将重做“%”对以下声音的更改：",
                              "以下声音在撤销“%”之后又被改动过，是否也重做对它们的更改：",
                              "无法重做“%”：它更改过的文件夹已不存在：",
                              "无法重做上次撤销：它的记录已损坏：",
                              "已重做：%"};

std::string WithName(const char* text, const std::string& name) {
    std::string out = text;
    return out.replace(out.find('%'), 1, name);
}

// The change as the user knows it: an undo of "X" is redone as "X".
std::string ChangeName(const JournalEntry& entry) {
    const std::string_view prefix = kUndoEntryPrefix;
    if (entry.header.kind == EntryKind::Undo && entry.name.starts_with(prefix))
        return entry.name.substr(prefix.size());
    return entry.name;
}

// Each name on a line of its own, so that a name in another encoding than
// the question's is shown as itself.
std::string NameLines(const std::vector<PlannedFile>& files) {
    std::string lines;
    for (const PlannedFile& file : files)
        lines += "\n" + file.change.name;
    return lines;
}

void Skip(MainModel& model, OriginalsStore& store, const JournalEntry& entry) {
    if (const int error = SkipEntry(store, entry))
        model.svc.dialogs.MessageDlg(SystemErrorText(error), DlgType::Error, kDlgOK);
}

// The files to take back as the user answered; nothing when they cancelled
// or skipped (`skipped` then says which).
std::vector<PlannedFile> AskWhich(MainModel& model, const TakeBackTexts& texts,
                                  const TakeBackPlan& plan, const std::string& name,
                                  bool& skipped) {
    Dialogs& dialogs = model.svc.dialogs;
    skipped = false;
    std::vector<PlannedFile> chosen;
    // The folder is named when it is not the one the list shows.
    const bool elsewhere = StoreOf(model).KeyOf(TargetPlace(model.state)) != plan.entry.folder;
    const std::string where = elsewhere ? "\n" + FolderOfPlace(plan.entry.folder) : std::string();
    if (!plan.plain.empty()) {
        const DlgResult answer =
            dialogs.MessageDlg(WithName(texts.question, name) + where + NameLines(plan.plain),
                               DlgType::Confirm, kDlgOK | kDlgCancel | kDlgSkip);
        if (answer != DlgResult::OK) {
            skipped = answer == DlgResult::Skip;
            return {};
        }
        chosen = plan.plain;
    }
    // What something else wrote since is not taken back unless the user says so.
    if (!plan.changedSince.empty()) {
        const unsigned buttons = kDlgOK | kDlgCancel | (chosen.empty() ? kDlgSkip : 0u);
        const DlgResult answer = dialogs.MessageDlg(WithName(texts.changedSince, name) +
                                                        (chosen.empty() ? where : std::string()) +
                                                        NameLines(plan.changedSince),
                                                    DlgType::Confirm, buttons);
        if (answer == DlgResult::OK)
            chosen.insert(chosen.end(), plan.changedSince.begin(), plan.changedSince.end());
        skipped = answer == DlgResult::Skip;
    }
    return chosen;
}

void TakeBack(MainModel& model, const TakeBackTexts& texts) {
    Dialogs& dialogs = model.svc.dialogs;
    OriginalsStore store = StoreOf(model);
    std::optional<TakeBackPlan> plan;
    // A journal that cannot be listed is not one with nothing in it.
    if (const int error = texts.plan(store, plan)) {
        dialogs.MessageDlg(store.Subfolder("journal") + "\n" + SystemErrorText(error),
                           DlgType::Error, kDlgOK);
        return;
    }
    if (!plan) {
        dialogs.MessageDlg(texts.nothing, DlgType::Information, kDlgOK);
        return;
    }
    if (plan->damaged != 0) {
        if (dialogs.MessageDlg(std::string(texts.damaged) + "\n" +
                                   JournalEntryPath(store, plan->entry.header) + "\n" +
                                   SystemErrorText(plan->damaged),
                               DlgType::Confirm, kDlgSkip | kDlgCancel) == DlgResult::Skip)
            Skip(model, store, plan->entry);
        return;
    }
    const std::string name = ChangeName(plan->entry);
    if (plan->folderGone) {
        if (dialogs.MessageDlg(
                WithName(texts.folderGone, name) + "\n" + FolderOfPlace(plan->entry.folder),
                DlgType::Confirm, kDlgSkip | kDlgCancel) == DlgResult::Skip)
            Skip(model, store, plan->entry);
        return;
    }
    if (ProgramOfPlaceMustCloseFirst(model, plan->entry.folder))
        return;
    bool skipped = false;
    const std::vector<PlannedFile> chosen = AskWhich(model, texts, *plan, name, skipped);
    if (skipped)
        Skip(model, store, plan->entry);
    if (chosen.empty())
        return;

    // Each file is kept and checked again just before it is written: the
    // question may have been open a while.
    ChangeRun run(store, texts.kind == EntryKind::Undo ? kUndoEntryPrefix + name : name,
                  plan->entry.folder, texts.kind, plan->entry.header.number);
    std::vector<PutBackItem> items;
    for (const PlannedFile& file : chosen)
        items.push_back({file.change.name, file.change.before, file.now});
    const std::string failures =
        PutBackAsking(run, dialogs, items, WithName(texts.changedSince, name));
    const int finished = run.Finish();
    if (store.KeyOf(TargetPlace(model.state)) == plan->entry.folder) {
        RereadProgramEvents(model);
        M_list_qqshund(model);
    }
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    if (FinishedWithReport(finished, dialogs) && failures.empty())
        dialogs.MessageDlg(WithName(texts.done, name), DlgType::Information, kDlgOK);
}

}  // namespace

void UndoLastChangeClick(MainModel& model) {
    TakeBack(model, kUndo);
}

void RedoClick(MainModel& model) {
    TakeBack(model, kRedo);
}

}  // namespace sonatrix
