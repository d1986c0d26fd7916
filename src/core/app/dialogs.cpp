#include "app/dialogs.h"

namespace sonatrix {

std::string AppErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ReportAppError(Dialogs& dialogs, const std::string& message) {
    dialogs.ShowAppError(AppErrorText(message));
}

}  // namespace sonatrix
