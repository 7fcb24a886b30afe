// verdane: the growth as an XScreenSaver hack and as a window of its own.
// Exit status: 0 when the window was closed, the input ended it or the
// settings window was left; 2 for bad options, a display that does not
// answer or a window that does not exist; 1 when the settings could not be
// stored (one line on standard error each).
#include "hack_app.h"
#include "offscreen_entry.h"

#include <cstdio>
#include <string>
#include <vector>

CHackApp theApp;

int main(int argc, char** argv)
{
    const CHackOptionsResult parsed = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(kHackUsage, stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "verdane: %s\n", parsed.error.c_str());
        return 2;
    }
    theApp.SetOptions(parsed.options);
    const int status = AfxOffscreenMain(argc, argv);
    theApp.ClosePort();
    if (!theApp.Error().empty()) {
        std::fprintf(stderr, "verdane: %s\n", theApp.Error().c_str());
        return theApp.ErrorStatus();
    }
    return status;
}
