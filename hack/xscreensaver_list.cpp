#include "xscreensaver_list.h"

#include <cctype>
#include <cstddef>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One "name: value" setting of the file, possibly over several lines.
struct CLogicalLine {
    std::size_t begin = 0;  // in the file's text
    std::size_t end = 0;    // after its last line's line break, if any
};

// The settings of the text in order; comment and blank lines are settings
// without a name, which nothing looks for.
std::vector<CLogicalLine> SplitLogicalLines(const std::string& text)
{
    std::vector<CLogicalLine> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = begin;
        for (;;) {
            const std::size_t lineBreak = text.find('\n', end);
            if (lineBreak == std::string::npos) {
                end = text.size();
                break;
            }
            end = lineBreak + 1;
            if (lineBreak == 0 || text[lineBreak - 1] != '\\')
                break;
        }
        lines.push_back({begin, end});
        begin = end;
    }
    return lines;
}

// The setting's name with blanks trimmed, or "" for a comment.
std::string NameOf(const std::string& line)
{
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    if (start == line.size() || line[start] == '#' || line[start] == '!' || line[start] == ';')
        return "";
    const std::size_t colon = line.find(':', start);
    if (colon == std::string::npos)
        return "";
    std::size_t end = colon;
    while (end > start && IsBlank(line[end - 1]))
        --end;
    return line.substr(start, end - start);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// "programs" in the user's file; "*programs" or "XScreenSaver.programs"
// (any mix of '.' and '*') in the app-defaults file.
bool IsProgramsName(const std::string& name, bool appDefaults)
{
    if (!appDefaults)
        return EqualsIgnoringCase(name, "programs");
    std::string rest = name;
    if (rest.compare(0, 12, "XScreenSaver") == 0)
        rest.erase(0, 12);
    if (rest.empty() || (rest[0] != '*' && rest[0] != '.'))
        return false;
    while (!rest.empty() && (rest[0] == '*' || rest[0] == '.'))
        rest.erase(0, 1);
    return EqualsIgnoringCase(rest, "programs");
}

// The last setting of that kind, as XScreenSaver takes the last.
std::optional<CLogicalLine> FindProgramsLine(const std::string& text, bool appDefaults)
{
    std::optional<CLogicalLine> found;
    for (const CLogicalLine& line : SplitLogicalLines(text)) {
        if (IsProgramsName(NameOf(text.substr(line.begin, line.end - line.begin)), appDefaults))
            found = line;
    }
    return found;
}

// One program of the list: its characters as XScreenSaver reads them (line
// continuations gone, escapes decoded) and where its text lies in the
// setting's, from after the line break before it to after its own.
struct CEntry {
    std::string text;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t lastShown = 0;  // after the last character that is not blank
    bool anyShown = false;
    std::size_t firstShown = 0;  // where its first character that is not blank starts
};

// The programs of a "programs" setting (its whole text, name included).
std::vector<CEntry> SplitEntries(const std::string& line)
{
    std::size_t body = line.size();
    if (body > 0 && line[body - 1] == '\n')
        --body;
    std::vector<CEntry> entries(1);
    entries.back().begin = line.find(':') + 1;
    std::size_t i = entries.back().begin;
    while (i < body) {
        char decoded = line[i];
        std::size_t next = i + 1;
        if (line[i] == '\\' && i + 1 < line.size()) {
            if (line[i + 1] == '\n') {  // a continuation: nothing is read
                i += 2;
                continue;
            }
            const char escaped = line[i + 1];
            decoded = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped;
            next = i + 2;
        }
        CEntry& entry = entries.back();
        if (decoded == '\n') {
            entry.end = next;
            entries.push_back({});
            entries.back().begin = next;
        } else {
            if (!IsBlank(decoded)) {
                if (!entry.anyShown)
                    entry.firstShown = i;
                entry.anyShown = true;
                entry.lastShown = next;
            }
            entry.text += decoded;
        }
        i = next;
    }
    entries.back().end = body;
    return entries;
}

// How XScreenSaver reads a program's line: "-", "visual:", "name", command.
struct CProgramLine {
    bool enabled = true;
    std::string program;  // the command's first word without its folder
};

CProgramLine ParseProgramLine(const std::string& text)
{
    CProgramLine parsed;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && text[i] == '-') {
        parsed.enabled = false;
        ++i;
        skipBlanks();
    }
    std::size_t word = i;
    while (word < text.size() && text[word] != ':' && text[word] != '"' && !IsBlank(text[word]))
        ++word;
    if (word < text.size() && text[word] == ':') {
        i = word + 1;
        skipBlanks();
    }
    if (i < text.size() && text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        i = close == std::string::npos ? text.size() : close + 1;
        skipBlanks();
    }
    std::size_t end = i;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    std::string command = text.substr(i, end - i);
    const std::size_t slash = command.find_last_of('/');
    parsed.program = slash == std::string::npos ? command : command.substr(slash + 1);
    return parsed;
}

// The first word of a command, without its folder.
std::string ProgramOf(const std::string& command)
{
    return ParseProgramLine(command).program;
}

// The setting with the command as its last program, in the layout that
// XScreenSaver writes: a line of its own ending "\n\", then an empty line.
std::string AppendEntry(const std::string& line, const std::vector<CEntry>& entries, const std::string& command)
{
    std::size_t cut = line.find(':') + 1;
    for (const CEntry& entry : entries) {
        if (entry.anyShown)
            cut = entry.lastShown;
    }
    return line.substr(0, cut) + "\t\\n\\\n\t\t\t\t" + command + "\t\t\t\t    \\n\\\n\n";
}

}  // namespace

std::optional<CListEdit> AddProgram(const std::string& userText, const std::string& appDefaultsText,
                                    const std::string& command)
{
    const std::string program = ProgramOf(command);
    CListEdit edit;
    const std::optional<CLogicalLine> own = FindProgramsLine(userText, false);
    if (!own) {
        const std::optional<CLogicalLine> stock = FindProgramsLine(appDefaultsText, true);
        if (!stock)
            return std::nullopt;
        const std::string stockLine = appDefaultsText.substr(stock->begin, stock->end - stock->begin);
        std::string line = "programs:" + stockLine.substr(stockLine.find(':') + 1);
        if (line.back() != '\n')
            line += '\n';
        edit.text = userText;
        if (!edit.text.empty() && edit.text.back() != '\n')
            edit.text += '\n';
        if (edit.text.empty())
            edit.text = "# XScreenSaver Preferences File\n"
                        "# Made by verdane --add-to-xscreensaver: XScreenSaver's stock programs, and Verdane.\n\n";
        edit.text += AppendEntry(line, SplitEntries(line), command);
        edit.change = CListChange::Added;
        return edit;
    }

    const std::string line = userText.substr(own->begin, own->end - own->begin);
    const std::vector<CEntry> entries = SplitEntries(line);
    const CEntry* disabled = nullptr;
    for (const CEntry& entry : entries) {
        const CProgramLine parsed = ParseProgramLine(entry.text);
        if (parsed.program != program)
            continue;
        if (parsed.enabled)
            return CListEdit{userText, CListChange::AlreadyListed};
        if (disabled == nullptr)
            disabled = &entry;
    }
    std::string edited;
    if (disabled != nullptr) {
        edited = line;
        edited[disabled->firstShown] = ' ';  // the "-"
        edit.change = CListChange::Enabled;
    } else {
        edited = AppendEntry(line, entries, command);
        edit.change = CListChange::Added;
    }
    edit.text = userText.substr(0, own->begin) + edited + userText.substr(own->end);
    return edit;
}

CListEdit RemoveProgram(const std::string& userText, const std::string& program)
{
    const std::optional<CLogicalLine> own = FindProgramsLine(userText, false);
    if (!own)
        return CListEdit{userText, CListChange::NotListed};
    std::string line = userText.substr(own->begin, own->end - own->begin);
    const std::vector<CEntry> entries = SplitEntries(line);
    bool removed = false;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (ParseProgramLine(it->text).program == program) {
            line.erase(it->begin, it->end - it->begin);
            removed = true;
        }
    }
    if (!removed)
        return CListEdit{userText, CListChange::NotListed};
    return CListEdit{userText.substr(0, own->begin) + line + userText.substr(own->end), CListChange::Removed};
}
