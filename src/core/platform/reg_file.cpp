// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/reg_file.h"

#include <unordered_map>

#include "platform/hex_digit.h"
#include "platform/path_pieces.h"
#include "platform/utf8_append.h"

namespace sonatrix {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Turns UTF-16 code units into UTF-8, pairing surrogates; a lone surrogate
// becomes U+FFFD.
class Utf16ToUtf8 {
  public:
    explicit Utf16ToUtf8(std::string& out) : out_(out) {}
    ~Utf16ToUtf8() { Flush(); }
    void Unit(std::uint32_t unit) {
        if (pendingHigh_ != 0 && IsLowSurrogate(unit)) {
            AppendUtf8(out_, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00));
            pendingHigh_ = 0;
            return;
        }
        Flush();
        if (IsHighSurrogate(unit))
            pendingHigh_ = unit;
        else
            AppendUtf8(out_, IsLowSurrogate(unit) ? 0xFFFD : unit);
    }
    // Bytes that are not escaped pass through as they are (UTF-8 already).
    void Byte(char c) {
        Flush();
        out_ += c;
    }
    void Flush() {
        if (pendingHigh_ != 0)
            AppendUtf8(out_, 0xFFFD);
        pendingHigh_ = 0;
    }

  private:
    std::string& out_;
    std::uint32_t pendingHigh_ = 0;
};

// Reads an escaped string from `at` up to the unescaped `end` character,
// which is consumed. False when the line ends first.
bool ParseEscaped(std::string_view line, std::size_t& at, char end, std::string& out) {
    out.clear();
    Utf16ToUtf8 text(out);
    while (at < line.size()) {
        const char c = line[at++];
        if (c == end)
            return true;
        if (c != '\\') {
            text.Byte(c);
            continue;
        }
        if (at == line.size())
            return false;
        const char e = line[at++];
        switch (e) {
            case 'a':
                text.Unit('\a');
                break;
            case 'b':
                text.Unit('\b');
                break;
            case 'e':
                text.Unit(0x1B);
                break;
            case 'f':
                text.Unit('\f');
                break;
            case 'n':
                text.Unit('\n');
                break;
            case 'r':
                text.Unit('\r');
                break;
            case 't':
                text.Unit('\t');
                break;
            case 'v':
                text.Unit('\v');
                break;
            case 'x': {
                std::uint32_t unit = 0;
                int digits = 0;
                for (; digits < 4 && at < line.size() && HexValue(line[at]) >= 0; ++digits)
                    unit = unit * 16 + static_cast<std::uint32_t>(HexValue(line[at++]));
                if (digits == 0)
                    text.Byte('x');
                else
                    text.Unit(unit);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    std::uint32_t unit = static_cast<std::uint32_t>(e - '0');
                    for (int digits = 1;
                         digits < 3 && at < line.size() && line[at] >= '0' && line[at] <= '7';
                         ++digits)
                        unit = unit * 8 + static_cast<std::uint32_t>(line[at++] - '0');
                    text.Unit(unit);
                } else {
                    text.Byte(e);  // \\ \" \[ \] and anything else stand for themselves
                }
        }
    }
    return false;
}

bool ConsumePrefix(std::string_view line, std::size_t& at, std::string_view prefix) {
    if (line.substr(at).starts_with(prefix)) {
        at += prefix.size();
        return true;
    }
    return false;
}

// A hex number of at most `maxDigits` digits, the whole of it consumed.
bool ParseHexNumber(std::string_view line, std::size_t& at, int maxDigits, std::uint32_t& value) {
    value = 0;
    int digits = 0;
    while (at < line.size() && HexValue(line[at]) >= 0) {
        if (++digits > maxDigits)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(HexValue(line[at++]));
    }
    return digits > 0;
}

