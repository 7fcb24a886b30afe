#include "banner_place.h"

CRect BannerPlace(SIZE frame, SIZE picture)
{
    if (frame.cx <= 0 || frame.cy <= 0 || picture.cx <= 0 || picture.cy <= 0)
        return CRect();
    // Compare frame.cx / frame.cy with picture.cx / picture.cy exactly, in
    // 64-bit products.
    const long long wide = static_cast<long long>(frame.cx) * picture.cy;
    const long long tall = static_cast<long long>(frame.cy) * picture.cx;
    LONG width = frame.cx;
    LONG height = frame.cy;
    if (wide > tall)  // the frame is wider than the picture: full height
        width = static_cast<LONG>((2 * static_cast<long long>(frame.cy) * picture.cx + picture.cy) / (2 * picture.cy));
    else if (wide < tall)  // taller: full width
        height = static_cast<LONG>((2 * static_cast<long long>(frame.cx) * picture.cy + picture.cx) / (2 * picture.cx));
    const LONG left = (frame.cx - width) / 2;
    const LONG top = (frame.cy - height) / 2;
    return CRect(left, top, left + width, top + height);
}
