// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX files. Names are bytes; a path that does not exist as written is
// looked up component by component without regard to ASCII letter case, as
// Wine does, so that the Windows clients' mixed-case names are found.
#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <signal.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>

#include "platform/error_text.h"
#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

std::atomic<DiskStepObserver> stepObserver{nullptr};

// One step on the disk is done.
void Stepped(DiskStep::Kind kind, const std::string& path, const std::string& to = {}) {
    if (const DiskStepObserver observer = stepObserver.load())
        observer({kind, path, to});
}

constexpr std::string_view kTemporaryPrefix = ".sonatrix-copy-";

bool StatPath(const std::string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool LstatPath(const std::string& path) {
    struct stat info;
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

// Calls `take` with every entry of `dir` until it returns false, then
// closes it. Returns 0, or the error that stopped the reading part-way.
template <typename Take>
int ReadEntries(DIR* dir, Take take) {
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        if (!take(*entry))
            break;
    }
    ::closedir(dir);
    return error;
}

// Sets `error` (when given and not yet set) to a failure other than "no
// such folder".
void NoteError(int* error, int code) {
    if (error && *error == 0 && code != ENOENT && code != ENOTDIR)
        *error = code;
}

enum class Listing { Matched, NoMatch, Unreadable };

// The name in `folder` that equals `name` ignoring ASCII case, if any; the
// first one in the folder's order, as Wine takes it. Read with getdents64
// into a buffer of its own: the poll tick lists a folder for each program
// it probes. `error` is set when the folder cannot be read.
Listing FindIgnoringCase(const std::string& folder, std::string_view name, std::string& found,
                         int& error) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return Listing::Unreadable;
    }
    alignas(dirent64) char buffer[8192];
    Listing result = Listing::NoMatch;
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            result = Listing::Unreadable;
        }
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got && result == Listing::NoMatch;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (SameIgnoringAsciiCase(entry->d_name, name)) {
                found = entry->d_name;
                result = Listing::Matched;
            }
        }
        if (result == Listing::Matched)
            break;
    }
    ::close(fd);
    return result;
}

bool FindIgnoringCase(const std::string& folder, std::string_view name, std::string& found) {
    int error = 0;
    return FindIgnoringCase(folder, name, found, error) == Listing::Matched;
}

std::string FolderPrefix(const std::string& folder) {
    return folder.empty() ? "" : (folder == "/" ? "/" : folder + "/");
}

// `path` as on disk: its components resolved against what is there, each
// missing name matched ignoring case in its folder's listing; or nothing
// when some component has no match. A probe that fails (the usual case on
// a poll tick) costs one lstat and one listing where the path's folder is
// there, and one failed open more per missing level. "." and ".." stay as
// written, after the folder before them has been resolved. `missing`: the
// caller knows that `path` is not there as written. A folder that could not
// be read for a match sets `*readError`.
std::optional<std::string> OnDisk(const std::string& path, bool missing = false,
                                  int* readError = nullptr) {
    if (path.empty() || (!missing && LstatPath(path)))
        return path;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string()
                               : slash == 0               ? std::string("/")
                                                          : trimmed.substr(0, slash);
    const std::string leaf = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    const std::string tail = path.substr(trimmed.size());  // trailing separators, if any
    if (leaf.empty())
        return std::nullopt;
    if (leaf == "." || leaf == "..") {
        std::optional<std::string> folder =
            parent.empty() ? parent : OnDisk(parent, false, readError);
        return folder ? std::optional(FolderPrefix(*folder) + leaf + tail) : std::nullopt;
    }
    // Where the folder is there as written, its listing settles the name.
    std::string found;
    int error = 0;
    const Listing asWritten = FindIgnoringCase(parent, leaf, found, error);
    if (asWritten != Listing::Unreadable)
        return asWritten == Listing::Matched ? std::optional(FolderPrefix(parent) + found + tail)
                                             : std::nullopt;
    NoteError(readError, error);
    if (parent.empty() || (error != ENOENT && error != ENOTDIR))
        return std::nullopt;
    const std::optional<std::string> folder = OnDisk(parent, error == ENOENT, readError);
    if (!folder || *folder == parent)
        return std::nullopt;
    if (LstatPath(FolderPrefix(*folder) + leaf))
        return FolderPrefix(*folder) + leaf + tail;
    const Listing inFolder = FindIgnoringCase(*folder, leaf, found, error);
    if (inFolder == Listing::Unreadable)
        NoteError(readError, error);
    if (inFolder != Listing::Matched)
        return std::nullopt;
    return FolderPrefix(*folder) + found + tail;
}

