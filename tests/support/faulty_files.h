// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's own file system with one fault put in: the k-th call of a
// kind fails (a listing, a look, a read, a write; from then on, for a disk
// that fills), or a racing writer changes a file just before the program
// writes over it. What the program is tested against for the whole class
// of faults where a failure must be reported and never lose a byte.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace sonatrix::testing {

class FaultyFiles : public FileSystem {
  public:
    enum class Call {
        Listing,      // ListAll
        Look,         // Identify
        Read,         // ReadSharedFile
        Write,        // every call that creates or writes a file or folder
        ClientWrite,  // ReplaceFile, ReplaceWithLink, RemoveEntry
    };
    struct Fault {
        Call call;
        int nth = 1;  // counted among the calls of `call` whose path holds `pathPart`
        std::string pathPart;
        int error = 0;
        bool lasting = false;  // every later such call fails too
        // Instead of failing: runs with the path just before the call goes
        // ahead (a client writing its own sound).
        std::function<void(const std::string&)> before;
        // A listing that stops part-way hands back what it read so far.
        bool partial = false;
    };

    FaultyFiles(std::unique_ptr<FileSystem> native, Fault fault)
        : native_(std::move(native)), fault_(std::move(fault)) {}

    // How often the fault struck.
    int Struck() const { return struck_; }

    int ListAll(const std::string& folder, std::vector<DirEntry>& out) override;
    int Identify(const std::string& path, FileIdentity& identity) override {
        return Or(Call::Look, path, [&] { return native_->Identify(path, identity); });
    }
    int ReadSharedFile(const std::string& path, std::string& bytes) override {
        return Or(Call::Read, path, [&] { return native_->ReadSharedFile(path, bytes); });
    }
    int WriteWholeFile(const std::string& path, std::string_view bytes) override {
        return Or(Call::Write, path, [&] { return native_->WriteWholeFile(path, bytes); });
    }
    int CreateNewFile(const std::string& path, std::string_view bytes) override {
        return Or(Call::Write, path, [&] { return native_->CreateNewFile(path, bytes); });
    }
    int CreateFolder(const std::string& path) override {
        return Or(Call::Write, path, [&] { return native_->CreateFolder(path); });
    }
    int ReplaceFile(const std::string& source, const std::string& path,
                    FileIdentity& identity) override {
        return Or(Call::ClientWrite, path,
                  [&] { return native_->ReplaceFile(source, path, identity); });
    }
    int ReplaceWithLink(const std::string& target, const std::string& path,
                        FileIdentity& identity) override {
        return Or(Call::ClientWrite, path,
                  [&] { return native_->ReplaceWithLink(target, path, identity); });
    }
    int RemoveEntry(const std::string& path, FileIdentity& identity) override {
        return Or(Call::ClientWrite, path, [&] { return native_->RemoveEntry(path, identity); });
    }

    // What the store does not ask for goes straight through.
    bool FileExists(const std::string& path) override { return native_->FileExists(path); }
    bool FolderExists(const std::string& path) override { return native_->FolderExists(path); }
    bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        return native_->ListFolder(folder, out);
    }
    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override {
        return native_->ListPattern(folder, pattern, out);
    }
    int CopyFile(const std::string& source, const std::string& destination) override {
        return native_->CopyFile(source, destination);
    }
    int ReadWholeFile(const std::string& path, std::string& bytes) override {
        return native_->ReadWholeFile(path, bytes);
    }
    int DeleteFile(const std::string& path) override { return native_->DeleteFile(path); }
    std::string OnDiskPath(const std::string& path) override { return native_->OnDiskPath(path); }
    int LockFile(const std::string& path, int waitMs, std::unique_ptr<HeldLock>& held) override {
        return native_->LockFile(path, waitMs, held);
    }
    int ReadLink(const std::string& path, std::string& target) override {
        return native_->ReadLink(path, target);
    }
    int MakeLink(const std::string& target, const std::string& path) override {
        return native_->MakeLink(target, path);
    }
    void RemoveLeftovers(const std::string& folder) override { native_->RemoveLeftovers(folder); }
    int SyncFolder(const std::string& folder) override { return native_->SyncFolder(folder); }
    int RewriteFile(const std::string& path, std::string_view bytes) override {
        return native_->RewriteFile(path, bytes);
    }

  private:
    // The error this call of `call` on `path` gives instead of going ahead;
    // 0 to let it go ahead.
    int Failed(Call call, const std::string& path);
    template <typename Go>
    int Or(Call call, const std::string& path, Go go) {
        const int error = Failed(call, path);
        return error != 0 ? error : go();
    }

    std::unique_ptr<FileSystem> native_;
    Fault fault_;
    int seen_ = 0;
    int struck_ = 0;
};

}  // namespace sonatrix::testing
