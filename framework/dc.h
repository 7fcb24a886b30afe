// The device-context interface: everything that drawing code may ask of a
// surface. The growth engine draws through it only, so the same code runs on
// a GDI device context and on the portable surface context.
#pragma once

#include "afxtypes.h"
#include "gdi.h"

class CDC {
public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Selects a pen or brush and returns the one selected before, so that the
    // caller can put it back. nullptr stands for the context's own initial
    // object (a black one-pixel pen, a white brush) and may be selected again.
    virtual CPen* SelectObject(CPen* pen) = 0;
    virtual CBrush* SelectObject(CBrush* brush) = 0;

    // Moves the current position; returns the previous one.
    virtual CPoint MoveTo(int x, int y) = 0;
    // Draws with the selected pen from the current position to (x, y) and
    // makes (x, y) the current position. Thin pens leave the end pixel out.
    virtual BOOL LineTo(int x, int y) = 0;
    // The colour at (x, y) as 0x00BBGGRR, or CLR_INVALID when the point lies
    // outside the clipping region.
    virtual COLORREF GetPixel(int x, int y) const = 0;
    // Whether GetPixel(x, y) is above bar as unsigned numbers. Contexts that
    // can answer without reading the pixel (for a dark picture and a high
    // bar) override it; the answer is always the same.
    virtual bool PixelAbove(int x, int y, COLORREF bar) const { return GetPixel(x, y) > bar; }
    // True only when PixelAbove(x, y, bar) is false for every point of box
    // (right and bottom edges excluded), so that a caller about to probe
    // many points there can know the answers at once. Contexts that cannot
    // tell without reading every pixel say false.
    virtual bool NoneAbove(const RECT& /*box*/, COLORREF /*bar*/) const { return false; }
    // Fills the rectangle (right and bottom edges excluded) with the brush,
    // within the clipping region.
    virtual void FillRect(const RECT& rect, CBrush* brush) = 0;
};
