// SPDX-License-Identifier: GPL-3.0-or-later
// The store against a disk that fails as real ones do, one fault a row: a
// listing that fails or stops part-way, a look or a read that gives EIO, a
// disk that fills part-way through a command, a client rewriting its sound
// between the keep and the write. In every row each byte the user had is
// still in the client's folder or in the store, and the failure is said;
// nothing that failed is called done.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/crash_leftovers.h"
#include "faulty_files.h"
#include "originals/store_pruning.h"
#include "originals_world.h"

namespace sonatrix::testing {
namespace {

using Call = FaultyFiles::Call;
// Bytes of the user's own, as a row's arrangement lays them.
using Had = std::set<std::string>;

constexpr const char* kRacer = "written by the client meanwhile";
constexpr const char* kOwn = "the user's own msg.wav";

enum class Act { Theme, Undo, RestoreAll, Start };

struct FaultRow {
    const char* name;
    std::function<void(OriginalsWorld&, Had&)> arrange;  // before the fault is put in
    Act act;
    FaultyFiles::Fault fault;
    std::string said;                 // some dialog holds it; empty: nothing need be said
    std::string notSaid = {};         // no dialog holds it
    const char* afterUndo = nullptr;  // msg.wav after a Ctrl+Z that follows
};

void Racer(const std::string& path) {
    WriteFile(PathFromNarrow(path), kRacer);
}

void Nothing(OriginalsWorld&, Had&) {}

void Theme(OriginalsWorld& world, Had&) {
    world.Run(WriteCommand::Theme);
}

// msg.wav's own bytes kept by a change alone, not as an original.
void OwnBytesKeptByTheJournalAlone(OriginalsWorld& world, Had& had) {
    world.Run(WriteCommand::Theme);
    world.Put(std::string(kClientSound) + "/msg.wav", kOwn);
    had.insert(kOwn);
    world.Run(WriteCommand::Random);
}

// The originals kept by their records alone.
void OriginalsKeptByTheRecordsAlone(OriginalsWorld& world, Had&) {
    world.Run(WriteCommand::Theme);
    OriginalsStore store = world.Store();
    ASSERT_EQ(PruneJournal(store, 0).error, 0);
}

class FaultyDisk : public ::testing::TestWithParam<FaultRow> {};

TEST_P(FaultyDisk, LosesNoByteAndSaysWhatFailed) {
    const FaultRow& row = GetParam();
    OriginalsWorld world;
    Had had;
    const TreeSnapshot first = world.Snapshot(kClientSound);
    for (const auto& [name, bytes] : first)
        had.insert(bytes);
    // What the racing client writes over is its own doing; what it writes
    // is the user's.
    if (row.fault.before) {
        had.insert(kRacer);
        had.erase(first.at("msg.wav"));
    }
    world.SayYesToEverything();
    row.arrange(world, had);
    FaultyFiles files(MakeNativeFileSystem(), row.fault);
    world.Restart(files);
    world.dialogs.shown.clear();
    switch (row.act) {
        case Act::Theme:
            world.Run(WriteCommand::Theme);
            break;
        case Act::Undo:
            UndoLastChangeClick(world.Current());
            break;
        case Act::RestoreAll:
            RestoreAllOriginalsClick(world.Current());
            break;
        case Act::Start:
            RemoveCrashLeftovers(world.Current());
            break;
    }
    EXPECT_GT(files.Struck(), 0) << "the fault never came";

    std::set<std::string> somewhere;
    for (const auto& [name, bytes] : world.Snapshot(kClientSound))
        somewhere.insert(bytes);
    for (const auto& [name, bytes] : world.Snapshot("userdata/originals/blobs"))
        somewhere.insert(bytes);
    for (const std::string& bytes : had)
        EXPECT_TRUE(somewhere.contains(bytes)) << "lost: " << bytes;

    std::string texts;
    for (const std::string& text : world.Texts())
        texts += text + "\n";
    if (!row.said.empty()) {
        EXPECT_NE(texts.find(row.said), std::string::npos) << texts;
    }
    if (!row.notSaid.empty()) {
        EXPECT_EQ(texts.find(row.notSaid), std::string::npos) << texts;
    }

    if (row.afterUndo) {
        world.Restart();
        UndoLastChangeClick(world.Current());
        EXPECT_EQ(world.Read(std::string(kClientSound) + "/msg.wav"), row.afterUndo);
    }
}

FaultyFiles::Fault Failing(Call call, int nth, const char* pathPart, int error,
                           bool lasting = false, bool partial = false) {
    return {call, nth, pathPart, error, lasting, nullptr, partial};
}

FaultyFiles::Fault Racing(const char* pathPart) {
    return {Call::ClientWrite, 1, pathPart, 0, false, Racer, false};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FaultyDisk,
    ::testing::Values(
        // Full from a write after the first sound was kept and recorded:
        // what was written is not all in the journal.
        FaultRow{"ADiskThatFillsPartWay", Nothing, Act::Theme,
                 Failing(Call::Write, 14, "", ENOSPC, true), SystemErrorText(ENOSPC),
                 "山村静夜－完成。"},
        FaultRow{"ALookThatFails", Nothing, Act::Theme,
                 Failing(Call::Look, 1, "sound/msg.wav", EIO), "msg.wav" + SystemErrorText(EIO)},
        FaultRow{"AJournalListingThatStopsPartWay", OwnBytesKeptByTheJournalAlone, Act::Start,
                 Failing(Call::Listing, 1, "journal", EIO, true, true), SystemErrorText(EIO)},
        FaultRow{"RecordsThatCannotBeListed", OriginalsKeptByTheRecordsAlone, Act::Start,
                 Failing(Call::Listing, 1, "folders", EIO, true), SystemErrorText(EIO)},
        FaultRow{"AClientWritingBetweenKeepAndWrite", Nothing, Act::Theme, Racing("sound/msg.wav"),
                 "", "", kRacer},
        FaultRow{"AClientWritingDuringUndo", Theme, Act::Undo, Racing("sound/msg.wav"),
                 "以下声音在“山村静夜”之后又被改动过"},
        FaultRow{"AClientWritingDuringRestore", Theme, Act::RestoreAll, Racing("sound/msg.wav"),
                 "以下声音在询问之后又被改动过"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
