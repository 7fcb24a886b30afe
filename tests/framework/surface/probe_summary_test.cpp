// The surface's summary of bright pixels, which answers the growth's probes:
// after each kind of write it agrees with direct reads, and a picture with
// nothing above the bar is answered from the summary alone.
#include "pixel_picture.h"
#include "surface/surface_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kSide = 37;  // not a whole number of blocks
constexpr COLORREF kBright = RGB(255, 255, 255);
constexpr COLORREF kJustAbove = CSurface::kSummaryBar + 1;
constexpr COLORREF kBranch = RGB(39, 184, 39);

// Every pixel of the surface, and a rim around it, at bars on either side
// of the summary's: PixelAbove must equal a read compared with the bar.
void ExpectAgreesWithReads(const CSurface& surface, const char* name)
{
    const CSurfaceDC dc(const_cast<CSurface&>(surface));
    const COLORREF bars[] = {CSurface::kSummaryBar - 1, CSurface::kSummaryBar, 0x00EEEEEE};
    for (const COLORREF bar : bars) {
        for (int y = -1; y <= surface.Height(); ++y) {
            for (int x = -1; x <= surface.Width(); ++x)
                ASSERT_EQ(dc.PixelAbove(x, y, bar), dc.GetPixel(x, y) > bar) << name << " at " << x << "," << y;
        }
    }
}

// A box said to hold nothing above the bar holds no point that PixelAbove
// passes, for boxes all over the surface and its rim, under two clip lists.
void ExpectBoxesAgreeWithReads(const CSurface& surface, const char* name)
{
    const std::vector<CRect> clips[] = {{surface.Bounds()}, {CRect(0, 0, 20, 37), CRect(20, 5, 37, 30)}};
    for (const std::vector<CRect>& clip : clips) {
        const CSurfaceDC dc(const_cast<CSurface&>(surface), clip);
        for (int top = -1; top < surface.Height(); top += 3) {
            for (int left = -1; left < surface.Width(); left += 4) {
                const CRect box(left, top, left + 1 + (left + top) % 13, top + 1 + left % 9);
                if (!dc.NoneAbove(box, CSurface::kSummaryBar))
                    continue;
                for (int y = box.top; y < box.bottom; ++y) {
                    for (int x = box.left; x < box.right; ++x)
                        ASSERT_FALSE(dc.PixelAbove(x, y, CSurface::kSummaryBar)) << name << " at " << x << "," << y;
                }
            }
        }
    }
}

int BlocksThatMayBeAbove(const CSurface& surface)
{
    int count = 0;
    for (int y = 0; y < surface.Height(); y += CSurface::kBlockSide) {
        for (int x = 0; x < surface.Width(); x += CSurface::kBlockSide)
            count += surface.MayBeAbove(x, y) ? 1 : 0;
    }
    return count;
}

void Fill(CSurface& surface, COLORREF color, const CRect& rect, std::vector<CRect> clip)
{
    CSurfaceDC dc(surface, std::move(clip));
    CBrush brush(color);
    dc.FillRect(rect, &brush);
}

struct CSummaryCase {
    const char* name;
    COLORREF start;
    std::function<void(CSurface&)> write;
};

TEST(ProbeSummary, AgreesWithReadsAfterEveryKindOfWrite)
{
    const CSummaryCase cases[] = {
        {"black", 0, [](CSurface&) {}},
        {"white", kBright, [](CSurface&) {}},
        {"a bright thin line", 0, [](CSurface& s) { DrawSegment(s, kJustAbove, 1, 3, 30, 33, 2); }},
        {"a bright wide line off the edge", 0, [](CSurface& s) { DrawSegment(s, kBright, 5, -3, 20, 40, 35); }},
        {"branches over white", kBright,
         [](CSurface& s) {
             for (int y = 0; y < kSide; ++y)
                 DrawSegment(s, kBranch, 2, 0, y, kSide, y);
         }},
        {"a bright fill in a clip", 0, [](CSurface& s) { Fill(s, kBright, CRect(0, 0, 30, 30), {CRect(9, 9, 12, 40)}); }},
        {"a dark fill over white", kBright, [](CSurface& s) { Fill(s, 0, CRect(2, 2, 35, 35), {s.Bounds()}); }},
        {"one pixel set", 0, [](CSurface& s) { s.Set(36, 36, kJustAbove); }},
        {"a row written", 0, [](CSurface& s) { s.WordRow(17)[20] = CSurface::WordOf(kBright); }},
        // The summary answers for colours, not words: a word above the bar
        // can be a colour below it, and the other way round.
        {"a word bright only as a word", 0, [](CSurface& s) { s.WordRow(3)[4] = CSurface::WordOf(RGB(255, 0, 0)); }},
        {"a word bright only as a colour", 0, [](CSurface& s) { s.WordRow(9)[4] = CSurface::WordOf(RGB(0, 0, 0x79)); }},
        {"words copied in, as a capture", 0,
         [](CSurface& s) {
             for (int y = 6; y < 26; ++y)
                 std::fill_n(s.WordRow(y) + 5, 20, 0x00FFEEDDu);
         }},
        {"resized white", 0, [](CSurface& s) { s.Resize(20, 9, kBright); }},
        {"the bar itself", CSurface::kSummaryBar, [](CSurface&) {}},
    };
    for (const CSummaryCase& c : cases) {
        CSurface surface(kSide, kSide, c.start);
        surface.MayBeAbove(0, 0);  // the summary exists before the write
        c.write(surface);
        ExpectAgreesWithReads(surface, c.name);
        ExpectBoxesAgreeWithReads(surface, c.name);
    }
}

