// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

#include "application_setup.h"
#include "program_windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sonatrix::gui::SetUpApplication(app);

    sonatrix::gui::ProgramWindows windows(sonatrix::gui::ExecutableFolder());
    windows.form1.show();
    return app.exec();
}
