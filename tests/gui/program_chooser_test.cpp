// SPDX-License-Identifier: GPL-3.0-or-later
// The sixth kind of target through the windows: the chooser shows programs
// by name with the settings file of the one selected, and "更改程序设置中的
// 声音" makes the chosen one the target, its events in the list, and a
// replacement there writes the program's setting.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "desktop_home.h"
#include "gui_test_support.h"
#include "platform/settings_places.h"
#include "program_chooser.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using sonatrix::ProgramChoice;
using sonatrix::gui::ProgramChooser;
using sonatrix::testing::TempDir;
using sonatrix::testing::TestWorld;

namespace {

// Before QApplication and GLib see the environment.
const TempDir kHome;
const bool kOwnHome = (sonatrix::testing::UseOwnDesktopHome(kHome.Path()), true);

QString U(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

class ProgramChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void showsNamesAndTheSelectedOnesFile() {
        ProgramChooser chooser({{"Thunderbird（默认配置）", "/h/.thunderbird/a/prefs.js"},
                                {"Pidgin", "/h/.purple/prefs.xml"},
                                {"聊天", "/h/.config/chat.notifyrc"}});
        auto* list = chooser.findChild<QListWidget*>("ListBox1");
        auto* file = chooser.findChild<QLabel*>("Label2");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QString::fromUtf8("聊天"));
        QCOMPARE(file->text(), QStringLiteral("/h/.thunderbird/a/prefs.js"));
        for (const char* name : {"Label1", "ListBox1", "Label2", "Button1", "Button2"})
            QVERIFY2(!chooser.findChild<QWidget*>(name)->accessibleName().isEmpty(), name);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(file->text(), QStringLiteral("/h/.purple/prefs.xml"));
        QCOMPARE(file->accessibleName(), file->text());
        // Each gesture while the chooser is open; one that fails to close it
        // must not hang the test.
        const auto whileOpen = [&](auto gesture) {
            QTimer::singleShot(0, &chooser, [&, gesture] {
                gesture();
                if (chooser.isVisible())
                    chooser.reject();
            });
            return chooser.Choose();
        };
        QCOMPARE(whileOpen([&] {
                     QTest::mouseClick(chooser.findChild<QPushButton*>("Button1"), Qt::LeftButton);
                 }),
                 1);
        QCOMPARE(whileOpen([&] {
                     const QPoint at = list->visualItemRect(list->item(2)).center();
                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                     QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                 }),
                 2);
        QCOMPARE(whileOpen([&] {
                     QTest::mouseClick(chooser.findChild<QPushButton*>("Button2"), Qt::LeftButton);
                 }),
                 -1);
    }

    void sixthItemMakesTheChosenProgramTheTarget() {
        TestWorld world;
        const std::string folder = sonatrix::UserSettingsPlaces().thunderbirdFolder;
        const std::filesystem::path profile =
            sonatrix::testing::PathFromNarrow(folder) / "ab.default-release";
        const std::string prefs = "user_pref(\"mail.biff.play_sound\", true);\n";
        sonatrix::testing::WriteFile(sonatrix::testing::PathFromNarrow(folder) / "profiles.ini",
                                     "[Profile0]\nName=default-release\nIsRelative=1\n"
                                     "Path=ab.default-release\nDefault=1\n");
        sonatrix::testing::WriteFile(profile / "prefs.js", prefs);
        TForm1 form(world.model);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        world.dialogs.shown.clear();

        world.dialogs.ThenText("Thunderbird（默认配置）");
        auto* combo = form.findChild<QComboBox*>("ComboBox1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_End);
        QCOMPARE(combo->currentText(), QString::fromUtf8("更改程序设置中的声音"));
        QCOMPARE(world.dialogs.shown.size(), std::size_t(1));
        QVERIFY(world.dialogs.shown[0].text.find("Thunderbird（默认配置）") != std::string::npos);
        const std::string prefsJs = sonatrix::testing::NarrowPath(profile / "prefs.js");
        QCOMPARE(form.findChild<QLabel*>("Label1")->text(), U(prefsJs));
        auto* list = form.findChild<QListWidget*>("ListBox1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QString::fromUtf8("新邮件"));
        QCOMPARE(list->item(2)->text(), QString::fromUtf8("订阅更新"));

        // A replacement through the window points the profile's new-mail
        // sound at Sonatrix's copy of the library sound.
        world.Put("app/newsounds/自定义/a.wav", "RIFF");
        world.model.state.SelectedLibrarySound = "自定义/a.wav";
        world.dialogs.ThenResult(sonatrix::DlgResult::OK);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton3"), Qt::LeftButton);
        QCOMPARE(world.dialogs.shown.size(), std::size_t(2));
        QCOMPARE(U(world.dialogs.shown[1].caption), QStringLiteral("Confirm"));
        const std::string written = sonatrix::testing::ReadFile(profile / "prefs.js");
        QVERIFY2(written.find("user_pref(\"mail.biff.play_sound.type\", 1);") != std::string::npos,
                 written.c_str());
        std::filesystem::remove_all(sonatrix::testing::PathFromNarrow(folder));
    }
};

QTEST_MAIN(ProgramChooserTest)
#include "program_chooser_test.moc"
