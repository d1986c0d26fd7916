#include "application_setup.h"

#include <QApplication>

#include "model/dialogs.h"
#include "window_font.h"

namespace sonatrix::gui {

void SetUpApplication(QApplication& app) {
    app.setApplicationName(QString::fromUtf8(kAppTitle));
    app.setFont(WindowFont());
}

}  // namespace sonatrix::gui
