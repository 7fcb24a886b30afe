// When a port puts what its timer ticks drew on the screen. Ticks come at
// the platform's timer rate (100 a second by default), but no display shows
// more than its refresh rate, so presenting every tick copies pixels that
// nobody sees. The pacer lets changes wait and presents them at most once
// per display frame, and never later than one frame after the tick that
// drew them: where the next tick comes in time it carries them, otherwise
// the port wakes up for them at the frame's end. Without extra wake-ups
// between ticks that come faster than frames. Paints are not paced: a port
// shows a repainted region at once.
#pragma once

#include <chrono>
#include <optional>

class CPresentPacer {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kDefaultFrame = std::chrono::microseconds(16667);  // 60 Hz

    explicit CPresentPacer(Clock::duration frame = kDefaultFrame) : m_frame(frame) {}

    Clock::duration Frame() const { return m_frame; }

    // A tick changed the picture at now; its changes wait to be presented.
    void Drew(Clock::time_point now)
    {
        if (!m_waitingSince)
            m_waitingSince = now;
    }
    bool Waiting() const { return m_waitingSince.has_value(); }

    // Whether to present the waiting changes at now, when the next tick is
    // due at nextTick (none: no timer runs).
    bool PresentNow(Clock::time_point now, std::optional<Clock::time_point> nextTick) const;
    // When the port must wake to present if nothing wakes it before; none
    // when nothing waits or the next tick comes in time to carry it.
    std::optional<Clock::time_point> WakeAt(std::optional<Clock::time_point> nextTick) const;

    // The waiting changes were put on the screen at now.
    void Presented(Clock::time_point now)
    {
        m_lastPresent = now;
        m_waitingSince.reset();
    }

private:
    // The next tick comes no later than the waiting changes' deadline.
    bool TickCarries(std::optional<Clock::time_point> nextTick) const
    {
        return nextTick && *nextTick <= *m_waitingSince + m_frame;
    }

    Clock::duration m_frame;
    std::optional<Clock::time_point> m_waitingSince;
    std::optional<Clock::time_point> m_lastPresent;
};
