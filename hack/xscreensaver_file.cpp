#include "xscreensaver_file.h"

#include "file_replacement.h"
#include "hack_exit_status.h"
#include "xscreensaver_list.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr const char* kProgram = "verdane";

// Where systems keep XScreenSaver's app-defaults file (Debian's first).
constexpr const char* kAppDefaults[] = {
    "/etc/X11/app-defaults/XScreenSaver",
    "/usr/share/X11/app-defaults/XScreenSaver",
    "/usr/lib/X11/app-defaults/XScreenSaver",
};

// The folders where XScreenSaver looks for its hacks by name.
constexpr const char* kHackFolders[] = {"/usr/libexec/xscreensaver/", "/usr/lib/xscreensaver/"};

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    const passwd* account = getpwuid(getuid());
    return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "";
}

// The text of the file; "" when it does not exist; nullopt, with a reason,
// when it cannot be read or is not a regular file (a FIFO is never opened).
std::optional<std::string> ReadText(const std::string& path, std::string& error)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::string();
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "cannot read " + path + ": not a regular file";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in.is_open() || in.bad()) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return text.str();
}

std::string AppDefaultsText()
{
    for (const char* path : kAppDefaults) {
        std::string ignored;
        if (const std::optional<std::string> text = ReadText(path, ignored); text && !text->empty())
            return *text;
    }
    return "";
}

// The line the list gets: by name when this program is where XScreenSaver
// finds hacks, else by its full path (an install under the home folder).
std::string ListCommand()
{
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string();
    for (const char* folder : kHackFolders) {
        if (path.empty() || path.rfind(folder, 0) == 0)
            return std::string(kProgram) + " --root";
    }
    return path + " --root";
}

bool WriteText(const std::string& path, const std::string& text, std::string& error)
{
    CFileReplacement replacement(0644);
    if (!replacement.Open(path, error))
        return false;
    std::fwrite(text.data(), 1, text.size(), replacement.Stream());
    return replacement.Finish(true, error) && replacement.Commit(error);
}

// What the change did, before the file's path.
const char* Outcome(CListChange change)
{
    switch (change) {
    case CListChange::Added:
        return "added to the programs in";
    case CListChange::Enabled:
        return "in use again among the programs in";
    case CListChange::AlreadyListed:
        return "already among the programs in";
    case CListChange::Removed:
        return "removed from the programs in";
    case CListChange::NotListed:
        break;
    }
    return "not among the programs in";
}

}  // namespace

int ChangeXScreenSaverList(CListCommand command)
{
    const std::string home = HomeFolder();
    if (home.empty()) {
        std::fprintf(stderr, "%s: there is no home folder for ~/.xscreensaver\n", kProgram);
        return hack_exit::kUnusable;
    }
    const std::string path = home + (home.back() == '/' ? "" : "/") + ".xscreensaver";
    std::string error;
    const std::optional<std::string> text = ReadText(path, error);
    if (!text) {
        std::fprintf(stderr, "%s: %s; nothing changed\n", kProgram, error.c_str());
        return hack_exit::kNotStored;
    }

    CListEdit edit;
    if (command == CListCommand::Add) {
        const std::optional<CListEdit> added = AddProgram(*text, AppDefaultsText(), ListCommand());
        if (!added) {
            std::fprintf(stderr,
                         "%s: %s has no list of programs and XScreenSaver's stock list (its app-defaults file) "
                         "was not found; nothing changed\n",
                         kProgram, path.c_str());
            return hack_exit::kNotStored;
        }
        edit = *added;
    } else {
        edit = RemoveProgram(*text, kProgram);
    }
    const bool changes = edit.change == CListChange::Added || edit.change == CListChange::Enabled ||
                         edit.change == CListChange::Removed;
    if (changes && !WriteText(path, edit.text, error)) {
        std::fprintf(stderr, "%s: %s; nothing changed\n", kProgram, error.c_str());
        return hack_exit::kNotStored;
    }
    std::printf("%s: %s %s%s\n", kProgram, Outcome(edit.change), path.c_str(),
                edit.change == CListChange::Added || edit.change == CListChange::Enabled
                    ? "; pick Verdane in xscreensaver-settings"
                    : edit.change == CListChange::Removed ? "" : "; nothing changed");
    return hack_exit::kDone;
}