// A surface whose rows were handed out since its summary was last built: its
// summary no longer describes its pixels.
CSurface StaleBrightSurface()
{
    CSurface surface(kSide, kSide, 0);
    surface.MayBeAbove(0, 0);  // built while all black
    surface.WordRow(30)[33] = CSurface::WordOf(kBright);
    return surface;
}

// Copies and moves carry the staleness with the pixels: a copy that took the
// old summary as current would call the bright block clear.
TEST(ProbeSummary, CopiesOfAStaleSurfaceAgreeWithReads)
{
    const CSurface original = StaleBrightSurface();
    const CSurface copied(original);
    ExpectAgreesWithReads(copied, "copy-constructed");

    CSurface assigned(kSide + 8, 3, kBright);
    assigned.MayBeAbove(0, 0);
    assigned = original;
    ExpectAgreesWithReads(assigned, "copy-assigned over a fresh summary");

    const CSurface moved(StaleBrightSurface());
    ExpectAgreesWithReads(moved, "move-constructed");

    CSurface moveAssigned(kSide, kSide, 0);
    moveAssigned.MayBeAbove(0, 0);
    moveAssigned = StaleBrightSurface();
    ExpectAgreesWithReads(moveAssigned, "move-assigned over a fresh summary");

    // The original, read only now, was not made current by its copies.
    ExpectAgreesWithReads(original, "the original after being copied");
}

TEST(ProbeSummary, DarkPicturesAreAnsweredWithoutReadingPixels)
{
    CSurface surface(kSide, kSide, kBright);
    Fill(surface, RGB(120, 120, 120), surface.Bounds(), {surface.Bounds()});
    DrawSegment(surface, kBranch, 3, 0, 0, kSide, kSide);
    // Dark writes over bright blocks leave them marked until the summary is
    // rebuilt, which a writer handing out rows asks for.
    EXPECT_GT(BlocksThatMayBeAbove(surface), 0);
    surface.WordRow(0);
    EXPECT_EQ(BlocksThatMayBeAbove(surface), 0);
    // One bright pixel marks exactly its block.
    DrawSegment(surface, kJustAbove, 1, 20, 20, 21, 20);
    EXPECT_EQ(BlocksThatMayBeAbove(surface), 1);
    EXPECT_TRUE(surface.MayBeAbove(23, 23));
    EXPECT_FALSE(surface.MayBeAbove(24, 20));
}

TEST(ProbeSummary, DarkBoxesInsideTheClipAreKnownAtOnce)
{
    CSurface surface(kSide, kSide, 0);
    const CSurfaceDC whole(surface);
    EXPECT_TRUE(whole.NoneAbove(surface.Bounds(), CSurface::kSummaryBar));
    // Bars below the summary's are not known; nor is an empty box.
    EXPECT_FALSE(whole.NoneAbove(surface.Bounds(), CSurface::kSummaryBar - 1));
    EXPECT_FALSE(whole.NoneAbove(CRect(5, 5, 5, 9), CSurface::kSummaryBar));
    // A point outside the clip reads CLR_INVALID, above every bar.
    EXPECT_FALSE(whole.NoneAbove(CRect(-1, 0, 4, 4), CSurface::kSummaryBar));
    const CSurfaceDC clipped(surface, {CRect(0, 0, 16, 37), CRect(16, 0, 37, 37)});
    EXPECT_TRUE(clipped.NoneAbove(CRect(2, 2, 14, 30), CSurface::kSummaryBar));
    EXPECT_FALSE(clipped.NoneAbove(CRect(10, 2, 20, 30), CSurface::kSummaryBar));  // held by the union only

    DrawSegment(surface, kJustAbove, 1, 20, 20, 21, 20);
    EXPECT_FALSE(whole.NoneAbove(CRect(18, 18, 22, 22), CSurface::kSummaryBar));
    EXPECT_TRUE(whole.NoneAbove(CRect(0, 0, 16, 16), CSurface::kSummaryBar));
    // A rebuilt summary forgets a bright pixel painted over.
    DrawSegment(surface, 0, 1, 20, 20, 21, 20);
    surface.WordRow(0);
    EXPECT_TRUE(whole.NoneAbove(surface.Bounds(), CSurface::kSummaryBar));
}

}  // namespace
