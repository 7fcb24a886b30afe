// The growth step: the fork scan, the re-seed's searches and its fallback,
// and the bounds of the slots it touches.
#include "growth/growth_random.h"
#include "growth/growth_state.h"
#include "recording_dc.h"
#include "surface/surface.h"
#include "surface/surface_dc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A seed whose first draw triggers a re-seed (r * 100 > 96).
constexpr std::uint32_t kReseedSeed = 147926525;

std::uint32_t StateAfter(std::uint32_t seed, int draws)
{
    CGrowthRandom twin(seed);
    for (int i = 0; i < draws; ++i)
        twin.Next();
    return twin.State();
}

void Activate(CBranch& b, int x, int y, int angle)
{
    b.m_active = true;
    b.m_x = x;
    b.m_y = y;
    b.m_length = 10;
    b.m_angle = angle;
    b.m_color = 0x205010;
    b.m_penWidth = 2;
    b.m_count = 50;  // any survivor forks: 50 * 40 > 100 * draw
}

class GrowthStep : public ::testing::Test {
protected:
    explicit GrowthStep(int capacity = 4) : m_state(capacity)
    {
        m_state.m_inUse = capacity;
        m_state.m_clientWidth = 100;
        m_state.m_clientHeight = 100;
    }
    CGrowthState m_state;
    CSurface m_black{100, 100, 0};
};

TEST_F(GrowthStep, NewPoolIsAllZero)
{
    for (int i = 0; i < m_state.m_capacity; ++i) {
        const CBranch& b = m_state.m_branches[i];
        EXPECT_FALSE(b.m_active);
        EXPECT_EQ(b.m_x, 0);
        EXPECT_EQ(b.m_y, 0);
        EXPECT_EQ(b.m_penWidth, 0);
    }
}

TEST_F(GrowthStep, AForkFillsEveryFreeSlotFromTheSamePoint)
{
    Activate(m_state.m_branches[3], 50, 60, 70);
    SeedGrowthRandom(200000);
    CRecordingDC dc;
    m_state.Step(dc);

    EXPECT_EQ(dc.m_lines.size(), 1u) << "slots below the parent first grow next step";
    const int angles[] = {82, 56, 48};
    for (int k = 0; k < 3; ++k) {
        const CBranch& b = m_state.m_branches[k];
        EXPECT_TRUE(b.m_active);
        EXPECT_EQ(b.m_x, 53);
        EXPECT_EQ(b.m_y, 51);
        EXPECT_EQ(b.m_length, 8);
        EXPECT_EQ(b.m_color, 0x20501Au);
        EXPECT_EQ(b.m_count, 51);
        EXPECT_EQ(b.m_angle, angles[k]);
        EXPECT_EQ(b.m_penWidth, 0) << "a never-used slot keeps its initial width";
    }
    EXPECT_EQ(m_state.m_branches[3].m_penWidth, 1);
    EXPECT_EQ(GrowthRandom().State(), 681333768u);
}

TEST_F(GrowthStep, ASecondForkInThePassFindsNoFreeSlot)
{
    m_state.m_branches[0].m_penWidth = 5;
    m_state.m_branches[1].m_penWidth = 6;
    Activate(m_state.m_branches[2], 50, 60, 70);
    Activate(m_state.m_branches[3], 20, 30, 110);
    SeedGrowthRandom(200003);
    CRecordingDC dc;
    m_state.Step(dc);

    EXPECT_EQ(m_state.m_branches[0].m_x, 53) << "taken by the first fork";
    EXPECT_EQ(m_state.m_branches[1].m_x, 53);
    EXPECT_EQ(m_state.m_branches[0].m_penWidth, 5) << "a reused slot keeps its last width";
    EXPECT_EQ(m_state.m_branches[1].m_penWidth, 6);
    EXPECT_EQ(m_state.m_branches[3].m_x, 17);
    EXPECT_EQ(m_state.m_branches[3].m_penWidth, 1) << "the second parent still narrows";
    EXPECT_EQ(GrowthRandom().State(), 3043960460u);
}

// Slot 0 is free from the start, slot 1 dies before the fork of slot 2,
// slot 3 dies after it; slot 4, free at the start, is taken by that fork,
// grows later in the same pass and forks in turn.
class GrowthStepFiveSlots : public GrowthStep {
protected:
    GrowthStepFiveSlots() : GrowthStep(5) {}
};

