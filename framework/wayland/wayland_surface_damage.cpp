#include "wayland_surface_damage.h"

#include <algorithm>

std::vector<CRect> MergeDamage(const std::vector<CRect>& rects, std::size_t maxBoxes)
{
    if (rects.size() <= maxBoxes || maxBoxes == 0)
        return rects;
    // Runs of equal length (the last may be shorter): rectangles next to
    // each other in band order lie close together, so their boxes stay
    // small.
    const std::size_t run = (rects.size() + maxBoxes - 1) / maxBoxes;
    std::vector<CRect> boxes;
    for (std::size_t first = 0; first < rects.size(); first += run) {
        CRect box = rects[first];
        for (std::size_t i = first + 1; i < std::min(first + run, rects.size()); ++i) {
            box.left = std::min(box.left, rects[i].left);
            box.top = std::min(box.top, rects[i].top);
            box.right = std::max(box.right, rects[i].right);
            box.bottom = std::max(box.bottom, rects[i].bottom);
        }
        boxes.push_back(box);
    }
    return boxes;
}
