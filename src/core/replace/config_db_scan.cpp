// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/config_db_scan.h"

#include <algorithm>
#include <cstring>

#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

constexpr std::string_view kMsg = "msg.";
// "msg." and the three bytes after it ("wav").
constexpr std::size_t kMsgNameLength = kMsg.size() + 3;

bool IsDriveLetter(char c) {
    return c >= 'C' && c <= 'Z';
}

// The candidate window from `letter` on: at most 256 bytes, ending at the
// first zero byte, since the path reaches the system as a C string.
std::string_view WindowAt(std::string_view bytes, std::size_t letter) {
    const std::size_t size = std::min(kConfigDbWindow, bytes.size() - letter);
    const char* start = bytes.data() + letter;
    const void* zero = std::memchr(start, '\0', size);
    const std::size_t length = zero ? static_cast<const char*>(zero) - start : size;
    return {start, length};
}

}  // namespace

std::string RecordedSoundFolder(std::string_view bytes) {
    if (bytes.size() < 2)
        return {};
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    // A colon in the first byte has no letter before it.
    const char* at = begin + 1;
    while (at < end) {
        const void* found = std::memchr(at, ':', static_cast<std::size_t>(end - at));
        if (!found)
            break;
        const char* colon = static_cast<const char*>(found);
        at = colon + 1;
        if (!IsDriveLetter(colon[-1]))
            continue;
        const std::string_view window =
            WindowAt(bytes, static_cast<std::size_t>(colon - 1 - begin));
        const std::size_t msg = window.find(kMsg);
        if (msg == std::string_view::npos)
            continue;
        const std::string_view path = window.substr(0, msg + kMsgNameLength);
        return FolderPart(path, GbkWindowsRules());
    }
    return {};
}

}  // namespace sonatrix
