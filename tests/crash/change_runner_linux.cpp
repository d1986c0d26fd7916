// SPDX-License-Identifier: GPL-3.0-or-later
// A test-only program over the real files, on a world the crash tests lay
// out (never shipped):
//   change_runner run <root> <command> <k>   runs the command and, for k > 0,
//       stops itself with SIGKILL after the k-th step that changes the disk;
//       for k = 0 prints how many steps the whole command took.
//   change_runner record <root> <command> <log>   runs the command and
//       writes every step it took on the disk to <log> (see ReadSteps).
//   change_runner share <root> <first>        replaces every second file of
//       the shared folder from the `first`, once the file <root>/go appears.
//   change_runner check <root> <command> <k> <hash>   starts as the program
//       starts, after <command> was cut short, and checks that nothing was
//       lost in the client's folder (or the desktop's sounds), that taking
//       the command back gives the files whose HashOf is <hash>, and more;
//       prints what was lost, exit status 1. For k > 0 it stops itself with
//       SIGKILL after the k-th step of its start that changes the disk; it
//       prints "recovery steps: N" first.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/crash_leftovers.h"
#include "crash_world.h"
#include "platform/files.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

int steps = 0;
int killAt = 0;
std::FILE* log = nullptr;

void CountStep(const DiskStep& step) {
    if (step.Changes() && ++steps == killAt)
        ::raise(SIGKILL);
}

void LogStep(const DiskStep& step) {
    std::string bytes;
    if (step.kind == DiskStep::Kind::Flushed)
        bytes = ReadFile(step.path);
    std::fprintf(log, "%d ", static_cast<int>(step.kind));
    for (const std::string* field :
         {&step.path, &step.to, static_cast<const std::string*>(&bytes)}) {
        std::fprintf(log, "%zu:", field->size());
        std::fwrite(field->data(), 1, field->size(), log);
    }
}

void ExpectNoError(const OriginalsWorld& world, std::vector<std::string>& failures) {
    for (const ShownDialog& shown : world.dialogs.shown)
        if (shown.caption == "Error")
            failures.push_back("error shown: " + shown.text);
}

using Written = TreeSnapshot (*)(const OriginalsWorld&);

TreeSnapshot ClientFiles(const OriginalsWorld& world) {
    return world.Snapshot(kClientSound);
}

// Ctrl+Z and, when it took something back, Ctrl+Y: all is as before.
void UndoRedoRoundTrip(OriginalsWorld& world, Written written, std::vector<std::string>& failures) {
    const TreeSnapshot before = written(world);
    world.dialogs.shown.clear();
    UndoLastChangeClick(world.model);
    if (world.LastShown().text.starts_with("已撤销")) {
        RedoClick(world.model);
        if (!world.LastShown().text.starts_with("已重做") || written(world) != before)
            failures.push_back("redo did not give back what undo took: " + world.LastShown().text);
    }
    ExpectNoError(world, failures);
}

// Takes back the command that was cut short, answering yes only to the
// questions that name it: the files are as they were before it.
void TakeBackCutShort(OriginalsWorld& world, const std::string& command, Written written,
                      const std::string& beforeHash, std::vector<std::string>& failures) {
    const std::string name = JournalNameOf(command);
    // An undo is taken back by a redo.
    const bool redo = command == "Undo";
    const std::string asked = (redo ? "将重做“" : "将撤销“") + name + "”";
    const std::string askedToo =
        (redo ? "以下声音在撤销“" : "以下声音在“") + name + "”之后又被改动过";
    world.dialogs.shown.clear();
    world.dialogs.onShow = [&](const ShownDialog& shown) {
        if (shown.caption == "Confirm")
            world.dialogs.ThenResult(shown.text.starts_with(asked) ||
                                             shown.text.starts_with(askedToo)
                                         ? DlgResult::OK
                                         : DlgResult::Cancel);
    };
    (redo ? RedoClick : UndoLastChangeClick)(world.model);
    world.dialogs.onShow = nullptr;
    ExpectNoError(world, failures);
    if (HashOf(written(world)) != beforeHash)
        failures.push_back("taking back " + command + " did not give back the files before it");
}

