// SPDX-License-Identifier: GPL-3.0-or-later
// The program runs with the UTF-8 code page (its manifest, which this test
// program shares): paths the program reads as bytes from a QQ settings file
// written on a Chinese system are GBK and must still name their folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/foreign_paths.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

TEST(Utf8CodePage, AGbkPathFromASettingsFileNamesItsFolder) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest sets the UTF-8 code page";
    TempDir tmp;
    std::filesystem::create_directories(tmp.Path() / L"QQ\u58f0\u97f3");  // "QQ声音"
    const std::string base = NarrowPath(tmp.Path()) + "\\";
    const std::string gbk = base + "QQ\xC9\xF9\xD2\xF4\\";
    const std::string utf8 = base + "QQ\xE5\xA3\xB0\xE9\x9F\xB3\\";

    EXPECT_EQ(NativePathFromWindows(gbk, ""), utf8);
    EXPECT_TRUE(MakeNativeFileSystem()->FolderExists(NativePathFromWindows(gbk, "")));
    // What is UTF-8 already, or names something as it is, stays as it is.
    EXPECT_EQ(NativePathFromWindows(utf8, ""), utf8);
    EXPECT_EQ(NativePathFromWindows(base + "sound\\", ""), base + "sound\\");
    // Bytes that are no GBK either are passed on for the probe to reject.
    EXPECT_EQ(NativePathFromWindows(base + "\xFF\\", ""), base + "\xFF\\");
}

}  // namespace
}  // namespace sonatrix::testing
