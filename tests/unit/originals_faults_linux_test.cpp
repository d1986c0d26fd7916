// SPDX-License-Identifier: GPL-3.0-or-later
// When the store of originals cannot be written (a full disk, a read-only
// one), no client file is written either, and each one is listed as
// failed in the command's own report.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "mounts.h"
#include "originals_world.h"

namespace sonatrix::testing {
namespace {

enum class StoreFault { ReadOnly, Full };

// The commands, and a restore of originals kept before the store broke.
enum class Writer { Single, Theme, Random, RestoreQQ, CopyToTM, ResetConfigDb, RestoreAll };

struct FaultRow {
    const char* name;
    Writer writer;
    StoreFault fault;
};

// Fills the file system of `folder` to its last byte.
void Fill(const std::filesystem::path& folder) {
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

class StoreFaults : public ::testing::TestWithParam<FaultRow> {
  protected:
    void SetUp() override {
        if (!ScopedMount::Available())
            GTEST_SKIP() << "mounting is not permitted here";
        if (GetParam().writer == Writer::RestoreAll)
            SpeedButton5Click(world.model);  // kept while the store could be written
        const std::filesystem::path store = world.base.At("userdata");
        std::filesystem::create_directories(store);
        if (GetParam().fault == StoreFault::ReadOnly) {
            mount_.emplace(ScopedMount::ReadOnly(store));
        } else {
            // What the store holds already moves onto the small disk with it.
            const std::filesystem::path aside = world.base.At("aside");
            std::filesystem::rename(store, aside);
            mount_.emplace(ScopedMount::SmallDisk(store, 64 * 1024));
            ASSERT_TRUE(mount_->Mounted());
            std::filesystem::copy(aside, store, std::filesystem::copy_options::recursive);
            Fill(store);
        }
        ASSERT_TRUE(mount_->Mounted());
        world.dialogs.shown.clear();
    }

    // The folder the command writes into, and how many files it writes.
    std::pair<std::string, std::size_t> Target() const {
        switch (GetParam().writer) {
            case Writer::Single:
                return {kClientSound, 1};
            case Writer::Theme:
            case Writer::RestoreQQ:
            case Writer::RestoreAll:
                return {kClientSound, 6};
            case Writer::Random:
                return {kClientSound, world.model.state.TargetList.size()};
            case Writer::CopyToTM:
                return {kClientTM, 6};
            case Writer::ResetConfigDb:
                return {kAccountFolder, 1};
        }
        return {};
    }

    void Run() {
        switch (GetParam().writer) {
            case Writer::Single:
                return world.Run(WriteCommand::Single, false);
            case Writer::Theme:
                return world.Run(WriteCommand::Theme);
            case Writer::Random:
                return world.Run(WriteCommand::Random);
            case Writer::RestoreQQ:
                return world.Run(WriteCommand::RestoreQQ);
            case Writer::CopyToTM:
                return world.Run(WriteCommand::CopyToTM);
            case Writer::ResetConfigDb:
                return world.Run(WriteCommand::ResetConfigDb);
            case Writer::RestoreAll:
                return world.RestoreAll(kClientSound);
        }
    }

    OriginalsWorld world;
    std::optional<ScopedMount> mount_;  // gone before the world's folders are
};

TEST_P(StoreFaults, NoClientFileIsWrittenAndEachIsListed) {
    const auto [folder, written] = Target();
    const TreeSnapshot before = world.Snapshot(folder);
    Run();
    EXPECT_EQ(world.Snapshot(folder), before);

    // Each file the command would have written is one line of its Error
    // dialogs, ending in the system's reason.
    const std::string reason =
        SystemErrorText(GetParam().fault == StoreFault::Full ? ENOSPC : EROFS);
    std::size_t listed = 0;
    for (const auto& dialog : world.dialogs.shown) {
        if (dialog.caption != "Error")
            continue;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = dialog.text.find('\n', start);
            const std::string line = dialog.text.substr(start, end - start);
            listed += line.ends_with(reason) ? 1 : 0;
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    EXPECT_EQ(listed, written);
    for (const auto& dialog : world.dialogs.shown)
        EXPECT_NE(dialog.caption, "ok") << "a failed replacement is never called done";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoreFaults,
    ::testing::Values(FaultRow{"SingleReadOnly", Writer::Single, StoreFault::ReadOnly},
                      FaultRow{"SingleFull", Writer::Single, StoreFault::Full},
                      FaultRow{"ThemeReadOnly", Writer::Theme, StoreFault::ReadOnly},
                      FaultRow{"ThemeFull", Writer::Theme, StoreFault::Full},
                      FaultRow{"RandomReadOnly", Writer::Random, StoreFault::ReadOnly},
                      FaultRow{"RandomFull", Writer::Random, StoreFault::Full},
                      FaultRow{"RestoreQQReadOnly", Writer::RestoreQQ, StoreFault::ReadOnly},
                      FaultRow{"RestoreQQFull", Writer::RestoreQQ, StoreFault::Full},
                      FaultRow{"CopyToTMReadOnly", Writer::CopyToTM, StoreFault::ReadOnly},
                      FaultRow{"CopyToTMFull", Writer::CopyToTM, StoreFault::Full},
                      FaultRow{"ResetConfigDbReadOnly", Writer::ResetConfigDb,
                               StoreFault::ReadOnly},
                      FaultRow{"ResetConfigDbFull", Writer::ResetConfigDb, StoreFault::Full},
                      FaultRow{"RestoreAllReadOnly", Writer::RestoreAll, StoreFault::ReadOnly},
                      FaultRow{"RestoreAllFull", Writer::RestoreAll, StoreFault::Full}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
