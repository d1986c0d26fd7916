// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/purple_prefs_xml.h"

#include <algorithm>
#include <span>
#include <vector>

#include "platform/utf8_append.h"

namespace sonatrix {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

struct Attribute {
    std::string name;
    std::string value;           // entities decoded
    std::size_t valueBegin = 0;  // inside the quotes
    std::size_t valueEnd = 0;
};

struct Element {
    std::string name;
    std::vector<Attribute> attributes;
    std::size_t tagBegin = 0;        // its "<"
    std::size_t attributesEnd = 0;   // just after its last attribute (or its name)
    std::size_t slash = kNone;       // the "/" of "/>" when it has no end tag
    std::size_t closeBegin = kNone;  // the "<" of its end tag
    int parent = -1;
    std::vector<int> children;

    const Attribute* Find(std::string_view attribute) const {
        for (const Attribute& each : attributes) {
            if (each.name == attribute)
                return &each;
        }
        return nullptr;
    }
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// An attribute value with its entities decoded, as GMarkup (which libpurple
// reads with) decodes them; nothing for a reference it would refuse.
std::optional<std::string> Decoded(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '<')
            return std::nullopt;
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const std::size_t end = raw.find(';', i);
        if (end == kNone)
            return std::nullopt;
        const std::string_view name = raw.substr(i + 1, end - i - 1);
        static constexpr std::pair<std::string_view, char> kNamed[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}, {"quot", '"'}};
        bool known = false;
        for (const auto& [entity, c] : kNamed) {
            if (name == entity) {
                out += c;
                known = true;
            }
        }
        if (!known) {
            if (name.size() < 2 || name[0] != '#')
                return std::nullopt;
            const bool hex = name[1] == 'x';
            const std::string digits(name.substr(hex ? 2 : 1));
            if (digits.empty() ||
                digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != kNone ||
                digits.size() > 8)
                return std::nullopt;
            const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
            if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
                return std::nullopt;
            AppendUtf8(out, code);
        }
        i = end;
    }
    return out;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Every element of `xml` with where its parts lie; nothing when the text is
// not well-formed.
std::optional<std::vector<Element>> Elements(std::string_view xml) {
    std::vector<Element> elements;
    std::vector<int> open;
    std::size_t i = 0;
    while ((i = xml.find('<', i)) != kNone) {
        const std::string_view rest = xml.substr(i);
        std::string_view skipTo;
        if (rest.starts_with("<?"))
            skipTo = "?>";
        else if (rest.starts_with("<!--"))
            skipTo = "-->";
        else if (rest.starts_with("<![CDATA["))
            skipTo = "]]>";
        else if (rest.starts_with("<!"))
            skipTo = ">";
        if (!skipTo.empty()) {
            const std::size_t end = xml.find(skipTo, i + 2);
            if (end == kNone)
                return std::nullopt;
            i = end + skipTo.size();
            continue;
        }
        if (rest.starts_with("</")) {
            const std::size_t end = xml.find('>', i);
            if (end == kNone || open.empty())
                return std::nullopt;
            std::string_view name = xml.substr(i + 2, end - i - 2);
            while (!name.empty() && IsSpace(name.back()))
                name.remove_suffix(1);
            Element& closed = elements[std::size_t(open.back())];
            if (name != closed.name)
                return std::nullopt;
            closed.closeBegin = i;
            open.pop_back();
            i = end + 1;
            continue;
        }
        Element element;
        element.tagBegin = i;
        element.parent = open.empty() ? -1 : open.back();
        std::size_t at = i + 1;
        while (at < xml.size() && !IsSpace(xml[at]) && xml[at] != '/' && xml[at] != '>')
            ++at;
        element.name = xml.substr(i + 1, at - i - 1);
        if (element.name.empty())
            return std::nullopt;
        element.attributesEnd = at;
        while (true) {
            while (at < xml.size() && IsSpace(xml[at]))
                ++at;
            if (at >= xml.size())
                return std::nullopt;
            if (xml[at] == '>')
                break;
            if (xml.substr(at).starts_with("/>")) {
                element.slash = at;
                ++at;
                break;
            }
            Attribute attribute;
            const std::size_t nameBegin = at;
            while (at < xml.size() && !IsSpace(xml[at]) && xml[at] != '=' && xml[at] != '>' &&
                   xml[at] != '/')
                ++at;
            attribute.name = xml.substr(nameBegin, at - nameBegin);
            while (at < xml.size() && IsSpace(xml[at]))
                ++at;
            if (attribute.name.empty() || at >= xml.size() || xml[at] != '=')
                return std::nullopt;
            ++at;
            while (at < xml.size() && IsSpace(xml[at]))
                ++at;
            if (at >= xml.size() || (xml[at] != '\'' && xml[at] != '"'))
                return std::nullopt;
            const std::size_t close = xml.find(xml[at], at + 1);
            if (close == kNone)
                return std::nullopt;
            attribute.valueBegin = at + 1;
            attribute.valueEnd = close;
            auto value = Decoded(xml.substr(at + 1, close - at - 1));
            if (!value)
                return std::nullopt;
            attribute.value = std::move(*value);
            element.attributes.push_back(std::move(attribute));
            at = close + 1;
            element.attributesEnd = at;
        }
        const int index = int(elements.size());
        if (element.parent >= 0)
            elements[std::size_t(element.parent)].children.push_back(index);
        const bool selfClosing = element.slash != kNone;
        elements.push_back(std::move(element));
        if (!selfClosing)
            open.push_back(index);
        i = at + 1;
    }
    if (!open.empty())
        return std::nullopt;
    return elements;
}

