// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "replace/config_db_scan.h"

namespace sonatrix {
namespace {

using namespace std::string_literals;

std::string Filler(std::size_t count) {
    return std::string(count, 'x');
}

struct ScanRow {
    const char* name;
    std::string bytes;
    std::string folder;
};

class ConfigDbScan : public ::testing::TestWithParam<ScanRow> {};

TEST_P(ConfigDbScan, FindsTheFolderOfTheFirstWindowWithMsg) {
    EXPECT_EQ(RecordedSoundFolder(GetParam().bytes), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConfigDbScan,
    ::testing::Values(
        ScanRow{"Empty", "", ""}, ScanRow{"OneByte", "C", ""},
        ScanRow{"NoCandidate", "\x01\x02msg.wav\0\0"s, ""},
        ScanRow{"Plain", "\x10\x00\x7fP\0D:\\QQsounds\\msg.wav\0\x05record"s, "D:\\QQsounds\\"},
        ScanRow{"PathAtTheStart", "C:\\a\\msg.wav", "C:\\a\\"},
        ScanRow{"EndsRightAfterTheDot", "\0\0E:\\y\\msg."s, "E:\\y\\"},
        ScanRow{"LowerCaseLetter", "\0d:\\QQ\\msg.wav\0"s, ""},
        ScanRow{"DriveA", "\0A:\\QQ\\msg.wav\0"s, ""},
        ScanRow{"DriveB", "\0B:\\QQ\\msg.wav\0"s, ""},
        ScanRow{"DriveZ", "\0Z:\\QQ\\msg.wav\0"s, "Z:\\QQ\\"},
        ScanRow{"ColonFirst", ":\\QQ\\msg.wav", ""},
        ScanRow{"Utf16", "D\0:\0\\\0q\0\\\0m\0s\0g\0.\0w\0a\0v\0"s, ""},
        ScanRow{"CaseSensitiveMsg", "\0D:\\QQ\\MSG.wav\0"s, ""},
        ScanRow{"EarlyCandidateWithoutMsg",
                "\0C:\\Program Files\\Tencent\\QQ\0"s + Filler(300) + "\0E:\\y\\msg.wav\0"s,
                "E:\\y\\"},
        ScanRow{"FirstOfTwoWithMsg", "\0F:\\one\\msg.wav\0G:\\two\\msg.wav\0"s, "F:\\one\\"},
        // "msg." from byte 252 on still lies inside the 256 bytes.
        ScanRow{"MsgAtByte252", "D:" + Filler(250) + "msg.wav", "D:"},
        ScanRow{"MsgAtByte253", "D:" + Filler(251) + "msg.wav", ""},
        ScanRow{"CloserCandidateHoldsIt", "C:" + Filler(250) + "E:\\msg.wav", "E:\\"},
        ScanRow{"CutAtTheFirstZero", "\0D:\\a\0\\msg.wav"s, ""},
        ScanRow{"CutAfterWav", "\0D:\\a\\msg.wav\\b\\c\0"s, "D:\\a\\"},
        // 0x81 0x5C is one GBK character: its trail byte is no separator.
        ScanRow{"GbkTrailByte", "\0D:\\a\\\x81\\msg.wav\0"s, "D:\\a\\"},
        ScanRow{"GbkFolderName", "\0D:\\\x81\\\\msg.wav\0"s, "D:\\\x81\\\\"},
        ScanRow{"ColonInsideThePath", "\0C:\\a\\D:msg.wav\0"s, "C:\\a\\D:"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix
