// SPDX-License-Identifier: GPL-3.0-or-later
// The second floor of the start-up benchmark, for reference: a Qt Widgets
// program that shows one empty window and exits after its first paint.
#include <QApplication>
#include <QWidget>

#include "probe_report.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(723, 553);
    sonatrix::bench::QuitAfterFirstPaint quitter(window);
    window.show();
    return app.exec();
}
