// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/foreign_paths.h"
#include "platform/registry.h"
#include "platform/wine_prefix.h"
#include "scoped_env_linux.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::ScopedEnv;

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

// A prefix laid out as wineboot leaves it: drive_c, system.reg, and the
// drive links "c:" -> "../drive_c" and "z:" -> "/".
std::string MakePrefix(const fs::path& where,
                       const std::string& systemReg = "WINE REGISTRY Version 2\n") {
    fs::create_directories(where / "drive_c/Program Files/Tencent/QQ/Bin");
    fs::create_directories(where / "drive_c/Program Files/Tencent/QQ/Misc/sound");
    fs::create_directories(where / "dosdevices");
    fs::create_directory_symlink("../drive_c", where / "dosdevices/c:");
    fs::create_directory_symlink("/", where / "dosdevices/z:");
    WriteFile(where / "system.reg", systemReg);
    return where.string();
}

class WinePrefixTest : public ::testing::Test {
  protected:
    WinePrefixTest() : prefix(MakePrefix(tmp.Path() / "pfx")) {}
    TempDir tmp;
    std::string prefix;
};

TEST_F(WinePrefixTest, PrefixHoldingWalksUpFromAModulePath) {
    EXPECT_EQ(PrefixHolding(prefix + "/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe"), prefix);
    EXPECT_EQ(PrefixHolding(prefix + "/drive_c/Program Files/Tencent/QQ/Bin/../Misc/sound/"),
              prefix);
    EXPECT_EQ(PrefixHolding(prefix + "/"), prefix);
    // A folder with drive_c but no system.reg is no prefix.
    fs::create_directories(tmp.Path() / "half/drive_c/QQ");
    EXPECT_EQ(PrefixHolding((tmp.Path() / "half/drive_c/QQ/QQ.exe").string()), "");
    EXPECT_EQ(PrefixHolding(""), "");
}

TEST_F(WinePrefixTest, ChooseWinePrefixPrefersTheClientsOwn) {
    const std::string inside = prefix + "/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe";
    const std::string outside = (tmp.Path() / "elsewhere/QQ.exe").string();
    EXPECT_EQ(ChooseWinePrefix(inside, "/other/prefix", "/home/u"), prefix);
    EXPECT_EQ(ChooseWinePrefix(outside, "/other/prefix", "/home/u"), "/other/prefix");
    EXPECT_EQ(ChooseWinePrefix(outside, "", "/home/u"), "/home/u/.wine");
    EXPECT_EQ(ChooseWinePrefix("", nullptr, "/home/u"), "/home/u/.wine");
    EXPECT_EQ(ChooseWinePrefix("", nullptr, nullptr), "");
}

struct MappingRow {
    const char* name;
    const char* windowsPath;
    const char* expected;  // below the prefix; "" for no mapping; "=" + path for an absolute one
};

class WindowsPathMapping : public WinePrefixTest,
                           public ::testing::WithParamInterface<MappingRow> {};

