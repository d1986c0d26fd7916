// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace sonatrix::testing {

TempDir::TempDir() {
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate =
            std::filesystem::temp_directory_path() / ("sonatrix-test-" + std::to_string(device()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::TempDir(std::filesystem::path existing) : path_(std::move(existing)), owned_(false) {}

TempDir::~TempDir() {
    std::error_code ignored;
    if (owned_)
        std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Folder() const {
    std::string folder = path_.string();
    folder += std::filesystem::path::preferred_separator;
    return folder;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace sonatrix::testing
