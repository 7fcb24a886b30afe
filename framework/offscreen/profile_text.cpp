#include "profile_text.h"

#include <cstddef>
#include <limits>
#include <vector>

namespace {

struct CLine {
    std::string text;  // as in the file, without its '\n'
    // The text without a carriage return that ends it.
    std::string Content() const
    {
        return !text.empty() && text.back() == '\r' ? text.substr(0, text.size() - 1) : text;
    }
};

std::vector<CLine> SplitLines(const std::string& text)
{
    std::vector<CLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(CLine{text.substr(start, end - start)});
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<CLine>& lines)
{
    std::string text;
    for (const CLine& line : lines)
        text += line.text + '\n';
    return text;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The section a line opens, if it is a section header.
std::optional<std::string> SectionOf(const CLine& line)
{
    const std::string content = line.Content();
    if (content.size() < 2 || content.front() != '[' || content.back() != ']')
        return std::nullopt;
    return content.substr(1, content.size() - 2);
}

bool HoldsValue(const CLine& line, const std::string& name)
{
    const std::string content = line.Content();
    const std::size_t equals = content.find('=');
    return equals != std::string::npos && SameName(content.substr(0, equals), name);
}

// Where a value is, or where it would be added: line indexes into the file.
struct CValuePlace {
    std::optional<std::size_t> value;         // the line holding it
    std::optional<std::size_t> sectionEnd;    // after the last non-empty line of its first section
};

CValuePlace Locate(const std::vector<CLine>& lines, const std::string& section, const std::string& name)
{
    CValuePlace place;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const std::optional<std::string> opened = SectionOf(lines[i])) {
            inSection = SameName(*opened, section);
            inFirstSection = inSection && !place.sectionEnd;
            if (inFirstSection)
                place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (HoldsValue(lines[i], name)) {
            place.value = i;
            return place;
        }
        if (inFirstSection && !lines[i].Content().empty())
            place.sectionEnd = i + 1;
    }
    return place;
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

bool IsStorableSectionName(const std::string& section)
{
    return !section.empty() && !HasLineBreak(section);
}

bool IsStorableValueName(const std::string& name)
{
    return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string::npos;
}

std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& name)
{
    const std::vector<CLine> lines = SplitLines(text);
    const CValuePlace place = Locate(lines, section, name);
    if (!place.value)
        return std::nullopt;
    const std::string content = lines[*place.value].Content();
    return content.substr(content.find('=') + 1);
}

std::string SetProfileValue(const std::string& text, const std::string& section, const std::string& name,
                            const std::string& value)
{
    std::vector<CLine> lines = SplitLines(text);
    const CValuePlace place = Locate(lines, section, name);
    const CLine entry{name + '=' + value};
    if (place.value) {
        lines[*place.value] = entry;
    } else if (place.sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), entry);
    } else {
        if (!lines.empty() && !lines.back().Content().empty())
            lines.push_back(CLine{});
        lines.push_back(CLine{'[' + section + ']'});
        lines.push_back(entry);
    }
    return JoinLines(lines);
}

std::optional<std::int32_t> ParseProfileInt(const std::string& text)
{
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    if (first == text.size())
        return std::nullopt;
    // Accumulated as a magnitude one beyond INT32_MAX at most, so that
    // -2147483648 reads and nothing can overflow.
    const std::int64_t limit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
