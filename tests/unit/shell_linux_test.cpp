// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/shell.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// No browser or mixer exists here: stand-in programs of those names, first
// on PATH, record how they were started. Each one waits for the test's go
// file before it records, so a caller that waited for it would be caught.
class ShellTest : public ::testing::Test {
  protected:
    ShellTest() : shell(MakeNativeShell()) {
        if (const char* path = std::getenv("PATH"))
            savedPath = path;
        fs::create_directories(bin());
    }
    ~ShellTest() override { ::setenv("PATH", savedPath.c_str(), 1); }

    fs::path bin() const { return tmp.Path() / "bin"; }
    fs::path record() const { return tmp.Path() / "record"; }
    fs::path go() const { return tmp.Path() / "go"; }

    void AddRecorder(const std::string& program) {
        const std::string script =
            "#!/bin/sh\n"
            "i=0\n"
            "while [ ! -e '" +
            go().string() +
            "' ] && [ $i -lt 300 ]; do /bin/sleep 0.1; i=$((i+1)); done\n"
            "{ printf '%s\\n' \"${0##*/}\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > "
            "'" +
            record().string() +
            ".part'\n"
            "/bin/mv '" +
            record().string() + ".part' '" + record().string() + "'\n";
        WriteFile(bin() / program, script);
        fs::permissions(bin() / program, fs::perms(0755));
    }
    void OnlyOurProgramsOnPath() { ::setenv("PATH", bin().c_str(), 1); }

    // What the stand-in recorded, once it has been let go.
    std::string Recorded() {
        WriteFile(go(), "");
        for (int i = 0; i < 500 && !fs::exists(record()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return ReadFile(record());
    }

    static bool NoChildLeft() {
        int status = 0;
        return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
    }

    TempDir tmp;
    std::string savedPath;
    std::unique_ptr<Shell> shell;
};

struct OpenRow {
    const char* name;
    bool browser;
    const char* argument;
};

class ShellOpen : public ShellTest, public ::testing::WithParamInterface<OpenRow> {};

TEST_P(ShellOpen, StartsXdgOpenWithTheArgumentAndDoesNotWait) {
    const OpenRow& row = GetParam();
    AddRecorder("xdg-open");
    OnlyOurProgramsOnPath();
    if (row.browser)
        shell->StartBrowser(row.argument);
    else
        shell->OpenWithDefaultHandler(row.argument);
    EXPECT_FALSE(fs::exists(record())) << "waited for the program";
    EXPECT_TRUE(NoChildLeft());
    EXPECT_EQ(Recorded(), std::string("xdg-open\n[") + row.argument + "]\n");
    EXPECT_FALSE(fs::exists(tmp.Path() / "pwned"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShellOpen,
    ::testing::Values(OpenRow{"Mail", false, "mailto:someone@example.com"},
                      OpenRow{"Address", true, "http://www.example.com/?a=1&b=2"},
                      OpenRow{"PageWithSpaces", true, "/opt/Sonatrix 2009/help.htm"},
                      OpenRow{"ShellCharactersStayText", true,
                              "it's \"$(touch pwned)\" `touch pwned`; touch pwned"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, RecordingSettingsPreferPavucontrolOnItsInputTab) {
    AddRecorder("pavucontrol");
    AddRecorder("gnome-control-center");
    OnlyOurProgramsOnPath();
    EXPECT_TRUE(shell->StartRecordingSourceSettings());
    EXPECT_TRUE(NoChildLeft());
    EXPECT_EQ(Recorded(), "pavucontrol\n[--tab=4]\n");
}

TEST_F(ShellTest, RecordingSettingsFallBackToGnomeSound) {
    AddRecorder("gnome-control-center");
    OnlyOurProgramsOnPath();
    EXPECT_TRUE(shell->StartRecordingSourceSettings());
    EXPECT_EQ(Recorded(), "gnome-control-center\n[sound]\n");
}

TEST_F(ShellTest, RecordingSettingsWithoutEitherProgramIsFalse) {
    // A file of the name that cannot be run does not count.
    WriteFile(bin() / "pavucontrol", "not a program");
    fs::permissions(bin() / "pavucontrol", fs::perms(0644));
    OnlyOurProgramsOnPath();
    EXPECT_FALSE(shell->StartRecordingSourceSettings());
    EXPECT_TRUE(NoChildLeft());
}

}  // namespace
}  // namespace sonatrix
