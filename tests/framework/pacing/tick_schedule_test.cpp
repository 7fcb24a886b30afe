// The tick schedule, round by round against a clock the test
// moves: the first tick one period on, the floor for short periods, late
// ticks coalesced, several timers in the order set, and kill and restart;
// and the ticks a loop that wakes once per display frame gathers.
#include <gtest/gtest.h>

#include "pacing/tick_schedule.h"

#include <vector>

namespace {

using Clock = CTickSchedule::Clock;
using std::chrono::milliseconds;

const HWND kWindow = reinterpret_cast<HWND>(0x10010);
const HWND kOther = reinterpret_cast<HWND>(0x10020);
constexpr long kFloorMicros = 10000;  // 10 ms
// A loop with all the time it wants.
const auto kInTime = [] { return false; };

struct CRound {
    const char* what;
    long atMs;  // since the start
    std::vector<CTickSchedule::CTimer> timers;
    std::vector<CTickSchedule::CTimerKey> fired;
    long nextDueMs;  // -1: none
};

TEST(TickSchedule, TicksAsWindowsPacesTimers)
{
    const CTickSchedule::CTimer a{kWindow, 1, 50};
    const CTickSchedule::CTimer zero{kOther, 1, 0};
    const CTickSchedule::CTimerKey keyA(kWindow, 1);
    const CTickSchedule::CTimerKey keyZero(kOther, 1);
    const std::vector<CRound> rounds = {
        {"nothing set", 0, {}, {}, -1},
        {"a new timer first ticks one period on", 0, {a}, {}, 50},
        {"not due a moment before", 49, {a}, {}, 50},
        {"due on time: the next one period on", 50, {a}, {keyA}, 100},
        {"two and a half periods late: one tick", 225, {a}, {keyA}, 225},
        {"the next round makes up one more; then the period from the missed tick", 226, {a}, {keyA}, 275},
        {"a period of 0 ticks at the floor", 230, {a, zero}, {}, 240},
        {"both due: in the order set", 280, {a, zero}, {keyA, keyZero}, 280},
        {"killed: forgotten", 290, {zero}, {keyZero}, 290},
        {"set again: a first tick one period on", 290, {a, zero}, {keyZero}, 300},
        {"killed all", 400, {}, {}, -1},
    };
    CTickSchedule schedule;
    const Clock::time_point start{};
    for (const CRound& round : rounds) {
        SCOPED_TRACE(round.what);
        // Without catch-up, one round at the time given.
        std::vector<CTickSchedule::CTimerKey> fired;
        schedule.RunDue(
            start + milliseconds(round.atMs), kFloorMicros, Clock::duration::zero(),
            [&](std::vector<CTickSchedule::CTimer>& timers) { timers = round.timers; },
            [&](const CTickSchedule::CTimerKey& key) { return fired.push_back(key), true; }, kInTime);
        EXPECT_EQ(fired, round.fired);
        const std::optional<Clock::time_point> next = schedule.NextDue();
        if (round.nextDueMs < 0)
            EXPECT_FALSE(next.has_value());
        else
            EXPECT_EQ(next, start + milliseconds(round.nextDueMs));
    }
}

struct CGatherCase {
    const char* what;
    long periodMicros;  // the timer asks for 0: the floor
    long wakeMicros;    // the loop wakes this often
    long catchUpMicros;
    int minTicks, maxTicks;  // over the simulated second
    long maxLateMicros;      // of the first tick of a wake-up, against its plan
    bool caughtUp;           // nothing is left due when a wake-up ends
};

// A loop that wakes every wakeMicros for a second and runs what is due:
// each tick it slept past is delivered once, in order and within the
// catch-up; with more behind, late ticks coalesce rather than pile up.
TEST(TickSchedule, GatheredTicksKeepTheirRateAndOrder)
{
    const CGatherCase cases[] = {
        {"100 ticks a second, woken at 60 Hz (the last time at 983 ms)", 10000, 16667, 33333, 98, 98, 16667, true},
        {"woken at every tick", 10000, 10000, 33333, 100, 101, 0, true},
        {"ticks slower than frames", 25000, 16667, 33333, 39, 41, 16667, true},
        {"a busy machine wakes every 100 ms: a few ticks each, no pile-up", 10000, 100000, 33333, 10, 50, 100000,
         false},
        {"no catch-up: one tick per wake-up, as before", 10000, 16667, 0, 59, 61, 16667, false},
    };
    for (const CGatherCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTickSchedule schedule;
        const Clock::time_point start{};
        std::vector<Clock::time_point> planned;
        int ticks = 0;
        for (long at = 0; at <= 1000000; at += c.wakeMicros) {
            const Clock::time_point now = start + std::chrono::microseconds(at);
            const CTickSchedule::CRun run = schedule.RunDue(
                now, c.periodMicros, std::chrono::microseconds(c.catchUpMicros),
                [&](std::vector<CTickSchedule::CTimer>& timers) { timers.push_back({kWindow, 1, 0}); },
                [&](const CTickSchedule::CTimerKey& key) {
                    EXPECT_EQ(key, CTickSchedule::CTimerKey(kWindow, 1));
                    return true;
                },
                kInTime);
            ticks += run.fired;
            if (run.fired > 0) {
                ASSERT_TRUE(run.firstPlanned.has_value());
                EXPECT_LE(*run.firstPlanned, now);
                EXPECT_LE(now - *run.firstPlanned, std::chrono::microseconds(c.maxLateMicros));
                if (!planned.empty()) {
                    EXPECT_GT(*run.firstPlanned, planned.back());
                }
                planned.push_back(*run.firstPlanned);
            }
            // Coalesced ticks leave one due at once on the next round.
            ASSERT_TRUE(schedule.NextDue().has_value());
            EXPECT_GE(*schedule.NextDue(), now);
            if (c.caughtUp) {
                EXPECT_GT(*schedule.NextDue(), now);
            }
        }
        EXPECT_GE(ticks, c.minTicks);
        EXPECT_LE(ticks, c.maxTicks);
    }
}

// Where a loop that gathers the ticks of a frame wakes: at the last tick
// due by the limit, each timer ticking on at its own period.
TEST(TickSchedule, LastTickDueByALimit)
{
    const Clock::time_point start{};
    const auto ms = [&](long v) { return start + milliseconds(v); };
    CTickSchedule schedule;
    const auto fire = [](const auto&) { return true; };
    std::vector<CTickSchedule::CTimer> set = {{kWindow, 1, 10}};
    const auto collect = [&](std::vector<CTickSchedule::CTimer>& timers) { timers = set; };
    schedule.RunDue(ms(0), 0, milliseconds(50), collect, fire, kInTime);  // first tick at 10
    EXPECT_FALSE(schedule.LastDueBy(ms(9)).has_value());
    EXPECT_EQ(schedule.LastDueBy(ms(10)), ms(10));
    EXPECT_EQ(schedule.LastDueBy(ms(26)), ms(20));  // 100 a second, a 60 Hz frame on from the first
    set.push_back({kOther, 1, 7});
    schedule.RunDue(ms(1), 0, milliseconds(50), collect, fire, kInTime);  // the other first ticks at 8
    EXPECT_EQ(schedule.LastDueBy(ms(23)), ms(22));
    EXPECT_EQ(schedule.LastDueBy(ms(29)), ms(29));
}

// Ticks change the timers: one killed by a tick fires no more in the same
// wake-up, one set by a tick first ticks one period after its round, and a
// period of 0 (no floor) ends the wake-up after a tick or two.
TEST(TickSchedule, GatheredTicksFollowTimersSetAndKilledByTicks)
{
    const Clock::time_point start{};
    const auto ms = [&](long v) { return start + milliseconds(v); };
    CTickSchedule schedule;
    std::vector<CTickSchedule::CTimer> set = {{kWindow, 1, 10}};
    const auto collect = [&](std::vector<CTickSchedule::CTimer>& timers) { timers = set; };
    schedule.RunDue(ms(0), 0, milliseconds(50), collect, [](const auto&) { return true; }, kInTime);

    // At 35 ms, ticks of 10, 20 and 30 are behind; the first sets a second
    // timer, the second kills the first.
    std::vector<CTickSchedule::CTimerKey> fired;
    const CTickSchedule::CRun run = schedule.RunDue(ms(35), 0, milliseconds(50), collect, [&](const auto& key) {
        fired.push_back(key);
        if (fired.size() == 1)
            set.push_back({kOther, 1, 10});
        else if (fired.size() == 2)
            set.erase(set.begin());
        return true;
    }, kInTime);
    const std::vector<CTickSchedule::CTimerKey> expected = {{kWindow, 1}, {kWindow, 1}, {kOther, 1}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(run.fired, 3);
    EXPECT_EQ(run.firstPlanned, ms(10));
    EXPECT_EQ(schedule.NextDue(), ms(40));

    CTickSchedule always;
    const std::vector<CTickSchedule::CTimer> zero = {{kWindow, 1, 0}};
    const auto collectZero = [&](std::vector<CTickSchedule::CTimer>& timers) { timers = zero; };
    always.RunDue(ms(0), 0, milliseconds(50), collectZero, [](const auto&) { return true; }, kInTime);
    const CTickSchedule::CRun spun =
        always.RunDue(ms(20), 0, milliseconds(50), collectZero, [](const auto&) { return true; }, kInTime);
    EXPECT_GE(spun.fired, 1);
    EXPECT_LE(spun.fired, 2);
}

// A timer of 1 µs, woken once a frame: 16,667 ticks are behind, but the
// loop gives the ticks time for ten rounds only. The rest coalesce into one
// due at once, so the next wake-up starts from there instead of from the
// backlog, and no wake-up runs longer than the loop allows.
TEST(TickSchedule, TicksThatDoNotFitInTheTimeGivenCoalesce)
{
    const Clock::time_point start{};
    const auto at = [&](long micros) { return start + std::chrono::microseconds(micros); };
    CTickSchedule schedule;
    const auto collect = [](std::vector<CTickSchedule::CTimer>& timers) { timers.push_back({kWindow, 1, 0}); };
    int fired = 0;
    const auto fire = [&](const auto&) { return ++fired, true; };
    int rounds = 0;
    const auto tenRounds = [&] { return ++rounds >= 10; };
    schedule.RunDue(at(0), 1, std::chrono::microseconds(33333), collect, fire, tenRounds);
    for (long wake = 16667; wake <= 50001; wake += 16667) {
        SCOPED_TRACE(wake);
        fired = 0;
        rounds = 0;
        const CTickSchedule::CRun run =
            schedule.RunDue(at(wake), 1, std::chrono::microseconds(33333), collect, fire, tenRounds);
        EXPECT_EQ(run.fired, 10);
        EXPECT_EQ(schedule.NextDue(), at(wake));
        // After the first wake-up, the backlog is what the one before left:
        // one tick at its own time, not a frame's worth.
        if (wake > 16667) {
            EXPECT_EQ(run.firstPlanned, at(wake - 16667));
        }
    }
}

// A port that knows when its timers are set tells the schedule at once: a
// timer set again starts its period from then, whatever was planned, and a
// killed one is planned no more.
TEST(TickSchedule, TimerSetAgainStartsItsPeriodThenAndAKilledOneIsNotPlanned)
{
    const CTickSchedule::CTimer a{kWindow, 1, 50};
    const CTickSchedule::CTimer b{kOther, 2, 30};
    CTickSchedule schedule;
    const Clock::time_point start{};
    std::vector<CTickSchedule::CTimerKey> fired;
    const auto run = [&](long atMs, std::vector<CTickSchedule::CTimer> timers) {
        fired.clear();
        schedule.RunDue(
            start + milliseconds(atMs), kFloorMicros, Clock::duration::zero(),
            [&](std::vector<CTickSchedule::CTimer>& set) { set = timers; },
            [&](const CTickSchedule::CTimerKey& key) { return fired.push_back(key), true; }, kInTime);
    };
    schedule.Restart(a, start, kFloorMicros);
    EXPECT_EQ(schedule.NextDue(), start + milliseconds(50));
    schedule.Restart(a, start + milliseconds(40), kFloorMicros);
    EXPECT_EQ(schedule.NextDue(), start + milliseconds(90));
    run(60, {a});
    EXPECT_TRUE(fired.empty()) << "the first setting's tick does not come";
    run(90, {a});
    EXPECT_EQ(fired, (std::vector<CTickSchedule::CTimerKey>{{kWindow, 1}}));

    schedule.Restart(b, start + milliseconds(95), kFloorMicros);
    schedule.Forget({kWindow, 1});
    EXPECT_EQ(schedule.NextDue(), start + milliseconds(125));
    schedule.Forget({kOther, 2});
    EXPECT_FALSE(schedule.NextDue().has_value());
    schedule.Restart(b, start + milliseconds(100), kFloorMicros);
    run(129, {b});
    EXPECT_TRUE(fired.empty()) << "set again after it was killed: a period from then";
    run(130, {b});
    EXPECT_EQ(fired, (std::vector<CTickSchedule::CTimerKey>{{kOther, 2}}));
}

}  // namespace
