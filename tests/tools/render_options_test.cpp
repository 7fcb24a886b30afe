#include "render_options.h"

#include <gtest/gtest.h>

namespace {

CRenderOptionsResult Parse(std::vector<std::string> args)
{
    return ParseRenderOptions(args);
}

TEST(RenderOptions, DefaultsDescribeAFullScreenCanvas)
{
    const CRenderOptionsResult r = Parse({});
    ASSERT_TRUE(r.error.empty());
    EXPECT_EQ(r.options.width, 1024);
    EXPECT_EQ(r.options.height, 768);
    EXPECT_FALSE(r.options.screenWidth.has_value());
    EXPECT_FALSE(r.options.seed.has_value());
    EXPECT_EQ(r.options.steps, 1000);
    EXPECT_EQ(r.options.out, "growth.png");
}

TEST(RenderOptions, ReadsEveryOption)
{
    const CRenderOptionsResult r =
        Parse({"--size", "152x112", "--screen", "1920x1080", "--seed", "4294967295", "--steps", "0",
               "--growth-rate", "-20", "--plant-size", "100", "--blank", "1", "--background", "b.png",
               "--out", "o.png", "--trace", "t.txt"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.options.width, 152);
    EXPECT_EQ(r.options.height, 112);
    EXPECT_EQ(*r.options.screenWidth, 1920);
    EXPECT_EQ(*r.options.seed, 4294967295u);
    EXPECT_EQ(r.options.steps, 0);
    EXPECT_EQ(r.options.growthRate, -20);
    EXPECT_EQ(r.options.plantSize, 100);
    EXPECT_EQ(r.options.blank, 1);
    EXPECT_EQ(r.options.background, "b.png");
    EXPECT_EQ(r.options.trace, "t.txt");
}

// Scripts written before the options took the settings' names still work:
// the old names set the same values, and the last one given wins whichever
// name it uses.
TEST(RenderOptions, OlderNamesSetTheSameValues)
{
    const CRenderOptionsResult old = Parse({"--star-speed", "-7", "--star-number", "42"});
    ASSERT_TRUE(old.error.empty()) << old.error;
    EXPECT_EQ(old.options.plantSize, -7);
    EXPECT_EQ(old.options.growthRate, 42);

    const CRenderOptionsResult mixed = Parse({"--plant-size", "1", "--star-speed", "2", "--star-number", "3",
                                              "--growth-rate", "4"});
    ASSERT_TRUE(mixed.error.empty()) << mixed.error;
    EXPECT_EQ(mixed.options.plantSize, 2);
    EXPECT_EQ(mixed.options.growthRate, 4);
}

TEST(RenderOptions, RejectsBadInputWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--size", "0x100"},        {"--size", "16385x10"},  {"--size", "100"},
        {"--size", "10x10x10"},     {"--size", "-5x10"},     {"--size", "axb"},
        {"--screen", "100x0"},      {"--seed", "-1"},        {"--seed", "4294967296"},
        {"--seed", "12abc"},        {"--steps", "-1"},       {"--steps", ""},
        {"--growth-rate", "2147483648"}, {"--plant-size", "1.5"}, {"--blank", "2"},
        {"--star-number", "2147483648"}, {"--star-speed", "1.5"},
        {"--frobnicate", "1"},      {"--size"},              {"stray"},
        {"--out", ""},
        {"--size", " 8x+8"},        {"--size", "8x8 "},      {"--seed", "+5"},
        {"--steps", " 5"},          {"--steps", "\f5"},      {"--steps", "5\n"},
        {"--growth-rate", "--5"},   {"--plant-size", "- 5"}, {"--seed", "-0"},
        {"--star-number", "--5"},   {"--star-speed", "- 5"},
    };
    for (const auto& args : bad) {
        const CRenderOptionsResult r = Parse(args);
        EXPECT_FALSE(r.error.empty()) << args[0] << (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line: " << r.error;
    }
}

}  // namespace
