// SPDX-License-Identifier: GPL-3.0-or-later
// The fifth kind of target through the window: "更改系统声音" chosen in
// ComboBox1 lists the desktop's events with their descriptions, a theme
// writes its sounds to them without the QQ-only warning, and one Ctrl+Z
// takes it back, the sounds and the desktop's settings together, as one
// Ctrl+Y brings it again. With "音量与原声音一致" checked, an event's sound is
// as loud as the theme's own, which the decoding helper reads.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/desktop_events.h"
#include "desktop_home.h"
#include "discovery/target_switch.h"
#include "ffmpeg_loudness.h"
#include "gui_test_support.h"
#include "helper_decoder.h"
#include "platform/desktop_settings.h"
#include "platform/path_pieces.h"
#include "qt_batch_progress.h"
#include "replace/single_replacement.h"
#include "standin_process.h"
#include "test_platform.h"
#include "test_world.h"
#include "tform1.h"
#include "tone_wavs.h"

using sonatrix::DlgResult;
using sonatrix::testing::TempDir;
using sonatrix::testing::TestWorld;

namespace {

// Before QApplication and GLib see the environment.
const TempDir kHome;
const bool kOwnHome = (sonatrix::testing::UseOwnDesktopHome(kHome.Path()), true);

const std::string kPhone7 = sonatrix::testing::ToneWav(0.1, 880);

QString U(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm1> form;

    template <typename T = QWidget>
    T* Control(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    std::string Folder() const { return world->model.state.TargetSoundDir; }
    std::string EventFile(const char* qqSound) const {
        return sonatrix::DesktopEventOfQQSound(qqSound) +
               std::string(sonatrix::kDesktopSoundExtension);
    }
    // What the desktop plays now for the event of a theme's QQ sound.
    std::string Plays(const char* qqSound) const {
        return sonatrix::FileDesktopPlays(*world->files, sonatrix::DesktopEventOfQQSound(qqSound));
    }
    // The desktop's settings that name what it plays for msg.wav's event.
    std::vector<std::optional<std::string>> Settings() const {
        std::vector<std::string> names = sonatrix::SoundThemeSettings();
        for (std::string& name :
             sonatrix::EventFileSettings(sonatrix::DesktopEventOfQQSound("msg.wav")))
            names.push_back(std::move(name));
        std::vector<std::optional<std::string>> values(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            sonatrix::ReadDesktopSetting(names[i], values[i]);
        return values;
    }
    // Each file of the desktop's folder, with its bytes.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        const auto folder = sonatrix::testing::PathFromNarrow(Folder());
        if (std::filesystem::exists(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                files[entry.path().filename().string()] = sonatrix::testing::ReadFile(entry.path());
        return files;
    }

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        std::filesystem::remove_all(
            sonatrix::testing::PathFromNarrow(sonatrix::DesktopSoundFolder(world->dataDir)));
        for (const char* file : {"动物/昆虫/蟋蟀2.wav", "动物/家畜/DOG8.WAV", "日常生活/开门2.wav",
                                 "日常生活/Reminder.wav", "电话/PHONE13.WAV"})
            world->Put(std::string("app/newsounds/") + file, sonatrix::testing::ToneWav(0.1, 440));
        world->Put("app/newsounds/电话/PHONE7.WAV", kPhone7);
        form = std::make_unique<TForm1>(world->model);
        form->show();  // finds no client and says so
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* combo = Control<QComboBox>("ComboBox1");
        combo->setFocus();
        // The desktop's item is the one above the last.
        QTest::keyClick(combo, Qt::Key_End);
        QTest::keyClick(combo, Qt::Key_Up);
        world->dialogs.shown.clear();
    }
    void cleanup() {
        form.reset();
        world.reset();
    }

    void theFifthItemListsTheDesktopsEvents() {
        QCOMPARE(Control<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("更改系统声音"));
        QCOMPARE(Control<QLabel>("Label1")->text(), U(Folder()));
        QVERIFY(Folder() == sonatrix::DesktopSoundFolder(world->dataDir));
        QVERIFY(Control<QToolButton>("SpeedButton3")->isEnabled());
        auto* list = Control<QListWidget>("ListBox1");
        const auto events = sonatrix::DesktopEvents();
        QCOMPARE(list->count(), int(events.size()));
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), U(events[row].name + std::string(".wav")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(Control<QLabel>("Label3")->text(), QString::fromUtf8(events[2].description));
        QVERIFY(world->dialogs.shown.empty());
    }

    void aThemeIsOneStepForUndoAndRedo() {
        const auto before = Settings();
        QTest::mouseClick(Control<QToolButton>("SpeedButton5"), Qt::LeftButton);
        QCOMPARE(world->dialogs.shown.size(), std::size_t(1));
        QCOMPARE(U(world->dialogs.shown[0].text), QString::fromUtf8("山村静夜－完成。"));
        const auto themed = Files();
        // folder.wav has no event; call.wav and ring.wav share one, which
        // gets the later row's sound.
        QCOMPARE(std::count_if(themed.begin(), themed.end(),
                               [](const auto& file) { return file.first.ends_with(".wav"); }),
                 4);
        QVERIFY(themed.at(EventFile("call.wav")) == kPhone7);
        QCOMPARE(U(Plays("msg.wav")), U(Folder() + EventFile("msg.wav")));
        const auto pointed = Settings();
        QVERIFY(pointed != before);

        // The sounds and the desktop's settings together, each way.
        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Files().empty());
        QVERIFY(Settings() == before);
        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(Files() == themed);
        QVERIFY(Settings() == pointed);
    }

    // The event's file is new in our folder: it is matched to the theme's
    // own Ogg sound, which the helper reads, also once our own file, written
    // unmatched, plays instead.
    void aDesktopSoundIsAsLoudAsTheThemesOwn() {
        if (const char* why = sonatrix::testing::WhyNoLinuxAudioTools())
            QSKIP(why);
        const std::string theirs = Plays("msg.wav");
        QVERIFY2(theirs.ends_with(".oga"), theirs.c_str());
        world->Put("app/newsounds/自定义/loud.wav",
                   sonatrix::testing::Wav(sonatrix::SampleFormat::Int16, 2,
                                          sonatrix::testing::Tone(1.0, 0.9)));
        sonatrix::gui::HelperDecoder decoder(SONATRIX_DECODE_HELPER);
        sonatrix::gui::QtBatchProgress progress;
        sonatrix::MainModel model({*world->files, world->ownProcesses, *world->registry,
                                   world->dialogs, world->player, world->shell, decoder, progress},
                                  world->appDir, world->dataDir);
        model.state.AppDir = world->appDir;
        sonatrix::ComboBox1Select(model, sonatrix::kKindDesktop);
        model.state.SelectedTargetSound = EventFile("msg.wav");
        model.state.SelectedLibrarySound = sonatrix::NativePath("自定义\\loud.wav");
        for (const bool match : {false, true}) {
            model.state.MatchLoudness = match;
            world->dialogs.ThenResult(DlgResult::OK);
            sonatrix::M_replace89(model);
        }
        const double ours = sonatrix::testing::FfmpegMomentaryMax(Folder() + EventFile("msg.wav"));
        const double theirLoudness = sonatrix::testing::FfmpegMomentaryMax(theirs);
        QVERIFY2(theirLoudness > -40 && std::abs(ours - theirLoudness) < 0.5,
                 (std::to_string(ours) + " LUFS against " + std::to_string(theirLoudness)).c_str());
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
