#include "wide_line.h"

#include <algorithm>
#include <cstdint>

// The cap is GDI's elliptic region of a width x width box: the box's middle
// row spans it whole, and the rows below the middle are inset by the x that
// an integer midpoint walk (Zingl's ellipse algorithm, axes width - 1) has
// reached when it steps onto them; the rows above mirror the rows below.
// A width below 2 has no room for an ellipse and gives the box itself.
CRoundCap::CRoundCap(int requestedWidth) : m_width(std::min(requestedWidth, kMaxWidth))
{
    const int width = m_width;
    const int left = -(width / 2);
    const int right = (width + 1) / 2;  // excluded
    const int height = width > 0 ? width : 0;
    std::vector<int> inset(static_cast<std::size_t>(height) + 1, 0);

    if (width >= 2) {
        using std::int64_t;
        const int64_t a = width - 1;  // both axes of the ellipse
        const int64_t odd = a % 2;
        const int64_t stepX = 8 * a * a;
        const int64_t stepY = 8 * a * a;
        int64_t dx = 4 * a * a * (1 - a);
        int64_t dy = 4 * a * a * (1 + odd);
        int64_t err = dx + dy + a * a * odd;
        int x = 0;
        int y = height / 2;
        while (x <= width / 2 && y < height) {
            const int64_t e2 = 2 * err;
            if (e2 >= dx) {
                ++x;
                dx += stepX;
                err += dx;
            }
            if (e2 <= dy) {
                ++y;
                dy += stepY;
                err += dy;
                inset[static_cast<std::size_t>(y)] = x;
            }
        }
        for (int i = 0; i < height / 2; ++i)
            inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(a - i)];
    }

    m_rows.reserve(static_cast<std::size_t>(height));
    for (int i = 0; i < height; ++i) {
        const int in = inset[static_cast<std::size_t>(i)];
        m_rows.push_back(Row{left + in, right - in});
    }
}
