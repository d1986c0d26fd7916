// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "library/add_sounds.h"
#include "library/library_tree.h"
#include "library/part_files.h"
#include "library/sound_files.h"
#include "library/wav_header.h"
#include "platform/path_pieces.h"
#include "platform/sound_decoder.h"
#include "test_platform.h"
#include "test_world.h"
#include "wav_files.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::PcmWav;
using testing::ReadFile;
using testing::TestWorld;

// What the stand-in decoder reads: a sound of that layout and length.
std::string Tone(unsigned channels, unsigned rate, unsigned frames) {
    return "TONE " + std::to_string(channels) + " " + std::to_string(rate) + " " +
           std::to_string(frames);
}

// The file names of `folder`, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    if (std::filesystem::exists(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class AddSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        world.SetAppDir();
        std::filesystem::create_directories(world.At("app/newsounds"));
    }
    // Answers the folder browser with `folder` (without a trailing separator).
    void Browse(const std::filesystem::path& folder) {
        world.dialogs.ThenText(testing::NarrowPath(folder));
    }
    void AddFolder(const std::string& relative) {
        Browse(world.At(relative));
        SpeedButton12Click(world.model);
    }
    std::filesystem::path Custom() { return world.At("app/newsounds/自定义"); }
    std::vector<std::string> Texts() { return world.dialogs.Texts(false); }

    TestWorld world;
};

TEST_F(AddSounds, PcmWavsAreCopiedByteForByteAndOtherFilesIgnored) {
    world.Put("source/a.wav", PcmWav("first"));
    world.Put("source/b.WAV", PcmWav("second"));
    world.Put("source/notes.txt", "not a sound");
    std::filesystem::create_directories(world.At("source/folder.wav"));
    AddFolder("source");

    EXPECT_EQ(ReadFile(Custom() / "a.wav"), PcmWav("first"));
    EXPECT_EQ(ReadFile(Custom() / "b.WAV"), PcmWav("second"));
    EXPECT_EQ(NamesIn(Custom()), (std::vector<std::string>{"a.wav", "b.WAV"}));
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::BrowseForFolder);
    EXPECT_EQ(world.dialogs.shown[0].text, "选择一个包含有WAV格式声音文件的目录");
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::PlainMessage);
    EXPECT_EQ(world.dialogs.shown[1].text, "声音添加完成。");
    EXPECT_EQ(world.decoder.calls, 0);  // a PCM WAV is never decoded
    const TreeNode* first = world.model.libraryTree.First();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text(), "自定义");
    EXPECT_EQ(world.model.state.LibrarySoundCount, 2);
    // One batch of two steps, named by the files in hand.
    EXPECT_EQ(world.progress.totals, std::vector<int>{2});
    EXPECT_EQ(world.progress.ended, 1);
}

TEST_F(AddSounds, OtherFilesBecome16BitPcmWavsNamedAfterThem) {
    world.Put("source/song.mp3", Tone(2, 32000, 100));
    world.Put("source/voice.OPUS", Tone(1, 44100, 10));
    // A name nearly as long as a name may be (250 bytes), whose hidden
    // temporary file could not have a dot and ".part" more.
    std::vector<std::string> names{"song.wav", "voice.wav"};
    if (!testing::WhyNoByteLimitedNames()) {
        std::string longStem;
        for (int i = 0; i < 82; ++i)
            longStem += "声";
        world.Put("source/" + longStem + ".ogg", Tone(1, 8000, 5));
        names.push_back(longStem + ".wav");
    }
    AddFolder("source");

    EXPECT_EQ(NamesIn(Custom()), names);
    const auto song = ParseWavHeader(ReadFile(Custom() / "song.wav"));
    ASSERT_TRUE(song);
    EXPECT_EQ(song->formatTag, 1);
    EXPECT_EQ(song->bitsPerSample, 16);
    EXPECT_EQ(song->channels, 2);
    EXPECT_EQ(song->sampleRate, 32000u);
    EXPECT_EQ(song->dataSize, 100u * 2 * 2);
    EXPECT_EQ(std::filesystem::file_size(Custom() / "song.wav"), kWavHeaderSize + 400);
    EXPECT_EQ(world.dialogs.shown.back().text, "声音添加完成。");
}

