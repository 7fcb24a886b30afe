// verdane-render: grows Verdane's branches on an off-screen surface and
// writes the picture as a PNG, optionally with a trace of every segment.
// Exit status: 0 done, 1 a file could not be read or written, 2 bad usage,
// 128 + the signal's number when SIGINT, SIGTERM or SIGHUP ends it.
#include "canvas_life.h"
#include "output_files.h"
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
    return options.background.empty() || ReadPngFileOnto(options.background, surface, error);
}

}  // namespace

int main(int argc, char** argv)
{
    const CRenderOptionsResult parsed = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(kRenderUsage, stdout);
        return 0;
    }
    if (!parsed.error.empty())
        return Fail(2, parsed.error + " (--help shows the usage)");
    const CRenderOptions& options = parsed.options;

    std::string error;
    CSurface surface;
    if (!LoadStartPicture(options, surface, error))
        return Fail(1, error);

    // Both outputs are opened before the work, so that a target that cannot
    // be written is reported at once.
    COutputFiles outputs;
    std::FILE* const picture = outputs.Add(options.out, error);
    if (picture == nullptr)
        return Fail(1, error);
    std::FILE* const traceStream = options.trace.empty() ? nullptr : outputs.Add(options.trace, error);
    if (!options.trace.empty() && traceStream == nullptr)
        return Fail(1, error);
    CSegmentTrace trace(traceStream);

    const std::uint32_t seed = options.seed.value_or(ClockSeed());
    std::fprintf(stderr, "verdane-render: seed %u\n", static_cast<unsigned>(seed));
    PlayCanvasLife(options, seed, surface, traceStream == nullptr ? nullptr : &trace);

    if (!WritePngTo(picture, options.out, surface, error) || !outputs.CommitAll(error))
        return Fail(1, error);
    std::printf("%s\n", options.out.c_str());
    return 0;
}
