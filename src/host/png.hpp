// PNG snapshots of surfaces: writing (headless runs and tests) and reading back.
#pragma once

#include <filesystem>
#include <optional>

#include "host/surface.hpp"

namespace zav3::host {

// Writes the surface as an 8-bit RGB PNG file at a real path (alpha dropped). Returns false when
// the file cannot be written.
bool writePng(const Surface& surface, const std::filesystem::path& real);

// Reads a PNG file of any colour type into an opaque-or-not 0xAARRGGBB surface; nothing when the
// file is missing or not a PNG.
std::optional<Surface> readPng(const std::filesystem::path& real);

}  // namespace zav3::host
