// SPDX-License-Identifier: GPL-3.0-or-later
// A client with QQ's and MSN Messenger's sounds, a TM sound folder beside it
// and a QQ account's settings file, the program folder with the library and
// both backup sets, and every command that writes into a client's folder,
// run the way the user runs it: what the store of originals is tested on.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "library/library_tree.h"
#include "model/dialogs.h"
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "originals/undo_plan.h"
#include "platform/path_pieces.h"
#include "platform/sha256.h"
#include "replace/config_db_repair.h"
#include "replace/random_replacement.h"
#include "replace/restore.h"
#include "replace/restore_originals.h"
#include "replace/single_replacement.h"
#include "replace/themes.h"
#include "replace/undo_last_change.h"
#include "target_world.h"
#include "tree_snapshot.h"

namespace sonatrix::testing {

enum class WriteCommand {
    Single,
    Theme,
    Random,
    RestoreQQ,
    RestoreMsn,
    QQUsesMsn,
    MsnUsesQQ,
    CopyToTM,
    ResetConfigDb,
};

inline constexpr const char* kClientSound = "client/sound";
inline constexpr const char* kClientTM = "client/TMsound";
inline constexpr const char* kAccountFolder = "client/12345";

struct CommandCase {
    const char* name;
    WriteCommand command;
    const char* caption;  // the journal's name for it
    const char* folder;   // the folder it writes into, below the root
};

inline const std::vector<CommandCase>& EveryWriteCommand() {
    static const std::vector<CommandCase> cases = {
        {"Single", WriteCommand::Single, "换音", kClientSound},
        {"Theme", WriteCommand::Theme, "山村静夜", kClientSound},
        {"Random", WriteCommand::Random, "随机换音", kClientSound},
        {"RestoreQQ", WriteCommand::RestoreQQ, "还原QQ默认声音", kClientSound},
        {"RestoreMsn", WriteCommand::RestoreMsn, "还原默认MSN声音", kClientSound},
        {"QQUsesMsn", WriteCommand::QQUsesMsn, "QQ使用MSN声音", kClientSound},
        {"MsnUsesQQ", WriteCommand::MsnUsesQQ, "MSN使用QQ声音", kClientSound},
        {"CopyToTM", WriteCommand::CopyToTM, "复制声音到TM", kClientTM},
        {"ResetConfigDb", WriteCommand::ResetConfigDb, "重置config文件", kAccountFolder},
    };
    return cases;
}

inline const FolderOriginals::Original* OriginalNamed(const FolderOriginals& originals,
                                                      const std::string& name) {
    for (const auto& original : originals.files)
        if (original.name == name)
            return &original;
    return nullptr;
}

class OriginalsWorld : public TargetWorld {
  public:
    // `existingRoot`: a world laid out before, by another process, used as
    // it is now.
    explicit OriginalsWorld(const std::filesystem::path& existingRoot = {})
        : TargetWorld(existingRoot) {
        if (existingRoot.empty())
            Lay();
        registry.Set(kQQRegistry.key, kQQRegistry.value, StringValue(Dir("client")));
        registry.Set(kMsnRegistry.key, kMsnRegistry.value, StringValue(Dir(kClientSound)));
        SetTarget(kClientSound);
        model.state.TargetStatusText = Path("client/QQ.exe");
        model.state.LibrarySoundCount = static_cast<std::int32_t>(
            LibraryFilesInWalkOrder(*base.files, base.appDir + kLibraryFolderName).size());
    }

    void Lay() {
        for (const char* name : kQQBackupFiles)
            Put(std::string("app/qqsounds/") + name, std::string("qq:") + name);
        for (const char* name : kMsnBackupFiles)
            Put(std::string("app/msnsounds/") + name, std::string("msn:") + name);
        for (const auto& theme : kPresetThemes)
            for (const char* source : theme.sources)
                Put(Below(source), std::string("library:") + source);
        Put("app/newsounds/自定义/new.wav", "library:new.wav");
        // QQ's "call.wav" is not there yet: the commands that write it
        // create it, and taking that back removes it.
        for (const char* name : kQQBackupFiles)
            if (std::string(name) != "call.wav")
                Put(std::string(kClientSound) + "/" + name, First(name));
        for (const char* name : kMsnBackupFiles)
            Put(std::string(kClientSound) + "/" + name, First(name));
        Put(std::string(kClientSound) + "/mine.wav", First("mine.wav"));
        Put(std::string(kClientTM) + "/msg.wav", First("TM msg.wav"));
        Put(std::string(kAccountFolder) + "/Config.db", First("Config.db"));
        Put("client/QQ.exe", "MZ");
    }

    // What a client file held before the program ever touched it.
    static std::string First(const std::string& name) { return "first:" + name; }

    // A theme's or backup set's source as a path below the root.
    static std::string Below(const char* backslashed) {
        std::string path = std::string("app/") + backslashed;
        for (char& c : path)
            if (c == '\\')
                c = '/';
        return path;
    }

