// The background reader on any bytes: it decodes or refuses, within its
// memory bound, and a picture decoded onto a small canvas is the top-left
// part of the same picture decoded whole.
//
// Input: the canvas's width and height (a byte each, 1..64), then the file.
#include "png_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr COLORREF kUntouched = 0x00ABCDEF;

bool Decode(const std::uint8_t* data, std::size_t size, CSurface& canvas)
{
    std::FILE* stream = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (stream == nullptr)
        return false;
    std::string error;
    const bool ok = ReadPngOnto(stream, "fuzz", canvas, error);
    std::fclose(stream);
    if (!ok && (error.empty() || error.find('\n') != std::string::npos))
        std::abort();  // a failure always says why, on one line
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    CSurface canvas(data[0] % 64 + 1, data[1] % 64 + 1, kUntouched);
    if (!Decode(data + 2, size - 2, canvas))
        return 0;
    // The same file onto a canvas of the largest size: the small canvas
    // must agree with its top-left corner.
    CSurface large(64, 64, kUntouched);
    if (!Decode(data + 2, size - 2, large))
        return 0;  // a plain picture may fail only in rows the small canvas did not need
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.At(x, y) != large.At(x, y))
                std::abort();
        }
    }
    return 0;
}
