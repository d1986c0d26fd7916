// SPDX-License-Identifier: GPL-3.0-or-later
// The program as the package and the archive lay it out (cmake --install of
// this build): installed, its folder cannot be written and the user's
// sounds go to the user's data folder, shown in one tree with the shipped
// ones; from the unpacked archive everything stays beside the executable.
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "gui_test_support.h"
#include "library/add_sounds.h"
#include "library/recorder_logic.h"
#include "model/dialogs.h"
#include "mounts.h"
#include "qt_audio_capture.h"
#include "qt_local_time_text.h"
#include "sound_module_loader.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"
#include "tform3.h"

using namespace sonatrix;
using namespace sonatrix::testing;

namespace {

namespace fs = std::filesystem;

// Every file below `root` by relative path, with its size: the program's
// own files must come through the run unchanged.
std::map<std::string, std::uintmax_t> Files(const fs::path& root) {
    std::map<std::string, std::uintmax_t> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files[fs::relative(entry.path(), root).string()] =
            entry.is_regular_file() ? entry.file_size() : 0;
    return files;
}

QTreeWidgetItem* TopLevel(QTreeWidget* tree, const QString& text) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == text)
            return tree->topLevelItem(i);
    return nullptr;
}

QStringList ChildTexts(QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    texts.sort();
    return texts;
}

}  // namespace

class InstalledProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void addsAndRecordsIntoTheRightLibrary_data() {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("prefix");         // below the test's root
        QTest::addColumn<QString>("programFolder");  // the executable's folder
        QTest::addColumn<QString>("library");        // where the user's sounds must go
        QTest::addColumn<QString>("untouched");      // what must not change
        QTest::newRow("installed") << "installed"
                                   << "stage"
                                   << "stage/bin"
                                   << "userdata/newsounds"
                                   << "stage";
        QTest::newRow("portable archive") << "portable"
                                          << "app"
                                          << "app"
                                          << "app/newsounds"
                                          << "userdata";
    }

    void addsAndRecordsIntoTheRightLibrary() {
        QFETCH(QString, component);
        QFETCH(QString, prefix);
        QFETCH(QString, programFolder);
        QFETCH(QString, library);
        QFETCH(QString, untouched);
        TestWorld world(programFolder.toUtf8().constData());
        bool installed = false;
        Run(SONATRIX_CMAKE,
            {"--install", SONATRIX_BUILD_DIR, "--component", component, "--prefix",
             QString::fromStdString(world.At(prefix.toStdString()).string())},
            &installed);
        QVERIFY2(installed, "cmake --install of this build failed");
        QVERIFY(fs::is_regular_file(world.At(programFolder.toStdString() + "/sonatrix")));
        // The sound module is where the program looks for it, from its folder.
        sonatrix::gui::SoundModuleLoader module(sonatrix::gui::SoundModuleLoader::ModuleFiles(
            QString::fromStdString(world.At(programFolder.toStdString()).string() + '/')));
        QVERIFY(module.Module());
        // Installed, the program folder is read-only, also for root.
        std::unique_ptr<ScopedMount> readOnly;
        if (component == "installed" && ScopedMount::Available()) {
            readOnly = std::make_unique<ScopedMount>(ScopedMount::ReadOnly(world.At("stage")));
            QVERIFY(readOnly->Mounted());
        }
        const fs::path userLibrary = world.At(library.toStdString());
        const fs::path kept = world.At(untouched.toStdString());
        const auto before = fs::exists(kept) ? Files(kept) : decltype(Files(kept)){};

        TForm1 form(world.model);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* tree = form.findChild<QTreeWidget*>("TreeView1");
        QVERIFY(TopLevel(tree, "电话"));  // the shipped library is there

        // 添加声音: a folder of the user's sounds.
        world.Put("mine/a.wav", ToneWav(0.2, 440));
        world.Put("mine/b.WAV", ToneWav(0.2, 660));
        world.dialogs.shown.clear();
        world.dialogs.ThenText(NarrowPath(world.At("mine")));
        QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton13"), Qt::LeftButton);
        QCOMPARE(world.dialogs.shown.back().text, std::string(kSoundsAdded));
        QCOMPARE(ReadFile(userLibrary / kCustomCategory / "a.wav"), ToneWav(0.2, 440));
        QCOMPARE(ReadFile(userLibrary / kCustomCategory / "b.WAV"), ToneWav(0.2, 660));
        QCOMPARE(ChildTexts(TopLevel(tree, kCustomCategory)), QStringList({"a.wav", "b.WAV"}));

        // 自己录音: a short recording while the recorder is open.
        if (HasSoundServer()) {
            QtAudioCapture capture;
            QtLocalTimeText clock;
            RecorderLogic recorder(world.model, capture, clock);
            TForm3 recorderWindow(recorder);
            world.dialogs.onShow = [&](const ShownDialog& shown) {
                if (shown.form != DialogForm::Recorder)
                    return;
                QTest::mouseClick(recorderWindow.Button1, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(capture.BytesCaptured() > 0, 15000);
                QTest::mouseClick(recorderWindow.Button2, Qt::LeftButton);
            };
            QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton2"), Qt::LeftButton);
            world.dialogs.onShow = nullptr;
            QCOMPARE(world.dialogs.shown.back().text, std::string(kRecordingSaved));
            const QStringList recorded = ChildTexts(TopLevel(tree, kRecordingsCategory));
            QCOMPARE(recorded.size(), 1);
            QVERIFY(fs::file_size(userLibrary / kRecordingsCategory / recorded[0].toStdString()) >
                    44);
        }

        const auto after = fs::exists(kept) ? Files(kept) : decltype(Files(kept)){};
        QCOMPARE(after, before);
        if (!HasSoundServer())
            QSKIP("the recording needs a sound server: run under scripts/with-sound-server.sh");
    }
};

QTEST_MAIN(InstalledProgramTest)
#include "installed_program_test.moc"
