#include "growth_app.h"

#include "case_name.h"

#include <gtest/gtest.h>

namespace {

struct ModeCase {
    const char* name;
    const char* text;  // nullptr: no argument at all
    SaverMode mode;
};

const ModeCase kModeCases[] = {
    {"SlashC", "/c", SaverMode::Configure},
    {"DashUpperC", "-C", SaverMode::Configure},
    {"BareC", "c", SaverMode::Configure},
    {"NumberAfterColonIgnored", "/c:1234", SaverMode::Configure},
    {"WordConfig", "/config", SaverMode::Configure},
    {"DashSetupIsRun", "-Setup", SaverMode::Run},
    {"SlashS", "/s", SaverMode::Run},
    {"BareUpperS", "S", SaverMode::Run},
    {"SlashP", "/p", SaverMode::Preview},
    {"PreviewWithColonHandle", "/p:5678", SaverMode::Preview},
    {"DashUpperP", "-P", SaverMode::Preview},
    {"SlashA", "/a", SaverMode::None},
    {"SlashX", "/x", SaverMode::None},
    {"OnlyOneSlashSkipped", "//s", SaverMode::None},
    {"DashThenSlash", "-/s", SaverMode::None},
    {"LoneSlash", "/", SaverMode::None},
    {"LoneDash", "-", SaverMode::None},
    {"Empty", "", SaverMode::None},
    {"NoText", nullptr, SaverMode::None},
    // The C runtime hands over a quoted argument without its quotes, but an
    // argument that still starts with white space or a quote is no switch.
    {"LeadingSpace", " /s", SaverMode::None},
    {"LeadingQuote", "\"/s\"", SaverMode::None},
};

class SaverModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(SaverModeTest, ReadsTheSwitch)
{
    EXPECT_EQ(CGrowthApp::GetSaverMode(GetParam().text), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SaverModeTest, testing::ValuesIn(kModeCases), CaseName());

}  // namespace
