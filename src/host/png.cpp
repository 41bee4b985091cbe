// PNG writing and reading with libpng's simplified interface.
#include "host/png.hpp"

#include <png.h>

#include <cstdint>
#include <vector>

namespace zav3::host {

bool writePng(const Surface& surface, const std::filesystem::path& real) {
  if (surface.empty()) return false;
  const auto width = static_cast<std::size_t>(surface.width());
  std::vector<std::uint8_t> rgb(width * 3 * static_cast<std::size_t>(surface.height()));
  std::uint8_t* out = rgb.data();
  for (std::uint32_t p : surface.pixels()) {
    *out++ = static_cast<std::uint8_t>(p >> 16);
    *out++ = static_cast<std::uint8_t>(p >> 8);
    *out++ = static_cast<std::uint8_t>(p);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width());
  image.height = static_cast<png_uint_32>(surface.height());
  image.format = PNG_FORMAT_RGB;
  int ok = png_image_write_to_file(&image, real.c_str(), 0, rgb.data(),
                                   static_cast<png_int_32>(width * 3), nullptr);
  png_image_free(&image);
  return ok != 0;
}

std::optional<Surface> readPng(const std::filesystem::path& real) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, real.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  const std::size_t width = image.width, height = image.height;
  if (width == 0 || height == 0 || width > (1u << 15) || height > (1u << 15)) {
    png_image_free(&image);
    return std::nullopt;
  }
  std::vector<std::uint8_t> rgba(width * height * 4);
  if (!png_image_finish_read(&image, nullptr, rgba.data(), static_cast<png_int_32>(width * 4),
                             nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  Surface surface(static_cast<int>(width), static_cast<int>(height));
  const std::uint8_t* in = rgba.data();
  for (std::uint32_t& p : surface.pixels()) {
    p = (std::uint32_t{in[3]} << 24) | (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) |
        in[2];
    in += 4;
  }
  return surface;
}

}  // namespace zav3::host
