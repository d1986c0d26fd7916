// SPDX-License-Identifier: GPL-3.0-or-later
// Names and paths of any bytes survive the store's line format.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "originals/store_text.h"

namespace sonatrix {
namespace {

using namespace std::string_literals;

struct TextRow {
    const char* name;
    std::string text;
    std::string escaped;
};

class StoreText : public ::testing::TestWithParam<TextRow> {};

TEST_P(StoreText, EscapesWhatWouldBreakALineAndComesBackWhole) {
    const TextRow& row = GetParam();
    EXPECT_EQ(EscapedText(row.text), row.escaped);
    EXPECT_EQ(UnescapedText(row.escaped), row.text);
    EXPECT_EQ(EscapedText(row.text).find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoreText,
                         ::testing::Values(TextRow{"Plain", "msg.wav", "msg.wav"},
                                           TextRow{"BlanksStay", " a b .wav", " a b .wav"},
                                           TextRow{"LineBreaks", "a\nb\r.wav", "a%0Ab%0D.wav"},
                                           TextRow{"PercentItself", "100%.wav", "100%25.wav"},
                                           TextRow{"ZeroAndDel", "a\0b\x7F"s, "a%00b%7F"},
                                           TextRow{"GbkBytesAsTheyAre", "\xC9\xF9\xD2\xF4.wav",
                                                   "\xC9\xF9\xD2\xF4.wav"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoreText, MalformedEscapesAreRefused) {
    for (const char* bad : {"a%", "a%4", "a%G0", "a\tb"})
        EXPECT_EQ(UnescapedText(bad), std::nullopt) << bad;
}

TEST(StoreText, ALastLineCutShortIsLeftOut) {
    EXPECT_EQ(CompleteLines("a\nb\nc"), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_EQ(CompleteLines("a\n\n"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_TRUE(CompleteLines("").empty());
}

}  // namespace
}  // namespace sonatrix
