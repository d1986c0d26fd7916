// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library_tree.h"

#include <unordered_map>
#include <vector>

#include "model/library_locations.h"
#include "model/main_model.h"
#include "model/tree_nodes.h"
#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

bool IsDotName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

}  // namespace

bool LibraryEntries(FileSystem& files, const std::string& base, std::vector<DirEntry>& out) {
    if (!files.ListFolder(base, out))
        return false;
    std::erase_if(out, [](const DirEntry& entry) { return IsDotName(entry.name); });
    return true;
}

std::int32_t DrawLibraryFileNumber(MainModel& model) {
    const std::int32_t count = model.state.LibrarySoundCount;
    if (count <= 0)
        return 1;
    return std::uniform_int_distribution<std::int32_t>(0, count - 1)(model.random) + 1;
}

void WalkLibrary(FileSystem& files, const std::string& folder, LibraryVisitor& visitor) {
    const std::string base = WithTrailingSeparator(folder);
    std::vector<DirEntry> entries;
    if (!LibraryEntries(files, base, entries))
        return;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) {
            visitor.EnterFolder(entry.name);
            WalkLibrary(files, base + entry.name, visitor);
            visitor.LeaveFolder();
        } else {
            visitor.File(base, entry.name);
        }
    }
}

void WalkLibrary(FileSystem& files, const std::vector<std::string>& folders,
                 LibraryVisitor& visitor) {
    if (folders.size() == 1)
        return WalkLibrary(files, folders.front(), visitor);
    // Each name once, in the order the folders list it, the first folder's
    // names first; a folder met in several is walked as one; a file met in
    // several is the last folder's (the user's own over the shipped one).
    struct Entry {
        DirEntry entry;
        std::vector<std::string> bases;  // the folders that hold it
    };
    std::vector<Entry> merged;
    std::unordered_map<std::string, std::size_t> seen;  // kind and name -> index in merged
    for (const std::string& folder : folders) {
        const std::string base = WithTrailingSeparator(folder);
        std::vector<DirEntry> entries;
        if (!LibraryEntries(files, base, entries))
            continue;
        for (DirEntry& entry : entries) {
            const std::string key = (entry.isFolder ? "d" : "f") + entry.name;
            const auto [at, added] = seen.try_emplace(key, merged.size());
            if (added)
                merged.push_back({std::move(entry), {base}});
            else
                merged[at->second].bases.push_back(base);
        }
    }
    for (const Entry& item : merged) {
        const std::string& name = item.entry.name;
        if (item.entry.isFolder) {
            std::vector<std::string> inner;
            for (const std::string& base : item.bases)
                inner.push_back(base + name);
            visitor.EnterFolder(name);
            WalkLibrary(files, inner, visitor);
            visitor.LeaveFolder();
        } else {
            visitor.File(item.bases.back(), name);
        }
    }
}

std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder) {
    return LibraryFilesInWalkOrder(files, std::vector<std::string>{folder});
}

std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files,
                                                 const std::vector<std::string>& folders) {
    struct Collect : LibraryVisitor {
        std::vector<std::string> paths;
        void File(const std::string& base, const std::string& name) override {
            paths.push_back(base + name);
        }
    } collect;
    WalkLibrary(files, folders, collect);
    return std::move(collect.paths);
}

void DirToTreeView(MainModel& model, const std::string& folder, bool includeFiles,
                   TreeNode& parent) {
    DirToTreeView(model, std::vector<std::string>{folder}, includeFiles, parent);
}

void DirToTreeView(MainModel& model, const std::vector<std::string>& folders, bool includeFiles,
                   TreeNode& parent) {
    // Mirrors the walk into nodes: a folder's node is the parent of what the
    // walk meets until it leaves that folder.
    struct Fill : LibraryVisitor {
        MainModel& model;
        bool includeFiles;
        std::vector<TreeNode*> parents;
        Fill(MainModel& m, bool files, TreeNode& root)
            : model(m), includeFiles(files), parents{&root} {}
        void EnterFolder(const std::string& name) override {
            parents.push_back(parents.back()->AddChild(name));
        }
        void LeaveFolder() override { parents.pop_back(); }
        void File(const std::string&, const std::string& name) override {
            if (!includeFiles)
                return;
            parents.back()->AddChild(name);
            ++model.state.LibrarySoundCount;
        }
    } fill(model, includeFiles, parent);
    TreeUpdateBatch batch(model.libraryTree);
    WalkLibrary(model.svc.files, folders, fill);
}

void RebuildLibraryTree(MainModel& model) {
    {
        TreeUpdateBatch batch(model.libraryTree);
        model.libraryTree.Clear();
        model.state.LibrarySoundCount = 0;
        DirToTreeView(model, LibraryFolders(model.state), true, model.libraryTree.Root());
    }
    if (model.libraryTree.First())
        model.Changed(kAspectSelectFirstNode);
}

std::string LibraryRelativePath(const TreeNode& node) {
    std::string path;
    for (const TreeNode* at = &node; at && at->Parent(); at = at->Parent())
        path = at->Text() + kSep + path;
    if (!path.empty())
        path.pop_back();
    return path;
}

}  // namespace sonatrix
