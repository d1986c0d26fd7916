// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "discovery/sound_folder.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::TempDir;
using testing::WriteFile;

class SoundFolderRule : public ::testing::Test {
  protected:
    // The executable's folder exists, as it does for a running program.
    void SetUp() override { std::filesystem::create_directories(root_.Path() / "QQ/Bin"); }

    // A client installation: <root>/QQ/Bin/<exe>, its markers placed by each test.
    std::string Exe(const std::string& name) { return Bin() + name; }
    std::string Bin() { return root_.Folder() + NativePath("QQ\\Bin\\"); }
    std::string Parent() { return root_.Folder() + NativePath("QQ\\Bin\\..\\"); }
    void Put(const std::string& relative) { WriteFile(root_.Path() / relative, "RIFF"); }

    std::optional<std::string> Resolve(const std::string& exe, std::int32_t mode,
                                       const std::string& wanted) {
        return ResolveSoundFolder(*files_, exe, mode, wanted);
    }

    TempDir root_;
    std::unique_ptr<FileSystem> files_ = MakeNativeFileSystem();
};

TEST_F(SoundFolderRule, ByNameGateIgnoresAsciiCaseOnly) {
    Put("QQ/Misc/sound/msg.wav");
    EXPECT_TRUE(Resolve(Exe("qq.exe"), ByNameQQ, "QQ.exe"));
    EXPECT_TRUE(Resolve(Exe("QQ.EXE"), ByNameQQ, "QQ.exe"));
    EXPECT_FALSE(Resolve(Exe("QQ2.exe"), ByNameQQ, "QQ.exe"));
}

TEST_F(SoundFolderRule, FirstProbeKeepsTheParentSegmentLiterally) {
    Put("QQ/Misc/sound/msg.wav");
    Put("QQ/Bin/TMsound/folder.wav");
    // Both markers exist: the one above the executable's folder wins.
    EXPECT_EQ(Resolve(Exe("QQ.exe"), ByNameQQ, "QQ.exe"), Parent() + NativePath("Misc\\sound\\"));
}

TEST_F(SoundFolderRule, TMMarkerGivesSoundForQQAndTMsoundForTM) {
    Put("QQ/Bin/TMsound/folder.wav");
    // For QQ the "sound\" folder is adopted without testing that it exists.
    EXPECT_EQ(Resolve(Exe("QQ.exe"), ByNameQQ, "QQ.exe"), Bin() + NativePath("sound\\"));
    EXPECT_EQ(Resolve(Exe("TM.exe"), ByNameQQ, "TM.exe"), Bin() + NativePath("TMsound\\"));
    EXPECT_EQ(Resolve(Exe("TM.exe"), ByNameTM, "TM.exe"), Bin() + NativePath("TMsound\\"));
}

TEST_F(SoundFolderRule, ClassicFolderIsTheThirdProbe) {
    Put("QQ/Misc/sound/Classic/msg.wav");
    EXPECT_EQ(Resolve(Exe("QQ.exe"), ByNameQQ, "QQ.exe"),
              Parent() + NativePath("Misc\\sound\\Classic\\"));
    EXPECT_EQ(Resolve(Exe("x.exe"), AnyExeTMLayout, "TM.exe"),
              Parent() + NativePath("Misc\\sound\\Classic\\"));
}

TEST_F(SoundFolderRule, MixedCaseFoldersOnDiskAreFound) {
    // The clients write "Misc\Sound\Classic\" in one place and "Misc\sound\" in another.
    Put("QQ/MISC/Sound/CLASSIC/MSG.WAV");
#ifdef _WIN32
    // Windows itself matches without regard to case: the name stays as asked.
    const char* onDisk = "Misc\\sound\\Classic\\";
#else
    // The adopted folder is named as it is on disk.
    const char* onDisk = "MISC\\Sound\\CLASSIC\\";
#endif
    EXPECT_EQ(Resolve(Exe("QQ.exe"), ByNameQQ, "QQ.exe"), Parent() + NativePath(onDisk));
}

TEST_F(SoundFolderRule, MsnAdoptsItsOwnFolderWithoutProbing) {
    EXPECT_EQ(Resolve(Exe("msnmsgr.exe"), ByNameMsn, "msnmsgr.exe"), Bin());
    EXPECT_FALSE(Resolve(Exe("msnmsgr2.exe"), ByNameMsn, "msnmsgr.exe"));
}

TEST_F(SoundFolderRule, NameBlindModesAdoptAnyExecutableWithTheirMarker) {
    Put("QQ/Bin/sound/folder.wav");
    Put("QQ/Bin/ring.wav");
    EXPECT_EQ(Resolve(Exe("anything.EXE"), AnyExeSoundFolder, "QQ.exe"),
              Bin() + NativePath("sound\\"));
    EXPECT_EQ(Resolve(Exe("other.exe"), AnyExeRingWav, "msnmsgr.exe"), Bin());
    // A library module never passes the name-blind gates.
    EXPECT_FALSE(Resolve(Exe("helper.dll"), AnyExeSoundFolder, "QQ.exe"));
    EXPECT_FALSE(Resolve(Exe("helper.dll"), AnyExeRingWav, "msnmsgr.exe"));
    EXPECT_FALSE(Resolve(Exe("exe"), AnyExeRingWav, "msnmsgr.exe"));
}

TEST_F(SoundFolderRule, ADllPassesByNameOnlyWithTheWantedName) {
    Put("QQ/Misc/sound/msg.wav");
    EXPECT_FALSE(Resolve(Exe("QQ.dll"), ByNameQQ, "QQ.exe"));
    EXPECT_TRUE(Resolve(Exe("QQ.dll"), ByNameQQ, "QQ.dll"));
}

TEST_F(SoundFolderRule, NoMarkerOrUnknownModeIsNoMatch) {
    EXPECT_FALSE(Resolve(Exe("QQ.exe"), ByNameQQ, "QQ.exe"));
    Put("QQ/Misc/sound/msg.wav");
    EXPECT_FALSE(Resolve(Exe("QQ.exe"), 3, "QQ.exe"));
    EXPECT_FALSE(Resolve(Exe("QQ.exe"), -1, "QQ.exe"));
    // A folder named like the marker is not a marker.
    std::filesystem::create_directories(root_.Path() / "QQ/Bin/sound/folder.wav");
    EXPECT_FALSE(Resolve(Exe("x.exe"), AnyExeSoundFolder, "QQ.exe"));
}

}  // namespace
}  // namespace sonatrix
