// SPDX-License-Identifier: GPL-3.0-or-later
// Paths read as bytes from a QQ settings file were written on a Chinese
// system, in the GBK code page. The program runs with the UTF-8 code page
// where Windows offers it (its manifest asks for it), so its narrow calls
// take UTF-8: such a path is read as GBK, unless its bytes as they are
// already name something or are UTF-8 themselves. On a system that keeps
// the program in GBK the bytes are used as they are.
#include <windows.h>

#include "platform/foreign_paths.h"

namespace sonatrix {
namespace {

constexpr UINT kGbk = 936;

// `bytes` of code page `from` in code page `to`; empty when they are not
// valid in `from`.
std::string Recode(const std::string& bytes, UINT from, UINT to) {
    if (bytes.empty())
        return {};
    const int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
    if (wide <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        text.data(), wide);
    const int narrow = WideCharToMultiByte(to, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0)
        return {};
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, text.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

bool IsUtf8(const std::string& bytes) {
    return bytes.empty() || !Recode(bytes, CP_UTF8, CP_UTF8).empty();
}

}  // namespace

std::string NativePathFromWindows(const std::string& windowsPath, const std::string&) {
    if (GetACP() != CP_UTF8 || IsUtf8(windowsPath) ||
        GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        return windowsPath;
    const std::string decoded = Recode(windowsPath, kGbk, CP_UTF8);
    return decoded.empty() ? windowsPath : decoded;
}

}  // namespace sonatrix
