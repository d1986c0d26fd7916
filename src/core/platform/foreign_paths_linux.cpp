// SPDX-License-Identifier: GPL-3.0-or-later
// Windows paths met on Linux name files through a Wine prefix. Those read
// from a QQ settings file are in the GBK code page, while Wine keeps file
// names in UTF-8: such a path is read as GBK before it is mapped, unless
// its bytes as they are name something on disk.
#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/foreign_paths.h"
#include "platform/wine_prefix.h"

namespace sonatrix {
namespace {

bool IsValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80           ? 1
                             : (c >> 5) == 0x6  ? 2
                             : (c >> 4) == 0xE  ? 3
                             : (c >> 3) == 0x1E ? 4
                                                : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// The GBK bytes as UTF-8; empty when they are not GBK.
std::string GbkToUtf8(const std::string& bytes) {
    iconv_t convert = ::iconv_open("UTF-8", "GBK");
    if (convert == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(bytes.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(convert, &in, &inLeft, &to, &outLeft);
    ::iconv_close(convert);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0)
        return {};
    out.resize(out.size() - outLeft);
    return out;
}

bool PathExists(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string NativePathFromWindows(const std::string& windowsPath, const std::string& nearPath) {
    const std::string prefix = ChooseWinePrefix(nearPath);
    const std::string asWritten = UnixPathInPrefix(prefix, windowsPath);
    if (IsValidUtf8(windowsPath))
        return asWritten;
    const std::string decoded = GbkToUtf8(windowsPath);
    if (decoded.empty() || PathExists(asWritten))
        return asWritten;
    return UnixPathInPrefix(prefix, decoded);
}

}  // namespace sonatrix
