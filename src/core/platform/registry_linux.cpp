// Placeholder until the Wine registry reader lands: no key can be opened.
#include "platform/registry.h"

namespace sonatrix {
namespace {
class NoRegistry : public Registry {
public:
    RegistryValue ReadLocalMachineString(const std::string&, const std::string&) override {
        return {};
    }
};
}  // namespace

std::unique_ptr<Registry> MakeNativeRegistry() { return std::make_unique<NoRegistry>(); }

std::string InvalidDataTypeText(const std::string& valueName) {
    return "Invalid data type for '" + valueName + "'";
}

}  // namespace sonatrix
