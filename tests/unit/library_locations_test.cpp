// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its shipped files and keeps the user's sounds:
// beside the executable when it runs from its own folder, split between
// the package's files and the user's data folder when installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/links.h"
#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "library/add_sounds.h"
#include "library/audio_capture.h"
#include "library/library_tree.h"
#include "library/recorder_logic.h"
#include "library/wav_header.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "platform/path_pieces.h"
#include "replace/library_preview.h"
#include "replace/single_replacement.h"
#include "replace/themes.h"
#include "standin_process.h"
#include "test_world.h"
#include "tree_node_queries.h"
#include "tree_snapshot.h"
#include "wav_files.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::PcmWav;
using testing::TestWorld;

std::string Sep() {
    return std::string(1, kSep);
}

using testing::Child;
using testing::Texts;

// --- The decision made at start ---------------------------------------------

struct LayoutRow {
    const char* name;
    const char* programFolder;  // the executable's folder below the root
    std::vector<const char*> files;
    bool withDataFolder;
    const char* expectedAppDir;  // below the root
    bool expectUserLibrary;
};

class ProgramFoldersDecision : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(ProgramFoldersDecision, FollowsTheLayoutAndWhetherTheFolderCanBeWritten) {
    const LayoutRow& row = GetParam();
    TestWorld world(row.programFolder);
    for (const char* file : row.files)
        world.Put(file);
    const std::string dataFolder = row.withDataFolder ? world.dataDir : "";

    const ProgramFolders folders = DecideProgramFolders(*world.files, world.appDir, dataFolder);

