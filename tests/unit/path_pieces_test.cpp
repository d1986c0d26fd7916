// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

const PathRules kWindows{'\\', true, false};

struct PiecesRow {
    const char* label;
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
    const char* parent;
};

class WindowsPathPieces : public ::testing::TestWithParam<PiecesRow> {};

TEST_P(WindowsPathPieces, SplitAsWindowsWould) {
    const PiecesRow& row = GetParam();
    EXPECT_EQ(FolderPart(row.path, kWindows), row.folder);
    EXPECT_EQ(FileNameOf(row.path, kWindows), row.name);
    EXPECT_EQ(ExtensionOf(row.path, kWindows), row.extension);
    EXPECT_EQ(ParentFolderOf(row.path, kWindows), row.parent);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowsPathPieces,
    ::testing::Values(
        PiecesRow{"Executable", "D:\\Apps\\QQ\\Bin\\QQ.exe", "D:\\Apps\\QQ\\Bin\\", "QQ.exe",
                  ".exe", "D:\\Apps\\QQ\\Bin\\..\\"},
        PiecesRow{"DriveRelative", "C:QQ.exe", "C:", "QQ.exe", ".exe", "C:\\..\\"},
        PiecesRow{"NoFolder", "未选择程序", "", "未选择程序", "", "\\..\\"},
        PiecesRow{"DotInFolderOnly", "C:\\a.b\\file", "C:\\a.b\\", "file", "", "C:\\a.b\\..\\"},
        PiecesRow{"TwoDots", "C:\\x\\a.tar.wav", "C:\\x\\", "a.tar.wav", ".wav", "C:\\x\\..\\"},
        PiecesRow{"Folder", "C:\\Program Files\\QQ\\", "C:\\Program Files\\QQ\\", "", "",
                  "C:\\Program Files\\QQ\\..\\"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(GbkPathPieces, TrailByte5CIsNoSeparator) {
    // "表" in GBK is 0xB1 0xED; "\xD5\x5C" is a two-byte character whose
    // second byte looks like a backslash.
    const std::string path = "C:\\\xD5\x5C\\msg.wav";
    EXPECT_EQ(FolderPart(path, GbkWindowsRules()), "C:\\\xD5\x5C\\");
    const std::string endsInCharacter = "C:\\x\\\xD5\x5C";
    EXPECT_EQ(FileNameOf(endsInCharacter, GbkWindowsRules()), "\xD5\x5C");
    // Read without the double-byte rule the same bytes split at the 0x5C.
    EXPECT_EQ(FileNameOf(endsInCharacter, kWindows), "");
}

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameIgnoringAsciiCase("QQ.exe", "qq.EXE"));
    EXPECT_FALSE(SameIgnoringAsciiCase("QQ2.exe", "QQ.exe"));
    EXPECT_FALSE(SameIgnoringAsciiCase("QQ.exe", "QQ.exe "));
    // Bytes above 127 are compared as they are.
    EXPECT_FALSE(SameIgnoringAsciiCase("\xC4", "\xE4"));
    EXPECT_TRUE(SameIgnoringAsciiCase("", ""));
}

TEST(NativePath, UsesThePlatformSeparator) {
    EXPECT_EQ(NativePath("Misc\\sound\\Classic\\"),
              std::string("Misc") + kSep + "sound" + kSep + "Classic" + kSep);
    EXPECT_EQ(WithTrailingSeparator("x"), std::string("x") + kSep);
    EXPECT_EQ(WithTrailingSeparator(std::string("x") + kSep), std::string("x") + kSep);
}

}  // namespace
}  // namespace sonatrix
