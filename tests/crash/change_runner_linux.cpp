// SPDX-License-Identifier: GPL-3.0-or-later
// A test-only program over the real files, on a world the crash tests lay
// out (never shipped):
//   change_runner run <root> <command> <k>   runs the command and, for k > 0,
//       stops itself with SIGKILL after the k-th step that changes the disk;
//       for k = 0 prints how many steps the whole command took.
//   change_runner share <root> <first>        replaces every second file of
//       the shared folder from the `first`, once the file <root>/go appears.
//   change_runner check <root> [desktop]      starts as the program starts
//       and checks that nothing was lost in the client's folder (or the
//       desktop's sounds); prints what was, exit status 1.
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

void CountStep(const DiskStep& step) {
    if (step.Changes() && ++steps == killAt)
        ::raise(SIGKILL);
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

int Check(const fs::path& root, bool desktop) {
    std::vector<std::string> failures;
    const Written written = desktop ? DesktopFiles : ClientFiles;
    const TreeSnapshot first = written(OriginalsWorld());
    OriginalsWorld world(root);
    world.SayYesToEverything();
    RemoveCrashLeftovers(world.model);
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
    if ((args.size() == 2 || args.size() == 3) && args[0] == "check")
        return Check(args[1], args.size() == 3 && args[2] == "desktop");
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
    if (args.size() != 4 || args[0] != "run")
        return 2;
    OriginalsWorld world(args[1]);
    world.SayYesToEverything();
    killAt = std::atoi(args[3].c_str());
    SetDiskStepObserver(CountStep);
    if (!RunByName(world, args[2]))
        return 2;
    SetDiskStepObserver(nullptr);
    std::printf("%d\n", steps);
    return 0;
}

}  // namespace
}  // namespace sonatrix::testing

int main(int argc, char* argv[]) {
    return sonatrix::testing::Main(std::vector<std::string>(argv + 1, argv + argc));
}
