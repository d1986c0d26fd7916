// SPDX-License-Identifier: GPL-3.0-or-later
// The preview player over the real Qt Multimedia and, where one runs, the
// private sound server.
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTest>

#include <memory>

#include "gui_test_support.h"
#include "qt_sound_player.h"

using namespace sonatrix;
using namespace sonatrix::testing;

Q_DECLARE_METATYPE(std::string)

namespace {

QString Local(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::string WavOfBits(int bits, int tag = 1) {
    std::string header = WavHeaderBytes(1, std::uint16_t(bits), 22050, 2000);
    header[20] = char(tag);
    return header + std::string(2000, '\x10');
}

}  // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        // The alert comes from this test's own sound theme, not the machine's.
        WriteFile(dir_->Path() / "data/sounds/freedesktop/stereo/bell.wav", ToneWav(0.2, 880));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir_->Path() / "home").string()));
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString((dir_->Path() / "data").string()));
    }
    void cleanup() { dir_.reset(); }

    void playableWavs_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<bool>("playable");
        QTest::newRow("pcm 8 bits") << WavOfBits(8) << true;
        QTest::newRow("pcm 16 bits") << WavOfBits(16) << true;
        QTest::newRow("pcm 32 bits") << WavOfBits(32) << true;
        QTest::newRow("pcm 24 bits") << WavOfBits(24) << false;
        QTest::newRow("adpcm") << WavOfBits(4, 2) << false;
        QTest::newRow("float") << WavOfBits(32, 3) << false;
        std::string listFirst = WavOfBits(8);
        listFirst.insert(12, std::string("LIST\x03\0\0\0abc\0", 12));
        QTest::newRow("list chunk before fmt") << listFirst << true;
        QTest::newRow("text") << std::string("not a sound at all, just words") << false;
        QTest::newRow("truncated") << WavOfBits(8).substr(0, 30) << false;
    }
    void playableWavs() {
        QFETCH(std::string, bytes);
        QFETCH(bool, playable);
        WriteFile(dir_->Path() / "a.wav", bytes);
        QCOMPARE(IsPlayableWav(Local(dir_->Path() / "a.wav")), playable);
    }

    // Missing files and files QSoundEffect cannot play give the alert.
    void unplayableGivesTheAlert_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::newRow("missing") << std::string();
        QTest::newRow("not a wav") << std::string("ID3 an mp3 in disguise");
        QTest::newRow("24 bits") << WavOfBits(24);
    }
    void unplayableGivesTheAlert() {
        SKIP_UNLESS(WhyNoFreedesktopSounds());
        QFETCH(std::string, bytes);
        const auto file = dir_->Path() / "x.wav";
        if (!bytes.empty())
            WriteFile(file, bytes);
        QtSoundPlayer player;
        auto* effect = player.findChild<QSoundEffect*>();
        QVERIFY(effect);
        player.PlayAsync(file.string());
        QCOMPARE(effect->source().toLocalFile(),
                 Local(dir_->Path() / "data/sounds/freedesktop/stereo/bell.wav"));
    }

    // The theme's Ogg alert is beyond QSoundEffect: the media player takes it.
    void oggAlertGoesToTheMediaPlayer() {
        SKIP_UNLESS(WhyNoFreedesktopSounds());
        const auto stereo = dir_->Path() / "ogg/sounds/freedesktop/stereo";
        std::filesystem::create_directories(stereo);
        bool made = false;
        Run("sox",
            {"-n", "-r", "22050", "-c", "1", "-t", "ogg", Local(stereo / "bell.oga"), "synth",
             "0.3", "sine", "880"},
            &made);
        if (!made)
            QSKIP("sox cannot write Ogg Vorbis here");
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString((dir_->Path() / "ogg").string()));
        QCOMPARE(FindAlertSound(), Local(stereo / "bell.oga"));

        QtSoundPlayer player;
        auto* effect = player.findChild<QSoundEffect*>();
        WriteFile(dir_->Path() / "a.wav", ToneWav(2, 440));
        player.PlayAsync((dir_->Path() / "a.wav").string());
        player.PlayAsync((dir_->Path() / "missing.wav").string());
        auto* media = player.findChild<QMediaPlayer*>();
        QVERIFY(media);
        QCOMPARE(media->source(), QUrl::fromLocalFile(Local(stereo / "bell.oga")));
        QVERIFY(!effect->isPlaying());  // the preview before it was cut off
    }

    // A path is bytes: a GBK name that is no valid UTF-8 still plays.
    void nonUtf8PathIsPlayed() {
        SKIP_UNLESS(WhyNoNonUtf8FileNames());
        const auto file = dir_->Path() / std::string("\xc4\xe3\xba\xc3.wav");
        WriteFile(file, ToneWav(0.3, 440));
        QtSoundPlayer player;
        auto* effect = player.findChild<QSoundEffect*>();
        player.PlayAsync(file.string());
        QVERIFY(!effect->source().toLocalFile().endsWith("bell.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, 5000);
    }

    // The same path again after the file changed is read anew.
    void changedFileIsReloaded() {
        const auto file = dir_->Path() / "a.wav";
        WriteFile(file, ToneWav(0.3, 440));
        QtSoundPlayer player;
        auto* effect = player.findChild<QSoundEffect*>();
        player.PlayAsync(file.string());
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, 5000);
        WriteFile(file, ToneWav(0.6, 660));
        QSignalSpy loading(effect, &QSoundEffect::statusChanged);
        player.PlayAsync(file.string());
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, 5000);
        QVERIFY(loading.count() >= 2);  // through Null and Loading back to Ready
        QCOMPARE(effect->source(), QUrl::fromLocalFile(Local(file)));
    }

    void newPreviewCutsTheOldOneOff() {
        REQUIRE_SOUND_SERVER();
        WriteFile(dir_->Path() / "long.wav", ToneWav(4, 440));
        WriteFile(dir_->Path() / "next.wav", ToneWav(4, 660));
        QtSoundPlayer player;
        auto* effect = player.findChild<QSoundEffect*>();
        player.PlayAsync((dir_->Path() / "long.wav").string());
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying() && OwnSinkInputs() == 1, 5000);
        player.PlayAsync((dir_->Path() / "next.wav").string());
        QCOMPARE(effect->source(), QUrl::fromLocalFile(Local(dir_->Path() / "next.wav")));
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying() && effect->status() == QSoundEffect::Ready,
                                 5000);
        // One player: the new tone takes the old one's place on the server
        // instead of playing beside it.
        QCOMPARE(player.findChildren<QSoundEffect*>().size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(OwnSinkInputs(), 1, 5000);
    }

  private:
    std::unique_ptr<TempDir> dir_;
};

QTEST_MAIN(SoundPlayerTest)
#include "sound_player_test.moc"
