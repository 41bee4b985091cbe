// Pixel surfaces: picture boxes and off-screen bitmaps are 32-bit surfaces, 0xAARRGGBB per
// pixel, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

namespace zav3::host {

// A colour as the game writes it: r + 256 g + 65536 b.
using GameColour = std::uint32_t;

constexpr std::uint32_t argbOf(GameColour c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr GameColour gameColourOf(std::uint32_t argb) {
  return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, std::uint32_t argb = 0xFF000000u) { resize(width, height, argb); }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  // Resizes; the contents are lost and every pixel is `argb`.
  void resize(int width, int height, std::uint32_t argb = 0xFF000000u) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, argb);
  }
  void fill(std::uint32_t argb) { pixels_.assign(pixels_.size(), argb); }

  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::uint32_t at(int x, int y) const { return row(y)[x]; }
  void set(int x, int y, std::uint32_t argb) {
    if (contains(x, y)) row(y)[x] = argb;
  }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  std::vector<std::uint32_t>& pixels() { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace zav3::host
