// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module as the program loads it at the first sound: from the
// program folder, playing on the private sound server and recording from
// it; where it is missing or damaged, one clear message and no crash.
#include <QtTest>

#include <filesystem>

#include "gui_test_support.h"
#include "sound_module_loader.h"

using namespace sonatrix;
using namespace sonatrix::gui;
using namespace sonatrix::testing;

class SoundModuleTest : public QObject {
    Q_OBJECT
  private slots:
    void playsAndRecordsThroughTheProgramFoldersModule() {
        SoundModuleLoader loader(SoundModuleLoader::ModuleFiles(SONATRIX_PROGRAM_FOLDER));
        ScriptedDialogs dialogs;
        loader.SetDialogs(&dialogs);
        QVERIFY(loader.Module());
        REQUIRE_SOUND_SERVER();
        TempDir dir;
        WriteFile(dir.Path() / "a.wav", ToneWav(3, 440));
        ModuleSoundPlayer player(loader, nullptr);
        player.PlayAsync(NarrowPath(dir.Path() / "a.wav"));
#ifndef _WIN32  // Wine's streams carry the Unix process id, not this one
        QTRY_COMPARE_WITH_TIMEOUT(OwnSinkInputs(), 1, 5000);
#endif
        ModuleAudioCapture capture(loader);
        WriteFile(dir.Path() / "r.wav", WavHeaderBytes(1, 8, 22050, 0));
        QCOMPARE(capture.Start(NarrowPath(dir.Path() / "r.wav")), 0);
        QTRY_VERIFY_WITH_TIMEOUT(capture.BytesCaptured() > 0, 15000);
        QCOMPARE(capture.Stop(), 0);
        QVERIFY(dialogs.shown.empty());
    }

    void withoutAModuleTheFirstSoundSaysSo_data() {
        QTest::addColumn<std::string>("file");  // what lies where the module should
        QTest::newRow("missing") << std::string();
        QTest::newRow("damaged") << std::string("not a shared object at all");
    }
    void withoutAModuleTheFirstSoundSaysSo() {
        QFETCH(std::string, file);
        TempDir dir;
        const QStringList files =
            SoundModuleLoader::ModuleFiles(QString::fromStdString(dir.Path().string() + '/'));
        if (!file.empty())
            WriteFile(files.first().toStdString(), file);
        SoundModuleLoader loader(files);
        ScriptedDialogs dialogs;
        loader.SetDialogs(&dialogs);
        ModuleSoundPlayer player(loader, nullptr);
        ModuleAudioCapture capture(loader);
        player.PlayAsync(NarrowPath(dir.Path() / "a.wav"));
        QTRY_COMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].text, std::string(kNoSoundModule));
        QCOMPARE(dialogs.shown[0].caption, std::string("错误"));
        // Told once: later sounds and the recorder fail quietly.
        player.PlayAsync(NarrowPath(dir.Path() / "a.wav"));
        QVERIFY(capture.Start(NarrowPath(dir.Path() / "r.wav")) != 0);
        QVERIFY(capture.Stop() != 0);
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
    }
};

QTEST_MAIN(SoundModuleTest)
#include "sound_module_test.moc"
