#include "library/library_tree.h"

#include <vector>

#include "catalogue/catalogue.h"
#include "model/main_model.h"
#include "model/tree_nodes.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/sound_player.h"

namespace sonatrix {
namespace {

bool IsDotName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

void CollectFiles(FileSystem& files, const std::string& folder, std::vector<std::string>& out) {
    const std::string base = WithTrailingSeparator(folder);
    std::vector<DirEntry> entries;
    if (!LibraryEntries(files, base, entries))
        return;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder)
            CollectFiles(files, base + entry.name, out);
        else
            out.push_back(base + entry.name);
    }
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

std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder) {
    std::vector<std::string> out;
    CollectFiles(files, folder, out);
    return out;
}

void DirToTreeView(MainModel& model, const std::string& folder, bool includeFiles,
                   TreeNode& parent) {
    TreeUpdateBatch batch(model.libraryTree);
    const std::string base = WithTrailingSeparator(folder);
    std::vector<DirEntry> entries;
    if (!LibraryEntries(model.svc.files, base, entries))
        return;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) {
            TreeNode* node = parent.AddChild(entry.name);
            DirToTreeView(model, base + entry.name, includeFiles, *node);
        } else if (includeFiles) {
            parent.AddChild(entry.name);
            ++model.state.LibrarySoundCount;
        }
    }
}

void RebuildLibraryTree(MainModel& model) {
    {
        TreeUpdateBatch batch(model.libraryTree);
        model.libraryTree.Clear();
        model.state.LibrarySoundCount = 0;
        DirToTreeView(model, model.state.AppDir + kLibraryFolderName, true,
                      model.libraryTree.Root());
    }
    if (model.libraryTree.First())
        model.Changed(kAspectSelectFirstNode);
}

void PickLibraryFile(MainModel& model, const std::string& folder, std::int32_t n,
                     std::int32_t& counter, std::string& out) {
    if (n == 0)
        n = DrawLibraryFileNumber(model);
    out.clear();
    const std::string base = WithTrailingSeparator(folder);
    std::vector<DirEntry> entries;
    if (!LibraryEntries(model.svc.files, base, entries))
        return;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) {
            PickLibraryFile(model, base + entry.name, n, counter, out);
            if (!out.empty())
                return;
        } else if (++counter == n) {
            out = base + entry.name;
            return;
        }
    }
}

std::string LibraryRelativePath(const TreeNode& node) {
    std::string path;
    for (const TreeNode* at = &node; at && at->Parent(); at = at->Parent())
        path = at->Text() + kSep + path;
    if (!path.empty())
        path.pop_back();
    return path;
}

void TreeView1Click(MainModel& model, const TreeNode* node) {
    if (!node)
        return;
    model.state.SelectedLibrarySound = LibraryRelativePath(*node);
    model.Changed(kAspectLabels);
    const std::string full =
        model.state.AppDir + kLibraryFolderName + kSep + model.state.SelectedLibrarySound;
    if (model.svc.files.FileExists(full))
        model.svc.player.PlayAsync(full);
}

}  // namespace sonatrix
