// `.BMP` pictures: decoding every common variant into a surface with its palette, loading a
// picture by game path, and writing 24-bit pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <source_location>
#include <span>
#include <string_view>
#include <vector>

#include "host/surface.hpp"

namespace zav3::host {

class FileSystem;

// A decoded picture. Every pixel is opaque (alpha 0xFF). `palette` holds the colour table of
// the file (0xFFRRGGBB entries), empty for pictures without one.
struct BmpImage {
  Surface surface;
  std::vector<std::uint32_t> palette;
  int bitCount = 0;  // bits per pixel in the file: 1, 4, 8, 16, 24 or 32
};

// The largest picture accepted: 1 GiB of 32-bit pixels.
inline constexpr std::size_t maxBmpPixels = (std::size_t{1} << 30) / 4;

// Decodes a whole `.BMP` file: the 14-byte file header ("BM"), then a 12-byte core header or a
// 40/52/56/64/108/124-byte info header; 1, 4 and 8 bits with a colour table (uncompressed, RLE4,
// RLE8), 16 bits (5-5-5 or bit fields), 24 bits, 32 bits (plain or bit fields); rows bottom-up
// or top-down (negative height). Pixels that an RLE picture skips stay black.
// Anything malformed (truncated headers or pixels, sizes of zero or more than `maxPixels`
// pixels, unknown bit counts or compressions, a colour index outside the table, an RLE run past
// the picture) raises error 481 (err::badPicture); no input reads outside `bytes`.
BmpImage decodeBmp(std::span<const std::uint8_t> bytes, std::size_t maxPixels = maxBmpPixels,
                   std::source_location where = std::source_location::current());

// Loads the `.BMP` file at a game path. A file that cannot be read raises the file-system error
// (53 file not found, 76 path not found, 75 access error); a malformed one error 481.
BmpImage loadBmp(const FileSystem& files, std::string_view gamePath,
                 std::source_location where = std::source_location::current());

// A 24-bit uncompressed, bottom-up `.BMP` file of the surface (alpha dropped).
std::vector<std::uint8_t> encodeBmp24(const Surface& surface);

}  // namespace zav3::host
