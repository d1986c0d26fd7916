// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/reg_file.h"

namespace sonatrix {
namespace {

// A file as wineserver writes it.
constexpr const char kSystemReg[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\TENCENT\\\\QQ] 1796688421\n"
    "#time=1d9a0c3e5f4b2a0\n"
    "@=\"default text\"\n"
    "\"Install\"=\"C:\\\\Program Files\\\\Tencent\\\\QQ\\\\\"\n"
    "\"Version\"=dword:0000071a\n"
    "\"Path\"=str(2):\"%ProgramFiles%\\\\Tencent\"\n"
    "\"Blob\"=hex:01,02,03,\\\n"
    "  04,05\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\MSNMessenger] 1796688422\n"
    "#time=1d9a0c3e5f4b2a1\n"
    "\"InstallationDirectory\"=\"C:\\\\Program Files (x86)\\\\MSN Messenger\\\\\"\n";

TEST(RegFile, ReadsKeysAndValuesAsWineWritesThem) {
    const auto file = ParseRegFile(kSystemReg);
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->keys.size(), 2u);
    EXPECT_EQ(file->keys[0].name, "Software\\TENCENT\\QQ");
    EXPECT_EQ(file->keys[1].name, "Software\\Wow6432Node\\Microsoft\\MSNMessenger");

    const RegKey* qq = FindRegKey(*file, "software\\tencent\\qq");
    ASSERT_NE(qq, nullptr);
    ASSERT_EQ(qq->values.size(), 6u);

    const RegValue* install = FindRegValue(*qq, "INSTALL");
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(RegStringOf(*install), "C:\\Program Files\\Tencent\\QQ\\");

    const RegValue* byDefault = FindRegValue(*qq, "");
    ASSERT_NE(byDefault, nullptr);
    EXPECT_EQ(RegStringOf(*byDefault), "default text");

