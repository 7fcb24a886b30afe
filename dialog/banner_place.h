// Where the settings dialog's banner goes inside its frame. The frame's
// size follows the dialog's font and DPI, so its shape is not the
// picture's; the picture keeps its own shape, as large as fits, centred.
// Kept apart from the dialog so that it is tested on every platform.
#pragma once

#include "afxtypes.h"

// The largest rectangle of picture's aspect ratio inside a frame of the
// given size, centred in it (an odd spare pixel goes right or below), in
// the frame's coordinates. It touches both sides of the frame in one
// direction; in the other its size is rounded to the nearest pixel. Empty
// when either size is.
CRect BannerPlace(SIZE frame, SIZE picture);
