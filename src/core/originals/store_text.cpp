// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/store_text.h"

#include "platform/hex_digit.h"

namespace sonatrix {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%';
}

}  // namespace

std::string EscapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> UnescapedText(std::string_view escaped) {
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const auto byte = static_cast<unsigned char>(escaped[i]);
        if (byte != '%') {
            if (NeedsEscape(byte))
                return std::nullopt;
            out += escaped[i];
            continue;
        }
        if (i + 2 >= escaped.size())
            return std::nullopt;
        const int high = HexValue(escaped[i + 1]);
        const int low = HexValue(escaped[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> CompleteLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool SplitField(std::string_view line, std::string_view& key, std::string_view& rest) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return false;
    key = line.substr(0, blank);
    rest = line.substr(blank + 1);
    return true;
}

}  // namespace sonatrix
