// The pacing of presents against simulated timers: every tick's drawing
// reaches the screen within one frame, presents are at least a frame
// apart, and the port wakes only for ticks and for presents.
#include "surface/present_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Clock = CPresentPacer::Clock;
using std::chrono::microseconds;

struct CPacingCase {
    const char* name;
    long tickMicros;    // the timer's period
    long jitterMicros;  // each tick comes up to this much late, in a fixed pattern
    long frameMicros;
    int drawEvery;  // a tick draws on every n-th tick only
};

struct CRun {
    std::vector<Clock::time_point> draws, presents;
    int wakeUps = 0;
    int ticks = 0;
};

// Runs a port's loop for two simulated seconds: wakes at the next tick or
// at the pacer's wake-up, lets a due tick draw, and presents when told.
CRun Simulate(const CPacingCase& c)
{
    CPresentPacer pacer{microseconds(c.frameMicros)};
    CRun run;
    const Clock::time_point start{};
    const Clock::time_point end = start + std::chrono::seconds(2);
    Clock::time_point scheduled = start + microseconds(c.tickMicros);
    Clock::time_point now = start;
    const auto tickTime = [&] { return scheduled + microseconds(c.jitterMicros * (run.ticks % 3) / 2); };
    while (now < end) {
        const std::optional<Clock::time_point> wake = pacer.WakeAt(tickTime());
        const Clock::time_point next = wake ? std::min(*wake, tickTime()) : tickTime();
        EXPECT_GE(next, now) << c.name << ": a wake-up in the past would spin";
        now = std::max(next, now);
        ++run.wakeUps;
        if (now >= tickTime()) {
            if (run.ticks % c.drawEvery == 0) {
                pacer.Drew(now);
                run.draws.push_back(now);
            }
            ++run.ticks;
            scheduled += microseconds(c.tickMicros);
        }
        if (pacer.PresentNow(now, tickTime())) {
            pacer.Presented(now);
            run.presents.push_back(now);
        }
    }
    return run;
}

TEST(PresentPacer, EveryTicksDrawingIsShownWithinAFrameAndPresentsAreAFrameApart)
{
    const CPacingCase cases[] = {
        {"default timer, 60 Hz", 10000, 0, 16667, 1},
        {"default timer, 144 Hz", 10000, 0, 6944, 1},
        {"1 ms timer, 60 Hz", 1000, 0, 16667, 1},
        {"timer just under a frame", 16000, 0, 16667, 1},
        {"timer just over a frame", 17000, 0, 16667, 1},
        {"slow timer", 1000000, 0, 16667, 1},
        {"late ticks", 10000, 9000, 16667, 1},
        {"drawing on every third tick", 10000, 0, 16667, 3},
    };
    for (const CPacingCase& c : cases) {
        const CRun run = Simulate(c);
        ASSERT_FALSE(run.draws.empty()) << c.name;
        const auto frame = microseconds(c.frameMicros);
        for (const Clock::time_point drawn : run.draws) {
            const auto shown = std::lower_bound(run.presents.begin(), run.presents.end(), drawn);
            if (drawn + frame < run.draws.back()) {  // the last ones may still wait when the run ends
                ASSERT_TRUE(shown != run.presents.end() && *shown <= drawn + frame) << c.name;
            }
        }
        for (std::size_t i = 1; i < run.presents.size(); ++i)
            ASSERT_GE(run.presents[i] - run.presents[i - 1], frame) << c.name;
        // Wakes for ticks, and otherwise only to present.
        EXPECT_LE(run.wakeUps, run.ticks + static_cast<int>(run.presents.size()) + 1) << c.name;
    }
}

TEST(PresentPacer, NothingDrawnNothingPresentedNoWakeUp)
{
    CPresentPacer pacer;
    const Clock::time_point t{};
    EXPECT_FALSE(pacer.PresentNow(t, t + microseconds(10000)));
    EXPECT_FALSE(pacer.WakeAt(std::nullopt));
    // Without a timer, the changes are presented at once.
    pacer.Drew(t);
    EXPECT_TRUE(pacer.PresentNow(t, std::nullopt));
}

}  // namespace
