#include "presenting_dc.h"

#include <utility>

CPresentingDC::CPresentingDC(CSurface& picture, std::vector<CRect> clip, Presenter presenter, LONG joinGap)
    : CSurfaceDC(picture, std::move(clip)), m_damage(joinGap), m_presenter(std::move(presenter))
{
    SetDamage(&m_damage);
}

CPresentingDC::~CPresentingDC()
{
    SetDamage(nullptr);
    if (!m_damage.IsEmpty() && m_presenter)
        m_presenter(Surface(), m_damage.Rects());
}