    EXPECT_EQ(folders.appDir, testing::NarrowPath(world.At(row.expectedAppDir)) + Sep());
    EXPECT_EQ(folders.userLibraryDir,
              row.expectUserLibrary ? world.dataDir + kLibraryFolderName + Sep() : "");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ProgramFoldersDecision,
    ::testing::Values(
        // The build folder, an unpacked archive: everything as it always was.
        LayoutRow{"writable_program_folder", "app", {"app/newsounds/x.wav"}, true, "app", false},
        // The Windows installer's folder, which its user may write: installed.
        LayoutRow{"installer_marker_in_a_writable_folder",
                  "app",
                  {"app/newsounds/x.wav", "app/installed.txt"},
                  true,
                  "app",
                  true},
        // A library missing from a writable folder is still the program's own
        // (adding then fails as it always did), not a reason to move out.
        LayoutRow{
            "writable_folder_without_library", "app", {"app/qqsounds/msg.wav"}, true, "app", false},
        // Laid out the Unix way: the package manager's files, even for root.
        LayoutRow{"unix_layout",
                  "stage/bin",
                  {"stage/share/sonatrix/newsounds/x.wav"},
                  true,
                  "stage/share/sonatrix",
                  true},
        LayoutRow{"unix_layout_without_data_folder",
                  "stage/bin",
                  {"stage/share/sonatrix/newsounds/x.wav"},
                  false,
                  "stage/share/sonatrix",
                  false},
        // A library beside the executable wins over one below the prefix.
        LayoutRow{"library_beside_the_executable_first",
                  "stage/bin",
                  {"stage/bin/newsounds/x.wav", "stage/share/sonatrix/newsounds/y.wav"},
                  true,
                  "stage/bin",
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- One library over the shipped and the user's folders ---------------------

// A program installed the Unix way below root/stage, started by the user
// whose data folder is root/userdata.
class InstalledLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        world.Put("stage/share/sonatrix/newsounds/自定义/.keep");
        world.Put("stage/share/sonatrix/newsounds/电话/PHONE7.WAV", "shipped phone");
        world.Put("stage/share/sonatrix/newsounds/x.wav", "shipped x");
        world.Put("stage/share/sonatrix/qqsounds/msg.wav", "default msg");
        world.Put("stage/share/sonatrix/help.htm", "<p>help</p>");
    }
    // Every file of the first theme in the package that is not there yet,
    // holding its own name.
    void ShipFirstTheme() {
        for (const std::string file : kPresetThemes[0].sources) {
            if (world.files->FileExists(Shipped(file)))
                continue;
            std::string slashed = file;
            std::replace(slashed.begin(), slashed.end(), '\\', '/');
            world.Put("stage/share/sonatrix/" + slashed, file);
        }
    }
    // A file of the package, named below its share folder with backslashes.
    std::string Shipped(const std::string& belowShare) {
        return testing::NarrowPath(world.At("stage/share/sonatrix")) + Sep() +
               NativePath(belowShare);
    }
    std::filesystem::path UserLibrary() { return world.At("userdata/newsounds"); }
    void PutOwn(const std::string& relative, const std::string& bytes) {
        world.Put("userdata/newsounds/" + relative, bytes);
    }
    void Start() {
        FormShow(world.model);
        ASSERT_EQ(world.dialogs.shown.size(), 1u) << "only the no-client message";
        world.dialogs.shown.clear();
    }
    const TreeNode& Root() { return world.model.libraryTree.Root(); }

    TestWorld world{"stage/bin"};
    MainState& state = world.model.state;
};

TEST_F(InstalledLibrary, TheTreeShowsBothAsOneAndTheUsersFileWins) {
    PutOwn("自定义/a.wav", "own a");
    PutOwn("电话/PHONE7.WAV", "own phone");
    PutOwn("我的录音/r.wav", "own recording");
    Start();

    EXPECT_EQ(state.AppDir, testing::NarrowPath(world.At("stage/share/sonatrix")) + Sep());
    // The shipped categories in their order, then the user's own.
    std::vector<std::string> topLevel = Texts(Root());
    ASSERT_EQ(topLevel.size(), 4u);
    EXPECT_EQ(topLevel.back(), "我的录音");
    ASSERT_NE(Child(Root(), "自定义"), nullptr);
    EXPECT_EQ(Texts(*Child(Root(), "自定义")), std::vector<std::string>{"a.wav"});
    // A name in both is one node.
    EXPECT_EQ(Texts(*Child(Root(), "电话")), std::vector<std::string>{"PHONE7.WAV"});
    EXPECT_EQ(state.LibrarySoundCount, 4);

    // The random pick walks the same four files, the user's phone among them.
    const auto walked = LibraryFilesInWalkOrder(*world.files, LibraryFolders(state));
    ASSERT_EQ(walked.size(), 4u);
    EXPECT_NE(std::find(walked.begin(), walked.end(),
                        testing::NarrowPath(UserLibrary() / "电话" / "PHONE7.WAV")),
              walked.end());
    EXPECT_EQ(std::find(walked.begin(), walked.end(), Shipped("newsounds\\电话\\PHONE7.WAV")),
              walked.end());

    // A click previews the user's file; the replacement copies it.
    TreeView1Click(world.model, Child(*Child(Root(), "电话"), "PHONE7.WAV"));
    EXPECT_EQ(state.SelectedLibrarySound, "电话" + Sep() + "PHONE7.WAV");
    ASSERT_EQ(world.player.played.size(), 1u);
    EXPECT_EQ(world.player.played[0], testing::NarrowPath(UserLibrary() / "电话" / "PHONE7.WAV"));

    world.Put("qq/sound/msg.wav", "old");
    state.TargetSoundDir = testing::NarrowPath(world.At("qq/sound")) + Sep();
    state.SelectedTargetSound = "msg.wav";
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);
    M_replace89(world.model);
    EXPECT_EQ(testing::ReadFile(world.At("qq/sound/msg.wav")), "own phone");
}

TEST_F(InstalledLibrary, ThemesReadTheUsersSoundFirstAndTheShippedOnesOtherwise) {
    // Row 6 of the first theme is the phone; the user has one of that name.
    PutOwn("电话/PHONE7.WAV", "own phone");
    ShipFirstTheme();
    Start();
    for (const char* name : kThemeDestinations)
        world.Put(std::string("qq/sound/") + name, "old");
    state.TargetSoundDir = testing::NarrowPath(world.At("qq/sound")) + Sep();

    SpeedButton5Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 1u) << world.dialogs.shown[0].text;
    EXPECT_EQ(world.dialogs.shown[0].text, "山村静夜－完成。");
    EXPECT_EQ(testing::ReadFile(world.At("qq/sound/call.wav")), "own phone");
    EXPECT_EQ(testing::ReadFile(world.At("qq/sound/msg.wav")), kPresetThemes[0].sources[0]);
}

