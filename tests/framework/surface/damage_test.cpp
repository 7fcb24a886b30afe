// Damage tracking of the surface context and the presentation helpers: the
// recorded rectangles hold every changed pixel, one box per band of rows,
// and a presenting context hands them over once at close.
#include "surface/presenting_dc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

bool Covered(const std::vector<CRect>& rects, int x, int y)
{
    for (const CRect& r : rects) {
        if (r.PtInRect(CPoint(x, y)))
            return true;
    }
    return false;
}

// Every pixel where after differs from before lies in one of the rects.
void ExpectChangesCovered(const CSurface& before, const CSurface& after, const std::vector<CRect>& rects)
{
    for (int y = 0; y < after.Height(); ++y) {
        for (int x = 0; x < after.Width(); ++x) {
            if (before.At(x, y) != after.At(x, y)) {
                ASSERT_TRUE(Covered(rects, x, y)) << "changed pixel (" << x << ", " << y << ") not recorded";
            }
        }
    }
}

TEST(Damage, KeepsOneBoxPerBandThatHoldsEverythingAdded)
{
    static_assert(CDamage::kBandHeight == 16, "the cases below are drawn for bands of 16 rows");
    CDamage damage(CDamage::kWholeBand);
    damage.Add(CRect(5, 5, 5, 9));  // empty
    EXPECT_TRUE(damage.IsEmpty());

    damage.Add(CRect(0, 0, 10, 10));
    damage.Add(CRect(2, 2, 4, 4));  // inside: nothing changes
    EXPECT_EQ(damage.Rects(), std::vector<CRect>{CRect(0, 0, 10, 10)});
    damage.Add(CRect(100, 100, 102, 102));  // another band: kept apart
    damage.Add(CRect(30, 12, 40, 14));      // the first band grows to hold it
    EXPECT_EQ(damage.Rects(), (std::vector<CRect>{CRect(0, 0, 40, 14), CRect(100, 100, 102, 102)}));
    // Across bands, negative rows included: cut at every band's edge.
    damage.Add(CRect(-5, -20, 5, 17));
    EXPECT_EQ(damage.Rects(), (std::vector<CRect>{CRect(-5, -20, 5, -16), CRect(-5, -16, 5, 0), CRect(-5, 0, 40, 16),
                                                  CRect(-5, 16, 5, 17), CRect(100, 100, 102, 102)}));

    damage.Clear();
    EXPECT_TRUE(damage.IsEmpty());
    std::mt19937 random(7);
    std::vector<CRect> added;
    for (int i = 0; i < 2000; ++i) {
        const int x = static_cast<int>(random() % 1900), y = static_cast<int>(random() % 1060);
        added.emplace_back(x, y, x + 1 + static_cast<int>(random() % 20), y + 1 + static_cast<int>(random() % 20));
        damage.Add(added.back());
    }
    // Ordered, each within one band, so disjoint and at most one per band.
    const std::vector<CRect>& rects = damage.Rects();
    EXPECT_LE(rects.size(), 1080u / 16u + 1u);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(rects[i].top / 16, (rects[i].bottom - 1) / 16) << rects[i].top;
        if (i > 0) {
            EXPECT_LE(rects[i - 1].bottom, rects[i].top);
        }
    }
    for (const CRect& r : added) {
        EXPECT_TRUE(Covered(rects, r.left, r.top) && Covered(rects, r.right - 1, r.bottom - 1));
    }
}

