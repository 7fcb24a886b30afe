// Stands in for libXext's DPMS calls in verdane, put in front of them with
// LD_PRELOAD: Xvfb has no DPMS, so a test sets the monitor's level itself,
// as the first word of the file named by $VERDANE_FAKE_DPMS ("off": the
// monitor is off; anything else: on).
#include <X11/Xlib.h>
#include <X11/Xmd.h>
#include <X11/extensions/dpms.h>

#include <cstdlib>
#include <fstream>
#include <string>

Bool DPMSQueryExtension(Display*, int* event, int* error)
{
    *event = 0;
    *error = 0;
    return True;
}

Bool DPMSCapable(Display*)
{
    return True;
}

Status DPMSInfo(Display*, CARD16* level, BOOL* enabled)
{
    const char* path = std::getenv("VERDANE_FAKE_DPMS");
    std::string word;
    if (path != nullptr)
        std::ifstream(path) >> word;
    *level = word == "off" ? DPMSModeOff : DPMSModeOn;
    *enabled = True;
    return 1;
}
