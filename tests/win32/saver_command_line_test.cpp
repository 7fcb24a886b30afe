// verdane.scr started with command lines that ask for nothing it can do:
// each must end at once, cleanly, without showing a window.
#include "case_name.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Starting a process under Wine takes a moment; "at once" is well within this.
constexpr DWORD kEndsAtOnceMs = 15000;

struct CommandLineCase {
    const char* name;
    const char* arguments;
};

const CommandLineCase kEndsAtOnce[] = {
    {"UnknownSwitchA", "/a"},
    {"UnknownSwitchX", "/x"},
    {"OnlyOneSlashSkipped", "//s"},
    {"EmptyArgument", "\"\""},
    {"QuotedUnknownSwitch", "\"/x\""},
    {"SpacesAroundUnknownSwitch", "   /a   "},
    {"PreviewWithoutHandle", "/p"},
    {"PreviewHandleAfterColon", "/p:5678"},
    {"PreviewHandleLetters", "/p abc"},
    {"PreviewHandleWithTrailingLetters", "/p 65552abc"},
    {"PreviewHandleZero", "/p 0"},
    {"PreviewHandleQuotedWithSpace", "/p \"65552 1\""},
};

class SaverEndsAtOnce : public testing::TestWithParam<CommandLineCase> {};

void ExpectEndsAtOnceShowingNothing(const std::string& arguments)
{
    const SaverRun run = RunSaver(arguments, kEndsAtOnceMs);
    ASSERT_TRUE(run.started) << SaverPath();
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.showedWindow);
}

TEST_P(SaverEndsAtOnce, ShowingNothing)
{
    ExpectEndsAtOnceShowingNothing(GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SaverEndsAtOnce, testing::ValuesIn(kEndsAtOnce), CaseName());

// A well-formed handle that names no window.
TEST(SaverPreview, HandleOfNoWindowEndsAtOnce)
{
    unsigned value = 4242;
    const unsigned last = value + 100000;
    while (value < last && ::IsWindow(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value))))
        ++value;
    ASSERT_LT(value, last) << "every handle tried names a window";
    ExpectEndsAtOnceShowingNothing("/p " + std::to_string(value));
}

// The control for the cases above: the driver does see the saver's window
// when there is one.
TEST(SaverRun, FullScreenWindowIsSeen)
{
    const SaverRun run = RunSaver("/s", 3000);
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.showedWindow);
}

}  // namespace
