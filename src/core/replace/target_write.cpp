// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/target_write.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "originals/store_lock.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/loudness_match.h"
#include "replace/store_of.h"
#include "replace/target_kind_writes.h"

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
        // What is written into it lasts only as long as its name does.
        if (const int syncError = files.SyncFolder(FolderPart(level->substr(0, level->size() - 1))))
            return syncError;
    }
    return 0;
}

// The run's items, as the kind of target keeps and writes them.
class TargetWrite::RunWriter : public PlaceWriter {
  public:
    RunWriter(MainModel& model, ChangeRun& run) : model_(model), run_(run) {}
    void Keep(const std::vector<std::string>& names) override { run_.Keep(names); }
    int WriteBytes(const std::string& bytes, const std::string& name) override {
        std::string content;
        {
            OriginalsStore store = StoreOf(model_);
            StoreLock lock(store);
            int error = lock.Error();
            if (error == 0)
                error = store.Keep({ItemValue::Kind::Bytes, bytes, {}}, content);
            if (error != 0)
                return error;
        }
        return run_.PutBack(content, name);
    }
    int Remove(const std::string& name) override { return run_.Remove(name); }

  private:
    MainModel& model_;
    ChangeRun& run_;
};

TargetWrite::TargetWrite(MainModel& model, std::string commandName)
    : model_(model), kind_(WritesOfTarget(model)) {
    prepareError_ = kind_->PrepareFolder();
    run_ = std::make_unique<ChangeRun>(StoreOf(model), std::move(commandName),
                                       TargetPlace(model.state));
    writer_ = std::make_unique<RunWriter>(model, *run_);
    if (prepareError_ == 0)
        prepareError_ = kind_->Prepare(*writer_);
}

TargetWrite::~TargetWrite() {
    Finish();
}

void TargetWrite::Keep(const std::vector<std::string>& names) {
    if (prepareError_ != 0)
        return;
    std::vector<std::string> kept;
    for (const std::string& name : names) {
        std::string item;
        if (kind_->ItemOfSound(name, item) != 0)
            continue;
        kept.push_back(item);
        for (std::string& shadow : kind_->ShadowsOf(item))
            kept.push_back(std::move(shadow));
    }
    run_->Keep(kept);
}

int TargetWrite::Copy(const std::string& source, const std::string& name) {
    if (prepareError_ != 0)
        return prepareError_;
    std::string item;
    if (const int error = kind_->ItemOfSound(name, item))
        return error;
    const MatchedSound matched = model_.state.MatchLoudness
                                     ? MatchToTargetSound(model_, *kind_, source, name, item)
                                     : MatchedSound{};
    if (const int error =
            matched.bytes ? writer_->WriteBytes(*matched.bytes, item) : run_->Copy(source, item))
        return error;
    if (!matched.note.empty())
        loudnessNotes_ += (loudnessNotes_.empty() ? "" : "\n") + name + "：" + matched.note;
    // A same-named sound that would be heard instead goes, kept.
    for (const std::string& shadow : kind_->ShadowsOf(item)) {
        if (const int error = run_->Remove(shadow))
            return error;
    }
    if (const int error = kind_->AfterWrite(*writer_, name, item))
        return error;
    if (std::find(written_.begin(), written_.end(), name) == written_.end())
        written_.push_back(name);
    return 0;
}

int TargetWrite::Finish() {
    if (finished_)
        return finishError_;
    finished_ = true;
    if (prepareError_ == 0)
        kind_->Finish(*writer_, written_);
    finishError_ = run_->Finish();
    // Why sounds were not made as loud as their originals matters only once
    // the change is recorded; a failure is reported by the command.
    if (finishError_ == 0 && !loudnessNotes_.empty())
        model_.svc.dialogs.MessageDlg(loudnessNotes_, DlgType::Information, kDlgOK);
    return finishError_;
}

void TargetWrite::TellNotes() {
    const std::string notes = kind_->Notes(written_);
    if (!notes.empty())
        model_.svc.dialogs.ShowMessage(notes);
}

}  // namespace sonatrix
