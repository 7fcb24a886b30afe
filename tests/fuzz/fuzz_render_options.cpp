// The render tool's options, on any argument list (NUL-separated): errors
// are one line, accepted options are within their ranges, and writing them
// back as arguments reads the same options again.
#include "render_options.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> AsArguments(const CRenderOptions& o)
{
    std::vector<std::string> args = {"--size", std::to_string(o.width) + "x" + std::to_string(o.height),
                                     "--steps", std::to_string(o.steps),
                                     "--plant-size", std::to_string(o.plantSize),
                                     "--growth-rate", std::to_string(o.growthRate),
                                     "--blank", std::to_string(o.blank),
                                     "--out", o.out};
    if (o.screenWidth)
        args.insert(args.end(), {"--screen", std::to_string(*o.screenWidth) + "x" + std::to_string(*o.screenHeight)});
    if (o.seed)
        args.insert(args.end(), {"--seed", std::to_string(*o.seed)});
    if (!o.background.empty())
        args.insert(args.end(), {"--background", o.background});
    if (!o.trace.empty())
        args.insert(args.end(), {"--trace", o.trace});
    return args;
}

bool Same(const CRenderOptions& a, const CRenderOptions& b)
{
    return a.width == b.width && a.height == b.height && a.screenWidth == b.screenWidth &&
           a.screenHeight == b.screenHeight && a.seed == b.seed && a.steps == b.steps &&
           a.plantSize == b.plantSize && a.growthRate == b.growthRate && a.blank == b.blank &&
           a.background == b.background && a.out == b.out && a.trace == b.trace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    const CRenderOptionsResult r = ParseRenderOptions(args);
    if (r.error.find_first_of("\r\n") != std::string::npos)
        std::abort();
    if (r.help || !r.error.empty())
        return 0;
    const CRenderOptions& o = r.options;
    const auto side = [](int v) { return v >= 1 && v <= 16384; };
    if (!side(o.width) || !side(o.height) || o.steps < 0 || o.steps > 100000000 || (o.blank != 0 && o.blank != 1) ||
        o.out.empty() || o.screenWidth.has_value() != o.screenHeight.has_value() ||
        (o.screenWidth && (!side(*o.screenWidth) || !side(*o.screenHeight))))
        std::abort();
    const CRenderOptionsResult again = ParseRenderOptions(AsArguments(o));
    if (!again.error.empty() || !Same(again.options, o))
        std::abort();
    return 0;
}
