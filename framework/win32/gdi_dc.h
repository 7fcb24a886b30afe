// A CDC over a GDI device context handle that it does not own. Selections
// return the object selected before (nullptr for the context's own original
// pen or brush), and the originals are put back before the context is
// given up, so that the selected objects can be deleted and the context
// released cleanly.
#pragma once

#include "dc.h"

class CGdiDC : public CDC {
public:
    CGdiDC() = default;
    explicit CGdiDC(HDC hdc) : m_hDC(hdc) {}
    ~CGdiDC() override;

    // Takes over a context; only before any selection.
    void Attach(HDC hdc) { m_hDC = hdc; }
    HDC GetSafeHdc() const { return m_hDC; }

    // A pen or brush without a platform handle cannot be selected: the
    // selection stays as it is and the current one is returned.
    CPen* SelectObject(CPen* pen) override;
    CBrush* SelectObject(CBrush* brush) override;
    CPoint MoveTo(int x, int y) override;
    BOOL LineTo(int x, int y) override;
    COLORREF GetPixel(int x, int y) const override;
    // nullptr fills with the initial white brush; a brush without a platform
    // handle fills nothing.
    void FillRect(const RECT& rect, CBrush* brush) override;

protected:
    // Puts the original pen and brush back. Derived classes call it before
    // they release the context.
    void RestoreOriginalObjects();

private:
    // One selection slot: the framework object selected now, and the GDI
    // object that was in the context before the first selection.
    template <class T>
    struct Selection {
        T* current = nullptr;
        HGDIOBJ original = nullptr;
    };
    template <class T>
    T* Select(Selection<T>& slot, T* object);
    template <class T>
    void Restore(Selection<T>& slot);

    HDC m_hDC = nullptr;
    Selection<CPen> m_pen;
    Selection<CBrush> m_brush;
};
