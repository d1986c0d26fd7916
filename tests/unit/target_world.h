// SPDX-License-Identifier: GPL-3.0-or-later
// What the discovery and restore tests share: a main window over the real
// files and the real process walk, with a registry the test fills.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/main_model.h"
#include "platform/registry.h"
#include "standin_process.h"
#include "test_world.h"

namespace sonatrix::testing {

// HKEY_LOCAL_MACHINE as a table; the Wine reader is tested on its own.
class MapRegistry : public Registry {
  public:
    void Set(const std::string& key, const std::string& value, RegistryValue content) {
        values_[{key, value}] = std::move(content);
    }
    RegistryValue ReadLocalMachineString(const std::string& key,
                                         const std::string& value) override {
        reads.push_back(key + "|" + value);
        auto found = values_.find({key, value});
        return found == values_.end() ? RegistryValue{} : found->second;
    }
    std::vector<std::string> reads;

  private:
    std::map<std::pair<std::string, std::string>, RegistryValue> values_;
};

inline RegistryValue StringValue(std::string text) {
    return {RegistryValue::Status::String, std::move(text)};
}

class TargetWorld {
  public:
    // `existingRoot`: a world another process laid out, used as it is.
    explicit TargetWorld(const std::filesystem::path& existingRoot = {})
        : base("app", existingRoot),
          model(Services{*base.files, base.ownProcesses, registry, base.dialogs, base.player,
                         base.shell, base.decoder, base.progress},
                base.appDir, base.dataDir),
          dialogs(base.dialogs) {
        model.state.AppDir = base.appDir;
    }

    // Starts a stand-in client below the root; the model sees it.
    std::unique_ptr<StandInProcess> Start(const std::string& relative) {
        auto process = std::make_unique<StandInProcess>(base.At(relative));
        base.ownProcesses.Allow(process->Pid());
        return process;
    }

    // A folder below the test's root, as the program writes folders.
    std::string Dir(const std::string& relative) const {
        return (base.At(relative).make_preferred()).string() + kSeparator;
    }
    // A file below the test's root.
    std::string Path(const std::string& relative) const {
        return base.At(relative).make_preferred().string();
    }
    void Put(const std::string& relative, const std::string& bytes = "RIFF") {
        base.Put(relative, bytes);
    }
    std::string Read(const std::string& relative) const { return ReadFile(base.At(relative)); }

    static constexpr char kSeparator =
        static_cast<char>(std::filesystem::path::preferred_separator);

    TestWorld base;
    MapRegistry registry;
    MainModel model;
    ScriptedDialogs& dialogs;
};

}  // namespace sonatrix::testing
