#include "x11_picture.h"

#include "x11_display.h"
#include "x11_pixel_layout.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// One 8-bit channel out of a pixel, by the visual's mask for it.
unsigned Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / max);
}

// The Pixmap XScreenSaver's driver stored on the window, or 0.
Pixmap ScreenshotOf(Display* display, Window window)
{
    const Atom property = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", True);
    if (property == 0)
        return 0;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = 0;
    CX11ErrorTrap trap(display);
    if (XGetWindowProperty(display, window, property, 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success &&
        format == 32 && count >= 1 && data != nullptr)
        pixmap = static_cast<Pixmap>(reinterpret_cast<unsigned long*>(data)[0]);
    if (data != nullptr)
        XFree(data);
    return trap.Error() == 0 ? pixmap : 0;
}

}  // namespace

// On the usual visual, with the server's pixels in this machine's byte
// order, the rows the server sent are the surface's words already and are
// copied as they are; anything else is read pixel by pixel through the
// visual's masks.
CSurface ReadDrawablePicture(Display* display, Drawable drawable, const Visual* visual, int depth, int x, int y,
                             int width, int height)
{
    CSurface picture;
    if (visual == nullptr || visual->c_class != TrueColor || !picture.Resize(width, height))
        return CSurface();
    CX11ErrorTrap trap(display);
    XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (trap.Error() != 0 || image == nullptr) {
        if (image != nullptr)
            XDestroyImage(image);
        return CSurface();
    }
    if (IsPackedRgb(visual, depth) && image->bits_per_pixel == 32 && image->byte_order == NativeByteOrder()) {
        for (int row = 0; row < height; ++row) {
            const char* line = image->data + static_cast<std::ptrdiff_t>(row) * image->bytes_per_line;
            std::uint32_t* words = picture.WordRow(row);
            std::memcpy(words, line, static_cast<std::size_t>(width) * 4);
            // A 32-bit visual's top byte is alpha, which a surface does not keep.
            for (int column = 0; column < width; ++column)
                words[column] &= 0x00FFFFFF;
        }
    } else {
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const unsigned long pixel = XGetPixel(image, column, row);
                picture.Set(column, row,
                            Channel(pixel, visual->red_mask) | Channel(pixel, visual->green_mask) << 8 |
                                Channel(pixel, visual->blue_mask) << 16);
            }
        }
    }
    XDestroyImage(image);
    return picture;
}

CSurface ReadStartPicture(Display* display, Window window)
{
    XWindowAttributes attributes{};
    {
        CX11ErrorTrap trap(display);
        if (XGetWindowAttributes(display, window, &attributes) == 0 || trap.Error() != 0)
            return CSurface();
    }
    const int width = attributes.width;
    const int height = attributes.height;

    if (const Pixmap screenshot = ScreenshotOf(display, window)) {
        Window root = 0;
        int px = 0, py = 0;
        unsigned pw = 0, ph = 0, border = 0, depth = 0;
        CX11ErrorTrap trap(display);
        if (XGetGeometry(display, screenshot, &root, &px, &py, &pw, &ph, &border, &depth) != 0 && trap.Error() == 0) {
            // A screenshot of the whole screen is cut to the window's place.
            int x = 0, y = 0;
            Window child = 0;
            if (static_cast<int>(pw) != width || static_cast<int>(ph) != height)
                XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
            x = std::clamp(x, 0, static_cast<int>(pw));
            y = std::clamp(y, 0, static_cast<int>(ph));
            const int w = std::min(width, static_cast<int>(pw) - x);
            const int h = std::min(height, static_cast<int>(ph) - y);
            if (w > 0 && h > 0) {
                CSurface part = ReadDrawablePicture(display, screenshot, attributes.visual, static_cast<int>(depth), x, y, w, h);
                if (part.Width() > 0)
                    return part;
            }
        }
    }
    if (attributes.map_state != IsViewable)
        return CSurface();
    return ReadDrawablePicture(display, window, attributes.visual, attributes.depth, 0, 0, width, height);
}