TEST_P(WindowsPathMapping, GoesThroughTheDriveLinksIgnoringCase) {
    const MappingRow& row = GetParam();
    const std::string expected = row.expected[0] == '\0'  ? std::string()
                                 : row.expected[0] == '=' ? std::string(row.expected + 1)
                                                          : prefix + row.expected;
    EXPECT_EQ(UnixPathInPrefix(prefix, row.windowsPath), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowsPathMapping,
    ::testing::Values(
        MappingRow{"InstallFolder", "C:\\Program Files\\Tencent\\QQ\\",
                   "/drive_c/Program Files/Tencent/QQ/"},
        MappingRow{"CaseOnDiskWins", "c:\\PROGRAM FILES\\tencent\\qq\\bin",
                   "/drive_c/Program Files/Tencent/QQ/Bin"},
        MappingRow{"DotDotKept", "C:\\Program Files\\Tencent\\QQ\\bin\\..\\MISC\\Sound\\",
                   "/drive_c/Program Files/Tencent/QQ/Bin/../Misc/sound/"},
        MappingRow{"MissingRestAsWritten", "C:\\Program Files\\Tencent\\QQ\\123\\Config.db",
                   "/drive_c/Program Files/Tencent/QQ/123/Config.db"},
        MappingRow{"ForwardSlashes", "C:/Program Files/Tencent", "/drive_c/Program Files/Tencent"},
        MappingRow{"DoubledSeparators", "C:\\\\Program Files\\\\Tencent\\",
                   "/drive_c/Program Files/Tencent/"},
        MappingRow{"DriveRoot", "C:\\", "/drive_c/"},
        MappingRow{"DriveZIsTheRoot", "Z:\\usr\\", "=/usr/"},
        MappingRow{"DriveWithoutLink", "D:\\QQ\\", ""},
        MappingRow{"NoDrive", "\\\\server\\share\\QQ", ""},
        MappingRow{"Relative", "QQ\\sound\\", ""}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr const char kSystemReg[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Microsoft\\\\MSNMessenger] 1796688420\n"
    "#time=1d9a0c3e5f4b2a0\n"
    "\"InstallationDirectory\"=\"C:\\\\Program Files\\\\MSN Messenger\\\\\"\n"
    "\n"
    "[Software\\\\TENCENT\\\\QQ] 1796688421\n"
    "\"Install\"=\"C:\\\\Old\\\\QQ\\\\\"\n"
    "\"Version\"=dword:0000071a\n"
    "\"Homepage\"=\"http://im.qq.com/\"\n"
    "\"Elsewhere\"=\"Q:\\\\QQ\\\\\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Tencent\\\\QQ] 1796688422\n"
    "#time=1d9a0c3e5f4b2a1\n"
    "\"Install\"=\"c:\\\\program files\\\\tencent\\\\qq\\\\\"\n"
    "\"Empty\"=\"\"\n";

class WineRegistryTest : public WinePrefixTest {
  protected:
    WineRegistryTest() : env("WINEPREFIX", prefix.c_str()), registry(MakeNativeRegistry()) {
        WriteFile(fs::path(prefix) / "system.reg", kSystemReg);
    }
    ScopedEnv env;
    std::unique_ptr<Registry> registry;
};

TEST_F(WineRegistryTest, AStringIsReadAndAWindowsPathMappedIntoThePrefix) {
    // The 32-bit view a 32-bit installer writes to comes first.
    const RegistryValue qq = registry->ReadLocalMachineString("software\\TENCENT\\QQ", "Install");
    EXPECT_EQ(qq.status, RegistryValue::Status::String);
    EXPECT_EQ(qq.text, prefix + "/drive_c/Program Files/Tencent/QQ/");

    const RegistryValue msn = registry->ReadLocalMachineString("software\\Microsoft\\MSNMessenger",
                                                               "InstallationDirectory");
    EXPECT_EQ(msn.status, RegistryValue::Status::String);
    EXPECT_EQ(msn.text, prefix + "/drive_c/Program Files/MSN Messenger/");
}

struct LookupRow {
    const char* name;
    const char* key;
    const char* value;
    RegistryValue::Status status;
    const char* text;
};

class WineRegistryLookup : public WineRegistryTest,
                           public ::testing::WithParamInterface<LookupRow> {};

TEST_P(WineRegistryLookup, GivesStatusAndText) {
    const LookupRow& row = GetParam();
    const RegistryValue got = registry->ReadLocalMachineString(row.key, row.value);
    EXPECT_EQ(got.status, row.status);
    // "@" stands for the prefix.
    const std::string text = row.text[0] == '@' ? prefix + (row.text + 1) : std::string(row.text);
    EXPECT_EQ(got.text, text);
}

using Status = RegistryValue::Status;
INSTANTIATE_TEST_SUITE_P(
    Rows, WineRegistryLookup,
    ::testing::Values(
        LookupRow{"NotAPathUnchanged", "Software\\Tencent\\QQ", "homepage", Status::String,
                  "http://im.qq.com/"},
        LookupRow{"UnmappedDriveUnchanged", "Software\\Tencent\\QQ", "Elsewhere", Status::String,
                  "Q:\\QQ\\"},
        LookupRow{"EmptyString", "Software\\Tencent\\QQ", "Empty", Status::String, ""},
        LookupRow{"NonString", "Software\\Tencent\\QQ", "Version", Status::OtherType, ""},
        LookupRow{"ValueMissing", "Software\\Tencent\\QQ", "Nothing", Status::ValueMissing, ""},
        LookupRow{"KeyMissing", "Software\\Tencent\\TM", "Install", Status::KeyMissing, ""},
        LookupRow{"OuterBackslashes", "\\Software\\Microsoft\\MSNMessenger\\",
                  "InstallationDirectory", Status::String,
                  "@/drive_c/Program Files/MSN Messenger/"},
        LookupRow{"TheWowViewByName", "Software\\Wow6432Node\\Tencent\\QQ", "Install",
                  Status::String, "@/drive_c/Program Files/Tencent/QQ/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WineRegistryTest, NoReadableFileMeansNoKey) {
    const RegistryValue value =
        registry->ReadLocalMachineString("software\\TENCENT\\QQ", "Install");
    ASSERT_EQ(value.status, RegistryValue::Status::String);

    WriteFile(fs::path(prefix) / "system.reg", "not a registry\n[Software\\\\TENCENT\\\\QQ]\n");
    EXPECT_EQ(registry->ReadLocalMachineString("software\\TENCENT\\QQ", "Install").status,
              RegistryValue::Status::KeyMissing);
    fs::remove(fs::path(prefix) / "system.reg");
    EXPECT_EQ(registry->ReadLocalMachineString("software\\TENCENT\\QQ", "Install").status,
              RegistryValue::Status::KeyMissing);
}

TEST_F(WineRegistryTest, WithoutWineprefixTheHomePrefixIsRead) {
    const fs::path home = tmp.Path() / "home";
    MakePrefix(home / ".wine",
               "WINE REGISTRY Version 2\n[Software\\\\TENCENT\\\\QQ] "
               "1\n\"Install\"=\"Z:\\\\opt\\\\QQ\\\\\"\n");
    ScopedEnv noPrefix("WINEPREFIX", nullptr);
    ScopedEnv homeHere("HOME", home.c_str());
    const RegistryValue value =
        registry->ReadLocalMachineString("software\\TENCENT\\QQ", "Install");
    EXPECT_EQ(value.status, RegistryValue::Status::String);
    EXPECT_EQ(value.text, "/opt/QQ/");
}

TEST_F(WinePrefixTest, ForeignPathsUseThePrefixHoldingTheClient) {
    const std::string other = MakePrefix(tmp.Path() / "other");
    ScopedEnv env("WINEPREFIX", other.c_str());
    fs::create_directories(prefix + "/drive_c/QQsounds");
    const std::string client = prefix + "/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe";
    EXPECT_EQ(NativePathFromWindows("C:\\qqsounds\\msg.wav", client),
              prefix + "/drive_c/QQsounds/msg.wav");
    // Without a client the environment's prefix is used.
    EXPECT_EQ(NativePathFromWindows("C:\\qqsounds\\", ""), other + "/drive_c/qqsounds/");
    EXPECT_EQ(NativePathFromWindows("D:\\QQsounds\\", client), "");
}

// Paths inside a QQ settings file are GBK bytes; Wine names files in UTF-8.
TEST_F(WinePrefixTest, GbkPathsFindTheFoldersWineMadeInUtf8) {
    fs::create_directories(prefix + "/drive_c/QQ声音");
    fs::create_directories(prefix + "/drive_c/誠");
    const std::string client = prefix + "/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe";
    EXPECT_EQ(NativePathFromWindows("C:\\QQ\xC9\xF9\xD2\xF4\\msg.wav", client),
              prefix + "/drive_c/QQ声音/msg.wav");
    // The trail byte of 誠 is 0x5C, which is no separator.
    EXPECT_EQ(NativePathFromWindows("C:\\\xD5\x5C\\msg.wav", client),
              prefix + "/drive_c/誠/msg.wav");
    // A folder unpacked with its GBK name as bytes is found as it is.
    fs::create_directories(prefix + "/drive_c/\xC9\xF9\xD2\xF4");
    EXPECT_EQ(NativePathFromWindows("C:\\\xC9\xF9\xD2\xF4\\", client),
              prefix + "/drive_c/\xC9\xF9\xD2\xF4/");
}

}  // namespace
}  // namespace sonatrix
