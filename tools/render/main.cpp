// verdane-render: grows Verdane's branches on an off-screen surface and
// writes the picture as a PNG, optionally with a trace of every segment.
// Exit status: 0 done, 1 a file could not be read or written, 2 bad usage.
#include "atomic_file.h"
#include "canvas_life.h"
#include "png_file.h"
#include "render_options.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "verdane-render: %s\n", message.c_str());
    return status;
}

std::uint32_t ClockSeed()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

// The picture the canvas starts on: the background at the top-left corner,
// black where it does not reach.
bool LoadStartPicture(const CRenderOptions& options, CSurface& surface, std::string& error)
{
    surface.Resize(options.width, options.height, 0);
    if (options.background.empty())
        return true;
    CSurface background;
    if (!ReadPng(options.background, background, error))
        return false;
    for (int y = 0; y < surface.Height() && y < background.Height(); ++y) {
        for (int x = 0; x < surface.Width() && x < background.Width(); ++x)
            surface.At(x, y) = background.At(x, y);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const CRenderOptionsResult parsed = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(kRenderUsage, stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fputs(kRenderUsage, stderr);
        return Fail(2, parsed.error);
    }
    const CRenderOptions& options = parsed.options;

    std::string error;
    CSurface surface;
    if (!LoadStartPicture(options, surface, error))
        return Fail(1, error);

    CAtomicFile traceFile;
    if (!options.trace.empty() && !traceFile.Open(options.trace, error))
        return Fail(1, error);
    CSegmentTrace trace(traceFile.Stream());

    const std::uint32_t seed = options.seed.value_or(ClockSeed());
    std::fprintf(stderr, "verdane-render: seed %u\n", static_cast<unsigned>(seed));
    PlayCanvasLife(options, seed, surface, options.trace.empty() ? nullptr : &trace);

    if (!WritePng(options.out, surface, error))
        return Fail(1, error);
    if (!options.trace.empty() && !traceFile.Commit(error)) {
        std::remove(options.out.c_str());
        return Fail(1, error);
    }
    std::printf("%s\n", options.out.c_str());
    return 0;
}
