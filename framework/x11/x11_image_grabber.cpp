#include "x11_image_grabber.h"

#include "x11_display.h"
#include "x11_picture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr const char* kGrabber = "xscreensaver-getimage";
// Loading an image file takes a moment; a helper that hangs (a feed that
// does not answer) must not keep the canvas from starting.
constexpr auto kGrabberTimeLimit = std::chrono::seconds(10);

bool IsExecutable(const std::string& path)
{
    return access(path.c_str(), X_OK) == 0;
}

// The helper on $PATH (XScreenSaver puts its hack folder there for the hacks
// it starts), else beside this program (installed among the hacks), else in
// Debian's hack folder. Empty when there is none.
std::string FindGrabber()
{
    if (const char* path = std::getenv("PATH")) {
        const std::string folders = path;
        std::size_t start = 0;
        while (start <= folders.size()) {
            const std::size_t end = std::min(folders.find(':', start), folders.size());
            const std::string folder = folders.substr(start, end - start);
            if (!folder.empty() && IsExecutable(folder + "/" + kGrabber))
                return folder + "/" + kGrabber;
            start = end + 1;
        }
    }
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string folder(self, static_cast<std::size_t>(length));
        folder.erase(folder.find_last_of('/') + 1);
        if (IsExecutable(folder + kGrabber))
            return folder + kGrabber;
    }
    const std::string debian = std::string("/usr/libexec/xscreensaver/") + kGrabber;
    return IsExecutable(debian) ? debian : std::string();
}

std::string HexId(unsigned long id)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

// Runs the helper on the window and pixmap and waits for it, within the
// time limit; true when it ended with status 0.
bool RunGrabber(Display* display, const std::string& grabber, Window window, Pixmap pixmap, std::string& note)
{
    const std::string windowId = HexId(window);
    const std::string pixmapId = HexId(pixmap);
    const std::string displayName = DisplayString(display);
    const pid_t child = fork();
    if (child < 0) {
        note = "cannot start " + grabber;
        return false;
    }
    if (child == 0) {
        // Its own connection, to the display this program uses; its output
        // is not ours to show, its errors go where ours go.
        close(ConnectionNumber(display));
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
        }
        setenv("DISPLAY", displayName.c_str(), 1);
        execl(grabber.c_str(), grabber.c_str(), windowId.c_str(), pixmapId.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kGrabberTimeLimit;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 || std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            note = grabber + " took too long";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        note = grabber + " failed";
        return false;
    }
    return true;
}

}  // namespace

CSurface ReadGrabbedPicture(Display* display, Window window, std::string& note)
{
    XWindowAttributes attributes{};
    {
        CX11ErrorTrap trap(display);
        if (XGetWindowAttributes(display, window, &attributes) == 0 || trap.Error() != 0)
            return CSurface();
    }
    const CSurface black(attributes.width, attributes.height, 0);
    const std::string grabber = FindGrabber();
    if (grabber.empty()) {
        note = std::string("no ") + kGrabber + " (XScreenSaver's image helper) was found: the growth starts on black";
        return black;
    }
    Pixmap pixmap = 0;
    {
        CX11ErrorTrap trap(display);
        pixmap = XCreatePixmap(display, window, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), static_cast<unsigned>(attributes.depth));
        if (trap.Error() != 0)
            return black;  // the trap has waited, so the helper would find the pixmap
    }
    CSurface picture;
    if (RunGrabber(display, grabber, window, pixmap, note)) {
        picture = ReadDrawablePicture(display, pixmap, attributes.visual, attributes.depth, 0, 0, attributes.width,
                                      attributes.height);
    } else {
        note += ": the growth starts on black";
    }
    XFreePixmap(display, pixmap);
    return picture.Width() > 0 ? picture : black;
}
