// SPDX-License-Identifier: GPL-3.0-or-later
// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

#include "application_setup.h"
#include "bundled_font.h"
#include "platform/user_data.h"
#include "program_windows.h"
#include "qt_dialogs.h"
#include "single_instance.h"

int main(int argc, char* argv[]) {
    sonatrix::gui::ChooseTextRasteriser();
    QApplication app(argc, argv);
    sonatrix::gui::SetUpApplication(app);

    // A second start shows the first one's window instead of its own.
    using Role = sonatrix::gui::SingleInstance::Role;
    sonatrix::gui::SingleInstance instance(sonatrix::UserDataFolder());
    sonatrix::gui::QtDialogs startDialogs;
    switch (instance.TakeRole(startDialogs)) {
        case Role::Program:
            break;
        case Role::Shown:
            return 0;
        case Role::NotAnswering:
            return 1;
    }

    sonatrix::gui::ProgramWindows windows(sonatrix::gui::ExecutableFolder());
    QObject::connect(&instance, &sonatrix::gui::SingleInstance::showRequested, &windows.form1,
                     [&windows] { sonatrix::gui::BringToFront(windows.form1); });
    windows.form1.show();
    return app.exec();
}
