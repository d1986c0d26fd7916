// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder's font standing in for 宋体 where the system has none
// (under Wine the test sees no font but the folder's: see CMakeLists.txt).
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

#include "bundled_font.h"
#include "gui_test_support.h"
#include "window_font.h"

using sonatrix::testing::WhyNoBundledFont;

namespace {

// The build's program folder, as the program running from it sees it.
QString ProgramFolder() {
    return QString::fromUtf8(SONATRIX_PROGRAM_FOLDER_AS_SEEN);
}

}  // namespace

class BundledFontTest : public QObject {
    Q_OBJECT

  private slots:
    void aFolderWithoutFontsChangesNothing() {
        SKIP_UNLESS(WhyNoBundledFont());
        const QStringList before = QFontDatabase::families();
        QCOMPARE(sonatrix::gui::UseBundledFontWhereSongtiIsMissing(QDir::tempPath() + "/none"),
                 QString());
        QCOMPARE(QFontDatabase::families(), before);
    }

    void theFoldersFontDrawsTheWindows() {
        SKIP_UNLESS(WhyNoBundledFont());
        const QStringList before = QFontDatabase::families();
        const QString family = sonatrix::gui::UseBundledFontWhereSongtiIsMissing(ProgramFolder());
        QVERIFY2(!family.isEmpty(), "no font in the program folder's fonts");
        QVERIFY2(!before.contains(family), "the test saw the font before the program loaded it");
        const QFont font = sonatrix::gui::WindowFont();
        QCOMPARE(QFontInfo(font).family(), family);
        const QFontMetrics metrics(font);
        for (const QChar c : QStringLiteral("换音山村静夜还原默认声音手工指定程序……"))
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    }
};

QTEST_MAIN(BundledFontTest)
#include "bundled_font_test.moc"