// Nothing of the library is replaced by accident, and nothing is added twice.
TEST_F(AddSounds, NamesInUseGetTheNextNumberAndSameBytesAreNotAddedTwice) {
    world.Put("app/newsounds/自定义/a.wav", PcmWav("old a"));
    world.Put("app/newsounds/自定义/song.wav", "an older song");
    world.Put("app/newsounds/自定义/song-2.wav", "another");
    world.Put("source/a.wav", PcmWav("new a"));
    world.Put("source/song.mp3", Tone(1, 8000, 5));
    AddFolder("source");
    EXPECT_EQ(ReadFile(Custom() / "a.wav"), PcmWav("old a"));
    EXPECT_EQ(ReadFile(Custom() / "a-2.wav"), PcmWav("new a"));
    EXPECT_EQ(ReadFile(Custom() / "song.wav"), "an older song");
    EXPECT_TRUE(std::filesystem::exists(Custom() / "song-3.wav"));

    // The same folder again: every sound is there already.
    const auto before = NamesIn(Custom());
    AddFolder("source");
    EXPECT_EQ(NamesIn(Custom()), before);
    EXPECT_EQ(world.dialogs.shown.back().text, "声音添加完成。");
}

TEST_F(AddSounds, AddingTheCategoryToItselfAddsNothingTwice) {
    world.Put("app/newsounds/自定义/a.wav", PcmWav("same"));
    world.Put("app/newsounds/自定义/b.wav", Tone(1, 8000, 5));  // a WAV only by name
    world.Put("app/newsounds/自定义/c.ogg", Tone(1, 8000, 5));
    const auto before = NamesIn(Custom());
    AddFolder("app/newsounds/自定义");
    // b.wav is decoded into a WAV that differs from it: it takes b-2.wav.
    // c.ogg becomes c.wav once, and no more on the next round.
    EXPECT_EQ(NamesIn(Custom()),
              (std::vector<std::string>{"a.wav", "b-2.wav", "b.wav", "c.ogg", "c.wav"}));
    AddFolder("app/newsounds/自定义");
    EXPECT_EQ(NamesIn(Custom()).size(), 5u);
    EXPECT_EQ(ReadFile(Custom() / "a.wav"), PcmWav("same"));
}

TEST_F(AddSounds, FilesThatCannotBeAddedAreListedAndNothingIsWrittenForThem) {
    world.Put("source/good.mp3", Tone(1, 22050, 10));
    world.Put("source/bad.mp3", "hello, this is text");
    world.Put("source/huge.flac", "HUGE");
    // A link to nothing: listed, but it cannot be read (where links can be made).
    std::error_code noLinks;
    std::filesystem::create_symlink("gone.wav", world.At("source/link.wav"), noLinks);
    AddFolder("source");

    EXPECT_EQ(NamesIn(Custom()), std::vector<std::string>{"good.wav"});
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::MessageDlg);
    EXPECT_EQ(world.dialogs.shown[1].caption, "Error");
    const std::string& text = world.dialogs.shown[1].text;
    EXPECT_EQ(text.rfind("以下声音文件没有添加成功：", 0), 0u);
    EXPECT_NE(text.find("\nbad.mp3：不是能识别的声音文件"), std::string::npos);
    EXPECT_NE(text.find("\nhuge.flac：" + std::string(kAddingFailed)), std::string::npos);
    if (!noLinks) {
        EXPECT_NE(text.find("\nlink.wav：" + CLibraryErrorText(FileNotFoundCode())),
                  std::string::npos);
    }
    EXPECT_EQ(text.find("good"), std::string::npos);
    EXPECT_EQ(world.dialogs.shown[2].text, "声音添加完成。");
}

TEST_F(AddSounds, CancelKeepsTheFinishedFilesAndLeavesNothingOfTheOneInHand) {
    world.Put("source/a.mp3", Tone(1, 8000, 10));
    world.Put("source/b.mp3", Tone(1, 8000, 20));
    world.Put("source/c.mp3", Tone(1, 8000, 30));
    std::vector<std::string> listed =
        SoundFilesIn(*world.files, world.At("source").string() + kSep);
    world.progress.cancelAt = 1;
    AddFolder("source");

    // The first file listed is finished, the second was in hand, the third
    // never started.
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(NamesIn(Custom()), std::vector<std::string>{ConvertedName(listed[0])});
    EXPECT_EQ(world.progress.names, (std::vector<std::string>{listed[0], listed[1]}));
    EXPECT_EQ(world.progress.ended, 1);
    // The tree shows what was added; no completion is claimed.
    EXPECT_EQ(world.model.state.LibrarySoundCount, 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{kChooseWavFolderTitle});
}

TEST_F(AddSounds, FolderWithoutSoundFilesGivesTheWarning) {
    world.Put("source/deeper/a.wav", PcmWav("x"));
    world.Put("source/readme.txt", "words");
    AddFolder("source");
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::MessageDlg);
    EXPECT_EQ(world.dialogs.shown[1].caption, "Warning");
    EXPECT_EQ(world.dialogs.shown[1].text,
              "您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。");
    EXPECT_FALSE(std::filesystem::exists(Custom()));
}

