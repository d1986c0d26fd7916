// SPDX-License-Identifier: GPL-3.0-or-later
// Every command that writes, against the ways a user's disk can refuse: the
// user is told with the command's own words, the file written holds its old
// bytes or the new ones, and nothing else in the whole tree changes (no
// temporary file left, nothing deleted).
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "library/add_sounds.h"
#include "library/wav_header.h"
#include "model/dialogs.h"
#include "mounts.h"
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/random_replacement.h"
#include "replace/restore.h"
#include "replace/single_replacement.h"
#include "replace/themes.h"
#include "target_world.h"
#include "tree_snapshot.h"
#include "wav_files.h"

namespace sonatrix {
namespace {

// The user's data folder, where the program keeps what it replaced.
const std::string kStore = "userdata";

namespace fs = std::filesystem;
using testing::DialogForm;
using testing::PcmWav;
using testing::ReadFile;
using testing::ScopedMount;
using testing::TakeSnapshot;
using Snapshot = testing::TreeSnapshot;

// Larger than the small disk, so that a copy onto it runs out of room
// part-way through.
constexpr std::size_t kSmallDisk = 32 * 1024;
std::string NewBytes(const std::string& name) {
    return std::string(64 * 1024, 'N') + name;
}

// What "添加声音" copies as it is: a PCM WAV.
std::string NewWav(const std::string& name) {
    return PcmWav(NewBytes(name));
}

enum class Fault {
    None,
    SourceMissing,
    DestinationFolderMissing,
    DestinationIsAFolder,
    DestinationReadOnly,
    DiskFull,
};

enum class Command { Single, Theme, Random, AddSounds, RestoreQQ, CopyToTM };

constexpr const char* kClient = "client/sound";
constexpr const char* kCustom = "app/newsounds/自定义";
constexpr const char* kAddSource = "incoming";
constexpr const char* kTMSound = "client/TMsound";
constexpr const char* kQQSound = "qq/sound";

// A main window over the real files, with a registry the test fills so that
// the restore commands find their client through it.
struct World {
    testing::TargetWorld target;
    testing::TestWorld& base = target.base;
    MainModel& model = target.model;
    testing::ScriptedDialogs& dialogs = target.dialogs;

    fs::path At(const std::string& relative) const { return base.At(relative); }
    void Put(const std::string& relative, const std::string& bytes) { base.Put(relative, bytes); }
    // A folder whose files hold "old:<name>".
    void Folder(const std::string& relative, const std::vector<std::string>& names) {
        fs::create_directories(At(relative));
        for (const std::string& name : names)
            Put(relative + "/" + name, "old:" + name);
    }
};

// A dialog as the user should see it; an empty caption or text is not compared.
struct Shown {
    DialogForm form;
    std::string caption;
    std::string text;
};

// How one command is laid out, run and expected to report.
struct Plan {
    std::string folder;                        // the destination folder, below the root
    std::vector<std::string> written;          // the files it writes there
    std::map<std::string, std::string> fresh;  // written file -> the bytes it should get
    std::vector<std::string> sources;          // below the root
};

class WriteFaults : public ::testing::TestWithParam<std::tuple<Command, Fault>> {
  protected:
    Command command() const { return std::get<0>(GetParam()); }
    Fault fault() const { return std::get<1>(GetParam()); }

    void SetUp() override {
        // Adding never writes over a name in use, a folder's included: the
        // sound takes the next free name (add_sounds_test).
        if (command() == Command::AddSounds && fault() == Fault::DestinationIsAFolder)
            GTEST_SKIP() << "adding takes the next free name instead";
        if ((fault() == Fault::DestinationReadOnly || fault() == Fault::DiskFull) &&
            !ScopedMount::Available())
            GTEST_SKIP() << "mounting is not permitted here";
        plan_ = Layout();
        Break();
    }

