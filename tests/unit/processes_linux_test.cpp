// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <unordered_set>

#include <gtest/gtest.h>

#include "platform/processes.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

namespace fs = std::filesystem;
using testing::StandInProcess;
using testing::TempDir;

const ProcessEntry* EntryOf(const std::vector<ProcessEntry>& processes, int pid) {
    for (const ProcessEntry& process : processes) {
        if (process.pid == pid)
            return &process;
    }
    return nullptr;
}

std::vector<ProcessEntry> TakeSnapshot() {
    std::vector<ProcessEntry> processes;
    EXPECT_TRUE(MakeNativeProcessSource()->Snapshot(processes));
    return processes;
}

TEST(Processes, AStandInIsListedWithItsPathFirstAndEachModuleOnce) {
    TempDir tmp;
    const fs::path exe = tmp.Path() / "Program Files/Tencent/QQ/Bin/QQ.exe";
    StandInProcess client(exe);

    const auto processes = TakeSnapshot();
    const ProcessEntry* entry = EntryOf(processes, client.Pid());
    ASSERT_NE(entry, nullptr);
    ASSERT_FALSE(entry->modules.empty());
    EXPECT_EQ(entry->modules.front(), exe.string());
    // The C library comes from maps, after the executable.
    EXPECT_TRUE(
        std::any_of(entry->modules.begin() + 1, entry->modules.end(),
                    [](const std::string& m) { return m.find("libc") != std::string::npos; }));
    const std::unordered_set<std::string> distinct(entry->modules.begin(), entry->modules.end());
    EXPECT_EQ(distinct.size(), entry->modules.size());
    for (const std::string& module : entry->modules)
        EXPECT_EQ(module.front(), '/') << module;
}

TEST(Processes, ADeletedExecutableKeepsItsPath) {
    TempDir tmp;
    const fs::path exe = tmp.Path() / "QQ/Bin/QQ.exe";
    StandInProcess client(exe);
    fs::remove(exe);

    const auto processes = TakeSnapshot();
    const ProcessEntry* entry = EntryOf(processes, client.Pid());
    ASSERT_NE(entry, nullptr);
    ASSERT_FALSE(entry->modules.empty());
    EXPECT_EQ(entry->modules.front(), exe.string());
    EXPECT_EQ(std::count(entry->modules.begin(), entry->modules.end(), exe.string()), 1);
}

TEST(Processes, ANewlineInThePathIsShownAsTheKernelWritesIt) {
    TempDir tmp;
    StandInProcess client(tmp.Path() / "a\nb/QQ.exe");

    const auto processes = TakeSnapshot();
    const ProcessEntry* entry = EntryOf(processes, client.Pid());
    ASSERT_NE(entry, nullptr);
    const std::string shown = (tmp.Path() / "a\\012b/QQ.exe").string();
    ASSERT_FALSE(entry->modules.empty());
    EXPECT_EQ(entry->modules.front(), shown);
    EXPECT_EQ(std::count(entry->modules.begin(), entry->modules.end(), shown), 1);
}

// The first snapshot is taken ahead, for the first show; the poll's later
// ones see what started since.
TEST(Processes, OnlyTheFirstSnapshotIsTakenAhead) {
    const auto source = PrefetchFirstSnapshot(MakeNativeProcessSource());
    std::vector<ProcessEntry> processes;
    ASSERT_TRUE(source->Snapshot(processes));
    TempDir tmp;
    StandInProcess client(tmp.Path() / "QQ/Bin/QQ.exe");
    ASSERT_TRUE(source->Snapshot(processes));
    EXPECT_NE(EntryOf(processes, client.Pid()), nullptr);
}

TEST(Processes, IdsComeInTheOrderOfProc) {
    const auto processes = TakeSnapshot();
    std::vector<int> listed;
    DIR* proc = ::opendir("/proc");
    ASSERT_NE(proc, nullptr);
    while (dirent* entry = ::readdir(proc)) {
        const std::string name = entry->d_name;
        if (!name.empty() && std::all_of(name.begin(), name.end(), ::isdigit))
            listed.push_back(std::stoi(name));
    }
    ::closedir(proc);
    // Processes come and go between the two readings: compare the order of
    // those seen by both.
    std::vector<int> snapshotOrder;
    const std::unordered_set<int> inListing(listed.begin(), listed.end());
    for (const ProcessEntry& process : processes) {
        if (inListing.count(process.pid))
            snapshotOrder.push_back(process.pid);
    }
    const std::unordered_set<int> inSnapshot(snapshotOrder.begin(), snapshotOrder.end());
    std::vector<int> listingOrder;
    for (int pid : listed) {
        if (inSnapshot.count(pid))
            listingOrder.push_back(pid);
    }
    EXPECT_EQ(snapshotOrder, listingOrder);
    EXPECT_NE(EntryOf(processes, ::getpid()), nullptr);
}

// The kernel marks its own threads with PF_KTHREAD in /proc/PID/stat.
bool IsKernelThread(int pid) {
    const std::string stat = testing::ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int i = 0; i < 7 && fields >> field; ++i) {
    }
    constexpr unsigned long kPfKthread = 0x00200000;
    return !field.empty() && (std::stoul(field) & kPfKthread) != 0;
}

TEST(Processes, KernelThreadsHaveNoModules) {
    const auto processes = TakeSnapshot();
    int kernelThreads = 0;
    for (const ProcessEntry& process : processes) {
        if (IsKernelThread(process.pid)) {
            ++kernelThreads;
            EXPECT_TRUE(process.modules.empty()) << process.pid;
        }
    }
    if (kernelThreads == 0)
        GTEST_SKIP() << "no kernel thread is visible here";
}

// Another user's process refuses exe and maps: it is listed with no modules.
TEST(Processes, AnotherUsersProcessHasNoModules) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to take on another user";
    TempDir tmp;
    StandInProcess rootsClient(tmp.Path() / "QQ/Bin/QQ.exe");
    int toParent[2];
    ASSERT_EQ(::pipe(toParent), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(toParent[0]);
        char verdict = '?';
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            std::vector<ProcessEntry> processes;
            MakeNativeProcessSource()->Snapshot(processes);
            const ProcessEntry* theirs = EntryOf(processes, rootsClient.Pid());
            const ProcessEntry* mine = EntryOf(processes, ::getpid());
            if (!theirs || !mine)
                verdict = 'm';  // missing from the list
            else if (!theirs->modules.empty())
                verdict = 'r';  // read another user's modules
            else if (mine->modules.empty())
                verdict = 'o';  // lost its own modules
            else
                verdict = 'y';
        }
        (void)!::write(toParent[1], &verdict, 1);
        ::_exit(0);
    }
    ::close(toParent[1]);
    char verdict = 0;
    ASSERT_EQ(::read(toParent[0], &verdict, 1), 1);
    ::close(toParent[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(verdict, 'y');
}

}  // namespace
}  // namespace sonatrix
