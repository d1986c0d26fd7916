#include "replace/copy_with_report.h"

#include "model/dialogs.h"
#include "originals/change_run.h"
#include "platform/files.h"

namespace sonatrix {

bool CopyWithReport(ChangeRun& run, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label) {
    const int error = run.Copy(source, name);
    if (error == 0)
        return true;
    dialogs.MessageDlg(label + SystemErrorText(error), DlgType::Error, kDlgOK);
    return false;
}

}  // namespace sonatrix
