// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 files under the real calls: attribute rules of the listings, a
// copy that replaces its destination whole or reports the system's reason,
// and the system's error texts.
#include <gtest/gtest.h>

#include <windows.h>
#undef CopyFile
#undef DeleteFile

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/path_pieces.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> NamesOnDisk(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(testing::NarrowPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

void SetAttributes(const std::filesystem::path& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesA(testing::NarrowPath(path).c_str(), attributes)) << path;
}

class Win32Files : public ::testing::Test {
  protected:
    std::string At(const std::string& relative) {
        return testing::NarrowPath((root.Path() / relative).make_preferred());
    }
    std::string Put(const std::string& relative, const std::string& bytes = "RIFF") {
        WriteFile(At(relative), bytes);
        return At(relative);
    }
    void TearDown() override {
        // Read-only and system files would survive the folder's removal.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root.Path()))
            SetFileAttributesA(testing::NarrowPath(entry.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    TempDir root;
    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
};

TEST_F(Win32Files, NativeRulesAreWindowsOnes) {
    EXPECT_EQ(NativeRules().separator, '\\');
    EXPECT_TRUE(NativeRules().colonEndsFolder);
    EXPECT_EQ(FolderPart("C:QQ.exe"), "C:");
    // A double-byte rule only on a double-byte code page (Wine gives the
    // test a single-byte one unless it runs in a Chinese locale).
    EXPECT_EQ(NativeRules().doubleByteCodePage, IsDBCSLeadByte(0x81) != FALSE);
}

TEST_F(Win32Files, ProbesTellFilesFromFolders) {
    const std::string file = Put("QQ/Bin/QQ.exe");
    EXPECT_TRUE(files->FileExists(file));
    EXPECT_FALSE(files->FolderExists(file));
    EXPECT_TRUE(files->FolderExists(At("QQ/Bin")));
    EXPECT_FALSE(files->FileExists(At("QQ/Bin")));
    EXPECT_FALSE(files->FileExists(At("QQ/Bin/TM.exe")));
    // A wildcard would find QQ.exe; the probe asks for one name only.
    EXPECT_FALSE(files->FileExists(At("QQ/Bin/*.exe")));
    EXPECT_FALSE(files->FileExists(At("QQ/Bin/Q?.exe")));
    // Windows matches names without regard to case.
    EXPECT_TRUE(files->FileExists(At("qq/bin/qq.EXE")));
}

TEST_F(Win32Files, FolderListingLeavesOutHiddenAndSystemEntries) {
    Put("lib/plain.wav");
    SetAttributes(Put("lib/hidden.wav"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(Put("lib/system.wav"), FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(Put("lib/readonly.wav"), FILE_ATTRIBUTE_READONLY);
    Put("lib/自定义/a.wav");
    Put("lib/secret/b.wav");
    SetAttributes(At("lib/secret"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListFolder(At("lib"), entries));
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{".", "..", "plain.wav", "readonly.wav", "自定义"}));
    for (const auto& entry : entries)
        EXPECT_EQ(entry.isFolder, entry.name == "自定义" || entry.name[0] == '.') << entry.name;

    // With or without the trailing separator.
    std::vector<DirEntry> again;
    ASSERT_TRUE(files->ListFolder(At("lib") + "\\", again));
    EXPECT_EQ(Names(again), Names(entries));
}

TEST_F(Win32Files, PatternListingKeepsEveryAttribute) {
    Put("client/msg.wav");
    SetAttributes(Put("client/Hidden.WAV"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(Put("client/system.wav"), FILE_ATTRIBUTE_SYSTEM);
    Put("client/readme.txt");
    std::filesystem::create_directories(At("client/folder.wav"));

    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListPattern(At("client"), "*.wav", entries));
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{"Hidden.WAV", "folder.wav", "msg.wav", "system.wav"}));
    EXPECT_FALSE(files->ListPattern(At("client"), "*.mid", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(files->ListFolder(At("missing"), entries));
}

TEST_F(Win32Files, CopyReplacesTheDestinationWholeAndLeavesNothingBehind) {
    const std::string source = Put("library/new.wav", std::string(200 * 1024, 'N'));
    const std::string destination = Put("client/msg.wav", "old sound");
    EXPECT_EQ(files->CopyFile(source, destination), 0);
    EXPECT_EQ(ReadFile(destination), std::string(200 * 1024, 'N'));
    EXPECT_EQ(NamesOnDisk(At("client")), std::vector<std::string>{"msg.wav"});
    // A destination that did not exist is created.
    EXPECT_EQ(files->CopyFile(source, At("client/new.wav")), 0);
    EXPECT_EQ(NamesOnDisk(At("client")), (std::vector<std::string>{"msg.wav", "new.wav"}));
}

struct CopyFault {
    const char* name;
    const char* source;       // below the test root
    const char* destination;  // below the test root
    DWORD error;
};

class Win32CopyFaults : public Win32Files, public ::testing::WithParamInterface<CopyFault> {
  protected:
    void SetUp() override {
        Put("library/new.wav", "new sound");
        Put("client/msg.wav", "old sound");
        std::filesystem::create_directories(At("client/folder.wav"));
        SetAttributes(Put("client/locked.wav", "old sound"), FILE_ATTRIBUTE_READONLY);
    }
};

TEST_P(Win32CopyFaults, ReportTheSystemsReasonAndChangeNothing) {
    const CopyFault& fault = GetParam();
    const auto before = NamesOnDisk(At("client"));
    const int error = files->CopyFile(At(fault.source), At(fault.destination));
    EXPECT_EQ(error, static_cast<int>(fault.error));

    const std::string text = SystemErrorText(error);
    EXPECT_FALSE(text.empty());
    const unsigned char last = text.back();
    EXPECT_TRUE(last > ' ' && last != '.') << "untrimmed: [" << text << "]";

    EXPECT_EQ(NamesOnDisk(At("client")), before);
    EXPECT_EQ(ReadFile(At("client/msg.wav")), "old sound");
    EXPECT_EQ(ReadFile(At("client/locked.wav")), "old sound");
}

INSTANTIATE_TEST_SUITE_P(Faults, Win32CopyFaults,
                         ::testing::Values(CopyFault{"SourceMissing", "library/gone.wav",
                                                     "client/msg.wav", ERROR_FILE_NOT_FOUND},
                                           CopyFault{"SourceFolderMissing", "nowhere/new.wav",
                                                     "client/msg.wav", ERROR_PATH_NOT_FOUND},
                                           CopyFault{"DestinationFolderMissing", "library/new.wav",
                                                     "client/nowhere/msg.wav",
                                                     ERROR_PATH_NOT_FOUND},
                                           CopyFault{"DestinationIsAFolder", "library/new.wav",
                                                     "client/folder.wav", ERROR_ACCESS_DENIED},
                                           CopyFault{"DestinationReadOnly", "library/new.wav",
                                                     "client/locked.wav", ERROR_ACCESS_DENIED}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32Files, CopyOverAFileHeldOpenByTheClientFailsAndKeepsIt) {
    const std::string source = Put("library/new.wav", "new sound");
    const std::string destination = Put("client/msg.wav", "old sound");
    HANDLE held = CreateFileA(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const int error = files->CopyFile(source, destination);
    CloseHandle(held);
    EXPECT_NE(error, 0);
    EXPECT_FALSE(SystemErrorText(error).empty());
    EXPECT_EQ(ReadFile(destination), "old sound");
    EXPECT_EQ(NamesOnDisk(At("client")), std::vector<std::string>{"msg.wav"});
}

TEST_F(Win32Files, ReadWholeFileTakesTheFileForItself) {
    const std::string path = Put("QQ/Config.db", std::string("\0sound\\msg.wav\0", 15));
    std::string bytes;
    EXPECT_EQ(files->ReadWholeFile(path, bytes), 0);
    EXPECT_EQ(bytes, std::string("\0sound\\msg.wav\0", 15));

    // It shares the file with no one, so a file open elsewhere cannot be read.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files->ReadWholeFile(path, bytes), ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(bytes.empty());
    // A shared read takes what a copy's source would: a file others read too...
    EXPECT_EQ(files->ReadSharedFile(path, bytes), 0);
    EXPECT_EQ(bytes, std::string("\0sound\\msg.wav\0", 15));
    CloseHandle(held);
    // ...but not one that a program holds for itself.
    held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files->ReadSharedFile(path, bytes), ERROR_SHARING_VIOLATION);
    CloseHandle(held);

    EXPECT_EQ(files->ReadWholeFile(At("QQ/gone.db"), bytes), FileNotFoundCode());
}

TEST_F(Win32Files, WriteWholeFileReplacesAsAWholeOrNotAtAll) {
    const std::string fresh = At("store/new.txt");
    std::filesystem::create_directories(At("store"));
    ASSERT_EQ(files->WriteWholeFile(fresh, std::string("a\0b", 3)), 0);
    EXPECT_EQ(ReadFile(fresh), std::string("a\0b", 3));
    const std::string old = Put("store/old.txt", "old bytes");
    ASSERT_EQ(files->WriteWholeFile(old, "new"), 0);
    EXPECT_EQ(ReadFile(old), "new");
    EXPECT_EQ(files->WriteWholeFile(At("store/none/x.txt"), "x"), ERROR_PATH_NOT_FOUND);

    // A file that cannot be replaced keeps its bytes, and no temporary file stays.
    SetAttributes(old, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(files->WriteWholeFile(old, "newer"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadFile(old), "new");
    EXPECT_EQ(NamesOnDisk(At("store")), (std::vector<std::string>{"new.txt", "old.txt"}));
}

TEST_F(Win32Files, CreateAndDeleteReportSystemCodes) {
    EXPECT_EQ(files->CreateFolder(At("newsounds")), 0);
    EXPECT_TRUE(std::filesystem::is_directory(At("newsounds")));
    EXPECT_EQ(files->CreateFolder(At("newsounds")), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(files->CreateFolder(At("a/b")), ERROR_PATH_NOT_FOUND);

    const std::string path = Put("QQ/Config.db");
    EXPECT_EQ(files->DeleteFile(path), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(files->DeleteFile(path), FileNotFoundCode());
}

// Runs where the ANSI code page is GBK (a second run of the tests under
// Wine in a Chinese locale): a trail byte 0x5C is part of its character.
TEST(Win32GbkNames, TrailByteBackslashIsNoSeparator) {
    if (GetACP() != 936)
        GTEST_SKIP() << "needs the GBK code page (LANG=zh_CN.UTF-8 under Wine)";
    EXPECT_TRUE(NativeRules().doubleByteCodePage);
    TempDir root;
    const std::string folder = testing::NarrowPath(root.Path()) + "\\\xC9\xF9\xD2\xF4";  // 声音
    const std::string name = "\x81\x5C.wav";  // 乗.wav: its second byte is "\\"
    const std::string path = folder + "\\" + name;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    EXPECT_EQ(FolderPart(path), folder + "\\");
    EXPECT_EQ(FileNameOf(path), name);
    auto files = MakeNativeFileSystem();
    EXPECT_TRUE(files->FileExists(path));
    std::vector<DirEntry> entries;
    ASSERT_TRUE(files->ListPattern(folder, "*.wav", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, name);
    // The copy's temporary file goes to the folder the name is in.
    EXPECT_EQ(files->CopyFile(path, folder + "\\\x81\x5C"
                                             "2.wav"),
              0);
    ASSERT_TRUE(files->ListPattern(folder, "*", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{name,
                                                        "\x81\x5C"
                                                        "2.wav"}));
}

TEST(Win32ErrorText, IsTheSystemsTextTrimmed) {
    char raw[256];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, ERROR_FILE_NOT_FOUND, 0, raw, sizeof raw, nullptr);
    ASSERT_GT(length, 0u);
    const std::string text = SystemErrorText(FileNotFoundCode());
    ASSERT_FALSE(text.empty());
    // The system's text up to its trimmed end.
    EXPECT_EQ(std::string(raw, length).rfind(text, 0), 0u);
    EXPECT_LT(text.size(), length);
    EXPECT_NE(text, SystemErrorText(AccessDeniedCode()));
    EXPECT_EQ(SystemErrorText(0x2000FFFF), "");  // no system text for it
}

}  // namespace
}  // namespace sonatrix