TEST_F(GrowthStepFiveSlots, AForkTakesFreeAndNewlyFreedSlotsInIndexOrder)
{
    CBranch* b = m_state.m_branches.get();
    Activate(b[1], 10, 10, 70);
    b[1].m_length = 2;  // shrinks to 1: dies after this segment
    Activate(b[2], 50, 60, 70);
    b[2].m_count = 3;  // a survivor always forks
    Activate(b[3], 30, 30, 70);
    b[3].m_length = 2;
    SeedGrowthRandom(200003);
    CRecordingDC dc;
    m_state.Step(dc);

    // The first fork: the free slot, the one that died before it, and the
    // free slot above the parent, with directions drawn in that order.
    for (int k : {0, 1}) {
        EXPECT_TRUE(b[k].m_active);
        EXPECT_EQ(b[k].m_x, 53);
        EXPECT_EQ(b[k].m_y, 51);
        EXPECT_EQ(b[k].m_count, 4);
    }
    EXPECT_EQ(b[0].m_angle, 36);
    EXPECT_EQ(b[1].m_angle, 100);
    // Slot 4 grew from there in the same pass and forked into slot 3, which
    // had died after the first fork.
    EXPECT_EQ(dc.m_lines.size(), 4u);
    EXPECT_TRUE(b[3].m_active);
    EXPECT_EQ(b[3].m_x, b[4].m_x);
    EXPECT_EQ(b[3].m_y, b[4].m_y);
    EXPECT_EQ(b[3].m_count, 5);
    EXPECT_EQ(b[4].m_x, 52);
    EXPECT_EQ(b[4].m_y, 43);
    EXPECT_EQ(GrowthRandom().State(), 178268372u);
}

TEST_F(GrowthStep, NoSlotsInUseStillDrawsTheReseedNumber)
{
    for (int inUse : {0, -5}) {
        m_state.m_inUse = inUse;
        Activate(m_state.m_branches[0], 50, 60, 70);
        SeedGrowthRandom(kReseedSeed);
        CRecordingDC dc;
        m_state.Step(dc);
        EXPECT_TRUE(dc.m_lines.empty());
        EXPECT_EQ(dc.m_reads, 0);
        EXPECT_EQ(GrowthRandom().State(), StateAfter(kReseedSeed, 1));
    }
}

TEST_F(GrowthStep, NeverTouchesSlotsBeyondThePool)
{
    m_state.m_inUse = 1000;
    SeedGrowthRandom(kReseedSeed);
    CSurfaceDC dc(m_black);
    m_state.Step(dc);  // would run past the pool if the count were trusted
    for (int i = 0; i < m_state.m_capacity; ++i)
        EXPECT_TRUE(m_state.m_branches[i].m_active);
}

struct ReseedCase {
    const char* name;
    int x, y;
    COLORREF fill;
    int expectedX, expectedY, draws;
};

// One slot on a 100 x 100 client (height below 200: reset length 0).
TEST(GrowthReseed, SearchesNearInsideTipsAndTheWholeAreaForOthers)
{
    const ReseedCase cases[] = {
        {"black interior: all near probes fail, unprobed fallback", 50, 50, 0, 24, 69, 1 + 5 + 120 + 2},
        {"tip at the origin: a probe off the window reads invalid and passes", 0, 0, 0, -10, 11, 1 + 5 + 2},
        {"tip outside: the whole-area search never probes outside", -5, 50, 0, 24, 69, 1 + 5 + 120 + 2},
        {"white: the first probe passes", 50, 50, 0xFFFFFF, 40, 61, 1 + 5 + 2},
    };
    for (const ReseedCase& c : cases) {
        CGrowthState state(1);
        state.m_inUse = 1;
        state.m_clientWidth = 100;
        state.m_clientHeight = 100;
        state.m_branches[0].m_x = c.x;
        state.m_branches[0].m_y = c.y;
        CSurface surface(100, 100, c.fill);
        CSurfaceDC dc(surface);
        SeedGrowthRandom(kReseedSeed);
        state.Step(dc);
        const CBranch& b = state.m_branches[0];
        EXPECT_TRUE(b.m_active) << c.name;
        EXPECT_EQ(b.m_x, c.expectedX) << c.name;
        EXPECT_EQ(b.m_y, c.expectedY) << c.name;
        EXPECT_EQ(b.m_penWidth, 2) << c.name;
        EXPECT_EQ(GrowthRandom().State(), StateAfter(kReseedSeed, c.draws)) << c.name;
    }
}

