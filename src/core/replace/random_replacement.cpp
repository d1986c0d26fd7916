// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/random_replacement.h"

#include <cstdint>
#include <random>

#include "catalogue/catalogue.h"
#include "discovery/manual_pick.h"
#include "library/library_tree.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/single_replacement.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// A drawn ".wav" file of the library, or nothing when the draws found none.
const std::string* DrawWav(MainModel& model, const std::vector<std::string>& library) {
    for (int attempt = 0; attempt < kRandomDrawTries; ++attempt) {
        const std::int32_t n = DrawLibraryFileNumber(model);
        // The library may have shrunk since the tree counted it.
        if (n > static_cast<std::int64_t>(library.size()))
            return nullptr;
        const std::string& file = library[static_cast<std::size_t>(n - 1)];
        if (SameIgnoringAsciiCase(ExtensionOf(file), ".wav"))
            return &file;
    }
    return nullptr;
}

}  // namespace

void Button3Click(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    if (ProgramMustCloseFirst(model))
        return;
    if (dialogs.MessageBox("是否随机换音？", kQuestionCaption, mb::kYesNo) != mb::kIdYes)
        return;
    const MainState& state = model.state;
    const char* noTargetQuestion = "当前没有可替换的声音，是否手工指定程序？";
    if (state.TargetList.empty()) {
        if (dialogs.MessageBox(noTargetQuestion, kQuestionCaption, mb::kYesNo) == mb::kIdYes)
            SpeedButton1Click(model);
        return;
    }
    // Without a target folder the destinations would be bare names in the
    // working folder.
    if (!HaveTargetOrOfferPick(model, noTargetQuestion))
        return;

    // One walk for the whole command; each draw indexes into it.
    const std::vector<std::string> library =
        LibraryFilesInWalkOrder(model.svc.files, LibraryFolders(state));
    TargetWrite run(model, "随机换音");
    run.Keep(state.TargetList);
    std::string failures;
    for (const std::string& item : state.TargetList) {
        const std::string* source = DrawWav(model, library);
        if (!source)
            continue;
        if (const int error = run.Copy(*source, item)) {
            if (!failures.empty())
                failures += '\n';
            failures += item + WriteFailureText(error);
        }
    }
    const int finished = run.Finish();
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    if (!FinishedWithReport(finished, dialogs))
        return;
    dialogs.MessageBox("随机换音完成。", "完成", mb::kOK);
    run.TellNotes();
}

}  // namespace sonatrix
