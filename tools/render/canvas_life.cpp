#include "canvas_life.h"

#include "app.h"
#include "app/settings.h"
#include "canvas/growth_wnd.h"
#include "growth/growth_random.h"
#include "offscreen_driver.h"

#include <cstring>

namespace {

constexpr UINT_PTR kGrowthTimer = 1;

// The application object of the render tool: the canvas asks it for its
// settings, and it answers from the command line instead of a store.
class CRenderApp : public CWinApp {
public:
    explicit CRenderApp(const CRenderOptions& options)
        : CWinApp("verdane-render"), m_options(options)
    {
    }

    int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) override
    {
        if (std::strcmp(section, settings::kSection) != 0)
            return defaultValue;
        if (std::strcmp(entry, settings::kBlankScreen) == 0)
            return m_options.blank;
        if (std::strcmp(entry, settings::kPlantSize) == 0)
            return m_options.starSpeed;
        if (std::strcmp(entry, settings::kGrowthRate) == 0)
            return m_options.starNumber;
        return defaultValue;
    }

    BOOL WriteProfileInt(LPCTSTR, LPCTSTR, int) override { return FALSE; }

private:
    const CRenderOptions& m_options;
};

}  // namespace

void PlayCanvasLife(const CRenderOptions& options, std::uint32_t seed, CSurface& surface, CSegmentTrace* trace)
{
    COffscreenDriver driver;
    driver.SetScreenSize(options.screenWidth.value_or(options.width), options.screenHeight.value_or(options.height));
    driver.SetScreenPicture(surface);
    CRenderApp app(options);

    CTracedGrowth<CGrowthWnd> canvas(FALSE);
    SeedGrowthRandom(seed);  // in place of the clock the constructor used
    canvas.m_trace = trace;
    canvas.Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, options.width, options.height), nullptr);

    for (long long step = 0; step < options.steps; ++step) {
        if (trace != nullptr)
            trace->SetStep(step);
        if (step == 0)
            driver.UpdateWindow(canvas.m_hWnd);  // the first paint
        else
            driver.FireTimer(canvas.m_hWnd, kGrowthTimer);
    }
    surface = *driver.Surface(canvas.m_hWnd);
    canvas.DestroyWindow();
}
