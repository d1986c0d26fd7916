// SPDX-License-Identifier: GPL-3.0-or-later
// Sounds of any format entering the library through the decoding helper,
// files that must be refused, the batch and the window around it, drag and
// drop, and previews of any WAV. The inputs are made before the test by
// Debian's encoders (make_sound_inputs.sh, for the Windows build under Wine
// too); the results are read back by Python's wave module where it runs.
#include <QAbstractButton>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSoundEffect>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/startup.h"
#include "gui_test_support.h"
#include "helper_decoder.h"
#include "library/add_sounds.h"
#include "model/main_model.h"
#include "platform/path_pieces.h"
#include "qt_batch_progress.h"
#include "qt_sound_player.h"
#include "sound_drop_handler.h"
#include "sound_module_loader.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using namespace sonatrix;
using sonatrix::testing::ReadFile;
using sonatrix::testing::TestWorld;
using Paths = std::vector<std::filesystem::path>;
using ProcessFault = bool (*)(int pid);

namespace {

// Prints "<bits> <channels> <rate> <seconds> <hertz>" of a WAV file; the
// frequency comes from the zero crossings of its first channel.
constexpr const char* kWaveCheck = R"(
import struct, sys, wave
w = wave.open(sys.argv[1])
channels, width, rate, frames = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
if w.getcomptype() != 'NONE' or width != 2:
    print(width * 8, channels, rate, 0, 0); sys.exit()
first = struct.unpack('<%dh' % (frames * channels), w.readframes(frames))[::channels]
crossings = sum(1 for a, b in zip(first, first[1:]) if (a < 0) != (b < 0))
print(16, channels, rate, frames / rate, crossings / 2 / (frames / rate))
)";

struct WavFacts {
    int bits = 0, channels = 0, rate = 0;
    double seconds = 0, hertz = 0;
};

// The same from the header and the samples, where Python does not run.
WavFacts HeaderFacts(const std::string& bytes) {
    const auto header = ParseWavHeader(bytes);
    if (!header || header->bitsPerSample != 16 || header->channels == 0 || header->sampleRate == 0)
        return {};
    const std::size_t frameBytes = 2u * header->channels;
    const std::size_t frames =
        std::min<std::size_t>(header->dataSize, bytes.size() - kWavHeaderSize) / frameBytes;
    int crossings = 0;
    for (std::size_t i = 1; i < frames; ++i) {
        auto sample = [&](std::size_t frame) {
            const auto* at = reinterpret_cast<const unsigned char*>(bytes.data() + kWavHeaderSize +
                                                                    frame * frameBytes);
            return static_cast<std::int16_t>(at[0] | at[1] << 8);
        };
        crossings += (sample(i - 1) < 0) != (sample(i) < 0);
    }
    const double seconds = double(frames) / header->sampleRate;
    return {16, header->channels, int(header->sampleRate), seconds, crossings / 2 / seconds};
}

QString Local(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A file made by make_sound_inputs.sh.
std::filesystem::path Input(const std::string& relative) {
    return (std::filesystem::path(SONATRIX_SOUND_INPUTS) / relative).make_preferred();
}

std::vector<std::string> Narrow(const Paths& paths) {
    std::vector<std::string> narrow;
    for (const auto& path : paths)
        narrow.push_back(testing::NarrowPath(path));
    return narrow;
}

}  // namespace

class AnySoundTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<gui::HelperDecoder> decoder;
    std::unique_ptr<gui::QtBatchProgress> progress;
    std::unique_ptr<MainModel> model;
    std::unique_ptr<TForm1> form;

    std::filesystem::path At(const std::string& relative) { return world->At(relative); }
    std::filesystem::path Custom() { return At("app/newsounds/自定义"); }

    WavFacts Facts(const std::filesystem::path& wav) {
        if (testing::WhyNoLinuxAudioTools())
            return HeaderFacts(ReadFile(wav));
        bool ok = false;
        const QByteArray out = testing::Run("python3", {"-c", kWaveCheck, Local(wav)}, &ok);
        const QList<QByteArray> fields = out.simplified().split(' ');
        if (!ok || fields.size() != 5)
            return {};
        return {fields[0].toInt(), fields[1].toInt(), fields[2].toInt(), fields[3].toDouble(),
                fields[4].toDouble()};
    }
    void Browse(const std::filesystem::path& folder) {
        world->dialogs.ThenText(testing::NarrowPath(folder));
    }
    std::vector<std::string> Texts() { return world->dialogs.Texts(false); }
    // The names in the category, sorted.
    QStringList Added() {
        QStringList names;
        if (std::filesystem::exists(Custom()))
            for (const auto& entry : std::filesystem::directory_iterator(Custom()))
                names << Local(entry.path().filename());
        names.sort();
        return names;
    }
    // Adds `sources` as "添加声音" does; each time the helper says it is at
    // work, `atWork` runs, until it returns true.
    void AddWhile(const Paths& sources, const std::function<bool()>& atWork) {
        QMetaObject::Connection watch =
            connect(decoder.get(), &gui::HelperDecoder::Working, this, [&] {
                if (atWork())
                    disconnect(watch);
            });
        AddSoundsAndReport(*model, Narrow(sources));
        disconnect(watch);
    }
    // What this build's helper says of `source`, run by hand with
    // `variable` ("NAME" or "NAME=value") set; `crashed` tells whether it
    // ended by a crash.
    QList<QByteArray> RunHelper(const std::filesystem::path& source, const QString& variable,
                                bool* crashed = nullptr) {
        QProcess helper;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QStringList pair = variable.split('=');
        environment.insert(pair.front(), pair.size() > 1 ? pair.back() : QStringLiteral("1"));
        helper.setProcessEnvironment(environment);
        helper.start(SONATRIX_DECODE_HELPER, {});
        helper.write(QByteArray::fromStdString(testing::NarrowPath(source)) + '\0' +
                     QByteArray::fromStdString(testing::NarrowPath(At("run.wav"))) + '\0');
        helper.closeWriteChannel();
        if (!helper.waitForFinished(60000))
            return {"the helper did not end"};
        if (crashed)
            *crashed = helper.exitStatus() == QProcess::CrashExit;
        return helper.readAllStandardOutput().replace('\r', "").trimmed().split('\n');
    }
    // Whether `viewport` takes `data` dragged in at `at`.
    static bool Enters(QWidget* viewport, QMimeData* data, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        return enter.isAccepted();
    }
    void Drop(QWidget* viewport, QMimeData* data, QPoint at) {
        QVERIFY(Enters(viewport, data, at));
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());
    }
    QMimeData* Urls(const Paths& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const auto& path : paths)
            urls.push_back(QUrl::fromLocalFile(Local(path)));
        data->setUrls(urls);
        return data;
    }
    // A new model over the world whose decoding helper is `helper`.
    void UseHelper(const QString& helper) {
        model.reset();
        decoder = std::make_unique<gui::HelperDecoder>(helper);
        model = std::make_unique<MainModel>(
            Services{*world->files, world->ownProcesses, *world->registry, world->dialogs,
                     world->player, world->shell, *decoder, *progress},
            world->appDir, world->dataDir);
        model->state.AppDir = world->appDir;
    }
    // Shows the window with no client to be found, and forgets the first
    // show's word that no client runs.
    void Show() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        world->dialogs.shown.clear();
    }
    void ShowWithTarget() {
        Show();
        world->Put("client/sound/msg.wav", "old msg");
        world->Put("client/sound/ring.wav", "old ring");
        model->state.TargetSoundDir = At("client/sound").string() + kSep;
        model->state.TargetList = {"msg.wav", "ring.wav"};
        model->Changed(kAspectTargetList);
    }
    QListWidget* ListBox1() { return form->findChild<QListWidget*>("ListBox1"); }
    QTreeWidget* TreeView1() { return form->findChild<QTreeWidget*>("TreeView1"); }

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        world->SetAppDir();
        std::filesystem::create_directories(At("app/newsounds"));
        progress = std::make_unique<gui::QtBatchProgress>();
        UseHelper(SONATRIX_DECODE_HELPER);
        form = std::make_unique<TForm1>(*model);
        progress->SetOwner(form.get());
    }
    void cleanup() {
        form.reset();
        model.reset();
        progress.reset();
        decoder.reset();
        world.reset();
    }

    // The folder a new user brings: every format becomes a one-second 440 Hz
    // WAV, the PCM WAV is copied as it is, the text file and the damaged
    // MP3 are reported.
    void everyFormatBecomesAToneWav() {
        Browse(Input("formats"));
        QTest::mouseClick(form->findChild<QAbstractButton*>("SpeedButton13"), Qt::LeftButton);

        // The failures are listed first, then the completion.
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{3}, 30000);
        const std::string failures = world->dialogs.shown[1].text;
        QCOMPARE(world->dialogs.shown[1].caption, std::string("Error"));
        QVERIFY2(failures.find("\nbad.mp3：" + std::string(kNotASoundFile)) != std::string::npos,
                 failures.c_str());
        QVERIFY2(failures.find("\ncorrupt.mp3：") != std::string::npos, failures.c_str());
        QCOMPARE(std::count(failures.begin(), failures.end(), '\n'), 2L);
        QCOMPARE(world->dialogs.shown[2].text, std::string(kSoundsAdded));

        QCOMPARE(ReadFile(Custom() / "a.wav"), ReadFile(Input("formats/a.wav")));
        const QStringList converted{"alaw", "alert", "beep", "bell", "chime", "float", "gong",
                                    "ima",  "knock", "ms",   "song", "ulaw",  "voice", "surround"};
        QStringList expected{"a.wav"};
        for (const QString& name : converted)
            expected << name + ".wav";
        expected.sort();
        // Nothing else, and no temporary file, is left.
        QCOMPARE(Added(), expected);
        for (const QString& name : converted) {
            const WavFacts facts = Facts(Custom() / (name.toStdString() + ".wav"));
            const QByteArray what = name.toUtf8() + ": " + QByteArray::number(facts.bits) +
                                    " bits, " + QByteArray::number(facts.seconds) + " s, " +
                                    QByteArray::number(facts.hertz) + " Hz";
            QVERIFY2(facts.bits == 16, what);
            QVERIFY2(std::abs(facts.seconds - 1) <= 0.02, what);
            QVERIFY2(std::abs(facts.hertz - 440) <= 440 * 0.02, what);
            QCOMPARE(facts.channels, name == "surround" ? 2 : 1);
            // Opus always decodes at 48 kHz, which is within the kept range.
            QCOMPARE(facts.rate, name == "voice" ? 48000 : 44100);
        }
        QCOMPARE(model->state.LibrarySoundCount, 15);
    }

    // What the internet brings: the files of sound are added, every other
    // one is listed with its reason and leaves nothing behind.
    void hostileFilesAreRefusedWithTheirReason() {
        struct Row {
            const char* file;
            const char* reason;  // nullptr: added
        };
        std::vector<Row> rows{{"joined.mp3", nullptr},         {"silence.flac", kSoundTooLong},
                              {"unstated.mp3", kSoundTooLong}, {"x.mp3", kNotASoundFile},
                              {"y.ogg", kNotASoundFile},       {"cut.flac", kDamagedSoundFile},
                              {"ghz.wav", kUnsupportedRate},   {"crowd.wav", kTooManyChannels},
                              {"huge.mp3", kSourceTooLarge},   {"giant.ogg", kSoundTooLong},
                              {"stated.flac", kSoundTooLong},  {"movie.m4a", nullptr},
                              {"film.m4a", kNotASoundFile},    {"tick.aac", nullptr}};
        Paths sources;
        for (const Row& row : rows)
            sources.push_back(Input(std::string("hostile/") + row.file));
        // A named pipe is never waited on (Windows folders hold none).
        if (!testing::WhyNoLinuxAudioTools()) {
            std::filesystem::create_directories(At("pipes"));
            QVERIFY(testing::Run("mkfifo", {Local(At("pipes/pipe.mp3"))}).isEmpty());
            sources.push_back(At("pipes/pipe.mp3"));
            rows.push_back({"pipe.mp3", kNotASoundFile});
        }
        AddSoundsAndReport(*model, Narrow(sources));

        QCOMPARE(world->dialogs.shown.size(), std::size_t{2});
        const std::string failures = world->dialogs.shown[0].text;
        QCOMPARE(
            std::count(failures.begin(), failures.end(), '\n'),
            std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.reason; }));
        for (const Row& row : rows)
            if (row.reason)
                QVERIFY2(failures.find(std::string("\n") + row.file + "：" + row.reason) !=
                             std::string::npos,
                         (row.file + std::string(" in ") + failures).c_str());
        QCOMPARE(Added(), (QStringList{"joined.wav", "movie.wav", "tick.wav"}));
        // No file, the single block of 5,000 seconds above all, took the
        // helper anywhere near its memory limit.
        const double peak = testing::LargestEndedChildMiB();
        QVERIFY2(peak < 200, QByteArray::number(peak) + " MiB");
        // The stereo second and the mono second make one stereo WAV of two
        // seconds (and the second file's encoder delay).
        const WavFacts joined = Facts(Custom() / "joined.wav");
        QCOMPARE(joined.channels, 2);
        QCOMPARE(joined.rate, 44100);
        QVERIFY2(std::abs(joined.seconds - 2) <= 0.1, QByteArray::number(joined.seconds));
    }

    // The helper killed on a file, frozen on it, or still at it when its
    // time is up, however busy it says it is: that file fails, a new
    // helper takes the next one.
    void helperFaultCostsOneFile_data() {
        QTest::addColumn<ProcessFault>("fault");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("timeMs");  // the file's time; 0: the usual
        QTest::newRow("killed") << ProcessFault(&testing::KillProcess) << QString(kDecodingFailed)
                                << 0;
        // The slow file takes far longer than these seconds, and its helper
        // says so well before.
        QTest::newRow("stopped answering")
            << ProcessFault(&testing::SuspendProcess) << QString(kDecodingTimedOut) << 4000;
        QTest::newRow("reading past its time")
            << ProcessFault([](int) { return true; }) << QString(kDecodingTimedOut) << 4000;
    }
    void helperFaultCostsOneFile() {
        QFETCH(ProcessFault, fault);
        QFETCH(QString, reason);
        QFETCH(int, timeMs);
        if (timeMs)
            decoder->SetTimeRule({timeMs, 0, 0});
        qint64 faulty = 0;
        AddWhile({Input("slow/slow.mp3"), Input("formats/beep.ogg")}, [&] {
            faulty = decoder->HelperProcessId();
            decoder->SetTimeRule({});  // the next file's
            return fault(int(faulty));
        });
        QVERIFY(faulty != 0);
        QCOMPARE(Texts(), (std::vector<std::string>{
                              FailedAddsText({{"slow.mp3", reason.toStdString()}}), kSoundsAdded}));
        QCOMPARE(Added(), QStringList{"beep.wav"});
        QVERIFY(decoder->HelperProcessId() != faulty);
    }

    // A film's sound: the one decoder opened is the sound's, never the
    // picture's.
    void onlyTheSoundsDecoderIsOpened() {
        const QList<QByteArray> said =
            RunHelper(Input("hostile/movie.m4a"), "SONATRIX_DECODE_SHOW");
        QList<QByteArray> decoders;
        for (const QByteArray& line : said)
            if (line.startsWith("decoder "))
                decoders << line;
        QCOMPARE(decoders, QList<QByteArray>{"decoder aac"});
        QCOMPARE(said.back(), QByteArray("done"));
    }

    // Once its files are open the helper is confined: a call that reaches
    // beyond them is refused, or ends the helper.
    void helperIsConfined_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QByteArray>("refusal");  // empty: the helper is ended
        if (testing::WhyNoSeccomp()) {
            QTest::newRow("job object")
                << "SONATRIX_DECODE_SHOW" << QByteArray("confined job of 512 MiB, 1 process");
            return;
        }
        QTest::newRow("starting a program") << "SONATRIX_DECODE_TRY=exec" << QByteArray();
        QTest::newRow("a socket") << "SONATRIX_DECODE_TRY=socket" << QByteArray();
        QTest::newRow("opening a file") << "SONATRIX_DECODE_TRY=open" << QByteArray("refused open");
    }
    void helperIsConfined() {
        QFETCH(QString, variable);
        QFETCH(QByteArray, refusal);
        bool crashed = false;
        const QList<QByteArray> said = RunHelper(Input("formats/beep.ogg"), variable, &crashed);
        QVERIFY2(!said.join(' ').contains("escaped"), said.join(' '));
        QCOMPARE(crashed, refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QVERIFY2(said.contains(refusal), said.join(' '));
            QCOMPARE(said.back(), QByteArray("done"));
        }
    }

    // A program folder without its helper says so for every file.
    void missingHelperIsNamed() {
        form.reset();
        UseHelper(Local(At("nowhere/sonatrix-decode")));
        AddSoundsAndReport(*model, Narrow({Input("formats/beep.ogg")}));
        QCOMPARE(Texts().front(), FailedAddsText({{"beep.ogg", kNoDecoderProgram}}));
        QCOMPARE(Added(), QStringList{});
    }

    // Closing the window during a batch asks; "Yes" stops at once, even in
    // the set-up of a file that takes long, keeps the whole files and
    // closes; "No" goes on. A logout stops and closes without asking.
    void closingDuringABatch_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<bool>("closes");
        QTest::newRow("yes") << "yes" << QStringList{"beep.wav"} << true;
        QTest::newRow("no") << "no" << QStringList{"beep.wav", "chime.wav"} << false;
        QTest::newRow("logout") << "" << QStringList{"beep.wav"} << true;
    }
    void closingDuringABatch() {
        QFETCH(QString, answer);
        QFETCH(QStringList, added);
        QFETCH(bool, closes);
        Show();
        const Paths sources = closes
                                  ? Paths{Input("formats/beep.ogg"), Input("slow/slow.mp3"),
                                          Input("formats/chime.flac")}
                                  : Paths{Input("formats/beep.ogg"), Input("formats/chime.flac")};
        AddWhile(sources, [&] {
            if (closes && !std::filesystem::exists(Custom() / "beep.wav"))
                return false;  // the slow file is not in hand yet
            if (answer.isEmpty()) {
                progress->SessionEnding();
            } else {
                world->dialogs.ThenResult(answer == "yes" ? DlgResult::Yes : DlgResult::No);
                form->close();
            }
            return true;
        });
        std::vector<std::string> texts;
        if (!answer.isEmpty())
            texts.push_back(kStopAddingAndQuit);
        if (!closes)
            texts.push_back(kSoundsAdded);
        QCOMPARE(Texts(), texts);
        QCOMPARE(Added(), added);
        // The helper was ended on the slow file, not waited for.
        if (closes)
            QCOMPARE(decoder->HelperProcessId(), qint64{0});
        QTRY_COMPARE(form->isVisible(), !closes);
    }

    // The poll adopts no client while sounds are being added, and does
    // once they are.
    void pollWaitsWhileABatchRuns() {
        world->Put("client/Tencent/QQ/Misc/sound/msg.wav");
        Show();
        testing::StandInProcess client(At("client/Tencent/QQ/Bin/QQ.exe"));
        world->ownProcesses.Allow(client.Pid());
        bool adoptedDuringBatch = true;
        AddWhile({Input("slow/slow.mp3")}, [&] {
            Timer1Timer(*model);
            adoptedDuringBatch = !model->state.TargetSoundDir.empty();
            return testing::KillProcess(int(decoder->HelperProcessId()));
        });
        QVERIFY(!adoptedDuringBatch);
        Timer1Timer(*model);
        QVERIFY(!model->state.TargetSoundDir.empty());
    }

    // Cancel during a long batch: the window kept painting, the progress
    // showed the file in hand, and only whole files are left.
    void cancelMidWayLeavesOnlyWholeFiles() {
        std::filesystem::create_directories(At("long"));
        constexpr int kFiles = 20;
        for (int i = 0; i < kFiles; ++i)
            std::filesystem::copy_file(Input("long/one.mp3"),
                                       At("long/" + std::to_string(i) + ".mp3"));

        bool sawDialog = false;
        bool blocked = true;  // the main window, by a modal dialog: it could not be closed
        QString label;
        int ticks = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            ++ticks;
            QProgressDialog* dialog = progress->Dialog();
            if (!dialog || sawDialog)
                return;
            // Cancel once the second file is in hand.
            if (dialog->value() < 1)
                return;
            sawDialog = true;
            blocked = QGuiApplication::modalWindow() != nullptr;
            label = dialog->labelText();
            dialog->findChild<QPushButton*>()->click();
        });
        poll.start(20);
        // However fast the machine, the batch waits in the second file
        // until the dialog has been seen.
        const QMetaObject::Connection hold =
            connect(decoder.get(), &gui::HelperDecoder::Working, this, [&] {
                const QStringList names = Added();
                const bool firstIsWhole =
                    std::any_of(names.begin(), names.end(),
                                [](const QString& n) { return !n.startsWith('.'); });
                if (!sawDialog && firstIsWhole)
                    (void)QTest::qWaitFor([&] { return sawDialog; }, 20000);  // checked below
            });
        Browse(At("long"));
        SpeedButton12Click(*model);
        disconnect(hold);
        poll.stop();

        QVERIFY(sawDialog);
        QVERIFY(!blocked);
        QVERIFY2(label.startsWith(QStringLiteral("正在添加：")) && label.endsWith(".mp3"),
                 qPrintable(label));
        QVERIFY(ticks > 10);  // the window's timers ran all along
        QCOMPARE(Texts(), std::vector<std::string>{kChooseWavFolderTitle});  // no completion
        const QStringList whole = Added();
        for (const QString& name : whole) {
            QVERIFY2(!name.startsWith('.'), "a partial file was left");
            QVERIFY(std::abs(Facts(Custom() / name.toStdString()).seconds - 60) <= 60 * 0.02);
        }
        QVERIFY(!whole.isEmpty() && whole.size() < kFiles);
        QVERIFY(progress->Dialog() == nullptr);
    }

    // Files and a folder dropped from a file manager on the library tree.
    void dropOnTheTreeAddsTheSounds() {
        std::filesystem::create_directories(At("drop/folder"));
        std::filesystem::copy_file(Input("formats/beep.ogg"), At("drop/folder/beep.ogg"));
        std::filesystem::copy_file(Input("formats/song.mp3"), At("drop/song.mp3"));
        world->Put("drop/readme.txt", "words");
        Show();

        std::unique_ptr<QMimeData> data(
            Urls({At("drop/folder"), At("drop/song.mp3"), At("drop/readme.txt")}));
        Drop(TreeView1()->viewport(), data.get(), {20, 20});
        QTRY_COMPARE_WITH_TIMEOUT(Texts(), std::vector<std::string>{kSoundsAdded}, 20000);
        QCOMPARE(Facts(Custom() / "beep.wav").bits, 16);
        QCOMPARE(Facts(Custom() / "song.wav").bits, 16);
        QCOMPARE(Added(), (QStringList{"beep.wav", "song.wav"}));
        QCOMPARE(TreeView1()->topLevelItem(0)->childCount(), 2);
    }

    // A library sound dragged from the tree onto a target item replaces it;
    // an audio file from outside is converted into the library first, and
    // the converted file is what is copied.
    void dropOnATargetItemReplacesIt_data() {
        QTest::addColumn<bool>("fromLibrary");
        QTest::addColumn<QString>("sound");
        QTest::newRow("library sound") << true << "a.wav";
        QTest::newRow("file from outside") << false << "beep.wav";
    }
    void dropOnATargetItemReplacesIt() {
        QFETCH(bool, fromLibrary);
        QFETCH(QString, sound);
        std::filesystem::create_directories(Custom());
        std::filesystem::copy_file(Input("formats/a.wav"), Custom() / "a.wav");
        ShowWithTarget();
        world->dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);

        std::unique_ptr<QMimeData> data(fromLibrary ? new QMimeData
                                                    : Urls({Input("formats/beep.ogg")}));
        if (fromLibrary)
            data->setData(gui::kLibrarySoundMime, QByteArray("自定义") + kSep + "a.wav");
        Drop(ListBox1()->viewport(), data.get(),
             ListBox1()->visualItemRect(ListBox1()->item(0)).center());
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{2}, 20000);
        QCOMPARE(world->dialogs.shown[0].caption, std::string("Confirm"));
        QCOMPARE(world->dialogs.shown[0].text, "点击“OK”按钮，将用声音 自定义" +
                                                   std::string(1, kSep) + sound.toStdString() +
                                                   "替换掉 msg.wav");
        QCOMPARE(ReadFile(At("client/sound/msg.wav")), ReadFile(Custom() / sound.toStdString()));
        QCOMPARE(Facts(At("client/sound/msg.wav")).bits, 16);
        QCOMPARE(ReadFile(At("client/sound/ring.wav")), std::string("old ring"));
    }

    // A drop beside the items, or of several files, is refused.
    void dropBesideTheItemsIsRefused() {
        ShowWithTarget();
        QWidget* viewport = ListBox1()->viewport();
        std::unique_ptr<QMimeData> several(Urls({At("a.mp3"), At("b.mp3")}));
        QVERIFY(!Enters(viewport, several.get(),
                        ListBox1()->visualItemRect(ListBox1()->item(0)).center()));
        std::unique_ptr<QMimeData> one(Urls({At("a.mp3")}));
        QVERIFY(!Enters(viewport, one.get(), QPoint(5, viewport->height() - 2)));
    }

    // The preview plays a WAV QSoundEffect cannot: through a copy the
    // helper decodes while the window goes on.
    void previewPlaysAnyWav() {
        sonatrix::gui::HelperPreviewDecoder preview(*decoder);
        QtSoundPlayer player(&preview);
        auto* effect = player.findChild<QSoundEffect*>();
        player.PlayAsync(testing::NarrowPath(Input("formats/ima.wav")));
        QTRY_VERIFY_WITH_TIMEOUT(effect->source().isLocalFile(), 20000);
        QVERIFY(IsPlayableWav(effect->source().toLocalFile()));
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, 5000);
    }
};

QTEST_MAIN(AnySoundTest)
#include "any_sound_test.moc"
