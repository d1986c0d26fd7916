#include "replace/copy_with_report.h"

#include "model/dialogs.h"
#include "platform/files.h"

namespace sonatrix {

bool CopyWithReport(FileSystem& files, Dialogs& dialogs, const std::string& source,
                    const std::string& destination, const std::string& label) {
    const int error = files.CopyFile(source, destination);
    if (error == 0)
        return true;
    dialogs.MessageDlg(label + SystemErrorText(error), DlgType::Error, kDlgOK);
    return false;
}

}  // namespace sonatrix
