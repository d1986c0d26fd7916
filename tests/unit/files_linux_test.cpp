// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Names in the order readdir gives them, read here independently of the
// code under test.
std::vector<std::string> ReaddirOrder(const fs::path& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    while (dirent* entry = ::readdir(dir))
        names.push_back(entry->d_name);
    ::closedir(dir);
    return names;
}

std::vector<std::string> NamesOf(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

// Runs `write` with the file size limit at 4 KiB, as a full quota would cut
// a write off part-way, and gives back what it returned.
int UnderSmallFileSizeLimit(const std::function<int()>& write) {
    rlimit saved{};
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* savedHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, savedHandler);
    return result;
}

class FilesTest : public ::testing::Test {
  protected:
    FilesTest() : files(MakeNativeFileSystem()) {}
    std::string At(const std::string& relative) const { return (tmp.Path() / relative).string(); }

    TempDir tmp;
    std::unique_ptr<FileSystem> files;
};

// A client that writes "Misc/sound/Classic" while we look for "Misc/Sound/Classic".
struct ProbeRow {
    const char* name;
    const char* path;
    bool file;
    bool folder;
};

class CaseFallback : public FilesTest, public ::testing::WithParamInterface<ProbeRow> {};

TEST_P(CaseFallback, ProbesMatchComponentsIgnoringCase) {
    WriteFile(tmp.Path() / "QQ/Bin/QQ.exe", "MZ");
    WriteFile(tmp.Path() / "QQ/Misc/sound/Classic/msg.wav", "RIFF");
    const ProbeRow& row = GetParam();
    EXPECT_EQ(files->FileExists(At(row.path)), row.file);
    EXPECT_EQ(files->FolderExists(At(row.path)), row.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaseFallback,
    ::testing::Values(ProbeRow{"Exact", "QQ/Misc/sound/Classic/msg.wav", true, false},
                      ProbeRow{"OtherCase", "QQ/Misc/Sound/Classic/msg.wav", true, false},
                      ProbeRow{"EveryComponent", "qq/MISC/SOUND/classic/MSG.WAV", true, false},
                      ProbeRow{"DotDotKept", "QQ/Bin/../Misc/Sound/Classic/msg.wav", true, false},
                      ProbeRow{"DotDotAfterCaseFix", "qq/bin/../misc/sound/Classic/msg.wav", true,
                               false},
                      ProbeRow{"FolderIsNoFile", "QQ/Misc/Sound/Classic", false, true},
                      ProbeRow{"FolderWithSeparator", "qq/misc/sound/", false, true},
                      ProbeRow{"FileIsNoFolder", "QQ/Bin/qq.EXE", true, false},
                      ProbeRow{"Missing", "QQ/Misc/Sound/Classic/ring.wav", false, false},
                      ProbeRow{"MissingFolder", "QQ/Misc/Other/msg.wav", false, false},
                      ProbeRow{"MissingAfterCaseFix", "qq/misc/Other/msg.wav", false, false},
                      ProbeRow{"ThroughAFile", "QQ/Bin/qq.exe/sound/msg.wav", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, OnDiskPathGivesTheCaseFoundOnDisk) {
    WriteFile(tmp.Path() / "QQ/Misc/sound/Classic/msg.wav", "RIFF");
    EXPECT_EQ(files->OnDiskPath(At("qq/misc/SOUND/classic/MSG.WAV")),
              At("QQ/Misc/sound/Classic/msg.wav"));
    EXPECT_EQ(files->OnDiskPath(At("qq/misc/nothing.wav")), At("qq/misc/nothing.wav"));
    EXPECT_FALSE(files->FileExists(""));
    EXPECT_FALSE(files->FolderExists(""));
}

TEST_F(FilesTest, ExactNameWinsOverAnotherCase) {
    WriteFile(tmp.Path() / "sound/a.wav", "lower");
    WriteFile(tmp.Path() / "Sound/b.wav", "upper");
    std::string bytes;
    ASSERT_EQ(files->ReadWholeFile(At("Sound/b.wav"), bytes), 0);
    EXPECT_EQ(bytes, "upper");
    ASSERT_EQ(files->ReadWholeFile(At("sound/a.wav"), bytes), 0);
    EXPECT_EQ(bytes, "lower");
}

TEST_F(FilesTest, ListFolderKeepsTheFileSystemOrderAndDotEntries) {
    // Enough names that a sorted listing would almost surely differ.
    for (int i = 0; i < 40; ++i)
        WriteFile(tmp.Path() / ("f" + std::to_string(i * 7919 % 1000) + ".wav"), "x");
    fs::create_directory(tmp.Path() / "Sub");
    fs::create_directory_symlink(tmp.Path() / "Sub", tmp.Path() / "LinkToSub");
    WriteFile(tmp.Path() / ".hidden", "x");

    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListFolder(tmp.Folder(), entries));
    EXPECT_EQ(NamesOf(entries), ReaddirOrder(tmp.Path()));
    for (const DirEntry& entry : entries) {
        const bool folder = entry.name == "." || entry.name == ".." || entry.name == "Sub" ||
                            entry.name == "LinkToSub";
        EXPECT_EQ(entry.isFolder, folder) << entry.name;
    }
}

TEST_F(FilesTest, ListFolderFindsAFolderWrittenInAnotherCase) {
    WriteFile(tmp.Path() / "Misc/sound/msg.wav", "x");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListFolder(At("misc/SOUND"), entries));
    EXPECT_EQ(NamesOf(entries), ReaddirOrder(tmp.Path() / "Misc/sound"));
    EXPECT_FALSE(files->ListFolder(At("Misc/none/"), entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(files->ListFolder(At("Misc/sound/msg.wav"), entries));
}

TEST_F(FilesTest, ListPatternIgnoresCaseAndIncludesDotFilesAndFolders) {
    for (const char* name : {"a.wav", "B.WAV", ".hidden.wav", "c.mp3", "wav", "d.wav.bak"})
        WriteFile(tmp.Path() / name, "x");
    fs::create_directory(tmp.Path() / "dir.Wav");

    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListPattern(tmp.Folder(), "*.wav", entries));
    std::vector<std::string> expected;
    for (const std::string& name : ReaddirOrder(tmp.Path())) {
        if (name == "a.wav" || name == "B.WAV" || name == ".hidden.wav" || name == "dir.Wav")
            expected.push_back(name);
    }
    EXPECT_EQ(NamesOf(entries), expected);
    for (const DirEntry& entry : entries)
        EXPECT_EQ(entry.isFolder, entry.name == "dir.Wav") << entry.name;

    ASSERT_TRUE(files->ListPattern(tmp.Path().string(), "?.WAV", entries));
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_FALSE(files->ListPattern(tmp.Folder(), "*.ogg", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(files->ListPattern(At("missing/"), "*.wav", entries));
}

TEST_F(FilesTest, ListPatternHandlesManyStarsWithoutBlowingUp) {
    const std::string name(60, 'a');
    WriteFile(tmp.Path() / name, "x");
    std::vector<DirEntry> entries;
    EXPECT_FALSE(files->ListPattern(tmp.Folder(), "*a*a*a*a*a*a*a*a*a*a*a*a*b", entries));
    EXPECT_TRUE(files->ListPattern(tmp.Folder(), "*a*a*a*a*a*a*a*a*a*a*a*a*", entries));
}

TEST_F(FilesTest, NamesThatAreNotUtf8AreListedAndCopiedAsBytes) {
    const std::string gbkName = "\xC9\xF9\xD2\xF4.wav";  // "声音" in GBK
    WriteFile(tmp.Path() / gbkName, "GBK bytes");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListPattern(tmp.Folder(), "*.WAV", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, gbkName);
    ASSERT_EQ(files->CopyFile(tmp.Folder() + gbkName, tmp.Folder() + "\xB8\xB1\xB1\xBE.wav"), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "\xB8\xB1\xB1\xBE.wav"), "GBK bytes");
    EXPECT_TRUE(files->FileExists(tmp.Folder() + gbkName));
}

TEST_F(FilesTest, CopyOverwritesAndLeavesNoTemporaryFile) {
    WriteFile(tmp.Path() / "lib/new.wav", "new sound");
    WriteFile(tmp.Path() / "QQ/Misc/sound/msg.wav", "old sound, longer than the new one");
    fs::permissions(tmp.Path() / "QQ/Misc/sound/msg.wav", fs::perms(0640));

    ASSERT_EQ(files->CopyFile(At("lib/new.wav"), At("QQ/Misc/sound/msg.wav")), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "QQ/Misc/sound/msg.wav"), "new sound");
    EXPECT_EQ(ReaddirOrder(tmp.Path() / "QQ/Misc/sound").size(), 3u);  // ".", "..", msg.wav
    // The replaced file keeps the permissions it had.
    EXPECT_EQ(fs::status(tmp.Path() / "QQ/Misc/sound/msg.wav").permissions(), fs::perms(0640));
}

TEST_F(FilesTest, CopyIntoFoldersWrittenInAnotherCase) {
    WriteFile(tmp.Path() / "lib/new.wav", "new");
    WriteFile(tmp.Path() / "QQ/Misc/sound/msg.wav", "old");
    // An existing file of another case is the one replaced...
    ASSERT_EQ(files->CopyFile(At("lib/NEW.WAV"), At("qq/misc/Sound/MSG.wav")), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "QQ/Misc/sound/msg.wav"), "new");
    // ...and a new file goes into the folder found on disk.
    ASSERT_EQ(files->CopyFile(At("lib/new.wav"), At("qq/misc/Sound/Global.wav")), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "QQ/Misc/sound/Global.wav"), "new");
    EXPECT_EQ(ReaddirOrder(tmp.Path() / "QQ/Misc/sound").size(), 4u);
}

