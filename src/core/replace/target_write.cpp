// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/target_write.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/config_file.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/desktop_write.h"
#include "replace/store_of.h"

namespace sonatrix {
int CreateFolderAndParents(FileSystem& files, const std::string& folder) {
    std::vector<std::string> missing;
    for (std::string level = folder; !level.empty() && !files.FolderExists(level);) {
        missing.push_back(level);
        std::string above = FolderPart(level.substr(0, level.size() - 1));
        if (above.size() >= level.size())
            break;
        level = std::move(above);
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        const int error = files.CreateFolder(*level);
        if (error != 0 && !files.FolderExists(*level))
            return error;
    }
    return 0;
}

TargetWrite::TargetWrite(MainModel& model, std::string commandName)
    : model_(model), desktop_(model.state.TargetKind == kKindDesktop) {
    const std::string& folder = model.state.TargetSoundDir;
    // The desktop's folder is made on its first use, before its place is
    // named: a place is known by the folder as it is on disk.
    if (desktop_)
        prepareError_ = CreateFolderAndParents(model.svc.files, folder);
    run_ = std::make_unique<ChangeRun>(StoreOf(model), std::move(commandName),
                                       TargetPlace(model.state));
    if (desktop_ && prepareError_ == 0) {
        // What the user hears is read again at every write: they may have
        // chosen another theme since the last.
        std::optional<DesktopItem> index;
        prepareError_ = DesktopFolderIndex(model.svc.files, folder, index, missingTheme_);
        if (prepareError_ == 0 && index)
            prepareError_ = WriteBytes(index->second, index->first);
    }
}

TargetWrite::~TargetWrite() {
    Finish();
}

int TargetWrite::WriteBytes(const std::string& bytes, const std::string& name) {
    std::string content;
    if (const int error = StoreOf(model_).Keep({ItemValue::Kind::Bytes, bytes}, content))
        return error;
    return run_->PutBack(content, name);
}

void TargetWrite::Keep(const std::vector<std::string>& names) {
    if (prepareError_ != 0)
        return;
    std::vector<std::string> kept = names;
    if (desktop_) {
        for (const std::string& name : names) {
            for (std::string& shadow : DesktopShadowsOf(name)) {
                if (model_.svc.files.FileExists(model_.state.TargetSoundDir + shadow))
                    kept.push_back(std::move(shadow));
            }
        }
    }
    run_->Keep(kept);
}

int TargetWrite::Copy(const std::string& source, const std::string& name) {
    if (prepareError_ != 0)
        return prepareError_;
    if (const int error = run_->Copy(source, name))
        return error;
    if (desktop_) {
        // A same-named sound the desktop would look for first goes, kept.
        for (const std::string& shadow : DesktopShadowsOf(name)) {
            if (!model_.svc.files.FileExists(model_.state.TargetSoundDir + shadow))
                continue;
            if (const int error = run_->Remove(shadow))
                return error;
        }
        if (std::find(written_.begin(), written_.end(), name) == written_.end())
            written_.push_back(name);
    }
    return 0;
}

void TargetWrite::Finish() {
    if (finished_)
        return;
    finished_ = true;
    if (desktop_ && !written_.empty())
        PointDesktopAtWritten();
    run_->Finish();
}

void TargetWrite::PointDesktopAtWritten() {
    // Kept before the new values are made from them: a config file another
    // program writes meanwhile then keeps that program's write too.
    run_->Keep(DesktopSettingsToPoint(written_));
    std::vector<std::pair<std::string, int>> failed;
    for (const auto& [setting, value] :
         DesktopSettingsFor(model_.state.TargetSoundDir, written_, failed)) {
        if (const int error = WriteBytes(value, setting))
            failed.emplace_back(setting, error);
    }
    std::string failures;
    for (const auto& [setting, error] : failed)
        failures += (failures.empty() ? "" : "\n") + setting + "：" + SettingErrorText(error);
    if (!failures.empty())
        model_.svc.dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
}

std::string DesktopThemeMissingText(const std::string& theme) {
    return "声音主题“" + theme + "”没有安装，其他事件将播放 freedesktop 主题的声音。";
}

void TargetWrite::TellDesktopNotes() {
    if (!desktop_ || written_.empty())
        return;
    std::string notes;
    if (EventSoundsOff())
        notes = kDesktopSoundsOff;
    if (!missingTheme_.empty())
        notes += (notes.empty() ? "" : "\n") + DesktopThemeMissingText(missingTheme_);
    if (!notes.empty())
        model_.svc.dialogs.ShowMessage(notes);
}

}  // namespace sonatrix
