// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up as main() makes it, up to its main window's first
// show (the single-instance claim, the library tree built, the target list
// filled), then an exit: what the start-up benchmark times. Takes the
// program folder as its argument.
#include <QApplication>
#include <QTimer>

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
    windows.form1.show();
    // The first show has run; the zero timer lets its first paint happen.
    QTimer::singleShot(0, &app, [&app] {
        sonatrix::bench::ReportLoadedLibraries();
        app.quit();
    });
    return app.exec();
}
