// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"

namespace sonatrix {
namespace {

struct LookupRow {
    const char* name;
    const char* description;
    int icon;  // -1: none
};

class CatalogueLookup : public ::testing::TestWithParam<LookupRow> {};

TEST_P(CatalogueLookup, DescriptionIsExactIconIgnoresCase) {
    const LookupRow& row = GetParam();
    EXPECT_EQ(SoundDescription(row.name), row.description);
    const auto icon = SoundIconIndex(row.name);
    if (row.icon < 0)
        EXPECT_FALSE(icon.has_value());
    else
        EXPECT_EQ(icon, row.icon);
}

INSTANTIATE_TEST_SUITE_P(
    KnownAndUnknownNames, CatalogueLookup,
    ::testing::Values(
        LookupRow{"msg.wav", "QQ收到消息", 1}, LookupRow{"MSG.WAV", "未知类型", 1},
        LookupRow{"Global.wav", "QQ有人上线", 2}, LookupRow{"global.wav", "未知类型", 2},
        LookupRow{"ring.wav", "未知类型", 7}, LookupRow{"phone.wav", "未知类型", 7},
        LookupRow{"folder.wav", "QQ切换页栏", -1}, LookupRow{"newalert.wav", "MSN新事件", -1},
        LookupRow{"nudge.wav", "未知类型", -1}, LookupRow{"vimdone.wav", "未知类型", -1},
        LookupRow{"type.wav", "MSN收到新消息", 3}, LookupRow{"newemail.wav", "MSN收到新邮件", 9},
        LookupRow{"call.wav", "QQ语音呼叫", 6}, LookupRow{"system.wav", "QQ系统消息", 4},
        LookupRow{"online.wav", "MSN有人上线", 2}, LookupRow{"other.wav", "未知类型", -1},
        LookupRow{"", "未知类型", -1}));

TEST(Catalogue, EveryFileOfQQsBackupSetIsAKnownSound) {
    for (const char* name : kQQBackupFiles)
        EXPECT_TRUE(SoundIconIndex(name) || SoundDescription(name) != "未知类型") << name;
}

}  // namespace
}  // namespace sonatrix
