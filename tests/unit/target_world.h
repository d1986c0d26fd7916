// What the discovery and restore tests share: a main window over the real
// files and the real process walk, with a registry the test fills.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/main_model.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "test_world.h"

namespace sonatrix::testing {

// The real process walk, limited to processes with a module below `root`:
// other developers' stand-in clients on this machine must not be adopted.
class ProcessesBelow : public ProcessSource {
  public:
    ProcessesBelow(ProcessSource& real, std::string root) : real_(real), root_(std::move(root)) {}
    bool Snapshot(std::vector<ProcessEntry>& out) override {
        std::vector<ProcessEntry> all;
        if (!real_.Snapshot(all))
            return false;
        out.clear();
        for (auto& entry : all) {
            for (const auto& module : entry.modules) {
                if (module.rfind(root_, 0) == 0) {
                    out.push_back(std::move(entry));
                    break;
                }
            }
        }
        return true;
    }

  private:
    ProcessSource& real_;
    std::string root_;
};

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
    TargetWorld()
        : processes(*base.processes, base.root.Folder()),
          model(Services{*base.files, processes, registry, base.dialogs, base.player, base.shell},
                base.appDir),
          dialogs(base.dialogs) {
        model.state.AppDir = base.appDir;
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
    ProcessesBelow processes;
    MapRegistry registry;
    MainModel model;
    ScriptedDialogs& dialogs;
};

}  // namespace sonatrix::testing
