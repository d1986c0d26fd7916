// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/path_pieces.h"
#include "soundgen/program_sounds.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Every sound file the program names, read from the catalogue itself.
std::vector<std::string> CatalogueSoundPaths() {
    std::vector<std::string> paths;
    for (const LibraryCategory& category : kLibraryCategories)
        for (const char* file : category.files)
            if (file != nullptr)
                paths.push_back(std::string("newsounds\\") + category.folder + "\\" + file);
    for (const char* file : kQQBackupFiles)
        paths.push_back(std::string("qqsounds\\") + file);
    for (const char* file : kMsnBackupFiles)
        paths.push_back(std::string("msnsounds\\") + file);
    return paths;
}

fs::path Expected(const fs::path& appDir, const std::string& backslashed) {
    const std::string native = NativePath(backslashed);
    return appDir / fs::path(std::u8string(native.begin(), native.end()));
}

std::uint32_t LE(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct Wav {
    std::string problem;  // empty for a well-formed file
    std::uint32_t rate = 0;
    std::vector<std::int16_t> samples;

    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
};

Wav Bad(const char* problem) {
    Wav wav;
    wav.problem = problem;
    return wav;
}

// Reads a canonical PCM WAV of one 16-bit channel, checking every field.
Wav ParseWav(const std::string& bytes) {
    Wav wav;
    if (bytes.size() < 44)
        return Bad("shorter than a header");
    if (bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return Bad("not RIFF/WAVE");
    if (LE(bytes, 4, 4) != bytes.size() - 8)
        return Bad("RIFF size is not the file size less 8");
    if (bytes.compare(12, 4, "fmt ") != 0 || LE(bytes, 16, 4) != 16)
        return Bad("no 16-byte fmt chunk");
    if (LE(bytes, 20, 2) != 1)
        return Bad("not PCM");
    if (LE(bytes, 22, 2) != 1)
        return Bad("not mono");
    wav.rate = LE(bytes, 24, 4);
    const std::uint32_t bits = LE(bytes, 34, 2);
    if (bits != 16 || LE(bytes, 32, 2) != 2 || LE(bytes, 28, 4) != wav.rate * 2)
        return Bad("block align, byte rate or bits disagree");
    if (bytes.compare(36, 4, "data") != 0 || LE(bytes, 40, 4) != bytes.size() - 44)
        return Bad("data size is not the rest of the file");
    wav.samples.resize((bytes.size() - 44) / 2);
    for (std::size_t i = 0; i < wav.samples.size(); ++i)
        wav.samples[i] = static_cast<std::int16_t>(LE(bytes, 44 + 2 * i, 2));
    return wav;
}

// Every regular file under `root`, by its path relative to it.
std::map<std::u8string, std::string> AllFiles(const fs::path& root) {
    std::map<std::u8string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_u8string()] = ReadFile(entry.path());
    return files;
}

// One generated program folder shared by the read-only checks.
class GeneratedFolder : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempDir>();
        ASSERT_FALSE(soundgen::WriteProgramSounds(folder_->Path()).has_value());
    }
    static void TearDownTestSuite() { folder_.reset(); }
    static const fs::path& AppDir() { return folder_->Path(); }

  private:
    static std::unique_ptr<TempDir> folder_;
};
std::unique_ptr<TempDir> GeneratedFolder::folder_;

TEST_F(GeneratedFolder, EveryNamedSoundIsAShortAudibleUnclippedPcmWav) {
    for (const std::string& path : CatalogueSoundPaths()) {
        SCOPED_TRACE(path);
        const fs::path file = Expected(AppDir(), path);
        ASSERT_TRUE(fs::is_regular_file(file));
        const Wav wav = ParseWav(ReadFile(file));
        ASSERT_EQ(wav.problem, "");
        EXPECT_EQ(wav.rate, 22050u);
        if (path == kIntroMusic) {
            EXPECT_GE(wav.Seconds(), 4.0);
            EXPECT_LE(wav.Seconds(), 6.0);
        } else {
            EXPECT_GE(wav.Seconds(), 0.3);
            EXPECT_LE(wav.Seconds(), 2.0);
        }
        double sumSquares = 0.0;
        int peak = 0;
        for (std::int16_t s : wav.samples) {
            sumSquares += static_cast<double>(s) * s;
            peak = std::max(peak, s < 0 ? -static_cast<int>(s) : static_cast<int>(s));
        }
        const double rms = std::sqrt(sumSquares / static_cast<double>(wav.samples.size()));
        EXPECT_GT(rms, 0.02 * 32768) << "too quiet to hear";
        EXPECT_LT(peak, 32000) << "clipped";
        // Starts and ends in silence, so that playing it clicks at neither end.
        EXPECT_EQ(wav.samples.front(), 0);
        EXPECT_LT(std::abs(static_cast<int>(wav.samples.back())), 200);
    }
}

