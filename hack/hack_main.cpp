// verdane: the growth as an XScreenSaver hack and as a window of its own.
// Exit statuses: hack_exit_status.h.
#include "hack_app.h"
#include "hack_exit_status.h"
#include "offscreen_entry.h"
#include "xscreensaver_file.h"

#include <cstdio>
#include <string>
#include <vector>

CHackApp theApp;

int main(int argc, char** argv)
{
    const CHackOptionsResult parsed = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(kHackUsage, stdout);
        return hack_exit::kDone;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "verdane: %s\n", parsed.error.c_str());
        return hack_exit::kUnusable;
    }
    if (parsed.options.listChange != HackListChange::None)
        return ChangeXScreenSaverList(parsed.options.listChange == HackListChange::Add ? CListCommand::Add
                                                                                      : CListCommand::Remove);
    theApp.SetOptions(parsed.options);
    const int status = AfxOffscreenMain(argc, argv);
    theApp.ClosePort();
    if (!theApp.Error().empty()) {
        std::fprintf(stderr, "verdane: %s\n", theApp.Error().c_str());
        return theApp.ErrorStatus();
    }
    return status;
}
