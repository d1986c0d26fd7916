// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "catalogue/catalogue.h"
#include "library/library_tree.h"
#include "platform/path_pieces.h"
#include "replace/library_preview.h"
#include "test_world.h"
#include "tree_node_queries.h"

namespace sonatrix {
namespace {

using testing::TestWorld;

// The names of `folder` in the order the file system lists them.
std::vector<std::string> ListingOrder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(testing::NarrowPath(entry.path().filename()));
    return names;
}

using testing::Child;
using testing::Texts;

class LibraryTree : public ::testing::Test {
  protected:
    void SetUp() override {
        world.SetAppDir();
        world.Put("app/newsounds/自定义/a.wav");
        world.Put("app/newsounds/自定义/b.txt");
        world.Put("app/newsounds/x.wav");
    }
    std::filesystem::path Library() { return world.At("app/newsounds"); }
    void Build() {
        world.model.state.LibrarySoundCount = 0;
        DirToTreeView(world.model, world.appDir + kLibraryFolderName, true,
                      world.model.libraryTree.Root());
    }
    const TreeNode& Root() { return world.model.libraryTree.Root(); }

    TestWorld world;
};

TEST_F(LibraryTree, NodesFollowTheListingAndEveryFileCounts) {
    Build();
    EXPECT_EQ(Texts(Root()), ListingOrder(Library()));
    const TreeNode* custom = Child(Root(), "自定义");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(Texts(*custom), ListingOrder(Library() / "自定义"));
    // b.txt counts too: the library is not filtered to ".wav".
    EXPECT_EQ(world.model.state.LibrarySoundCount, 3);
}

TEST_F(LibraryTree, DotEntriesAreNeverShownCountedOrPicked) {
    world.Put("app/newsounds/.svn/entries.wav");
    world.Put("app/newsounds/自定义/.hidden.wav");
    Build();
    EXPECT_EQ(Child(Root(), ".svn"), nullptr);
    EXPECT_EQ(Child(*Child(Root(), "自定义"), ".hidden.wav"), nullptr);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 3);
    const auto listed = LibraryFilesInWalkOrder(*world.files, world.appDir + kLibraryFolderName);
    EXPECT_EQ(listed.size(), 3u);
    for (const std::string& picked : listed)
        EXPECT_EQ(picked.find(std::string(1, kSep) + "."), std::string::npos) << picked;
}

TEST_F(LibraryTree, PickFollowsTheWalkOfTheTree) {
    Build();
    // File number N of the walk is the N-th file node of the build (this
    // library has no empty folders, so a node without children is a file).
    std::vector<std::string> fileNodes;
    std::function<void(const TreeNode&)> collect = [&](const TreeNode& node) {
        for (const auto& child : node.Children()) {
            if (child->HasChildren())
                collect(*child);
            else
                fileNodes.push_back(world.appDir + NativePath("newsounds\\") +
                                    LibraryRelativePath(*child));
        }
    };
    collect(Root());
    EXPECT_EQ(LibraryFilesInWalkOrder(*world.files, world.appDir + kLibraryFolderName), fileNodes);
    EXPECT_EQ(fileNodes.size(), 3u);
}

TEST_F(LibraryTree, RandomDrawsStayWithinTheCount) {
    Build();
    std::set<std::int32_t> drawn;
    for (int draw = 0; draw < 200; ++draw) {
        const std::int32_t n = DrawLibraryFileNumber(world.model);
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 3);
        drawn.insert(n);
    }
    EXPECT_EQ(drawn.size(), 3u) << "every file can be drawn";
    // With an empty count every draw asks for file 1.
    world.model.state.LibrarySoundCount = 0;
    EXPECT_EQ(DrawLibraryFileNumber(world.model), 1);
}