// `path` as on disk, or as it is when it exists or cannot be resolved; a
// folder that could not be read for a match sets `error`.
std::string ResolveCase(const std::string& path, int* error = nullptr) {
    std::optional<std::string> found = OnDisk(path, false, error);
    return found ? std::move(*found) : path;
}

// For a path about to be created (a copy's destination, a new folder): its
// folders as on disk, and its last name replaced by an existing entry that
// equals it ignoring case, else kept as written.
std::string ResolveCaseForCreate(const std::string& path) {
    if (path.empty() || LstatPath(path))
        return path;
    std::string name = path;
    std::string trailing;
    while (name.size() > 1 && name.back() == '/') {
        trailing += '/';
        name.pop_back();
    }
    const std::size_t cut = name.rfind('/');
    const std::string folder =
        cut == std::string::npos ? std::string() : ResolveCase(name.substr(0, cut + 1));
    const std::string last = cut == std::string::npos ? name : name.substr(cut + 1);
    std::string found;
    if (last != "." && last != ".." && FindIgnoringCase(folder, last, found))
        return folder + found + trailing;
    return folder + last + trailing;
}

bool IsFolderEntry(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat info;
    return StatPath(folder + entry.d_name, info) && S_ISDIR(info.st_mode);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

// "*.wav" and the like: '*' and '?' wildcards, ASCII letters compared
// ignoring case. Greedy with one backtrack point, so it never goes
// exponential on many stars.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || FoldAscii(static_cast<unsigned char>(pattern[p])) ==
                                             FoldAscii(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

// Opens a file for reading. A folder gives EISDIR; a pipe, socket or device
// gives EINVAL rather than blocking the window's thread forever.
int OpenRegularFile(const std::string& path, int& fd, struct stat& info) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = EINVAL;
    else if (::fcntl(fd, F_SETFL, 0) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        fd = -1;
    }
    return error;
}

// Appends everything from `fd` to `bytes` (not trusting st_size, which is 0
// for some files that do have content).
int ReadToEnd(int fd, std::string& bytes) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Creates a new, empty file in `folder` with a name of its own; the mode
// follows the umask, as any new file's.
int CreateTemporaryIn(const std::string& folder, std::string& path, int& fd) {
    static std::mt19937 names{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
               std::to_string(names());
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            Stepped(DiskStep::Kind::Created, path);
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

FileIdentity IdentityOf(const struct stat& info) {
    FileIdentity identity;
    identity.kind = S_ISREG(info.st_mode)   ? FileIdentity::Kind::File
                    : S_ISDIR(info.st_mode) ? FileIdentity::Kind::Folder
                    : S_ISLNK(info.st_mode) ? FileIdentity::Kind::Link
                                            : FileIdentity::Kind::Other;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.modified =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    identity.volume = info.st_dev;
    identity.index = info.st_ino;
    return identity;
}

// What is at `path` exactly as written, a link not followed.
int IdentifyAt(const std::string& path, FileIdentity& identity) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
        // Nothing there: no such name, or a file where a folder would be.
        if (errno != ENOENT && errno != ENOTDIR)
            return errno;
        identity = {};
        identity.kind = FileIdentity::Kind::Absent;
        return 0;
    }
    identity = IdentityOf(info);
    return 0;
}

// True when `path` may be replaced by one who expected `expected` there;
// `error` says why not when it cannot be looked at.
bool StillAsExpected(const std::string& path, const FileIdentity& expected, int& error) {
    error = 0;
    if (expected.kind == FileIdentity::Kind::Unknown)
        return true;
    FileIdentity now;
    if ((error = IdentifyAt(path, now)) != 0)
        return false;
    if (now == expected)
        return true;
    error = ChangedCode();
    return false;
}

int SyncFolderAt(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems have no way to sync a folder: what they have is all
    // there is.
    if (error == EINVAL || error == ENOTSUP)
        error = 0;
    if (error == 0)
        Stepped(DiskStep::Kind::FolderSynced, folder);
    return error;
}

// Removes a temporary file that is not to be put in place.
void Discard(const std::string& temporary) {
    if (::unlink(temporary.c_str()) == 0)
        Stepped(DiskStep::Kind::Removed, temporary);
}

// Flushes the bytes written to `temporary` (open as `out`, `error` 0 when
// the writing went well) to the disk and closes it; `written` then says
// what the file is. The temporary file goes when anything failed.
int FlushTemporary(int out, const std::string& temporary, int error,
                   FileIdentity* written = nullptr) {
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    struct stat info;
    if (error == 0 && written && ::fstat(out, &info) == 0)
        *written = IdentityOf(info);
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error == 0)
        Stepped(DiskStep::Kind::Flushed, temporary);
    else
        Discard(temporary);
    return error;
}

