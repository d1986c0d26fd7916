// SPDX-License-Identifier: GPL-3.0-or-later
// The fair floor of the start-up benchmark: a Qt Widgets program that shows
// one window with one label in the program's font (the installed Song face,
// Chinese text), so that finding and loading the font is part of the floor
// as it is of every real window; it exits after its first paint.
#include <QApplication>
#include <QLabel>

#include "probe_report.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont font;
    font.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB")});
    font.setPixelSize(13);
    app.setFont(font);
    QLabel window(QStringLiteral("声音文件列表"));
    window.resize(723, 553);
    sonatrix::bench::QuitAfterFirstPaint quitter(window);
    window.show();
    return app.exec();
}