TEST_F(LibraryTree, RebuildsRecountAndSelectTheFirstNodeWithoutAClick) {
    unsigned seen = 0;
    struct View : MainView {
        unsigned* seen;
        void StateChanged(unsigned aspects) override { *seen |= aspects; }
    } view;
    view.seen = &seen;
    world.model.SetView(&view);
    world.model.state.SelectedLibrarySound = "earlier.wav";
    RebuildLibraryTree(world.model);
    RebuildLibraryTree(world.model);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 3);
    EXPECT_EQ(world.model.libraryTree.Count(), 4u);
    EXPECT_TRUE(seen & kAspectSelectFirstNode);
    EXPECT_TRUE(seen & kAspectLibraryTree);
    EXPECT_EQ(world.model.state.SelectedLibrarySound, "earlier.wav");
    EXPECT_TRUE(world.player.played.empty());
}

TEST_F(LibraryTree, TreeReachesTheWindowOnceWhenTheBatchCloses) {
    int notifications = 0;
    struct View : MainView {
        int* count;
        void StateChanged(unsigned aspects) override {
            if (aspects & kAspectLibraryTree)
                ++*count;
        }
    } view;
    view.count = &notifications;
    world.Put("app/newsounds/a/b/c/d.wav");
    world.model.SetView(&view);
    RebuildLibraryTree(world.model);
    EXPECT_EQ(notifications, 1);
}

TEST_F(LibraryTree, ClickBuildsThePathFromTheAncestorsAndPlaysOnlyFiles) {
    world.Put("app/newsounds/动物/鸟/深/Bird1.wav");
    std::filesystem::create_directories(Library() / "空");
    Build();
    const TreeNode* deep = Child(*Child(*Child(*Child(Root(), "动物"), "鸟"), "深"), "Bird1.wav");
    ASSERT_NE(deep, nullptr);
    TreeView1Click(world.model, deep);
    EXPECT_EQ(world.model.state.SelectedLibrarySound, NativePath("动物\\鸟\\深\\Bird1.wav"));
    ASSERT_EQ(world.player.played.size(), 1u);
    EXPECT_EQ(world.player.played[0],
              world.appDir + NativePath("newsounds\\动物\\鸟\\深\\Bird1.wav"));

    // An empty category has no children (the loudspeaker picture) and plays nothing.
    const TreeNode* empty = Child(Root(), "空");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(TreeImageIndex(empty->HasChildren(), false), 2);
    TreeView1Click(world.model, empty);
    EXPECT_EQ(world.model.state.SelectedLibrarySound, "空");
    EXPECT_EQ(world.player.played.size(), 1u);

    TreeView1Click(world.model, Child(Root(), "x.wav"));
    EXPECT_EQ(world.model.state.SelectedLibrarySound, "x.wav");
}

TEST_F(LibraryTree, AFileDeletedAfterTheBuildIsSelectedButNotPlayed) {
    Build();
    std::filesystem::remove(Library() / "x.wav");
    TreeView1Click(world.model, Child(Root(), "x.wav"));
    EXPECT_EQ(world.model.state.SelectedLibrarySound, "x.wav");
    EXPECT_TRUE(world.player.played.empty());
}

TEST_F(LibraryTree, MissingLibraryGivesAnEmptyTree) {
    std::filesystem::remove_all(Library());
    RebuildLibraryTree(world.model);
    EXPECT_EQ(world.model.libraryTree.First(), nullptr);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 0);
}

TEST_F(LibraryTree, NamesThatAreNotUtf8AreKeptAsBytes) {
    const std::string gbkName = "\xC4\xF1\xD3\xEF.wav";  // "鸟语" in GBK
    world.Put("app/newsounds/" + gbkName);
    Build();
    const TreeNode* node = Child(Root(), gbkName);
    ASSERT_NE(node, nullptr);
    TreeView1Click(world.model, node);
    EXPECT_EQ(world.model.state.SelectedLibrarySound, gbkName);
    ASSERT_EQ(world.player.played.size(), 1u);
    EXPECT_EQ(world.player.played[0], world.appDir + NativePath("newsounds\\") + gbkName);
}

TEST(TreeImages, PictureDependsOnChildrenAndExpansionOnly) {
    EXPECT_EQ(TreeImageIndex(true, false), 0);
    EXPECT_EQ(TreeImageIndex(true, true), 1);
    EXPECT_EQ(TreeImageIndex(false, false), 2);
    EXPECT_EQ(TreeImageIndex(false, true), 2);
}

}  // namespace
}  // namespace sonatrix
