// The background reader on valid PNGs of every kind: the input chooses the
// colour type, bit depth, interlacing, size, palette, transparency, extra
// chunks and samples; libpng writes the file and the reader must decode it
// onto a canvas of another size with every covered pixel as computed here
// from the samples, and every other pixel untouched.
#include "png_file.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF kUntouched = 0x00ABCDEF;

// Takes bytes from the front of the input; zeros once it is used up.
class CInput {
public:
    CInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    unsigned Byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    unsigned Pick(unsigned count) { return Byte() % count; }
    // The samples: the rest of the input, repeated.
    unsigned Sample(std::size_t i, unsigned bits) const
    {
        if (m_size == 0)
            return 0;
        const unsigned a = m_data[(2 * i) % m_size], b = m_data[(2 * i + 1) % m_size];
        return (a << 8 | b) & ((1u << bits) - 1);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

struct CPicture {
    int colorType, depth, width, height;
    bool interlaced;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS of a palette
    bool hasKey = false;                 // tRNS of grey or RGB
    png_color_16 key{};
    std::vector<unsigned> samples;  // channels per pixel, row by row

    int Channels() const
    {
        switch (colorType) {
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;
        }
    }
    unsigned At(int x, int y, int c) const { return samples[(static_cast<std::size_t>(y) * width + x) * Channels() + c]; }
};

CPicture Choose(CInput& in)
{
    static const int kTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_PALETTE,
                                 PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB_ALPHA};
    CPicture p{};
    p.colorType = kTypes[in.Pick(5)];
    static const int kGrey[] = {1, 2, 4, 8, 16}, kPalette[] = {1, 2, 4, 8}, kOther[] = {8, 16};
    p.depth = p.colorType == PNG_COLOR_TYPE_GRAY      ? kGrey[in.Pick(5)]
              : p.colorType == PNG_COLOR_TYPE_PALETTE ? kPalette[in.Pick(4)]
                                                      : kOther[in.Pick(2)];
    p.width = static_cast<int>(in.Pick(33)) + 1;
    p.height = static_cast<int>(in.Pick(33)) + 1;
    p.interlaced = in.Pick(2) == 1;
    const unsigned max = (1u << p.depth) - 1;
    if (p.colorType == PNG_COLOR_TYPE_PALETTE) {
        p.palette.resize(std::min<unsigned>(in.Byte() + 1, max + 1));
        for (png_color& c : p.palette)
            c = png_color{static_cast<png_byte>(in.Byte()), static_cast<png_byte>(in.Byte()),
                          static_cast<png_byte>(in.Byte())};
        p.paletteAlpha.resize(in.Pick(static_cast<unsigned>(p.palette.size()) + 1));
        for (png_byte& a : p.paletteAlpha)
            a = static_cast<png_byte>(in.Byte());
    } else if (p.colorType == PNG_COLOR_TYPE_GRAY || p.colorType == PNG_COLOR_TYPE_RGB) {
        p.hasKey = in.Pick(2) == 1;
        const auto key = [&] { return static_cast<png_uint_16>((in.Byte() << 8 | in.Byte()) & max); };
        p.key.gray = key();
        p.key.red = key();
        p.key.green = key();
        p.key.blue = key();
    }
    const std::size_t count = static_cast<std::size_t>(p.width) * p.height * p.Channels();
    p.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned s = in.Sample(i, p.depth);
        if (p.colorType == PNG_COLOR_TYPE_PALETTE)
            s %= static_cast<unsigned>(p.palette.size());
        p.samples[i] = s;
    }
    return p;
}

