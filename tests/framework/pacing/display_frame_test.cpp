// What the ports read of the display's refresh rate, turned into the frame
// period they pace presents to: mode timings as RandR gives them, and rates
// as RandR 1.1 and Windows give them, absurd ones included.
#include "pacing/display_frame.h"
#include "pacing/present_pacer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;

TEST(DisplayFrame, ModeTimingsGiveTheirRefreshRate)
{
    struct {
        const char* name;
        unsigned long dotClock;
        unsigned hTotal, vTotal;
        bool interlaced, doubleScan;
        double hz;
    } const cases[] = {
        {"1920x1080 CEA 60 Hz", 148500000, 2200, 1125, false, false, 60.0},
        {"1920x1080 59.94 Hz", 148351648, 2200, 1125, false, false, 59.94},
        {"2560x1440 144 Hz", 586344960, 2720, 1497, false, false, 144.0},
        {"1920x1080i: two fields a frame", 74250000, 2200, 1125, true, false, 60.0},
        {"320x200 double-scanned", 25175000, 800, 525, false, true, 29.97},
        {"no clock", 0, 2200, 1125, false, false, 0.0},
        {"no line length", 148500000, 0, 1125, false, false, 0.0},
        {"no lines", 148500000, 2200, 0, false, false, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ModeRefreshRate(c.dotClock, c.hTotal, c.vTotal, c.interlaced, c.doubleScan), c.hz, 0.01)
            << c.name;
}

TEST(DisplayFrame, RatesAMonitorCanHaveGiveTheirPeriodOthersSixtyHertz)
{
    const long sixty = duration_cast<microseconds>(CPresentPacer::kDefaultFrame).count();
    struct {
        const char* name;
        double hz;
        long micros;
    } const cases[] = {
        {"60 Hz", 60.0, 16666},
        {"59.94 Hz", 59.94, 16683},
        {"144 Hz", 144.0, 6944},
        {"the slowest: 24 Hz", 24.0, 41666},
        {"the fastest: 500 Hz", 500.0, 2000},
        {"Windows' hardware default 0", 0.0, sixty},
        {"Windows' hardware default 1", 1.0, sixty},
        {"just under 24 Hz", 23.9, sixty},
        {"just over 500 Hz", 500.1, sixty},
        {"a made-up rate", 6000.0, sixty},
        {"negative", -60.0, sixty},
        {"infinite", std::numeric_limits<double>::infinity(), sixty},
        {"not a number", std::nan(""), sixty},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(duration_cast<microseconds>(DisplayFrame(c.hz)).count(), c.micros, 1) << c.name;
}

}  // namespace
