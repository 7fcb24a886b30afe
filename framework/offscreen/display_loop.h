// The loop of a display port that drives the off-screen window system, as
// the port's driver owns it: run what is due (the display's events, posted
// messages, paints and the timer ticks due), present what changed, wait for
// the next thing to do. The port supplies the three steps; the loop ends
// with the quit message's code, or with 0 once no top-level window is left
// that could ever post it.
#pragma once

#include "offscreen_world.h"

#include <optional>

template <class RunDue, class Present, class Wait>
int RunDisplayLoop(const COffscreenWorld& world, RunDue runDue, Present present, Wait wait)
{
    for (;;) {
        if (const std::optional<int> quit = runDue())
            return *quit;
        present();
        if (!world.AnyTopLevelWindow())
            return 0;
        wait();
    }
}
