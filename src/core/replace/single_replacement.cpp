// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/single_replacement.h"

#include "catalogue/catalogue.h"
#include "discovery/manual_pick.h"
#include "library/library_tree.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/config_db_repair.h"
#include "replace/copy_with_report.h"
#include "replace/program_settings_gate.h"
#include "replace/target_write.h"

namespace sonatrix {

bool HaveTargetOrOfferPick(MainModel& model, const std::string& question) {
    if (!model.state.TargetSoundDir.empty())
        return true;
    if (model.svc.dialogs.MessageBox(question, kQuestionCaption, mb::kYesNo) == mb::kIdYes)
        SpeedButton1Click(model);
    return false;
}

void M_replace89(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    const MainState& state = model.state;
    if (ProgramMustCloseFirst(model))
        return;
    if (!HaveTargetOrOfferPick(model, kNoTargetQuestion))
        return;
    if (!SameIgnoringAsciiCase(ExtensionOf(state.SelectedLibrarySound), ".wav")) {
        dialogs.ShowMessage("请在新声音列表内选择一个新的声音。");
        return;
    }
    if (state.SelectedTargetSound.empty()) {
        dialogs.ShowMessage("请在右边QQ或MSN声音列表内选择一个要替换的声音。");
        return;
    }
    const std::string question = "点击“OK”按钮，将用声音 " + state.SelectedLibrarySound +
                                 "替换掉 " + state.SelectedTargetSound;
    if (dialogs.MessageDlg(question, DlgType::Confirm, kDlgOK | kDlgCancel) != DlgResult::OK)
        return;

    // Read after the dialog: a poll tick may have adopted a client meanwhile.
    const std::string source = LibraryFilePath(model.svc.files, state, state.SelectedLibrarySound);
    TargetWrite write(model, kReplaceCaption);
    const int error = write.Copy(source, state.SelectedTargetSound);
    const int finished = write.Finish();
    if (error != 0) {
        dialogs.MessageDlg(WriteFailureText(error), DlgType::Error, kDlgOK);
        return;
    }
    if (!FinishedWithReport(finished, dialogs))
        return;
    // The question about QQ's settings file means nothing for the desktop
    // or a program's settings.
    if (state.TargetKind == kKindDesktop || state.TargetKind == kKindProgram)
        write.TellNotes();
    else
        ConfirmReplacementWorked(model);
}

void SpeedButton3Click(MainModel& model) {
    M_replace89(model);
}
void ListBox1DblClick(MainModel& model) {
    M_replace89(model);
}
void TreeView1DblClick(MainModel& model) {
    M_replace89(model);
}

void ConfirmReplacementWorked(MainModel& model) {
    const int answer = model.svc.dialogs.MessageBox(
        "替换成功，是否有效？如果对您的qq无效，请点击“取消”按钮来重设qq目录", "ok",
        mb::kOKCancel | mb::kIconInformation);
    if (answer == mb::kIdCancel)
        Button2Click(model);
}

}  // namespace sonatrix