// Renames the flushed `temporary` over `to`; the temporary file goes when
// that fails.
int RenameOver(const std::string& temporary, const std::string& to) {
    if (::rename(temporary.c_str(), to.c_str()) != 0) {
        const int error = errno;
        Discard(temporary);
        return error;
    }
    Stepped(DiskStep::Kind::Renamed, temporary, to);
    return 0;
}

// Ends a replacement written to `temporary` (open as `out`): when the
// writing went well (`error` 0) the bytes are flushed to disk and the file is
// renamed over `to`; otherwise, or when that fails, the temporary file goes.
// Returns 0 or the first error.
int PutInPlace(int out, const std::string& temporary, const std::string& to, int error) {
    if (const int flushError = FlushTemporary(out, temporary, error))
        return flushError;
    return RenameOver(temporary, to);
}

// Copies the open file `in` to `out`, which then takes the owner and mode
// of `like` when given. Closes `in`.
int CopyBytes(int in, int out, const struct stat* like) {
    int error = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            break;
        }
        if (got == 0)
            break;
        if ((error = WriteAll(out, buffer, static_cast<std::size_t>(got))) != 0)
            break;
    }
    ::close(in);
    // The replaced file keeps its owner and permissions, so the client
    // can still read (and we can still replace) it.
    if (error == 0 && like) {
        if (::fchown(out, like->st_uid, like->st_gid) != 0) {
            // Not ours to give away: the file stays ours, readable as before.
        }
        if (::fchmod(out, like->st_mode & 07777) != 0)
            error = errno;
    }
    return error;
}

