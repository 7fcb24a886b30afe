#include "presenting_dc.h"

#include <utility>

namespace {

// The records of closed contexts, emptied, with the storage they grew: a
// window's contexts come and go every tick, and taking a record from here
// keeps the tick from allocating its bands again. Drawing is single-threaded,
// like the kept stroke shapes.
std::vector<CDamage>& SpareRecords()
{
    static std::vector<CDamage> spares;
    return spares;
}

CDamage TakeRecord(LONG joinGap)
{
    std::vector<CDamage>& spares = SpareRecords();
    for (auto it = spares.begin(); it != spares.end(); ++it) {
        if (it->JoinGap() == joinGap) {
            CDamage record = std::move(*it);
            spares.erase(it);
            return record;
        }
    }
    return CDamage(joinGap);
}

// The clip list of the context closed last, with its storage.
std::vector<CRect>& SpareClip()
{
    static std::vector<CRect> spare;
    return spare;
}

}  // namespace

std::vector<CRect> CPresentingDC::TakeClip()
{
    std::vector<CRect> clip = std::exchange(SpareClip(), {});
    clip.clear();
    return clip;
}

CPresentingDC::CPresentingDC(CSurface& picture, std::vector<CRect> clip, Presenter presenter, LONG joinGap)
    : CSurfaceDC(picture, std::move(clip)), m_damage(TakeRecord(joinGap)), m_presenter(std::move(presenter))
{
    SetDamage(&m_damage);
}

CPresentingDC::~CPresentingDC()
{
    SetDamage(nullptr);
    if (!m_damage.IsEmpty() && m_presenter)
        m_presenter(Surface(), m_damage.Rects());
    // A few records are kept, one for each context open at a time.
    constexpr std::size_t kKept = 4;
    std::vector<CDamage>& spares = SpareRecords();
    if (spares.size() < kKept) {
        m_damage.Clear();
        if (spares.capacity() < kKept)
            spares.reserve(kKept);
        spares.push_back(std::move(m_damage));
    }
    std::vector<CRect>& spare = SpareClip();
    std::vector<CRect> released = ReleaseClip();
    if (released.capacity() > spare.capacity())
        spare = std::move(released);
}
