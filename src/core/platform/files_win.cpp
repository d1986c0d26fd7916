// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 files through the narrow (A) functions: paths stay in the ANSI code
// page as the rest of the program holds them.
#include <windows.h>

// <windows.h> maps these names to its A/W functions; here they are the
// interface's own.
#undef CopyFile
#undef DeleteFile

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
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

bool HasWildcard(const std::string& path) {
    return path.find_first_of("*?") != std::string::npos;
}

bool EndsInSeparator(const std::string& folder) {
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

std::string InFolder(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && !EndsInSeparator(path) && path.back() != ':')
        path += '\\';
    path += name;
    return path;
}

// The folder part of `path`, a forward slash counting as a separator too
// (it never occurs as a trail byte of a double-byte character).
std::string FolderOf(const std::string& path) {
    const std::size_t native = FolderPartLength(path);
    const std::size_t slash = path.rfind('/');
    const std::size_t end = slash == std::string::npos ? native : std::max(native, slash + 1);
    return path.substr(0, end);
}

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool IsFolderEntry(const WIN32_FIND_DATAA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A name for the new bytes beside the destination; the dot keeps it out of
// the library tree should the program be stopped before the rename.
std::string TemporaryNameIn(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    return folder + std::string(kTemporaryPrefix) + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + ".tmp";
}

void RemoveTemporary(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path.c_str()))
        Stepped(DiskStep::Kind::Removed, path);
}

// Writes `bytes` to the new file `temporary` and flushes them to the disk.
DWORD WriteNewFile(const std::string& temporary, std::string_view bytes) {
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    Stepped(DiskStep::Kind::Created, temporary);
    DWORD error = 0;
    while (error == 0 && !bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            error = GetLastError();
        bytes.remove_prefix(written);
    }
    if (error == 0 && !FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    if (error == 0)
        Stepped(DiskStep::Kind::Flushed, temporary);
    return error;
}

// CopyFileA leaves the copy's bytes in the system's cache: they reach the
// disk before the copy is renamed over anything.
DWORD Flush(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    const DWORD error = FlushFileBuffers(file) ? 0 : GetLastError();
    CloseHandle(file);
    return error;
}

bool IsTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What is at `path`: a link is followed, as Windows itself does.
int IdentifyAt(const std::string& path, FileIdentity& identity) {
    identity = {};
    if (path.empty() || HasWildcard(path))
        return ERROR_INVALID_NAME;
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (!IsMissing(error))
            return static_cast<int>(error);
        identity.kind = FileIdentity::Kind::Absent;
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool got = GetFileInformationByHandle(file, &info);
    const DWORD error = got ? 0 : GetLastError();
    CloseHandle(file);
    if (!got)
        return static_cast<int>(error);
    identity.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileIdentity::Kind::Folder
                                                                       : FileIdentity::Kind::File;
    identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
        info.ftLastWriteTime.dwLowDateTime);
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return 0;
}

// True when `path` may be replaced by one who expected `expected` there.
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

// Flushes what was created, renamed or removed in `folder`: a folder's
// handle opened for backup takes FlushFileBuffers. A system or file system
// that has no such flush has written it through already
// (MOVEFILE_WRITE_THROUGH).
int SyncFolderAt(const std::string& folder) {
    HANDLE handle = CreateFileA(folder.empty() ? "." : folder.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return IsMissing(error) ? static_cast<int>(error) : 0;
    }
    DWORD error = FlushFileBuffers(handle) ? 0 : GetLastError();
    CloseHandle(handle);
    if (error == ERROR_INVALID_FUNCTION || error == ERROR_ACCESS_DENIED ||
        error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED)
        error = 0;
    if (error == 0)
        Stepped(DiskStep::Kind::FolderSynced, folder);
    return static_cast<int>(error);
}

