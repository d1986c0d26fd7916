// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "own_registry.h"
#include "scoped_env_linux.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

// Reads through the native registry with WINEPREFIX pointing at the test's
// prefix for the length of each read, so neither the machine's ~/.wine nor
// a $WINEPREFIX of the caller is ever looked at.
class OwnPrefixRegistry : public Registry {
  public:
    explicit OwnPrefixRegistry(std::string prefix)
        : prefix_(std::move(prefix)), native_(MakeNativeRegistry()) {}

    RegistryValue ReadLocalMachineString(const std::string& key,
                                         const std::string& value) override {
        ScopedEnv prefix("WINEPREFIX", prefix_.c_str());
        return native_->ReadLocalMachineString(key, value);
    }

  private:
    std::string prefix_;
    std::unique_ptr<Registry> native_;
};

}  // namespace

std::unique_ptr<Registry> MakeOwnRegistry(const std::filesystem::path& root) {
    const std::filesystem::path prefix = root / "wineprefix";
    std::filesystem::create_directories(prefix / "drive_c");
    WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
    return std::make_unique<OwnPrefixRegistry>(prefix.string());
}

}  // namespace sonatrix::testing
