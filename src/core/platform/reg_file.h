// SPDX-License-Identifier: GPL-3.0-or-later
// Wine's registry files (system.reg): bytes in, keys and values out. No
// file access here, so that any bytes at all can be fed to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

// Registry value types, as Windows numbers them.
enum RegType : std::uint32_t {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

struct RegValue {
    std::string name;  // "" for the default value ("@")
    std::uint32_t type = kRegSz;
    // Written as a quoted string ("..." or str(N):"..."): `data` is its text
    // in UTF-8. Otherwise `data` holds the value's raw bytes (a dword as
    // four little-endian bytes).
    bool quoted = false;
    std::string data;
};

struct RegKey {
    std::string name;  // relative to the file's root, backslash-separated
    std::vector<RegValue> values;
};

struct RegFile {
    std::vector<RegKey> keys;
};

// Nothing when the bytes do not start with "WINE REGISTRY Version 2". A
// line that cannot be read (a value cut off, an unknown form) is passed
// over; everything readable around it is kept.
std::optional<RegFile> ParseRegFile(std::string_view bytes);

// The key named `name` ignoring ASCII case, or null.
const RegKey* FindRegKey(const RegFile& file, std::string_view name);
// The value named `name` ignoring ASCII case ("" for the default), or null.
const RegValue* FindRegValue(const RegKey& key, std::string_view name);

// The text of a string or expandable string in UTF-8, up to its first NUL;
// nothing for a value of any other type.
std::optional<std::string> RegStringOf(const RegValue& value);

}  // namespace sonatrix
