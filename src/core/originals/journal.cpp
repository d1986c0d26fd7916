// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/journal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "originals/store_text.h"
#include "platform/files.h"

namespace sonatrix {
namespace {

// Version 1 entries (earlier versions) also carry "undone 0|1".
constexpr std::string_view kEntryHeaderV1 = "sonatrix journal 1";
constexpr std::string_view kEntryHeader = "sonatrix journal 2";
constexpr const char* kJournalFolder = "journal";
// The highest number the journal ever gave, beside its folder.
constexpr const char* kLastNumberFile = "last-entry";
// Entry numbers are padded so that the names sort.
constexpr std::size_t kNumberDigits = 20;
// A crowd of writers that ignore the lock would still each find a number.
constexpr int kNumberTries = 64;

std::string Padded(std::uint64_t number) {
    std::string digits = std::to_string(number);
    return std::string(kNumberDigits - std::min(digits.size(), kNumberDigits), '0') + digits;
}

std::optional<std::uint64_t> NumberIn(std::string_view digits) {
    if (digits.empty() || digits.size() > kNumberDigits)
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

std::string EntryFileName(const EntryHeader& header) {
    std::string name = Padded(header.number);
    if (header.earlierName)
        return name;
    name += '-';
    name += static_cast<char>(header.kind);
    if (header.target != 0)
        name += std::to_string(header.target);
    return name;
}

// "<20 digits>" (an earlier version's entry) or "<20 digits>-<kind>[target]".
std::optional<EntryHeader> HeaderOf(std::string_view fileName) {
    if (fileName.size() < kNumberDigits)
        return std::nullopt;
    EntryHeader header;
    const auto number = NumberIn(fileName.substr(0, kNumberDigits));
    if (!number || *number == 0)
        return std::nullopt;
    header.number = *number;
    std::string_view rest = fileName.substr(kNumberDigits);
    if (rest.empty()) {
        header.earlierName = true;
        return header;
    }
    if (rest.size() < 2 || rest[0] != '-')
        return std::nullopt;
    header.kind = static_cast<EntryKind>(rest[1]);
    rest.remove_prefix(2);
    switch (header.kind) {
        case EntryKind::Change:
        case EntryKind::UndoneEarlier:
            return rest.empty() ? std::optional(header) : std::nullopt;
        case EntryKind::Undo:
        case EntryKind::Redo:
        case EntryKind::Skip:
            break;
        default:
            return std::nullopt;
    }
    const auto target = NumberIn(rest);
    if (!target || *target == 0 || *target >= header.number)
        return std::nullopt;
    header.target = *target;
    return header;
}

std::string EntryText(const JournalEntry& entry) {
    std::string text = std::string(kEntryHeader) + "\n";
    text += "time " + EscapedText(entry.time) + "\n";
    text += "name " + EscapedText(entry.name) + "\n";
    text += "folder " + EscapedText(entry.folder) + "\n";
    for (const FileChange& change : entry.files)
        text +=
            "file " + change.before + " " + change.after + " " + EscapedText(change.name) + "\n";
    return text;
}

// The value of the line `field`, unescaped.
bool FieldValue(std::string_view line, std::string_view field, std::string& value) {
    std::string_view key, rest;
    if (!SplitField(line, key, rest) || key != field)
        return false;
    const std::optional<std::string> unescaped = UnescapedText(rest);
    if (!unescaped)
        return false;
    value = *unescaped;
    return true;
}

// A line naming an item the entry's place `place` cannot hold is damage.
bool ParseChange(std::string_view line, const std::string& place, FileChange& change) {
    std::string_view key, rest, before, after;
    if (!SplitField(line, key, rest) || key != "file" || !SplitField(rest, before, rest) ||
        !SplitField(rest, after, rest) || !IsContentName(before) ||
        (!IsContentName(after) && after != kUnknown))
        return false;
    const std::optional<std::string> name = UnescapedText(rest);
    if (!name || !IsItemName(place, *name))
        return false;
    change = {*name, std::string(before), std::string(after)};
    return true;
}

// The entry, and for an earlier version's entry whether it was undone.
std::optional<JournalEntry> ParseEntry(std::string_view text, bool& undoneEarlier) {
    const std::vector<std::string_view> lines = CompleteLines(text);
    JournalEntry entry;
    if (lines.size() < 4 || (lines[0] != kEntryHeader && lines[0] != kEntryHeaderV1) ||
        !FieldValue(lines[1], "time", entry.time) || !FieldValue(lines[2], "name", entry.name) ||
        !FieldValue(lines[3], "folder", entry.folder))
        return std::nullopt;
    std::size_t first = 4;
    undoneEarlier = false;
    if (lines[0] == kEntryHeaderV1) {
        std::string undone;
        if (lines.size() < 5 || !FieldValue(lines[4], "undone", undone) ||
            (undone != "0" && undone != "1"))
            return std::nullopt;
        undoneEarlier = undone == "1";
        first = 5;
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        FileChange change;
        if (!ParseChange(lines[i], entry.folder, change))
            return std::nullopt;
        entry.files.push_back(std::move(change));
    }
    return entry;
}

std::string EntryPath(const OriginalsStore& store, const EntryHeader& header) {
    return store.Subfolder(kJournalFolder) + EntryFileName(header);
}

// The number kept as the highest given: 0 when none was kept yet (or what
// is kept is no number: the entries' own numbers still count).
int ReadLastNumber(const OriginalsStore& store, std::uint64_t& number) {
    number = 0;
    const std::string path = store.Folder() + kLastNumberFile;
    FileIdentity identity;
    if (const int error = store.Files().Identify(path, identity))
        return error;
    if (identity.kind == FileIdentity::Kind::Absent)
        return 0;
    std::string text;
    if (const int error = store.Files().ReadSharedFile(path, text))
        return error;
    const std::vector<std::string_view> lines = CompleteLines(text);
    if (const auto read = lines.size() == 1 ? NumberIn(lines[0]) : std::nullopt)
        number = *read;
    return 0;
}

int ReadEntry(const OriginalsStore& store, const EntryHeader& header, JournalEntry& entry,
              bool& undoneEarlier) {
    std::string text;
    if (const int error = store.Files().ReadSharedFile(EntryPath(store, header), text))
        return error;
    std::optional<JournalEntry> parsed = ParseEntry(text, undoneEarlier);
    if (!parsed)
        return CorruptFileCode();
    entry = std::move(*parsed);
    entry.header = header;
    return 0;
}

}  // namespace

int CreateJournalEntry(OriginalsStore& store, JournalEntry& entry) {
    if (const int error = store.MakeSubfolder(kJournalFolder))
        return error;
    const std::string text = EntryText(entry);
    std::vector<EntryHeader> headers;
    if (const int error = JournalHeaders(store, headers))
        return error;
    std::uint64_t number = 0;
    if (const int error = ReadLastNumber(store, number))
        return error;
    if (!headers.empty())
        number = std::max(number, headers.back().number);
    for (int attempt = 0; attempt < kNumberTries; ++attempt) {
        EntryHeader header = entry.header;
        header.number = ++number;
        header.earlierName = false;
        // A name the journal would not read back is never written: what
        // it holds would be invisible to undo and to the sweep.
        const std::string name = EntryFileName(header);
        const std::optional<EntryHeader> readBack = HeaderOf(name);
        if (!readBack || readBack->kind != header.kind || readBack->target != header.target)
            return CorruptFileCode();
        // The number is kept as given first: a crash between the two leaves
        // a number unused, never one given twice.
        if (const int error = store.Files().WriteWholeFile(store.Folder() + kLastNumberFile,
                                                           std::to_string(number) + "\n"))
            return error;
        const int error = store.Files().CreateNewFile(EntryPath(store, header), text);
        if (error == FileExistsCode())
            continue;  // taken by a writer that ignored the lock: the next one
        if (error == 0)
            entry.header = header;
        return error;
    }
    return FileExistsCode();
}

int RewriteJournalEntry(OriginalsStore& store, const JournalEntry& entry) {
    return store.Files().WriteWholeFile(EntryPath(store, entry.header), EntryText(entry));
}

int RemoveJournalEntry(OriginalsStore& store, const EntryHeader& header) {
    return store.Files().DeleteFile(EntryPath(store, header));
}

int JournalHeaders(const OriginalsStore& store, std::vector<EntryHeader>& headers,
                   std::vector<std::string>* strays) {
    headers.clear();
    if (strays)
        strays->clear();
    std::vector<DirEntry> listed;
    if (store.Folder().empty())
        return 0;
    const int error = store.Files().ListAll(store.Subfolder(kJournalFolder), listed);
    if (error == FileNotFoundCode())
        return 0;  // no entry was ever written
    if (error != 0)
        return error;
    for (const DirEntry& item : listed) {
        if (const auto header = HeaderOf(item.name); header && !item.isFolder)
            headers.push_back(*header);
        else if (strays && !item.name.starts_with('.'))
            strays->push_back(item.name);
    }
    std::sort(headers.begin(), headers.end(),
              [](const EntryHeader& a, const EntryHeader& b) { return a.number < b.number; });
    return 0;
}

std::string JournalEntryPath(const OriginalsStore& store, const EntryHeader& header) {
    return EntryPath(store, header);
}

int ReadJournalEntry(const OriginalsStore& store, const EntryHeader& header, JournalEntry& entry) {
    bool undoneEarlier = false;
    return ReadEntry(store, header, entry, undoneEarlier);
}

std::vector<JournalEntry> ReadJournal(const OriginalsStore& store) {
    std::vector<JournalEntry> entries;
    std::vector<EntryHeader> headers;
    JournalHeaders(store, headers);
    for (const EntryHeader& header : headers) {
        JournalEntry entry;
        if (ReadJournalEntry(store, header, entry) == 0)
            entries.push_back(std::move(entry));
    }
    return entries;
}

int RenameEarlierEntries(OriginalsStore& store) {
    std::vector<EntryHeader> headers;
    int firstError = JournalHeaders(store, headers);
    for (const EntryHeader& header : headers) {
        if (!header.earlierName)
            continue;
        JournalEntry entry;
        bool undone = false;
        if (ReadEntry(store, header, entry, undone) != 0)
            continue;  // read as a change until it is pruned
        EntryHeader renamed = header;
        renamed.earlierName = false;
        renamed.kind = undone ? EntryKind::UndoneEarlier : EntryKind::Change;
        // Rewritten under the new name first, so that a crash leaves at
        // worst both, never neither.
        entry.header = renamed;
        int error = store.Files().CreateNewFile(EntryPath(store, renamed), EntryText(entry));
        if (error == 0 || error == FileExistsCode())
            error = RemoveJournalEntry(store, header);
        if (firstError == 0)
            firstError = error;
    }
    return firstError;
}

std::string JournalTimeNow() {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

}  // namespace sonatrix
