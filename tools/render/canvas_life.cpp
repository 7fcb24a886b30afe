#include "canvas_life.h"

#include "growth/growth_random.h"
#include "growth/growth_state.h"
#include "growth/slot_count.h"
#include "surface/surface_dc.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// The first paint: black when blanking is set or when the three probe points
// show plain white, then the count in use, then one step.
void Paint(CTracedGrowth<CGrowthState>& growth, const CRenderOptions& options, CSurface& surface)
{
    CSurfaceDC dc(surface);
    CBrush black(0);
    const CRect client = surface.Bounds();
    if (options.blank != 0)
        dc.FillRect(client, &black);
    growth.m_clientWidth = client.Width();
    growth.m_clientHeight = client.Height();
    const int w = growth.m_clientWidth, h = growth.m_clientHeight;
    if (dc.GetPixel(w / 2, 10) == kWhite && dc.GetPixel(10, h - 10) == kWhite &&
        dc.GetPixel(w - 10, h - 10) == kWhite)
        dc.FillRect(client, &black);
    growth.m_inUse = SlotsInUse(w, h, options.starNumber, growth.m_capacity);
    growth.Step(dc);
}

}  // namespace

void PlayCanvasLife(const CRenderOptions& options, std::uint32_t seed, CSurface& surface, CSegmentTrace* trace)
{
    SeedGrowthRandom(seed);
    const int screenWidth = options.screenWidth.value_or(options.width);
    const int screenHeight = options.screenHeight.value_or(options.height);
    CTracedGrowth<CGrowthState> growth(PoolCapacityForScreen(screenWidth, screenHeight));
    growth.m_trace = trace;
    growth.m_small = options.width < 800;
    growth.m_sizeFactor = options.starSpeed * 0.05 + 1.0;

    for (long long step = 0; step < options.steps; ++step) {
        if (trace != nullptr)
            trace->SetStep(step);
        if (step == 0) {
            Paint(growth, options, surface);
        } else {
            CSurfaceDC dc(surface);
            growth.Step(dc);
        }
    }
}
