// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library/wav_header.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The recorder's header, byte by byte: PCM, mono, 8 bits, 22050 Hz, no samples.
const std::string kRecorderHeader(
    "RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00"
    "\x22\x56\x00\x00\x22\x56\x00\x00\x01\x00\x08\x00"
    "data\x00\x00\x00\x00",
    44);

TEST(WriteWavHeader, WritesExactlyTheRecorderHeader) {
    TempDir dir;
    const std::string file = (dir.Path() / "a.wav").string();
    ASSERT_EQ(WriteWavHeader(1, 8, 22050, file), 0);
    EXPECT_EQ(ReadFile(file), kRecorderHeader);
}

TEST(WriteWavHeader, ReplacesALongerFile) {
    TempDir dir;
    const auto file = dir.Path() / "a.wav";
    WriteFile(file, std::string(1000, 'x'));
    ASSERT_EQ(WriteWavHeader(1, 8, 22050, file.string()), 0);
    EXPECT_EQ(ReadFile(file), kRecorderHeader);
}

TEST(WriteWavHeader, MissingFolderIsAnErrorAndCreatesNothing) {
    TempDir dir;
    const auto file = dir.Path() / "missing" / "a.wav";
    EXPECT_NE(WriteWavHeader(1, 8, 22050, file.string()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

struct FormatRow {
    const char* name;
    std::uint16_t channels, bits;
    std::int32_t rate;
    std::uint32_t byteRate;
    std::uint16_t blockAlign;
};

class DerivedFields : public ::testing::TestWithParam<FormatRow> {};

TEST_P(DerivedFields, ByteRateAndAlignmentUseWholeBytesPerSample) {
    const FormatRow& row = GetParam();
    const auto header = ParseWavHeader(WavHeaderBytes(row.channels, row.bits, row.rate));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->formatTag, 1);
    EXPECT_EQ(header->byteRate, row.byteRate);
    EXPECT_EQ(header->blockAlign, row.blockAlign);
    EXPECT_EQ(header->riffSize, 36u);
    EXPECT_EQ(header->dataSize, 0u);
}

INSTANTIATE_TEST_SUITE_P(Formats, DerivedFields,
                         ::testing::Values(FormatRow{"Mono8", 1, 8, 22050, 22050, 1},
                                           FormatRow{"Stereo16", 2, 16, 44100, 176400, 4},
                                           FormatRow{"TwelveBitsDropRemainder", 1, 12, 8000, 8000,
                                                     1}),
                         [](const auto& info) { return info.param.name; });

struct MalformedRow {
    const char* name;
    std::size_t at;
    std::string replacement;
};

class MalformedHeader : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedHeader, IsNotTakenForAHeader) {
    std::string bytes = kRecorderHeader;
    bytes.replace(GetParam().at, GetParam().replacement.size(), GetParam().replacement);
    EXPECT_FALSE(ParseWavHeader(bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MalformedHeader,
    ::testing::Values(MalformedRow{"NotRiff", 0, "RIFX"}, MalformedRow{"NotWave", 8, "AVI "},
                      MalformedRow{"LongFormatChunk", 16, std::string("\x12", 1)},
                      MalformedRow{"NoDataChunk", 36, "LIST"}),
    [](const auto& info) { return info.param.name; });

TEST(WavHeaderBytes, ARiffSizePast4GiBStopsAtTheLargest) {
    const auto header = ParseWavHeader(WavHeaderBytes(1, 16, 44100, 0xFFFFFFF0u));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->riffSize, 0xFFFFFFFFu);
    EXPECT_EQ(header->dataSize, 0xFFFFFFF0u);
}

TEST(ParseWavHeader, ShortInputIsNoHeader) {
    EXPECT_FALSE(ParseWavHeader(kRecorderHeader.substr(0, 43)));
    EXPECT_FALSE(ParseWavHeader(""));
}

// The sizes must describe the file after every append, not only at the end.
TEST(WavAppender, KeepsBothSizesTrueAfterEveryAppend) {
    TempDir dir;
    const std::string file = (dir.Path() / "r.wav").string();
    ASSERT_EQ(WriteWavHeader(1, 8, 22050, file), 0);
    WavAppender appender;
    ASSERT_EQ(appender.Open(file), 0);
    for (const std::size_t size : {std::size_t{1}, std::size_t{2205}, std::size_t{70000}}) {
        const std::string samples(size, '\x80');
        ASSERT_EQ(appender.Append(samples.data(), samples.size()), 0);
        const std::string bytes = ReadFile(file);
        const auto header = ParseWavHeader(bytes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->riffSize, bytes.size() - 8);
        EXPECT_EQ(header->dataSize, bytes.size() - 44);
        EXPECT_EQ(appender.DataSize(), bytes.size() - 44);
    }
    EXPECT_EQ(appender.Close(), 0);
}

TEST(WavAppender, RefusesAFileWithoutHeader) {
    TempDir dir;
    const auto file = dir.Path() / "notes.txt";
    WriteFile(file, "no header here, only some text of more than forty-four bytes");
    WavAppender appender;
    EXPECT_NE(appender.Open(file.string()), 0);
    EXPECT_FALSE(appender.IsOpen());
    EXPECT_NE(appender.Append("x", 1), 0);
    EXPECT_EQ(ReadFile(file), "no header here, only some text of more than forty-four bytes");
}

TEST(FixWavSizes, SetsSizesFromTheFileLength) {
    TempDir dir;
    const auto file = dir.Path() / "r.wav";
    WriteFile(file, kRecorderHeader + std::string(300, '\x7f'));
    ASSERT_EQ(FixWavSizes(file.string()), 0);
    const auto header = ReadWavHeader(file.string());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->riffSize, 336u);
    EXPECT_EQ(header->dataSize, 300u);
    EXPECT_EQ(ReadFile(file).substr(44), std::string(300, '\x7f'));
}

TEST(FixWavSizes, LeavesAFileWithoutHeaderAlone) {
    TempDir dir;
    const auto file = dir.Path() / "r.wav";
    WriteFile(file, std::string(100, 'z'));
    EXPECT_NE(FixWavSizes(file.string()), 0);
    EXPECT_EQ(ReadFile(file), std::string(100, 'z'));
    EXPECT_NE(FixWavSizes((dir.Path() / "missing.wav").string()), 0);
}

}  // namespace
}  // namespace sonatrix
