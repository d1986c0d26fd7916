// SPDX-License-Identifier: GPL-3.0-or-later
// Read-only access to string values under HKEY_LOCAL_MACHINE.
#pragma once

#include <memory>
#include <string>

namespace sonatrix {

struct RegistryValue {
    enum class Status {
        KeyMissing,    // the key could not be opened
        ValueMissing,  // the key opened; the value is absent (reads as empty)
        String,        // a string or expandable string: `text` holds it
        OtherType,     // a value of another type
    };
    Status status = Status::KeyMissing;
    // The value; on Linux a Windows path is given as the Unix path it names.
    std::string text;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // `key` is written with backslashes, e.g. "software\\TENCENT\\QQ".
    virtual RegistryValue ReadLocalMachineString(const std::string& key,
                                                 const std::string& value) = 0;
};

std::unique_ptr<Registry> MakeNativeRegistry();

// The text of the error a non-string value raises.
std::string InvalidDataTypeText(const std::string& valueName);

}  // namespace sonatrix