// Probes every point, as a context that knows nothing of its picture.
class CProbingDC : public CDC {
public:
    explicit CProbingDC(CDC& target) : m_target(target) {}
    CPen* SelectObject(CPen* pen) override { return m_target.SelectObject(pen); }
    CBrush* SelectObject(CBrush* brush) override { return m_target.SelectObject(brush); }
    CPoint MoveTo(int x, int y) override { return m_target.MoveTo(x, y); }
    BOOL LineTo(int x, int y) override { return m_target.LineTo(x, y); }
    COLORREF GetPixel(int x, int y) const override { return m_target.GetPixel(x, y); }
    void FillRect(const RECT& rect, CBrush* brush) override { m_target.FillRect(rect, brush); }

private:
    CDC& m_target;
};

// Re-seeds that skip the probes of dark parts place every tip, and leave
// the generator, exactly where probing each point does: pictures of bright
// spots on black under clip lists, tips inside, at the edges and outside.
TEST(GrowthReseed, SkippingDarkPartsPlacesTipsAsProbingEveryPoint)
{
    CGrowthRandom dice(20261209);
    const auto below = [&dice](int n) { return dice.Next() % n; };
    for (int round = 0; round < 40; ++round) {
        CSurface picture(120, 90, 0);
        for (int spot = below(4); spot > 0; --spot) {
            const int x = below(120), y = below(90);
            CSurfaceDC(picture).FillRect(CRect(x, y, x + 1 + below(6), y + 1 + below(6)), nullptr);  // white
        }
        std::vector<CRect> clip = {CRect(0, 0, 120, 90)};
        if (round % 3 == 1)
            clip = {CRect(0, 0, 70, 90), CRect(70, 20, 120, 60)};
        CSurface probed = picture;
        CGrowthState skipping(8), probing(8);
        for (CGrowthState* state : {&skipping, &probing}) {
            state->m_inUse = 8;
            state->m_clientWidth = 120;
            state->m_clientHeight = 90;
        }
        for (int i = 0; i < 8; ++i) {
            const int x = below(140) - 10, y = below(110) - 10;
            skipping.m_branches[i].m_x = probing.m_branches[i].m_x = x;
            skipping.m_branches[i].m_y = probing.m_branches[i].m_y = y;
        }
        CSurfaceDC skippingDC(picture, clip);
        SeedGrowthRandom(kReseedSeed);
        skipping.Step(skippingDC);
        const std::uint32_t afterSkipping = GrowthRandom().State();
        CSurfaceDC probedDC(probed, clip);
        CProbingDC probingDC(probedDC);
        SeedGrowthRandom(kReseedSeed);
        probing.Step(probingDC);
        ASSERT_EQ(afterSkipping, GrowthRandom().State()) << "round " << round;
        for (int i = 0; i < 8; ++i) {
            ASSERT_EQ(skipping.m_branches[i].m_x, probing.m_branches[i].m_x) << "round " << round << " slot " << i;
            ASSERT_EQ(skipping.m_branches[i].m_y, probing.m_branches[i].m_y) << "round " << round << " slot " << i;
        }
    }
}

TEST(GrowthReseed, RestartsASlotThatIsStillGrowing)
{
    CGrowthState state(1);
    state.m_inUse = 1;
    state.m_clientWidth = 100;
    state.m_clientHeight = 100;
    CBranch& b = state.m_branches[0];
    b.m_active = true;
    b.m_x = 50;
    b.m_y = 50;
    b.m_length = 1;
    b.m_angle = 60;
    b.m_color = 0x102030;
    b.m_penWidth = 1;
    b.m_count = 7;
    CSurface surface(100, 100, 0xFFFFFF);
    CSurfaceDC dc(surface);
    SeedGrowthRandom(kReseedSeed);
    state.Step(dc);
    // The segment of length 1 kills the branch; the re-seed draw of this
    // seed then comes out below the bar.
    EXPECT_FALSE(b.m_active);
    EXPECT_EQ(b.m_count, 8);
}

TEST(GrowthReseed, ThresholdFallsFromEEEEEEByTwoPerChannel)
{
    EXPECT_EQ(CGrowthState::ProbeThreshold(0), 0xEEEEEEu);
    EXPECT_EQ(CGrowthState::ProbeThreshold(1), 0xECECECu);
    EXPECT_EQ(CGrowthState::ProbeThreshold(59), 0xEEEEEEu - 59u * 0x020202u);
    // Every branch colour (blue byte below 40) and black fail the last bar.
    EXPECT_LT(0x27FFFFu, CGrowthState::ProbeThreshold(59));
}

}  // namespace
