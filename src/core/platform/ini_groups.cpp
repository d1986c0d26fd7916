// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_groups.h"

#include "platform/hex_digit.h"

namespace sonatrix {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// KConfig's escapes decoded; "\;" and "\," stay for list values.
std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char escape = text[++i];
        switch (escape) {
            case 's':
                out += ' ';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            case 'x':
                if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                    HexValue(text[i + 2]) >= 0) {
                    out += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
                    i += 2;
                    break;
                }
                [[fallthrough]];
            default:
                out += '\\';
                out += escape;
        }
    }
    return out;
}

// "Sound[$e]" -> "Sound"; "Name[zh_CN][$i]" -> "Name[zh_CN]".
std::string_view WithoutOptions(std::string_view key) {
    while (key.ends_with(']')) {
        const std::size_t open = key.rfind("[$");
        if (open == std::string_view::npos || key.find(']', open) != key.size() - 1)
            break;
        key = Trimmed(key.substr(0, open));
    }
    return key;
}

}  // namespace

const std::string* IniGroup::Find(std::string_view key) const {
    for (const auto& [name, value] : entries) {
        if (name == key)
            return &value;
    }
    return nullptr;
}

const IniGroup* FindGroup(const std::vector<IniGroup>& groups, std::string_view name) {
    for (const IniGroup& group : groups) {
        if (group.name == name)
            return &group;
    }
    return nullptr;
}

std::vector<IniGroup> ReadIniGroups(std::string_view text, IniDialect dialect) {
    const bool kconfig = dialect == IniDialect::KConfig;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<IniGroup> groups;
    IniGroup* current = nullptr;  // lines before any header belong to no group read here
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos)
                continue;
            const std::string_view raw = line.substr(1, close - 1);
            const std::string name = kconfig ? Unescaped(raw) : std::string(raw);
            current = nullptr;
            for (IniGroup& group : groups) {
                if (group.name == name)
                    current = &group;
            }
            if (!current)
                current = &groups.emplace_back(IniGroup{name, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos)
            continue;
        const std::string_view rawKey = Trimmed(line.substr(0, equals));
        const std::string key(kconfig ? WithoutOptions(rawKey) : rawKey);
        const std::string_view rawValue = Trimmed(line.substr(equals + 1));
        std::string value = kconfig ? Unescaped(rawValue) : std::string(rawValue);
        bool replaced = false;
        for (auto& [name, old] : current->entries) {
            if (name == key) {
                old = value;
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.emplace_back(key, std::move(value));
    }
    return groups;
}

}  // namespace sonatrix
