// SPDX-License-Identifier: GPL-3.0-or-later
// HKEY_LOCAL_MACHINE, opened for reading only. The clients are 32-bit
// programs: their keys live in the 32-bit view, which a 64-bit build does
// not see by default, so both views are read.
#include <windows.h>

#include "platform/registry.h"

namespace sonatrix {
namespace {

RegistryValue ReadInView(const std::string& key, const std::string& value, REGSAM view) {
    RegistryValue result;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) !=
        ERROR_SUCCESS)
        return result;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(handle, value.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) {
        result.status = RegistryValue::Status::ValueMissing;
    } else if (type != REG_SZ && type != REG_EXPAND_SZ) {
        result.status = RegistryValue::Status::OtherType;
    } else {
        // The stored bytes need not end in a zero; one more keeps the read safe.
        std::string text(size + 1, '\0');
        DWORD read = size;
        status = RegQueryValueExA(handle, value.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(text.data()), &read);
        if (status == ERROR_SUCCESS) {
            text.resize(read);
            while (!text.empty() && text.back() == '\0')
                text.pop_back();
            result.status = RegistryValue::Status::String;
            result.text = std::move(text);
        } else {
            result.status = RegistryValue::Status::ValueMissing;
        }
    }
    RegCloseKey(handle);
    return result;
}

class WindowsRegistry : public Registry {
  public:
    RegistryValue ReadLocalMachineString(const std::string& key,
                                         const std::string& value) override {
        RegistryValue best;
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            RegistryValue found = ReadInView(key, value, view);
            if (found.status == RegistryValue::Status::String ||
                found.status == RegistryValue::Status::OtherType)
                return found;
            if (found.status == RegistryValue::Status::ValueMissing)
                best = found;
        }
        return best;
    }
};

}  // namespace

std::unique_ptr<Registry> MakeNativeRegistry() {
    return std::make_unique<WindowsRegistry>();
}

}  // namespace sonatrix
