// The pictures of framework windows, kept in memory. A window's device
// contexts draw on its picture, and what they change is copied to the
// window (see window_dc_win32.cpp), so that a window shows its own drawing
// whatever the desktop composites beneath it, and a repaint restores it.
//
// A picture starts as what was beneath the window when it was created,
// the picture a desktop without composition shows for a window that paints
// no background: the screen for a top-level window, the parent's client
// area for a child. It starts black where that cannot be had. A window that
// the framework attached to after its creation (a dialog) paints its own
// background and controls: its picture starts, when first used, with what
// the window itself draws, so that it never hides that drawing.
#pragma once

#include "surface/surface.h"

#include <vector>

struct CWindowPictures {
    // Starts hWnd's picture from what is beneath it now; called before the
    // window is first shown.
    static void Start(HWND hWnd);
    // hWnd's picture at its client size: made from the window's own drawing
    // if it has none yet (black when that cannot be had), remade when the
    // client size changed (keeping what overlaps).
    static CSurface& Of(HWND hWnd);
    // The picture of hWnd if it has one, without making or resizing it.
    static const CSurface* Find(HWND hWnd);
    static void Forget(HWND hWnd);

    // Copies the rectangles of picture (client coordinates) to the device
    // context, whose own clipping applies.
    static void Present(HDC hdc, const CSurface& picture, const std::vector<CRect>& rects);
};

// A top-down 32-bit bitmap description of width x height packed 0x00RRGGBB
// rows, the layout of a surface's words.
BITMAPINFO PackedRowsInfo(int width, int height);

// Fills picture (already sized to hWnd's client area) with what is beneath
// hWnd now. Returns false, leaving the picture alone, when nothing could be
// had: no parent picture, a failed capture, or one that came back all black.
bool CaptureBeneath(HWND hWnd, CSurface& picture);

// Fills picture (already sized to hWnd's client area) with what hWnd draws
// of its client area, background included, as it prints it. Returns false,
// leaving the picture alone, when that came back all black or failed.
bool CaptureOwnDrawing(HWND hWnd, CSurface& picture);
