// Reading and writing surfaces as PNG files (8-bit RGB).
#pragma once

#include "surface/surface.h"

#include <cstdio>
#include <string>

// The largest PNG read, in pixels on a side; larger ones are refused
// before any pixel is decoded.
constexpr int kMaxPngSide = CSurface::kMaxSide;

// Decodes the PNG in stream row by row onto canvas at its top-left corner:
// the pixels the picture covers are replaced, the others kept. Only what the
// canvas covers is kept and a picture that is not interlaced is read no
// further than the canvas's last row, so memory stays within the canvas and
// one row of the picture whatever size the PNG claims. Any bit depth and
// colour type is read; alpha is composed over black (c x alpha / max,
// rounded). False with a one-line reason naming name; the canvas may then
// hold part of the picture.
bool ReadPngOnto(std::FILE* stream, const std::string& name, CSurface& canvas, std::string& error);

// ReadPngOnto from a file.
bool ReadPngFileOnto(const std::string& path, CSurface& canvas, std::string& error);

// Reads a whole PNG file into surface, sized to the picture. False with a
// one-line reason; the surface is then unspecified.
bool ReadPng(const std::string& path, CSurface& surface, std::string& error);

// Writes the surface to stream as an RGB PNG. False with a one-line reason.
bool WritePngTo(std::FILE* stream, const std::string& name, const CSurface& surface, std::string& error);

// Writes the surface as an RGB PNG file. The file appears whole or not at
// all: it is written beside the target under a temporary name and renamed.
bool WritePng(const std::string& path, const CSurface& surface, std::string& error);