// Calls `take` with each entry `find` (just opened on `data`) gives, then
// closes it. Returns 0, or the error that stopped the listing part-way.
template <typename Take>
int ReadFound(HANDLE find, WIN32_FIND_DATAA& data, Take take) {
    do
        take(data);
    while (FindNextFileA(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    return error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(error);
}

// The process that wrote the temporary file `name`, or 0 for no such name.
DWORD WriterOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    DWORD pid = 0;
    for (const char c : name.substr(0, name.find('-'))) {
        if (c < '0' || c > '9' || pid > 400'000'000)
            return 0;
        pid = pid * 10 + static_cast<DWORD>(c - '0');
    }
    return pid;
}

bool IsRunning(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

class HandleHeld : public HeldLock {
  public:
    explicit HandleHeld(HANDLE file) : file_(file) {}
    ~HandleHeld() override { CloseHandle(file_); }

  private:
    HANDLE file_;
};

class Win32FileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override {
        // A wildcard would make the probe match some other file.
        if (path.empty() || HasWildcard(path))
            return false;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(path.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        FindClose(find);
        return !IsFolderEntry(data);
    }

    bool FolderExists(const std::string& path) override {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(InFolder(folder, "*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        constexpr DWORD kLeftOut =
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume label */;
        // A listing cut short is no listing: never a part taken for the whole.
        if (ReadFound(find, data, [&](const WIN32_FIND_DATAA& found) {
                if (!(found.dwFileAttributes & kLeftOut))
                    out.push_back({found.cFileName, IsFolderEntry(found)});
            }) != 0)
            out.clear();
        return !out.empty();
    }

    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override {
        out.clear();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(InFolder(folder, pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        if (ReadFound(find, data, [&](const WIN32_FIND_DATAA& found) {
                const std::string_view name = found.cFileName;
                if (name != "." && name != "..")
                    out.push_back({found.cFileName, IsFolderEntry(found)});
            }) != 0)
            out.clear();
        return !out.empty();
    }

    int CopyFile(const std::string& source, const std::string& destination) override {
        // CopyFileA writes over the destination in place, so a failure half
        // way leaves it cut short. The bytes go to a file beside it instead,
        // which then replaces it in one rename.
        const DWORD existing = Attributes(destination);
        if (existing != INVALID_FILE_ATTRIBUTES &&
            (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
            return ERROR_ACCESS_DENIED;  // what CopyFileA itself reports there

        const std::string folder = FolderOf(destination);
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string temporary = TemporaryNameIn(folder);
            if (!CopyFileA(source.c_str(), temporary.c_str(), TRUE)) {
                const DWORD error = GetLastError();
                if (IsTaken(error))
                    continue;
                // The temporary name is ours: a partial copy is removed.
                if (Attributes(temporary) != INVALID_FILE_ATTRIBUTES)
                    RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Created, temporary);
            if (const DWORD error = Flush(temporary)) {
                RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Flushed, temporary);
            if (!MoveFileExA(temporary.c_str(), destination.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                const DWORD error = GetLastError();
                RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Renamed, temporary, destination);
            return 0;
        }
        return ERROR_FILE_EXISTS;
    }

    int WriteWholeFile(const std::string& path, std::string_view bytes) override {
        // As CopyFile: MoveFileExA itself would replace a read-only file under Wine.
        const DWORD existing = Attributes(path);
        if (existing != INVALID_FILE_ATTRIBUTES &&
            (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
            return ERROR_ACCESS_DENIED;
        const std::string folder = FolderOf(path);
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string temporary = TemporaryNameIn(folder);
            DWORD error = WriteNewFile(temporary, bytes);
            if (IsTaken(error))
                continue;
            if (error == 0 && !MoveFileExA(temporary.c_str(), path.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                error = GetLastError();
            if (error != 0) {
                RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Renamed, temporary, path);
            // Whoever relies on these bytes relies on their name too.
            return SyncFolderAt(folder);
        }
        return ERROR_FILE_EXISTS;
    }

    int CreateFolder(const std::string& path) override {
        if (!CreateDirectoryA(path.c_str(), nullptr))
            return static_cast<int>(GetLastError());
        Stepped(DiskStep::Kind::FolderMade, path);
        return 0;
    }

    int ReadWholeFile(const std::string& path, std::string& bytes) override {
        return ReadWith(path, 0, bytes);
    }

    int ReadSharedFile(const std::string& path, std::string& bytes) override {
        // What CopyFileA grants others on its source.
        return ReadWith(path, FILE_SHARE_READ | FILE_SHARE_DELETE, bytes);
    }

    int DeleteFile(const std::string& path) override {
        if (!DeleteFileA(path.c_str()))
            return static_cast<int>(GetLastError());
        Stepped(DiskStep::Kind::Removed, path);
        return 0;
    }

    std::string OnDiskPath(const std::string& path) override {
        // The file name as the disk keeps it. Under Wine two names that
        // differ in case only are two files, and the exact one is found.
        if (path.empty() || HasWildcard(path) || EndsInSeparator(path))
            return path;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(path.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return path;
        FindClose(find);
        return FolderOf(path) + data.cFileName;
    }

    int CreateNewFile(const std::string& path, std::string_view bytes) override {
        // Written whole beside it first, then moved to its name, which fails
        // when the name is taken: nobody ever sees it half-made.
        const std::string folder = FolderOf(path);
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string temporary = TemporaryNameIn(folder);
            DWORD error = WriteNewFile(temporary, bytes);
            if (IsTaken(error))
                continue;
            if (error == 0 && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
                error = GetLastError();
            if (error != 0) {
                RemoveTemporary(temporary);
                return IsTaken(error) ? FileExistsCode() : static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Renamed, temporary, path);
            return SyncFolderAt(folder);
        }
        return ERROR_FILE_EXISTS;
    }

    int LockFile(const std::string& path, int waitMs, std::unique_ptr<HeldLock>& held) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return static_cast<int>(GetLastError());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        for (;;) {
            OVERLAPPED at{};
            if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
                break;
            const DWORD error = GetLastError();
            if (error != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
                CloseHandle(file);
                return error == ERROR_LOCK_VIOLATION ? BusyCode() : static_cast<int>(error);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        held = std::make_unique<HandleHeld>(file);
        return 0;
    }

    // Windows follows its links itself; a link whose target is gone cannot
    // be read, so it is never written over (the command reports it) and no
    // link is ever kept here.
    int ReadLink(const std::string&, std::string&) override { return ERROR_NOT_A_REPARSE_POINT; }
    int MakeLink(const std::string&, const std::string&) override { return ERROR_NOT_SUPPORTED; }

    void RemoveLeftovers(const std::string& folder) override {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(InFolder(folder, ".sonatrix-copy-*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return;
        std::vector<std::string> leftovers;
        do {
            const DWORD writer = WriterOf(data.cFileName);
            if (writer != 0 && writer != GetCurrentProcessId() && !IsRunning(writer))
                leftovers.push_back(InFolder(folder, data.cFileName));
        } while (FindNextFileA(find, &data));
        FindClose(find);
        for (const std::string& leftover : leftovers)
            RemoveTemporary(leftover);
    }

    // No link is made or followed here (see ReadLink), so a settings file is
    // replaced as any file.
    int RewriteFile(const std::string& path, std::string_view bytes) override {
        return WriteWholeFile(path, bytes);
    }

    int Identify(const std::string& path, FileIdentity& identity) override {
        return IdentifyAt(path, identity);
    }

    int ListAll(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(InFolder(folder, "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (!IsMissing(error))
                return static_cast<int>(error);
            // A drive's root lists no "." even when it is there.
            return FolderExists(folder) && error == ERROR_FILE_NOT_FOUND ? 0 : FileNotFoundCode();
        }
        const int error = ReadFound(find, data, [&](const WIN32_FIND_DATAA& found) {
            const std::string_view name = found.cFileName;
            if (name != "." && name != "..")
                out.push_back({found.cFileName, IsFolderEntry(found)});
        });
        if (error != 0)
            out.clear();
        return error;
    }

    int SyncFolder(const std::string& folder) override { return SyncFolderAt(folder); }

    int ReplaceFile(const std::string& source, const std::string& path,
                    FileIdentity& identity) override {
        // MoveFileExA replaces a link itself, never the file it names.
        const DWORD existing = Attributes(path);
        if (existing != INVALID_FILE_ATTRIBUTES &&
            (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
            return ERROR_ACCESS_DENIED;
        const std::string folder = FolderOf(path);
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string temporary = TemporaryNameIn(folder);
            if (!CopyFileA(source.c_str(), temporary.c_str(), TRUE)) {
                const DWORD error = GetLastError();
                if (IsTaken(error))
                    continue;
                if (Attributes(temporary) != INVALID_FILE_ATTRIBUTES)
                    RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            Stepped(DiskStep::Kind::Created, temporary);
            FileIdentity written;
            int error = static_cast<int>(Flush(temporary));
            if (error == 0)
                error = IdentifyAt(temporary, written);
            if (error == 0) {
                Stepped(DiskStep::Kind::Flushed, temporary);
                // The last look, just before the new bytes take its place.
                if (StillAsExpected(path, identity, error) &&
                    !MoveFileExA(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                    error = static_cast<int>(GetLastError());
            }
            if (error != 0) {
                RemoveTemporary(temporary);
                return error;
            }
            Stepped(DiskStep::Kind::Renamed, temporary, path);
            identity = written;
            // Replaced already: should the flush fail, the folder holds the
            // bytes before, which the journal still names.
            SyncFolderAt(folder);
            return 0;
        }
        return ERROR_FILE_EXISTS;
    }

    // No link is ever kept on Windows (see ReadLink).
    int ReplaceWithLink(const std::string&, const std::string&, FileIdentity&) override {
        return ERROR_NOT_SUPPORTED;
    }

    int RemoveEntry(const std::string& path, FileIdentity& identity) override {
        FileIdentity now;
        if (const int error = IdentifyAt(path, now))
            return error;
        if (now.kind != FileIdentity::Kind::Absent) {
            if (identity.kind != FileIdentity::Kind::Unknown && now != identity)
                return ChangedCode();
            if (now.kind == FileIdentity::Kind::Folder)
                return ERROR_ACCESS_DENIED;  // what DeleteFileA says of a folder
            if (!DeleteFileA(path.c_str()))
                return static_cast<int>(GetLastError());
            Stepped(DiskStep::Kind::Removed, path);
            SyncFolderAt(FolderOf(path));
        }
        identity = {};
        identity.kind = FileIdentity::Kind::Absent;
        return 0;
    }

  private:
    static int ReadWith(const std::string& path, DWORD sharing, std::string& bytes) {
        bytes.clear();
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return static_cast<int>(GetLastError());
        int error = 0;
        LARGE_INTEGER size;
        if (!GetFileSizeEx(file, &size)) {
            error = static_cast<int>(GetLastError());
        } else if (size.QuadPart > MAXDWORD) {
            error = ERROR_NOT_ENOUGH_MEMORY;
        } else {
            bytes.resize(static_cast<std::size_t>(size.QuadPart));
            DWORD read = 0;
            if (!bytes.empty() &&
                !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
                error = static_cast<int>(GetLastError());
            bytes.resize(error == 0 ? read : 0);
        }
        CloseHandle(file);
        return error;
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

void SetDiskStepObserver(DiskStepObserver observer) {
    stepObserver = observer;
}

std::string SystemErrorText(int code) {
    char buffer[256];
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    return TrimmedErrorText(std::string(buffer, length));
}

// A Windows folder holds no pipes.
std::FILE* OpenOrdinaryFile(const std::string& path, int& error) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    error = file ? 0 : (errno != 0 ? errno : EIO);
    return file;
}

std::string CLibraryErrorText(int errorNumber) {
    // The C runtime numbers its errors apart from the system's codes.
    return TrimmedErrorText(std::strerror(errorNumber));
}

int FileNotFoundCode() {
    return ERROR_FILE_NOT_FOUND;
}
int PathNotFoundCode() {
    return ERROR_PATH_NOT_FOUND;
}
int AccessDeniedCode() {
    return ERROR_ACCESS_DENIED;
}
int CorruptFileCode() {
    return ERROR_FILE_CORRUPT;
}
int FileExistsCode() {
    return ERROR_FILE_EXISTS;
}
int BusyCode() {
    return ERROR_BUSY;
}
int ChangedCode() {
    return ERROR_FILE_INVALID;
}

}  // namespace sonatrix
