// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prefs_js.h"

#include <cstdio>
#include <vector>

#include "platform/hex_digit.h"
#include "platform/utf8_append.h"

namespace sonatrix {
namespace {

enum class Tok {
    Char,
    UserPref,
    Pref,
    StickyPref,
    True,
    False,
    Sticky,
    Locked,
    String,
    Int,
    Error,
    End
};

struct Token {
    Tok kind = Tok::End;
    char c = 0;                // Tok::Char
    std::uint64_t number = 0;  // Tok::Int
    std::string text;          // Tok::String, its bytes unescaped
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool IsKeywordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The tokens of Mozilla's prefs parser (modules/libpref/parser): a NUL
// byte ends the text, as it does there.
class Lexer {
  public:
    explicit Lexer(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    Token Next() {
        while (i_ < text_.size()) {
            const std::size_t begin = i_;
            const char c = text_[i_++];
            switch (c) {
                case '(':
                case ')':
                case '+':
                case ',':
                case '-':
                case ';':
                    return Make(Tok::Char, begin, c);
                case ' ':
                case '\t':
                case '\v':
                case '\f':
                case '\n':
                case '\r':
                    continue;
                case '#':
                    SkipLine();
                    continue;
                case '/':
                    if (Peek('/')) {
                        SkipLine();
                        continue;
                    }
                    if (Peek('*')) {
                        const std::size_t close = text_.find("*/", i_);
                        if (close == std::string_view::npos) {
                            i_ = text_.size();
                            return Make(Tok::Error, begin);
                        }
                        i_ = close + 2;
                        continue;
                    }
                    // Mozilla takes the character after a lone "/" into the
                    // error: a ";" there ends no statement.
                    if (i_ < text_.size())
                        ++i_;
                    return Make(Tok::Error, begin);
                case '"':
                case '\'':
                    return String(begin, c);
                default:
                    break;
            }
            if (c >= '0' && c <= '9')
                return Number(begin, c);
            if (IsKeywordChar(c))
                return Keyword(begin);
            return Make(Tok::Error, begin);
        }
        return Make(Tok::End, text_.size());
    }

  private:
    Token Make(Tok kind, std::size_t begin, char c = 0) const {
        Token token;
        token.kind = kind;
        token.c = c;
        token.begin = begin;
        token.end = i_;
        return token;
    }

    bool Peek(char c) {
        if (i_ < text_.size() && text_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    void SkipLine() {
        while (i_ < text_.size() && text_[i_] != '\n' && text_[i_] != '\r')
            ++i_;
    }

    Token Keyword(std::size_t begin) {
        while (i_ < text_.size() && IsKeywordChar(text_[i_]))
            ++i_;
        static constexpr std::pair<std::string_view, Tok> kKeywords[] = {
            {"user_pref", Tok::UserPref}, {"pref", Tok::Pref},   {"sticky_pref", Tok::StickyPref},
            {"true", Tok::True},          {"false", Tok::False}, {"sticky", Tok::Sticky},
            {"locked", Tok::Locked},
        };
        const std::string_view word = text_.substr(begin, i_ - begin);
        for (const auto& [spelling, kind] : kKeywords) {
            if (word == spelling)
                return Make(kind, begin);
        }
        return Make(Tok::Error, begin);
    }

    Token Number(std::size_t begin, char first) {
        std::uint64_t value = std::uint64_t(first - '0');
        while (i_ < text_.size() && text_[i_] >= '0' && text_[i_] <= '9') {
            value = value * 10 + std::uint64_t(text_[i_++] - '0');
            if (value > 0xFFFFFFFFu)
                value = 0x100000000u;  // overflowed, whatever follows
        }
        // "123foo" is no number; the word is read again as a token of its own.
        if (value > 0xFFFFFFFFu || (i_ < text_.size() && IsKeywordChar(text_[i_])))
            return Make(Tok::Error, begin);
        Token token = Make(Tok::Int, begin);
        token.number = value;
        return token;
    }

    // Up to `count` hex digits as one number; -1 when one is missing.
    long Hex(int count) {
        long value = 0;
        for (int n = 0; n < count; ++n) {
            const int digit = i_ < text_.size() ? HexValue(text_[i_]) : -1;
            if (digit < 0)
                return -1;
            value = value * 16 + digit;
            ++i_;
        }
        return value;
    }

    // A string literal. A bad escape makes the whole literal an error, but
    // the literal is still read to its closing quote, as Mozilla does.
    Token String(std::size_t begin, char quote) {
        std::string bytes;
        bool bad = false;
        while (true) {
            if (i_ >= text_.size())
                return Make(Tok::Error, begin);
            const char c = text_[i_++];
            if (c == quote)
                break;
            if (c != '\\') {
                bytes += c;
                continue;
            }
            const char escape = i_ < text_.size() ? text_[i_++] : '\0';
            switch (escape) {
                case '"':
                case '\'':
                case '\\':
                    bytes += escape;
                    break;
                case 'n':
                    bytes += '\n';
                    break;
                case 'r':
                    bytes += '\r';
                    break;
                case 'x': {
                    const long value = Hex(2);
                    bad = bad || value <= 0;
                    if (value > 0)
                        bytes += char(value);
                    break;
                }
                case 'u': {
                    long unit = Hex(4);
                    char32_t code = char32_t(unit);
                    if (unit >= 0xD800 && unit < 0xDC00) {
                        long low = -1;
                        if (Peek('\\') && Peek('u'))
                            low = Hex(4);
                        if (low >= 0xDC00 && low < 0xE000)
                            code = 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                   (char32_t(low) - 0xDC00);
                        else
                            unit = -1;
                    }
                    if (unit <= 0 || (unit >= 0xDC00 && unit < 0xE000))
                        bad = true;
                    else
                        AppendUtf8(bytes, code);
                    break;
                }
                default:
                    // The character after the backslash is read again.
                    if (escape != '\0')
                        --i_;
                    bad = true;
                    break;
            }
        }
        Token token = Make(bad ? Tok::Error : Tok::String, begin);
        token.text = std::move(bytes);
        return token;
    }

    std::string_view text_;
    std::size_t i_ = 0;
};

// One statement that Mozilla's parser accepts.
struct Statement {
    bool user = false;  // user_pref, rather than a default's pref or sticky_pref
    std::string name;
    PrefValue value;
    std::size_t valueBegin = 0;  // the value's bytes in the text, a sign included
    std::size_t valueEnd = 0;
};

// After a statement it cannot parse, Mozilla skips to the next ";".
Token Recover(Lexer& lexer, Token token) {
    while (token.kind != Tok::End) {
        if (token.kind == Tok::Char && token.c == ';')
            return lexer.Next();
        token = lexer.Next();
    }
    return token;
}

bool IsChar(const Token& token, char c) {
    return token.kind == Tok::Char && token.c == c;
}

// The value starting at `token`; nothing when there is none.
std::optional<PrefValue> Value(Lexer& lexer, Token& token) {
    switch (token.kind) {
        case Tok::True:
            return true;
        case Tok::False:
            return false;
        case Tok::String:
            return std::move(token.text);
        case Tok::Int:
            if (token.number > 0x7FFFFFFFu)
                return std::nullopt;
            return std::int32_t(token.number);
        case Tok::Char:
            if (token.c == '-' || token.c == '+') {
                const bool negative = token.c == '-';
                token = lexer.Next();
                if (token.kind != Tok::Int || token.number > 0x80000000u ||
                    (!negative && token.number > 0x7FFFFFFFu))
                    return std::nullopt;
                return std::int32_t(negative ? -std::int64_t(token.number)
                                             : std::int64_t(token.number));
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::vector<Statement> Statements(std::string_view text) {
    std::vector<Statement> statements;
    Lexer lexer(text);
    Token token = lexer.Next();
    while (token.kind != Tok::End) {
        Statement statement;
        statement.user = token.kind == Tok::UserPref;
        if (!statement.user && token.kind != Tok::Pref && token.kind != Tok::StickyPref) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        token = lexer.Next();
        if (!IsChar(token, '(')) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        token = lexer.Next();
        if (token.kind != Tok::String) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        statement.name = std::move(token.text);
        token = lexer.Next();
        if (!IsChar(token, ',')) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        token = lexer.Next();
        const std::size_t valueBegin = token.begin;
        std::optional<PrefValue> value = Value(lexer, token);
        if (!value) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        statement.value = std::move(*value);
        statement.valueBegin = valueBegin;
        statement.valueEnd = token.end;
        token = lexer.Next();
        if (!IsChar(token, ')')) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        token = lexer.Next();
        if (!IsChar(token, ';')) {
            token = Recover(lexer, std::move(token));
            continue;
        }
        statements.push_back(std::move(statement));
        token = lexer.Next();
    }
    return statements;
}

const Statement* LastUserStatement(const std::vector<Statement>& statements,
                                   std::string_view name) {
    const Statement* last = nullptr;
    for (const Statement& statement : statements) {
        if (statement.user && statement.name == name)
            last = &statement;
    }
    return last;
}

std::string QuotedString(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if ((c > 0 && c < 0x20) || c == 0x7F) {
                    char escaped[5];
                    std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + '"';
}

}  // namespace

std::optional<PrefValue> UserPrefValue(std::string_view text, std::string_view name) {
    const std::vector<Statement> statements = Statements(text);
    if (const Statement* statement = LastUserStatement(statements, name))
        return statement->value;
    return std::nullopt;
}

std::string PrefsJsLiteral(const PrefValue& value) {
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag ? "true" : "false";
    if (const std::int32_t* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    return QuotedString(std::get<std::string>(value));
}

std::optional<std::string> WithUserPref(std::string_view text, std::string_view name,
                                        const PrefValue& value) {
    const std::vector<Statement> statements = Statements(text);
    std::string out;
    if (const Statement* statement = LastUserStatement(statements, name)) {
        out = text.substr(0, statement->valueBegin);
        out += PrefsJsLiteral(value);
        out += text.substr(statement->valueEnd);
    } else {
        const std::string_view lineEnd =
            text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
        out = text;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out += lineEnd;
        out += "user_pref(" + QuotedString(name) + ", " + PrefsJsLiteral(value) + ");";
        out += lineEnd;
    }
    // A line added after an unclosed comment or string, or after a NUL
    // byte, would not be read.
    if (UserPrefValue(out, name) != value)
        return std::nullopt;
    return out;
}

}  // namespace sonatrix
