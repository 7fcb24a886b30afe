// What the presents of a full-screen growth hand to the display, for several
// join gaps of the damage record: rectangles and pixels per present, at
// "Growth Rate" / "Plant Size" 0 / 0, 100 / 0 and 100 / 100 on 1920 x 1080 (two ticks per present, as at 100 ticks and 50 presents a
// second). The gap with the fewest pixels for few more rectangles wins.
// Run: build/native/bench/damage_bench [presents]
#include "full_screen_growth.h"
#include "surface/surface_dc.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTicksPerPresent = 2;

void Run(int growthRate, int plantSize, LONG gap, int presents)
{
    CGrowthState growth(PoolCapacityForScreen(kWidth, kHeight));
    SetUpFullScreenGrowth(growth, kWidth, kHeight, growthRate, plantSize);

    CSurface surface(kWidth, kHeight, 0);
    double rects = 0, pixels = 0;
    for (int i = 0; i < presents + 100; ++i) {
        CDamage damage(gap);
        for (int t = 0; t < kTicksPerPresent; ++t) {
            CSurfaceDC dc(surface);
            dc.SetDamage(&damage);
            growth.Step(dc);
        }
        if (i < 100)
            continue;  // let the pool fill first
        rects += static_cast<double>(damage.Rects().size());
        for (const CRect& r : damage.Rects())
            pixels += static_cast<double>(r.Width()) * r.Height();
    }
    std::printf("%4d / %-4d %10s %12.1f %14.0f\n", growthRate, plantSize,
                gap == CDamage::kWholeBand ? "band" : std::to_string(gap).c_str(), rects / presents, pixels / presents);
}

}  // namespace

int main(int argc, char** argv)
{
    const int presents = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::printf("%-11s %10s %12s %14s\n", "rate / size", "join gap", "rects", "pixels");
    for (const auto& [rate, size] : {std::pair{0, 0}, {100, 0}, {100, 100}}) {
        for (const LONG gap : {CDamage::kWholeBand, LONG{512}, LONG{256}, LONG{128}, LONG{64}, LONG{32}, LONG{0}})
            Run(rate, size, gap, presents);
    }
    return 0;
}
