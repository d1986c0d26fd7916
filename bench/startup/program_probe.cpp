// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up as main() makes it, up to its main window's first
// frame (the single-instance claim, the library tree built, the target list
// filled, all drawn), then an exit: what the start-up benchmark times. Takes the
// program folder as its argument.
#include <QApplication>

#include "application_setup.h"
#include "bundled_font.h"
#include "platform/user_data.h"
#include "probe_report.h"
#include "program_windows.h"
#include "qt_dialogs.h"
#include "single_instance.h"

int main(int argc, char* argv[]) {
    sonatrix::gui::ChooseTextRasteriser();
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    sonatrix::gui::SetUpApplication(app);
    sonatrix::gui::SingleInstance instance(sonatrix::UserDataFolder());
    sonatrix::gui::QtDialogs startDialogs;
    if (instance.TakeRole(startDialogs) != sonatrix::gui::SingleInstance::Role::Program)
        return 3;
    sonatrix::gui::ProgramWindows windows(argv[1]);
    sonatrix::bench::QuitAfterFirstPaint quitter(windows.form1);
    windows.form1.show();
    return app.exec();
}
