// SPDX-License-Identifier: GPL-3.0-or-later
// Any Windows path mapped into one fixed Wine prefix: no backslash and no
// empty component survive, a trailing separator is kept, and the result
// lies under the drive's folder or is empty exactly when the path has no
// drive letter of that prefix.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/wine_prefix.h"

namespace {
namespace fs = std::filesystem;

// drive_c with "Program Files/Tencent/QQ/Misc/sound", and c: only. Never
// destroyed, so that the clean-up at exit can still read it.
const std::string& Prefix() {
    static const std::string& prefix = *new std::string([] {
        const fs::path root =
            fs::temp_directory_path() / ("sonatrix-wine-fuzz-" + std::to_string(getpid()));
        fs::create_directories(root / "drive_c" / "Program Files" / "Tencent" / "QQ" / "Misc" /
                               "sound");
        fs::create_directories(root / "dosdevices");
        std::ofstream(root / "system.reg") << "WINE REGISTRY Version 2\n";
        std::error_code ignored;
        fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:", ignored);
        std::atexit([] {
            std::error_code error;
            fs::remove_all(fs::path(Prefix()), error);
        });
        return root.string();
    }());
    return prefix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::string unix = sonatrix::UnixPathInPrefix(Prefix(), path);
    const bool onC = sonatrix::HasDriveLetter(path) && (path[0] == 'c' || path[0] == 'C');
    if (unix.empty() != !onC)
        std::abort();
    if (unix.empty())
        return 0;
    const std::string drive = Prefix() + "/drive_c";
    if (!unix.starts_with(drive))
        std::abort();
    if (unix.find('\\') != std::string::npos || unix.find("//") != std::string::npos)
        std::abort();
    const bool trailing = path.size() > 2 && (path.back() == '\\' || path.back() == '/');
    if (trailing != (unix.back() == '/'))
        std::abort();
    return 0;
}