std::vector<std::string_view> Segments(std::string_view path) {
    std::vector<std::string_view> segments;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        if (slash != 0)
            segments.push_back(path.substr(0, slash));
        if (slash == kNone)
            break;
        path.remove_prefix(slash + 1);
    }
    return segments;
}

int RootPref(const std::vector<Element>& elements) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].parent < 0 && elements[i].name == "pref")
            return int(i);
    }
    return -1;
}

// The last child pref of `parent` named `name` (the one libpurple keeps); -1
// when there is none.
int ChildPref(const std::vector<Element>& elements, int parent, std::string_view name) {
    int found = -1;
    for (const int child : elements[std::size_t(parent)].children) {
        const Element& element = elements[std::size_t(child)];
        const Attribute* attribute = element.Find("name");
        if (element.name == "pref" && attribute && attribute->value == name)
            found = child;
    }
    return found;
}

// The whitespace a line of `xml` starts with before `position`, when
// nothing else stands before it on its line.
std::string_view IndentBefore(std::string_view xml, std::size_t position) {
    std::size_t start = position;
    while (start > 0 && (xml[start - 1] == ' ' || xml[start - 1] == '\t'))
        --start;
    if (start > 0 && xml[start - 1] != '\n' && xml[start - 1] != '\r')
        return {};
    return xml.substr(start, position - start);
}

struct Edit {
    std::size_t at;
    std::size_t length;
    std::string text;
};

std::string Applied(std::string_view xml, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at > b.at; });
    std::string out(xml);
    for (const Edit& edit : edits)
        out.replace(edit.at, edit.length, edit.text);
    return out;
}

void SetAttribute(const Element& element, std::string_view name, std::string_view value,
                  std::vector<Edit>& edits) {
    if (const Attribute* attribute = element.Find(name)) {
        if (attribute->value != value)
            edits.push_back({attribute->valueBegin, attribute->valueEnd - attribute->valueBegin,
                             Escaped(value)});
        return;
    }
    edits.push_back(
        {element.attributesEnd, 0, " " + std::string(name) + "='" + Escaped(value) + "'"});
}

// Adds the elements `missing` (names, outermost first; the last holds the
// value) as the last child of `nearest`, one to a line as libpurple
// writes them.
void AddMissing(std::string_view xml, const std::vector<Element>& elements, int nearestIndex,
                std::span<const std::string_view> missing, std::string_view type,
                std::string_view value, std::vector<Edit>& edits) {
    const Element& nearest = elements[std::size_t(nearestIndex)];
    const std::string newline = xml.find("\r\n") != kNone ? "\r\n" : "\n";
    const std::string indent(IndentBefore(xml, nearest.tagBegin));
    const std::string childIndent =
        nearest.children.empty()
            ? indent + "\t"
            : std::string(IndentBefore(xml, elements[std::size_t(nearest.children[0])].tagBegin));
    std::string opening;
    std::string closing;
    for (std::size_t level = 0; level < missing.size(); ++level) {
        const std::string lineIndent = childIndent + std::string(level, '\t');
        opening += lineIndent + "<pref name='" + Escaped(missing[level]) + "'";
        if (level + 1 < missing.size()) {
            opening += ">" + newline;
            closing = lineIndent + "</pref>" + (closing.empty() ? "" : newline) + closing;
        } else {
            opening += " type='" + Escaped(type) + "' value='" + Escaped(value) + "'/>";
        }
    }
    const std::string block = opening + (closing.empty() ? "" : newline + closing);
    if (nearest.slash != kNone) {
        edits.push_back({nearest.slash, 2, ">" + newline + block + newline + indent + "</pref>"});
        return;
    }
    // Before the end tag's line when it stands on a line of its own.
    const std::string_view closeIndent = IndentBefore(xml, nearest.closeBegin);
    const std::size_t lineStart = nearest.closeBegin - closeIndent.size();
    if (lineStart > 0 && (xml[lineStart - 1] == '\n' || xml[lineStart - 1] == '\r'))
        edits.push_back({lineStart, 0, block + newline});
    else
        edits.push_back({nearest.closeBegin, 0, newline + block + newline + indent});
}

}  // namespace

std::optional<std::string> PurplePrefValue(std::string_view xml, std::string_view path) {
    const auto elements = Elements(xml);
    if (!elements)
        return std::nullopt;
    int at = RootPref(*elements);
    for (const std::string_view segment : Segments(path)) {
        if (at < 0)
            break;
        at = ChildPref(*elements, at, segment);
    }
    if (at < 0)
        return std::nullopt;
    const Attribute* value = (*elements)[std::size_t(at)].Find("value");
    return value ? std::optional<std::string>(value->value) : std::nullopt;
}

std::optional<std::string> WithPurplePref(std::string_view xml, std::string_view path,
                                          std::string_view type, std::string_view value) {
    const auto elements = Elements(xml);
    if (!elements)
        return std::nullopt;
    int at = RootPref(*elements);
    if (at < 0)
        return std::nullopt;
    const std::vector<std::string_view> segments = Segments(path);
    std::size_t depth = 0;
    for (; depth < segments.size(); ++depth) {
        const int child = ChildPref(*elements, at, segments[depth]);
        if (child < 0)
            break;
        at = child;
    }
    std::vector<Edit> edits;
    if (depth == segments.size()) {
        SetAttribute((*elements)[std::size_t(at)], "type", type, edits);
        SetAttribute((*elements)[std::size_t(at)], "value", value, edits);
    } else {
        AddMissing(xml, *elements, at, std::span(segments).subspan(depth), type, value, edits);
    }
    std::string out = Applied(xml, std::move(edits));
    if (PurplePrefValue(out, path) != value)
        return std::nullopt;
    return out;
}

}  // namespace sonatrix
