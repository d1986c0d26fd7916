// SPDX-License-Identifier: GPL-3.0-or-later
// sonatrix.exe started from a copy of the program folder, with nothing of the
// build's Qt reachable, on the desktop platform (under Wine's display driver
// for no display): it reaches its first show, beside a running QQ and
// without one, and its sound module loads from the copy. Both builds: the
// Debug one the tests use and the release one the downloads ship (its
// folder named by SONATRIX_RELEASE_PROGRAM_FOLDER, which
// scripts/test-windows.sh sets).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "running_program.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

struct FolderRow {
    const char* name;
    std::optional<std::filesystem::path> (*folder)();
};

class ProgramFolderTest : public ::testing::TestWithParam<FolderRow> {
  protected:
    void SetUp() override {
        const auto original = GetParam().folder();
        if (!original)
            GTEST_SKIP() << "SONATRIX_RELEASE_PROGRAM_FOLDER is not set: scripts/test-windows.sh "
                            "builds the release folder and names it";
        // The copy leaves the build folder and its Qt behind: whatever the
        // program needs must be in the folder itself.
        std::filesystem::copy(*original, folder, std::filesystem::copy_options::recursive);
    }

    TempDir dir;
    std::filesystem::path folder = dir.Path() / "Sonatrix";
};

TEST_P(ProgramFolderTest, ShowsItsWindowBesideARunningQQ) {
    StandInProcess client(LayOutQQ(dir.Path(), folder));

    RunningProgram program(folder / "sonatrix.exe");
    EXPECT_TRUE(program.WaitForWindows(MainWindowUsable)) << "the main window never came up usable";
    EXPECT_FALSE(program.Ended());
}

TEST_P(ProgramFolderTest, SaysSoWhenNoQQRuns) {
    RunningProgram program(folder / "sonatrix.exe");
    // The first show's message that no QQ runs, a window of its own in front
    // of the main window, which waits for it.
    EXPECT_TRUE(program.WaitForWindows([](const std::vector<TopWindow>& windows) {
        bool message = false;
        for (const TopWindow& window : windows)
            message = message ||
                      (!window.IsMainWindow() && window.visible && window.title == L"Sonatrix2009");
        return message && !MainWindowUsable(windows);
    })) << "no message that QQ does not run";
    EXPECT_FALSE(program.Ended());
}

// The program loads its sound module at the first sound, and sonatrix.exe
// itself imports nothing of Qt Multimedia: the folder must still hold
// every DLL the module imports.
TEST_P(ProgramFolderTest, ItsSoundModuleLoadsFromTheFolderAlone) {
    const std::filesystem::path module = folder / "sonatrix-sound.dll";
    ASSERT_TRUE(std::filesystem::is_regular_file(module));
    // The module's own folder is searched first for what it imports.
    const HMODULE loaded =
        LoadLibraryExW(module.wstring().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(loaded, nullptr) << "error " << GetLastError();
    EXPECT_NE(GetProcAddress(loaded, "qt_plugin_instance"), nullptr) << "no Qt plugin";
    FreeLibrary(loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, ProgramFolderTest,
    ::testing::Values(FolderRow{"Debug",
                                [] {
                                    return std::optional<std::filesystem::path>(
                                        FromBuildPath(SONATRIX_PROGRAM_FOLDER));
                                }},
                      FolderRow{
                          "Release",
                          [] { return FolderFromEnvironment("SONATRIX_RELEASE_PROGRAM_FOLDER"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
