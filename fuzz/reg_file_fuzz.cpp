// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as Wine's system.reg. The first byte chooses whether the
// header is put in front, so that most runs reach the keys and values.
// Every key found can be found again by its name, key names are unique
// ignoring case, and every string read stops before its first NUL.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/path_pieces.h"
#include "platform/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::string bytes;
    if (data[0] & 1)
        bytes = "WINE REGISTRY Version 2\n";
    bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto file = sonatrix::ParseRegFile(bytes);
    if (!file)
        return 0;
    if (!bytes.starts_with("WINE REGISTRY Version 2"))
        std::abort();
    for (const sonatrix::RegKey& key : file->keys) {
        if (sonatrix::FindRegKey(*file, key.name) != &key)
            std::abort();
        for (const sonatrix::RegValue& value : key.values) {
            if (sonatrix::FindRegValue(key, value.name) != &value)
                std::abort();
            if (const auto text = sonatrix::RegStringOf(value)) {
                if (text->find('\0') != std::string::npos)
                    std::abort();
            } else if (value.type == sonatrix::kRegSz || value.type == sonatrix::kRegExpandSz) {
                std::abort();
            }
        }
    }
    return 0;
}
