// libFuzzer target: arbitrary bytes through the `.BMP` decoder. The only acceptable outcomes are
// a picture or the picture error.
#include <cstddef>
#include <cstdint>
#include <span>

#include "host/bmp.hpp"
#include "host/error.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3::host;
  try {
    // A smaller pixel limit than the game's keeps each run fast.
    BmpImage image = decodeBmp(std::span<const std::uint8_t>(data, size), std::size_t{1} << 22);
    if (image.surface.empty()) __builtin_trap();
  } catch (const RuntimeError& e) {
    if (e.number() != err::badPicture) __builtin_trap();
  }
  return 0;
}
