#include "test_world.h"

namespace sonatrix::testing {
namespace {

std::string AppFolderBelow(const TempDir& root) {
    std::filesystem::create_directories(root.Path() / "app");
    return (root.Path() / "app").string() +
           std::string(1, std::filesystem::path::preferred_separator);
}

}  // namespace

TestWorld::TestWorld()
    : appDir(AppFolderBelow(root)),
      files(MakeNativeFileSystem()),
      processes(MakeNativeProcessSource()),
      registry(MakeNativeRegistry()),
      model(Services{*files, ownProcesses, *registry, dialogs, player, shell}, appDir) {}

std::filesystem::path TestWorld::Put(const std::string& relative, const std::string& bytes) {
    auto path = At(relative);
    WriteFile(path, bytes);
    return path;
}

}  // namespace sonatrix::testing
