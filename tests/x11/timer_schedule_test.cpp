// The X11 port's timer schedule, round by round against a clock the test
// moves: the first tick one period on, the floor for short periods, late
// ticks coalesced, several timers in the order set, and kill and restart.
#include <gtest/gtest.h>

#include "x11_timer_schedule.h"

#include <vector>

namespace {

using Clock = CX11TimerSchedule::Clock;
using std::chrono::milliseconds;

const HWND kWindow = reinterpret_cast<HWND>(0x10010);
const HWND kOther = reinterpret_cast<HWND>(0x10020);
constexpr long kFloorMicros = 10000;  // 10 ms

struct CRound {
    const char* what;
    long atMs;  // since the start
    std::vector<CX11TimerSchedule::CTimer> timers;
    std::vector<CX11TimerSchedule::CTimerKey> fired;
    long nextDueMs;  // -1: none
};

TEST(X11TimerSchedule, TicksAsWindowsPacesTimers)
{
    const CX11TimerSchedule::CTimer a{kWindow, 1, 50};
    const CX11TimerSchedule::CTimer zero{kOther, 1, 0};
    const CX11TimerSchedule::CTimerKey keyA(kWindow, 1);
    const CX11TimerSchedule::CTimerKey keyZero(kOther, 1);
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
    CX11TimerSchedule schedule;
    const Clock::time_point start{};
    for (const CRound& round : rounds) {
        SCOPED_TRACE(round.what);
        EXPECT_EQ(schedule.TakeDue(round.timers, start + milliseconds(round.atMs), kFloorMicros), round.fired);
        const std::optional<Clock::time_point> next = schedule.NextDue();
        if (round.nextDueMs < 0)
            EXPECT_FALSE(next.has_value());
        else
            EXPECT_EQ(next, start + milliseconds(round.nextDueMs));
    }
}

}  // namespace
