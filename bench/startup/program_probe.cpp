// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up up to its main window's first show (library tree
// built, target list filled), then an exit: what the start-up benchmark
// times. Takes the program folder as its argument.
#include <QApplication>
#include <QFile>
#include <QTimer>

#include "application_setup.h"
#include "program_windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    sonatrix::gui::SetUpApplication(app);
    sonatrix::gui::ProgramWindows windows(argv[1]);
    windows.form1.show();
    // The first show has run; the zero timer lets its first paint happen.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
