// Screen numbers in a display's name, against a server with one screen:
// whatever follows the dot, the display either opens on a screen that
// exists or is refused with one line; it never opens on a screen that is
// not there, which every later use of the screen would read out of bounds.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "x11_display.h"
#include "xvfb_server.h"

#include <random>
#include <string>

namespace {

// Opens display + suffix and checks the outcome; true when it opened.
bool OpensOnARealScreen(const std::string& display, const std::string& suffix)
{
    const std::string name = display + suffix;
    CX11Display x;
    std::string error;
    if (!x.Open(name, error)) {
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(error.find('\n'), std::string::npos) << name << ": " << error;
        EXPECT_EQ(x.Get(), nullptr) << name;
        return false;
    }
    const int screen = DefaultScreen(x.Get());
    EXPECT_GE(screen, 0) << name;
    EXPECT_LT(screen, ScreenCount(x.Get())) << name;
    EXPECT_EQ(x.Width(), 320) << name;
    return true;
}

TEST(DisplayName, ScreensThatDoNotExistAreRefusedWithOneLine)
{
    const CXvfbServer server(320, 240);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    EXPECT_TRUE(OpensOnARealScreen(server.Display(), ""));
    EXPECT_TRUE(OpensOnARealScreen(server.Display(), ".0"));
    for (const char* suffix : {".-1", ".-2", ".-100000", ".1", ".2147483647", ".2147483648", ".4294967295",
                               ".-2147483648", ".99999999999999999999"}) {
        EXPECT_FALSE(OpensOnARealScreen(server.Display(), suffix)) << suffix;
    }
    // The line says it is the screen, whether Xlib refused the number or
    // opened the display on it.
    for (const char* screen : {"-2", "1"}) {
        CX11Display x;
        std::string error;
        ASSERT_FALSE(x.Open(server.Display() + "." + screen, error));
        EXPECT_NE(error.find("has no screen " + std::string(screen)), std::string::npos) << error;
    }
    CX11Display x;
    std::string error;
    ASSERT_FALSE(x.Open(":32767.0", error));  // no server there
    EXPECT_EQ(error, "cannot open display ':32767.0'");
}

// Random screen parts made of what a number could be spelt with.
TEST(DisplayName, AnyScreenPartOpensOnARealScreenOrIsRefused)
{
    const CXvfbServer server(320, 240);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    const std::string alphabet = "0123456789-+ .xe";
    std::mt19937 random(28);
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> coin(0, 1);
    for (int i = 0; i < 300; ++i) {
        std::string suffix = ".";
        const bool number = coin(random) == 1;  // half of them minus signs and digits alone
        for (std::size_t n = length(random); n > 0; --n)
            suffix += alphabet[number ? pick(random) % 11 : pick(random)];
        OpensOnARealScreen(server.Display(), suffix);
    }
}

}  // namespace
