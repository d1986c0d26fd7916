// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a client's folder as a place the store keeps items of.
#include "originals/item_place.h"
#include "platform/files.h"
#include "platform/folder_key.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

class FolderPlace : public ItemPlace {
  public:
    FolderPlace(FileSystem& files, const std::string& folder)
        : files_(files),
          folder_(folder),
          // A folder written in another letter case than on disk, as Wine allows.
          key_(folder.empty() ? std::string() : FolderKey(files.OnDiskPath(folder))) {}

    const std::string& Key() const override { return key_; }
    bool Exists() override { return !key_.empty() && files_.FolderExists(key_); }

    std::string NameOf(const std::string& name) override {
        // A name below a sub-folder keeps that part as written.
        return FolderPart(name) + FileNameOf(files_.OnDiskPath(folder_ + name));
    }

    int Read(const std::string& name, ItemValue& value) override {
        const std::string path = folder_ + name;
        value = {};
        if (files_.FileExists(path) || files_.FolderExists(path)) {
            value.kind = ItemValue::Kind::Bytes;
            return files_.ReadSharedFile(path, value.bytes);
        }
        // A link to nothing is kept as the link it is.
        if (files_.ReadLink(path, value.bytes) == 0)
            value.kind = ItemValue::Kind::Link;
        return 0;
    }

    int CopyIn(const std::string& source, const std::string& name) override {
        return files_.CopyFile(source, folder_ + name);
    }

    int Remove(const std::string& name) override {
        ItemValue now;
        if (Read(name, now) == 0 && now.kind == ItemValue::Kind::Absent)
            return 0;
        return files_.DeleteFile(folder_ + name);
    }

    int MakeLink(const std::string& target, const std::string& name) override {
        return files_.MakeLink(target, folder_ + name);
    }

    void RemoveLeftovers() override {
        if (!key_.empty())
            files_.RemoveLeftovers(key_);
    }

  private:
    FileSystem& files_;
    std::string folder_;
    std::string key_;
};

}  // namespace

std::unique_ptr<ItemPlace> MakeFolderPlace(FileSystem& files, const std::string& folder) {
    return std::make_unique<FolderPlace>(files, folder);
}

}  // namespace sonatrix