// The process that wrote the temporary file `name`, or 0 for no such name.
pid_t WriterOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    pid_t pid = 0;
    for (const char c : name.substr(0, name.find('-'))) {
        if (c < '0' || c > '9' || pid > 1'000'000'000)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool IsRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

class FlockHeld : public HeldLock {
  public:
    explicit FlockHeld(int fd) : fd_(fd) {}
    ~FlockHeld() override { ::close(fd_); }

  private:
    int fd_;
};

// The file at the end of the symbolic links `path` may be (`path` itself
// when it is none), also when that file does not exist yet.
int LinkEnd(const std::string& path, std::string& end) {
    end = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(end.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
        const ssize_t got = ::readlink(end.c_str(), target.data(), target.size());
        if (got < 0)
            return errno;
        target.resize(static_cast<std::size_t>(got));
        end = target.front() == '/' ? target : FolderPart(end) + target;
    }
    return ELOOP;
}

class PosixFileSystem : public FileSystem {
  public:
    // A probe of a name that is not there (most of a poll tick's) ends with
    // the listing that found no match.
    bool FileExists(const std::string& path) override {
        struct stat info;
        const std::optional<std::string> found = OnDisk(path);
        return found && StatPath(*found, info) && !S_ISDIR(info.st_mode);
    }

    bool FolderExists(const std::string& path) override {
        struct stat info;
        const std::optional<std::string> found = OnDisk(path);
        return found && StatPath(*found, info) && S_ISDIR(info.st_mode);
    }

    bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        const std::string base = WithTrailingSeparator(ResolveCase(folder));
        DIR* dir = ::opendir(base.c_str());
        if (!dir)
            return false;
        // A listing cut short is no listing: never a part taken for the whole.
        if (ReadEntries(dir, [&](const dirent& entry) {
                out.push_back({entry.d_name, IsFolderEntry(base, entry)});
                return true;
            }) != 0)
            out.clear();
        return !out.empty();
    }

    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override {
        out.clear();
        const std::string base = folder.empty() ? std::string() : ResolveCase(folder);
        DIR* dir = ::opendir(base.empty() ? "." : base.c_str());
        if (!dir)
            return false;
        const std::string prefix = base.empty() ? std::string() : WithTrailingSeparator(base);
        if (ReadEntries(dir, [&](const dirent& entry) {
                // "." and ".." only when the pattern asks for them ("*"), as
                // the Windows listing gives them.
                if (MatchesPattern(entry.d_name, pattern))
                    out.push_back({entry.d_name, IsFolderEntry(prefix, entry)});
                return true;
            }) != 0)
            out.clear();
        return !out.empty();
    }

    int CopyFile(const std::string& source, const std::string& destination) override {
        int in = -1;
        struct stat sourceInfo;
        if (const int error = OpenRegularFile(ResolveCase(source), in, sourceInfo))
            return error;

        std::string to = ResolveCaseForCreate(destination);
        struct stat targetInfo;
        bool targetExists = false;
        if (::lstat(to.c_str(), &targetInfo) == 0) {
            // A link is followed, so the file it names is replaced, not the link.
            if (S_ISLNK(targetInfo.st_mode)) {
                if (char* real = ::realpath(to.c_str(), nullptr)) {
                    to = real;
                    std::free(real);
                }
            }
            targetExists = ::stat(to.c_str(), &targetInfo) == 0;
        }
        if (targetExists && S_ISDIR(targetInfo.st_mode)) {
            ::close(in);
            return EISDIR;
        }
        // As on Windows, a read-only file is not overwritten.
        if (targetExists && ::access(to.c_str(), W_OK) != 0) {
            const int error = errno;
            ::close(in);
            return error;
        }

        // The new bytes go to a temporary file beside the destination, which
        // is then renamed over it: the destination is never half-written.
        std::string temporary;
        int out = -1;
        if (const int error = CreateTemporaryIn(FolderPart(to), temporary, out)) {
            ::close(in);
            return error;
        }
        return PutInPlace(out, temporary, to,
                          CopyBytes(in, out, targetExists ? &targetInfo : nullptr));
    }

    int WriteWholeFile(const std::string& path, std::string_view bytes) override {
        const std::string to = ResolveCaseForCreate(path);
        const std::string folder = FolderPart(to);
        std::string temporary;
        int out = -1;
        if (const int error = CreateTemporaryIn(folder, temporary, out))
            return error;
        if (const int error =
                PutInPlace(out, temporary, to, WriteAll(out, bytes.data(), bytes.size())))
            return error;
        // Whoever relies on these bytes relies on their name too.
        return SyncFolderAt(folder);
    }

    int CreateFolder(const std::string& path) override {
        const std::string made = ResolveCaseForCreate(path);
        if (::mkdir(made.c_str(), 0777) != 0)
            return errno;
        Stepped(DiskStep::Kind::FolderMade, made);
        return 0;
    }

    int ReadWholeFile(const std::string& path, std::string& bytes) override {
        bytes.clear();
        int fd = -1;
        struct stat info;
        if (const int error = OpenRegularFile(ResolveCase(path), fd, info))
            return error;
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        const int error = ReadToEnd(fd, bytes);
        ::close(fd);
        if (error != 0)
            bytes.clear();
        return error;
    }

    // POSIX files are never locked against reading.
    int ReadSharedFile(const std::string& path, std::string& bytes) override {
        return ReadWholeFile(path, bytes);
    }

    int DeleteFile(const std::string& path) override {
        const std::string on = ResolveCase(path);
        if (::unlink(on.c_str()) != 0)
            return errno;
        Stepped(DiskStep::Kind::Removed, on);
        return 0;
    }

    std::string OnDiskPath(const std::string& path) override { return ResolveCase(path); }

    int CreateNewFile(const std::string& path, std::string_view bytes) override {
        // Written whole beside it first, then linked in under its name,
        // which fails when the name is taken: nobody ever sees it half-made.
        const std::string to = ResolveCaseForCreate(path);
        const std::string folder = FolderPart(to);
        std::string temporary;
        int out = -1;
        if (const int error = CreateTemporaryIn(folder, temporary, out))
            return error;
        int error = FlushTemporary(out, temporary, WriteAll(out, bytes.data(), bytes.size()));
        if (error != 0)
            return error;
        if (::link(temporary.c_str(), to.c_str()) != 0)
            error = errno;
        else
            Stepped(DiskStep::Kind::Linked, temporary, to);
        Discard(temporary);
        return error != 0 ? error : SyncFolderAt(folder);
    }

    int LockFile(const std::string& path, int waitMs, std::unique_ptr<HeldLock>& held) override {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return errno;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                return error == EWOULDBLOCK ? BusyCode() : error;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        held = std::make_unique<FlockHeld>(fd);
        return 0;
    }

    int ReadLink(const std::string& path, std::string& target) override {
        const std::string on = ResolveCase(path);
        struct stat info;
        if (::lstat(on.c_str(), &info) != 0)
            return errno;
        if (!S_ISLNK(info.st_mode))
            return EINVAL;
        std::string buffer(256, '\0');
        for (;;) {
            const ssize_t got = ::readlink(on.c_str(), buffer.data(), buffer.size());
            if (got < 0)
                return errno;
            if (static_cast<std::size_t>(got) < buffer.size()) {
                target.assign(buffer.data(), static_cast<std::size_t>(got));
                return 0;
            }
            buffer.resize(buffer.size() * 2);
        }
    }

    int MakeLink(const std::string& target, const std::string& path) override {
        FileIdentity any;
        return ReplaceWithLink(target, path, any);
    }

    void RemoveLeftovers(const std::string& folder) override {
        const std::string base = WithTrailingSeparator(ResolveCase(folder));
        DIR* dir = ::opendir(base.c_str());
        if (!dir)
            return;
        std::vector<std::string> leftovers;
        while (dirent* entry = ::readdir(dir)) {
            const pid_t writer = WriterOf(entry->d_name);
            if (writer > 0 && writer != ::getpid() && !IsRunning(writer))
                leftovers.push_back(base + entry->d_name);
        }
        ::closedir(dir);
        for (const std::string& leftover : leftovers) {
            if (::unlink(leftover.c_str()) == 0)
                Stepped(DiskStep::Kind::Removed, leftover);
        }
    }

    int Identify(const std::string& path, FileIdentity& identity) override {
        int listingError = 0;
        const std::string on = ResolveCase(path, &listingError);
        const int error = IdentifyAt(on, identity);
        // Not found as written, and the folder that might hold it in
        // another letter case could not be read: not known to be absent.
        if (error == 0 && identity.kind == FileIdentity::Kind::Absent && listingError != 0)
            return listingError;
        return error;
    }

    int ListAll(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        int listingError = 0;
        const std::string base = WithTrailingSeparator(ResolveCase(folder, &listingError));
        DIR* dir = ::opendir(base.c_str());
        if (!dir) {
            // A file where the folder would be holds no entries either.
            const int error = errno == ENOTDIR ? ENOENT : errno;
            return error != ENOENT ? error : listingError != 0 ? listingError : ENOENT;
        }
        const int error = ReadEntries(dir, [&](const dirent& entry) {
            const std::string_view name = entry.d_name;
            if (name != "." && name != "..")
                out.push_back({entry.d_name, IsFolderEntry(base, entry)});
            return true;
        });
        if (error != 0)
            out.clear();
        return error;
    }

    int SyncFolder(const std::string& folder) override { return SyncFolderAt(ResolveCase(folder)); }

    int ReplaceFile(const std::string& source, const std::string& path,
                    FileIdentity& identity) override {
        int in = -1;
        struct stat sourceInfo;
        if (const int error = OpenRegularFile(ResolveCase(source), in, sourceInfo))
            return error;
        const std::string to = ResolveCaseForCreate(path);
        struct stat entryInfo, fileInfo;
        const bool present = ::lstat(to.c_str(), &entryInfo) == 0;
        const bool link = present && S_ISLNK(entryInfo.st_mode);
        // The new file gets the mode of the one it replaces: for a link, of
        // the file it names (the umask's for a link to nothing).
        const struct stat* like = present && !link ? &entryInfo : nullptr;
        if (link && ::stat(to.c_str(), &fileInfo) == 0 && S_ISREG(fileInfo.st_mode))
            like = &fileInfo;
        int error = 0;
        if (present && S_ISDIR(entryInfo.st_mode))
            error = EISDIR;
        // As on Windows, a read-only file is not overwritten.
        else if (present && !link && ::access(to.c_str(), W_OK) != 0)
            error = errno;
        std::string temporary;
        int out = -1;
        if (error == 0)
            error = CreateTemporaryIn(FolderPart(to), temporary, out);
        if (error != 0) {
            ::close(in);
            return error;
        }
        FileIdentity written;
        if ((error = FlushTemporary(out, temporary, CopyBytes(in, out, like), &written)) != 0)
            return error;
        return PutWrittenInPlace(temporary, to, identity, written);
    }

    int ReplaceWithLink(const std::string& target, const std::string& path,
                        FileIdentity& identity) override {
        const std::string to = ResolveCaseForCreate(path);
        struct stat info;
        if (::lstat(to.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return EISDIR;
        static std::mt19937 names{std::random_device{}()};
        const std::string folder = FolderPart(to);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string temporary = folder + std::string(kTemporaryPrefix) +
                                          std::to_string(::getpid()) + "-" +
                                          std::to_string(names());
            if (::symlink(target.c_str(), temporary.c_str()) != 0) {
                if (errno == EEXIST)
                    continue;
                return errno;
            }
            Stepped(DiskStep::Kind::LinkMade, temporary, target);
            FileIdentity written;
            if (const int error = IdentifyAt(temporary, written)) {
                Discard(temporary);
                return error;
            }
            return PutWrittenInPlace(temporary, to, identity, written);
        }
        return EEXIST;
    }

    int RemoveEntry(const std::string& path, FileIdentity& identity) override {
        int listingError = 0;
        const std::string on = ResolveCase(path, &listingError);
        FileIdentity now;
        if (const int error = IdentifyAt(on, now))
            return error;
        if (now.kind == FileIdentity::Kind::Absent) {
            identity = now;
            return listingError;
        }
        if (identity.kind != FileIdentity::Kind::Unknown && now != identity)
            return ChangedCode();
        if (now.kind == FileIdentity::Kind::Folder)
            return EISDIR;
        if (::unlink(on.c_str()) != 0)
            return errno;
        Stepped(DiskStep::Kind::Removed, on);
        identity = {};
        identity.kind = FileIdentity::Kind::Absent;
        SyncClientFolder(FolderPart(on));
        return 0;
    }

    int RewriteFile(const std::string& path, std::string_view bytes) override {
        std::string to;
        if (const int error = LinkEnd(path, to))
            return error;
        struct stat info;
        const bool exists = ::stat(to.c_str(), &info) == 0;
        if (exists && !S_ISREG(info.st_mode))
            return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        const std::string folder = FolderPart(to);
        std::string temporary;
        int out = -1;
        if (const int error = CreateTemporaryIn(folder, temporary, out))
            return error;
        int error = WriteAll(out, bytes.data(), bytes.size());
        if (error == 0 && exists) {
            if (::fchown(out, info.st_uid, info.st_gid) != 0) {
                // Not ours to give away: the file stays ours, with its mode.
            }
            if (::fchmod(out, info.st_mode & 07777) != 0)
                error = errno;
        }
        if ((error = PutInPlace(out, temporary, to, error)) != 0)
            return error;
        SyncClientFolder(folder);
        return 0;
    }

  private:
    // Renames the flushed `temporary`, which is `written`, over `to` while
    // `to` is still `identity`.
    static int PutWrittenInPlace(const std::string& temporary, const std::string& to,
                                 FileIdentity& identity, const FileIdentity& written) {
        int error = 0;
        if (!StillAsExpected(to, identity, error)) {
            Discard(temporary);
            return error;
        }
        if ((error = RenameOver(temporary, to)) != 0)
            return error;
        identity = written;
        SyncClientFolder(FolderPart(to));
        return 0;
    }

    // A client's file was replaced: that is done even should the folder
    // fail to sync, and the journal is written only after. A folder that
    // loses the change at a power cut holds what it held before, which the
    // journal then still names.
    static void SyncClientFolder(const std::string& folder) {
        if (SyncFolderAt(folder) != 0) {
            // See above: the bytes before are what is on the disk, and kept.
        }
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

void SetDiskStepObserver(DiskStepObserver observer) {
    stepObserver = observer;
}

std::string SystemErrorText(int code) {
    // A code the C library has no description for has no text either
    // (its "Unknown error N" is a made-up one, and translated at that).
    if (::strerrordesc_np(code) == nullptr)
        return {};
    // The user's language, as the rest of the system speaks to them.
    static const locale_t userLocale = ::newlocale(LC_ALL_MASK, "", nullptr);
    return TrimmedErrorText(userLocale ? ::strerror_l(code, userLocale) : ::strerror(code));
}

std::FILE* OpenOrdinaryFile(const std::string& path, int& error) {
    int fd = -1;
    struct stat info;
    error = OpenRegularFile(path, fd, info);
    if (error != 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        error = errno;
        ::close(fd);
    }
    return file;
}

std::string CLibraryErrorText(int errorNumber) {
    return SystemErrorText(errorNumber);  // the system's codes are the C library's
}

int FileNotFoundCode() {
    return ENOENT;
}
int PathNotFoundCode() {
    return ENOENT;
}
int AccessDeniedCode() {
    return EACCES;
}
int CorruptFileCode() {
    return EIO;
}
int FileExistsCode() {
    return EEXIST;
}
int BusyCode() {
    return EBUSY;
}
int ChangedCode() {
    return ESTALE;
}

}  // namespace sonatrix
