#include "surface.h"

CSurface::CSurface(int width, int height, COLORREF fill)
{
    Resize(width, height, fill);
}

bool CSurface::Resize(int width, int height, COLORREF fill)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    return true;
}
