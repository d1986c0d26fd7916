// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/maps_line.h"

namespace sonatrix {
namespace {

struct MapsRow {
    const char* name;
    const char* line;
    const char* path;  // null: no file
};

class MapsLine : public ::testing::TestWithParam<MapsRow> {};

TEST_P(MapsLine, GivesTheMappedFile) {
    const MapsRow& row = GetParam();
    const auto path = MappedFilePath(row.line);
    if (row.path == nullptr)
        EXPECT_FALSE(path.has_value()) << *path;
    else
        EXPECT_EQ(path, std::optional<std::string>(row.path));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MapsLine,
    ::testing::Values(
        MapsRow{"Empty", "", nullptr}, MapsRow{"OnlyNewline", "\n", nullptr},
        MapsRow{"Anonymous", "7f0000000000-7f0000021000 rw-p 00000000 00:00 0 ", nullptr},
        MapsRow{"AnonymousNoPadding", "7f0000000000-7f0000021000 rw-p 00000000 00:00 0", nullptr},
        MapsRow{"TooFewFields", "7f0000000000-7f0000021000 rw-p 00000000", nullptr},
        MapsRow{"NotAMapsLine", "a b c d e /usr/lib/x", nullptr},
        MapsRow{"Library",
                "7f1c2a000000-7f1c2a022000 r--p 00000000 08:01 1311 "
                "                      /usr/lib/x86_64-linux-gnu/libc.so.6",
                "/usr/lib/x86_64-linux-gnu/libc.so.6"},
        MapsRow{"NotExecutableStillCounts",
                "00400000-00401000 r--p 00000000 08:01 77          "
                "/home/u/.wine/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe",
                "/home/u/.wine/drive_c/Program Files/Tencent/QQ/Bin/QQ.exe"},
        MapsRow{"InnerAndTrailingSpacesKept",
                "00400000-00401000 r-xp 00000000 08:01 77 /opt/My  App/a b.exe ",
                "/opt/My  App/a b.exe "},
        MapsRow{"TrailingNewlineDropped",
                "00400000-00401000 r-xp 00000000 08:01 77 /opt/app/QQ.exe\n", "/opt/app/QQ.exe"},
        MapsRow{"Deleted", "00400000-00401000 r-xp 00000000 08:01 77 /tmp/QQ.exe (deleted)",
                "/tmp/QQ.exe"},
        MapsRow{"DeletedOnlyAtTheEnd",
                "00400000-00401000 r-xp 00000000 08:01 77 /tmp/x (deleted)/QQ.exe",
                "/tmp/x (deleted)/QQ.exe"},
        MapsRow{"NewlineEscapeKept", "00400000-00401000 r-xp 00000000 08:01 77 /tmp/a\\012b.exe",
                "/tmp/a\\012b.exe"},
        MapsRow{"Heap", "01e3a000-01e5b000 rw-p 00000000 00:00 0          [heap]", nullptr},
        MapsRow{"Stack", "7ffd1000-7ffd2000 rw-p 00000000 00:00 0          [stack]", nullptr},
        MapsRow{"Vdso", "7ffd3000-7ffd5000 r-xp 00000000 00:00 0          [vdso]", nullptr},
        MapsRow{"NamedAnonymous", "7f00-7f10 rw-p 00000000 00:00 0   [anon:glibc malloc]", nullptr},
        MapsRow{"Memfd", "7f00-7f10 rw-s 00000000 00:01 1024   /memfd:wine (deleted)", nullptr},
        MapsRow{"NonUtf8Bytes",
                "00400000-00401000 r--p 00000000 08:01 77 /tmp/\xC9\xF9\xD2\xF4/QQ.exe",
                "/tmp/\xC9\xF9\xD2\xF4/QQ.exe"}),
    [](const ::testing::TestParamInfo<MapsRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix
