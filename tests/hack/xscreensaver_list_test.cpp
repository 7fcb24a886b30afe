// Editing the programs list of ~/.xscreensaver: every other byte stays,
// and the list reads back (as XScreenSaver reads it) with Verdane in it
// exactly once, or not at all.
#include "xscreensaver_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kCommand = "verdane --root";

// A small app-defaults file in the stock layout.
const std::string kAppDefaults =
    "! XScreenSaver's defaults\n"
    "*mode:\t\t\trandom\n"
    "*grabDesktopImages:\tFalse\n"
    "*programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "\t\t\t\tdeco --root\t\t\t\t    \\n\n"
    "\n"
    "*pointerHysteresis:\t10\n";

// The programs value of a file as XScreenSaver reads it: continuations
// joined, "\n" a line break; one entry per non-blank line, blanks squeezed.
std::vector<std::string> ListOf(const std::string& text)
{
    std::vector<std::string> logical;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            current += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else if (text[i] == '\n') {
            logical.push_back(current);
            current.clear();
        } else {
            current += text[i];
        }
    }
    logical.push_back(current);
    std::vector<std::string> entries;
    for (const std::string& line : logical) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 9, "programs:") != 0)
            continue;
        entries.clear();
        std::string entry;
        for (std::size_t i = start + 9; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == '\n') {
                std::string squeezed;
                for (const char c : entry) {
                    const bool blank = c == ' ' || c == '\t';
                    if (!blank || (!squeezed.empty() && squeezed.back() != ' '))
                        squeezed += blank ? ' ' : c;
                }
                while (!squeezed.empty() && squeezed.back() == ' ')
                    squeezed.pop_back();
                if (!squeezed.empty())
                    entries.push_back(squeezed);
                entry.clear();
            } else {
                entry += line[i];
            }
        }
    }
    return entries;
}

// The text outside the programs setting.
std::string Outside(const std::string& text)
{
    const std::size_t at = text.find("programs:");
    if (at == std::string::npos)
        return text;
    std::size_t end = at;
    for (;;) {
        const std::size_t lineBreak = text.find('\n', end);
        if (lineBreak == std::string::npos)
            return text.substr(0, at);
        end = lineBreak + 1;
        if (text[lineBreak - 1] != '\\')
            break;
    }
    std::string rest = text.substr(end);
    while (!rest.empty() && rest[0] == '\n')  // the list's closing empty line
        rest.erase(0, 1);
    return text.substr(0, at) + rest;
}

struct CAddCase {
    const char* name;
    std::string before;
    std::vector<std::string> listAfter;
    CListChange change;
};

