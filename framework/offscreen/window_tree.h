// Walks over the framework windows that a display shows in one of its
// surfaces: a window and every window inside it, with where each lies.
// Shared by the ports that attach a display to the off-screen world.
#pragma once

#include "offscreen_world.h"

#include <utility>
#include <vector>

// The window and every window below it, parents first.
void CollectSubtree(const COffscreenWorld& world, HWND hWnd, std::vector<HWND>& out);

// The visible framework windows (those a CWnd owns) in host's subtree, host
// included, parents first, each with its client origin relative to
// host's: what a display surface standing for host shows, in drawing order.
std::vector<std::pair<HWND, CPoint>> ShownIn(const COffscreenWorld& world, HWND host);
