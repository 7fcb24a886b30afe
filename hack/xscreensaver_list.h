// Editing the list of programs in a user's XScreenSaver settings file
// (~/.xscreensaver) as text, keeping every other byte of it: every other
// setting, every other program, comments and layout.
//
// The file is XScreenSaver's: "name: value" lines, a line ending in a
// backslash continued on the next, "\n" in a value a line break. The
// "programs" value holds one program a line: an optional "-" (not used
// when picking at random), an optional visual ("GL:"), an optional
// "quoted name", then the command. XScreenSaver's stock list is the
// "*programs" value of its app-defaults file, in the same syntax.
#pragma once

#include <optional>
#include <string>

enum class CListChange {
    Added,          // a new line for the program at the end of the list
    Enabled,        // its line was there with "-": the "-" is gone
    AlreadyListed,  // its line was there and in use: nothing changed
    Removed,        // every line of the program is gone
    NotListed,      // it had no line: nothing changed
};

struct CListEdit {
    std::string text;  // the whole file's new text
    CListChange change = CListChange::NotListed;
};

// Adds the command (such as "verdane --root") to the list of the user's
// text, unless a line runs the same program (the command's first word,
// without its folder). A text without a list (a new file is "") gets the
// stock list from the app-defaults text first, then the command, since a
// list of its own replaces the stock one. nullopt when that is needed and
// the app-defaults text has no list.
std::optional<CListEdit> AddProgram(const std::string& userText, const std::string& appDefaultsText,
                                    const std::string& command);

// Removes every line of the list that runs the program (a bare name such
// as "verdane").
CListEdit RemoveProgram(const std::string& userText, const std::string& program);
