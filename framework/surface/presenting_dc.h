// A surface context on a window's picture kept in memory. It records what
// its drawing changes and, when it closes, hands those rectangles to the
// port's presenter, which copies them from the picture to the window, at
// once or at the display's pace, so that only the changed part is copied.
#pragma once

#include "surface_dc.h"

#include <functional>
#include <vector>

class CPresentingDC : public CSurfaceDC {
public:
    // Called once at close when anything changed, with the picture and
    // rectangles that hold every changed pixel (one per band of
    // CDamage::kBandHeight rows that changed).
    using Presenter = std::function<void(const CSurface& picture, const std::vector<CRect>& changed)>;

    // joinGap: that of the record of changes (CDamage).
    CPresentingDC(CSurface& picture, std::vector<CRect> clip, Presenter presenter,
                  LONG joinGap = CDamage::kWholeBand);
    ~CPresentingDC() override;

    // An empty clip list with the storage a closed context left, if any: a
    // window's client context is opened and closed on every timer tick,
    // and the next one fills in the list it leaves. Drawing is
    // single-threaded, like the kept damage records.
    static std::vector<CRect> TakeClip();

    // Has rect presented at close even if nothing is drawn there: a paint
    // shows the part being repainted from the picture.
    void MarkChanged(const RECT& rect) { m_damage.Add(rect); }

private:
    CDamage m_damage;
    Presenter m_presenter;
};
