// Reading and writing surfaces as PNG files (8-bit RGB).
#pragma once

#include "surface/surface.h"

#include <string>

// Reads any PNG into the surface (alpha is dropped against black). Returns
// false with a one-line reason; the surface is then unchanged.
bool ReadPng(const std::string& path, CSurface& surface, std::string& error);

// Writes the surface as an RGB PNG. The file appears whole or not at all: it
// is written beside the target under a temporary name and renamed.
bool WritePng(const std::string& path, const CSurface& surface, std::string& error);
