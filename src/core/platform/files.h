// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations the program needs, behind one interface so that each
// platform gives its own and tests can wrap it to inject faults.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

struct DirEntry {
    std::string name;  // exactly as the listing returns it (bytes)
    bool isFolder = false;
};

class HeldLock;

// What an entry of a folder is, as a look that does not follow a link at
// its end sees it: enough to tell that it was written or replaced since.
struct FileIdentity {
    // Unknown: the item has no identity of this kind (a setting), so every
    // check must read it instead.
    enum class Kind : std::uint8_t { Unknown, Absent, File, Folder, Link, Other };
    Kind kind = Kind::Unknown;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the file system's own ticks
    std::uint64_t volume = 0;
    std::uint64_t index = 0;  // the inode, or the file index

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True when a file (not a folder) exists at `path`. On a case-sensitive
    // file system a component that does not exist as written is matched
    // without regard to ASCII letter case, as Windows would.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;

    // Ordinary files and folders of `folder` (with or without a trailing
    // separator) in the file system's order, never sorted; hidden and system
    // entries are left out where the platform has such attributes. "." and
    // ".." and other dot names are returned: callers decide about them.
    // False when the listing cannot start (missing folder, no entry at all).
    virtual bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) = 0;

    // Entries of `folder` whose names match `pattern` ("*.wav") without
    // regard to letter case, every attribute allowed (hidden files and
    // matching sub-folders included). False when nothing matches or the
    // folder cannot be read.
    virtual bool ListPattern(const std::string& folder, std::string_view pattern,
                             std::vector<DirEntry>& out) = 0;

    // Copies `source` over `destination`, overwriting it. The destination is
    // replaced as a whole or not at all: the bytes go to a temporary file in
    // the destination's folder that is then renamed over it. Returns 0 or
    // the system's error code.
    virtual int CopyFile(const std::string& source, const std::string& destination) = 0;

    // Replaces `path` with `bytes` as a whole or not at all: they go to a
    // temporary file beside it, are flushed to the disk, and the file is
    // renamed over `path`. Returns 0 or the system's error code.
    virtual int WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // Creates one folder level. Returns 0 or the system's error code.
    virtual int CreateFolder(const std::string& path) = 0;

    // Reads a whole file, opened for reading without sharing where the
    // platform allows it. Returns 0 or the system's error code.
    virtual int ReadWholeFile(const std::string& path, std::string& bytes) = 0;

    // Reads a whole file that other programs may be reading too (a client
    // holding its own sound open), as a copy reads its source. Returns 0 or
    // the system's error code.
    virtual int ReadSharedFile(const std::string& path, std::string& bytes) = 0;

    // Returns 0 or the system's error code.
    virtual int DeleteFile(const std::string& path) = 0;

    // The path as it is on disk: each component that does not exist as
    // written replaced by the one that matches it ignoring ASCII case (on
    // Windows, the file name in the case the disk keeps it). A path with no
    // such match is returned unchanged.
    virtual std::string OnDiskPath(const std::string& path) = 0;

    // Creates `path` with `bytes`, flushed to the disk, only when no such
    // file exists (FileExistsCode() then). Returns 0 or the system's error.
    virtual int CreateNewFile(const std::string& path, std::string_view bytes) = 0;

    // Takes the lock file `path` (created when missing) for this process
    // alone, waiting up to `waitMs` for another holder to let go (BusyCode()
    // then). The system lets go when the holder ends, also by a crash.
    virtual int LockFile(const std::string& path, int waitMs, std::unique_ptr<HeldLock>& held) = 0;

    // The target of the symbolic link `path` (the link itself, not what it
    // names). Returns 0, or an error when `path` is no link.
    virtual int ReadLink(const std::string& path, std::string& target) = 0;
    // Makes `path` a symbolic link to `target`, replacing what is there as a
    // whole or not at all.
    virtual int MakeLink(const std::string& target, const std::string& path) = 0;

    // Removes what the atomic writes of a process that no longer runs left
    // behind in `folder` (a crash between writing and renaming).
    virtual void RemoveLeftovers(const std::string& folder) = 0;

    // What is at `path` now, a link not followed (kind Absent when nothing
    // is). Returns 0, or the error that kept it from being looked at: a
    // path that cannot be examined is never taken for an absent one.
    virtual int Identify(const std::string& path, FileIdentity& identity) = 0;

    // Every entry of `folder` but "." and "..", hidden ones included, in
    // the file system's order. Returns 0 (an empty folder gives none),
    // FileNotFoundCode() when there is no such folder, or the error that
    // stopped the listing, at its start or part-way: then `out` is empty,
    // never a part taken for the whole.
    virtual int ListAll(const std::string& folder, std::vector<DirEntry>& out) = 0;

    // Makes what was created, renamed or removed in `folder` survive a
    // power cut. Returns 0 (also where the file system has no such thing)
    // or the system's error code.
    virtual int SyncFolder(const std::string& folder) = 0;

    // The writes of a client's files. Each acts only while the entry at
    // the path is still what `identity` says it was (any, for kind
    // Unknown), looked at once the new content is on the disk, just before
    // it takes the entry's place; ChangedCode() otherwise. A link there is
    // replaced as the entry it is, never written through. The folder is
    // synced before they return, and `identity` then says what the entry
    // is now.
    //
    // Copies the file `source` over `path`, as CopyFile does.
    virtual int ReplaceFile(const std::string& source, const std::string& path,
                            FileIdentity& identity) = 0;
    // Makes `path` a symbolic link to `target`.
    virtual int ReplaceWithLink(const std::string& target, const std::string& path,
                                FileIdentity& identity) = 0;
    // Removes the entry at `path`; one already gone counts as removed.
    virtual int RemoveEntry(const std::string& path, FileIdentity& identity) = 0;

    // Gives the file `path` names the bytes `bytes`, whole or not at all, as
    // a user's own settings file is written: a symbolic link is followed to
    // the file at its end, which is replaced keeping its mode and owner,
    // and the link stays. A file that does not exist is created. Returns 0
    // or the system's error code.
    virtual int RewriteFile(const std::string& path, std::string_view bytes) = 0;
};