TEST(XScreenSaverList, AddKeepsEverythingElseAndListsVerdaneOnce)
{
    const std::string stockList = "programs:\t\\\n\tmaze --root \\n\\\n\tdeco --root \\n\\\n\n";
    const std::vector<CAddCase> cases = {
        {"no file: the stock list, then Verdane", "",
         {"maze --root", "- GL: superquadrics --root", "deco --root", "verdane --root"}, CListChange::Added},
        {"settings but no list: the stock list is added",
         "timeout:\t0:10:00\nlock:\t\tTrue\n",
         {"maze --root", "- GL: superquadrics --root", "deco --root", "verdane --root"}, CListChange::Added},
        {"the list as XScreenSaver writes it", "mode:\t\tone\n" + stockList + "pointerHysteresis: 10\n",
         {"maze --root", "deco --root", "verdane --root"}, CListChange::Added},
        {"a list on one line without a closing line break", "programs: maze --root",
         {"maze --root", "verdane --root"}, CListChange::Added},
        {"an empty list", "programs:\nmode: one\n", {"verdane --root"}, CListChange::Added},
        {"a program continued over two lines",
         "programs: \\\n\tmaze --root \\\n\t  --grid-size 8 \\n\\\n\n",
         {"maze --root --grid-size 8", "verdane --root"}, CListChange::Added},
        {"the entry already there", "programs: \\\n\tverdane --root --growth-rate 50 \\n\\\n\n",
         {"verdane --root --growth-rate 50"}, CListChange::AlreadyListed},
        {"the entry by its full path and name", "programs: \\\n\t\"Verdane\" /opt/x/verdane -root \\n\\\n\n",
         {"\"Verdane\" /opt/x/verdane -root"}, CListChange::AlreadyListed},
        {"the entry unused: it is used again, options kept",
         "programs: \\\n\tmaze --root \\n\\\n-\t\tverdane --root --plant-size 20 \\n\\\n\n",
         {"maze --root", "verdane --root --plant-size 20"}, CListChange::Enabled},
        {"a program merely containing the name", "programs: \\\n\tnotverdane --root \\n\\\n\n",
         {"notverdane --root", "verdane --root"}, CListChange::Added},
        {"two lists: the last one counts", "programs: maze --root\nprograms: deco --root\n",
         {"deco --root", "verdane --root"}, CListChange::Added},
    };
    for (const CAddCase& c : cases) {
        const std::optional<CListEdit> edit = AddProgram(c.before, kAppDefaults, kCommand);
        ASSERT_TRUE(edit) << c.name;
        EXPECT_EQ(edit->change, c.change) << c.name;
        EXPECT_EQ(ListOf(edit->text), c.listAfter) << c.name << "\n" << edit->text;
        if (c.name == std::string("two lists: the last one counts"))
            continue;
        // Comments, other settings and their layout stay as they were.
        if (!c.before.empty()) {
            EXPECT_EQ(Outside(edit->text), Outside(c.before)) << c.name << "\n" << edit->text;
        }
        // Twice adds it once.
        const std::optional<CListEdit> again = AddProgram(edit->text, kAppDefaults, kCommand);
        ASSERT_TRUE(again) << c.name;
        EXPECT_EQ(again->change, CListChange::AlreadyListed) << c.name;
        EXPECT_EQ(again->text, edit->text) << c.name;
    }
}

TEST(XScreenSaverList, WithoutAListOrTheStockOneNothingIsAdded)
{
    // A list of Verdane alone would hide every stock program.
    EXPECT_FALSE(AddProgram("lock: True\n", "*mode: random\n", kCommand));
    EXPECT_FALSE(AddProgram("", "", kCommand));
}

TEST(XScreenSaverList, RemoveTakesOutEveryLineOfVerdaneAndNothingElse)
{
    struct CCase {
        const char* name;
        std::string before;
        std::vector<std::string> listAfter;
        CListChange change;
    };
    const std::vector<CCase> cases = {
        {"no file", "", {}, CListChange::NotListed},
        {"not listed", "programs: \\\n\tmaze --root \\n\\\n\n", {"maze --root"}, CListChange::NotListed},
        {"first of three", "programs: \\\n\tverdane --root \\n\\\n\tmaze --root \\n\\\n\tdeco --root \\n\\\n\n",
         {"maze --root", "deco --root"}, CListChange::Removed},
        {"last, with no closing line break", "programs: maze --root \\n\\\n verdane --root",
         {"maze --root"}, CListChange::Removed},
        {"unused and used, both go",
         "programs: \\\n-\tverdane --root \\n\\\n\tmaze --root \\n\\\n\t/usr/bin/verdane -root \\\n  --blank \\n\\\n\n",
         {"maze --root"}, CListChange::Removed},
    };
    for (const CCase& c : cases) {
        const CListEdit edit = RemoveProgram(c.before + "lock: False\n", "verdane");
        EXPECT_EQ(edit.change, c.change) << c.name;
        EXPECT_EQ(ListOf(edit.text), c.listAfter) << c.name << "\n" << edit.text;
        EXPECT_EQ(Outside(edit.text), Outside(c.before + "lock: False\n")) << c.name << "\n" << edit.text;
    }
}

TEST(XScreenSaverList, AddThenRemoveGivesTheListBack)
{
    const std::string before = "# mine\nprograms: \\\n\tmaze --root \\n\\\n\tdeco --root \\n\\\n\nlock: True\n";
    const std::optional<CListEdit> added = AddProgram(before, kAppDefaults, kCommand);
    ASSERT_TRUE(added);
    const CListEdit removed = RemoveProgram(added->text, "verdane");
    EXPECT_EQ(ListOf(removed.text), ListOf(before));
    EXPECT_EQ(Outside(removed.text), Outside(before));
}

}  // namespace
