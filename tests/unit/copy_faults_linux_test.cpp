// SPDX-License-Identifier: GPL-3.0-or-later
// A copy over a user's file either replaces it whole or leaves it as it was,
// and says why it failed; nothing else in the folder changes.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "mounts.h"
#include "platform/files.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::ReadFile;
using testing::ScopedMount;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CopyFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(root.Path() / "library/new.wav", std::string(64 * 1024, 'N'));
        WriteFile(root.Path() / "client/msg.wav", "old sound");
    }
    std::string Source() { return (root.Path() / "library/new.wav").string(); }
    std::string Client(const std::string& name) { return (root.Path() / "client" / name).string(); }

    TempDir root;
    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
};

TEST_F(CopyFaults, SourceMissing) {
    EXPECT_EQ(files->CopyFile(Source() + ".gone", Client("msg.wav")), ENOENT);
    EXPECT_EQ(ReadFile(Client("msg.wav")), "old sound");
    EXPECT_EQ(Names(root.Path() / "client"), std::vector<std::string>{"msg.wav"});
    EXPECT_FALSE(SystemErrorText(ENOENT).empty());
}

TEST_F(CopyFaults, DestinationFolderMissing) {
    EXPECT_EQ(files->CopyFile(Source(), (root.Path() / "nowhere/msg.wav").string()), ENOENT);
    EXPECT_FALSE(std::filesystem::exists(root.Path() / "nowhere"));
}

TEST_F(CopyFaults, DestinationIsAFolder) {
    std::filesystem::create_directories(root.Path() / "client/folder.wav");
    EXPECT_EQ(files->CopyFile(Source(), Client("folder.wav")), EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(root.Path() / "client/folder.wav"));
    EXPECT_EQ(Names(root.Path() / "client"), (std::vector<std::string>{"folder.wav", "msg.wav"}));
}

TEST_F(CopyFaults, DestinationCannotBeWritten) {
    if (!ScopedMount::Available())
        GTEST_SKIP() << "mounting is not permitted here";
    auto readOnly = ScopedMount::ReadOnly(root.Path() / "client");
    ASSERT_TRUE(readOnly.Mounted());
    EXPECT_EQ(files->CopyFile(Source(), Client("msg.wav")), EROFS);
    EXPECT_EQ(ReadFile(Client("msg.wav")), "old sound");
    EXPECT_EQ(Names(root.Path() / "client"), std::vector<std::string>{"msg.wav"});
}

TEST_F(CopyFaults, DiskFillsUpInTheMiddleOfTheCopy) {
    if (!ScopedMount::Available())
        GTEST_SKIP() << "mounting is not permitted here";
    // Room for the old sound and part of the new one, not all of it.
    auto disk = ScopedMount::SmallDisk(root.Path() / "small", 32 * 1024);
    ASSERT_TRUE(disk.Mounted());
    WriteFile(root.Path() / "small/msg.wav", "old sound");
    const int error = files->CopyFile(Source(), (root.Path() / "small/msg.wav").string());
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(ReadFile(root.Path() / "small/msg.wav"), "old sound");
    EXPECT_EQ(Names(root.Path() / "small"), std::vector<std::string>{"msg.wav"});
}

TEST_F(CopyFaults, ASuccessfulCopyReplacesTheWholeFile) {
    EXPECT_EQ(files->CopyFile(Source(), Client("msg.wav")), 0);
    EXPECT_EQ(ReadFile(Client("msg.wav")), std::string(64 * 1024, 'N'));
    EXPECT_EQ(Names(root.Path() / "client"), std::vector<std::string>{"msg.wav"});
    // The library's file is untouched.
    EXPECT_EQ(ReadFile(Source()), std::string(64 * 1024, 'N'));
}

}  // namespace
}  // namespace sonatrix
