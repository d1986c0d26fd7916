// The store of originals, in the user's data folder: every content it keeps
// once, named by its SHA-256 ("blobs"), and for each client folder the
// original of every file Sonatrix changed there ("folders"). Nothing of it
// is ever written into a client's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class DesktopSettings;
class FileSystem;

// The folder key under which the store keeps the desktop's sound settings
// (the theme's name, the scheme's values) as items of their own: each
// setting's value is kept as a file's bytes are, an unset one as kAbsent.
// No real folder has this key.
inline constexpr std::string_view kDesktopSettingsKey = "<desktop settings>";

// What a file held, as the store names it: the SHA-256 of its bytes in
// hexadecimal, or one of these.
inline constexpr std::string_view kAbsent = "-";   // there was no such file
inline constexpr std::string_view kUnknown = "?";  // about to be written; what it got is not known

// A SHA-256 in lower-case hexadecimal, or kAbsent.
bool IsContentName(std::string_view content);

// Per file name of one client folder, what the file held just before
// Sonatrix first changed it.
struct FolderOriginals {
    struct Original {
        std::string name;
        std::string content;
    };
    std::string folder;           // the folder's FolderKey
    std::vector<Original> files;  // in the order they were first kept

    const Original* Find(std::string_view name) const;
};

class OriginalsStore {
  public:
    // `dataFolder`: the program's folder in the user's data folder, ending in
    // a separator; empty when the user has none (nothing can be kept then).
    OriginalsStore(FileSystem& files, const std::string& dataFolder);
    // The same, with the desktop settings it reads and writes under
    // kDesktopSettingsKey.
    OriginalsStore(FileSystem& files, DesktopSettings& settings, const std::string& dataFolder);

    FileSystem& Files() const { return *files_; }
    // The store's own folder, ending in a separator; empty without one.
    const std::string& Folder() const { return folder_; }

    // The key under which the store knows a client folder; empty when it is
    // no existing folder.
    std::string KeyOf(const std::string& folder) const;
    // The name of the item `name` of `folder` (a folder or a key) as found there.
    std::string NameInFolder(const std::string& folder, const std::string& name) const;

    // What `path` holds now: the name of its content, or kAbsent. Returns 0
    // or the error that kept it from being read.
    int ContentOf(const std::string& path, std::string& content) const;
    // The same, with the bytes kept in the store, written and flushed to
    // the disk before this returns.
    int KeepContentOf(const std::string& path, std::string& content);
    // Keeps `bytes` in the store and names them.
    int KeepBytes(std::string_view bytes, std::string& content);
    // Makes `path` hold `content` again: the kept bytes, checked against
    // their name, copied over it; for kAbsent the file is removed (a file
    // that is gone already counts as removed).
    int PutBack(const std::string& content, const std::string& path) const;

    // The originals kept for the folder `key` (none when nothing was kept
    // there). A record that cannot be read or is damaged is an error, never
    // taken for an empty one, so that it is not written over.
    int ReadOriginals(const std::string& key, FolderOriginals& originals) const;
    // Replaces the folder's record as a whole.
    int WriteOriginals(const FolderOriginals& originals);

    // A folder of the store ("journal"), ending in a separator.
    std::string Subfolder(std::string_view name) const;
    // Creates the store's folder `name` and every missing folder above it.
    int MakeSubfolder(std::string_view name);

  private:
    std::string BlobPath(const std::string& content) const;
    std::string OriginalsPath(const std::string& key) const;

    // The desktop setting `path` names, when it names one.
    std::optional<std::string> SettingOf(const std::string& path) const;

    FileSystem* files_;
    DesktopSettings* settings_ = nullptr;
    std::string folder_;
};

}  // namespace sonatrix
