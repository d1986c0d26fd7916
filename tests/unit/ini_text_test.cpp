// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/ini_text.h"

namespace sonatrix {
namespace {

struct IniRow {
    const char* before;
    const char* value;  // nullptr: the key is removed
    const char* after;
    const char* read;  // the key's value before, nullptr for none
};

class IniEdit : public ::testing::TestWithParam<IniRow> {};

TEST_P(IniEdit, OneKeyChangesEveryOtherLineStays) {
    const IniRow& row = GetParam();
    const auto value = row.value ? std::optional<std::string>(row.value) : std::nullopt;
    EXPECT_EQ(WithIniValue(row.before, "Settings", "gtk-sound-theme-name", value), row.after);
    const auto read = IniValue(row.before, "Settings", "gtk-sound-theme-name");
    EXPECT_EQ(read, row.read ? std::optional<std::string>(row.read) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniEdit,
    ::testing::Values(
        IniRow{"", "__custom", "[Settings]\ngtk-sound-theme-name=__custom\n", nullptr},
        IniRow{"[Settings]\ngtk-theme-name=Adwaita\n", "__custom",
               "[Settings]\ngtk-theme-name=Adwaita\ngtk-sound-theme-name=__custom\n", nullptr},
        // Spaces around "=", a comment and another group are left as they are.
        IniRow{"# mine\n[Settings]\n gtk-sound-theme-name = ocean\n[Other]\na=1\n", "__custom",
               "# mine\n[Settings]\ngtk-sound-theme-name=__custom\n[Other]\na=1\n", "ocean"},
        // The group comes after another one; the key goes into it, not the other.
        IniRow{"[Other]\ngtk-sound-theme-name=x\n", "__custom",
               "[Other]\ngtk-sound-theme-name=x\n\n[Settings]\ngtk-sound-theme-name=__custom\n",
               nullptr},
        IniRow{"[Settings]\ngtk-sound-theme-name=a\ngtk-sound-theme-name=b\nx=1\n", nullptr,
               "[Settings]\nx=1\n", "b"},
        IniRow{"[Settings]\nx=1", nullptr, "[Settings]\nx=1\n", nullptr}));

TEST(IniText, AFileWithOnlyHeadersAndBlanksHoldsNoKeys) {
    EXPECT_TRUE(IniHasNoKeys("[Settings]\n\n"));
    EXPECT_FALSE(IniHasNoKeys("[Settings]\n# kept\n"));
}

}  // namespace
}  // namespace sonatrix