// A lock taken with FileSystem::LockFile, let go when destroyed.
class HeldLock {
  public:
    virtual ~HeldLock() = default;
};

// One step of the native file systems on the disk.
struct DiskStep {
    enum class Kind {
        Created,       // an empty file at `path`
        Flushed,       // the bytes of the file at `path` are on the disk
        Renamed,       // `path` now at `to`, replacing what was there
        Linked,        // `to` is another name of the file at `path`
        Removed,       // `path`
        FolderMade,    // `path`
        LinkMade,      // a symbolic link at `path` to `to`
        FolderSynced,  // what was created, renamed or removed in `path` lasts
    };
    Kind kind;
    std::string path;
    std::string to;

    // True for the steps that change what is on the disk (all but a sync).
    bool Changes() const { return kind != Kind::FolderSynced; }
};

// Tests only: `observer` is called after every step of the native file
// systems, in order, so that a test can stop the program at each or replay
// what a power cut after it would leave.
using DiskStepObserver = void (*)(const DiskStep& step);
void SetDiskStepObserver(DiskStepObserver observer);

// The platform's own file system.
std::unique_ptr<FileSystem> MakeNativeFileSystem();

// Opens `path` for reading as std::fopen does, but only an ordinary file: a
// pipe or a device gives EINVAL rather than an open or a read that waits
// forever. Returns nullptr with `error` (an errno value) set when it cannot.
std::FILE* OpenOrdinaryFile(const std::string& path, int& error);

// The system's message text for an error code, in the user's language, with
// trailing blanks, control characters and "." removed; empty when the
// system has no text for it.
std::string SystemErrorText(int code);

// The text of an error number of the C library (errno), as SystemErrorText
// gives it for the system's codes.
std::string CLibraryErrorText(int errorNumber);

// Error codes the program itself reports with.
int FileNotFoundCode();
// A path whose folder does not exist.
int PathNotFoundCode();
int AccessDeniedCode();
// A file whose bytes are not what they should be.
int CorruptFileCode();
// A file created anew that exists already.
int FileExistsCode();
// A lock that another process holds.
int BusyCode();
// A file that is no longer what it was when it was last looked at.
int ChangedCode();

}  // namespace sonatrix