std::string_view WithoutTrailingBlanks(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

class Parser {
  public:
    explicit Parser(std::string_view bytes) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string_view::npos)
                end = bytes.size();
            std::string_view line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
        // wineserver ends every line; one without its end was cut short.
        lastLineCut_ = !bytes.empty() && bytes.back() != '\n';
    }

    std::optional<RegFile> Parse() {
        if (lines_.empty() || WithoutTrailingBlanks(lines_[0]) != kHeader)
            return std::nullopt;
        for (next_ = 1; next_ < lines_.size();) {
            const std::string_view line = lines_[next_++];
            if (Cut(next_ - 1))
                break;
            if (line.empty() || line[0] == ';' || line[0] == '#')
                continue;  // comments, and options such as #time= or #arch=
            if (line[0] == '[')
                StartKey(line);
            else if (current_ && (line[0] == '"' || line[0] == '@'))
                ReadValue(line);
        }
        return std::move(file_);
    }

  private:
    void StartKey(std::string_view line) {
        std::size_t at = 1;
        std::string name;
        current_ = nullptr;
        if (!ParseEscaped(line, at, ']', name))
            return;
        const std::string folded = Folded(name);
        auto known = keyIndex_.find(folded);
        if (known == keyIndex_.end()) {
            known = keyIndex_.emplace(folded, file_.keys.size()).first;
            file_.keys.push_back({std::move(name), {}});
        }
        current_ = &file_.keys[known->second];
    }

    void ReadValue(std::string_view line) {
        RegValue value;
        std::size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else {
            at = 1;
            if (!ParseEscaped(line, at, '"', value.name))
                return;
        }
        if (!ConsumePrefix(line, at, "="))
            return;
        if (!ReadData(line, at, value))
            return;
        for (RegValue& existing : current_->values) {
            if (SameIgnoringAsciiCase(existing.name, value.name)) {
                existing = std::move(value);
                return;
            }
        }
        current_->values.push_back(std::move(value));
    }

    bool ReadData(std::string_view line, std::size_t& at, RegValue& value) {
        if (at < line.size() && line[at] == '"') {
            ++at;
            value.type = kRegSz;
            value.quoted = true;
            return ParseEscaped(line, at, '"', value.data);
        }
        if (ConsumePrefix(line, at, "str(")) {
            if (!ParseHexNumber(line, at, 8, value.type) || !ConsumePrefix(line, at, "):\""))
                return false;
            value.quoted = true;
            return ParseEscaped(line, at, '"', value.data);
        }
        if (ConsumePrefix(line, at, "dword:")) {
            std::uint32_t number = 0;
            if (!ParseHexNumber(line, at, 8, number))
                return false;
            value.type = kRegDword;
            for (int i = 0; i < 4; ++i)
                value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
            return true;
        }
        if (ConsumePrefix(line, at, "hex:")) {
            value.type = kRegBinary;
            return ReadHexBytes(line.substr(at), value.data);
        }
        if (ConsumePrefix(line, at, "hex(")) {
            if (!ParseHexNumber(line, at, 8, value.type) || !ConsumePrefix(line, at, "):"))
                return false;
            return ReadHexBytes(line.substr(at), value.data);
        }
        return false;
    }

    // "01,02,ab" with a trailing backslash carrying the list onto the next
    // line. False for anything else, or when the file ends inside the list.
    bool ReadHexBytes(std::string_view part, std::string& bytes) {
        for (;;) {
            part = WithoutTrailingBlanks(part);
            const bool continued = !part.empty() && part.back() == '\\';
            if (continued)
                part.remove_suffix(1);
            std::size_t at = 0;
            while (at < part.size()) {
                const char c = part[at];
                if (c == ',' || c == ' ' || c == '\t') {
                    ++at;
                    continue;
                }
                std::uint32_t byte = 0;
                if (!ParseHexNumber(part, at, 2, byte))
                    return false;
                bytes += static_cast<char>(byte);
            }
            if (!continued)
                return true;
            if (next_ >= lines_.size() || Cut(next_))
                return false;
            part = lines_[next_++];
        }
    }

    static std::string Folded(std::string_view name) {
        std::string folded(name);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        return folded;
    }

    bool Cut(std::size_t line) const { return lastLineCut_ && line + 1 == lines_.size(); }

    std::vector<std::string_view> lines_;
    bool lastLineCut_ = false;
    std::size_t next_ = 0;
    RegFile file_;
    std::unordered_map<std::string, std::size_t> keyIndex_;
    RegKey* current_ = nullptr;
};

}  // namespace

std::optional<RegFile> ParseRegFile(std::string_view bytes) {
    return Parser(bytes).Parse();
}

const RegKey* FindRegKey(const RegFile& file, std::string_view name) {
    for (const RegKey& key : file.keys) {
        if (SameIgnoringAsciiCase(key.name, name))
            return &key;
    }
    return nullptr;
}

const RegValue* FindRegValue(const RegKey& key, std::string_view name) {
    for (const RegValue& value : key.values) {
        if (SameIgnoringAsciiCase(value.name, name))
            return &value;
    }
    return nullptr;
}

std::optional<std::string> RegStringOf(const RegValue& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz)
        return std::nullopt;
    if (value.quoted)
        return value.data.substr(0, value.data.find('\0'));
    // A string that Wine could not write quoted (no terminating NUL): UTF-16LE bytes.
    std::string text;
    {
        Utf16ToUtf8 decoder(text);
        for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
            const std::uint32_t unit = static_cast<unsigned char>(value.data[i]) |
                                       (static_cast<unsigned char>(value.data[i + 1]) << 8);
            if (unit == 0)
                break;
            decoder.Unit(unit);
        }
    }
    return text;
}

}  // namespace sonatrix
