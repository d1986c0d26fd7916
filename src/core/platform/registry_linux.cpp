// SPDX-License-Identifier: GPL-3.0-or-later
// HKEY_LOCAL_MACHINE under Wine: the prefix's system.reg, read afresh at
// every lookup and never written (wineserver replaces it by rename, so a
// read never sees half a file).
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/path_pieces.h"
#include "platform/reg_file.h"
#include "platform/registry.h"
#include "platform/wine_prefix.h"

namespace sonatrix {
namespace {

std::string WithoutOuterBackslashes(std::string key) {
    while (!key.empty() && key.front() == '\\')
        key.erase(0, 1);
    while (!key.empty() && key.back() == '\\')
        key.pop_back();
    return key;
}

// Where a 32-bit client on a 64-bit prefix keeps its keys
// ("Software\Wow6432Node\TENCENT\QQ"), then the key as named. A 32-bit
// reader on Windows is sent to the former first, so it comes first here.
std::vector<std::string> KeyViews(const std::string& key) {
    std::vector<std::string> views;
    const std::size_t first = key.find('\\');
    if (first != std::string::npos && SameIgnoringAsciiCase(key.substr(0, first), "Software")) {
        const std::size_t second = key.find('\\', first + 1);
        const std::string next = key.substr(first + 1, second - first - 1);
        if (!SameIgnoringAsciiCase(next, "Wow6432Node"))
            views.push_back(key.substr(0, first) + "\\Wow6432Node" + key.substr(first));
    }
    views.push_back(key);
    return views;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

class WineRegistry : public Registry {
  public:
    RegistryValue ReadLocalMachineString(const std::string& key,
                                         const std::string& value) override {
        RegistryValue result;  // KeyMissing
        const std::string prefix = ChooseWinePrefix(std::string());
        std::string bytes;
        if (prefix.empty() || !ReadFileBytes(prefix + "/system.reg", bytes))
            return result;
        const std::optional<RegFile> file = ParseRegFile(bytes);
        if (!file)
            return result;
        for (const std::string& view : KeyViews(WithoutOuterBackslashes(key))) {
            const RegKey* found = FindRegKey(*file, view);
            if (!found)
                continue;
            result.status = RegistryValue::Status::ValueMissing;
            const RegValue* entry = FindRegValue(*found, value);
            if (!entry)
                continue;
            std::optional<std::string> text = RegStringOf(*entry);
            if (!text) {
                result.status = RegistryValue::Status::OtherType;
                return result;
            }
            result.status = RegistryValue::Status::String;
            result.text = std::move(*text);
            // A folder recorded by a Windows installer, as it is found here.
            if (HasDriveLetter(result.text)) {
                if (std::string mapped = UnixPathInPrefix(prefix, result.text); !mapped.empty())
                    result.text = std::move(mapped);
            }
            return result;
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<Registry> MakeNativeRegistry() {
    return std::make_unique<WineRegistry>();
}

}  // namespace sonatrix
