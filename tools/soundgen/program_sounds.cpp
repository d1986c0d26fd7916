// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_sounds.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "catalogue/catalogue.h"
#include "dsp.h"
#include "platform/path_pieces.h"
#include "recipes.h"
#include "render.h"
#include "wav_file.h"

namespace sonatrix::soundgen {
namespace {

std::string LibraryFolder(const LibraryCategory& category) {
    return std::string(kLibraryFolderName) + "\\" + category.folder;
}

// The backup folder names end in a backslash; the folder list does not.
std::string WithoutTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool HoldsExactly(const std::filesystem::path& file, const std::string& bytes) {
    // Reading a folder as a file throws from the stream buffer: look first.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) ||
        std::filesystem::file_size(file, ec) != bytes.size() || ec)
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::string current((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    return current == bytes;
}

std::optional<std::string> WriteWhole(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::path part = file;
    part += ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out)
            return std::generic_category().message(errno);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const int error = errno;
            std::error_code ignored;
            std::filesystem::remove(part, ignored);
            return std::generic_category().message(error);
        }
    }
    std::error_code ec;
    std::filesystem::rename(part, file, ec);
    std::error_code ignored;
    if (ec && std::filesystem::is_regular_file(file, ignored)) {
        // Some systems refuse to rename over an existing file; never remove
        // anything else in its place.
        std::filesystem::remove(file, ignored);
        std::filesystem::rename(part, file, ec);
    }
    if (ec) {
        std::filesystem::remove(part, ignored);
        return ec.message();
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> ShippedSoundPaths() {
    std::vector<std::string> paths;
    for (const LibraryCategory& category : kLibraryCategories)
        for (const char* file : category.files)
            if (file != nullptr)
                paths.push_back(LibraryFolder(category) + "\\" + file);
    for (const char* file : kQQBackupFiles)
        paths.push_back(std::string(kQQBackupFolder) + file);
    for (const char* file : kMsnBackupFiles)
        paths.push_back(std::string(kMsnBackupFolder) + file);
    return paths;
}

std::vector<std::string> ShippedFolders() {
    std::vector<std::string> folders;
    for (const LibraryCategory& category : kLibraryCategories)
        folders.push_back(LibraryFolder(category));
    folders.push_back(WithoutTrailingBackslash(kQQBackupFolder));
    folders.push_back(WithoutTrailingBackslash(kMsnBackupFolder));
    return folders;
}

std::filesystem::path OnDisk(const std::filesystem::path& appDir, const std::string& backslashed) {
    const std::string native = NativePath(backslashed);
    return appDir / std::filesystem::path(std::u8string(
                        reinterpret_cast<const char8_t*>(native.data()), native.size()));
}

std::optional<WriteFailure> WriteProgramSounds(const std::filesystem::path& appDir,
                                               int* filesWritten) {
    int written = 0;
    for (const std::string& folder : ShippedFolders()) {
        std::error_code ec;
        std::filesystem::create_directories(OnDisk(appDir, folder), ec);
        if (ec)
            return WriteFailure{folder, ec.message()};
    }
    for (const std::string& path : ShippedSoundPaths()) {
        const Recipe* recipe = FindRecipe(path);
        if (recipe == nullptr)
            return WriteFailure{path, "the generator has no recipe for this file"};
        const std::string bytes = EncodeWav16(Render(*recipe), kSampleRate);
        const std::filesystem::path file = OnDisk(appDir, path);
        if (HoldsExactly(file, bytes))
            continue;
        if (auto reason = WriteWhole(file, bytes))
            return WriteFailure{path, *reason};
        ++written;
    }
    if (filesWritten != nullptr)
        *filesWritten = written;
    return std::nullopt;
}

}  // namespace sonatrix::soundgen
