// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dialogs.h"

namespace sonatrix {

const char* MessageDlgCaption(DlgType type) {
    switch (type) {
        case DlgType::Warning:
            return "Warning";
        case DlgType::Error:
            return "Error";
        case DlgType::Information:
            return "Information";
        case DlgType::Confirm:
            return "Confirm";
    }
    return "";
}

std::string AppErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ReportAppError(Dialogs& dialogs, const std::string& message) {
    dialogs.ShowAppError(AppErrorText(message));
}

}  // namespace sonatrix