    // The library, the client and, for adding, the folder chosen.
    Plan Layout() {
        Plan plan;
        switch (command()) {
            case Command::Single:
                world.Put("app/newsounds/自定义/new.wav", NewBytes("new"));
                plan = {kClient,
                        {"msg.wav"},
                        {{"msg.wav", NewBytes("new")}},
                        {"app/newsounds/自定义/new.wav"}};
                world.model.state.TargetSoundDir = world.target.Dir(kClient);
                world.model.state.SelectedLibrarySound = NativePath("自定义\\new.wav");
                world.model.state.SelectedTargetSound = "msg.wav";
                break;
            case Command::Theme: {
                plan.folder = kClient;
                const PresetTheme& theme = kPresetThemes[0];
                for (std::size_t row = 0; row < kThemeRows; ++row) {
                    const std::string source = NativePath(theme.sources[row]);
                    world.Put("app/" + source, NewBytes(source));
                    plan.written.push_back(kThemeDestinations[row]);
                    plan.fresh[kThemeDestinations[row]] = NewBytes(source);
                    plan.sources.push_back("app/" + source);
                }
                world.model.state.TargetSoundDir = world.target.Dir(kClient);
                break;
            }
            case Command::Random:
                world.Put("app/newsounds/自定义/new.wav", NewBytes("new"));
                world.model.state.LibrarySoundCount = 1;
                world.model.state.TargetSoundDir = world.target.Dir(kClient);
                world.model.state.TargetList = {"msg.wav"};
                plan = {kClient,
                        {"msg.wav"},
                        {{"msg.wav", NewBytes("new")}},
                        {"app/newsounds/自定义/new.wav"}};
                break;
            case Command::AddSounds:
                world.Put("app/newsounds/动物/dog.wav", "dog");
                world.Put(std::string(kAddSource) + "/new.wav", NewWav("new"));
                // The library's own new.wav stays: the sound takes the next name.
                plan = {kCustom,
                        {"new-2.wav"},
                        {{"new-2.wav", NewWav("new")}},
                        {std::string(kAddSource) + "/new.wav"}};
                break;
            case Command::RestoreQQ:
                plan.folder = kClient;
                for (const char* name : kQQBackupFiles) {
                    const std::string source = "app/qqsounds/" + std::string(name);
                    world.Put(source, NewBytes(source));
                    plan.written.push_back(name);
                    plan.fresh[name] = NewBytes(source);
                    plan.sources.push_back(source);
                }
                world.target.registry.Set(kQQRegistry.key, kQQRegistry.value,
                                          testing::StringValue(world.target.Dir("client")));
                break;
            case Command::CopyToTM:
                plan.folder = kTMSound;
                for (const char* name : kCopyToTMFiles) {
                    const std::string source = std::string(kQQSound) + "/" + name;
                    world.Put(source, NewBytes(source));
                    plan.written.push_back(name);
                    plan.fresh[name] = NewBytes(source);
                    plan.sources.push_back(source);
                }
                world.model.state.TargetSoundDir = world.target.Dir(kQQSound);
                world.model.state.TargetStatusText = world.target.Path("client/QQ.exe");
                break;
        }
        std::vector<std::string> names = plan.written;
        if (command() != Command::AddSounds)
            names.push_back("online.wav");  // a sound no command here writes
        else
            names = {"new.wav"};
        world.Folder(plan.folder, names);
        return plan;
    }

    fs::path Folder() const { return world.At(plan_.folder); }

    void Break() {
        switch (fault()) {
            case Fault::None:
                break;
            case Fault::SourceMissing:
                // A library entry that names nothing: listed, but not readable.
                for (const std::string& source : plan_.sources) {
                    fs::remove(world.At(source));
                    fs::create_symlink("gone.wav", world.At(source));
                }
                break;
            case Fault::DestinationFolderMissing:
                fs::remove_all(command() == Command::AddSounds ? world.At("app/newsounds")
                                                               : Folder());
                break;
            case Fault::DestinationIsAFolder:
                fs::remove(Folder() / plan_.written[0]);
                fs::create_directory(Folder() / plan_.written[0]);
                world.Put(plan_.folder + "/" + plan_.written[0] + "/inside", "kept");
                break;
            case Fault::DestinationReadOnly:
                mount_.emplace(ScopedMount::ReadOnly(Folder()));
                ASSERT_TRUE(mount_->Mounted());
                break;
            case Fault::DiskFull: {
                const Snapshot old = TakeSnapshot(Folder());
                mount_.emplace(ScopedMount::SmallDisk(Folder(), kSmallDisk));
                ASSERT_TRUE(mount_->Mounted());
                for (const auto& [name, bytes] : old)
                    world.Put(plan_.folder + "/" + name, bytes);
                break;
            }
        }
    }

