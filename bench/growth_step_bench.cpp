// How long one growth step takes on the surface device context for a full
// 1920 x 1080 screen and a 3840 x 2160 one at the largest growth rate, for
// the smallest and largest plant size, split into steps with and without a
// re-seed. Run: build/native/bench/growth_step_bench [steps]
// (bench/growth_step_compare.sh runs several builds of it in turns.)
#include "full_screen_growth.h"
#include "surface/surface_dc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Counts the segments the step draws.
class CCountingGrowth : public CGrowthState {
public:
    using CGrowthState::CGrowthState;
    long long m_segments = 0;

protected:
    bool GrowBranch(std::int32_t index, CDC& dc) override
    {
        ++m_segments;
        return CGrowthState::GrowBranch(index, dc);
    }
};

struct CBucket {
    double seconds = 0;
    long long steps = 0;
    long long segments = 0;
};

void Run(int width, int height, int plantSize, int steps)
{
    CCountingGrowth growth(PoolCapacityForScreen(width, height));
    SetUpFullScreenGrowth(growth, width, height, 100, plantSize);

    CSurface surface(width, height, 0);
    CBucket plain, reseed;
    for (int i = 0; i < steps + 200; ++i) {
        const long long segmentsBefore = growth.m_segments;
        const auto start = std::chrono::steady_clock::now();
        {
            CSurfaceDC dc(surface);
            growth.Step(dc);
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (i < 200)
            continue;  // let the pool fill first
        // A re-seed leaves slot 0 active with a count of 0; nothing else does.
        const bool reseeded = growth.m_branches[0].m_active && growth.m_branches[0].m_count == 0;
        CBucket& bucket = reseeded ? reseed : plain;
        bucket.seconds += seconds;
        bucket.steps += 1;
        bucket.segments += growth.m_segments - segmentsBefore;
    }
    char size[32];
    std::snprintf(size, sizeof size, "%dx%d", width, height);
    for (const auto& [name, b] : {std::pair<const char*, CBucket>{"no re-seed", plain}, {"re-seed", reseed}}) {
        if (b.steps == 0)
            continue;
        std::printf("%-10s %-10d %-11s %8lld %12.1f %14.1f %14.1f\n", size, plantSize, name, b.steps,
                    b.seconds / b.steps * 1e6,
                    double(b.segments) / b.steps, b.segments ? b.seconds / b.segments * 1e9 : 0.0);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int steps = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::printf("%-10s %-10s %-11s %8s %12s %14s %14s\n", "surface", "plantSize", "step kind", "steps", "us/step",
                "segments/step", "ns/segment");
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        Run(width, height, 0, steps);
        Run(width, height, 100, steps);
    }
    return 0;
}
