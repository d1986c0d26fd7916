#include "originals/journal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "originals/originals_store.h"
#include "originals/store_text.h"
#include "platform/files.h"

namespace sonatrix {
namespace {

constexpr std::string_view kEntryHeader = "sonatrix journal 1";
constexpr const char* kJournalFolder = "journal";
// Entry files are named by their number, padded so that they sort.
constexpr int kNumberDigits = 20;

std::string EntryFileName(std::uint64_t number) {
    std::string digits = std::to_string(number);
    return std::string(kNumberDigits - std::min<std::size_t>(digits.size(), kNumberDigits), '0') +
           digits;
}

std::optional<std::uint64_t> NumberOf(std::string_view fileName) {
    if (fileName.size() != kNumberDigits)
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : fileName) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number == 0 ? std::nullopt : std::optional(number);
}

std::string EntryText(const JournalEntry& entry) {
    std::string text = std::string(kEntryHeader) + "\n";
    text += "time " + EscapedText(entry.time) + "\n";
    text += "name " + EscapedText(entry.name) + "\n";
    text += "folder " + EscapedText(entry.folder) + "\n";
    text += std::string("undone ") + (entry.undone ? "1" : "0") + "\n";
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

bool ParseChange(std::string_view line, FileChange& change) {
    std::string_view key, rest, before, after;
    if (!SplitField(line, key, rest) || key != "file" || !SplitField(rest, before, rest) ||
        !SplitField(rest, after, rest) || !IsContentName(before) ||
        (!IsContentName(after) && after != kUnknown))
        return false;
    const std::optional<std::string> name = UnescapedText(rest);
    if (!name || name->empty())
        return false;
    change = {*name, std::string(before), std::string(after)};
    return true;
}

std::optional<JournalEntry> ParseEntry(std::string_view text, std::uint64_t number) {
    const std::vector<std::string_view> lines = CompleteLines(text);
    JournalEntry entry;
    entry.number = number;
    std::string undone;
    if (lines.size() < 5 || lines[0] != kEntryHeader || !FieldValue(lines[1], "time", entry.time) ||
        !FieldValue(lines[2], "name", entry.name) ||
        !FieldValue(lines[3], "folder", entry.folder) || !FieldValue(lines[4], "undone", undone) ||
        (undone != "0" && undone != "1"))
        return std::nullopt;
    entry.undone = undone == "1";
    for (std::size_t i = 5; i < lines.size(); ++i) {
        FileChange change;
        if (!ParseChange(lines[i], change))
            return std::nullopt;
        entry.files.push_back(std::move(change));
    }
    return entry;
}

// The numbers of the journal's entries, in no particular order.
std::vector<std::uint64_t> EntryNumbers(const OriginalsStore& store) {
    std::vector<std::uint64_t> numbers;
    std::vector<DirEntry> listed;
    if (store.Folder().empty() ||
        !store.Files().ListFolder(store.Subfolder(kJournalFolder), listed))
        return numbers;
    for (const DirEntry& item : listed) {
        if (const auto number = NumberOf(item.name); number && !item.isFolder)
            numbers.push_back(*number);
    }
    return numbers;
}

}  // namespace

int WriteJournalEntry(OriginalsStore& store, JournalEntry& entry) {
    if (const int error = store.MakeSubfolder(kJournalFolder))
        return error;
    if (entry.number == 0) {
        const std::vector<std::uint64_t> numbers = EntryNumbers(store);
        entry.number = numbers.empty() ? 1 : *std::max_element(numbers.begin(), numbers.end()) + 1;
    }
    return store.Files().WriteWholeFile(
        store.Subfolder(kJournalFolder) + EntryFileName(entry.number), EntryText(entry));
}

int RemoveJournalEntry(OriginalsStore& store, const JournalEntry& entry) {
    return store.Files().DeleteFile(store.Subfolder(kJournalFolder) + EntryFileName(entry.number));
}

std::vector<JournalEntry> ReadJournal(const OriginalsStore& store) {
    std::vector<std::uint64_t> numbers = EntryNumbers(store);
    std::sort(numbers.begin(), numbers.end());
    std::vector<JournalEntry> entries;
    for (const std::uint64_t number : numbers) {
        std::string text;
        if (store.Files().ReadSharedFile(store.Subfolder(kJournalFolder) + EntryFileName(number),
                                         text) != 0)
            continue;
        if (std::optional<JournalEntry> entry = ParseEntry(text, number))
            entries.push_back(std::move(*entry));
    }
    return entries;
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
