// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "catalogue/catalogue.h"
#include "library/library_tree.h"
#include "model/tree_nodes.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/random_replacement.h"
#include "replace_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::ReplaceWorld;

const std::vector<std::string> kFive{"msg.wav", "ring.wav", "call.wav", "Global.wav", "system.wav"};

class RandomReplacement : public ::testing::Test {
  protected:
    void Count() { RebuildLibraryTree(world.model); }
    std::string LibraryFolder() { return world.appDir + kLibraryFolderName; }
    void ExpectCompletionLast() {
        const auto& done = world.dialogs.shown.back();
        EXPECT_EQ(done.form, DialogForm::MessageBox);
        EXPECT_EQ(done.text, "随机换音完成。");
        EXPECT_EQ(done.caption, "完成");
        EXPECT_EQ(done.buttons, mb::kOK);
    }

    ReplaceWorld world;
};

TEST_F(RandomReplacement, NoInTheFirstBoxTouchesNothingEvenWithAnEmptyList) {
    for (const bool empty : {false, true}) {
        world.dialogs.shown.clear();
        world.Library("自定义/a.wav");
        world.Target("QQ/sound", kFive);
        if (empty)
            world.model.state.TargetList.clear();
        Count();
        world.dialogs.ThenId(mb::kIdNo);
        Button3Click(world.model);
        ASSERT_EQ(world.dialogs.shown.size(), 1u);
        EXPECT_EQ(world.Shown(0).text, "是否随机换音？");
        EXPECT_EQ(world.Shown(0).caption, "询问");
        EXPECT_EQ(world.Shown(0).buttons, mb::kYesNo);
        for (const auto& name : kFive)
            EXPECT_EQ(world.Content("QQ/sound/" + name), ReplaceWorld::Old(name));
    }
}

struct NothingToReplaceRow {
    const char* name;
    bool emptyList;  // else: items listed, but no target folder
};

class NothingToReplace : public RandomReplacement,
                         public ::testing::WithParamInterface<NothingToReplaceRow> {};

TEST_P(NothingToReplace, OffersThePickerAndDoesNotResume) {
    world.Library("自定义/a.wav");
    Count();
    world.Target("QQ/sound", kFive);
    if (GetParam().emptyList)
        world.model.state.TargetList.clear();
    else
        world.model.state.TargetSoundDir.clear();
    world.dialogs.ThenId(mb::kIdYes).ThenId(mb::kIdYes).ThenText("");
    Button3Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.Shown(1).form, DialogForm::MessageBox);
    EXPECT_EQ(world.Shown(1).text, "当前没有可替换的声音，是否手工指定程序？");
    EXPECT_EQ(world.Shown(1).caption, "询问");
    EXPECT_EQ(world.Shown(1).buttons, mb::kYesNo);
    EXPECT_EQ(world.Shown(2).form, DialogForm::Picker);
    for (const auto& name : kFive)
        EXPECT_EQ(world.Content("QQ/sound/" + name), ReplaceWorld::Old(name));
}

