// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_text.h"

#include <vector>

namespace sonatrix {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

struct Line {
    std::string_view text;   // without its "\n"
    std::string_view group;  // the group it lies in ("" before the first header)
    bool header = false;
    std::string_view key;  // empty for a line that is no "key=value"
    std::string_view value;
};

std::vector<Line> LinesOf(std::string_view text) {
    std::vector<Line> lines;
    std::string_view group;
    while (!text.empty()) {
        const auto end = text.find('\n');
        Line line;
        line.text = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::string_view trimmed = Trimmed(line.text);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            group = trimmed.substr(1, trimmed.size() - 2);
            line.header = true;
        } else if (!trimmed.empty() && trimmed.front() != '#' && trimmed.front() != ';') {
            if (const auto equals = trimmed.find('='); equals != std::string_view::npos) {
                line.key = Trimmed(trimmed.substr(0, equals));
                line.value = Trimmed(trimmed.substr(equals + 1));
            }
        }
        line.group = group;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view group,
                                    std::string_view key) {
    std::optional<std::string> value;
    for (const Line& line : LinesOf(text)) {
        if (!line.header && line.group == group && line.key == key)
            value = std::string(line.value);
    }
    return value;
}

std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         const std::optional<std::string>& value) {
    const std::string entry = value ? std::string(key) + "=" + *value : std::string();
    const std::vector<Line> lines = LinesOf(text);
    std::string out;
    bool written = !value;
    bool inGroup = false;
    auto addEntryHere = [&] {
        if (!written && inGroup) {
            out += entry + "\n";
            written = true;
        }
    };
    for (const Line& line : lines) {
        if (line.header) {
            addEntryHere();
            inGroup = line.group == group;
        }
        if (!line.header && line.group == group && line.key == key) {
            if (!written)
                out += entry + "\n";
            written = true;
            continue;
        }
        out += std::string(line.text) + "\n";
    }
    addEntryHere();
    if (!written)
        out += (out.empty() ? "[" : "\n[") + std::string(group) + "]\n" + entry + "\n";
    return out;
}

bool IniHasNoKeys(std::string_view text) {
    for (const Line& line : LinesOf(text)) {
        if (!line.header && !Trimmed(line.text).empty())
            return false;
    }
    return true;
}

}  // namespace sonatrix
