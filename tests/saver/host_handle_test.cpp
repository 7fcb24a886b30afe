#include "host_handle.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

HWND HandleOf(std::intptr_t value)
{
    return reinterpret_cast<HWND>(value);
}

struct AcceptedCase {
    const char* name;
    const char* text;
    std::intptr_t handle;
};

const AcceptedCase kAccepted[] = {
    {"Plain", "5678", 5678},
    {"LeadingZeros", "007", 7},
    {"LargestPositive", "2147483647", 2147483647},
    // Handles above 0x7FFFFFFF are sign-extended, as the platform widens them.
    {"HighBitSet", "4294906420", static_cast<std::int32_t>(0xFFFF1234u)},
    {"Largest32Bit", "4294967295", -1},
};

class HostHandleAccepts : public testing::TestWithParam<AcceptedCase> {};

TEST_P(HostHandleAccepts, GivesTheHandle)
{
    HWND handle = nullptr;
    ASSERT_TRUE(ParseHostHandle(GetParam().text, &handle));
    EXPECT_EQ(handle, HandleOf(GetParam().handle));
}

INSTANTIATE_TEST_SUITE_P(Numbers, HostHandleAccepts, testing::ValuesIn(kAccepted), CaseName());

struct RejectedCase {
    const char* name;
    const char* text;
};

const RejectedCase kRejected[] = {
    {"Missing", nullptr},
    {"Empty", ""},
    {"Letters", "abc"},
    {"TrailingLetters", "12abc"},
    {"Negative", "-5"},
    {"Plus", "+5"},
    {"LeadingSpace", " 5"},
    {"TrailingSpace", "5 "},
    {"Hexadecimal", "0x1234"},
    {"Zero", "0"},
    {"Beyond32Bits", "4294967296"},
    {"FarBeyond32Bits", "123456789012345678901234567890"},
};

class HostHandleRejects : public testing::TestWithParam<RejectedCase> {};

TEST_P(HostHandleRejects, LeavesTheHandleAlone)
{
    HWND handle = HandleOf(42);
    EXPECT_FALSE(ParseHostHandle(GetParam().text, &handle));
    EXPECT_EQ(handle, HandleOf(42));
}

INSTANTIATE_TEST_SUITE_P(NotHandles, HostHandleRejects, testing::ValuesIn(kRejected), CaseName());

}  // namespace
