// The picture another program's window starts with once the X11 port
// attaches to it (CX11Port::AttachWindow). No Xlib type appears here, so
// program code may include it.
#pragma once

// What a window of another program starts with, once the port attaches to it.
enum class CX11StartPicture {
    // What the window shows, or the screenshot XScreenSaver's driver left
    // on it.
    Shown,
    // What XScreenSaver's image hacks start on: the picture its helper
    // chooses from the user's image settings (x11_image_grabber.h).
    Grabbed,
};
