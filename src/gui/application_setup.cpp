// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_setup.h"

#include <QApplication>

#include "bundled_font.h"
#include "model/dialogs.h"
#include "window_font.h"

namespace sonatrix::gui {

void SetUpApplication(QApplication& app) {
    app.setApplicationName(QString::fromUtf8(kAppTitle));
    // Lets the desktop match the windows to the installed menu entry and icon.
    app.setDesktopFileName(QStringLiteral("org.sonatrix.Sonatrix"));
    UseBundledFontWhereSongtiIsMissing(QCoreApplication::applicationDirPath());
    app.setFont(WindowFont());
}

}  // namespace sonatrix::gui
