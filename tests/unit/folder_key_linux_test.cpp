// SPDX-License-Identifier: GPL-3.0-or-later
// One folder, however its path is written, is one folder to the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/folder_key.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

namespace fs = std::filesystem;

TEST(FolderKey, EveryWayOfWritingAFolderGivesItsRealPath) {
    testing::TempDir tmp;
    fs::create_directories(tmp.Path() / "QQ/Misc/sound");
    fs::create_directories(tmp.Path() / "QQ/Bin");
    fs::create_directory_symlink(tmp.Path() / "QQ/Misc", tmp.Path() / "link");
    const std::string real = fs::canonical(tmp.Path()).string() + "/QQ/Misc/sound/";
    const std::string root = tmp.Folder();
    for (const std::string& written : {root + "QQ/Misc/sound/", root + "QQ/Misc/sound",
                                       root + "QQ/Bin/../Misc/./sound/", root + "link/sound/"})
        EXPECT_EQ(FolderKey(written), real) << written;
    testing::WriteFile(tmp.Path() / "QQ/Misc/sound/msg.wav", "RIFF");
    EXPECT_EQ(FolderKey(root + "QQ/Misc/sound/msg.wav"), "");
    EXPECT_EQ(FolderKey(root + "QQ/none/"), "");
    EXPECT_EQ(FolderKey(""), "");

    // The store also follows the letter case found on disk, as Wine does.
    auto files = MakeNativeFileSystem();
    const OriginalsStore store(*files, root + "userdata/");
    EXPECT_EQ(store.KeyOf(root + "qq/misc/Sound/"), real);
    EXPECT_TRUE(SameFileName("msg.wav", "msg.wav"));
    EXPECT_FALSE(SameFileName("msg.wav", "MSG.wav"));
}

}  // namespace
}  // namespace sonatrix
