// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/dropped_replacement.h"

#include "catalogue/catalogue.h"
#include "library/add_sounds.h"
#include "library/library_tree.h"
#include "library/sound_files.h"
#include "model/batch_progress.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "platform/path_pieces.h"
#include "replace/single_replacement.h"

namespace sonatrix {
namespace {

// The drop chooses both halves of the replacement, as two clicks would
// (without playing them).
void ChooseAndReplace(MainModel& model, int row, const std::string& librarySound) {
    MainState& state = model.state;
    state.SelectedLibrarySound = librarySound;
    state.SelectedTargetSound = state.TargetList[static_cast<std::size_t>(row)];
    state.SoundDescriptionText = SoundDescription(state.SelectedTargetSound);
    model.Changed(kAspectLabels);
    M_replace89(model);
}

bool IsTargetRow(const MainModel& model, int row) {
    return row >= 0 && row < static_cast<int>(model.state.TargetList.size());
}

}  // namespace

void ListBox1DropLibrarySound(MainModel& model, int row, const std::string& librarySound) {
    if (IsTargetRow(model, row))
        ChooseAndReplace(model, row, librarySound);
}

void ListBox1DropFile(MainModel& model, int row, const std::string& path) {
    if (!IsTargetRow(model, row))
        return;
    // Nothing is converted for a replacement that cannot take place.
    if (!HaveTargetOrOfferPick(model, kNoTargetQuestion))
        return;
    if (!IsSoundFileName(FileNameOf(path))) {
        model.svc.dialogs.MessageDlg(kNoWavInFolder, DlgType::Warning, kDlgOK);
        return;
    }
    AddReport report;
    if (!AddSoundFiles(model, {path}, report))
        return;
    RebuildLibraryTree(model);
    // The program is closing: nothing more is said or replaced.
    if (model.svc.progress.Closing())
        return;
    if (!report.failed.empty()) {
        model.svc.dialogs.MessageDlg(FailedAddsText(report.failed), DlgType::Error, kDlgOK);
        return;
    }
    if (report.added.empty())
        return;  // cancelled
    ChooseAndReplace(model, row, std::string(kCustomCategory) + kSep + report.added.front());
}

}  // namespace sonatrix
