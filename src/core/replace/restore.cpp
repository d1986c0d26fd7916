// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/restore.h"

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "discovery/manual_pick.h"
#include "discovery/target_switch.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/path_pieces.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

constexpr const char* kNoTargetQuestion = "当前没有可替换的QQ声音，是否手工指定程序？";
constexpr const char* kQuestionCaption = "询问";

using LocateFn = bool (*)(MainModel&, std::string&);

struct BatchOperation {
    const char* name;  // the button's caption
    LocateFn locate;
    const char* backupFolder;  // the set the sources come from, under AppDir
    std::vector<CopyRow> rows;
    const char* failureText;
    const char* completionText;
};

// Every file of a backup set over the file of the same name.
template <std::size_t N>
std::vector<CopyRow> WholeSet(const std::array<const char*, N>& files) {
    std::vector<CopyRow> rows;
    for (const char* name : files)
        rows.push_back({name, name});
    return rows;
}

template <std::size_t N>
std::vector<CopyRow> Rows(const std::array<CopyRow, N>& rows) {
    return {rows.begin(), rows.end()};
}

void RunBatch(MainModel& model, const BatchOperation& operation) {
    // The located folder is kept apart from TargetSoundDir, which the
    // lookups leave as they found it; a poll tick that adopts a client
    // while a lookup's question or picker is open is thus not undone.
    std::string folder;
    if (!operation.locate(model, folder))
        return;
    Dialogs& dialogs = model.svc.dialogs;
    if (folder.empty()) {
        dialogs.MessageDlg(operation.failureText, DlgType::Warning, kDlgOK);
        return;
    }
    const std::string sources = model.state.AppDir + NativePath(operation.backupFolder);
    ChangeRun run(StoreOf(model), operation.name, folder);
    std::vector<std::string> destinations;
    for (const CopyRow& row : operation.rows)
        destinations.push_back(row.destination);
    run.Keep(destinations);
    for (const CopyRow& row : operation.rows)
        CopyWithReport(run, dialogs, sources + row.source, row.destination, row.destination);
    if (FinishedWithReport(run.Finish(), dialogs))
        dialogs.MessageDlg(operation.completionText, DlgType::Information, kDlgOK);
}

}  // namespace

void SpeedButton4Click(MainModel& model) {
    RunBatch(model, {"还原QQ默认声音", LocateQQSoundDir, kQQBackupFolder, WholeSet(kQQBackupFiles),
                     "无效的qq路径，还原失败。", "已还原。"});
}

void SpeedButton14Click(MainModel& model) {
    RunBatch(model,
             {"还原默认MSN声音", LocateMsnSoundDir, kMsnBackupFolder, WholeSet(kMsnBackupFiles),
              "无效的MSN安装路径，还原失败。", "msn声音已还原。"});
}

void SpeedButton16Click(MainModel& model) {
    RunBatch(model, {"QQ使用MSN声音", LocateQQSoundDir, kMsnBackupFolder, Rows(kQQUsesMsnRows),
                     "无效的qq路径，操作失败。", "QQ使用了MSN音效。"});
}

void SpeedButton15Click(MainModel& model) {
    RunBatch(model, {"MSN使用QQ声音", LocateMsnSoundDir, kQQBackupFolder, Rows(kMsnUsesQQRows),
                     "无效的msn路径，操作失败。", "MSN使用了QQ音效。"});
}

void SpeedButton13Click(MainModel& model) {
    const auto& state = model.state;
    Dialogs& dialogs = model.svc.dialogs;
    if (RefusedOnProgramSettings(model))
        return;
    // Without a target every path would be a bare name in the working folder.
    if (state.TargetSoundDir.empty()) {
        if (dialogs.MessageBox(kNoTargetQuestion, kQuestionCaption, mb::kYesNo) == mb::kIdYes)
            SpeedButton1Click(model);
        return;
    }
    const std::string source = state.TargetSoundDir;
    const std::string destination = FolderPart(state.TargetStatusText) + NativePath("TMsound\\");
    ChangeRun run(StoreOf(model), "复制声音到TM", destination);
    run.Keep({kCopyToTMFiles.begin(), kCopyToTMFiles.end()});
    for (const char* name : kCopyToTMFiles)
        CopyWithReport(run, dialogs, source + name, name, name);
    if (FinishedWithReport(run.Finish(), dialogs))
        dialogs.MessageDlg("复制完毕。", DlgType::Information, kDlgOK);
}

}  // namespace sonatrix
