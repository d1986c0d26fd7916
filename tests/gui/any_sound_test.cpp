// Sounds of any format entering the library through the real decoder, the
// progress of a long batch, drag and drop, and previews of any WAV. The
// inputs are made here by Debian's encoders and the results read back by
// Python's wave module.
#include <QAbstractButton>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSoundEffect>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "gui_test_support.h"
#include "library/add_sounds.h"
#include "model/main_model.h"
#include "platform/path_pieces.h"
#include "qt_batch_progress.h"
#include "qt_sound_player.h"
#include "sound_decoder.h"
#include "sound_drop_handler.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using namespace sonatrix;
using sonatrix::testing::DialogForm;
using sonatrix::testing::ReadFile;
using sonatrix::testing::TestWorld;

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

QString Local(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

class AnySoundTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<SoundDecoder> decoder;
    std::unique_ptr<gui::QtBatchProgress> progress;
    std::unique_ptr<MainModel> model;
    std::unique_ptr<TForm1> form;

    std::filesystem::path At(const std::string& relative) { return world->At(relative); }
    std::filesystem::path Custom() { return At("app/newsounds/自定义"); }

    // Runs a tool that makes a test input; a missing tool fails the test,
    // since scripts/install-deps.sh installs every one.
    void Make(const QString& program, const QStringList& arguments) {
        bool ok = false;
        testing::Run(program, arguments, &ok);
        QVERIFY2(ok, qPrintable(program + " " + arguments.join(' ')));
    }
    // A one-second 440 Hz tone, 16-bit mono at 44100 Hz, in `relative`.
    std::filesystem::path Tone(const std::string& relative, double seconds = 1) {
        const auto path = At(relative);
        std::filesystem::create_directories(path.parent_path());
        Make("sox", {"-n", "-r", "44100", "-c", "1", "-b", "16", Local(path), "synth",
                     QString::number(seconds), "sine", "440", "vol", "0.5"});
        return path;
    }
    WavFacts Facts(const std::filesystem::path& wav) {
        bool ok = false;
        const QByteArray out = testing::Run("python3", {"-c", kWaveCheck, Local(wav)}, &ok);
        WavFacts facts;
        const QList<QByteArray> fields = out.simplified().split(' ');
        if (!ok || fields.size() != 5)
            return facts;
        facts = {fields[0].toInt(), fields[1].toInt(), fields[2].toInt(), fields[3].toDouble(),
                 fields[4].toDouble()};
        return facts;
    }
    void Browse(const std::filesystem::path& folder) {
        world->dialogs.ThenText(testing::NarrowPath(folder));
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& shown : world->dialogs.shown)
            texts.push_back(shown.text);
        return texts;
    }
    void Drop(QWidget* viewport, QMimeData* data, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());
    }
    QMimeData* Urls(const std::vector<std::filesystem::path>& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const auto& path : paths)
            urls.push_back(QUrl::fromLocalFile(Local(path)));
        data->setUrls(urls);
        return data;
    }
    // Shows the window with no client to be found, and forgets the first
    // show's word that no client runs.
    void Show() {
        world->ownProcesses.OnlyOwn(testing::SelfPid());
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
        decoder = gui::MakeSoundDecoder();
        progress = std::make_unique<gui::QtBatchProgress>();
        model = std::make_unique<MainModel>(
            Services{*world->files, world->ownProcesses, *world->registry, world->dialogs,
                     world->player, world->shell, *decoder, *progress},
            world->appDir, world->dataDir);
        model->state.AppDir = world->appDir;
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
    // WAV, the PCM WAV is copied as it is, the text file is reported.
    void everyFormatBecomesAToneWav() {
        SKIP_UNLESS(testing::WhyNoLinuxAudioTools());
        const auto tone = Tone("tone.wav");
        const QString in = Local(tone);
        const auto src = [this](const char* name) { return Local(At(std::string("src/") + name)); };
        std::filesystem::create_directories(At("src"));
        Make("lame", {"--quiet", in, src("song.mp3")});
        Make("oggenc", {"-Q", in, "-o", src("beep.ogg")});
        Make("flac", {"-s", "-f", in, "-o", src("chime.flac")});
        Make("opusenc", {"--quiet", in, src("voice.opus")});
        Make("ffmpeg", {"-loglevel", "error", "-y", "-i", in, "-c:a", "aac", src("alert.m4a")});
        Make("sox", {in, src("bell.aiff")});
        Make("sox", {in, "-e", "ima-adpcm", src("ima.wav")});
        Make("sox", {in, "-e", "ms-adpcm", src("ms.wav")});
        Make("sox", {in, "-e", "a-law", src("alaw.wav")});
        Make("sox", {in, "-e", "u-law", src("ulaw.wav")});
        Make("sox", {in, "-e", "floating-point", "-b", "32", src("float.wav")});
        // Six channels at 96 kHz: two channels at 44100 Hz are kept.
        Make("sox", {"-n", "-r", "96000", "-c", "6", src("surround.flac"), "synth", "1", "sine",
                     "440", "vol", "0.5"});
        std::filesystem::copy_file(tone, At("src/a.wav"));
        world->Put("src/bad.mp3", "This is a text file, not a sound.");
        // An MP3 whose frames are noise after its first bytes.
        std::string corrupt = ReadFile(At("src/song.mp3"));
        for (std::size_t i = 4; i < corrupt.size(); ++i)
            corrupt[i] = static_cast<char>((i * 7919) >> 3);
        world->Put("src/corrupt.mp3", corrupt);

        Browse(At("src"));
        QTest::mouseClick(form->findChild<QAbstractButton*>("SpeedButton13"), Qt::LeftButton);

        // The failures are listed first, then the completion.
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{3}, 20000);
        const std::string failures = world->dialogs.shown[1].text;
        QCOMPARE(world->dialogs.shown[1].caption, std::string("Error"));
        QVERIFY2(failures.find("\nbad.mp3：" + std::string(kNotASoundFile)) != std::string::npos,
                 failures.c_str());
        QVERIFY2(failures.find("\ncorrupt.mp3：") != std::string::npos, failures.c_str());
        QCOMPARE(std::count(failures.begin(), failures.end(), '\n'), 2L);
        QCOMPARE(world->dialogs.shown[2].text, std::string(kSoundsAdded));
        QVERIFY(!std::filesystem::exists(Custom() / "bad.wav"));
        QVERIFY(!std::filesystem::exists(Custom() / "corrupt.wav"));

        QCOMPARE(ReadFile(Custom() / "a.wav"), ReadFile(tone));
        for (const char* name : {"song", "beep", "chime", "voice", "alert", "bell", "ima", "ms",
                                 "alaw", "ulaw", "float", "surround"}) {
            const WavFacts facts = Facts(Custom() / (std::string(name) + ".wav"));
            const QByteArray what = QByteArray(name) + ": " + QByteArray::number(facts.bits) +
                                    " bits, " + QByteArray::number(facts.seconds) + " s, " +
                                    QByteArray::number(facts.hertz) + " Hz";
            QVERIFY2(facts.bits == 16, what);
            QVERIFY2(std::abs(facts.seconds - 1) <= 0.02, what);
            QVERIFY2(std::abs(facts.hertz - 440) <= 440 * 0.02, what);
            const bool surround = std::string(name) == "surround";
            QCOMPARE(facts.channels, surround ? 2 : 1);
            // Opus always decodes at 48 kHz, which is within the kept range.
            QCOMPARE(facts.rate, surround ? 44100 : std::string(name) == "voice" ? 48000 : 44100);
        }
        // No temporary file is left, and the tree shows every sound.
        for (const auto& entry : std::filesystem::directory_iterator(Custom()))
            QVERIFY(entry.path().filename().string()[0] != '.');
        QCOMPARE(model->state.LibrarySoundCount, 13);
    }

    // Cancel during a long batch: the window kept painting, the progress
    // showed the file in hand, and only whole files are left.
    void cancelMidWayLeavesOnlyWholeFiles() {
        SKIP_UNLESS(testing::WhyNoLinuxAudioTools());
        const auto tone = Tone("tone.wav", 60);
        Make("lame", {"--quiet", "-b", "64", Local(tone), Local(At("one.mp3"))});
        std::filesystem::create_directories(At("long"));
        constexpr int kFiles = 20;
        for (int i = 0; i < kFiles; ++i)
            std::filesystem::copy_file(At("one.mp3"), At("long/" + std::to_string(i) + ".mp3"));

        bool sawDialog = false;
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
            label = dialog->labelText();
            dialog->findChild<QPushButton*>()->click();
        });
        poll.start(20);
        Browse(At("long"));
        SpeedButton12Click(*model);
        poll.stop();

        QVERIFY(sawDialog);
        QVERIFY2(label.startsWith(QStringLiteral("正在添加：")) && label.endsWith(".mp3"),
                 qPrintable(label));
        QVERIFY(ticks > 10);  // the window's timers ran all along
        QCOMPARE(Texts(), std::vector<std::string>{kChooseWavFolderTitle});  // no completion
        int whole = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Custom())) {
            QVERIFY2(entry.path().filename().string()[0] != '.', "a partial file was left");
            const WavFacts facts = Facts(entry.path());
            QVERIFY(std::abs(facts.seconds - 60) <= 60 * 0.02);
            ++whole;
        }
        QVERIFY(whole >= 1 && whole < kFiles);
        QVERIFY(progress->Dialog() == nullptr);
    }

    // Files and a folder dropped from a file manager on the library tree.
    void dropOnTheTreeAddsTheSounds() {
        SKIP_UNLESS(testing::WhyNoLinuxAudioTools());
        const auto tone = Tone("tone.wav");
        std::filesystem::create_directories(At("drop/folder"));
        Make("oggenc", {"-Q", Local(tone), "-o", Local(At("drop/folder/beep.ogg"))});
        Make("lame", {"--quiet", Local(tone), Local(At("drop/song.mp3"))});
        world->Put("drop/readme.txt", "words");
        Show();

        std::unique_ptr<QMimeData> data(
            Urls({At("drop/folder"), At("drop/song.mp3"), At("drop/readme.txt")}));
        Drop(TreeView1()->viewport(), data.get(), {20, 20});
        QTRY_COMPARE_WITH_TIMEOUT(Texts(), std::vector<std::string>{kSoundsAdded}, 20000);
        QCOMPARE(Facts(Custom() / "beep.wav").bits, 16);
        QCOMPARE(Facts(Custom() / "song.wav").bits, 16);
        QVERIFY(!std::filesystem::exists(Custom() / "readme.txt"));
        QCOMPARE(TreeView1()->topLevelItem(0)->childCount(), 2);
    }

    // A library sound dragged from the tree onto a target item replaces it.
    void libraryDropOnATargetItemReplacesIt() {
        const std::string tone = testing::ToneWav(1, 440);
        world->Put("app/newsounds/自定义/song.wav", tone);
        ShowWithTarget();
        world->dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);

        auto* data = new QMimeData;
        data->setData(gui::kLibrarySoundMime, QByteArray("自定义") + kSep + "song.wav");
        std::unique_ptr<QMimeData> owned(data);
        Drop(ListBox1()->viewport(), data,
             ListBox1()->visualItemRect(ListBox1()->item(0)).center());
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{2}, 10000);
        QCOMPARE(world->dialogs.shown[0].caption, std::string("Confirm"));
        QCOMPARE(world->dialogs.shown[0].text,
                 "点击“OK”按钮，将用声音 自定义" + std::string(1, kSep) + "song.wav替换掉 msg.wav");
        QCOMPARE(ReadFile(At("client/sound/msg.wav")), tone);
        QCOMPARE(ReadFile(At("client/sound/ring.wav")), std::string("old ring"));
    }

    // An audio file from outside, dropped on a target item, is converted
    // into the library and the converted file is what is copied.
    void fileDropOnATargetItemConvertsThenReplaces() {
        SKIP_UNLESS(testing::WhyNoLinuxAudioTools());
        Make("oggenc", {"-Q", Local(Tone("tone.wav")), "-o", Local(At("beep.ogg"))});
        ShowWithTarget();
        world->dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);

        std::unique_ptr<QMimeData> data(Urls({At("beep.ogg")}));
        Drop(ListBox1()->viewport(), data.get(),
             ListBox1()->visualItemRect(ListBox1()->item(1)).center());
        QTRY_COMPARE_WITH_TIMEOUT(world->dialogs.shown.size(), std::size_t{2}, 20000);
        QCOMPARE(
            world->dialogs.shown[0].text,
            "点击“OK”按钮，将用声音 自定义" + std::string(1, kSep) + "beep.wav替换掉 ring.wav");
        QCOMPARE(ReadFile(At("client/sound/ring.wav")), ReadFile(Custom() / "beep.wav"));
        QCOMPARE(Facts(At("client/sound/ring.wav")).bits, 16);
    }

    // A drop beside the items, or of several files, is refused.
    void dropBesideTheItemsIsRefused() {
        ShowWithTarget();
        std::unique_ptr<QMimeData> data(Urls({At("a.mp3"), At("b.mp3")}));
        QDragEnterEvent several(ListBox1()->visualItemRect(ListBox1()->item(0)).center(),
                                Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ListBox1()->viewport(), &several);
        QVERIFY(!several.isAccepted());
        std::unique_ptr<QMimeData> one(Urls({At("a.mp3")}));
        QDragEnterEvent beside(QPoint(5, ListBox1()->viewport()->height() - 2), Qt::CopyAction,
                               one.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ListBox1()->viewport(), &beside);
        QVERIFY(!beside.isAccepted());
    }

    // The preview plays a WAV QSoundEffect cannot: through a decoded copy.
    void previewPlaysAnyWav() {
        SKIP_UNLESS(testing::WhyNoLinuxAudioTools());
        const QString in = Local(Tone("tone.wav"));
        Make("sox", {in, "-e", "ima-adpcm", Local(At("adpcm.wav"))});
        QtSoundPlayer player(decoder.get());
        auto* effect = player.findChild<QSoundEffect*>();
        player.PlayAsync(At("adpcm.wav").string());
        QVERIFY(effect->source().isLocalFile());
        QVERIFY(IsPlayableWav(effect->source().toLocalFile()));
        QVERIFY(!effect->source().toLocalFile().endsWith("bell.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, 5000);
    }
};

QTEST_MAIN(AnySoundTest)
#include "any_sound_test.moc"
