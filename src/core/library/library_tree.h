// The sound library shown as a tree, the walk that picks a library file by
// number, and a click in the tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;
class MainModel;
class TreeNode;
struct DirEntry;

// Adds the folders (and, with `includeFiles`, the files) of `folder` below
// `parent`, in listing order, recursively; every file node added counts in
// LibrarySoundCount. Entries whose names begin with "." are skipped, as
// are hidden and system entries. The whole walk is one batch update.
void DirToTreeView(MainModel& model, const std::string& folder, bool includeFiles,
                   TreeNode& parent);

// Clears the tree (the root stays), recounts and rebuilds it from the
// library, and selects its first node; the selection is not a click.
void RebuildLibraryTree(MainModel& model);

// Walks `folder` as DirToTreeView does and returns in `out` the full path of
// file number `n` (1-based), counting in `counter`; `n` = 0 draws the
// number from 1 .. LibrarySoundCount. `out` is empty when the walk met
// fewer files.
void PickLibraryFile(MainModel& model, const std::string& folder, std::int32_t n,
                     std::int32_t& counter, std::string& out);

// The entries of a library folder (ending in a separator) that the tree
// shows, in listing order: every name beginning with "." is left out. False
// when the folder cannot be listed.
bool LibraryEntries(FileSystem& files, const std::string& base, std::vector<DirEntry>& out);

// A file number as the random pick draws it: 1 .. LibrarySoundCount, or 1
// for an empty count.
std::int32_t DrawLibraryFileNumber(MainModel& model);

// Every file of the library walk in walk order, so that element N - 1 is
// file number N of PickLibraryFile: one listing serves many draws.
std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder);

// A click on `node` (nullptr when nothing is selected): its library-relative
// path becomes SelectedLibrarySound and an existing file is previewed.
void TreeView1Click(MainModel& model, const TreeNode* node);

// The library-relative path of `node`, components joined by the separator.
std::string LibraryRelativePath(const TreeNode& node);

}  // namespace sonatrix
