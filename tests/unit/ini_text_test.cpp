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
    const char* group = "Settings";
    const char* key = "gtk-sound-theme-name";
    bool dropEmptyGroup = false;
};

class IniEdit : public ::testing::TestWithParam<IniRow> {};

TEST_P(IniEdit, OnlyTheValuesBytesChange) {
    const IniRow& row = GetParam();
    const auto value = row.value ? std::optional<std::string>(row.value) : std::nullopt;
    EXPECT_EQ(WithIniValue(row.before, row.group, row.key, value, row.dropEmptyGroup), row.after);
    const auto read = IniValue(row.before, row.group, row.key);
    EXPECT_EQ(read, row.read ? std::optional<std::string>(row.read) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniEdit,
    ::testing::Values(
        IniRow{"", "__custom", "[Settings]\ngtk-sound-theme-name=__custom\n", nullptr},
        // Spacing, a comment and another group stay as they are.
        IniRow{"# mine\n[Settings]\n gtk-sound-theme-name = ocean \n[Other]\na=1\n", "__custom",
               "# mine\n[Settings]\n gtk-sound-theme-name = __custom \n[Other]\na=1\n", "ocean"},
        // A byte-order mark, CRLF and no final newline: the new line follows suit.
        IniRow{"\xEF\xBB\xBF[Settings]\r\ngtk-theme-name=A", "__custom",
               "\xEF\xBB\xBF[Settings]\r\ngtk-theme-name=A\r\ngtk-sound-theme-name=__custom",
               nullptr},
        IniRow{"[Settings]\r\ngtk-sound-theme-name=a\r\n", "b",
               "[Settings]\r\ngtk-sound-theme-name=b\r\n", "a"},
        // The last of duplicate keys and groups is the one read and written.
        IniRow{"[Settings]\ngtk-sound-theme-name=a\n[Other]\n[Settings]\ngtk-sound-theme-name=b\n",
               "c",
               "[Settings]\ngtk-sound-theme-name=a\n[Other]\n[Settings]\ngtk-sound-theme-name=c\n",
               "b"},
        // The group comes after another one; the key goes into it, not the other.
        IniRow{"[Other]\ngtk-sound-theme-name=x\n", "__custom",
               "[Other]\ngtk-sound-theme-name=x\n\n[Settings]\ngtk-sound-theme-name=__custom\n",
               nullptr},
        // Removed, no duplicate is left to win instead.
        IniRow{"[Settings]\ngtk-sound-theme-name=a\ngtk-sound-theme-name=b\nx=1\n", nullptr,
               "[Settings]\nx=1\n", "b"},
        IniRow{"[Settings]\nx=1", nullptr, "[Settings]\nx=1", nullptr},
        // A group of ours goes with its key; a group with more stays.
        IniRow{"[General]\na=1\n\n[Sounds]\nTheme=x\n", nullptr, "[General]\na=1\n", "x", "Sounds",
               "Theme", true},
        IniRow{"[Sounds]\nTheme=x\nOther=1\n", nullptr, "[Sounds]\nOther=1\n", "x", "Sounds",
               "Theme", true},
        // KConfig's flags: a localized key is another key, "[$e]" the same.
        IniRow{"[Sounds]\nTheme[de]=x\n", "y", "[Sounds]\nTheme[de]=x\nTheme=y\n", nullptr,
               "Sounds", "Theme"},
        IniRow{"[Sounds]\nTheme[$e]=x\n", "y", "[Sounds]\nTheme[$e]=y\n", "x", "Sounds", "Theme"}));

struct LockRow {
    const char* text;
    bool locked;
};

class IniLock : public ::testing::TestWithParam<LockRow> {};

TEST_P(IniLock, TheAdministratorsMarkLocksTheKey) {
    EXPECT_EQ(IniKeyLocked(GetParam().text, "Sounds", "Theme"), GetParam().locked)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, IniLock,
                         ::testing::Values(LockRow{"[Sounds]\nTheme[$i]=ocean\n", true},
                                           LockRow{"[Sounds][$i]\nTheme=ocean\n", true},
                                           LockRow{"[$i]\n[Sounds]\nTheme=ocean\n", true},
                                           LockRow{"[Sounds]\nOther[$i]=1\nTheme=a\n", false},
                                           LockRow{"[Other][$i]\n[Sounds]\nTheme=a\n", false}));

}  // namespace
}  // namespace sonatrix
