// Starts the real verdane.scr and watches it from outside, as the system's
// screen-saver host would.
#pragma once

#include "afxtypes.h"

#include <string>

// A path of the build machine as this platform names it: a path of the
// build machine's root ("/...") is reached through Wine's drive Z:.
std::string PlatformPath(const std::string& buildPath);

// The saver's path as this platform names it.
std::string SaverPath();

struct SaverRun {
    bool started = false;
    bool ended = false;         // within the time allowed
    DWORD exitCode = 0;
    bool showedWindow = false;  // a visible top-level window of the process was seen
};

// Runs the saver with the arguments (appended to its quoted path, exactly
// as given, so quoting is the test's) and waits up to timeoutMs for it to
// end, looking for visible windows of the process meanwhile. A saver still
// running at the end is terminated.
SaverRun RunSaver(const std::string& arguments, DWORD timeoutMs);
