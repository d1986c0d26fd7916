// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh temporary folder for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace sonatrix::testing {

class TempDir {
  public:
    TempDir();
    // A folder another process made: used as it is, and left in place.
    explicit TempDir(std::filesystem::path existing);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as the program writes folders: with a trailing separator.
    std::string Folder() const;

  private:
    std::filesystem::path path_;
    bool owned_ = true;
};

// Writes `bytes` to `path`, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// `path` in the platform's narrow encoding, the way the program holds paths.
// On Windows std::filesystem's string() gives UTF-8, not the ANSI code page
// that the program's Win32 calls use.
std::string NarrowPath(const std::filesystem::path& path);
// The other way: a path from bytes in that encoding (a test's own names,
// written in the source as UTF-8, name what the program would name with
// the same bytes).
std::filesystem::path PathFromNarrow(const std::string& narrow);

}  // namespace sonatrix::testing