TEST_F(AddSounds, CancelledBrowserDoesNothing) {
    world.dialogs.ThenText(std::nullopt);
    SpeedButton12Click(world.model);
    EXPECT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(Custom()));
}

TEST_F(AddSounds, HiddenWavIsCopiedButNotShown) {
    world.Put("source/.quiet.wav", PcmWav("hidden"));
    world.Put("source/loud.wav", PcmWav("shown"));
    AddFolder("source");
    EXPECT_EQ(ReadFile(Custom() / ".quiet.wav"), PcmWav("hidden"));
    EXPECT_EQ(world.model.state.LibrarySoundCount, 1);
}

TEST_F(AddSounds, MissingLibraryEndsWithTheStandardErrorBox) {
    std::filesystem::remove_all(world.At("app/newsounds"));
    world.Put("source/a.wav", PcmWav("x"));
    AddFolder("source");
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::AppError);
    EXPECT_NE(world.dialogs.shown[1].text.find(NativePath("newsounds\\自定义")), std::string::npos);
    EXPECT_EQ(world.dialogs.shown[1].text.back(), '.');
    EXPECT_FALSE(std::filesystem::exists(world.At("app/newsounds")));
    EXPECT_EQ(world.model.libraryTree.First(), nullptr);
}

TEST_F(AddSounds, NonUtf8NamesAreKeptByteForByte) {
    const std::string gbkStem = "\xC4\xF1\xD3\xEF";
    world.Put("source/" + gbkStem + ".wav", PcmWav("gbk"));
    world.Put("source/" + gbkStem + "2.mp3", Tone(1, 8000, 3));
    AddFolder("source");
    EXPECT_EQ(ReadFile(Custom() / (gbkStem + ".wav")), PcmWav("gbk"));
    EXPECT_TRUE(std::filesystem::exists(Custom() / (gbkStem + "2.wav")));
}

TEST_F(AddSounds, DroppedFilesAndFoldersAreAddedByTheSameRules) {
    world.Put("drop/folder/a.wav", PcmWav("a"));
    world.Put("drop/folder/b.flac", Tone(1, 8000, 3));
    world.Put("drop/folder/deeper/c.wav", PcmWav("c"));
    world.Put("drop/song.mp3", Tone(2, 44100, 3));
    world.Put("drop/readme.txt", "words");
    TreeView1DragDrop(world.model,
                      {world.At("drop/folder").string(), world.At("drop/song.mp3").string(),
                       world.At("drop/readme.txt").string()});
    EXPECT_EQ(NamesIn(Custom()), (std::vector<std::string>{"a.wav", "b.wav", "song.wav"}));
    EXPECT_EQ(Texts(), std::vector<std::string>{kSoundsAdded});
    EXPECT_EQ(world.model.state.LibrarySoundCount, 3);
}

TEST_F(AddSounds, DropWithoutAnySoundGivesTheWarning) {
    world.Put("drop/readme.txt", "words");
    TreeView1DragDrop(world.model, {world.At("drop/readme.txt").string()});
    EXPECT_EQ(Texts(), std::vector<std::string>{kNoWavInFolder});
    EXPECT_FALSE(std::filesystem::exists(Custom()));
}

// The length a file states comes from the helper, which a hostile file may
// have taken over: no length it says buys more time than the longest sound,
// and none takes away the floor.
TEST(DecodeDeadline, NoStatedLengthGoesBeyondTheLongestSoundOrBelowTheFloor) {
    const DecodeTimeRule rule;
    const std::int64_t longest = DecodeDeadlineMs(rule, 0, kLongestSoundSeconds);
    EXPECT_GT(longest, DecodeDeadlineMs(rule, 0, 1));
    EXPECT_EQ(DecodeDeadlineMs(rule, 0, INT64_MAX), longest);
    EXPECT_EQ(DecodeDeadlineMs(rule, 0, INT64_MIN), rule.floorMs);
    EXPECT_EQ(DecodeDeadlineMs(rule, INT64_MAX, 0), DecodeDeadlineMs(rule, kLargestSourceBytes, 0));
}

struct LayoutRow {
    const char* name;
    int channels, rate;
    int keptChannels, keptRate;
};

class ConvertedLayouts : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(ConvertedLayouts, KeepUpToTwoChannelsAndRatesFrom8000To48000) {
    const PcmLayout layout = ConvertedLayout(GetParam().channels, GetParam().rate);
    EXPECT_EQ(layout.channels, GetParam().keptChannels);
    EXPECT_EQ(layout.sampleRate, GetParam().keptRate);
}

