// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's sounds as one place: the files of the folder they are
// written to, and the desktop's settings that point the desktop at them.
// One command that writes both keeps both in one journal entry, so that one
// undo takes all of it back.
#include <map>

#include "originals/item_place.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"

namespace sonatrix {
namespace {

std::optional<std::string> SettingOf(const ItemValue& value) {
    return value.kind == ItemValue::Kind::Absent ? std::nullopt
                                                 : std::optional<std::string>(value.bytes);
}

ItemValue ItemOf(const std::optional<std::string>& setting) {
    return setting ? ItemValue{ItemValue::Kind::Bytes, *setting, {}} : ItemValue{};
}

class DesktopPlace : public ItemPlace {
  public:
    DesktopPlace(FileSystem& files, const std::string& folder)
        : files_(files), folder_(MakeFolderPlace(files, folder)) {
        if (!folder_->Key().empty())
            key_ = DesktopPlaceIn(folder_->Key());
    }

    const std::string& Key() const override { return key_; }
    bool Exists() override { return folder_->Exists(); }

    std::string NameOf(const std::string& name) override {
        return IsDesktopSetting(name) ? name : folder_->NameOf(name);
    }

    int Read(const std::string& name, ItemValue& value) override {
        if (!IsDesktopSetting(name))
            return folder_->Read(name, value);
        value = {};
        std::optional<std::string> setting;
        if (const int error = ReadDesktopSetting(name, setting))
            return error;
        read_[name] = setting;
        value = ItemOf(setting);
        return 0;
    }

    int Identify(const std::string& name, FileIdentity& identity) override {
        return IsDesktopSetting(name) ? ItemPlace::Identify(name, identity)
                                      : folder_->Identify(name, identity);
    }

    int CopyIn(const std::string& source, const std::string& name,
               FileIdentity& identity) override {
        if (!IsDesktopSetting(name))
            return folder_->CopyIn(source, name, identity);
        std::string bytes;
        if (const int error = files_.ReadSharedFile(source, bytes))
            return error;
        return Write(name, bytes);
    }

    int Remove(const std::string& name, FileIdentity& identity) override {
        if (!IsDesktopSetting(name))
            return folder_->Remove(name, identity);
        return Write(name, std::nullopt);
    }

    int MakeLink(const std::string& target, const std::string& name,
                 FileIdentity& identity) override {
        // A setting never reads as a link, so none is ever put back as one.
        return IsDesktopSetting(name) ? CorruptFileCode()
                                      : folder_->MakeLink(target, name, identity);
    }

    void RemoveLeftovers() override {
        folder_->RemoveLeftovers();
        for (const std::string& folder : DesktopSettingFolders())
            files_.RemoveLeftovers(folder);
    }

    bool HoldsChoice(const std::string& name) override { return IsDesktopSetting(name); }

    std::optional<std::string> ChoiceIn(const std::string& name, const ItemValue& value) override {
        return ChoiceInSetting(name, SettingOf(value));
    }

    ItemValue WithChoiceOf(const std::string& name, const ItemValue& now,
                           const ItemValue& from) override {
        return ItemOf(sonatrix::WithChoiceOf(name, SettingOf(now), SettingOf(from)));
    }

  private:
    // A config file written by another program since it was read here
    // keeps that program's write.
    int Write(const std::string& name, const std::optional<std::string>& value) {
        const auto read = read_.find(name);
        const int error = read == read_.end() ? WriteDesktopSetting(name, value)
                                              : WriteDesktopSetting(name, value, read->second);
        if (error == 0)
            read_[name] = value;
        return error;
    }

    FileSystem& files_;
    std::unique_ptr<ItemPlace> folder_;
    std::string key_;
    // What each setting held when last read.
    std::map<std::string, std::optional<std::string>> read_;
};

}  // namespace

std::unique_ptr<ItemPlace> MakeDesktopPlace(FileSystem& files, const std::string& folder) {
    return std::make_unique<DesktopPlace>(files, folder);
}

}  // namespace sonatrix
