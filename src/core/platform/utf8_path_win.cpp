// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "platform/utf8_path.h"

namespace sonatrix {
namespace {

std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty())
        return {};
    const int wideSize = MultiByteToWideChar(from, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(wideSize, L'\0');
    MultiByteToWideChar(from, 0, text.data(), int(text.size()), wide.data(), wideSize);
    const int size =
        WideCharToMultiByte(to, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideSize, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

// Narrow paths are in the ANSI code page (UTF-8 itself where the program's
// manifest makes it so).
std::string Utf8OfNativePath(const std::string& path) {
    return Convert(path, CP_ACP, CP_UTF8);
}

std::string NativePathOfUtf8(const std::string& utf8) {
    return Convert(utf8, CP_UTF8, CP_ACP);
}

}  // namespace sonatrix
