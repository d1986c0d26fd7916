// SPDX-License-Identifier: GPL-3.0-or-later
// The first show and the poll, seen through the window, with real stand-in
// client processes.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "gui_test_support.h"
#include "model/dialogs.h"
#include "replace/themes.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using sonatrix::testing::DialogForm;
using sonatrix::testing::StandInProcess;
using sonatrix::testing::TestWorld;

namespace {

const char* const kCommandButtons[] = {"SpeedButton3", "SpeedButton4", "SpeedButton5",
                                       "SpeedButton7", "SpeedButton8", "SpeedButton10",
                                       "SpeedButton11"};

}  // namespace

class StartupWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<StandInProcess> client;
    std::filesystem::path previousFolder;

    template <typename T = QWidget>
    T* Control(const char* name) {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QColor Label1Colour() {
        return Control<QLabel>("Label1")->palette().color(QPalette::WindowText);
    }
    bool AllCommandButtons(bool enabled) {
        for (const char* name : kCommandButtons)
            if (Control(name)->isEnabled() != enabled)
                return false;
        return true;
    }
    QStringList ListItems() {
        QStringList items;
        auto* list = Control<QListWidget>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        items.sort();
        return items;
    }
    void Show() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void StartClient(const std::string& exe) {
        client = std::make_unique<StandInProcess>(world->At(exe));
        world->ownProcesses.Allow(client->Pid());
    }

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        world->Put("app/newsounds/自定义/a.wav");
        // Without a target the list comes from "sound" below the working folder.
        world->Put("cwd/sound/msg.wav");
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(world->At("cwd"));
        form = std::make_unique<TForm1>(world->model);
    }
    void cleanup() {
        form.reset();
        client.reset();
        std::filesystem::current_path(previousFolder);
        world.reset();
    }

    void noClientSaysSoThenWaits() {
        bool buttonsWhileOpen = false;
        QColor colourWhileOpen;
        bool timerWhileOpen = true;
        world->dialogs.onShow = [&](const auto&) {
            buttonsWhileOpen = AllCommandButtons(true);
            colourWhileOpen = Label1Colour();
            timerWhileOpen = Control<QTimer>("Timer1")->isActive();
        };
        Show();

        QCOMPARE(world->dialogs.shown.size(), std::size_t{1});
        QCOMPARE(world->dialogs.shown[0].form, DialogForm::MessageBox);
        QCOMPARE(world->dialogs.shown[0].text, std::string(sonatrix::kNoClientRunning));
        QVERIFY(buttonsWhileOpen);
        QCOMPARE(colourWhileOpen, QColor(0, 0, 0));
        QVERIFY(!timerWhileOpen);

        QVERIFY(AllCommandButtons(false));
        QVERIFY(Control("SpeedButton14")->isEnabled());
        QCOMPARE(Label1Colour(), QColor(255, 0, 0));
        QCOMPARE(Control<QLabel>("Label1")->text(), QString::fromUtf8("未选择程序"));
        auto* timer = Control<QTimer>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        QCOMPARE(ListItems(), QStringList{"msg.wav"});
        QVERIFY(Control<QTreeWidget>("TreeView1")->topLevelItemCount() == 1);
    }

    void qqClientRunningAtStartIsAdoptedAndListed() {
        for (const char* name : sonatrix::kQQBackupFiles)
            world->Put(std::string("Tencent/QQ/Misc/sound/") + name);
        StartClient("Tencent/QQ/Bin/QQ.exe");
        world->Put("app/news.htm", "<p>新声音库</p>");
        Show();

        QVERIFY(world->dialogs.shown.empty());
        // The news page fills in after the first frame, not never.
        QTRY_COMPARE(Control<QTextBrowser>("WebBrowser1")->toPlainText(),
                     QString::fromUtf8("新声音库"));
        QCOMPARE(Control<QLabel>("Label1")->text(),
                 QString::fromStdString(world->At("Tencent/QQ/Bin/QQ.exe").string()));
        QCOMPARE(Label1Colour(), QColor(0, 0, 0));
        QVERIFY(AllCommandButtons(true));
        QVERIFY(!Control<QTimer>("Timer1")->isActive());
        QStringList six;
        for (const char* name : sonatrix::kQQBackupFiles)
            six << name;
        six.sort();
        QCOMPARE(ListItems(), six);
    }

    // The theme's library files have Chinese names, given in Unicode as an
    // unpacked archive or the build gives them (not in the system's code
    // page): the program's own UTF-8 names must reach them.
    void themeWritesItsSixFilesIntoTheClientsFolder() {
        for (const char* name : sonatrix::kQQBackupFiles)
            world->Put(std::string("Tencent/QQ/Misc/sound/") + name, "old");
        const sonatrix::PresetTheme& theme = sonatrix::kPresetThemes[0];
        for (const char* source : theme.sources) {
            std::string relative = source;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            const std::u8string unicode(relative.begin(), relative.end());
            sonatrix::testing::WriteFile(world->root.Path() / "app" / unicode, "RIFF " + relative);
        }
        StartClient("Tencent/QQ/Bin/QQ.exe");
        Show();
        QVERIFY(world->dialogs.shown.empty());

        QTest::mouseClick(Control("SpeedButton5"), Qt::LeftButton);

        // The command ends with its message.
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{1}, 10000);
        for (std::size_t row = 0; row < sonatrix::kThemeRows; ++row) {
            std::string relative = theme.sources[row];
            std::replace(relative.begin(), relative.end(), '\\', '/');
            const auto written = world->At(std::string("Tencent/QQ/Misc/sound/") +
                                           sonatrix::kThemeDestinations[row]);
            QCOMPARE(sonatrix::testing::ReadFile(written), "RIFF " + relative);
        }
        QCOMPARE(world->dialogs.shown[0].text, std::string("山村静夜－完成。"));
    }

    void clientStartedWhileWaitingIsAdoptedByTheNextTick() {
        Show();
        QVERIFY(Control<QTimer>("Timer1")->isActive());
        for (const char* name : sonatrix::kQQBackupFiles)
            world->Put(std::string("QQ/Misc/sound/") + name);
        StartClient("QQ/Bin/QQ.exe");
        // The window's own timer runs the tick; shortened so the test need not wait 5 s.
        Control<QTimer>("Timer1")->setInterval(20);
        QTRY_VERIFY_WITH_TIMEOUT(!Control<QTimer>("Timer1")->isActive(), 5000);

        QVERIFY(AllCommandButtons(true));
        QCOMPARE(Label1Colour(), form->palette().color(QPalette::WindowText));
        QCOMPARE(Control<QLabel>("Label1")->text(),
                 QString::fromStdString(world->At("QQ/Bin/QQ.exe").string()));
        QStringList six;
        for (const char* name : sonatrix::kQQBackupFiles)
            six << name;
        six.sort();
        QCOMPARE(ListItems(), six);
    }

    void tmClientIsAdoptedWithTheComboStillOnQQ() {
        world->Put("Tencent/TM/Bin/TMsound/folder.wav");
        world->Put("Tencent/TM/Bin/TMsound/msg.wav");
        StartClient("Tencent/TM/Bin/TM.exe");
        Show();

        QVERIFY(world->dialogs.shown.empty());
        QCOMPARE(world->model.state.TargetKind, 0);
        QCOMPARE(Control<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("更改QQ声音"));
        QVERIFY(AllCommandButtons(true));
        QCOMPARE(Label1Colour(), QColor(0, 0, 0));
        QVERIFY(!Control<QTimer>("Timer1")->isActive());
        QCOMPARE(ListItems(), (QStringList{"folder.wav", "msg.wav"}));
    }
};

QTEST_MAIN(StartupWindowTest)
#include "startup_window_test.moc"
