// SPDX-License-Identifier: GPL-3.0-or-later
// What a disk keeps through a power cut, in the manner of the
// crash-consistency studies of file systems (ALICE, CrashMonkey): the tree
// before a command, and of the steps the command took only what a sync made
// lasting. A flushed file keeps the bytes it had at its flush (an unflushed
// one none); a name made, renamed or removed lasts once its folder is
// synced after it, and only while the folder holding it lasts too.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tree_snapshot.h"

namespace sonatrix::testing {

struct RecordedStep {
    DiskStep step;
    std::string bytes;  // a flushed file's
};

// The steps `change_runner record` wrote to `log`.
inline std::vector<RecordedStep> ReadSteps(const std::filesystem::path& log) {
    const std::string text = ReadFile(log);
    std::vector<RecordedStep> steps;
    std::size_t at = 0;
    const auto field = [&](std::string& out) {
        const std::size_t colon = text.find(':', at);
        const std::size_t size = std::stoul(text.substr(at, colon - at));
        out = text.substr(colon + 1, size);
        at = colon + 1 + size;
    };
    while (at < text.size()) {
        const std::size_t blank = text.find(' ', at);
        RecordedStep recorded{{static_cast<DiskStep::Kind>(std::stoi(text.substr(at))), {}, {}},
                              {}};
        at = blank + 1;
        field(recorded.step.path);
        field(recorded.step.to);
        field(recorded.bytes);
        steps.push_back(std::move(recorded));
    }
    return steps;
}

class LastingDisk {
  public:
    // `before`: the tree below `root` before the first step, as TakeSnapshot
    // shows it.
    LastingDisk(const std::filesystem::path& root, const TreeSnapshot& before)
        : root_(root.string()) {
        for (const auto& [name, shown] : before)
            lasting_[name] = live_[name] = New(shown);
    }

    // False for a step outside the root, or on a file that is not there.
    bool Take(const RecordedStep& recorded) {
        const DiskStep& step = recorded.step;
        std::string path, to;
        if (!Below(step.path, path) ||
            (step.kind != DiskStep::Kind::LinkMade && !step.to.empty() && !Below(step.to, to)))
            return false;
        const bool known = live_.contains(path);
        switch (step.kind) {
            case DiskStep::Kind::Created:
                Name(path, New(""));
                return true;
            case DiskStep::Kind::Flushed:
                if (known)
                    shown_[live_[path]] = recorded.bytes;
                return known;
            case DiskStep::Kind::Renamed:
            case DiskStep::Kind::Linked:
                if (known)
                    Name(to, live_[path]);
                if (known && step.kind == DiskStep::Kind::Renamed)
                    Unname(path);
                return known;
            case DiskStep::Kind::Removed:
                Unname(path);
                return known;
            case DiskStep::Kind::FolderMade:
                Name(path, New("<folder>"));
                return true;
            case DiskStep::Kind::LinkMade:
                Name(path, New("<link to " + step.to + ">"));
                return true;
            case DiskStep::Kind::FolderSynced:
                for (const auto& [name, node] : pending_[path]) {
                    if (node < 0)
                        lasting_.erase(name);
                    else
                        lasting_[name] = node;
                }
                pending_.erase(path);
                return true;
        }
        return false;
    }

    // What a power cut after the steps taken leaves.
    TreeSnapshot AfterPowerCut() const {
        TreeSnapshot tree;
        // In name order a folder comes before what it holds.
        for (const auto& [name, node] : lasting_) {
            const std::string parent = ParentOf(name);
            if (parent.empty() || (tree.contains(parent) && tree.at(parent) == "<folder>"))
                tree[name] = shown_[node];
        }
        return tree;
    }

    // Makes the tree below `root` what `tree` shows.
    static void LayOut(const std::filesystem::path& root, const TreeSnapshot& tree) {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(root))
            fs::remove_all(entry.path());
        const std::string link = "<link to ";
        for (const auto& [name, shown] : tree) {
            if (shown == "<folder>")
                fs::create_directory(root / name);
            else if (shown.starts_with(link))
                fs::create_symlink(shown.substr(link.size(), shown.size() - link.size() - 1),
                                   root / name);
            else
                WriteFile(root / name, shown);
        }
    }

  private:
    // `absolute` relative to the root, without a separator at its end.
    bool Below(std::string absolute, std::string& relative) const {
        while (absolute.size() > 1 && absolute.back() == '/')
            absolute.pop_back();
        if (absolute == root_) {
            relative.clear();
            return true;
        }
        if (!absolute.starts_with(root_ + "/"))
            return false;
        relative = absolute.substr(root_.size() + 1);
        return true;
    }
    static std::string ParentOf(const std::string& name) {
        const std::size_t cut = name.rfind('/');
        return cut == std::string::npos ? std::string() : name.substr(0, cut);
    }
    int New(std::string shown) {
        shown_.push_back(std::move(shown));
        return static_cast<int>(shown_.size()) - 1;
    }
    void Name(const std::string& path, int node) {
        live_[path] = node;
        pending_[ParentOf(path)].push_back({path, node});
    }
    void Unname(const std::string& path) {
        live_.erase(path);
        pending_[ParentOf(path)].push_back({path, -1});
    }

    std::string root_;
    std::vector<std::string> shown_;   // each file's lasting bytes, or a folder's or link's mark
    std::map<std::string, int> live_;  // names as the program saw them
    std::map<std::string, int> lasting_;
    // Per folder, the names made (a node) or removed (-1) since its last sync.
    std::map<std::string, std::vector<std::pair<std::string, int>>> pending_;
};

}  // namespace sonatrix::testing
