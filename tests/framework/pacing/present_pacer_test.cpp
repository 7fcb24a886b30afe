// The pacing of presents against simulated timers: every tick's drawing
// reaches the screen within one frame, presents are at least a frame
// apart, also when drawing comes between ticks, and the port wakes only for
// ticks, for such drawing and for presents.
#include "pacing/present_pacer.h"

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
    int drawEvery;  // a tick draws on every n-th tick only (0: ticks draw nothing)
    long offTickMicros = 0;  // drawing between ticks (a paint, a message) this often; 0: none
};

struct CRun {
    std::vector<Clock::time_point> draws, presents;
    int wakeUps = 0;
    int ticks = 0;
};

// Runs a port's loop for two simulated seconds: wakes at the next tick,
// at the next drawing between ticks or at the pacer's wake-up, lets what
// is due draw, and presents when told. A loop that stops advancing fails
// instead of spinning for ever.
CRun Simulate(const CPacingCase& c)
{
    constexpr int kMostWakeUps = 100000;  // far more than two seconds of any case need
    CPresentPacer pacer{microseconds(c.frameMicros)};
    CRun run;
    const Clock::time_point start{};
    const Clock::time_point end = start + std::chrono::seconds(2);
    Clock::time_point scheduled = start + microseconds(c.tickMicros);
    // Off-tick drawing at a period that is no multiple of the tick's, in a
    // fixed irregular pattern.
    int offTickDraws = 0;
    const auto offTickTime = [&] {
        return start + microseconds(c.offTickMicros * (offTickDraws + 1) + c.offTickMicros / 5 * (offTickDraws % 5));
    };
    Clock::time_point now = start;
    const auto tickTime = [&] { return scheduled + microseconds(c.jitterMicros * (run.ticks % 3) / 2); };
    while (now < end) {
        if (run.wakeUps >= kMostWakeUps) {
            ADD_FAILURE() << c.name << ": the loop stopped advancing at " << (now - start).count();
            break;
        }
        const std::optional<Clock::time_point> wake = pacer.WakeAt(tickTime());
        Clock::time_point next = wake ? std::min(*wake, tickTime()) : tickTime();
        if (c.offTickMicros > 0)
            next = std::min(next, offTickTime());
        EXPECT_GE(next, now) << c.name << ": a wake-up in the past would spin";
        now = std::max(next, now);
        ++run.wakeUps;
        if (c.offTickMicros > 0 && now >= offTickTime()) {
            pacer.Drew(now);
            run.draws.push_back(now);
            ++offTickDraws;
        }
        if (now >= tickTime()) {
            if (c.drawEvery > 0 && run.ticks % c.drawEvery == 0) {
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
        {"drawing between ticks too", 10000, 0, 16667, 1, 3700},
        {"drawing only between ticks", 10000, 0, 16667, 0, 2900},
        {"drawing between slow ticks", 250000, 0, 16667, 1, 4100},
        {"drawing between 1 ms ticks at 144 Hz", 1000, 0, 6944, 0, 1700},
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
        // Wakes for ticks and drawing, and otherwise only to present.
        const int offTick = c.offTickMicros > 0 ? static_cast<int>(run.draws.size()) : 0;
        EXPECT_LE(run.wakeUps, run.ticks + offTick + static_cast<int>(run.presents.size()) + 1) << c.name;
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