int Check(const fs::path& root, const std::string& command, int killInStart,
          const std::string& beforeHash) {
    std::vector<std::string> failures;
    const bool desktop = command == "DesktopTheme";
    const Written written = desktop ? DesktopFiles : ClientFiles;
    const TreeSnapshot first = written(OriginalsWorld());
    OriginalsWorld world(root);
    killAt = killInStart;
    SetDiskStepObserver(CountStep);
    RemoveCrashLeftovers(world.model);
    SetDiskStepObserver(nullptr);
    std::printf("recovery steps: %d\n", steps);
    // The start read all of the store.
    for (const ShownDialog& shown : world.dialogs.shown)
        failures.push_back("said at start: " + shown.text);
    if (desktop)
        ComboBox1Select(world.model, kKindDesktop);
    else
        world.SetTarget(kClientSound);

    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.path().filename().string().starts_with(".sonatrix-copy-"))
            failures.push_back("left behind: " + entry.path().string());
    std::size_t entryFiles = 0;
    if (const fs::path journal = root / "userdata/originals/journal"; fs::exists(journal))
        for (const auto& entry : fs::directory_iterator(journal))
            entryFiles += entry.path().filename().string().starts_with(".") ? 0 : 1;
    if (world.Journal().size() != entryFiles)
        failures.push_back("journal entries that cannot be read");

    TakeBackCutShort(world, command, written, beforeHash, failures);
    world.SayYesToEverything();
    UndoRedoRoundTrip(world, written, failures);
    world.dialogs.shown.clear();
    RestoreAllOriginalsClick(world.model);
    ExpectNoError(world, failures);
    if (written(world) != first)
        failures.push_back("the originals did not all come back");
    UndoRedoRoundTrip(world, written, failures);

    for (const std::string& failure : failures)
        std::printf("%s\n", failure.c_str());
    return failures.empty() ? 0 : 1;
}

int Main(const std::vector<std::string>& args) {
    if (args.size() >= 2)
        UseWorldsDesktopHome(args[1]);
    if (args.size() == 5 && args[0] == "check")
        return Check(args[1], args[2], std::atoi(args[3].c_str()), args[4]);
    if (args.size() == 3 && args[0] == "share") {
        OriginalsWorld world(args[1]);
        world.SayYesToEverything();
        world.SetTarget(kSharedFolder);
        // Both programs start together, when the file "go" appears.
        while (!fs::exists(fs::path(args[1]) / "go"))
            std::this_thread::yield();
        MainState& state = world.model.state;
        for (int file = std::atoi(args[2].c_str()); file < kSharedFiles; file += 2) {
            state.SelectedLibrarySound = NativePath("自定义\\new.wav");
            state.SelectedTargetSound = SharedFile(file);
            M_replace89(world.model);
        }
        return 0;
    }
    if (args.size() != 4 || (args[0] != "run" && args[0] != "record"))
        return 2;
    OriginalsWorld world(args[1]);
    world.SayYesToEverything();
    if (args[0] == "record") {
        log = std::fopen(args[3].c_str(), "wb");
        SetDiskStepObserver(LogStep);
    } else {
        killAt = std::atoi(args[3].c_str());
        SetDiskStepObserver(CountStep);
    }
    if (!RunByName(world, args[2]))
        return 2;
    SetDiskStepObserver(nullptr);
    if (log)
        return std::fclose(log) == 0 ? 0 : 1;
    std::printf("%d\n", steps);
    return 0;
}

}  // namespace
}  // namespace sonatrix::testing

int main(int argc, char* argv[]) {
    return sonatrix::testing::Main(std::vector<std::string>(argv + 1, argv + argc));
}
