// The Wayland port's pieces that need no compositor: the damage a commit
// hands on, and the keys of the seat.
#include "wayland_seat.h"
#include "wayland_surface_damage.h"

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

namespace {

bool Covers(const std::vector<CRect>& boxes, const CRect& rect)
{
    for (const CRect& box : boxes) {
        if (box.left <= rect.left && box.top <= rect.top && box.right >= rect.right && box.bottom >= rect.bottom)
            return true;
    }
    return false;
}

TEST(WaylandDamage, FewRectanglesGoAsTheyAre)
{
    const std::vector<CRect> rects = {CRect(0, 0, 5, 5), CRect(100, 0, 110, 16), CRect(3, 16, 9, 30)};
    EXPECT_EQ(MergeDamage(rects), rects);
}

// Scattered strokes over a whole 1080-line screen, 3 per band: far more
// than a compositor takes separately. Each one stays covered, the boxes
// are few, and they cover far less than the screen.
TEST(WaylandDamage, ManyRectanglesBecomeFewBoxesCoveringEveryOne)
{
    std::vector<CRect> rects;
    for (LONG band = 0; band < 1080 / 16; ++band) {
        for (LONG i = 0; i < 3; ++i) {
            const LONG x = (band * 97 + i * 631) % 1900;
            rects.push_back(CRect(x, band * 16 + 2, x + 12, band * 16 + 9));
        }
    }
    const std::vector<CRect> boxes = MergeDamage(rects);
    EXPECT_LE(boxes.size(), kMaxDamageBoxes);
    for (const CRect& rect : rects)
        EXPECT_TRUE(Covers(boxes, rect)) << rect.left << "," << rect.top;
    long long area = 0;
    for (const CRect& box : boxes)
        area += static_cast<long long>(box.Width()) * box.Height();
    EXPECT_LE(area, 1920LL * 1080);
}

TEST(WaylandDamage, ExactlyTheLimitIsKept)
{
    std::vector<CRect> rects;
    for (LONG i = 0; i < static_cast<LONG>(kMaxDamageBoxes) + 1; ++i)
        rects.push_back(CRect(0, i * 16, 4, i * 16 + 4));
    const std::vector<CRect> limit(rects.begin(), rects.end() - 1);
    EXPECT_EQ(MergeDamage(limit), limit);
    EXPECT_LE(MergeDamage(rects).size(), kMaxDamageBoxes);
}

// The codes of a US keyboard's letters lie in three runs that are not
// alphabetical; the keys the settings window uses have their codes.
TEST(WaylandSeat, KeyCodesBecomeTheirVirtualKeys)
{
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_A), static_cast<UINT>('A'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_Q), static_cast<UINT>('Q'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_P), static_cast<UINT>('P'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_L), static_cast<UINT>('L'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_M), static_cast<UINT>('M'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_1), static_cast<UINT>('1'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_9), static_cast<UINT>('9'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_0), static_cast<UINT>('0'));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_TAB), static_cast<UINT>(VK_TAB));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_ENTER), static_cast<UINT>(VK_RETURN));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_RIGHTSHIFT), static_cast<UINT>(VK_SHIFT));
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_PAGEDOWN), static_cast<UINT>(VK_NEXT));
    // A key with no virtual key still ends a full-screen window (key 0).
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_F5), 0u);
    EXPECT_EQ(VirtualKeyOfKeyCode(KEY_MINUS), 0u);
}

}  // namespace
