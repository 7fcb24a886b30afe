// The settings file's text: finding values, editing one while keeping
// every other line, and reading integers strictly.
#include "profile_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ProfileText, FindsTheFirstValueOfTheSection)
{
    const std::string text =
        "stray=1\n"
        "[Other]\n"
        "Star Speed=2\n"
        "[config]\r\n"
        "star speed=30\r\n"
        "Star Speed=31\n"
        "[Config]\n"
        "Resolution=4\n";
    const struct {
        const char* section;
        const char* name;
        std::optional<std::string> expected;
    } cases[] = {
        {"Config", "Star Speed", "30"},  // case-insensitive, CR ignored
        {"Config", "Resolution", "4"},   // a repeated section is searched too
        {"Other", "Star Speed", "2"},
        {"Config", "stray", std::nullopt},  // lines before any section belong to none
        {"Config", "Star", std::nullopt},
        {"Missing", "Star Speed", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.name);
        EXPECT_EQ(FindProfileValue(text, c.section, c.name), c.expected);
    }
}

TEST(ProfileText, SettingAValueKeepsEveryOtherLine)
{
    const struct {
        const char* name;
        const char* before;
        const char* after;
    } cases[] = {
        {"empty file", "", "[Config]\nSpeed=7\n"},
        {"new section after others", "[Other]\nx=1", "[Other]\nx=1\n\n[Config]\nSpeed=7\n"},
        {"replaces the first occurrence only", "[Config]\nspeed=1\nSpeed=2\n", "[Config]\nSpeed=7\nSpeed=2\n"},
        {"added after the section's last value", "[Config]\na=1\n\n[Other]\nSpeed=1\n",
         "[Config]\na=1\nSpeed=7\n\n[Other]\nSpeed=1\n"},
        {"malformed neighbours are kept", "[Config]\nBlankscr=yes\n# note\n",
         "[Config]\nBlankscr=yes\n# note\nSpeed=7\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SetProfileValue(c.before, "Config", "Speed", "7"), c.after);
    }
}

TEST(ProfileText, IntegersAreStrictDecimal32Bit)
{
    const struct {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0},
        {"-20", -20},
        {"007", 7},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"0x10", std::nullopt},
        {"12abc", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseProfileInt(c.text), c.expected);
    }
}

}  // namespace
