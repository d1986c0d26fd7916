// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_world.h"

#include "own_registry.h"

namespace sonatrix::testing {
namespace {

// A folder below the root, with its trailing separator; `create` makes it.
std::string FolderBelow(const TempDir& root, const char* name, bool create) {
    if (create)
        std::filesystem::create_directories(root.Path() / name);
    return (root.Path() / name).make_preferred().string() +
           std::string(1, std::filesystem::path::preferred_separator);
}

}  // namespace

TestWorld::TestWorld(const char* programFolder, const std::filesystem::path& existingRoot)
    : root(existingRoot.empty() ? TempDir() : TempDir(existingRoot)),
      appDir(FolderBelow(root, programFolder, true)),
      // Not made: the program makes it when it first keeps something there.
      dataDir(FolderBelow(root, "userdata", false)),
      files(MakeNativeFileSystem()),
      processes(MakeNativeProcessSource()),
      registry(MakeOwnRegistry(root.Path())),
      model(Services{*files, ownProcesses, *registry, dialogs, player, shell, decoder, progress},
            appDir, dataDir) {}

std::filesystem::path TestWorld::Put(const std::string& relative, const std::string& bytes) {
    auto path = At(relative);
    WriteFile(path, bytes);
    return path;
}

}  // namespace sonatrix::testing
