// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as QQ's Config.db: the folder found is the start of the first
// window holding "msg.", cut at its last separator, so it can never reach
// outside the window nor past the window's first zero byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/path_pieces.h"
#include "replace/config_db_scan.h"

namespace {

// The first window, walked byte by byte, whose text holds "msg.".
std::string_view FirstWindowWithMsg(std::string_view bytes, std::size_t& msg) {
    for (std::size_t colon = 1; colon < bytes.size(); ++colon) {
        if (bytes[colon] != ':' || bytes[colon - 1] < 'C' || bytes[colon - 1] > 'Z')
            continue;
        std::string_view window = bytes.substr(colon - 1, sonatrix::kConfigDbWindow);
        window = window.substr(0, window.find('\0'));
        msg = window.find("msg.");
        if (msg != std::string_view::npos)
            return window;
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string folder = sonatrix::RecordedSoundFolder(bytes);
    std::size_t msg = 0;
    const std::string_view window = FirstWindowWithMsg(bytes, msg);
    if (window.empty()) {
        if (!folder.empty())
            std::abort();
        return 0;
    }
    // A drive letter and its colon at least, ending in a separator or a colon.
    if (folder.size() < 2 || folder.size() > window.size() || folder.size() > msg + 7)
        std::abort();
    if (folder.back() != '\\' && folder.back() != ':')
        std::abort();
    if (window.substr(0, folder.size()) != folder)
        std::abort();
    if (folder.find('\0') != std::string::npos)
        std::abort();
    const std::string_view named = window.substr(0, msg + 7);
    if (folder != sonatrix::FolderPart(named, sonatrix::GbkWindowsRules()))
        std::abort();
    return 0;
}
