#include "replace/target_write.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/desktop_write.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

// Creates `folder` and every missing folder above it, never a root.
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

}  // namespace

TargetWrite::TargetWrite(MainModel& model, std::string commandName)
    : model_(model),
      name_(std::move(commandName)),
      desktop_(model.state.TargetKind == kKindDesktop) {
    const std::string& folder = model.state.TargetSoundDir;
    // The desktop's folder is made on its first use.
    if (desktop_)
        prepareError_ = CreateFolderAndParents(model.svc.files, folder);
    run_ = std::make_unique<ChangeRun>(StoreOf(model), name_, folder);
    if (desktop_ && prepareError_ == 0)
        prepareError_ = PrepareDesktopFolder(model, *run_);
}

TargetWrite::~TargetWrite() {
    Finish();
}

void TargetWrite::Keep(const std::vector<std::string>& names) {
    if (prepareError_ != 0)
        return;
    std::vector<std::string> kept = names;
    if (desktop_) {
        for (const std::string& name : names) {
            for (std::string& shadow : DesktopShadowsOf(name)) {
                if (model_.svc.files.FileExists(run_->Folder() + shadow))
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
            if (!model_.svc.files.FileExists(run_->Folder() + shadow))
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
    run_->Finish();
    if (desktop_ && !written_.empty())
        PointDesktopAtWritten();
}

void TargetWrite::PointDesktopAtWritten() {
    const auto changes = DesktopSettingsFor(model_, written_);
    if (changes.empty())
        return;
    OriginalsStore store = StoreOf(model_);
    ChangeRun run(store, name_, std::string(kDesktopSettingsKey));
    std::vector<std::string> settings;
    for (const auto& change : changes)
        settings.push_back(change.first);
    run.Keep(settings);
    std::string failures;
    for (const auto& [setting, value] : changes) {
        std::string content;
        int error = store.KeepBytes(value, content);
        if (error == 0)
            error = run.PutBack(content, setting);
        if (error != 0)
            failures += (failures.empty() ? "" : "\n") + setting + SystemErrorText(error);
    }
    run.Finish();
    if (!failures.empty())
        model_.svc.dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
}

void TargetWrite::TellIfSoundsOff() {
    if (desktop_ && !written_.empty() && model_.svc.desktop.EventSoundsOff())
        model_.svc.dialogs.ShowMessage(kDesktopSoundsOff);
}

}  // namespace sonatrix
