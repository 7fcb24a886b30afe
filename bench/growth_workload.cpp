#include "growth_workload.h"

#include "full_screen_growth.h"
#include "surface/surface_dc.h"

namespace {

// A surface context that notes every segment drawn and every pixel read.
class CRecordingSurfaceDC : public CSurfaceDC {
public:
    CRecordingSurfaceDC(CSurface& surface, CGrowthWorkload& workload) : CSurfaceDC(surface), m_workload(workload) {}

    BOOL LineTo(int x, int y) override
    {
        const CPoint from = GetCurrentPosition();
        const CLogPen pen = m_selected ? m_selected->GetLogPen() : CLogPen{};
        m_workload.segments.push_back(CBenchSegment{from.x, from.y, x, y, pen.width, pen.color});
        return CSurfaceDC::LineTo(x, y);
    }
    CPen* SelectObject(CPen* pen) override
    {
        m_selected = pen;
        return CSurfaceDC::SelectObject(pen);
    }
    using CSurfaceDC::SelectObject;
    COLORREF GetPixel(int x, int y) const override
    {
        m_workload.probes.push_back(CPoint(x, y));
        return CSurfaceDC::GetPixel(x, y);
    }
    bool PixelAbove(int x, int y, COLORREF bar) const override { return GetPixel(x, y) > bar; }

private:
    CGrowthWorkload& m_workload;
    CPen* m_selected = nullptr;
};

}  // namespace

CGrowthWorkload RecordGrowthWorkload(int width, int height, int steps)
{
    CGrowthWorkload workload;
    workload.width = width;
    workload.height = height;
    CGrowthState growth(PoolCapacityForScreen(width, height));
    SetUpFullScreenGrowth(growth, width, height, 100, 0);
    CSurface surface(width, height, 0);
    CRecordingSurfaceDC dc(surface, workload);
    for (int i = 0; i < steps; ++i)
        growth.Step(dc);
    return workload;
}
