// How many branch slots a canvas owns and how many it puts in use.
#pragma once

#include <cstdint>

// The pool size for a primary screen of the given size: exactly the count
// that a full-screen paint at the largest "Growth Rate" the settings dialog
// offers (100) puts in use. 1820 for 1024 x 768.
std::int32_t PoolCapacityForScreen(std::int32_t screenWidth, std::int32_t screenHeight);

// The slots in use for a client of the given size at a "Growth Rate" N:
// S/60 + ((S/2) * N * 2 - S/60) / 100 with S = width + height, integer
// divisions truncating toward zero. Computed in 64 bits and limited to the
// pool's capacity, since neither the stored number nor the client size is
// bounded; a negative result (which a negative "Growth Rate" gives) means
// no slot in use and is returned as it is.
std::int32_t SlotsInUse(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t growthRate,
                        std::int32_t capacity);
