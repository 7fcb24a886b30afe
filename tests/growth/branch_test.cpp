// CBranch against values worked out by hand from known generator states.
#include "growth/branch.h"
#include "growth/growth_random.h"
#include "recording_dc.h"

#include <gtest/gtest.h>

namespace {

// The generator's state after `draws` numbers from `seed`.
std::uint32_t StateAfter(std::uint32_t seed, int draws)
{
    CGrowthRandom twin(seed);
    for (int i = 0; i < draws; ++i)
        twin.Next();
    return twin.State();
}

CBranch MakeBranch(int x, int y, int length, int angle, std::uint32_t color, int width, int count)
{
    CBranch b;
    b.m_active = true;
    b.m_x = x;
    b.m_y = y;
    b.m_length = length;
    b.m_angle = angle;
    b.m_color = color;
    b.m_penWidth = width;
    b.m_count = count;
    return b;
}

TEST(BranchReset, LargeCanvasDrawsFiveNumbersAndKeepsTipAndFlag)
{
    CBranch b;
    b.m_x = 7;
    b.m_y = 9;
    b.m_penWidth = 1;
    b.m_count = 33;
    SeedGrowthRandom(12345);
    b.Reset(768, 1.0, false);
    EXPECT_EQ(b.m_length, 3);
    EXPECT_EQ(b.m_angle, 100);
    EXPECT_EQ(b.m_color, 0x1B9A07u);
    EXPECT_EQ(b.m_penWidth, 2);
    EXPECT_EQ(b.m_count, 0);
    EXPECT_EQ(b.m_x, 7);
    EXPECT_EQ(b.m_y, 9);
    EXPECT_FALSE(b.m_active);
    EXPECT_EQ(GrowthRandom().State(), StateAfter(12345, 5));
}

TEST(BranchReset, SizeFactorScalesTheLength)
{
    CBranch b;
    SeedGrowthRandom(12345);
    b.Reset(768, 6.0, false);
    EXPECT_EQ(b.m_length, 19);
}

TEST(BranchReset, SmallCanvasReplacesTheLengthAndDrawsSix)
{
    CBranch b;
    SeedGrowthRandom(12345);
    b.Reset(768, 1.0, true);
    EXPECT_EQ(b.m_length, 4);
    EXPECT_EQ(b.m_angle, 124);
    EXPECT_EQ(b.m_color, 0x07891Cu);
    EXPECT_EQ(GrowthRandom().State(), StateAfter(12345, 6));
}

TEST(BranchReset, ShortClientsGiveFixedOrZeroLengths)
{
    CBranch b;
    for (std::uint32_t seed : {1u, 99u, 123456u}) {
        SeedGrowthRandom(seed);
        b.Reset(599, 1.0, false);  // 599/600 = 0: only 599/200 = 2 counts
        EXPECT_EQ(b.m_length, 2);
        b.Reset(199, 1.0, false);
        EXPECT_EQ(b.m_length, 0);
        b.Reset(768, 0.0, false);  // plant size -20
        EXPECT_EQ(b.m_length, 0);
    }
}

TEST(BranchGrow, DrawsTheSegmentWithAnInsideFramePenAndRestoresThePrevious)
{
    CRecordingDC dc;
    CPen before(PS_SOLID, 1, 0);
    dc.SelectObject(&before);
    CBranch b = MakeBranch(100, 100, 10, 60, 0x2A8010, 2, 1);
    SeedGrowthRandom(100000);
    EXPECT_TRUE(b.Grow(dc));

    ASSERT_EQ(dc.m_lines.size(), 1u);
    const CRecordedLine& line = dc.m_lines[0];
    EXPECT_EQ(line.x0, 100);
    EXPECT_EQ(line.y0, 100);
    EXPECT_EQ(line.x1, 105);  // 100 + 10 cos 60
    EXPECT_EQ(line.y1, 91);   // 100 - 10 sin 60 = 91.34
    EXPECT_EQ(line.pen.style, PS_INSIDEFRAME);
    EXPECT_EQ(line.pen.width, 2);
    EXPECT_EQ(line.pen.color, 0x2A8010u);
    EXPECT_EQ(dc.m_pen, &before);

    EXPECT_EQ(b.m_x, 105);
    EXPECT_EQ(b.m_y, 91);
    EXPECT_EQ(b.m_length, 8);        // trunc(10 * 0.85)
    EXPECT_EQ(b.m_color, 0x2A801Du); // 2785296 + 13
    EXPECT_EQ(b.m_angle, 38);        // bent by 22 towards 0
    EXPECT_EQ(b.m_count, 2);
    EXPECT_EQ(b.m_penWidth, 1);      // the fork narrows the pen
    EXPECT_TRUE(b.m_active);
    EXPECT_EQ(GrowthRandom().State(), StateAfter(100000, 4));
}

struct GrowOutcome {
    const char* name;
    std::uint32_t seed;
    int angle, width;
    bool active, forks;
    int expectedAngle, expectedWidth, draws;
};

TEST(BranchGrow, SurvivesForksOrDiesAsTheDrawsDecide)
{
    const GrowOutcome cases[] = {
        {"forks", 100000, 60, 2, true, true, 38, 1, 4},
        {"lives without forking", 100002, 60, 2, true, false, 48, 2, 4},
        {"dies of age", 100094, 60, 2, false, false, 43, 2, 3},
        {"exactly upright bends towards smaller angles", 100000, 90, 2, true, true, 68, 1, 4},
        {"a fork never lowers a width of 0 below 1", 100000, 60, 0, true, true, 38, 1, 4},
        {"a fork at width 1 stays at 1", 100000, 60, 1, true, true, 38, 1, 4},
    };
    for (const GrowOutcome& c : cases) {
        CRecordingDC dc;
        CBranch b = MakeBranch(100, 100, 10, c.angle, 0x2A8010, c.width, 1);
        SeedGrowthRandom(c.seed);
        EXPECT_EQ(b.Grow(dc), c.forks) << c.name;
        EXPECT_EQ(b.m_active, c.active) << c.name;
        EXPECT_EQ(b.m_angle, c.expectedAngle) << c.name;
        EXPECT_EQ(b.m_penWidth, c.expectedWidth) << c.name;
        EXPECT_EQ(GrowthRandom().State(), StateAfter(c.seed, c.draws)) << c.name;
    }
}

TEST(BranchGrow, LeaningLeftBendsFurtherLeft)
{
    CRecordingDC dc;
    CBranch b = MakeBranch(10, 10, 5, 100, 0xFFFFFF, 1, 3);
    SeedGrowthRandom(100001);
    EXPECT_TRUE(b.Grow(dc));
    EXPECT_EQ(b.m_angle, 102);
    EXPECT_EQ(b.m_x, 9);
    EXPECT_EQ(b.m_y, 5);
    EXPECT_EQ(b.m_length, 4);
    EXPECT_EQ(b.m_color, 0x1000052u);  // 16777215 grows by 83 and carries into blue
}

TEST(BranchGrow, DeathsThatNoDrawCanPrevent)
{
    struct Case {
        const char* name;
        int length, angle, count;
    };
    const Case cases[] = {
        {"count reaching 100 dies of age", 10, 60, 99},
        {"segment shrinking to 1 dies", 2, 60, 0},
        {"direction beyond 120 dies", 10, 121, 0},
        {"direction of 150 dies", 10, 150, 0},
        {"direction below 30 dies", 10, 29, 0},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed : {1u, 100000u, 2654435761u, 987654321u}) {
            CRecordingDC dc;
            CBranch b = MakeBranch(0, 0, c.length, c.angle, 0x2A8010, 2, c.count);
            SeedGrowthRandom(seed);
            EXPECT_FALSE(b.Grow(dc)) << c.name;
            EXPECT_FALSE(b.m_active) << c.name;
            EXPECT_EQ(dc.m_lines.size(), 1u) << c.name << ": the segment is drawn first";
            EXPECT_EQ(GrowthRandom().State(), StateAfter(seed, 3)) << c.name << ": no fork draw";
        }
    }
}

TEST(BranchGrow, ColourCreepsByFiveMillionthsOfItsValue)
{
    struct Case {
        std::uint32_t before, after;
    };
    const Case cases[] = {
        {0x00FF40, 0x00FF40},  // blue byte 0: below 200000, never changes
        {0x02B827, 0x02B827},  // blue byte 2 still below
        {0x27B827, 0x27B834},  // the largest reset colour grows by 13
        {0xFFFFFFFF, 0x000053E1},  // past 2^32 only the low 32 bits stay
    };
    for (const Case& c : cases) {
        CRecordingDC dc;
        CBranch b = MakeBranch(0, 0, 10, 60, c.before, 2, 0);
        SeedGrowthRandom(7);
        b.Grow(dc);
        EXPECT_EQ(b.m_color, c.after) << std::hex << c.before;
    }
}

}  // namespace
