// A stand-in for the screen-saver host's preview pane: the window whose
// handle the host gives to verdane.scr /p.
#pragma once

#include "afxtypes.h"

#include <string>

// The size of the preview pane of the system's screen-saver settings.
constexpr int kPaneWidth = 152;
constexpr int kPaneHeight = 112;

// A visible top-level window of the calling thread whose client area is
// width x height; nullptr when it cannot be created. DestroyWindow ends it.
HWND CreatePreviewPane(int width, int height);

// The handle as the host writes it on the command line: in decimal.
std::string HandleText(HWND hWnd);
