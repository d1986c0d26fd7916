// SPDX-License-Identifier: GPL-3.0-or-later
// The sound library: its one walk, shown as a tree and listed for the
// random pick, and a click in the tree.
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
// The same over several folders shown as one (LibraryFolders: the shipped
// library and the user's), as WalkLibrary merges them.
void DirToTreeView(MainModel& model, const std::vector<std::string>& folders, bool includeFiles,
                   TreeNode& parent);

// Clears the tree (the root stays), recounts and rebuilds it from the
// library, and selects its first node; the selection is not a click.
void RebuildLibraryTree(MainModel& model);

// What the one walk of the library reports, depth first in listing order:
// a folder when the walk enters and leaves it, a file with its folder
// (ending in a separator) and name.
class LibraryVisitor {
  public:
    virtual ~LibraryVisitor() = default;
    virtual void EnterFolder(const std::string& /*name*/) {}
    virtual void LeaveFolder() {}
    virtual void File(const std::string& /*folder*/, const std::string& /*name*/) {}
};

// The one walk of the library under `folder`, over the entries the tree
// shows; it serves the tree, the random pick and the random replacement.
void WalkLibrary(FileSystem& files, const std::string& folder, LibraryVisitor& visitor);
// The walk over several folders as one library: a name met in several
// folders is visited once, where the first folder that has it lists it; a
// folder's contents are then merged the same way; a file is reported in the
// last folder that has it, so the user's own sound (listed last) wins.
void WalkLibrary(FileSystem& files, const std::vector<std::string>& folders,
                 LibraryVisitor& visitor);

// The entries of a library folder (ending in a separator) that the tree
// shows, in listing order: every name beginning with "." is left out. False
// when the folder cannot be listed.
bool LibraryEntries(FileSystem& files, const std::string& base, std::vector<DirEntry>& out);

// A file number as the random pick draws it: 1 .. LibrarySoundCount, or 1
// for an empty count.
std::int32_t DrawLibraryFileNumber(MainModel& model);

// Every file of the library walk in walk order, so that element N - 1 is
// file number N of the random pick: one listing serves many draws.
std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder);
std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files,
                                                 const std::vector<std::string>& folders);

// The library-relative path of `node`, components joined by the separator.
std::string LibraryRelativePath(const TreeNode& node);

}  // namespace sonatrix