TEST_F(GeneratedFolder, TheUsersCategoriesExistEmpty) {
    for (const char* category : {kCustomCategory, kRecordingsCategory}) {
        const fs::path folder = Expected(AppDir(), std::string("newsounds\\") + category);
        ASSERT_TRUE(fs::is_directory(folder)) << category;
        EXPECT_TRUE(fs::is_empty(folder)) << category;
    }
}

TEST_F(GeneratedFolder, BackupSetsHoldExactlyTheirSixAndEightFiles) {
    auto namesIn = [](const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    };
    EXPECT_EQ(namesIn(AppDir() / "qqsounds"),
              std::set<std::string>(kQQBackupFiles.begin(), kQQBackupFiles.end()));
    EXPECT_EQ(namesIn(AppDir() / "msnsounds"),
              std::set<std::string>(kMsnBackupFiles.begin(), kMsnBackupFiles.end()));
    EXPECT_EQ(namesIn(AppDir() / "qqsounds").size(), 6u);
    EXPECT_EQ(namesIn(AppDir() / "msnsounds").size(), 8u);
}

TEST_F(GeneratedFolder, NoTwoSoundsAreTheSame) {
    // Including QQ's and MSN Messenger's "ring.wav", which share a name.
    std::map<std::string, std::string> firstWithData;
    for (const std::string& path : CatalogueSoundPaths()) {
        const std::string data = ReadFile(Expected(AppDir(), path)).substr(44);
        const auto [it, inserted] = firstWithData.emplace(data, path);
        EXPECT_TRUE(inserted) << path << " sounds exactly like " << it->second;
    }
}

TEST_F(GeneratedFolder, ASecondRunGivesTheSameBytes) {
    TempDir again;
    ASSERT_FALSE(soundgen::WriteProgramSounds(again.Path()).has_value());
    const auto first = AllFiles(AppDir());
    const auto second = AllFiles(again.Path());
    ASSERT_EQ(first.size(), CatalogueSoundPaths().size());
    EXPECT_TRUE(first == second);
}

// The loudness-weighted pitch: zero crossings in the frames that carry the
// sound, so that a sound's gaps do not lower it.
double TypicalHz(const Wav& wav) {
    const std::size_t frame = 220;
    std::vector<double> levels;
    for (std::size_t at = 0; at + frame <= wav.samples.size(); at += frame) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + frame; ++i)
            sum += std::abs(static_cast<double>(wav.samples[i]));
        levels.push_back(sum / frame);
    }
    const double loudest = *std::max_element(levels.begin(), levels.end());
    std::size_t crossings = 0;
    std::size_t voicedFrames = 0;
    for (std::size_t f = 0; f < levels.size(); ++f) {
        if (levels[f] < 0.1 * loudest)
            continue;
        ++voicedFrames;
        for (std::size_t i = f * frame + 1; i < (f + 1) * frame; ++i)
            if ((wav.samples[i - 1] < 0) != (wav.samples[i] < 0))
                ++crossings;
    }
    return static_cast<double>(crossings) / 2.0 /
           (static_cast<double>(voicedFrames * frame) / wav.rate);
}

struct PitchRow {
    const char* label;
    const char* path;
    double lowHz;
    double highHz;
};

void PrintTo(const PitchRow& row, std::ostream* out) {
    *out << row.label;
}

