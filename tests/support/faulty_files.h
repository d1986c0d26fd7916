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
        Listing,      // ListFolder, ListPattern, ListAll
        Look,         // Identify
        Read,         // ReadWholeFile, ReadSharedFile
        Write,        // every call that creates or writes a file or folder
        ClientWrite,  // ReplaceFile, ReplaceWithLink, RemoveEntry
    };
    struct Fault {
        Call call;
        int nth = 1;  // counted among the calls of `call` whose path holds `pathPart`
        std::string pathPart;
        int error = 0;
        bool lasting = false;  // every later such call fails too
        // Instead of failing: runs with the path just before the call
        // goes ahead (a client writing its own sound).
        std::function<void(const std::string&)> before;
        // A listing that stops part-way hands back what it read so far.
        bool partial = false;
    };

    explicit FaultyFiles(std::unique_ptr<FileSystem> native, Fault fault)
        : native_(std::move(native)), fault_(std::move(fault)) {}

    // How often the fault struck.
    int Struck() const { return struck_; }

    bool FileExists(const std::string& path) override { return native_->FileExists(path); }
    bool FolderExists(const std::string& path) override { return native_->FolderExists(path); }
    bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) override;
    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override;
    int CopyFile(const std::string& source, const std::string& destination) override;
    int WriteWholeFile(const std::string& path, std::string_view bytes) override;
    int CreateFolder(const std::string& path) override;
    int ReadWholeFile(const std::string& path, std::string& bytes) override;
    int ReadSharedFile(const std::string& path, std::string& bytes) override;
    int DeleteFile(const std::string& path) override { return native_->DeleteFile(path); }
    std::string OnDiskPath(const std::string& path) override { return native_->OnDiskPath(path); }
    int CreateNewFile(const std::string& path, std::string_view bytes) override;
    int LockFile(const std::string& path, int waitMs, std::unique_ptr<HeldLock>& held) override {
        return native_->LockFile(path, waitMs, held);
    }
    int ReadLink(const std::string& path, std::string& target) override {
        return native_->ReadLink(path, target);
    }
    int MakeLink(const std::string& target, const std::string& path) override;
    void RemoveLeftovers(const std::string& folder) override { native_->RemoveLeftovers(folder); }
    int Identify(const std::string& path, FileIdentity& identity) override;
    int ListAll(const std::string& folder, std::vector<DirEntry>& out) override;
    int SyncFolder(const std::string& folder) override { return native_->SyncFolder(folder); }
    int ReplaceFile(const std::string& source, const std::string& path,
                    FileIdentity& identity) override;
    int ReplaceWithLink(const std::string& target, const std::string& path,
                        FileIdentity& identity) override;
    int RemoveEntry(const std::string& path, FileIdentity& identity) override;

  private:
    // The error this call of `call` on `path` gives instead of going ahead;
    // 0 to let it go ahead.
    int Strike(Call call, const std::string& path);

    std::unique_ptr<FileSystem> native_;
    Fault fault_;
    int seen_ = 0;
    int struck_ = 0;
};

}  // namespace sonatrix::testing