void AppendTo(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

[[noreturn]] void WriteFailed(png_structp, png_const_charp)
{
    std::abort();  // the harness made an invalid picture
}

std::vector<png_byte> Write(const CPicture& p, CInput& in)
{
    std::vector<png_byte> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, WriteFailed, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendTo, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height), p.depth,
                 p.colorType, p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    if (!p.palette.empty())
        png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
    if (!p.paletteAlpha.empty())
        png_set_tRNS(png, info, p.paletteAlpha.data(), static_cast<int>(p.paletteAlpha.size()), nullptr);
    if (p.hasKey)
        png_set_tRNS(png, info, nullptr, 0, &p.key);
    // Ancillary chunks the reader must pass over.
    const unsigned extras = in.Byte();
    if (extras & 1)
        png_set_gAMA_fixed(png, info, 45455 + static_cast<png_fixed_point>(in.Byte()) * 1000);
    if (extras & 2) {
        char key[] = "Comment", text[] = "verdane";
        png_text chunk{};
        chunk.compression = extras & 4 ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
        chunk.key = key;
        chunk.text = text;
        png_set_text(png, info, &chunk, 1);
    }
    if (extras & 8) {
        png_time when{2024, 1, 2, 3, 4, 5};
        png_set_tIME(png, info, &when);
    }
    png_write_info(png, info);

    const int channels = p.Channels();
    const std::size_t rowBytes = (static_cast<std::size_t>(p.width) * channels * p.depth + 7) / 8;
    std::vector<png_byte> row(rowBytes);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < p.height; ++y) {
            std::fill(row.begin(), row.end(), 0);
            std::size_t bit = 0;
            for (int x = 0; x < p.width; ++x) {
                for (int c = 0; c < channels; ++c, bit += p.depth) {
                    const unsigned s = p.At(x, y, c);
                    if (p.depth == 16) {
                        row[bit / 8] = static_cast<png_byte>(s >> 8);
                        row[bit / 8 + 1] = static_cast<png_byte>(s);
                    } else {
                        row[bit / 8] |= static_cast<png_byte>(s << (8 - p.depth - bit % 8));
                    }
                }
            }
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

// A sample scaled to 8 bits, as the reader scales it.
unsigned To8(unsigned s, int depth)
{
    if (depth == 16)
        return (s * 255 + 32895) >> 16;
    return s * 255 / ((1u << depth) - 1);
}

// The expected colour of a pixel, and how far a channel may be off (the
// reader's rounding of 16-bit samples may differ from ours by one step
// before the alpha is applied).
COLORREF Expected(const CPicture& p, int x, int y, int& tolerance)
{
    unsigned r = 0, g = 0, b = 0, a = 255;
    tolerance = p.depth == 16 ? 2 : 0;
    switch (p.colorType) {
    case PNG_COLOR_TYPE_PALETTE: {
        const unsigned i = p.At(x, y, 0);
        const png_color& c = p.palette[i];
        r = c.red;
        g = c.green;
        b = c.blue;
        a = i < p.paletteAlpha.size() ? p.paletteAlpha[i] : 255;
        break;
    }
    case PNG_COLOR_TYPE_GRAY:
        r = g = b = To8(p.At(x, y, 0), p.depth);
        if (p.hasKey && p.At(x, y, 0) == p.key.gray)
            a = 0;
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        r = g = b = To8(p.At(x, y, 0), p.depth);
        a = To8(p.At(x, y, 1), p.depth);
        break;
    case PNG_COLOR_TYPE_RGB:
        r = To8(p.At(x, y, 0), p.depth);
        g = To8(p.At(x, y, 1), p.depth);
        b = To8(p.At(x, y, 2), p.depth);
        if (p.hasKey && p.At(x, y, 0) == p.key.red && p.At(x, y, 1) == p.key.green && p.At(x, y, 2) == p.key.blue)
            a = 0;
        break;
    default:
        r = To8(p.At(x, y, 0), p.depth);
        g = To8(p.At(x, y, 1), p.depth);
        b = To8(p.At(x, y, 2), p.depth);
        a = To8(p.At(x, y, 3), p.depth);
        break;
    }
    const auto over = [a](unsigned c) { return static_cast<BYTE>((c * a + 127) / 255); };
    return RGB(over(r), over(g), over(b));
}

bool Near(COLORREF got, COLORREF want, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
        if (d > tolerance || -d > tolerance)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CInput in(data, size);
    const int canvasWidth = static_cast<int>(in.Pick(40)) + 1;
    const int canvasHeight = static_cast<int>(in.Pick(40)) + 1;
    const CPicture picture = Choose(in);
    std::vector<png_byte> file = Write(picture, in);

    CSurface canvas(canvasWidth, canvasHeight, kUntouched);
    std::FILE* stream = ::fmemopen(file.data(), file.size(), "rb");
    std::string error;
    const bool ok = stream != nullptr && ReadPngOnto(stream, "fuzz", canvas, error);
    if (stream != nullptr)
        std::fclose(stream);
    if (!ok)
        std::abort();
    for (int y = 0; y < canvasHeight; ++y) {
        for (int x = 0; x < canvasWidth; ++x) {
            int tolerance = 0;
            const bool covered = x < picture.width && y < picture.height;
            const COLORREF want = covered ? Expected(picture, x, y, tolerance) : kUntouched;
            if (!Near(canvas.At(x, y), want, tolerance)) {
                std::fprintf(stderr, "type %d depth %d %dx%d interlaced %d: pixel (%d, %d) is %06x, not %06x\n",
                             picture.colorType, picture.depth, picture.width, picture.height, picture.interlaced, x,
                             y, static_cast<unsigned>(canvas.At(x, y)), static_cast<unsigned>(want));
                std::abort();
            }
        }
    }
    return 0;
}
