// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder window over the real capture, real files and, where one
// runs, the private sound server; only the dialogs are scripted.
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <memory>
#include <vector>

#include "gui_test_support.h"
#include "library/recorder_logic.h"
#include "media_player_bar.h"
#include "model/dialogs.h"
#include "qt_audio_capture.h"
#include "qt_local_time_text.h"
#include "test_world.h"
#include "tform3.h"

using namespace sonatrix;
using namespace sonatrix::testing;

namespace {

// A clock stopped at one moment, as the user's settings print it.
class StoppedClock : public LocalTimeText {
  public:
    std::string Now() override { return text; }
    std::string text = "2009-3-5 14:07:09";
};

struct WavFacts {
    int channels = 0, sampleWidth = 0, rate = 0, frames = 0, peak = 0;
};

// The file as Python's wave module reads it: a reader we did not write.
bool ReadWithPython(const std::filesystem::path& file, WavFacts& facts) {
    const char* script =
        "import sys, wave\n"
        "w = wave.open(sys.argv[1], 'rb')\n"
        "data = w.readframes(w.getnframes())\n"
        "peak = max((abs(b - 128) for b in data), default=0)\n"
        "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes(), peak)\n";
    bool ok = false;
    const QList<QByteArray> fields =
        Run("python3", {"-c", script, QString::fromStdString(file.string())}, &ok)
            .simplified()
            .split(' ');
    if (!ok || fields.size() != 5)
        return false;
    facts = {fields[0].toInt(), fields[1].toInt(), fields[2].toInt(), fields[3].toInt(),
             fields[4].toInt()};
    return true;
}

// The recording streams of this process on the sound server, each as
// whether it is corked (halted by its client).
QList<bool> OwnSourceOutputsCorked() {
    const QByteArray ownPid = "application.process.id = \"" +
                              QByteArray::number(QCoreApplication::applicationPid()) + "\"";
    QList<bool> own;
    bool corked = false;
    for (const QByteArray& text : Run("pactl", {"list", "source-outputs"}).split('\n')) {
        const QByteArray line = text.trimmed();
        if (line.startsWith("Corked: "))
            corked = line == "Corked: yes";
        else if (line == ownPid)
            own.append(corked);  // the properties come last in each block
    }
    return own;
}

// Plays a tone into the null sink, whose monitor the recorder captures;
// returns once the server plays it. The tone outlasts any test.
class TonePlayer {
  public:
    explicit TonePlayer(const std::filesystem::path& file) {
        WriteFile(file, ToneWav(60, 440));
        process_.start("paplay", {"--latency-msec=50", QString::fromStdString(file.string())});
        process_.waitForStarted();
        QElapsedTimer waited;
        waited.start();
        const QByteArray playing =
            "application.process.id = \"" + QByteArray::number(process_.processId()) + "\"";
        while (!Run("pactl", {"list", "sink-inputs"}).contains(playing) && waited.elapsed() < 20000)
            QTest::qWait(50);
    }
    ~TonePlayer() {
        process_.kill();
        process_.waitForFinished(2000);
    }

  private:
    QProcess process_;
};

// Suspends the null sink while it lives: its monitor, which the recording
// source remaps, then delivers nothing, while the source itself still opens
// and takes the record command, as a device that has gone quiet.
class SilencedSink {
  public:
    SilencedSink() { Run("pactl", {"suspend-sink", "sonatrix_null", "1"}, &ok); }
    ~SilencedSink() { Run("pactl", {"suspend-sink", "sonatrix_null", "0"}); }
    bool ok = false;
};

}  // namespace

class RecorderTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        world_ = std::make_unique<TestWorld>();
        world_->SetAppDir();
        std::filesystem::create_directories(Recordings());
        capture_ = std::make_unique<QtAudioCapture>();
        logic_ = std::make_unique<RecorderLogic>(world_->model, *capture_, clock_);
        form_ = std::make_unique<TForm3>(*logic_);
    }
    void cleanup() {
        form_.reset();
        logic_.reset();
        capture_.reset();
        world_.reset();
    }

    void layoutAndTexts() {
        QCOMPARE(form_->windowTitle(), QString("录音"));
        QCOMPARE(form_->geometry(), QRect(343, 224, 375, 273));
        QCOMPARE(form_->font().families().value(0), QString("宋体"));
        QCOMPARE(form_->font().pixelSize(), 13);
        QCOMPARE(form_->MediaPlayer1->geometry(), QRect(40, 8, 253, 30));
        QCOMPARE(form_->Button1->geometry(), QRect(32, 64, 75, 25));
        QCOMPARE(form_->Button2->geometry(), QRect(120, 64, 75, 25));
        QCOMPARE(form_->Button3->geometry(), QRect(216, 64, 105, 25));
        QCOMPARE(form_->Label1->geometry(), QRect(8, 104, 345, 57));
        QCOMPARE(form_->Label2->geometry(), QRect(8, 168, 345, 57));
        QCOMPARE(form_->Button1->text(), QString("开始录音"));
        QCOMPARE(form_->Button2->text(), QString("停止录音"));
        QCOMPARE(form_->Button3->text(), QString("选择录音来源"));
        QCOMPARE(form_->Button3->toolTip(), QString("选择从麦克风录音还是从播放的声音中录音"));
        QCOMPARE(form_->Label1->text(),
                 QString("注意：如果您需要从不同的设备来录音（麦克风，声卡等）请单击“选择录音来源”"
                         "按钮。显示录音控制面板后，可能有些设备没有列出，那么单击“选项”“属性”，然"
                         "后把里面的设备前都打上勾，然后点击“确定”按钮。"));
        QCOMPARE(
            form_->Label2->text(),
            QString(
                "如果需要从麦克风录音，在“麦克风”或者“MIC”下面打勾。如果要从电脑播放的声音中录音，"
                "在Mono Mixer或者Wave或者“波形”选项下面打上勾。最后关闭此录音控制面板即可。 "));
        QVERIFY(form_->Label1->wordWrap() && form_->Label2->wordWrap());
        QVERIFY(form_->Button1->isEnabled());
        QVERIFY(!form_->Button2->isEnabled());
        // Nine buttons, each with a picture of its own.
        std::vector<QImage> pictures;
        for (int i = 0; i < MediaPlayerBar::kButtonCount; ++i) {
            QToolButton* button = form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Button(i));
            QVERIFY(!button->isEnabled());
            QVERIFY(!button->accessibleName().isEmpty());
            const QImage picture = button->icon().pixmap(16, 16).toImage();
            QVERIFY(!picture.isNull());
            for (const QImage& earlier : pictures)
                QVERIFY2(picture != earlier, qPrintable(button->accessibleName()));
            pictures.push_back(picture);
        }
    }

    void missingCategoryFolderFailsAndCreatesNothing() {
        std::filesystem::remove_all(Recordings());
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        ExpectBox(kDeviceInitFailed, "错误", mb::kIconError);
        QCOMPARE(logic_->State(), RecorderState::Idle);
        QVERIFY(!std::filesystem::exists(Recordings()));
    }

    void noSettingsProgramIsExplained() {
        world_->shell.hasRecordingSettings = false;
        QTest::mouseClick(form_->Button3, Qt::LeftButton);
        QCOMPARE(world_->shell.calls.size(), size_t(1));
        QCOMPARE(world_->shell.calls[0].how, std::string("recording-settings"));
        QCOMPARE(world_->dialogs.shown.size(), size_t(1));
        QCOMPARE(world_->dialogs.shown[0].text, std::string(kNoSourceSettings));

        world_->shell.hasRecordingSettings = true;
        QTest::mouseClick(form_->Button3, Qt::LeftButton);
        QCOMPARE(world_->dialogs.shown.size(), size_t(1));
    }

    // Run by recorder_no_server_test, with PULSE_SERVER=unix:/nonexistent.
    void startWithoutServer() {
        if (!qEnvironmentVariableIsSet("SONATRIX_EXPECT_NO_SERVER"))
            QSKIP("run by recorder_no_server_test with no sound server reachable");
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        ExpectBox(kDeviceInitFailed, "错误", mb::kIconError);
        QCOMPARE(logic_->State(), RecorderState::Idle);
        QVERIFY(form_->Button1->isEnabled());
        QVERIFY(!form_->Button2->isEnabled());
        QVERIFY(!form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Record)->isEnabled());
        // The header of the failed start stays: a valid WAV with no samples.
        QCOMPARE(ReadFile(Recordings() / "200935140709.wav"), WavHeaderBytes(1, 8, 22050));
        QVERIFY(form_->close());
    }

    void recordsTheToneItHears() {
        REQUIRE_SOUND_SERVER();
        TonePlayer tone(world_->At("tone.wav"));
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QCOMPARE(logic_->State(), RecorderState::Recording);
        QVERIFY(!form_->Button1->isEnabled());
        QVERIFY(form_->Button2->isEnabled());
        QVERIFY(form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Pause)->isEnabled());
        // A second of sound, however long the server takes to deliver it.
        QTRY_VERIFY_WITH_TIMEOUT(capture_->BytesCaptured() >= 22050, 20000);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        ExpectBox(kRecordingSaved, "信息", mb::kIconInformation);
        QCOMPARE(logic_->State(), RecorderState::Idle);
        QVERIFY(form_->Button1->isEnabled());
        QVERIFY(!form_->Button2->isEnabled());

        WavFacts facts;
        QVERIFY(ReadWithPython(Recordings() / "200935140709.wav", facts));
        QCOMPARE(facts.channels, 1);
        QCOMPARE(facts.sampleWidth, 1);
        QCOMPARE(facts.rate, 22050);
        // The file holds exactly what was captured, the drained tail included.
        QCOMPARE(std::uint64_t(facts.frames), capture_->BytesCaptured());
        QVERIFY2(facts.frames >= 22050, qPrintable(QString::number(facts.frames)));
        QVERIFY2(facts.peak > 50, "the tone played into the sink was not captured");
    }

    void twoStartsInOneSecondKeepBothFiles() {
        REQUIRE_SOUND_SERVER();
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(form_->Button1, Qt::LeftButton);
            QCOMPARE(logic_->State(), RecorderState::Recording);
            QTRY_VERIFY_WITH_TIMEOUT(capture_->BytesCaptured() > 0, 20000);
            QTest::mouseClick(form_->Button2, Qt::LeftButton);
        }
        WavFacts first, second;
        QVERIFY(ReadWithPython(Recordings() / "200935140709.wav", first));
        QVERIFY(ReadWithPython(Recordings() / "200935140709-2.wav", second));
        QCOMPARE(first.rate, 22050);
        QCOMPARE(second.rate, 22050);
    }

    void closingWhileRecordingIsRefused() {
        REQUIRE_SOUND_SERVER();
        form_->show();
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QCOMPARE(logic_->State(), RecorderState::Recording);
        QVERIFY(!form_->close());
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QVERIFY(form_->isVisible());
        QCOMPARE(world_->dialogs.shown.size(), size_t(2));
        for (const ShownDialog& shown : world_->dialogs.shown) {
            QCOMPARE(shown.form, DialogForm::MessageDlg);
            QCOMPARE(shown.caption, std::string("Warning"));
            QCOMPARE(shown.text, std::string(kStopFirst));
        }
        QTRY_VERIFY_WITH_TIMEOUT(capture_->BytesCaptured() > 0, 20000);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QVERIFY(form_->close());
        QVERIFY(!form_->isVisible());
    }

    // A source that took the start and then delivers nothing is a failed
    // recording, not a saved silent file.
    void silentDeviceIsReportedAsFailure() {
        REQUIRE_SOUND_SERVER();
        SilencedSink silenced;
        QVERIFY(silenced.ok);
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QCOMPARE(logic_->State(), RecorderState::Recording);
        // The stream runs on the server, with nothing to deliver.
        QTRY_COMPARE_WITH_TIMEOUT(OwnSourceOutputsCorked(), QList<bool>{false}, 20000);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        ExpectBox(kSaveFailed, "错误", mb::kIconError);
        QCOMPARE(logic_->State(), RecorderState::Idle);
        QCOMPARE(capture_->BytesCaptured(), std::uint64_t(0));
        QVERIFY(!std::filesystem::exists(Recordings() / "200935140709.wav"));
    }

    // Pause halts the device on the server (its stream is corked); record
    // starts it again and the sound flows on.
    void mediaBarActsOnTheDevice() {
        REQUIRE_SOUND_SERVER();
        TonePlayer tone(world_->At("tone.wav"));
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(capture_->BytesCaptured() > 0, 20000);
        QCOMPARE(OwnSourceOutputsCorked(), QList<bool>{false});
        QTest::mouseClick(form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Pause), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(OwnSourceOutputsCorked(), QList<bool>{true}, 20000);
        const std::uint64_t paused = capture_->BytesCaptured();
        QTest::mouseClick(form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Record), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(OwnSourceOutputsCorked(), QList<bool>{false}, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(capture_->BytesCaptured() > paused, 20000);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        ExpectBox(kRecordingSaved, "信息", mb::kIconInformation);
        QVERIFY(!form_->MediaPlayer1->ButtonAt(MediaPlayerBar::Record)->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(OwnSourceOutputsCorked(), QList<bool>{}, 20000);
    }

    void timeTextDropsTheZone_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zone at the end") << "HH:mm:ss t"
                                         << "HH:mm:ss";
        QTest::newRow("no zone") << "h:mm:ss AP"
                                 << "h:mm:ss AP";
        QTest::newRow("quoted t kept") << "HH 'at' mm t"
                                       << "HH 'at' mm";
    }
    void timeTextDropsTheZone() {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(WithoutTimeZone(format), expected);
    }

  private:
    std::filesystem::path Recordings() const { return world_->At("app/newsounds/我的录音"); }

    void ExpectBox(const char* text, const char* caption, unsigned icon) {
        QVERIFY(!world_->dialogs.shown.empty());
        const ShownDialog& shown = world_->dialogs.shown.back();
        QCOMPARE(shown.form, DialogForm::MessageBox);
        QCOMPARE(shown.text, std::string(text));
        QCOMPARE(shown.caption, std::string(caption));
        QCOMPARE(shown.buttons, mb::kOK | icon);
    }

    std::unique_ptr<TestWorld> world_;
    StoppedClock clock_;
    std::unique_ptr<QtAudioCapture> capture_;
    std::unique_ptr<RecorderLogic> logic_;
    std::unique_ptr<TForm3> form_;
};

QTEST_MAIN(RecorderTest)
#include "recorder_test.moc"
