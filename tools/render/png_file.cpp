#include "png_file.h"

#include "file_replacement.h"
#include "regular_file.h"

#include <png.h>

#include <cerrno>
#include <cstdint>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// One decoding: libpng's state and what survives its long jump on errors.
// Everything that the decoding changes lives here rather than in locals of
// the function that sets the jump, so nothing is lost when it is taken.
struct CPngReading {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string message;  // libpng's reason for the error
    std::vector<png_byte> row;

    CPngReading()
    {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png != nullptr)
            info = png_create_info_struct(png);
    }
    ~CPngReading() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
    CPngReading(const CPngReading&) = delete;
    CPngReading& operator=(const CPngReading&) = delete;

    static void OnError(png_structp png, png_const_charp message)
    {
        static_cast<CPngReading*>(png_get_error_ptr(png))->message = message;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}  // damaged ancillary data is skipped quietly
};

// Pixel i of row j of an Adam7 pass (or of the picture, not interlaced).
struct CPassGrid {
    int pass;
    bool interlaced;
    int X(int i) const { return interlaced ? static_cast<int>(PNG_COL_FROM_PASS_COL(i, pass)) : i; }
    int Y(int j) const { return interlaced ? static_cast<int>(PNG_ROW_FROM_PASS_ROW(j, pass)) : j; }
};

// Row j of a pass, RGBA with 8 bits each, onto the canvas where it covers it.
void PlaceRow(const png_byte* rgba, int count, int y, const CPassGrid& grid, CSurface& canvas)
{
    if (y >= canvas.Height())
        return;
    std::uint32_t* pixels = canvas.WordRow(y);
    for (int i = 0; i < count; ++i, rgba += 4) {
        const int x = grid.X(i);
        if (x >= canvas.Width())
            break;  // columns only grow along a row
        const auto over = [&](png_byte c) { return static_cast<BYTE>((c * rgba[3] + 127) / 255); };
        pixels[x] = CSurface::WordOf(RGB(over(rgba[0]), over(rgba[1]), over(rgba[2])));
    }
}

// The decoding proper. libpng reports errors by a long jump back to the
// setjmp here; no object with a destructor is alive in this function while
// libpng runs.
bool Decode(CPngReading& r, std::FILE* stream, const std::string& name, CSurface& canvas, bool fit, std::string& error)
{
    if (setjmp(png_jmpbuf(r.png))) {
        error = "cannot decode PNG '" + name + "': " + r.message;
        return false;
    }
    png_init_io(r.png, stream);
    // The side limit below is this reader's; libpng's own is lifted so that
    // every oversized picture gets the same message.
    png_set_user_limits(r.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Only the pixels matter: every ancillary chunk but the transparency is
    // skipped unread, so a chunk claiming gigabytes costs nothing, and no
    // chunk that libpng keeps may take more than a small buffer.
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_malloc_max(r.png, 1 << 20);
    png_read_info(r.png, r.info);
    const png_uint_32 width = png_get_image_width(r.png, r.info);
    const png_uint_32 height = png_get_image_height(r.png, r.info);
    if (width > static_cast<png_uint_32>(kMaxPngSide) || height > static_cast<png_uint_32>(kMaxPngSide)) {
        error = "PNG '" + name + "' is " + std::to_string(width) + "x" + std::to_string(height) +
                "; at most " + std::to_string(kMaxPngSide) + " pixels on a side are read";
        return false;
    }
    const bool interlaced = png_get_interlace_type(r.png, r.info) == PNG_INTERLACE_ADAM7;

    // Every colour type and depth to RGBA, 8 bits per channel.
    png_set_expand(r.png);
    png_set_scale_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_add_alpha(r.png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(r.png, r.info);
    if (png_get_channels(r.png, r.info) != 4 || png_get_bit_depth(r.png, r.info) != 8) {
        error = "cannot decode PNG '" + name + "': unexpected pixel layout";
        return false;
    }
    r.row.resize(static_cast<std::size_t>(width) * 4);
    if (fit)
        canvas.Resize(static_cast<int>(width), static_cast<int>(height));

    for (int pass = 0; pass < (interlaced ? 7 : 1); ++pass) {
        const CPassGrid grid{pass, interlaced};
        const auto columns = static_cast<int>(interlaced ? PNG_PASS_COLS(width, pass) : width);
        const auto rows = static_cast<int>(interlaced ? PNG_PASS_ROWS(height, pass) : height);
        if (columns == 0 || rows == 0)
            continue;  // libpng skips empty passes too
        for (int j = 0; j < rows; ++j) {
            // Rows of a plain picture below the canvas are never decoded.
            if (!interlaced && j >= canvas.Height())
                return true;
            png_read_row(r.png, r.row.data(), nullptr);
            PlaceRow(r.row.data(), columns, grid.Y(j), grid, canvas);
        }
    }
    return true;
}

bool Read(std::FILE* stream, const std::string& name, CSurface& canvas, bool fit, std::string& error)
{
    CPngReading reading;
    if (reading.png == nullptr || reading.info == nullptr) {
        error = "cannot decode PNG '" + name + "': out of memory";
        return false;
    }
    return Decode(reading, stream, name, canvas, fit, error);
}

struct CFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Only a regular file is read: a FIFO would block the tool until a writer
// came, and a device could go on for ever.
bool ReadFile(const std::string& path, CSurface& canvas, bool fit, std::string& error)
{
    std::string reason;
    const int fd = OpenRegularFile(path, O_RDONLY, reason);
    std::FILE* const stream = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (fd >= 0 && stream == nullptr) {
        reason = std::strerror(errno);
        ::close(fd);
    }
    const std::unique_ptr<std::FILE, CFileCloser> file(stream);
    if (!file) {
        error = "cannot read PNG '" + path + "': " + reason;
        return false;
    }
    return Read(file.get(), path, canvas, fit, error);
}

}  // namespace

bool ReadPngOnto(std::FILE* stream, const std::string& name, CSurface& canvas, std::string& error)
{
    return Read(stream, name, canvas, false, error);
}

bool ReadPngFileOnto(const std::string& path, CSurface& canvas, std::string& error)
{
    return ReadFile(path, canvas, false, error);
}

bool ReadPng(const std::string& path, CSurface& surface, std::string& error)
{
    return ReadFile(path, surface, true, error);
}

bool WritePngTo(std::FILE* stream, const std::string& name, const CSurface& surface, std::string& error)
{
    std::vector<png_byte> rgb;
    const std::size_t count = static_cast<std::size_t>(surface.Width()) * static_cast<std::size_t>(surface.Height());
    rgb.reserve(count * 3);
    for (const std::uint32_t* word = surface.Words(); word != surface.Words() + count; ++word) {
        const COLORREF c = CSurface::ColorOf(*word);
        rgb.push_back(GetRValue(c));
        rgb.push_back(GetGValue(c));
        rgb.push_back(GetBValue(c));
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width());
    image.height = static_cast<png_uint_32>(surface.Height());
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_stdio(&image, stream, 0, rgb.data(), 0, nullptr)) {
        error = "cannot write PNG '" + name + "': " + image.message;
        return false;
    }
    return true;
}

bool WritePng(const std::string& path, const CSurface& surface, std::string& error)
{
    CFileReplacement file(0666);
    return file.Open(path, error) && WritePngTo(file.Stream(), path, surface, error) && file.Commit(error);
}
