// verdane-render run as a user runs it: its exit codes, its files, and a
// trace that accounts for every pixel of the picture.
#include "png_file.h"
#include "surface/surface_dc.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <sys/resource.h>
#include <sys/stat.h>
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
    int Run(const std::string& args, long* peakKilobytes = nullptr)
    {
        if (peakKilobytes != nullptr)
            return RunMeasured(args, *peakKilobytes);
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
    // Runs the tool in a child of its own and returns its exit status and
    // the child's peak resident memory.
    int RunMeasured(const std::string& args, long& peakKilobytes)
    {
        const pid_t child = Start(args);
        int status = 0;
        struct rusage usage {};
        EXPECT_EQ(::wait4(child, &status, 0, &usage), child);
        peakKilobytes = usage.ru_maxrss;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t Start(const std::string& args)
    {
        const std::string command = "exec " + std::string(VERDANE_RENDER_PATH) + " " + args + " >'" + m_dir +
                                    "/stdout' 2>'" + m_dir + "/stderr'";
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return child;
    }
    std::string Names() const
    {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            names += entry.path().filename().string() + " ";
        return names;
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

TEST_F(RenderTool, UsageErrorsAreOneLineAndHelpShowsTheUsage)
{
    for (const char* args : {"--size ' 8x+8'", "--steps +5", "--bogus 1", "stray", "--out"}) {
        EXPECT_EQ(Run(args), 2) << args;
        const std::string err = Read("stderr");
        EXPECT_EQ(err.find("verdane-render: "), 0u) << args;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << args << ": " << err;
    }
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(Read("stdout").find("usage: verdane-render"), std::string::npos);
    EXPECT_NE(Read("stdout").find("16384 pixels on a side"), std::string::npos);
}

// An existing output survives every run that fails, however it fails, and
// nothing but the files that were there is left.
TEST_F(RenderTool, ExistingFilesSurviveFailedRuns)
{
    std::ofstream(Path("keep.png")) << "precious";
    std::filesystem::create_directory(Path("dir"));
    ::mkfifo(Path("fifo").c_str(), 0600);
    const std::string keep = Path("keep.png");
    const std::string cases[] = {
        "--trace " + Path("dir"),                        // a trace that is a directory
        "--trace " + Path("fifo"),                       // or a FIFO
        "--trace " + Path("no/such/t.txt"),              // or cannot be made
        "--trace " + keep,                               // both outputs on one file
        "--trace " + Path("./keep.png"),                 // spelt otherwise
        "--background " + Path("missing.png"),
    };
    for (const std::string& more : cases) {
        EXPECT_EQ(Run("--size 40x30 --steps 20 --out " + keep + " " + more), 1) << more;
        EXPECT_EQ(Read("keep.png"), "precious") << more;
        const std::string err = Read("stderr");
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << more << ": " << err;
    }
    EXPECT_EQ(Run("--size 40x30 --steps 20 --out " + Path("dir")), 1);
    EXPECT_NE(Read("stderr").find("not a regular file"), std::string::npos) << Read("stderr");
    EXPECT_EQ(Run("--size 40x30 --steps 20 --out " + Path("fifo")), 1);
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));
    EXPECT_TRUE(std::filesystem::is_directory(Path("dir")));
    EXPECT_EQ(Names().size(), std::string("stdout stderr keep.png dir fifo ").size()) << Names();
}

// Outputs that are symbolic links are written through: the link stays and
// its target, existing or not, receives the file with its mode kept.
TEST_F(RenderTool, LinksAreWrittenThrough)
{
    std::filesystem::create_directory(Path("real"));
    std::ofstream(Path("real/old.png")) << "old";
    ::chmod(Path("real/old.png").c_str(), 0640);
    std::filesystem::create_symlink("real/old.png", Path("out.png"));
    std::filesystem::create_symlink(Path("real/new.txt"), Path("trace.txt"));
    ASSERT_EQ(Run("--size 40x30 --seed 2 --steps 30 --out " + Path("out.png") + " --trace " + Path("trace.txt")), 0)
        << Read("stderr");
    EXPECT_TRUE(std::filesystem::is_symlink(Path("out.png")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("trace.txt")));
    CSurface picture;
    std::string error;
    ASSERT_TRUE(ReadPng(Path("real/old.png"), picture, error)) << error;
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_FALSE(Read("real/new.txt").empty());
    struct stat info {};
    ASSERT_EQ(::stat(Path("real/old.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A background that is a FIFO or a device is refused at once with one line:
// opening a FIFO would wait for a writer that never comes, and a device
// could be read for ever.
TEST_F(RenderTool, BackgroundsThatAreNotRegularFilesAreRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const std::string& background : {Path("fifo"), std::string("/dev/zero"), std::string("/dev/null")}) {
        const pid_t child = Start("--size 40x30 --steps 5 --background " + background + " --out " + Path("g.png"));
        int status = 0;
        pid_t done = 0;
        for (int waited = 0; done == 0 && waited < 500; ++waited) {  // five seconds at most
            done = ::waitpid(child, &status, WNOHANG);
            if (done == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (done == 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ADD_FAILURE() << background << ": still running after five seconds";
            continue;
        }
        ASSERT_TRUE(WIFEXITED(status)) << background;
        EXPECT_EQ(WEXITSTATUS(status), 1) << background;
        const std::string err = Read("stderr");
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << background << ": " << err;
        EXPECT_NE(err.find("not a regular file"), std::string::npos) << background << ": " << err;
        EXPECT_FALSE(Exists("g.png")) << background;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));
}

// SIGINT, SIGTERM and SIGHUP in the middle of a long run: the status tells
// the signal, the existing picture is untouched, no temporary file stays.
TEST_F(RenderTool, InterruptedRunsLeaveNothingBehind)
{
    std::ofstream(Path("keep.png")) << "precious";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = Start("--size 1024x768 --seed 1 --steps 100000000 --growth-rate 100 --out " +
                                  Path("keep.png") + " --trace " + Path("t.txt"));
        // Wait until the trace's temporary file has grown.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        bool growing = false;
        while (!growing && std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
                std::error_code ec;
                if (entry.path().filename().string().rfind("t.txt.tmp-", 0) == 0 && entry.file_size(ec) > 0)
                    growing = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(growing);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        EXPECT_EQ(Read("keep.png"), "precious");
        EXPECT_EQ(OutputFileCount(), 1) << Names();
    }
}

// A PNG chunk: length, type, data, CRC.
std::string Chunk(const char* type, const std::string& data)
{
    std::string chunk;
    const auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk += static_cast<char>((v >> shift) & 0xFF);
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    chunk += body;
    put32(static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                              static_cast<uInt>(body.size()))));
    return chunk;
}

// An RGB PNG that claims width x height but holds only its first rows (all
// grey), as a small hostile file would.
std::string ClaimingPng(std::uint32_t width, std::uint32_t height, bool interlaced, int rowsHeld)
{
    std::string ihdr;
    for (std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            ihdr += static_cast<char>((v >> shift) & 0xFF);
    }
    ihdr += std::string{8, 2, 0, 0, static_cast<char>(interlaced ? 1 : 0)};
    std::string raw;
    for (int r = 0; r < rowsHeld; ++r)
        raw += '\0' + std::string(width * 3, '\x80');
    std::string packed(compressBound(static_cast<uLong>(raw.size())), '\0');
    uLongf size = static_cast<uLongf>(packed.size());
    ::compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 9);
    packed.resize(size);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", packed) + Chunk("IEND", "");
}

// Whatever size a background claims, only the canvas's part is decoded: a
// picture 16384 pixels square costs the memory of an 8x8 canvas.
TEST_F(RenderTool, BackgroundsCostTheCanvasNotThePicture)
{
    std::ofstream(Path("huge.png"), std::ios::binary) << ClaimingPng(16384, 16384, false, 16);
    long peak = 0;
    EXPECT_EQ(Run("--size 8x8 --steps 1 --background " + Path("huge.png") + " --out " + Path("g.png"), &peak), 0)
        << Read("stderr");
    EXPECT_LT(peak, 300 * 1024) << "kilobytes at most";
    CSurface picture;
    std::string error;
    ASSERT_TRUE(ReadPng(Path("g.png"), picture, error)) << error;
    EXPECT_EQ(picture.At(7, 7), RGB(0x80, 0x80, 0x80));

    // Interlaced, the passes run to the end of the picture: this one runs
    // out of data, within the same memory.
    std::ofstream(Path("huge.png"), std::ios::binary) << ClaimingPng(16384, 16384, true, 16);
    EXPECT_EQ(Run("--size 8x8 --steps 1 --background " + Path("huge.png") + " --out " + Path("g.png"), &peak), 1);
    EXPECT_LT(peak, 300 * 1024);

    // A text chunk that claims 1.6 GB before the file ends.
    const std::string small = ClaimingPng(8, 8, false, 8);
    std::ofstream(Path("huge.png"), std::ios::binary)
        << small.substr(0, 33) + std::string("\x61\x00\x00\x0atEXtComment", 15) + small.substr(33);
    EXPECT_EQ(Run("--size 8x8 --steps 1 --background " + Path("huge.png") + " --out " + Path("g.png"), &peak), 1);
    EXPECT_LT(peak, 300 * 1024);

    std::ofstream(Path("huge.png"), std::ios::binary) << ClaimingPng(16385, 2, false, 2);
    EXPECT_EQ(Run("--size 8x8 --steps 1 --background " + Path("huge.png") + " --out " + Path("g.png")), 1);
    EXPECT_NE(Read("stderr").find("at most 16384 pixels on a side"), std::string::npos) << Read("stderr");
}

TEST_F(RenderTool, TraceAccountsForEveryPixel)
{
    // On a black start picture, replaying the traced segments with the same
    // pens must give the very picture the tool wrote.
    ASSERT_EQ(Run("--size 320x240 --seed 99 --steps 300 --growth-rate 30 --out " + Path("g.png") + " --trace " +
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
    EXPECT_EQ(replay.Colors(), written.Colors());
}

TEST_F(RenderTool, PlainWhiteStartPictureIsTurnedBlack)
{
    CSurface white(64, 64, 0xFFFFFF);
    std::string error;
    ASSERT_TRUE(WritePng(Path("white.png"), white, error)) << error;
    ASSERT_EQ(Run("--size 64x64 --steps 1 --background " + Path("white.png") + " --out " + Path("g.png")), 0);
    CSurface written;
    ASSERT_TRUE(ReadPng(Path("g.png"), written, error)) << error;
    for (COLORREF c : written.Colors())
        ASSERT_NE(c, 0xFFFFFFu);
}

TEST_F(RenderTool, SameSeedSamePicture)
{
    ASSERT_EQ(Run("--size 100x100 --seed 3 --steps 200 --growth-rate 100 --out " + Path("a.png")), 0);
    ASSERT_EQ(Run("--size 100x100 --seed 3 --steps 200 --growth-rate 100 --out " + Path("b.png")), 0);
    EXPECT_EQ(Read("a.png"), Read("b.png"));
}

}  // namespace
