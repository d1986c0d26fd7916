// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird's prefs.js read and written as Mozilla's parser reads it, and
// the file:// URLs its custom sounds are named by.
#include <gtest/gtest.h>

#include "platform/file_url.h"
#include "platform/prefs_js.h"

namespace sonatrix {
namespace {

using namespace std::string_view_literals;
using Value = std::optional<PrefValue>;

struct ReadRow {
    const char* name;
    std::string_view text;
    Value value;  // of "a.b"
};

class PrefsJsRead : public ::testing::TestWithParam<ReadRow> {};

TEST_P(PrefsJsRead, GivesWhatMozillaReads) {
    EXPECT_EQ(UserPrefValue(GetParam().text, "a.b"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrefsJsRead,
    ::testing::Values(
        ReadRow{"Escapes", R"(user_pref("a.b", "q\"b\\s\n\r\x41\u00e9\ud83d\ude00'");)",
                std::string("q\"b\\s\n\rA\xC3\xA9\xF0\x9F\x98\x80'")},
        ReadRow{"SingleQuotes", R"(user_pref('a.b', 'it"s');)", std::string("it\"s")},
        ReadRow{"CommentsHideStatements",
                "# user_pref(\"a.b\", 1);\n// user_pref(\"a.b\", 2);\n/* user_pref(\"a.b\", 3); "
                "*/user_pref(\"a.b\", 4);",
                std::int32_t(4)},
        ReadRow{"LastWins", "user_pref(\"a.b\", true);\nuser_pref(\"a.b\", false);", false},
        ReadRow{"NegativeAndPlus", "user_pref(\"a.b\", -2147483648);", INT32_MIN},
        ReadRow{"OverflowIsAnError", "user_pref(\"a.b\", 1);user_pref(\"a.b\", 2147483648);",
                std::int32_t(1)},
        // A statement it cannot parse is passed over up to the next ";".
        ReadRow{"RecoversAtSemicolon", "user_pref(\"a.b\", );user_pref(\"a.b\", 7);",
                std::int32_t(7)},
        ReadRow{"LoneSlashTakesTheSemicolon", "user_pref(\"a.b\", 1);/;user_pref(\"a.b\", 2);",
                std::int32_t(1)},
        ReadRow{"BadEscapeDropsTheStatement", R"(user_pref("a.b", 1);user_pref("a.b", "\q");)",
                std::int32_t(1)},
        ReadRow{"NulEndsTheText", "user_pref(\"a.b\", 1);\0user_pref(\"a.b\", 2);"sv,
                std::int32_t(1)},
        ReadRow{"DefaultIsNoUserValue", "pref(\"a.b\", 1);", std::nullopt},
        ReadRow{"NumberGluedToWord", "user_pref(\"a.b\", 12x);", std::nullopt}),
    [](const auto& info) { return info.param.name; });

struct WriteRow {
    const char* name;
    const char* before;
    PrefValue value;
    std::optional<std::string> after;  // nothing: refused
};

class PrefsJsWrite : public ::testing::TestWithParam<WriteRow> {};

TEST_P(PrefsJsWrite, ChangesOneValueKeepsEveryOtherByte) {
    EXPECT_EQ(WithUserPref(GetParam().before, "a.b", GetParam().value), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrefsJsWrite,
    ::testing::Values(
        WriteRow{"InPlaceKeepsSpacingAndCrlf",
                 "// x\r\nuser_pref( \"a.b\" ,\t'old' ) ;\r\nuser_pref(\"c\", 1);\r\n",
                 std::string("new"),
                 "// x\r\nuser_pref( \"a.b\" ,\t\"new\" ) ;\r\nuser_pref(\"c\", 1);\r\n"},
        WriteRow{"SignedNumberReplacedWhole", "user_pref(\"a.b\", -5);", std::int32_t(1),
                 "user_pref(\"a.b\", 1);"},
        WriteRow{"OnlyTheLastOneRewritten", "user_pref(\"a.b\", 0);\nuser_pref(\"a.b\", 0);\n",
                 std::int32_t(1), "user_pref(\"a.b\", 0);\nuser_pref(\"a.b\", 1);\n"},
        WriteRow{"AddedAfterAnUnendedLine", "user_pref(\"c\", 1); // end", true,
                 "user_pref(\"c\", 1); // end\nuser_pref(\"a.b\", true);\n"},
        WriteRow{"AddedInTheFilesLineEnding", "user_pref(\"c\", 1);\r\n", false,
                 "user_pref(\"c\", 1);\r\nuser_pref(\"a.b\", false);\r\n"},
        WriteRow{"StringEscapedAsMozillaWrites", "",
                 std::string("a\"b\\c\nd\re\x01\x7F\xE6\x96\xB0"),
                 "user_pref(\"a.b\", \"a\\\"b\\\\c\\nd\\re\\x01\\x7F\xE6\x96\xB0\");\n"},
        WriteRow{"UnendedCommentWouldSwallowIt", "user_pref(\"c\", 1); /* open", true,
                 std::nullopt},
        WriteRow{"NulCannotBeWritten", "", std::string("a\0b", 3), std::nullopt}),
    [](const auto& info) { return info.param.name; });

struct UrlRow {
    const char* name;
    const char* path;
    const char* url;
};

class FileUrl : public ::testing::TestWithParam<UrlRow> {};

TEST_P(FileUrl, PercentEncodesAndReadsBack) {
    EXPECT_EQ(FileUrlOfPath(GetParam().path), GetParam().url);
    EXPECT_EQ(PathOfFileUrl(GetParam().url), std::optional<std::string>(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileUrl,
    ::testing::Values(
        UrlRow{"UnixSpacesAndChinese", "/home/u/.local/share/sonatrix/程序声音/a b#%?.wav",
               "file:///home/u/.local/share/sonatrix/%E7%A8%8B%E5%BA%8F%E5%A3%B0%E9%9F%B3/"
               "a%20b%23%25%3F.wav"},
        UrlRow{"WindowsDrive", "C:\\Users\\张\\a b.wav", "file:///C:/Users/%E5%BC%A0/a%20b.wav"},
        UrlRow{"WindowsNetwork", "\\\\server\\share\\x.wav", "file://///server/share/x.wav"}),
    [](const auto& info) { return info.param.name; });

TEST(FileUrl, OtherFormsThunderbirdWrites) {
    EXPECT_EQ(PathOfFileUrl("file://localhost/tmp/x.wav"),
              std::optional<std::string>("/tmp/x.wav"));
    EXPECT_EQ(PathOfFileUrl("FILE:///tmp/%e6%96%b0.wav"),
              std::optional<std::string>("/tmp/新.wav"));
    EXPECT_EQ(PathOfFileUrl("http://example.com/x.wav"), std::nullopt);
}

}  // namespace
}  // namespace sonatrix
