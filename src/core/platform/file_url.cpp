// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_url.h"

#include <cstdio>

#include "platform/hex_digit.h"

namespace sonatrix {
namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDrivePath(std::string_view path) {
    return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

}  // namespace

std::string FileUrlOfPath(std::string_view utf8Path) {
    std::string url = "file://";
    std::string_view rest = utf8Path;
    const bool windows = IsDrivePath(utf8Path) || utf8Path.starts_with("\\\\");
    if (IsDrivePath(utf8Path)) {
        url += '/';
        url += utf8Path.substr(0, 2);
        rest.remove_prefix(2);
    } else if (windows) {
        url += "///";
        rest.remove_prefix(2);
    }
    for (const char c : rest) {
        const bool plain = IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                           c == '_' || c == '~' || c == '/';
        if (windows && c == '\\') {
            url += '/';
        } else if (plain) {
            url += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X",
                          unsigned(static_cast<unsigned char>(c)));
            url += escaped;
        }
    }
    return url;
}

std::optional<std::string> PathOfFileUrl(std::string_view url) {
    constexpr std::string_view kScheme = "file://";
    if (url.size() < kScheme.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kScheme.size(); ++i) {
        const char lower = IsAsciiLetter(url[i]) ? char(url[i] | 0x20) : url[i];
        if (lower != kScheme[i])
            return std::nullopt;
    }
    url.remove_prefix(kScheme.size());
    std::string path;
    for (std::size_t i = 0; i < url.size(); ++i) {
        const int high = url[i] == '%' && i + 2 < url.size() ? HexValue(url[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(url[i + 2]) : -1;
        if (low >= 0) {
            path += char(high * 16 + low);
            i += 2;
        } else {
            path += url[i];
        }
    }
    // "localhost" names this computer, as an empty host does.
    if (path.starts_with("localhost/"))
        path.erase(0, 9);
    if (path.starts_with("///")) {
        path.erase(0, 1);
    } else if (path.size() >= 3 && path[0] == '/' && IsDrivePath(path.substr(1))) {
        path.erase(0, 1);
    } else if (!path.starts_with("/")) {
        path.insert(0, "//");  // a host: a network path
    } else {
        return path;
    }
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

}  // namespace sonatrix
