#include <gtest/gtest.h>

#include <filesystem>

#include "library/add_sounds.h"
#include "library/library_tree.h"
#include "platform/path_pieces.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::ReadFile;
using testing::TestWorld;

class AddSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        world.SetAppDir();
        std::filesystem::create_directories(world.At("app/newsounds"));
    }
    // Answers the folder browser with `folder` (without a trailing separator).
    void Browse(const std::filesystem::path& folder) {
        world.dialogs.ThenText(testing::NarrowPath(folder));
    }
    std::filesystem::path Custom() { return world.At("app/newsounds/自定义"); }

    TestWorld world;
};

TEST_F(AddSounds, CopiesEveryWavWhateverTheCaseAndCreatesTheCategory) {
    world.Put("source/a.wav", "first");
    world.Put("source/b.WAV", "second");
    world.Put("source/notes.txt", "not a sound");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);

    EXPECT_EQ(ReadFile(Custom() / "a.wav"), "first");
    EXPECT_EQ(ReadFile(Custom() / "b.WAV"), "second");
    EXPECT_FALSE(std::filesystem::exists(Custom() / "notes.txt"));
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::BrowseForFolder);
    EXPECT_EQ(world.dialogs.shown[0].text, "选择一个包含有WAV格式声音文件的目录");
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::PlainMessage);
    EXPECT_EQ(world.dialogs.shown[1].text, "声音添加完成。");
    // The tree was rebuilt and shows the new category with both files.
    const TreeNode* first = world.model.libraryTree.First();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text(), "自定义");
    EXPECT_EQ(first->Children().size(), 2u);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 2);
}

TEST_F(AddSounds, ReplacesALibraryFileOfTheSameNameWithoutAsking) {
    world.Put("app/newsounds/自定义/a.wav", "old");
    world.Put("source/a.wav", "new");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    EXPECT_EQ(ReadFile(Custom() / "a.wav"), "new");
    EXPECT_EQ(world.dialogs.shown.back().text, "声音添加完成。");
}

TEST_F(AddSounds, WavFilesOnlyInSubFoldersGiveTheWarning) {
    world.Put("source/deeper/a.wav");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::MessageDlg);
    EXPECT_EQ(world.dialogs.shown[1].caption, "Warning");
    EXPECT_EQ(world.dialogs.shown[1].text,
              "您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。");
    EXPECT_FALSE(std::filesystem::exists(Custom()));
}

TEST_F(AddSounds, CancelledBrowserDoesNothing) {
    world.dialogs.ThenText(std::nullopt);
    SpeedButton12Click(world.model);
    EXPECT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(Custom()));
}

TEST_F(AddSounds, AddingTheCategoryToItselfChangesNothing) {
    world.Put("app/newsounds/自定义/a.wav", "same");
    Browse(Custom());
    SpeedButton12Click(world.model);
    EXPECT_EQ(ReadFile(Custom() / "a.wav"), "same");
    EXPECT_EQ(world.dialogs.shown.back().text, "声音添加完成。");
}

TEST_F(AddSounds, HiddenWavIsCopiedButNotShown) {
    world.Put("source/.quiet.wav", "hidden");
    world.Put("source/loud.wav", "shown");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    EXPECT_EQ(ReadFile(Custom() / ".quiet.wav"), "hidden");
    EXPECT_EQ(world.model.state.LibrarySoundCount, 1);
}

TEST_F(AddSounds, MissingLibraryEndsWithTheStandardErrorBox) {
    std::filesystem::remove_all(world.At("app/newsounds"));
    world.Put("source/a.wav");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::AppError);
    EXPECT_NE(world.dialogs.shown[1].text.find(NativePath("newsounds\\自定义")), std::string::npos);
    EXPECT_EQ(world.dialogs.shown[1].text.back(), '.');
    EXPECT_FALSE(std::filesystem::exists(world.At("app/newsounds")));
    EXPECT_EQ(world.model.libraryTree.First(), nullptr);
}

TEST_F(AddSounds, NonUtf8NamesAreCopiedByteForByte) {
    const std::string gbkName = "\xC4\xF1\xD3\xEF.wav";
    world.Put("source/" + gbkName, "gbk");
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    EXPECT_EQ(ReadFile(Custom() / gbkName), "gbk");
    EXPECT_EQ(world.model.libraryTree.First()->Children().front()->Text(), gbkName);
}

TEST_F(AddSounds, AFailedCopyIsReportedBeforeTheCompletion) {
    world.Put("source/good.wav", "ok");
    // A sub-folder whose name matches the pattern is listed but cannot be copied.
    std::filesystem::create_directories(world.At("source/folder.wav"));
    Browse(world.At("source"));
    SpeedButton12Click(world.model);
    EXPECT_EQ(ReadFile(Custom() / "good.wav"), "ok");
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.dialogs.shown[1].caption, "Error");
    EXPECT_NE(world.dialogs.shown[1].text.find("folder.wav"), std::string::npos);
    EXPECT_EQ(world.dialogs.shown[1].text.find("good.wav"), std::string::npos);
    EXPECT_EQ(world.dialogs.shown[2].text, "声音添加完成。");
    EXPECT_FALSE(std::filesystem::exists(Custom() / "folder.wav"));
}

}  // namespace
}  // namespace sonatrix
