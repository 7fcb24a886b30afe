// The surface device context on the drawing of a real growth at 1920 x 1080
// with 3000 slots in use: time per segment (drawn as the growth draws it)
// and per re-seed probe. Run: surface_draw_bench [steps]
#include "growth_workload.h"
#include "surface_replay.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int steps = argc > 1 ? std::atoi(argv[1]) : 400;
    const CGrowthWorkload work = RecordGrowthWorkload(1920, 1080, steps);
    CSurface surface(work.width, work.height, 0);
    CSurfaceDC dc(surface);
    const double drawing = BestSeconds(5, [&] { DrawSegmentsOnSurface(dc, work); });
    unsigned sink = 0;
    const double probing = BestSeconds(5, [&] { sink += ProbeSurface(dc, work); });
    std::printf("%zu segments, %zu probes (checksum %08x)\n", work.segments.size(), work.probes.size(), sink);
    std::printf("surface DC: %8.1f ns/segment %8.1f ns/probe\n", drawing / work.segments.size() * 1e9,
                probing / work.probes.size() * 1e9);
    return 0;
}