TEST_F(FilesTest, CopyOfAReadOnlySourceGivesAWritableCopy) {
    WriteFile(tmp.Path() / "lib/new.wav", "new");
    fs::permissions(tmp.Path() / "lib/new.wav", fs::perms(0444));
    ASSERT_EQ(files->CopyFile(At("lib/new.wav"), At("out.wav")), 0);
    const auto perms = fs::status(tmp.Path() / "out.wav").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST_F(FilesTest, CopyThroughALinkReplacesTheFileItNames) {
    WriteFile(tmp.Path() / "lib/new.wav", "new");
    WriteFile(tmp.Path() / "real/msg.wav", "old");
    fs::create_directories(tmp.Path() / "QQ");
    fs::create_symlink(tmp.Path() / "real/msg.wav", tmp.Path() / "QQ/msg.wav");
    ASSERT_EQ(files->CopyFile(At("lib/new.wav"), At("QQ/msg.wav")), 0);
    EXPECT_TRUE(fs::is_symlink(tmp.Path() / "QQ/msg.wav"));
    EXPECT_EQ(ReadFile(tmp.Path() / "real/msg.wav"), "new");
}

struct CopyFailureRow {
    const char* name;
    const char* source;
    const char* destination;
    int error;
};

class CopyFailure : public FilesTest, public ::testing::WithParamInterface<CopyFailureRow> {};

TEST_P(CopyFailure, GivesTheErrorAndKeepsTheDestination) {
    WriteFile(tmp.Path() / "lib/new.wav", "new");
    WriteFile(tmp.Path() / "QQ/sound/msg.wav", "old");
    fs::create_directories(tmp.Path() / "QQ/sound/folder.wav");
    const CopyFailureRow& row = GetParam();

    EXPECT_EQ(files->CopyFile(At(row.source), At(row.destination)), row.error);
    EXPECT_EQ(ReadFile(tmp.Path() / "QQ/sound/msg.wav"), "old");
    EXPECT_TRUE(fs::is_directory(tmp.Path() / "QQ/sound/folder.wav"));
    EXPECT_EQ(ReaddirOrder(tmp.Path() / "QQ/sound").size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CopyFailure,
    ::testing::Values(
        CopyFailureRow{"DestinationIsAFolder", "lib/new.wav", "QQ/sound/folder.wav", EISDIR},
        CopyFailureRow{"SourceMissing", "lib/none.wav", "QQ/sound/msg.wav", ENOENT},
        CopyFailureRow{"SourceIsAFolder", "QQ/sound/folder.wav", "QQ/sound/msg.wav", EISDIR},
        CopyFailureRow{"DestinationFolderMissing", "lib/new.wav", "QQ/none/msg.wav", ENOENT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, CopyFromAPipeFailsInsteadOfWaiting) {
    ASSERT_EQ(::mkfifo(At("pipe.wav").c_str(), 0600), 0);
    WriteFile(tmp.Path() / "msg.wav", "old");
    EXPECT_EQ(files->CopyFile(At("pipe.wav"), At("msg.wav")), EINVAL);
    EXPECT_EQ(ReadFile(tmp.Path() / "msg.wav"), "old");
}

// A write that fails half-way (here: the file size limit) must leave the
// old file whole and no temporary file behind.
TEST_F(FilesTest, CopyThatFailsWhileWritingKeepsTheOldBytes) {
    WriteFile(tmp.Path() / "lib/big.wav", std::string(100000, 'n'));
    WriteFile(tmp.Path() / "QQ/msg.wav", "old");

    const int error = UnderSmallFileSizeLimit(
        [&] { return files->CopyFile(At("lib/big.wav"), At("QQ/msg.wav")); });

    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadFile(tmp.Path() / "QQ/msg.wav"), "old");
    EXPECT_EQ(ReaddirOrder(tmp.Path() / "QQ").size(), 3u);
}

// The store of originals writes its records with this: whole or not at all.
TEST_F(FilesTest, WriteWholeFileReplacesAsAWholeOrNotAtAll) {
    ASSERT_EQ(files->WriteWholeFile(At("new.txt"), std::string("a\0b", 3)), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "new.txt"), std::string("a\0b", 3));
    WriteFile(tmp.Path() / "old.txt", "old bytes");
    ASSERT_EQ(files->WriteWholeFile(At("old.txt"), "new"), 0);
    EXPECT_EQ(ReadFile(tmp.Path() / "old.txt"), "new");
    EXPECT_EQ(files->WriteWholeFile(At("none/x.txt"), "x"), ENOENT);
    EXPECT_EQ(ReaddirOrder(tmp.Path()).size(), 4u);  // ".", "..", the two files

    // Cut off part-way by the file size limit: the old bytes stay.
    const int error = UnderSmallFileSizeLimit(
        [&] { return files->WriteWholeFile(At("old.txt"), std::string(100000, 'n')); });
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadFile(tmp.Path() / "old.txt"), "new");
    EXPECT_EQ(ReaddirOrder(tmp.Path()).size(), 4u);
}

TEST_F(FilesTest, ReadWholeFile) {
    WriteFile(tmp.Path() / "QQ/123/Config.db", std::string("a\0b", 3));
    std::string bytes = "stale";
    ASSERT_EQ(files->ReadWholeFile(At("qq/123/config.DB"), bytes), 0);
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_EQ(files->ReadWholeFile(At("QQ/124/Config.db"), bytes), ENOENT);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(files->ReadWholeFile(At("QQ/123"), bytes), EISDIR);
    // Files whose size the system reports as 0 are still read to their end.
    ASSERT_EQ(files->ReadWholeFile("/proc/self/status", bytes), 0);
    EXPECT_NE(bytes.find("Pid:"), std::string::npos);
}

TEST_F(FilesTest, CreateFolderAndDeleteFileFollowTheCaseOnDisk) {
    fs::create_directories(tmp.Path() / "App/newsounds");
    EXPECT_EQ(files->CreateFolder(At("app/NEWSOUNDS/我的录音")), 0);
    EXPECT_TRUE(fs::is_directory(tmp.Path() / "App/newsounds/我的录音"));
    EXPECT_EQ(files->CreateFolder(At("App/newsounds/我的录音/")), EEXIST);
    EXPECT_EQ(files->CreateFolder(At("App/none/x")), ENOENT);

    WriteFile(tmp.Path() / "QQ/123/Config.db", "x");
    EXPECT_EQ(files->DeleteFile(At("qq/123/CONFIG.db")), 0);
    EXPECT_FALSE(fs::exists(tmp.Path() / "QQ/123/Config.db"));
    EXPECT_EQ(files->DeleteFile(At("QQ/123/Config.db")), ENOENT);
}

TEST(SystemErrorText, IsTrimmedAndEmptyForUnknownCodes) {
    for (int code : {ENOENT, EACCES, EISDIR, EFBIG, ENOSPC}) {
        const std::string text = SystemErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        const auto last = static_cast<unsigned char>(text.back());
        EXPECT_TRUE(last > ' ' && last != '.' && last != 0x7F) << text;
    }
    EXPECT_EQ(SystemErrorText(FileNotFoundCode()), SystemErrorText(ENOENT));
    EXPECT_NE(SystemErrorText(ENOENT), SystemErrorText(EACCES));
    EXPECT_EQ(SystemErrorText(123456), "");
    EXPECT_EQ(SystemErrorText(-5), "");
}

}  // namespace
}  // namespace sonatrix
