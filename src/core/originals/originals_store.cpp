// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/originals_store.h"

#include "originals/store_text.h"
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

bool IsSha256Hex(std::string_view text) {
    if (text.size() != 64)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// `key`: the folder the record must name; empty takes the one it names.
int ParseOriginals(std::string_view text, const std::string& key, FolderOriginals& originals) {
    const std::vector<std::string_view> lines = CompleteLines(text);
    if (lines.size() < 2 || lines[0] != kOriginalsHeader)
        return CorruptFileCode();
    std::string_view field, rest;
    if (!SplitField(lines[1], field, rest) || field != "folder")
        return CorruptFileCode();
    const std::optional<std::string> folder = UnescapedText(rest);
    if (!folder || folder->empty() || (!key.empty() && *folder != key))
        return CorruptFileCode();
    originals.folder = *folder;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::string_view content, name;
        if (!SplitField(lines[i], content, name) || !IsContentName(content))
            return CorruptFileCode();
        const std::optional<std::string> unescaped = UnescapedText(name);
        if (!unescaped || !IsItemName(originals.folder, *unescaped))
            return CorruptFileCode();
        originals.files.push_back({*unescaped, std::string(content)});
    }
    return 0;
}

}  // namespace

bool IsContentName(std::string_view content) {
    if (content == kAbsent)
        return true;
    if (!content.empty() && content.front() == kLinkMark)
        content.remove_prefix(1);
    return IsSha256Hex(content);
}

std::string ContentNameOf(const ItemValue& value) {
    if (value.kind == ItemValue::Kind::Absent)
        return std::string(kAbsent);
    std::string content = Sha256Hex(value.bytes);
    if (!content.empty() && value.kind == ItemValue::Kind::Link)
        content.insert(content.begin(), kLinkMark);
    return content;
}

const FolderOriginals::Original* FolderOriginals::Find(const std::string& onDisk,
                                                       ItemPlace& place) const {
    for (const Original& original : files)
        if (original.name == onDisk)
            return &original;
    for (const Original& original : files)
        if (SameFileName(original.name, onDisk) && place.NameOf(original.name) == onDisk)
            return &original;
    return nullptr;
}

OriginalsStore::OriginalsStore(FileSystem& files, const std::string& dataFolder)
    : files_(&files),
      folder_(dataFolder.empty() ? std::string() : dataFolder + "originals" + kSep) {}

std::string OriginalsStore::KeyOf(const std::string& folder) const {
    return PlaceOf(*files_, folder)->Key();
}

std::string OriginalsStore::Subfolder(std::string_view name) const {
    return name.empty() ? folder_ : folder_ + std::string(name) + kSep;
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
        // What is kept in it is only as lasting as its name in its parent.
        const std::string& level = levels[i];
        if (const int syncError = files_->SyncFolder(FolderPart(level.substr(0, level.size() - 1))))
            return syncError;
    }
    return 0;
}

std::string OriginalsStore::BlobPath(std::string_view content) const {
    return Subfolder("blobs") + std::string(content);
}

std::string OriginalsStore::RecordPath(const std::string& key) const {
    return Subfolder("folders") + Sha256Hex(key);
}

int OriginalsStore::ContentOf(ItemPlace& place, const std::string& name,
                              std::string& content) const {
    ItemValue value;
    if (const int error = place.Read(name, value))
        return error;
    content = ContentNameOf(value);
    return content.empty() ? CorruptFileCode() : 0;
}

int OriginalsStore::Keep(const ItemValue& value, std::string& content) {
    if (folder_.empty())
        return PathNotFoundCode();
    content = ContentNameOf(value);
    if (content.empty())
        return CorruptFileCode();
    if (value.kind == ItemValue::Kind::Absent)
        return 0;
    // A kept copy is trusted only when its bytes still have their name.
    const std::string blob = BlobPath(content);
    std::string kept;
    if (files_->ReadSharedFile(blob, kept) == 0 && kept == value.bytes)
        return 0;
    if (const int error = MakeSubfolder("blobs"))
        return error;
    return files_->WriteWholeFile(blob, value.bytes);
}

int OriginalsStore::PutBack(const std::string& content, ItemPlace& place, const std::string& name,
                            FileIdentity& identity) const {
    if (content == kAbsent)
        return place.Remove(name, identity);
    if (!IsContentName(content) || folder_.empty())
        return CorruptFileCode();
    const std::string blob = BlobPath(content);
    std::string bytes;
    if (const int error = files_->ReadSharedFile(blob, bytes))
        return error;
    const bool link = content.front() == kLinkMark;
    if (Sha256Hex(bytes) != std::string_view(content).substr(link ? 1 : 0))
        return CorruptFileCode();
    return link ? place.MakeLink(bytes, name, identity) : place.CopyIn(blob, name, identity);
}

int OriginalsStore::ReadOriginals(const std::string& key, FolderOriginals& originals) const {
    originals = {key, {}};
    if (folder_.empty())
        return 0;
    const std::string path = RecordPath(key);
    // A record that cannot be looked at is not one that is missing: it
    // would be written over with the new originals alone.
    FileIdentity identity;
    if (const int error = files_->Identify(path, identity))
        return error;
    if (identity.kind == FileIdentity::Kind::Absent)
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
    return files_->WriteWholeFile(RecordPath(originals.folder), text);
}

int OriginalsStore::ReadEveryOriginal(std::vector<FolderOriginals>& every,
                                      std::string* failed) const {
    every.clear();
    if (folder_.empty())
        return 0;
    const std::string records = Subfolder("folders");
    std::vector<DirEntry> listed;
    int error = files_->ListAll(records, listed);
    if (error == FileNotFoundCode())
        return 0;
    if (error != 0) {
        if (failed)
            *failed = records;
        return error;
    }
    for (const DirEntry& item : listed) {
        if (item.isFolder || item.name.front() == '.')
            continue;
        std::string text;
        FolderOriginals originals;
        error = files_->ReadSharedFile(records + item.name, text);
        if (error == 0)
            error = ParseOriginals(text, {}, originals);
        if (error != 0) {
            every.clear();
            if (failed)
                *failed = records + item.name;
            return error;
        }
        every.push_back(std::move(originals));
    }
    return 0;
}

}  // namespace sonatrix
