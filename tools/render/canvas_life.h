// Plays the life of one canvas on a surface: construction (the random
// source seeded), creation at (0, 0) with the surface's size, one full
// paint, then one growth step per timer tick.
#pragma once

#include "render_options.h"
#include "segment_trace.h"
#include "surface/surface.h"

// Grows options.steps steps (the paint's included) on surface, which holds
// the picture the canvas starts on and receives the result.
void PlayCanvasLife(const CRenderOptions& options, std::uint32_t seed, CSurface& surface, CSegmentTrace* trace);
