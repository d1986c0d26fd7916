// SPDX-License-Identifier: GPL-3.0-or-later
// Every entry below a folder by relative path, to show that a command
// changed only what it should: a file's bytes, a folder's mark, a link's
// target.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "temp_dir.h"

namespace sonatrix::testing {

using TreeSnapshot = std::map<std::string, std::string>;

// `leftOut`: a folder below `root` whose contents are not taken (the
// program's store of originals, which the store's own tests look at).
inline TreeSnapshot TakeSnapshot(const std::filesystem::path& root,
                                 const std::string& leftOut = {}) {
    namespace fs = std::filesystem;
    TreeSnapshot shot;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it) {
        // As named, not as resolved: a link to a file is itself.
        const std::string name = it->path().lexically_relative(root).string();
        if (!leftOut.empty() && name == leftOut) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink())
            shot[name] = "<link to " + fs::read_symlink(it->path()).string() + ">";
        else if (it->is_directory())
            shot[name] = "<folder>";
        else
            shot[name] = ReadFile(it->path());
    }
    return shot;
}

}  // namespace sonatrix::testing
