// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_text.h"

#include <vector>

namespace sonatrix {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A "[$...]" flag group ("[$i]", "[$ie]") that says the thing is locked.
bool LocksIn(std::string_view flags) {
    return flags.size() >= 3 && flags.starts_with("[$") && flags.ends_with(']') &&
           flags.find('i') != std::string_view::npos;
}

struct Line {
    std::size_t begin = 0;   // offsets in the text
    std::size_t end = 0;     // of what the line says: its "\r\n" or "\n" left out
    std::size_t next = 0;    // where the next line begins
    std::string_view group;  // the group the line lies in ("" before the first header)
    bool header = false;
    bool blank = false;
    bool locked = false;   // a header or key marked "[$i]", or a lone "[$i]"
    bool entry = false;    // a "key=value" line, of this key or another
    std::string_view key;  // empty for a line that is no "key=value" (or a localized one)
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

// A header's group name and whether it carries the lock: "[Sounds][$i]".
void ReadHeader(std::string_view trimmed, Line& line) {
    line.header = true;
    std::string_view name = trimmed;
    while (name.size() > 2 && name.back() == ']') {
        const auto open = name.rfind("[$");
        if (open == std::string_view::npos || open == 0 || name[open - 1] != ']')
            break;
        line.locked = line.locked || LocksIn(name.substr(open));
        name = name.substr(0, open);
    }
    line.group = name.substr(1, name.size() - 2);
}

void ReadEntry(std::string_view text, std::size_t equals, Line& line) {
    line.entry = true;
    std::string_view key = Trimmed(text.substr(line.begin, equals - line.begin));
    // "Key[$i]", "Key[$e]": flags of the key; "Key[de]": another key.
    while (!key.empty() && key.back() == ']') {
        const auto open = key.rfind('[');
        if (open == std::string_view::npos)
            return;
        if (key[open + 1] != '$')
            return;
        line.locked = line.locked || LocksIn(key.substr(open));
        key = Trimmed(key.substr(0, open));
    }
    line.key = key;
    line.valueBegin = text.find_first_not_of(kBlanks, equals + 1);
    if (line.valueBegin > line.end)
        line.valueBegin = line.end;
    line.valueEnd = line.end;
    while (line.valueEnd > line.valueBegin &&
           kBlanks.find(text[line.valueEnd - 1]) != std::string_view::npos)
        --line.valueEnd;
}

std::vector<Line> LinesOf(std::string_view text) {
    std::vector<Line> lines;
    std::string_view group;
    std::size_t at = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (at < text.size()) {
        Line line;
        line.begin = at;
        const auto newline = text.find('\n', at);
        line.next = newline == std::string_view::npos ? text.size() : newline + 1;
        line.end = newline == std::string_view::npos ? text.size() : newline;
        if (line.end > line.begin && text[line.end - 1] == '\r')
            --line.end;
        at = line.next;
        const std::string_view trimmed = Trimmed(text.substr(line.begin, line.end - line.begin));
        line.blank = trimmed.empty();
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            ReadHeader(trimmed, line);
            // A lone "[$i]" before any group locks the whole file.
            if (line.group.starts_with('$') && group.empty() && LocksIn(trimmed)) {
                line.group = {};
                line.locked = true;
            }
            group = line.group;
        } else if (!line.blank && trimmed.front() != '#' && trimmed.front() != ';') {
            if (const auto equals = text.find('=', line.begin); equals < line.end)
                ReadEntry(text, equals, line);
        }
        line.group = group;
        lines.push_back(line);
    }
    return lines;
}

bool IsEntry(const Line& line, std::string_view group, std::string_view key) {
    return !line.header && line.group == group && line.key == key;
}

// The line ending the file uses: that of its first line.
std::string_view LineEndingOf(std::string_view text) {
    const auto newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n"
                                                                                         : "\n";
}

std::string WithoutKey(std::string_view text, std::string_view group, std::string_view key,
                       bool dropEmptyGroup) {
    const std::vector<Line> lines = LinesOf(text);
    std::vector<bool> dropped(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i)
        dropped[i] = IsEntry(lines[i], group, key);
    if (dropEmptyGroup) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].header || lines[i].group != group)
                continue;
            std::size_t last = i + 1;
            bool empty = true;
            for (; last < lines.size() && !lines[last].header; ++last)
                empty = empty && (lines[last].blank || dropped[last]);
            if (!empty)
                continue;
            for (std::size_t j = i; j < last; ++j)
                dropped[j] = true;
            // A group at the end goes with the blank line that set it apart.
            if (last == lines.size() && i > 0 && lines[i - 1].blank)
                dropped[i - 1] = true;
        }
    }
    std::string out(text.substr(0, lines.empty() ? text.size() : lines.front().begin));
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!dropped[i])
            out += text.substr(lines[i].begin, lines[i].next - lines[i].begin);
    return out;
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view group,
                                    std::string_view key) {
    std::optional<std::string> value;
    for (const Line& line : LinesOf(text)) {
        if (IsEntry(line, group, key))
            value = std::string(text.substr(line.valueBegin, line.valueEnd - line.valueBegin));
    }
    return value;
}

std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         const std::optional<std::string>& value, bool dropEmptyGroup) {
    if (!value)
        return WithoutKey(text, group, key, dropEmptyGroup);
    const std::vector<Line> lines = LinesOf(text);
    const Line* last = nullptr;   // the key's last line
    const Line* after = nullptr;  // the line after which a new entry goes
    for (const Line& line : lines) {
        if (IsEntry(line, group, key))
            last = &line;
        if (line.group == group && (line.header || line.entry))
            after = &line;
    }
    std::string out(text);
    if (last)
        return out.replace(last->valueBegin, last->valueEnd - last->valueBegin, *value);
    const std::string_view ending = LineEndingOf(text);
    const std::string entry = std::string(key) + "=" + *value;
    if (after) {
        // At the very end of a file without a final newline, the file still
        // ends without one.
        if (after->next == after->end)
            return out.insert(after->end, std::string(ending) + entry);
        return out.insert(after->next, entry + std::string(ending));
    }
    const bool bare = lines.empty();
    if (!bare && !text.ends_with('\n'))
        out += ending;
    if (!bare && !lines.back().blank)
        out += ending;
    return out + "[" + std::string(group) + "]" + std::string(ending) + entry + std::string(ending);
}

bool IniHasGroup(std::string_view text, std::string_view group) {
    for (const Line& line : LinesOf(text))
        if (line.header && line.group == group)
            return true;
    return false;
}

bool IniKeyLocked(std::string_view text, std::string_view group, std::string_view key) {
    for (const Line& line : LinesOf(text)) {
        // A locked header before any group locks the whole file.
        if (line.header && line.locked && (line.group.empty() || line.group == group))
            return true;
        if (line.locked && IsEntry(line, group, key))
            return true;
    }
    return false;
}

}  // namespace sonatrix
