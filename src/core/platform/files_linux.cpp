// POSIX files. Names are bytes; a path that does not exist as written is
// looked up component by component without regard to ASCII letter case, as
// Wine does, so that the Windows clients' mixed-case names are found.
#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

bool StatPath(const std::string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// The name in `folder` that equals `name` ignoring ASCII case, if any.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string& found) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    bool matched = false;
    while (dirent* entry = ::readdir(dir)) {
        if (SameIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            matched = true;
            break;
        }
    }
    ::closedir(dir);
    return matched;
}

// Resolves the components of `path` against what is on disk, from the
// deepest one that exists: a probe that fails (the usual case on a poll
// tick) costs one lstat per missing level and one listing. Leaves the path
// as it is when it exists or some component has no match.
std::string ResolveCase(const std::string& path) {
    struct stat info;
    if (path.empty() || ::lstat(path.c_str(), &info) == 0)
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
    if (leaf == "." || leaf == ".." || leaf.empty())
        return path;
    const std::string resolvedParent = parent.empty() ? parent : ResolveCase(parent);
    if (!parent.empty() && ::lstat(resolvedParent.c_str(), &info) != 0)
        return path;
    const std::string prefix =
        resolvedParent.empty() ? "" : (resolvedParent == "/" ? "/" : resolvedParent + "/");
    if (::lstat((prefix + leaf).c_str(), &info) == 0)
        return prefix + leaf + tail;
    std::string found;
    if (!FindIgnoringCase(resolvedParent, leaf, found))
        return path;
    return prefix + found + tail;
}

bool IsFolderEntry(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat info;
    return StatPath(folder + entry.d_name, info) && S_ISDIR(info.st_mode);
}

// "*.wav" and the like: '*' and '?' wildcards, letters compared ignoring case.
bool MatchesPattern(const char* name, const char* pattern) {
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    while (*pattern) {
        if (*pattern == '*') {
            ++pattern;
            for (const char* rest = name;; ++rest) {
                if (MatchesPattern(rest, pattern))
                    return true;
                if (!*rest)
                    return false;
            }
        }
        if (!*name)
            return false;
        if (*pattern != '?' && fold(static_cast<unsigned char>(*pattern)) !=
                                   fold(static_cast<unsigned char>(*name)))
            return false;
        ++pattern;
        ++name;
    }
    return *name == '\0';
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

class PosixFileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override {
        struct stat info;
        return StatPath(ResolveCase(path), info) && !S_ISDIR(info.st_mode);
    }

    bool FolderExists(const std::string& path) override {
        struct stat info;
        return StatPath(ResolveCase(path), info) && S_ISDIR(info.st_mode);
    }

    bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        const std::string base = WithTrailingSeparator(ResolveCase(folder));
        DIR* dir = ::opendir(base.c_str());
        if (!dir)
            return false;
        while (dirent* entry = ::readdir(dir))
            out.push_back({entry->d_name, IsFolderEntry(base, *entry)});
        ::closedir(dir);
        return !out.empty();
    }

    bool ListPattern(const std::string& folder, std::string_view pattern,
                     std::vector<DirEntry>& out) override {
        out.clear();
        const std::string base = folder.empty() ? std::string() : ResolveCase(folder);
        DIR* dir = ::opendir(base.empty() ? "." : base.c_str());
        if (!dir)
            return false;
        const std::string wanted(pattern);
        const std::string prefix = base.empty() ? std::string() : WithTrailingSeparator(base);
        while (dirent* entry = ::readdir(dir)) {
            const bool dots = !strcmp(entry->d_name, ".") || !strcmp(entry->d_name, "..");
            if (!dots && MatchesPattern(entry->d_name, wanted.c_str()))
                out.push_back({entry->d_name, IsFolderEntry(prefix, *entry)});
        }
        ::closedir(dir);
        return !out.empty();
    }

    int CopyFile(const std::string& source, const std::string& destination) override {
        const std::string from = ResolveCase(source);
        const std::string to = ResolveCase(destination);
        const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return errno;
        struct stat sourceInfo;
        if (::fstat(in, &sourceInfo) != 0 || S_ISDIR(sourceInfo.st_mode)) {
            const int error = S_ISDIR(sourceInfo.st_mode) ? EISDIR : errno;
            ::close(in);
            return error;
        }
        struct stat targetInfo;
        if (::stat(to.c_str(), &targetInfo) == 0 && S_ISDIR(targetInfo.st_mode)) {
            ::close(in);
            return EISDIR;
        }
        if (::access(to.c_str(), F_OK) == 0 && ::access(to.c_str(), W_OK) != 0) {
            const int error = errno;
            ::close(in);
            return error;
        }

        // The new bytes go to a temporary file beside the destination, which
        // is then renamed over it: the destination is never half-written.
        std::string temporary = FolderPart(to) + ".sonatrix-copy-XXXXXX";
        const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (out < 0) {
            const int error = errno;
            ::close(in);
            return error;
        }
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
        if (error == 0 && ::fchmod(out, sourceInfo.st_mode & 0777) != 0)
            error = errno;
        if (error == 0 && ::fsync(out) != 0)
            error = errno;
        if (::close(out) != 0 && error == 0)
            error = errno;
        if (error == 0 && ::rename(temporary.c_str(), to.c_str()) != 0)
            error = errno;
        if (error != 0)
            ::unlink(temporary.c_str());
        return error;
    }

    int CreateFolder(const std::string& path) override {
        return ::mkdir(ResolveCase(path).c_str(), 0777) == 0 ? 0 : errno;
    }

    int ReadWholeFile(const std::string& path, std::string& bytes) override {
        bytes.clear();
        const int fd = ::open(ResolveCase(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        struct stat info;
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
        ::close(fd);
        return 0;
    }

    int DeleteFile(const std::string& path) override {
        return ::unlink(ResolveCase(path).c_str()) == 0 ? 0 : errno;
    }

    std::string OnDiskPath(const std::string& path) override { return ResolveCase(path); }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() { return std::make_unique<PosixFileSystem>(); }

std::string SystemErrorText(int code) {
    // The user's language, as the rest of the system speaks to them.
    static const locale_t userLocale = ::newlocale(LC_ALL_MASK, "", nullptr);
    std::string text = userLocale ? ::strerror_l(code, userLocale) : ::strerror(code);
    if (text.rfind("Unknown error", 0) == 0)
        return {};
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.' && last != 0x7F)
            break;
        text.pop_back();
    }
    return text;
}

int FileNotFoundCode() { return ENOENT; }
int AccessDeniedCode() { return EACCES; }

}  // namespace sonatrix
