// Device contexts on a window: CClientDC on the client area (clipped to its
// visible part) and CPaintDC for WM_PAINT (clipped to the part being
// repainted; it validates that part when it ends). Both release what they
// acquired in their destructors.
#pragma once

#include "dc.h"

#include <memory>

class CWnd;

// Forwards every drawing call to a context the port opened.
class CForwardingDC : public CDC {
public:
    CPen* SelectObject(CPen* pen) override { return m_target->SelectObject(pen); }
    CBrush* SelectObject(CBrush* brush) override { return m_target->SelectObject(brush); }
    CPoint MoveTo(int x, int y) override { return m_target->MoveTo(x, y); }
    BOOL LineTo(int x, int y) override { return m_target->LineTo(x, y); }
    COLORREF GetPixel(int x, int y) const override { return m_target->GetPixel(x, y); }
    bool PixelAbove(int x, int y, COLORREF bar) const override { return m_target->PixelAbove(x, y, bar); }
    bool NoneAbove(const RECT& box, COLORREF bar) const override { return m_target->NoneAbove(box, bar); }
    void FillRect(const RECT& rect, CBrush* brush) override { m_target->FillRect(rect, brush); }

protected:
    CForwardingDC() = default;
    std::unique_ptr<CDC> m_target;
};

class CClientDC : public CForwardingDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;
};

class CPaintDC : public CForwardingDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    // The part being repainted, in client coordinates.
    const CRect& PaintRect() const { return m_paintRect; }

private:
    CRect m_paintRect;
};
