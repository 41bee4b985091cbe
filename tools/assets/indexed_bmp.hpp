// Compact pictures: a surface reduced to a colour table of at most 256 entries chosen for it, and
// written as an 8-bit run-length coded (RLE8) `.BMP` file.
#pragma once

#include <cstdint>
#include <vector>

#include "host/surface.hpp"

namespace zav3::assets {

// The surface as an RLE8 `.BMP` file: its colours reduced by median cut (no dithering, so flat
// areas stay flat and code as long runs), rows bottom-up, every row ended by an end-of-line code
// and the picture by an end-of-picture code.
std::vector<std::uint8_t> encodeBmpRle8(const host::Surface& surface);

}  // namespace zav3::assets
