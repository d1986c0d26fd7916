#include "originals/originals_store.h"

#include "originals/store_text.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/folder_key.h"
#include "platform/path_pieces.h"
#include "platform/sha256.h"

namespace sonatrix {
namespace {

constexpr std::string_view kOriginalsHeader = "sonatrix originals 1";

// Every folder from the root down to `folder`, each ending in a separator.
std::vector<std::string> FoldersDownTo(const std::string& folder) {
    std::vector<std::string> levels;
    for (std::size_t at = folder.find(kSep, 1); at != std::string::npos;
         at = folder.find(kSep, at + 1))
        levels.push_back(folder.substr(0, at + 1));
    return levels;
}

int ParseOriginals(std::string_view text, const std::string& key, FolderOriginals& originals) {
    const std::vector<std::string_view> lines = CompleteLines(text);
    if (lines.size() < 2 || lines[0] != kOriginalsHeader)
        return CorruptFileCode();
    std::string_view field, rest;
    if (!SplitField(lines[1], field, rest) || field != "folder" || UnescapedText(rest) != key)
        return CorruptFileCode();
    originals.folder = key;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::string_view content, name;
        if (!SplitField(lines[i], content, name) || !IsContentName(content))
            return CorruptFileCode();
        const std::optional<std::string> unescaped = UnescapedText(name);
        if (!unescaped || unescaped->empty())
            return CorruptFileCode();
        originals.files.push_back({*unescaped, std::string(content)});
    }
    return 0;
}

}  // namespace

