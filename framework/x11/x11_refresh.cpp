#include "x11_refresh.h"

#include "pacing/display_frame.h"

#include <X11/extensions/Xrandr.h>

namespace {

// The rate of the mode a CRTC shows; 0 when it shows none.
double CrtcRate(Display* display, XRRScreenResources* resources, RRCrtc crtc)
{
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (info == nullptr)
        return 0.0;
    double rate = 0.0;
    for (int i = 0; i < resources->nmode && info->mode != None; ++i) {
        const XRRModeInfo& mode = resources->modes[i];
        if (mode.id == info->mode)
            rate = ModeRefreshRate(mode.dotClock, mode.hTotal, mode.vTotal, (mode.modeFlags & RR_Interlace) != 0,
                                   (mode.modeFlags & RR_DoubleScan) != 0);
    }
    XRRFreeCrtcInfo(info);
    return rate;
}

double PrimaryOutputRate(Display* display, Window root)
{
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr)
        return 0.0;
    double rate = 0.0;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    if (primary != None) {
        if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
            if (output->crtc != None)
                rate = CrtcRate(display, resources, output->crtc);
            XRRFreeOutputInfo(output);
        }
    }
    for (int i = 0; i < resources->ncrtc && rate <= 0.0; ++i)
        rate = CrtcRate(display, resources, resources->crtcs[i]);
    XRRFreeScreenResources(resources);
    return rate;
}

}  // namespace

double ReadRefreshRate(Display* display, Window root)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor))
        return 0.0;
    if (major > 1 || (major == 1 && minor >= 3)) {
        const double rate = PrimaryOutputRate(display, root);
        if (rate > 0.0)
            return rate;
    }
    XRRScreenConfiguration* config = XRRGetScreenInfo(display, root);
    if (config == nullptr)
        return 0.0;
    const short rate = XRRConfigCurrentRate(config);
    XRRFreeScreenConfigInfo(config);
    return rate;
}
