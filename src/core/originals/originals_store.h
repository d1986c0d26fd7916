// SPDX-License-Identifier: GPL-3.0-or-later
// The store of originals, in the user's data folder: every content it keeps
// once, named by its SHA-256 ("blobs"), and for each client folder the
// original of every file Sonatrix changed there ("folders"). Nothing of it
// is ever written into a client's folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "originals/item_place.h"

namespace sonatrix {

class FileSystem;

// What an item held, as the store names it: the SHA-256 of its bytes in
// hexadecimal, kLinkMark and the SHA-256 of a link's target, or one of these.
inline constexpr std::string_view kAbsent = "-";   // there was no such file
inline constexpr std::string_view kUnknown = "?";  // about to be written; what it got is not known
inline constexpr char kLinkMark = '@';

// A content name as above, or kAbsent.
bool IsContentName(std::string_view content);
// The name of what `value` holds; empty when it cannot be hashed.
std::string ContentNameOf(const ItemValue& value);

// Per file name of one client folder, what the file held just before
// Sonatrix first changed it.
struct FolderOriginals {
    struct Original {
        std::string name;
        std::string content;
    };
    std::string folder;           // the folder's key
    std::vector<Original> files;  // in the order they were first kept

    // The original of the file `onDisk` (its name as the place knows it).
    // A record whose name differs in letter case only counts where the
    // place takes that name for the same file.
    const Original* Find(const std::string& onDisk, ItemPlace& place) const;
};

class OriginalsStore {
  public:
    // `dataFolder`: the program's folder in the user's data folder, ending in
    // a separator; empty when the user has none (nothing can be kept then).
    OriginalsStore(FileSystem& files, const std::string& dataFolder);

    FileSystem& Files() const { return *files_; }
    // The store's own folder, ending in a separator; empty without one.
    const std::string& Folder() const { return folder_; }

    // The key under which the store knows a client folder; empty when it is
    // no existing folder.
    std::string KeyOf(const std::string& folder) const;

    // The name of what `value` holds, with its bytes kept in the store,
    // written and flushed to the disk before this returns. Called with the
    // store's lock held, and the content named in the journal before it is
    // let go, so that no sweep removes it in between.
    int Keep(const ItemValue& value, std::string& content);
    // What the item `name` of `place` holds now, as the store names it.
    // Returns 0 or the error that kept it from being read.
    int ContentOf(ItemPlace& place, const std::string& name, std::string& content) const;
    // Gives the item `name` of `place` the content `content` again: the kept
    // bytes, checked against their name, copied over it; for kAbsent the
    // item is removed (one that is gone already counts as removed). Only
    // while the item is what `identity` says (see ItemPlace::CopyIn).
    int PutBack(const std::string& content, ItemPlace& place, const std::string& name,
                FileIdentity& identity) const;

    // The originals kept for the folder `key` (none when nothing was kept
    // there). A record that cannot be read or is damaged is an error, never
    // taken for an empty one, so that it is not written over.
    int ReadOriginals(const std::string& key, FolderOriginals& originals) const;
    // Replaces the folder's record as a whole.
    int WriteOriginals(const FolderOriginals& originals);
    // The records of every folder; an error when any cannot be read or the
    // records cannot be listed whole (then `failed` names what).
    int ReadEveryOriginal(std::vector<FolderOriginals>& every, std::string* failed = nullptr) const;
    // The file that holds the record of the folder `key`.
    std::string RecordPath(const std::string& key) const;

    // The file that holds the bytes of `content`.
    std::string BlobPath(std::string_view content) const;
    // A folder of the store ("journal"), ending in a separator.
    std::string Subfolder(std::string_view name) const;
    // Creates the store's folder `name` ("" for the store's own folder)
    // and every missing folder above it, each synced into its parent.
    int MakeSubfolder(std::string_view name);

  private:
    FileSystem* files_;
    std::string folder_;
};

}  // namespace sonatrix
