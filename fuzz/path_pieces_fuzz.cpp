// SPDX-License-Identifier: GPL-3.0-or-later
// Path pieces of any bytes under the GBK double-byte rule: the folder part
// and the file name always put the path back together, and the extension
// is a suffix of the name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/path_pieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    for (const auto* rules : {&sonatrix::GbkWindowsRules(), &sonatrix::NativeRules()}) {
        const std::string folder = sonatrix::FolderPart(path, *rules);
        const std::string name = sonatrix::FileNameOf(path, *rules);
        const std::string extension = sonatrix::ExtensionOf(path, *rules);
        if (folder + name != path)
            std::abort();
        if (name.size() < extension.size() ||
            name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
            std::abort();
        if (sonatrix::ParentFolderOf(path, *rules).size() < 4)
            std::abort();
    }
    return 0;
}
