// SPDX-License-Identifier: GPL-3.0-or-later
// The place of a program that names its sounds in its own settings: the
// sounds Sonatrix keeps for it in its own folder, and the program's
// settings file, kept whole. One command that writes both keeps both in
// one journal entry, so that one undo takes all of it back.
#include <optional>

#include "discovery/program_sound_setting.h"
#include "originals/item_place.h"
#include "platform/config_file.h"
#include "platform/files.h"
#include "platform/kconfig_lock.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

// KConfig holds its lock for one write; longer is a program that hangs.
constexpr int kKConfigLockWaitMs = 5000;

std::optional<std::string> BytesOf(const ItemValue& value) {
    return value.kind == ItemValue::Kind::Absent ? std::nullopt
                                                 : std::optional<std::string>(value.bytes);
}

ItemValue ItemOf(const std::optional<std::string>& bytes) {
    return bytes ? ItemValue{ItemValue::Kind::Bytes, *bytes, {}} : ItemValue{};
}

class ProgramPlace : public ItemPlace {
  public:
    ProgramPlace(FileSystem& files, const std::string& folder, std::string settingsFile)
        : files_(files),
          folder_(MakeFolderPlace(files, folder)),
          settingsFile_(std::move(settingsFile)),
          settingsName_(FileNameOf(settingsFile_)),
          kind_(SettingsKindOfFile(settingsFile_)) {
        if (!folder_->Key().empty() && kind_)
            key_ = ProgramPlaceIn(folder_->Key(), settingsFile_);
    }

    const std::string& Key() const override { return key_; }
    bool Exists() override { return folder_->Exists(); }

    std::string NameOf(const std::string& name) override {
        return IsSettings(name) ? name : folder_->NameOf(name);
    }

    int Read(const std::string& name, ItemValue& value) override {
        if (!IsSettings(name))
            return folder_->Read(name, value);
        value = {};
        std::optional<std::string> bytes;
        if (const int error = ReadConfigFile(files_, settingsFile_, bytes))
            return error;
        read_ = bytes;
        value = ItemOf(bytes);
        return 0;
    }

    int Identify(const std::string& name, FileIdentity& identity) override {
        return IsSettings(name) ? ItemPlace::Identify(name, identity)
                                : folder_->Identify(name, identity);
    }

    int CopyIn(const std::string& source, const std::string& name,
               FileIdentity& identity) override {
        if (!IsSettings(name))
            return folder_->CopyIn(source, name, identity);
        std::string bytes;
        if (const int error = files_.ReadSharedFile(source, bytes))
            return error;
        return Write(bytes);
    }

    int Remove(const std::string& name, FileIdentity& identity) override {
        return IsSettings(name) ? Write(std::nullopt) : folder_->Remove(name, identity);
    }

    int MakeLink(const std::string& target, const std::string& name,
                 FileIdentity& identity) override {
        // The settings never read as a link, so none is put back as one.
        return IsSettings(name) ? CorruptFileCode() : folder_->MakeLink(target, name, identity);
    }

    void RemoveLeftovers() override {
        folder_->RemoveLeftovers();
        files_.RemoveLeftovers(FolderPart(settingsFile_));
    }

    bool HoldsChoice(const std::string& name) override { return IsSettings(name); }

    std::optional<std::string> ChoiceIn(const std::string&, const ItemValue& value) override {
        const std::optional<std::string> bytes = BytesOf(value);
        return bytes ? std::optional(SoundChoiceIn(*kind_, *bytes)) : std::nullopt;
    }

    ItemValue WithChoiceOf(const std::string&, const ItemValue& now,
                           const ItemValue& from) override {
        if (now.kind == ItemValue::Kind::Absent)
            return from;
        // A file the program itself could not read back once edited gets
        // what it held before, whole.
        const auto edited = WithSoundChoiceOf(*kind_, now.bytes, BytesOf(from).value_or(""));
        return edited ? ItemOf(edited) : from;
    }

    std::optional<ItemValue> WithSoundOf(const std::string&, const std::string& sound,
                                         const ItemValue& now, const ItemValue& from) override {
        // A sound's file is named after its event.
        const std::string eventId = sound.substr(0, sound.rfind('.'));
        const auto edited = WithSoundChoiceOf(*kind_, BytesOf(now).value_or(""),
                                              BytesOf(from).value_or(""), eventId);
        if (!edited)
            return std::nullopt;
        if (now.kind == ItemValue::Kind::Absent && edited->empty())
            return now;
        return ItemOf(edited);
    }

  private:
    bool IsSettings(const std::string& name) const { return name == settingsName_; }

    // Gives the settings file `bytes` (removes it for nothing). A file
    // written by another program since it was read here keeps that write,
    // with only the sounds' choice carried into it. KDE's files are written
    // under KConfig's lock.
    int Write(const std::optional<std::string>& bytes) {
        std::unique_ptr<HeldLock> lock;
        if (*kind_ == SettingsProgramKind::Kde) {
            // The lock lies beside the file, in a folder made only for a
            // file to write.
            const std::string folder = FolderPart(settingsFile_);
            if (!folder.empty() && !files_.FolderExists(folder)) {
                if (!bytes) {
                    read_ = bytes;
                    return 0;
                }
                if (const int error = files_.CreateFolder(folder);
                    error != 0 && !files_.FolderExists(folder))
                    return error;
            }
            if (const int error = LockKConfigFile(settingsFile_, kKConfigLockWaitMs, lock))
                return error;
        }
        std::optional<std::string> now;
        if (const int error = ReadConfigFile(files_, settingsFile_, now))
            return error;
        std::optional<std::string> next = bytes;
        if (read_ && now != *read_ && now) {
            next = WithSoundChoiceOf(*kind_, *now, bytes.value_or(""));
            if (!next)
                return ChangedCode();
        }
        if (next != now) {
            const int error =
                next ? files_.RewriteFile(settingsFile_, *next) : files_.DeleteFile(settingsFile_);
            if (error != 0 && !(error == FileNotFoundCode() && !next))
                return error;
        }
        read_ = next;
        return 0;
    }

    FileSystem& files_;
    std::unique_ptr<ItemPlace> folder_;
    std::string settingsFile_;
    std::string settingsName_;
    std::optional<SettingsProgramKind> kind_;
    std::string key_;
    // What the settings file held when last read or written here.
    std::optional<std::optional<std::string>> read_;
};

}  // namespace

std::string ProgramPlaceIn(const std::string& folder, const std::string& settingsFile) {
    return std::string(kProgramPlaceMark) + folder + kProgramPlaceSeparator + settingsFile;
}

std::unique_ptr<ItemPlace> MakeProgramPlace(FileSystem& files, const std::string& where) {
    const std::size_t separator = where.find(kProgramPlaceSeparator);
    if (separator == std::string::npos)
        return MakeFolderPlace(files, std::string());
    return std::make_unique<ProgramPlace>(files, where.substr(0, separator),
                                          where.substr(separator + 1));
}

std::string SettingsFileOfPlace(const std::string& where) {
    if (!where.starts_with(kProgramPlaceMark))
        return {};
    const std::size_t separator = where.find(kProgramPlaceSeparator);
    return separator == std::string::npos ? std::string() : where.substr(separator + 1);
}

}  // namespace sonatrix
