// SPDX-License-Identifier: GPL-3.0-or-later
// Adding a folder of 100 three-second MP3 files to the library through the
// program's decoding helper, off the window's thread as the window does it (goal:
// at least 20 times faster than the 300 s of sound play, and within twice
// the time of the ffmpeg command line converting the same files one process
// each, measured in the same run).
#include <benchmark/benchmark.h>

#include <QProcess>

#include <filesystem>
#include <string>
#include <vector>

#include "helper_decoder.h"
#include "library/add_sounds.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "qt_batch_progress.h"
#include "recording_services.h"
#include "scripted_dialogs.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

constexpr int kFiles = 100;

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The folder of MP3 files, made once per run by sox and lame.
const std::vector<std::string>& Mp3s() {
    static testing::TempDir root;
    static std::vector<std::string> files = [] {
        std::vector<std::string> made;
        const QString wav = QString::fromStdString((root.Path() / "chord.wav").string());
        const QString mp3 = QString::fromStdString((root.Path() / "chord.mp3").string());
        if (!Run("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "3", "sine",
                         "440", "sine", "660", "vol", "0.5"}) ||
            !Run("lame", {"--quiet", wav, mp3}))
            return made;
        std::filesystem::create_directories(root.Path() / "mp3");
        for (int i = 0; i < kFiles; ++i) {
            const auto file = root.Path() / "mp3" / ("sound" + std::to_string(i) + ".mp3");
            std::filesystem::copy_file(mp3.toStdString(), file);
            made.push_back(file.string());
        }
        return made;
    }();
    return files;
}

void Figure_AddMp3s(benchmark::State& state) {
    if (Mp3s().size() != kFiles) {
        state.SkipWithError("sox and lame could not make the MP3 files");
        return;
    }
    testing::TempDir app;
    const std::string appDir = app.Path().string() + "/";
    std::filesystem::create_directories(app.Path() / "newsounds");
    auto files = MakeNativeFileSystem();
    auto processes = MakeNativeProcessSource();
    auto registry = MakeNativeRegistry();
    testing::ScriptedDialogs dialogs;
    testing::RecordingPlayer player;
    testing::RecordingShell shell;
    gui::HelperDecoder decoder(SONATRIX_DECODE_HELPER);
    gui::QtBatchProgress progress;
    MainModel model(
        Services{*files, *processes, *registry, dialogs, player, shell, decoder, progress}, appDir,
        appDir + "userdata/");
    model.state.AppDir = appDir;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(app.Path() / "newsounds" / "自定义");
        state.ResumeTiming();
        AddReport report;
        AddSoundFiles(model, Mp3s(), report);
        if (report.added.size() != kFiles)
            state.SkipWithError("not every file was added");
    }
}

void Floor_AddMp3s(benchmark::State& state) {
    if (Mp3s().size() != kFiles) {
        state.SkipWithError("sox and lame could not make the MP3 files");
        return;
    }
    testing::TempDir out;
    for (auto _ : state) {
        for (const std::string& mp3 : Mp3s()) {
            const auto wav = out.Path() / (std::filesystem::path(mp3).stem().string() + ".wav");
            if (!Run("ffmpeg", {"-loglevel", "error", "-y", "-i", QString::fromStdString(mp3),
                                QString::fromStdString(wav.string())}))
                state.SkipWithError("ffmpeg failed");
        }
    }
}

BENCHMARK(Floor_AddMp3s)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Figure_AddMp3s)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace sonatrix