    const RegValue* version = FindRegValue(*qq, "Version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->type, kRegDword);
    EXPECT_EQ(version->data, std::string("\x1a\x07\0\0", 4));
    EXPECT_FALSE(RegStringOf(*version).has_value());

    const RegValue* path = FindRegValue(*qq, "Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->type, kRegExpandSz);
    EXPECT_EQ(RegStringOf(*path), "%ProgramFiles%\\Tencent");

    const RegValue* blob = FindRegValue(*qq, "Blob");
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(blob->type, kRegBinary);
    EXPECT_EQ(blob->data, "\x01\x02\x03\x04\x05");
    EXPECT_FALSE(RegStringOf(*blob).has_value());

    const RegValue* multi = FindRegValue(*qq, "Multi");
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->type, kRegMultiSz);
    EXPECT_FALSE(RegStringOf(*multi).has_value());

    EXPECT_EQ(FindRegValue(*qq, "Missing"), nullptr);
    EXPECT_EQ(FindRegKey(*file, "Software\\TENCENT"), nullptr);
}

// One value line of a key, and the text it reads as (null: not a string).
struct StringRow {
    const char* name;
    const char* line;
    const char* text;
};

class RegString : public ::testing::TestWithParam<StringRow> {};

TEST_P(RegString, DecodesEscapes) {
    const StringRow& row = GetParam();
    const std::string bytes = std::string("WINE REGISTRY Version 2\n[Key] 1\n") + row.line + "\n";
    const auto file = ParseRegFile(bytes);
    ASSERT_TRUE(file.has_value());
    const RegKey* key = FindRegKey(*file, "key");
    ASSERT_NE(key, nullptr);
    const RegValue* value = FindRegValue(*key, "v");
    if (row.text == nullptr) {
        EXPECT_TRUE(value == nullptr || !RegStringOf(*value).has_value());
        return;
    }
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(RegStringOf(*value), std::optional<std::string>(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegString,
    ::testing::Values(
        StringRow{"Plain", R"("v"="text")", "text"}, StringRow{"Empty", R"("v"="")", ""},
        StringRow{"BackslashAndQuote", R"("v"="a\\b\"c")", "a\\b\"c"},
        StringRow{"CEscapes", R"("v"="t\tn\nr\r")", "t\tn\nr\r"},
        StringRow{"Octal", R"("v"="\101\60x")", "A0x"},
        StringRow{"HexFourDigits", R"("v"="\x817e\x8baf")", "腾讯"},
        StringRow{"HexStopsAtFourDigits", R"("v"="\x00e9f")", "éf"},
        StringRow{"HexShortBeforeNonHex", R"("v"="\xe9z")", "éz"},
        StringRow{"HexSurrogatePair", R"("v"="\xd83d\xde00")", "\xF0\x9F\x98\x80"},
        StringRow{"LoneSurrogate", R"("v"="\xd83dA")",
                  "\xEF\xBF\xBD"
                  "A"},
        StringRow{"HexWithoutDigits", R"("v"="\xq")", "xq"},
        StringRow{"StopsAtNul", R"("v"="ab\0cd")", "ab"},
        StringRow{"Utf8PassesThrough", "\"v\"=\"\xE5\xA3\xB0\"", "\xE5\xA3\xB0"},
        StringRow{"EscapedValueName", R"("\x76"="named by escape")", "named by escape"},
        StringRow{"ExpandString", R"("v"=str(2):"%TEMP%")", "%TEMP%"},
        StringRow{"StringWrittenAsHex", R"("v"=hex(1):41,00,42,00,00,00)", "AB"},
        StringRow{"ExpandWrittenAsHex", R"("v"=hex(2):7e,81,af,8b,00,00)", "腾讯"},
        StringRow{"MissingClosingQuote", R"("v"="never closed)", nullptr},
        StringRow{"NameNotClosed", R"("v=)", nullptr}, StringRow{"NoEquals", R"("v" "x")", nullptr},
        StringRow{"UnknownForm", R"("v"=qword:1)", nullptr},
        StringRow{"Dword", R"("v"=dword:00000001)", nullptr},
        StringRow{"DwordTooLong", R"("v"=dword:000000001)", nullptr},
        StringRow{"CarriageReturnEnding", "\"v\"=\"crlf\"\r", "crlf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegFile, KeyNamesAreUnescapedAndMergedIgnoringCase) {
    const auto file = ParseRegFile(
        "WINE REGISTRY Version 2\n"
        "[Software\\\\A\\[1\\]\\\\\\x817e] 1\n"
        "\"one\"=\"1\"\n"
        "[SOFTWARE\\\\a\\[1\\]\\\\\\x817E] 2\n"
        "\"two\"=\"2\"\n"
        "\"ONE\"=\"replaced\"\n");
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->keys.size(), 1u);
    EXPECT_EQ(file->keys[0].name, "Software\\A[1]\\腾");
    const RegKey& key = file->keys[0];
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_EQ(RegStringOf(*FindRegValue(key, "one")), "replaced");
    EXPECT_EQ(RegStringOf(*FindRegValue(key, "two")), "2");
}

TEST(RegFile, ValuesBeforeAnyKeyOrAfterABrokenKeyLineAreIgnored) {
    const auto file = ParseRegFile(
        "WINE REGISTRY Version 2\n"
        "\"early\"=\"x\"\n"
        "[Broken\\\\Key 1\n"
        "\"lost\"=\"x\"\n"
        "[Good] 1\n"
        "\"kept\"=\"x\"\n");
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->keys.size(), 1u);
    EXPECT_EQ(file->keys[0].name, "Good");
    ASSERT_EQ(file->keys[0].values.size(), 1u);
    EXPECT_EQ(file->keys[0].values[0].name, "kept");
}

TEST(RegFile, HexListsContinueOverLines) {
    const auto file = ParseRegFile(
        "WINE REGISTRY Version 2\n"
        "[K] 1\n"
        "\"bin\"=hex(3):de,ad,\\\n"
        "  be,ef,\\\n"
        "  00\n"
        "\"bad\"=hex:01,zz\n"
        "\"after\"=dword:ffffffff\n");
    ASSERT_TRUE(file.has_value());
    const RegKey* key = FindRegKey(*file, "k");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(FindRegValue(*key, "bin")->data, std::string("\xde\xad\xbe\xef\x00", 5));
    EXPECT_EQ(FindRegValue(*key, "bad"), nullptr);
    EXPECT_EQ(FindRegValue(*key, "after")->data, "\xff\xff\xff\xff");
}

TEST(RegFile, WithoutTheHeaderNothingIsRead) {
    EXPECT_FALSE(ParseRegFile("").has_value());
    EXPECT_FALSE(ParseRegFile("REGEDIT4\n[K]\n\"v\"=\"x\"\n").has_value());
    EXPECT_FALSE(ParseRegFile("WINE REGISTRY Version 1\n").has_value());
    EXPECT_TRUE(ParseRegFile("WINE REGISTRY Version 2").has_value());
}

// wineserver replaces the file by rename, but a copy cut short (a full
// disk, a crash) must still read without harm: every cut of a real file
// parses, and a value it keeps is the whole value, never a piece of it.
TEST(RegFile, EveryTruncationReadsSafely) {
    const std::string whole = kSystemReg;
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const auto file = ParseRegFile(std::string_view(whole).substr(0, length));
        if (length < std::string_view("WINE REGISTRY Version 2").size()) {
            EXPECT_FALSE(file.has_value()) << length;
            continue;
        }
        ASSERT_TRUE(file.has_value()) << length;
        for (const RegKey& key : file->keys) {
            for (const RegValue& value : key.values) {
                if (value.name == "Blob") {
                    EXPECT_EQ(value.data, "\x01\x02\x03\x04\x05") << length;
                }
                if (value.name == "Install") {
                    EXPECT_EQ(RegStringOf(value), "C:\\Program Files\\Tencent\\QQ\\") << length;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sonatrix