TEST(Damage, ChangesFarApartInABandKeepBoxesOfTheirOwn)
{
    CDamage damage(10);
    damage.Add(CRect(0, 0, 5, 5));
    damage.Add(CRect(40, 2, 45, 8));  // 35 apart: a box of its own
    damage.Add(CRect(20, 3, 22, 4));  // 15 and 18 apart: a third
    EXPECT_EQ(damage.Rects(), (std::vector<CRect>{CRect(0, 0, 5, 5), CRect(20, 3, 22, 4), CRect(40, 2, 45, 8)}));
    damage.Add(CRect(100, 20, 101, 21));  // the next band
    damage.Add(CRect(14, 1, 31, 2));      // within the gap of all three: one box
    EXPECT_EQ(damage.Rects(), (std::vector<CRect>{CRect(0, 0, 45, 8), CRect(100, 20, 101, 21)}));
    damage.Add(CRect(-30, 10, -11, 12));  // 11 apart, left of it
    damage.Add(CRect(111, 16, 112, 17));  // exactly the gap apart: joined
    EXPECT_EQ(damage.Rects(), (std::vector<CRect>{CRect(-30, 10, -11, 12), CRect(0, 0, 45, 8), CRect(100, 16, 112, 21)}));

    // Many scattered changes: ordered by band, then left to right more than
    // the gap apart, each within a band, and holding everything added.
    CDamage scattered(CDamage::kSpanJoinGap);
    std::mt19937 random(5);
    std::vector<CRect> added;
    for (int i = 0; i < 3000; ++i) {
        const int x = static_cast<int>(random() % 1900) - 10, y = static_cast<int>(random() % 1060) - 10;
        added.emplace_back(x, y, x + 1 + static_cast<int>(random() % 30), y + 1 + static_cast<int>(random() % 30));
        scattered.Add(added.back());
    }
    const std::vector<CRect>& rects = scattered.Rects();
    const auto band = [](LONG y) { return y >= 0 ? y / 16 : -((-y + 15) / 16); };
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(band(rects[i].top), band(rects[i].bottom - 1)) << i;
        if (i == 0)
            continue;
        if (band(rects[i - 1].top) == band(rects[i].top)) {
            EXPECT_GT(rects[i].left - rects[i - 1].right, CDamage::kSpanJoinGap) << i;
        } else {
            EXPECT_LT(band(rects[i - 1].top), band(rects[i].top)) << i;
        }
    }
    for (const CRect& r : added) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                ASSERT_TRUE(Covered(rects, x, y)) << x << "," << y;
        }
    }
}

TEST(Damage, SurfaceContextRecordsEveryPixelItChanges)
{
    std::mt19937 random(11);
    const std::vector<CRect> clip{CRect(0, 0, 30, 64), CRect(20, 40, 64, 60)};
    for (int width : {0, 1, 2, 3, 7, 15}) {
        CSurface surface(64, 64);
        const CSurface before = surface;
        CDamage damage;
        CSurfaceDC dc(surface, clip);
        dc.SetDamage(&damage);
        CPen pen(PS_INSIDEFRAME, width, RGB(0, 200, 0));
        dc.SelectObject(&pen);
        for (int i = 0; i < 40; ++i) {
            dc.MoveTo(static_cast<int>(random() % 90) - 13, static_cast<int>(random() % 90) - 13);
            dc.LineTo(static_cast<int>(random() % 90) - 13, static_cast<int>(random() % 90) - 13);
        }
        CBrush brush(RGB(1, 2, 3));
        dc.FillRect(CRect(40, 0, 50, 50), &brush);
        dc.SelectObject(static_cast<CPen*>(nullptr));
        ExpectChangesCovered(before, surface, damage.Rects());
        // Nothing is recorded outside the clipping region.
        for (const CRect& r : damage.Rects())
            EXPECT_FALSE(r.IsRectEmpty()) << "width " << width;
        EXPECT_FALSE(Covered(damage.Rects(), 50, 10)) << "width " << width;
    }
}

TEST(Damage, PresentingContextHandsOverTheChangesOnceAtClose)
{
    CSurface surface(40, 30);
    int calls = 0;
    std::vector<CRect> shown;
    const auto presenter = [&](const CSurface& picture, const std::vector<CRect>& changed) {
        EXPECT_EQ(&picture, &surface);
        ++calls;
        shown = changed;
    };
    { CPresentingDC idle(surface, {surface.Bounds()}, presenter); }
    EXPECT_EQ(calls, 0);
    {
        CPresentingDC dc(surface, {CRect(0, 0, 20, 30)}, presenter);
        dc.MoveTo(2, 3);
        dc.LineTo(30, 3);  // clipped at x = 20
        EXPECT_EQ(dc.GetPixel(25, 3), CLR_INVALID);
        EXPECT_EQ(calls, 0);
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(shown, std::vector<CRect>{CRect(2, 3, 20, 4)});
    {
        CPresentingDC paint(surface, {CRect(5, 5, 10, 10)}, presenter);
        paint.MarkChanged(CRect(5, 5, 10, 10));
    }
    EXPECT_EQ(shown, std::vector<CRect>{CRect(5, 5, 10, 10)});
}

}  // namespace
