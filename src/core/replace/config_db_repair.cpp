// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/config_db_repair.h"

#include <string>

#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/files.h"
#include "platform/foreign_paths.h"
#include "platform/path_pieces.h"
#include "replace/config_db_scan.h"
#include "replace/copy_with_report.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

// The account folders lie in the installation folder, which is QQ's sound
// folder without its "sound\" (six characters).
constexpr std::size_t kSoundFolderLength = 6;

// The Config.db of the typed number, or empty once the user gave up.
std::string AskForConfigDb(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    for (;;) {
        const std::string number = dialogs.InputQuery(
            "请输入qq号码   ", "请输入当前登陆的QQ号来定位配置文件           ", kQQNumberMaxLength);
        if (number.empty())
            return {};
        const std::string& soundDir = model.state.TargetSoundDir;
        if (soundDir.empty()) {
            dialogs.ShowMessage("当前qq路径无效，可能qq没在运行，请“手工指定程序”或者重新启动程序");
            return {};
        }
        const std::string installDir =
            soundDir.size() > kSoundFolderLength
                ? soundDir.substr(0, soundDir.size() - kSoundFolderLength)
                : std::string();
        const std::string path = installDir + number + kSep + "Config.db";
        if (model.svc.files.FileExists(path))
            return path;
        dialogs.ShowMessage("当前qq配置文件没有找到。可能您输入的qq号有误，请重试看看。");
    }
}

void OfferReset(MainModel& model, const std::string& path) {
    Dialogs& dialogs = model.svc.dialogs;
    const int answer = dialogs.MessageBox(
        "文件路径异常，是否删除config.db "
        "文件来初始化qq设置？删除此文件并不会丢失聊天记录，qq在登陆时会重建此文件。请先退出qq程"
        "序，然后点击“确定”来删除此文件。",
        "重置config文件", mb::kOKCancel | mb::kIconWarning);
    if (answer != mb::kIdOK)
        return;
    // QQ may still hold the file open: the user must hear that it stayed.
    ChangeRun run(StoreOf(model), "重置config文件", FolderPart(path));
    const int error = run.Remove(FileNameOf(path));
    const int finished = run.Finish();
    if (error != 0)
        dialogs.MessageDlg("删除失败：" + path + "\n" + WriteFailureText(error), DlgType::Error,
                           kDlgOK);
    else
        FinishedWithReport(finished, dialogs);
}

}  // namespace

void Button2Click(MainModel& model) {
    const std::string path = AskForConfigDb(model);
    if (path.empty())
        return;
    std::string bytes;
    if (model.svc.files.ReadWholeFile(path, bytes) != 0) {
        ReportAppError(model.svc.dialogs, "Cannot open file " + path);
        return;
    }
    model.svc.dialogs.SetBusyCursor(true);
    const std::string recorded = RecordedSoundFolder(bytes);
    model.svc.dialogs.SetBusyCursor(false);

    // The folder is a Windows path; here it may name a folder in a Wine prefix.
    const std::string folder = recorded.empty()
                                   ? std::string()
                                   : NativePathFromWindows(recorded, model.state.TargetSoundDir);
    if (!folder.empty() && model.svc.files.FolderExists(folder)) {
        // A mapped folder may come back without its final separator.
        model.state.TargetSoundDir = folder == recorded ? folder : WithTrailingSeparator(folder);
        model.svc.dialogs.ShowMessage("路径已重定位到：" + model.state.TargetSoundDir);
        return;
    }
    OfferReset(model, path);
}

}  // namespace sonatrix
