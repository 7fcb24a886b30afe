// verdane-render run as a user runs it: its exit codes, its files, and a
// trace that accounts for every pixel of the picture.
#include "png_file.h"
#include "surface/surface_dc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RenderTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/verdane-render-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Runs the tool with the arguments; returns its exit status.
    int Run(const std::string& args)
    {
        const std::string command = std::string(VERDANE_RENDER_PATH) + " " + args + " >'" + m_dir +
                                    "/stdout' 2>'" + m_dir + "/stderr'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_dir + "/" + name);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_dir + "/" + name); }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    // Files in the directory besides the captured output streams.
    int OutputFileCount() const
    {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            count += (name != "stdout" && name != "stderr" && name != "not-a.png") ? 1 : 0;
        }
        return count;
    }

    std::string m_dir;
};

TEST_F(RenderTool, WritesThePictureAndNamesItsFileAndSeed)
{
    ASSERT_EQ(Run("--size 200x150 --seed 5 --steps 50 --out " + Path("g.png")), 0);
    EXPECT_EQ(Read("stdout"), Path("g.png") + "\n");
    EXPECT_NE(Read("stderr").find("seed 5"), std::string::npos);
    CSurface picture;
    std::string error;
    ASSERT_TRUE(ReadPng(Path("g.png"), picture, error)) << error;
    EXPECT_EQ(picture.Width(), 200);
    EXPECT_EQ(picture.Height(), 150);
}

TEST_F(RenderTool, BadUsageExitsTwoAndWritesNothing)
{
    for (const char* args : {"--size 0x10", "--size 20000x10", "--steps x", "--bogus 1", "--blank 3"}) {
        EXPECT_EQ(Run(std::string(args) + " --out " + Path("g.png")), 2) << args;
        EXPECT_FALSE(Exists("g.png")) << args;
        EXPECT_NE(Read("stderr").find("verdane-render: "), std::string::npos) << args;
    }
}

TEST_F(RenderTool, FileProblemsExitOneAndLeaveNoPartialOutput)
{
    EXPECT_EQ(Run("--background " + Path("missing.png") + " --out " + Path("g.png")), 1);
    EXPECT_FALSE(Exists("g.png"));

    std::ofstream(Path("not-a.png")) << "plain text";
    EXPECT_EQ(Run("--background " + Path("not-a.png") + " --out " + Path("g.png")), 1);
    EXPECT_FALSE(Exists("g.png"));

    EXPECT_EQ(Run("--steps 5 --out " + Path("no/such/dir/g.png")), 1);
    EXPECT_EQ(Run("--steps 5 --trace " + Path("no/such/dir/t.txt") + " --out " + Path("g.png")), 1);
    EXPECT_FALSE(Exists("g.png"));
    EXPECT_EQ(OutputFileCount(), 0) << "no temporary files left behind";
}

TEST_F(RenderTool, TraceAccountsForEveryPixel)
{
    // On a black start picture, replaying the traced segments with the same
    // pens must give the very picture the tool wrote.
    ASSERT_EQ(Run("--size 320x240 --seed 99 --steps 300 --star-number 30 --out " + Path("g.png") + " --trace " +
                  Path("t.txt")),
              0);
    CSurface written;
    std::string error;
    ASSERT_TRUE(ReadPng(Path("g.png"), written, error)) << error;

    CSurface replay(320, 240, 0);
    CSurfaceDC dc(replay);
    std::istringstream lines(Read("t.txt"));
    long long step = 0, lastStep = 0;
    int slot = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 0;
    std::string color;
    int count = 0;
    while (lines >> step >> slot >> x0 >> y0 >> x1 >> y1 >> width >> color) {
        ASSERT_GE(step, lastStep) << "drawing order";
        ASSERT_EQ(color.size(), 8u);
        lastStep = step;
        CPen pen(PS_INSIDEFRAME, width, static_cast<COLORREF>(std::stoul(color, nullptr, 16)));
        CPen* previous = dc.SelectObject(&pen);
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
        dc.SelectObject(previous);
        ++count;
    }
    EXPECT_GT(count, 100);
    EXPECT_LT(lastStep, 300);
    EXPECT_EQ(replay.Pixels(), written.Pixels());
}

TEST_F(RenderTool, PlainWhiteStartPictureIsTurnedBlack)
{
    CSurface white(64, 64, 0xFFFFFF);
    std::string error;
    ASSERT_TRUE(WritePng(Path("white.png"), white, error)) << error;
    ASSERT_EQ(Run("--size 64x64 --steps 1 --background " + Path("white.png") + " --out " + Path("g.png")), 0);
    CSurface written;
    ASSERT_TRUE(ReadPng(Path("g.png"), written, error)) << error;
    for (COLORREF c : written.Pixels())
        ASSERT_NE(c, 0xFFFFFFu);
}

TEST_F(RenderTool, SameSeedSamePicture)
{
    ASSERT_EQ(Run("--size 100x100 --seed 3 --steps 200 --star-number 100 --out " + Path("a.png")), 0);
    ASSERT_EQ(Run("--size 100x100 --seed 3 --steps 200 --star-number 100 --out " + Path("b.png")), 0);
    EXPECT_EQ(Read("a.png"), Read("b.png"));
}

}  // namespace