INSTANTIATE_TEST_SUITE_P(Cases, NothingToReplace,
                         ::testing::Values(NothingToReplaceRow{"EmptyList", true},
                                           NothingToReplaceRow{"NoTargetFolder", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RandomReplacement, ALibraryOfOneFileGoesToEveryTarget) {
    world.Library("自定义/only.wav");
    Count();
    world.Target("QQ/sound", kFive);
    world.Put("QQ/sound/unlisted.wav", "untouched");
    world.dialogs.ThenId(mb::kIdYes);
    Button3Click(world.model);
    for (const auto& name : kFive)
        EXPECT_EQ(world.Content("QQ/sound/" + name), "library:自定义/only.wav") << name;
    EXPECT_EQ(world.Content("QQ/sound/unlisted.wav"), "untouched");
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    ExpectCompletionLast();
}

TEST_F(RandomReplacement, AnEmptyLibraryCopiesNothingAndStillSaysDone) {
    std::filesystem::create_directories(world.At("app/newsounds"));
    Count();
    ASSERT_EQ(world.model.state.LibrarySoundCount, 0);
    world.Target("QQ/sound", kFive);
    world.dialogs.ThenId(mb::kIdYes);
    Button3Click(world.model);
    for (const auto& name : kFive)
        EXPECT_EQ(world.Content("QQ/sound/" + name), ReplaceWorld::Old(name));
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    ExpectCompletionLast();
}

TEST_F(RandomReplacement, ATargetNeverReceivesAFileThatIsNotAWav) {
    world.Library("a.wav");
    world.Library("notes.txt");
    world.Library("cover.jpg");
    Count();
    world.Target("QQ/sound", kFive);
    for (int run = 0; run < 10; ++run) {
        world.dialogs.ThenId(mb::kIdYes);
        Button3Click(world.model);
        for (const auto& name : kFive) {
            const std::string content = world.Content("QQ/sound/" + name);
            EXPECT_TRUE(content == ReplaceWorld::Old(name) || content == "library:a.wav")
                << name << " holds " << content;
        }
    }
    // Over fifty draws a two-in-three miss is retried often enough to land.
    int replaced = 0;
    for (const auto& name : kFive)
        replaced += world.Content("QQ/sound/" + name) == "library:a.wav";
    EXPECT_EQ(replaced, 5);
}

TEST_F(RandomReplacement, FailedCopiesAreListedBeforeTheCompletion) {
    world.Library("自定义/a.wav");
    Count();
    world.Target("QQ/sound", {"msg.wav"});
    // Names a folder in the target, and a file in a folder that is gone.
    std::filesystem::create_directories(world.At("QQ/sound/dir.wav"));
    world.model.state.TargetList = {"dir.wav", "msg.wav", NativePath("gone\\ring.wav")};
    world.dialogs.ThenId(mb::kIdYes);
    Button3Click(world.model);

    const std::string source = world.At("app/newsounds/自定义/a.wav").string();
    const std::string target = world.FolderOf("QQ/sound");
    const int folderCode = world.files->CopyFile(source, target + "dir.wav");
    const int goneCode = world.files->CopyFile(source, target + NativePath("gone\\ring.wav"));
    ASSERT_NE(folderCode, 0);
    ASSERT_NE(goneCode, 0);

    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), "library:自定义/a.wav");
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    const auto& error = world.Shown(1);
    EXPECT_EQ(error.form, DialogForm::MessageDlg);
    EXPECT_EQ(error.caption, "Error");
    EXPECT_EQ(error.buttons, kDlgOK);
    EXPECT_EQ(error.text, "dir.wav" + SystemErrorText(folderCode) + "\n" +
                              NativePath("gone\\ring.wav") + SystemErrorText(goneCode));
    ExpectCompletionLast();
}

TEST_F(RandomReplacement, TheListedLibraryFollowsTheTreeWalk) {
    world.Library("自定义/a.wav");
    world.Library("自定义/b.txt");
    world.Library("动物/鸟/深/c.wav");
    world.Library("动物/.svn/d.wav");
    world.Library(".hidden.wav");
    world.Library("x.wav");
    std::filesystem::create_directories(world.At("app/newsounds/空"));
    const auto listed = LibraryFilesInWalkOrder(*world.files, LibraryFolder());
    // The tree's file nodes, in the order the tree was filled.
    DirToTreeView(world.model, LibraryFolder(), true, world.model.libraryTree.Root());
    std::vector<std::string> fromTree;
    std::function<void(const TreeNode&, const std::string&)> collect =
        [&](const TreeNode& node, const std::string& folder) {
            for (const auto& child : node.Children()) {
                const std::string path = folder + kSep + child->Text();
                if (std::filesystem::is_directory(path))
                    collect(*child, path);
                else
                    fromTree.push_back(path);
            }
        };
    collect(world.model.libraryTree.Root(), LibraryFolder());
    EXPECT_EQ(listed, fromTree);
    EXPECT_EQ(listed.size(), 4u);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 4);
}

}  // namespace
}  // namespace sonatrix