TEST_F(InstalledLibrary, PagesAndMusicComeFromTheSharedFolder) {
    Start();
    Button1Click(world.model);
    ASSERT_EQ(world.shell.calls.size(), 1u);
    EXPECT_EQ(world.shell.calls[0].argument, Shipped("help.htm"));
    SpeedButton9Click(world.model);
    ASSERT_EQ(world.player.played.size(), 1u);
    EXPECT_EQ(world.player.played[0], Shipped(kIntroMusic));
}

TEST_F(InstalledLibrary, AddingMakesTheUsersLibraryAndLeavesThePackageAlone) {
    world.Put("mine/a.wav", PcmWav("a"));
    world.Put("mine/b.WAV", PcmWav("b"));
    Start();
    const auto package = testing::TakeSnapshot(world.At("stage"));
    ASSERT_FALSE(std::filesystem::exists(world.At("userdata")));

    world.dialogs.ThenText(testing::NarrowPath(world.At("mine")));
    SpeedButton12Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].text, kSoundsAdded);
    EXPECT_EQ(testing::ReadFile(UserLibrary() / "自定义" / "a.wav"), PcmWav("a"));
    EXPECT_EQ(testing::ReadFile(UserLibrary() / "自定义" / "b.WAV"), PcmWav("b"));
    EXPECT_EQ(testing::TakeSnapshot(world.At("stage")), package);
    // The rebuilt tree shows them in the shipped category of that name.
    const TreeNode* custom = Child(Root(), "自定义");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->Children().size(), 2u);
    EXPECT_NE(Child(Root(), "电话"), nullptr);
}

// Fails the test if the recorder starts capturing: the file should never
// have been made.
class CaptureNeverStarted : public AudioCapture {
  public:
    int Start(const std::string& file) override {
        ADD_FAILURE() << "capture started into " << file;
        return 1;
    }
    int Stop() override { return 0; }
    std::uint64_t BytesCaptured() const override { return 0; }
    void Suspend() override {}
    void Resume() override {}
};

class FixedClock : public LocalTimeText {
  public:
    std::string Now() override { return "2009-3-5 14:07:09"; }
};

TEST_F(InstalledLibrary, AUserFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
    // A file where the user's data folder should be.
    world.Put("userdata", "not a folder");
    world.Put("mine/a.wav", PcmWav("a"));
    Start();
    const auto everything = testing::TakeSnapshot(world.root.Path());

    world.dialogs.ThenText(testing::NarrowPath(world.At("mine")));
    SpeedButton12Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::AppError);
    EXPECT_NE(world.dialogs.shown[1].text.find(testing::NarrowPath(world.At("userdata"))),
              std::string::npos)
        << world.dialogs.shown[1].text;

    CaptureNeverStarted capture;
    FixedClock clock;
    RecorderLogic recorder(world.model, capture, clock);
    recorder.Button1Click();
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.dialogs.shown[2].text, kDeviceInitFailed);
    EXPECT_EQ(recorder.State(), RecorderState::Idle);

    EXPECT_EQ(testing::TakeSnapshot(world.root.Path()), everything);
}

// --- From a folder the program can write: the user's folder is never used ---

TEST(PortableLibrary, AddingWritesBesideTheExecutableAndNeverIntoTheUsersFolder) {
    TestWorld world;
    world.Put("app/newsounds/x.wav");
    world.Put("mine/a.wav", PcmWav("a"));
    FormShow(world.model);
    EXPECT_EQ(world.model.state.AppDir, world.appDir);
    EXPECT_TRUE(world.model.state.UserLibraryDir.empty());

    world.dialogs.ThenText(testing::NarrowPath(world.At("mine")));
    SpeedButton12Click(world.model);
    EXPECT_EQ(testing::ReadFile(world.At("app/newsounds/自定义/a.wav")), PcmWav("a"));
    EXPECT_FALSE(std::filesystem::exists(world.At("userdata")));
}

}  // namespace
}  // namespace sonatrix
