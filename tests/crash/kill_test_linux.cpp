// SPDX-License-Identifier: GPL-3.0-or-later
// A kill at any step loses nothing: each write command runs in a child
// process that SIGKILLs itself after its 1st, 2nd, ... step that changes the
// disk, until the command completes; after each kill every file of the
// client's folder (or of the desktop's sounds and settings) holds either
// what it held before or what the command writes, and a new start finds
// every original restorable, the journal readable, the command taken back
// by undo, undo and redo working and no temporary file. A second kill, at
// each step of that start, loses nothing either. Nor does a power cut after
// any step of a command, which keeps only what a sync made lasting. Two
// programs writing one store at once lose nothing either.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "crash_world.h"
#include "lasting_disk.h"

namespace sonatrix::testing {
namespace {

struct Ran {
    int status = 0;
    std::string out;
    bool Exited() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
    bool Killed() const { return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL; }
};

// Starts the change runner with `args`; its output goes to `outFd`.
pid_t Start(const std::vector<std::string>& args, int outFd) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(SONATRIX_CHANGE_RUNNER)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

Ran Finish(pid_t pid, int readFd) {
    Ran ran;
    char buffer[4096];
    for (ssize_t got; (got = ::read(readFd, buffer, sizeof buffer)) > 0;)
        ran.out.append(buffer, static_cast<std::size_t>(got));
    ::close(readFd);
    ::waitpid(pid, &ran.status, 0);
    return ran;
}

Ran RunRunner(const std::vector<std::string>& args) {
    int pipeFds[2];
    EXPECT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
    const pid_t pid = Start(args, pipeFds[1]);
    ::close(pipeFds[1]);
    return Finish(pid, pipeFds[0]);
}

std::string RootOf(const OriginalsWorld& world) {
    return world.base.root.Path().string();
}

// A kill loses the program, not what it gave the system: the worlds can
// live in memory, where flushing to the disk costs nothing.
const bool inMemory = [] {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0)
        ::setenv("TMPDIR", "/dev/shm", 1);
    return true;
}();

struct KillRow {
    const char* command;
    std::vector<const char*> before;  // run first, in this process
    bool desktop = false;             // writes the desktop's sounds, not the client's
    const char* label = nullptr;      // the row's name, when not the command's
    // Killed again during the start after each kill. Left out for the long
    // batches, whose starts make the store whole as a theme's do.
    bool killStartToo = true;
};

std::string RowName(const ::testing::TestParamInfo<KillRow>& info) {
    return info.param.label ? info.param.label : info.param.command;
}

int RecoverySteps(const std::string& out) {
    const std::string mark = "recovery steps: ";
    const std::size_t at = out.find(mark);
    return at == std::string::npos ? 0 : std::atoi(out.c_str() + at + mark.size());
}

// Puts back the tree below `root` that `saved` holds a copy of.
void PutBack(const std::filesystem::path& saved, const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(root))
        fs::remove_all(entry.path());
    fs::copy(saved, root, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

class Kills : public ::testing::TestWithParam<KillRow> {
  protected:
    TreeSnapshot Written(const OriginalsWorld& world) const {
        return GetParam().desktop ? DesktopFiles(world) : world.Snapshot(kClientSound);
    }

    // A world in which the command is about to run.
    std::unique_ptr<OriginalsWorld> Arranged() {
        auto world = std::make_unique<OriginalsWorld>();
        LayDroppedSound(*world);
        world->SayYesToEverything();
        for (const char* command : GetParam().before)
            RunByName(*world, command);
        return world;
    }
};

// Every file holds what it held before or what the command writes, whole.
// (A temporary file beside them is the new start's to remove.)
std::string Torn(const TreeSnapshot& now, const TreeSnapshot& before, const TreeSnapshot& after) {
    std::set<std::string> names;
    for (const auto* shot : {&now, &before, &after})
        for (const auto& [name, bytes] : *shot)
            if (!std::filesystem::path(name).filename().string().starts_with(".sonatrix-copy-"))
                names.insert(name);
    const auto at = [](const TreeSnapshot& shot, const std::string& name) {
        return shot.contains(name) ? shot.at(name) : std::string("<absent>");
    };
    for (const std::string& name : names)
        if (at(now, name) != at(before, name) && at(now, name) != at(after, name))
            return name;
    return {};
}

TEST_P(Kills, AtEveryStepLoseNothing) {
    const KillRow& row = GetParam();
    TreeSnapshot before, after;
    int steps = 0;
    int kills = 0;
    {
        const auto world = Arranged();
        before = Written(*world);
        const Ran whole = RunRunner({"run", RootOf(*world), row.command, "0"});
        ASSERT_TRUE(whole.Exited()) << whole.out;
        steps = std::atoi(whole.out.c_str());
        after = Written(*world);
    }
    ASSERT_GT(steps, 0);
    ASSERT_NE(before, after) << "the command changed nothing";

    const std::string beforeHash = HashOf(before);
    const auto check = [&](const std::string& root, int killInStart) {
        return RunRunner({"check", root, row.command, std::to_string(killInStart), beforeHash});
    };
    int survived = 0;
    for (int k = 1; k <= steps; ++k) {
        const auto world = Arranged();
        const std::string root = RootOf(*world);
        const Ran killed = RunRunner({"run", root, row.command, std::to_string(k)});
        EXPECT_TRUE(killed.Killed()) << "step " << k << " of " << steps;
        const std::string torn = Torn(Written(*world), before, after);
        EXPECT_EQ(torn, "") << "half-written after step " << k;
        const std::string saved = root + ".killed";
        std::filesystem::copy(root, saved,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::copy_symlinks);
        const Ran checked = check(root, 0);
        EXPECT_TRUE(checked.Exited()) << "after step " << k << ":\n" << checked.out;
        ++kills;
        survived += killed.Killed() && torn.empty() && checked.Exited() ? 1 : 0;
        // Killed again at each step of the start that makes the store whole.
        for (int j = 1; row.killStartToo && j <= RecoverySteps(checked.out); ++j) {
            PutBack(saved, root);
            const Ran second = check(root, j);
            EXPECT_TRUE(second.Killed()) << "start step " << j << " after step " << k;
            const Ran again = check(root, 0);
            EXPECT_TRUE(again.Exited()) << "after step " << k << " and start step " << j << ":\n"
                                        << again.out;
            ++kills;
            survived += second.Killed() && again.Exited() ? 1 : 0;
        }
        std::filesystem::remove_all(saved);
    }
    std::printf("kills survived: %d of %d\n", survived, kills);
    EXPECT_EQ(survived, kills);
}

class PowerCuts : public Kills {};

TEST_P(PowerCuts, AfterEveryStepLoseNothing) {
    const KillRow& row = GetParam();
    const auto world = Arranged();
    const std::string root = RootOf(*world);
    const TreeSnapshot tree = TakeSnapshot(world->base.root.Path());
    const std::string beforeHash = HashOf(Written(*world));
    const std::string log = root + ".steps";
    ASSERT_TRUE(RunRunner({"record", root, row.command, log}).Exited());
    const std::vector<RecordedStep> steps = ReadSteps(log);
    std::filesystem::remove(log);
    ASSERT_FALSE(steps.empty());

    // Many cuts leave the same: each such state is started from once.
    LastingDisk disk(root, tree);
    std::map<std::string, bool> survives;
    std::size_t survived = 0;
    for (std::size_t n = 0; n < steps.size(); ++n) {
        ASSERT_TRUE(disk.Take(steps[n])) << "step " << n + 1 << " on " << steps[n].step.path;
        const TreeSnapshot left = disk.AfterPowerCut();
        const std::string state = HashOf(left);
        if (!survives.contains(state)) {
            LastingDisk::LayOut(root, left);
            const Ran checked = RunRunner({"check", root, row.command, "0", beforeHash});
            EXPECT_TRUE(checked.Exited()) << "cut after step " << n + 1 << ":\n" << checked.out;
            survives[state] = checked.Exited();
        }
        survived += survives[state] ? 1 : 0;
    }
    std::printf("power cuts survived: %zu of %zu\n", survived, steps.size());
    EXPECT_EQ(survived, steps.size());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Kills,
    ::testing::Values(KillRow{"Single", {}}, KillRow{"Theme", {}},
                      KillRow{"Random", {}, false, nullptr, false}, KillRow{"Drop", {}},
                      KillRow{"RestoreOne", {"Theme"}}, KillRow{"RestoreAll", {"Theme"}},
                      KillRow{"RestoreQQ", {}, false, nullptr, false},
                      KillRow{"QQUsesMsn", {}, false, nullptr, false},
                      KillRow{"MsnUsesQQ", {}, false, nullptr, false}, KillRow{"Undo", {"Theme"}},
                      KillRow{"Redo", {"Theme", "Undo"}}, KillRow{"DesktopTheme", {}, true},
                      // Its end prunes the journal.
                      KillRow{"Single", {"FullJournal"}, false, "SingleOnAFullJournal"}),
    RowName);

INSTANTIATE_TEST_SUITE_P(Commands, PowerCuts,
                         ::testing::Values(KillRow{"Theme", {}}, KillRow{"Random", {}},
                                           KillRow{"Undo", {"Theme"}},
                                           KillRow{"Redo", {"Theme", "Undo"}},
                                           KillRow{"RestoreAll", {"Theme"}},
                                           KillRow{"DesktopTheme", {}, true}),
                         RowName);

TEST(TwoPrograms, WritingOneFolderAtOnceLoseNothing) {
    OriginalsWorld world;
    for (int file = 0; file < kSharedFiles; ++file)
        world.Put(std::string(kSharedFolder) + "/" + SharedFile(file), "first " + SharedFile(file));
    const TreeSnapshot first = world.Snapshot(kSharedFolder);
    std::vector<std::pair<pid_t, int>> running;
    for (const char* firstFile : {"0", "1"}) {
        int pipeFds[2];
        ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
        running.emplace_back(Start({"share", RootOf(world), firstFile}, pipeFds[1]), pipeFds[0]);
        ::close(pipeFds[1]);
    }
    world.Put("go", "");
    for (const auto& [pid, readFd] : running)
        EXPECT_TRUE(Finish(pid, readFd).Exited());

    // Every run has its own entry, none replaced by the other's, and every
    // file its original.
    EXPECT_EQ(world.Journal().size(), static_cast<std::size_t>(kSharedFiles));
    world.RestoreAll(kSharedFolder);
    EXPECT_EQ(world.Snapshot(kSharedFolder), first);
}

}  // namespace
}  // namespace sonatrix::testing
