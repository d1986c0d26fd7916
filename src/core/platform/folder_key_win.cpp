// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "platform/folder_key.h"

namespace sonatrix {
namespace {

// One case, as the file system compares names (in the ANSI code page, so
// double-byte characters are folded as characters).
std::string Folded(std::string text) {
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A path function's result in a buffer that grows to what it asks for.
template <typename Call>
std::string PathFrom(Call call) {
    std::string buffer(MAX_PATH, '\0');
    DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size())
        return {};
    buffer.resize(length);
    return buffer;
}

}  // namespace

std::string FolderKey(const std::string& folder) {
    if (folder.empty())
        return {};
    const std::string full = PathFrom([&](char* out, DWORD size) {
        return GetFullPathNameA(folder.c_str(), size, out, nullptr);
    });
    if (full.empty())
        return {};
    const DWORD attributes = GetFileAttributesA(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    // Long names, so that "PROGRA~1" and "Program Files" are one folder.
    std::string key =
        PathFrom([&](char* out, DWORD size) { return GetLongPathNameA(full.c_str(), out, size); });
    if (key.empty())
        key = full;
    key = Folded(key);
    if (key.back() != '\\')
        key += '\\';
    return key;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Folded(std::string(a)) == Folded(std::string(b));
}

}  // namespace sonatrix