bool IsContentName(std::string_view content) {
    if (content == kAbsent)
        return true;
    if (content.size() != 64)
        return false;
    for (const char c : content)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

const FolderOriginals::Original* FolderOriginals::Find(std::string_view name) const {
    for (const Original& original : files)
        if (SameFileName(original.name, name))
            return &original;
    return nullptr;
}

OriginalsStore::OriginalsStore(FileSystem& files, const std::string& dataFolder)
    : files_(&files),
      folder_(dataFolder.empty() ? std::string() : dataFolder + "originals" + kSep) {}

OriginalsStore::OriginalsStore(FileSystem& files, DesktopSettings& settings,
                               const std::string& dataFolder)
    : OriginalsStore(files, dataFolder) {
    settings_ = &settings;
}

std::optional<std::string> OriginalsStore::SettingOf(const std::string& path) const {
    if (!path.starts_with(kDesktopSettingsKey))
        return std::nullopt;
    return path.substr(kDesktopSettingsKey.size());
}

std::string OriginalsStore::KeyOf(const std::string& folder) const {
    if (folder == kDesktopSettingsKey)
        return folder;
    // A folder written in another letter case than on disk, as Wine allows.
    return FolderKey(files_->OnDiskPath(folder));
}

std::string OriginalsStore::NameInFolder(const std::string& folder, const std::string& name) const {
    if (folder == kDesktopSettingsKey)
        return name;
    return FileNameOf(files_->OnDiskPath(folder + name));
}

std::string OriginalsStore::Subfolder(std::string_view name) const {
    return folder_ + std::string(name) + kSep;
}

int OriginalsStore::MakeSubfolder(std::string_view name) {
    if (folder_.empty())
        return PathNotFoundCode();
    const std::vector<std::string> levels = FoldersDownTo(Subfolder(name));
    // From the deepest folder that exists, so that no root is ever created.
    std::size_t first = levels.size();
    while (first > 0 && !files_->FolderExists(levels[first - 1]))
        --first;
    for (std::size_t i = first; i < levels.size(); ++i) {
        const int error = files_->CreateFolder(levels[i]);
        if (error != 0 && !files_->FolderExists(levels[i]))
            return error;
    }
    return 0;
}

std::string OriginalsStore::BlobPath(const std::string& content) const {
    return Subfolder("blobs") + content;
}

std::string OriginalsStore::OriginalsPath(const std::string& key) const {
    return Subfolder("folders") + Sha256Hex(key);
}

int OriginalsStore::ContentOf(const std::string& path, std::string& content) const {
    std::string bytes;
    if (const auto setting = SettingOf(path)) {
        std::optional<std::string> value;
        if (!settings_)
            return PathNotFoundCode();
        if (const int error = settings_->Read(*setting, value))
            return error;
        content = value ? Sha256Hex(*value) : std::string(kAbsent);
        return content.empty() ? CorruptFileCode() : 0;
    }
    if (!files_->FileExists(path) && !files_->FolderExists(path)) {
        content = kAbsent;
        return 0;
    }
    if (const int error = files_->ReadSharedFile(path, bytes))
        return error;
    content = Sha256Hex(bytes);
    return content.empty() ? CorruptFileCode() : 0;
}

int OriginalsStore::KeepContentOf(const std::string& path, std::string& content) {
    if (folder_.empty())
        return PathNotFoundCode();
    std::string bytes;
    if (const auto setting = SettingOf(path)) {
        std::optional<std::string> value;
        if (!settings_)
            return PathNotFoundCode();
        if (const int error = settings_->Read(*setting, value))
            return error;
        if (!value) {
            content = kAbsent;
            return 0;
        }
        return KeepBytes(*value, content);
    }
    if (!files_->FileExists(path) && !files_->FolderExists(path)) {
        content = kAbsent;
        return 0;
    }
    if (const int error = files_->ReadSharedFile(path, bytes))
        return error;
    return KeepBytes(bytes, content);
}

int OriginalsStore::KeepBytes(std::string_view bytes, std::string& content) {
    if (folder_.empty())
        return PathNotFoundCode();
    content = Sha256Hex(bytes);
    if (content.empty())
        return CorruptFileCode();
    // A kept copy is trusted only when its bytes still have its name.
    const std::string blob = BlobPath(content);
    std::string kept;
    if (files_->ReadSharedFile(blob, kept) == 0 && kept == bytes)
        return 0;
    if (const int error = MakeSubfolder("blobs"))
        return error;
    return files_->WriteWholeFile(blob, bytes);
}

int OriginalsStore::PutBack(const std::string& content, const std::string& path) const {
    if (const auto setting = SettingOf(path)) {
        if (!settings_)
            return PathNotFoundCode();
        if (content == kAbsent)
            return settings_->Write(*setting, std::nullopt);
        std::string bytes;
        if (!IsContentName(content) || folder_.empty())
            return CorruptFileCode();
        if (const int error = files_->ReadSharedFile(BlobPath(content), bytes))
            return error;
        if (Sha256Hex(bytes) != content)
            return CorruptFileCode();
        return settings_->Write(*setting, bytes);
    }
    if (content == kAbsent) {
        if (!files_->FileExists(path) && !files_->FolderExists(path))
            return 0;
        return files_->DeleteFile(path);
    }
    if (!IsContentName(content) || folder_.empty())
        return CorruptFileCode();
    const std::string blob = BlobPath(content);
    std::string bytes;
    if (const int error = files_->ReadSharedFile(blob, bytes))
        return error;
    if (Sha256Hex(bytes) != content)
        return CorruptFileCode();
    return files_->CopyFile(blob, path);
}

int OriginalsStore::ReadOriginals(const std::string& key, FolderOriginals& originals) const {
    originals = {key, {}};
    if (folder_.empty())
        return 0;
    const std::string path = OriginalsPath(key);
    if (!files_->FileExists(path))
        return 0;
    std::string text;
    if (const int error = files_->ReadSharedFile(path, text))
        return error;
    FolderOriginals read;
    if (const int error = ParseOriginals(text, key, read))
        return error;
    originals = std::move(read);
    return 0;
}

int OriginalsStore::WriteOriginals(const FolderOriginals& originals) {
    if (const int error = MakeSubfolder("folders"))
        return error;
    std::string text = std::string(kOriginalsHeader) + "\n";
    text += "folder " + EscapedText(originals.folder) + "\n";
    for (const auto& original : originals.files)
        text += original.content + " " + EscapedText(original.name) + "\n";
    return files_->WriteWholeFile(OriginalsPath(originals.folder), text);
}

}  // namespace sonatrix
