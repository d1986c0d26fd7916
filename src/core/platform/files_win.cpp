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
#include <cstdio>
#include <cstring>

#include "platform/error_text.h"
#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

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
    return folder + ".sonatrix-copy-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + ".tmp";
}

void RemoveTemporary(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

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
        do {
            if (!(data.dwFileAttributes & kLeftOut))
                out.push_back({data.cFileName, IsFolderEntry(data)});
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return !out.empty();
    }

    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override {
        out.clear();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(InFolder(folder, pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        do {
            const std::string_view name = data.cFileName;
            if (name != "." && name != "..")
                out.push_back({data.cFileName, IsFolderEntry(data)});
        } while (FindNextFileA(find, &data));
        FindClose(find);
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
                if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                    continue;
                // The temporary name is ours: a partial copy is removed.
                if (Attributes(temporary) != INVALID_FILE_ATTRIBUTES)
                    RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
            if (!MoveFileExA(temporary.c_str(), destination.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                const DWORD error = GetLastError();
                RemoveTemporary(temporary);
                return static_cast<int>(error);
            }
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
            HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                const DWORD error = GetLastError();
                if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                    continue;
                return static_cast<int>(error);
            }
            DWORD error = 0;
            std::string_view rest = bytes;
            while (error == 0 && !rest.empty()) {
                const DWORD chunk =
                    static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1u << 20));
                DWORD written = 0;
                if (!WriteFile(file, rest.data(), chunk, &written, nullptr))
                    error = GetLastError();
                rest.remove_prefix(written);
            }
            if (error == 0 && !FlushFileBuffers(file))
                error = GetLastError();
            CloseHandle(file);
            if (error == 0 && !MoveFileExA(temporary.c_str(), path.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                error = GetLastError();
            if (error != 0)
                RemoveTemporary(temporary);
            return static_cast<int>(error);
        }
        return ERROR_FILE_EXISTS;
    }

    int CreateFolder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) ? 0 : static_cast<int>(GetLastError());
    }

    int ReadWholeFile(const std::string& path, std::string& bytes) override {
        return ReadWith(path, 0, bytes);
    }

    int ReadSharedFile(const std::string& path, std::string& bytes) override {
        // What CopyFileA grants others on its source.
        return ReadWith(path, FILE_SHARE_READ | FILE_SHARE_DELETE, bytes);
    }

    int DeleteFile(const std::string& path) override {
        return DeleteFileA(path.c_str()) ? 0 : static_cast<int>(GetLastError());
    }

    std::string OnDiskPath(const std::string& path) override { return path; }

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

}  // namespace sonatrix
