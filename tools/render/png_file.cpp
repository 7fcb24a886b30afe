#include "png_file.h"

#include "atomic_file.h"

#include <png.h>

#include <cstring>
#include <vector>

bool ReadPng(const std::string& path, CSurface& surface, std::string& error)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = "cannot read PNG '" + path + "': " + image.message;
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > CSurface::kMaxSide ||
        image.height > CSurface::kMaxSide) {
        png_image_free(&image);
        error = "PNG '" + path + "' is larger than 16384 pixels on a side";
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, rgb.data(), 0, nullptr)) {
        error = "cannot decode PNG '" + path + "': " + image.message;
        png_image_free(&image);
        return false;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    surface.Resize(width, height);
    const png_byte* p = rgb.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, p += 3)
            surface.At(x, y) = RGB(p[0], p[1], p[2]);
    }
    return true;
}

bool WritePng(const std::string& path, const CSurface& surface, std::string& error)
{
    std::vector<png_byte> rgb;
    rgb.reserve(surface.Pixels().size() * 3);
    for (COLORREF c : surface.Pixels()) {
        rgb.push_back(GetRValue(c));
        rgb.push_back(GetGValue(c));
        rgb.push_back(GetBValue(c));
    }
    CAtomicFile file;
    if (!file.Open(path, error))
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width());
    image.height = static_cast<png_uint_32>(surface.Height());
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_stdio(&image, file.Stream(), 0, rgb.data(), 0, nullptr)) {
        error = "cannot write PNG '" + path + "': " + image.message;
        return false;
    }
    return file.Commit(error);
}