    // Makes `folder` the target and lists it, as a switch to it would.
    void SetTarget(const std::string& folder) {
        MainState& state = Current().state;
        state.TargetSoundDir = Dir(folder);
        state.TargetList.clear();
        for (const auto& entry : std::filesystem::directory_iterator(base.At(folder)))
            state.TargetList.push_back(entry.path().filename().string());
    }

    TreeSnapshot Snapshot(const std::string& folder) const { return TakeSnapshot(base.At(folder)); }

    // Runs `command` with the answers a user who says yes gives (queued
    // here unless SayYesToEverything answers them); the single replacement
    // asks whether the new sound works only after a copy that `succeeds`.
    void Run(WriteCommand command, bool succeeds = true) {
        MainModel& model = Current();
        MainState& state = model.state;
        const bool queue = !dialogs.onShow;
        switch (command) {
            case WriteCommand::Single:
                state.SelectedLibrarySound = NativePath("自定义\\new.wav");
                state.SelectedTargetSound = "msg.wav";
                if (queue)
                    dialogs.ThenResult(DlgResult::OK);
                if (queue && succeeds)
                    dialogs.ThenId(mb::kIdOK);
                M_replace89(model);
                break;
            case WriteCommand::Theme:
                SpeedButton5Click(model);
                break;
            case WriteCommand::Random:
                if (queue)
                    dialogs.ThenId(mb::kIdYes);
                Button3Click(model);
                break;
            case WriteCommand::RestoreQQ:
                SpeedButton4Click(model);
                break;
            case WriteCommand::RestoreMsn:
                SpeedButton14Click(model);
                break;
            case WriteCommand::QQUsesMsn:
                SpeedButton16Click(model);
                break;
            case WriteCommand::MsnUsesQQ:
                SpeedButton15Click(model);
                break;
            case WriteCommand::CopyToTM:
                SpeedButton13Click(model);
                break;
            case WriteCommand::ResetConfigDb:
                dialogs.ThenText("12345");
                if (queue)
                    dialogs.ThenId(mb::kIdOK);
                Button2Click(model);
                break;
        }
    }

    // "全部恢复原始声音" on `folder`, answered OK.
    void RestoreAll(const std::string& folder) {
        SetTarget(folder);
        dialogs.ThenResult(DlgResult::OK);
        RestoreAllOriginalsClick(Current());
    }
    // Ctrl+Z, answered OK.
    void Undo() {
        dialogs.ThenResult(DlgResult::OK);
        UndoLastChangeClick(Current());
    }

    // The program started anew over the same folders and store: it knows
    // only what the store keeps. Its target is `folder`, listed.
    void Restart(const std::string& folder = kClientSound) {
        auto next = std::make_unique<MainModel>(model.svc, base.appDir, base.dataDir);
        next->state = Current().state;
        restarted_ = std::move(next);
        SetTarget(folder);
    }
    // The same, seeing the disk through `files` (one that fails on purpose).
    void Restart(FileSystem& files, const std::string& folder = kClientSound) {
        const Services& svc = model.svc;
        auto next =
            std::make_unique<MainModel>(Services{files, svc.processes, svc.registry, svc.dialogs,
                                                 svc.player, svc.shell, svc.decoder, svc.progress},
                                        base.appDir, base.dataDir);
        next->state = Current().state;
        restarted_ = std::move(next);
        SetTarget(folder);
    }
    // The model commands run on: the restarted one, once there is one.
    MainModel& Current() { return restarted_ ? *restarted_ : model; }

    OriginalsStore Store() { return OriginalsStore(*base.files, base.dataDir); }
    std::vector<JournalEntry> Journal() { return ReadJournal(Store()); }
    // Every question answered as a user who says yes: OK, Yes.
    void SayYesToEverything() {
        dialogs.onShow = [this](const ShownDialog& shown) {
            const unsigned kind = shown.buttons & 0xF;
            if (shown.form == DialogForm::MessageBox && kind != mb::kOK)
                dialogs.ThenId(kind == mb::kYesNo ? mb::kIdYes : mb::kIdOK);
            else if (shown.form == DialogForm::MessageDlg && shown.buttons != kDlgOK)
                dialogs.ThenResult(DlgResult::OK);
        };
    }

    // The name of the change Ctrl+Z would take back; empty for none.
    std::string NextUndo() {
        std::optional<TakeBackPlan> plan;
        PlanUndo(Store(), plan);
        return plan ? plan->entry.name : std::string();
    }

    // The bytes the store keeps under `content`, read straight from its folder.
    std::string KeptBytes(const std::string& content) const {
        return ReadFile(base.At("userdata/originals/blobs/" + content));
    }

    std::vector<std::string> Texts() const { return dialogs.Texts(); }
    const ShownDialog& LastShown() const { return dialogs.shown.back(); }

  private:
    std::unique_ptr<MainModel> restarted_;
};

}  // namespace sonatrix::testing
