// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

#include "bundled_font.h"
#include "program_windows.h"
#include "window_font.h"

int main(int argc, char* argv[]) {
    sonatrix::gui::ChooseTextRasteriser();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sonatrix2009"));
    app.setApplicationDisplayName(QStringLiteral("Sonatrix2009"));
    sonatrix::gui::UseBundledFontWhereSongtiIsMissing(QCoreApplication::applicationDirPath());
    app.setFont(sonatrix::gui::WindowFont());

    sonatrix::gui::ProgramWindows windows(sonatrix::gui::ExecutableFolder());
    windows.form1.show();
    return app.exec();
}