    // The system's code for the fault, as the copy meets it.
    int Code() const {
        switch (fault()) {
            case Fault::None:
                return 0;
            case Fault::SourceMissing:
            case Fault::DestinationFolderMissing:
                return ENOENT;
            case Fault::DestinationIsAFolder:
                return EISDIR;
            case Fault::DestinationReadOnly:
                return EROFS;
            case Fault::DiskFull:
                return ENOSPC;
        }
        return 0;
    }

    // Which written files the fault stops: the one turned into a folder, or all.
    std::vector<std::string> Failing() const {
        if (fault() == Fault::None)
            return {};
        if (fault() == Fault::DestinationIsAFolder)
            return {plan_.written[0]};
        return plan_.written;
    }

    void Run() {
        switch (command()) {
            case Command::Single:
                world.dialogs.ThenResult(DlgResult::OK);
                if (Failing().empty())  // the follow-up question comes after a copy only
                    world.dialogs.ThenId(mb::kIdOK);
                M_replace89(world.model);
                break;
            case Command::Theme:
                ApplyPresetTheme(world.model, kPresetThemes[0]);
                break;
            case Command::Random:
                world.dialogs.ThenId(mb::kIdYes);
                Button3Click(world.model);
                break;
            case Command::AddSounds:
                world.dialogs.ThenText(world.At(kAddSource).string());
                SpeedButton12Click(world.model);
                break;
            case Command::RestoreQQ:
                SpeedButton4Click(world.model);
                break;
            case Command::CopyToTM:
                SpeedButton13Click(world.model);
                break;
        }
    }

    // The dialogs the user should see, in order.
    std::vector<Shown> Expected() const {
        const std::string text = SystemErrorText(Code());
        const std::vector<std::string> failing = Failing();
        std::vector<Shown> shown;
        switch (command()) {
            case Command::Single:
                shown.push_back({DialogForm::MessageDlg, "Confirm", ""});
                if (failing.empty())
                    shown.push_back({DialogForm::MessageBox, "ok", ""});
                else
                    shown.push_back(
                        {DialogForm::MessageDlg, "Error", text});  // the system's text alone
                break;
            case Command::Theme:
                for (const std::string& name : failing)
                    shown.push_back({DialogForm::MessageDlg, "Error", name + text});
                shown.push_back({DialogForm::MessageDlg, "Information", "山村静夜－完成。"});
                break;
            case Command::Random:
                shown.push_back({DialogForm::MessageBox, "询问", "是否随机换音？"});
                if (!failing.empty())
                    shown.push_back({DialogForm::MessageDlg, "Error", failing[0] + text});
                shown.push_back({DialogForm::MessageBox, "完成", "随机换音完成。"});
                break;
            case Command::AddSounds: {
                shown.push_back({DialogForm::BrowseForFolder, "", kChooseWavFolderTitle});
                if (fault() == Fault::DestinationFolderMissing) {
                    const std::string category =
                        world.base.appDir + NativePath("newsounds\\自定义");
                    shown.push_back(
                        {DialogForm::AppError, "",
                         AppErrorText("Cannot create folder " + category + ": " + text)});
                    break;
                }
                if (!failing.empty())
                    shown.push_back({DialogForm::MessageDlg, "Error",
                                     "以下声音文件没有添加成功：\nnew.wav：" + text});
                shown.push_back({DialogForm::PlainMessage, "", kSoundsAdded});
                break;
            }
            case Command::RestoreQQ:
            case Command::CopyToTM:
                for (const std::string& name : failing)
                    shown.push_back({DialogForm::MessageDlg, "Error", name + text});
                shown.push_back({DialogForm::MessageDlg, "Information",
                                 command() == Command::RestoreQQ ? "已还原。" : "复制完毕。"});
                break;
        }
        return shown;
    }

