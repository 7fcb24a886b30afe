#include "window_tree.h"

void CollectSubtree(const COffscreenWorld& world, HWND hWnd, std::vector<HWND>& out)
{
    out.push_back(hWnd);
    for (HWND child : world.Children(hWnd))
        CollectSubtree(world, child, out);
}

std::vector<std::pair<HWND, CPoint>> ShownIn(const COffscreenWorld& world, HWND host)
{
    std::vector<HWND> subtree;
    CollectSubtree(world, host, subtree);
    const CPoint base = world.ClientOriginOnScreen(host);
    std::vector<std::pair<HWND, CPoint>> shown;
    for (HWND hWnd : subtree) {
        const COffscreenWindow* window = world.Find(hWnd);
        if (window->object == nullptr || !world.IsVisible(hWnd))
            continue;
        const CPoint origin = world.ClientOriginOnScreen(hWnd);
        shown.emplace_back(hWnd, CPoint(origin.x - base.x, origin.y - base.y));
    }
    return shown;
}
