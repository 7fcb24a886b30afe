#include "display_frame.h"

#include "present_pacer.h"

double ModeRefreshRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal, bool interlaced, bool doubleScan)
{
    if (dotClock == 0 || hTotal == 0 || vTotal == 0)
        return 0.0;
    double lines = vTotal;
    if (doubleScan)
        lines *= 2.0;
    if (interlaced)
        lines /= 2.0;
    return static_cast<double>(dotClock) / (static_cast<double>(hTotal) * lines);
}

std::chrono::steady_clock::duration DisplayFrame(double refreshHz)
{
    constexpr double kSlowest = 24.0;
    constexpr double kFastest = 500.0;
    // Written so that a NaN fails it too.
    if (!(refreshHz >= kSlowest && refreshHz <= kFastest))
        return CPresentPacer::kDefaultFrame;
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / refreshHz));
}
