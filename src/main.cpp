// SPDX-License-Identifier: GPL-3.0-or-later
// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

#include "application_setup.h"
#include "bundled_font.h"
#include "platform/user_data.h"
#include "program_windows.h"
#include "single_instance.h"

int main(int argc, char* argv[]) {
    sonatrix::gui::ChooseTextRasteriser();
    QApplication app(argc, argv);
    sonatrix::gui::SetUpApplication(app);

    // A second start shows the first one's window instead of its own.
    sonatrix::gui::SingleInstance instance(sonatrix::UserDataFolder());
    if (!instance.Claim() && instance.AskToShow())
        return 0;

    sonatrix::gui::ProgramWindows windows(sonatrix::gui::ExecutableFolder());
    QObject::connect(&instance, &sonatrix::gui::SingleInstance::showRequested, &windows.form1,
                     [&windows] { sonatrix::gui::BringToFront(windows.form1); });
    windows.form1.show();
    return app.exec();
}
