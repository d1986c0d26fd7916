// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wine_prefix.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/path_pieces.h"

namespace sonatrix {
namespace fs = std::filesystem;
namespace {

bool IsPrefix(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "drive_c", error) &&
           fs::is_regular_file(folder / "system.reg", error);
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

// The entry of `folder` that equals `name` ignoring ASCII case, if any.
bool FindIgnoringCase(const fs::path& folder, const std::string& name, std::string& found) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (SameIgnoringAsciiCase(candidate, name)) {
            found = candidate;
            return true;
        }
    }
    return false;
}

// The folder a drive letter stands for, from its "dosdevices" link.
std::string DriveRoot(const std::string& prefix, char letter) {
    const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter + 32) : letter;
    const fs::path devices = fs::path(prefix) / "dosdevices";
    const fs::path link = devices / std::string{lower, ':'};
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error)
        return fs::is_directory(link, error) ? link.string() : std::string();
    // "../drive_c" is relative to the dosdevices folder itself.
    const fs::path root = target.is_absolute() ? target : (devices / target).lexically_normal();
    std::string text = root.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace

std::string PrefixHolding(const std::string& path) {
    if (path.empty())
        return {};
    fs::path folder = fs::path(path);
    for (int depth = 0; depth < 256; ++depth) {
        if (IsPrefix(folder)) {
            std::string text = folder.string();
            while (text.size() > 1 && text.back() == '/')
                text.pop_back();
            return text;
        }
        const fs::path up = folder.parent_path();
        if (up == folder || up.empty())
            break;
        folder = up;
    }
    return {};
}

std::string ChooseWinePrefix(const std::string& nearPath, const char* winePrefixVariable,
                             const char* home) {
    if (std::string holding = PrefixHolding(nearPath); !holding.empty())
        return holding;
    if (winePrefixVariable && *winePrefixVariable)
        return winePrefixVariable;
    if (home && *home)
        return std::string(home) + "/.wine";
    return {};
}

std::string ChooseWinePrefix(const std::string& nearPath) {
    return ChooseWinePrefix(nearPath, std::getenv("WINEPREFIX"), std::getenv("HOME"));
}

bool HasDriveLetter(std::string_view windowsPath) {
    return windowsPath.size() >= 2 && windowsPath[1] == ':' &&
           ((windowsPath[0] >= 'A' && windowsPath[0] <= 'Z') ||
            (windowsPath[0] >= 'a' && windowsPath[0] <= 'z'));
}

std::string UnixPathInPrefix(const std::string& prefix, std::string_view windowsPath) {
    if (prefix.empty() || !HasDriveLetter(windowsPath))
        return {};
    std::string result = DriveRoot(prefix, windowsPath[0]);
    if (result.empty())
        return {};
    const std::string_view rest = windowsPath.substr(2);
    bool matching = true;  // false once a component matched nothing on disk
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = rest.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = rest.size();
        const std::string component(rest.substr(start, end - start));
        start = end + 1;
        if (component.empty())
            continue;
        if (result.back() != '/')
            result += '/';
        if (matching && component != "." && component != ".." && !Exists(result + component)) {
            std::string found;
            if (FindIgnoringCase(result, component, found)) {
                result += found;
                continue;
            }
            matching = false;
        }
        result += component;
    }
    const bool trailing = !rest.empty() && (rest.back() == '\\' || rest.back() == '/');
    if (trailing && result.back() != '/')
        result += '/';
    return result;
}

}  // namespace sonatrix