class SoundCharacter : public GeneratedFolder, public ::testing::WithParamInterface<PitchRow> {};

// A user tells a cricket from a roar by its pitch: each file must sound like
// its name.
TEST_P(SoundCharacter, PitchFitsWhatTheFileIsCalled) {
    const PitchRow& row = GetParam();
    const Wav wav = ParseWav(ReadFile(Expected(AppDir(), row.path)));
    ASSERT_EQ(wav.problem, "");
    const double hz = TypicalHz(wav);
    EXPECT_GE(hz, row.lowHz) << row.path;
    EXPECT_LE(hz, row.highHz) << row.path;
}

INSTANTIATE_TEST_SUITE_P(
    HighAndLowSounds, SoundCharacter,
    ::testing::Values(PitchRow{"cricket", "newsounds\\动物\\昆虫\\蟋蟀2.wav", 2500, 6000},
                      PitchRow{"rising_chirps", "newsounds\\动物\\鸟\\Bird1.wav", 2500, 5000},
                      PitchRow{"trill", "newsounds\\动物\\鸟\\Bird110.wav", 3000, 6000},
                      PitchRow{"tiger", "newsounds\\动物\\兽类\\老虎.wav", 50, 1000},
                      PitchRow{"bee", "newsounds\\动物\\昆虫\\Insect6.wav", 150, 900},
                      PitchRow{"thunder", "newsounds\\风雨雷电\\Game36.wav", 30, 1200},
                      PitchRow{"dial_tone_ring", "newsounds\\电话\\PHONE11.WAV", 430, 490},
                      PitchRow{"double_ring", "newsounds\\电话\\PHONE13.WAV", 380, 520},
                      PitchRow{"boing", "newsounds\\卡通音效\\Cartoon45.wav", 150, 600},
                      PitchRow{"nudge", "msnsounds\\nudge.wav", 50, 400}));

TEST(ProgramSounds, ARerunRepairsItsOwnFilesAndKeepsTheUsers) {
    TempDir appDir;
    ASSERT_FALSE(soundgen::WriteProgramSounds(appDir.Path()).has_value());
    const fs::path bird = Expected(appDir.Path(), "newsounds\\动物\\鸟\\Bird1.wav");
    const std::string original = ReadFile(bird);
    WriteFile(bird, original.substr(0, 100));
    const fs::path mine = Expected(appDir.Path(), "newsounds\\自定义\\mine.wav");
    const fs::path recording = Expected(appDir.Path(), "newsounds\\我的录音\\录音1.wav");
    WriteFile(mine, "my own sound");
    WriteFile(recording, "my voice");

    int written = -1;
    ASSERT_FALSE(soundgen::WriteProgramSounds(appDir.Path(), &written).has_value());

    EXPECT_EQ(written, 1);
    EXPECT_EQ(ReadFile(bird), original);
    EXPECT_EQ(ReadFile(mine), "my own sound");
    EXPECT_EQ(ReadFile(recording), "my voice");
    for (const auto& entry : fs::recursive_directory_iterator(appDir.Path()))
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

TEST(ProgramSounds, AFileThatCannotBeWrittenIsReportedByName) {
    TempDir appDir;
    // A folder where the generator must put a file.
    fs::create_directories(Expected(appDir.Path(), "qqsounds\\msg.wav"));
    const auto failure = soundgen::WriteProgramSounds(appDir.Path());
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, "qqsounds\\msg.wav");
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_TRUE(fs::is_directory(Expected(appDir.Path(), "qqsounds\\msg.wav")));
    EXPECT_FALSE(fs::exists(Expected(appDir.Path(), "qqsounds\\msg.wav.part")));
}

TEST(ProgramSounds, AProgramFolderThatIsAFileIsReported) {
    TempDir temp;
    WriteFile(temp.Path() / "app", "not a folder");
    const auto failure = soundgen::WriteProgramSounds(temp.Path() / "app");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path.rfind("newsounds\\", 0), 0u) << failure->path;
    EXPECT_EQ(ReadFile(temp.Path() / "app"), "not a folder");
}

}  // namespace
}  // namespace sonatrix
