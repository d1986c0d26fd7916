// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/copy_with_report.h"

#include "discovery/program_sound_setting.h"
#include "model/dialogs.h"
#include "originals/change_run.h"
#include "platform/config_file.h"
#include "platform/files.h"
#include "replace/target_write.h"

namespace sonatrix {

namespace {

bool Reported(int error, Dialogs& dialogs, const std::string& label) {
    if (error == 0)
        return true;
    dialogs.MessageDlg(label + WriteFailureText(error), DlgType::Error, kDlgOK);
    return false;
}

}  // namespace

bool CopyWithReport(ChangeRun& run, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label) {
    return Reported(run.Copy(source, name), dialogs, label);
}

bool CopyWithReport(TargetWrite& write, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label) {
    return Reported(write.Copy(source, name), dialogs, label);
}

std::string WriteFailureText(int error) {
    if (error == kSettingsNotEditable)
        return kSettingsNotEditableText;
    return error == kChangedMeanwhile ? kKeptChanging : SettingErrorText(error);
}

bool FinishedWithReport(int error, Dialogs& dialogs) {
    if (error == 0)
        return true;
    dialogs.MessageDlg(kChangeNotRecorded + SystemErrorText(error), DlgType::Error, kDlgOK);
    return false;
}

}  // namespace sonatrix
