#include "canvas_life.h"

#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "canvas/growth_wnd.h"
#include "growth/growth_random.h"
#include "offscreen_world.h"


namespace {

constexpr UINT_PTR kGrowthTimer = 1;

}  // namespace

void PlayCanvasLife(const CRenderOptions& options, std::uint32_t seed, CSurface& surface, CSegmentTrace* trace)
{
    COffscreenWorld world;
    world.SetScreenSize(options.screenWidth.value_or(options.width), options.screenHeight.value_or(options.height));
    world.SetScreenPicture(surface);
    // The canvas asks the application for its settings: they come from the
    // command line instead of a store.
    CFixedSettingsApp app("verdane-render", {{settings::kNames.blank, options.blank},
                                             {settings::kNames.plantSize, options.plantSize},
                                             {settings::kNames.growthRate, options.growthRate}});

    CTracedGrowth<CGrowthWnd> canvas(FALSE);
    SeedGrowthRandom(seed);  // in place of the clock the constructor used
    canvas.m_trace = trace;
    canvas.Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, options.width, options.height), nullptr);

    for (long long step = 0; step < options.steps; ++step) {
        if (trace != nullptr)
            trace->SetStep(step);
        if (step == 0)
            world.UpdateWindow(canvas.m_hWnd);  // the first paint
        else
            world.FireTimer(canvas.m_hWnd, kGrowthTimer);
    }
    surface = *world.Find(canvas.m_hWnd)->surface;
    canvas.DestroyWindow();
}
