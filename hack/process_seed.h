// The seed of the growth's random source in the X11 program. XScreenSaver
// starts one hack per monitor within the same second, so the clock's second
// alone (as the Windows saver seeds) would grow the same branches on every
// monitor: the seed mixes the clock's nanoseconds with the process id.
#pragma once

#include <cstdint>

// Seeds the growth's random source for this process; called right after a
// canvas is constructed (which seeds from the clock's second) and before it
// draws its first random number.
void SeedGrowthForThisProcess();
