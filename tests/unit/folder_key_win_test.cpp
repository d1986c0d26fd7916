// SPDX-License-Identifier: GPL-3.0-or-later
// One folder, however its path is written, is one folder to the store.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/folder_key.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

TEST(FolderKey, EveryWayOfWritingAFolderGivesOneKey) {
    testing::TempDir tmp;
    std::filesystem::create_directories(tmp.Path() / "Program Files/Tencent/QQ/sound");
    std::filesystem::create_directories(tmp.Path() / "Program Files/Tencent/QQ/Bin");
    const std::string root = testing::NarrowPath(tmp.Path()) + "\\";
    const std::string key = FolderKey(root + "Program Files\\Tencent\\QQ\\sound\\");
    ASSERT_FALSE(key.empty());
    EXPECT_EQ(key.back(), '\\');
    char shortPath[MAX_PATH];
    const std::string longPath = root + "Program Files\\Tencent\\QQ\\sound";
    const DWORD shortLength = GetShortPathNameA(longPath.c_str(), shortPath, MAX_PATH);
    for (const std::string& written :
         {root + "PROGRAM FILES\\tencent\\qq\\Sound",
          root + "Program Files\\Tencent\\QQ\\Bin\\..\\sound\\",
          root + "Program Files/Tencent/QQ/sound/",
          shortLength > 0 ? std::string(shortPath, shortLength) : longPath})
        EXPECT_EQ(FolderKey(written), key) << written;
    EXPECT_EQ(FolderKey(root + "Program Files\\Tencent\\QQ\\none\\"), "");
    EXPECT_TRUE(SameFileName("Global.wav", "GLOBAL.WAV"));
    EXPECT_FALSE(SameFileName("Global.wav", "Global.wa"));
}

}  // namespace
}  // namespace sonatrix