INSTANTIATE_TEST_SUITE_P(Sources, ConvertedLayouts,
                         ::testing::Values(LayoutRow{"Mono", 1, 22050, 1, 22050},
                                           LayoutRow{"Stereo", 2, 48000, 2, 48000},
                                           LayoutRow{"FivePointOne", 6, 44100, 2, 44100},
                                           LayoutRow{"Lowest", 1, 8000, 1, 8000},
                                           LayoutRow{"BelowLowest", 1, 7999, 1, 44100},
                                           LayoutRow{"AboveHighest", 2, 96000, 2, 44100}),
                         [](const auto& info) { return info.param.name; });

struct ProbeRow {
    const char* name;
    std::string bytes;
    bool pcm;
};

std::string WithTag(std::uint16_t tag, std::string bytes = PcmWav("samples")) {
    bytes[20] = static_cast<char>(tag & 0xFF);
    bytes[21] = static_cast<char>(tag >> 8);
    return bytes;
}

// An extensible header whose sub-format begins with `sub`.
std::string Extensible(std::uint16_t sub) {
    std::string bytes = PcmWav("samples");
    bytes.replace(16, 4, std::string("\x28\0\0\0", 4));  // a 40-byte "fmt " chunk
    std::string extra(24, '\0');
    extra[0] = 22;  // cbSize
    extra[8] = static_cast<char>(sub);
    bytes.insert(36, extra);
    return WithTag(0xFFFE, bytes);
}

class PcmProbe : public ::testing::TestWithParam<ProbeRow> {};

TEST_P(PcmProbe, TellsPcmWavsFromTheRest) {
    TestWorld world;
    const auto file = world.Put("x.wav", GetParam().bytes);
    bool pcm = !GetParam().pcm;
    EXPECT_EQ(ProbePcmWav(file.string(), pcm), 0);
    EXPECT_EQ(pcm, GetParam().pcm);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PcmProbe,
    ::testing::Values(ProbeRow{"Pcm", PcmWav("x"), true},
                      ProbeRow{"ListChunkFirst",
                               PcmWav("x").insert(12, std::string("LIST\x03\0\0\0abc\0", 12)),
                               true},
                      ProbeRow{"ExtensiblePcm", Extensible(1), true},
                      ProbeRow{"ExtensibleFloat", Extensible(3), false},
                      ProbeRow{"Adpcm", WithTag(2), false}, ProbeRow{"Float", WithTag(3), false},
                      ProbeRow{"ALaw", WithTag(6), false}, ProbeRow{"Text", "just words", false},
                      ProbeRow{"Truncated", PcmWav("x").substr(0, 22), false}),
    [](const auto& info) { return info.param.name; });

TEST(SoundFileNames, KnownAudioExtensionsInAnyCase) {
    for (const char* name : {"a.wav", "b.MP3", "c.ogg", "d.Opus", "e.flac", "f.m4a", "g.aiff"})
        EXPECT_TRUE(IsSoundFileName(name)) << name;
    for (const char* name : {"a.txt", "mp3", "b.mp3.txt", "c.wav/"})
        EXPECT_FALSE(IsSoundFileName(name)) << name;
    EXPECT_EQ(ConvertedName("song.mp3"), "song.wav");
    EXPECT_EQ(ConvertedName("a.b.FLAC"), "a.b.wav");
    // The hidden name of a 254-byte name is cut to fit, at a character's end.
    std::string chars;
    for (int i = 0; i < 82; ++i)
        chars += "声";
    const std::string in = std::string("in") + kSep;
    EXPECT_EQ(PartPathFor(in + "x" + chars + "声.wav"), in + ".x" + chars + ".part");
    EXPECT_EQ(PartPathFor(in + "a.wav"), in + ".a.wav.part");
}

TEST(PcmWavFile, IsWrittenWholeUnderItsNameAndNothingElse) {
    TestWorld world;
    std::filesystem::create_directories(world.At("out"));
    ASSERT_EQ(WritePcmWavFile(world.At("out/a.wav").string(), 2, 44100, std::string(8, 'x')), 0);
    EXPECT_EQ(ReadFile(world.At("out/a.wav")),
              WavHeaderBytes(2, 16, 44100, 8) + std::string(8, 'x'));
    EXPECT_EQ(NamesIn(world.At("out")), std::vector<std::string>{"a.wav"});
    // A folder that cannot take it leaves nothing behind and says why.
    EXPECT_NE(WritePcmWavFile(world.At("missing/out.wav").string(), 1, 8000, "xx"), 0);
    EXPECT_FALSE(std::filesystem::exists(world.At("missing")));
}

}  // namespace
}  // namespace sonatrix
