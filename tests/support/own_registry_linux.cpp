#include <cstdlib>
#include <optional>
#include <string>

#include "own_registry.h"
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
        std::optional<std::string> saved;
        if (const char* old = std::getenv("WINEPREFIX"))
            saved = old;
        ::setenv("WINEPREFIX", prefix_.c_str(), 1);
        RegistryValue result = native_->ReadLocalMachineString(key, value);
        if (saved)
            ::setenv("WINEPREFIX", saved->c_str(), 1);
        else
            ::unsetenv("WINEPREFIX");
        return result;
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
