// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

#include "program_windows.h"
#include "window_font.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sonatrix2009"));
    app.setApplicationDisplayName(QStringLiteral("Sonatrix2009"));
    // Lets the desktop match the window to the installed menu entry and icon.
    app.setDesktopFileName(QStringLiteral("org.sonatrix.Sonatrix"));
    app.setFont(sonatrix::gui::WindowFont());

    sonatrix::gui::ProgramWindows windows(sonatrix::gui::ExecutableFolder());
    windows.form1.show();
    return app.exec();
}