    World world;
    Plan plan_;
    std::optional<ScopedMount> mount_;  // gone before the world's folder is
};

TEST_P(WriteFaults, TheUserIsToldAndNoFileIsLostOrHalfWritten) {
    const Snapshot before = TakeSnapshot(world.base.root.Path(), kStore);
    Run();

    // Told, in the command's words, and a failure is never called a success.
    const auto expected = Expected();
    ASSERT_EQ(world.dialogs.shown.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& shown = world.dialogs.shown[i];
        EXPECT_EQ(shown.form, expected[i].form) << "dialog " << i << ": " << shown.text;
        if (!expected[i].caption.empty()) {
            EXPECT_EQ(shown.caption, expected[i].caption) << "dialog " << i;
        }
        if (!expected[i].text.empty()) {
            EXPECT_EQ(shown.text, expected[i].text) << "dialog " << i;
        }
    }

    // Every written file holds the new bytes or its old ones, and nothing
    // else below the root changed, appeared or went away.
    Snapshot wanted = before;
    const std::vector<std::string> failing = Failing();
    for (const std::string& name : plan_.written) {
        if (std::find(failing.begin(), failing.end(), name) == failing.end())
            wanted[(fs::path(plan_.folder) / name).string()] = plan_.fresh.at(name);
    }
    const Snapshot after = TakeSnapshot(world.base.root.Path(), kStore);
    for (const auto& [name, bytes] : after) {
        const auto old = wanted.find(name);
        ASSERT_NE(old, wanted.end()) << name << " appeared";
        EXPECT_TRUE(old->second == bytes)
            << name << " holds " << bytes.size() << " bytes, not " << old->second.size();
    }
    for (const auto& [name, bytes] : wanted)
        EXPECT_TRUE(after.contains(name)) << name << " went away";

    // The journal and the originals name what was written into a client's
    // folder, and nothing when nothing was (the library is no client's
    // folder): a file that failed gets no original.
    const OriginalsStore store(*world.base.files, world.base.dataDir);
    std::vector<std::string> journaled, recorded, written;
    for (const JournalEntry& entry : ReadJournal(store))
        for (const FileChange& change : entry.files)
            journaled.push_back(change.name);
    std::vector<FolderOriginals> every;
    ASSERT_EQ(store.ReadEveryOriginal(every), 0);
    for (const FolderOriginals& originals : every)
        for (const FolderOriginals::Original& original : originals.files)
            recorded.push_back(original.name);
    for (const std::string& name : plan_.written) {
        if (command() != Command::AddSounds &&
            std::find(failing.begin(), failing.end(), name) == failing.end())
            written.push_back(name);
    }
    EXPECT_EQ(journaled, written);
    EXPECT_EQ(recorded, written);
}

std::string CommandName(Command command) {
    switch (command) {
        case Command::Single:
            return "Single";
        case Command::Theme:
            return "Theme";
        case Command::Random:
            return "Random";
        case Command::AddSounds:
            return "AddSounds";
        case Command::RestoreQQ:
            return "RestoreQQ";
        case Command::CopyToTM:
            return "CopyToTM";
    }
    return "";
}

std::string FaultName(Fault fault) {
    switch (fault) {
        case Fault::None:
            return "Succeeds";
        case Fault::SourceMissing:
            return "SourceMissing";
        case Fault::DestinationFolderMissing:
            return "DestinationFolderMissing";
        case Fault::DestinationIsAFolder:
            return "DestinationIsAFolder";
        case Fault::DestinationReadOnly:
            return "DestinationReadOnly";
        case Fault::DiskFull:
            return "DiskFull";
    }
    return "";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, WriteFaults,
    ::testing::Combine(::testing::Values(Command::Single, Command::Theme, Command::Random,
                                         Command::AddSounds, Command::RestoreQQ, Command::CopyToTM),
                       ::testing::Values(Fault::None, Fault::SourceMissing,
                                         Fault::DestinationFolderMissing,
                                         Fault::DestinationIsAFolder, Fault::DestinationReadOnly,
                                         Fault::DiskFull)),
    [](const auto& info) {
        return CommandName(std::get<0>(info.param)) + "_" + FaultName(std::get<1>(info.param));
    });

}  // namespace
}  // namespace sonatrix
