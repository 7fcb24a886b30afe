#include "gdi_dc.h"

CGdiDC::~CGdiDC()
{
    RestoreOriginalObjects();
}

template <class T>
T* CGdiDC::Select(Selection<T>& slot, T* object)
{
    const HGDIOBJ handle = object != nullptr ? static_cast<HGDIOBJ>(object->GetSafeHandle()) : slot.original;
    // No handle: either the original is asked for before anything else was
    // selected (so it is in already), or the object cannot be selected.
    if (handle == nullptr)
        return slot.current;
    const HGDIOBJ previous = ::SelectObject(m_hDC, handle);
    if (previous == nullptr || previous == HGDI_ERROR)
        return slot.current;
    if (slot.original == nullptr)
        slot.original = previous;
    T* const before = slot.current;
    slot.current = object;
    return before;
}

template <class T>
void CGdiDC::Restore(Selection<T>& slot)
{
    if (slot.current != nullptr && slot.original != nullptr)
        ::SelectObject(m_hDC, slot.original);
    slot.current = nullptr;
}

CPen* CGdiDC::SelectObject(CPen* pen)
{
    return Select(m_pen, pen);
}

CBrush* CGdiDC::SelectObject(CBrush* brush)
{
    return Select(m_brush, brush);
}

void CGdiDC::RestoreOriginalObjects()
{
    Restore(m_pen);
    Restore(m_brush);
}

CPoint CGdiDC::MoveTo(int x, int y)
{
    POINT previous{0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous.x, previous.y);
}

BOOL CGdiDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

// Not every GDI refuses reads outside the clipping region of a window's
// context (Wine reads the whole window), so the region is tested here to
// keep the interface's promise of CLR_INVALID there.
COLORREF CGdiDC::GetPixel(int x, int y) const
{
    if (!::PtVisible(m_hDC, x, y))
        return CLR_INVALID;
    return ::GetPixel(m_hDC, x, y);
}

void CGdiDC::FillRect(const RECT& rect, CBrush* brush)
{
    const HBRUSH handle = brush != nullptr ? brush->GetSafeHandle() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    if (handle != nullptr)
        ::FillRect(m_hDC, &rect, handle);
}
