// The damage a commit hands the compositor: few rectangles. A compositor
// that is handed many separate ones (sway: past about twenty) repaints the
// whole output instead, so what a frame changed is merged into at most
// kMaxBoxes boxes, neighbours in the drawing order sharing one.
#pragma once

#include "afxtypes.h"

#include <cstddef>
#include <vector>

constexpr std::size_t kMaxDamageBoxes = 16;

// rects (ordered top to bottom, as CDamage gives them) as at most maxBoxes
// boxes that cover every one of them: unchanged when they are few enough,
// else runs of consecutive rectangles joined into their bounding boxes.
std::vector<CRect> MergeDamage(const std::vector<CRect>& rects, std::size_t maxBoxes = kMaxDamageBoxes);
