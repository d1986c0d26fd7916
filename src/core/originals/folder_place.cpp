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
        FileIdentity identity;
        // A file that cannot be looked at is that file's failure, never
        // one taken for absent.
        if (const int error = files_.Identify(path, identity))
            return error;
        int error = 0;
        switch (identity.kind) {
            case FileIdentity::Kind::Absent:
                break;
            case FileIdentity::Kind::Link:
                // Kept as the link it is, wherever it leads.
                value.kind = ItemValue::Kind::Link;
                error = files_.ReadLink(path, value.bytes);
                break;
            default:
                value.kind = ItemValue::Kind::Bytes;
                error = files_.ReadSharedFile(path, value.bytes);
                break;
        }
        if (error != 0)
            value = {};
        else
            value.identity = identity;
        return error;
    }

    int Identify(const std::string& name, FileIdentity& identity) override {
        return files_.Identify(folder_ + name, identity);
    }

    int CopyIn(const std::string& source, const std::string& name,
               FileIdentity& identity) override {
        return files_.ReplaceFile(source, folder_ + name, identity);
    }

    int Remove(const std::string& name, FileIdentity& identity) override {
        return files_.RemoveEntry(folder_ + name, identity);
    }

    int MakeLink(const std::string& target, const std::string& name,
                 FileIdentity& identity) override {
        return files_.ReplaceWithLink(target, folder_ + name, identity);
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
