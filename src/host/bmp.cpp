// `.BMP` decoding and 24-bit encoding. Every read goes through bounds-checked helpers; any
// inconsistency in a file raises the picture error instead of reading past the buffer.
#include "host/bmp.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "host/error.hpp"

namespace zav3::host {

namespace {

constexpr std::uint32_t biRgb = 0;
constexpr std::uint32_t biRle8 = 1;
constexpr std::uint32_t biRle4 = 2;
constexpr std::uint32_t biBitfields = 3;
constexpr std::uint32_t biAlphaBitfields = 6;

constexpr std::uint32_t opaqueBlack = 0xFF000000u;

class Decoder {
 public:
  Decoder(std::span<const std::uint8_t> bytes, std::size_t maxPixels, std::source_location where)
      : bytes_(bytes), maxPixels_(maxPixels), where_(where) {}

  BmpImage run();

 private:
  // One colour channel of a bit-field pixel.
  struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;  // largest value of the field, 0 for an empty mask

    explicit Channel(std::uint32_t m = 0) : mask(m) {
      if (m == 0) return;
      shift = std::countr_zero(m);
      int bits = std::bit_width(m >> shift);
      max = (std::uint64_t{1} << bits) - 1;
    }
    std::uint32_t operator()(std::uint32_t v) const {
      if (max == 0) return 0;
      std::uint64_t field = (v & mask) >> shift;
      return static_cast<std::uint32_t>((field * 255 + max / 2) / max);
    }
  };

  [[noreturn]] void bad(const char* why) const { raise(err::badPicture, why, where_); }
  void need(std::size_t offset, std::uint64_t count, const char* why) const {
    if (offset > bytes_.size() || count > bytes_.size() - offset) bad(why);
  }
  std::uint16_t u16(std::size_t o) const {
    need(o, 2, "truncated header");
    return static_cast<std::uint16_t>(bytes_[o] | (bytes_[o + 1] << 8));
  }
  std::uint32_t u32(std::size_t o) const {
    need(o, 4, "truncated header");
    return static_cast<std::uint32_t>(bytes_[o]) |
           (static_cast<std::uint32_t>(bytes_[o + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[o + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[o + 3]) << 24);
  }
  std::uint32_t colour(std::uint32_t index) const {
    if (index >= palette_.size()) bad("colour index outside the colour table");
    return palette_[index];
  }
  // Image row of the n-th row stored in the file.
  int imageRow(std::int64_t fileRow) const {
    return static_cast<int>(topDown_ ? fileRow : height_ - 1 - fileRow);
  }

  void readHeaders();
  void decodePlain(std::span<const std::uint8_t> data, Surface& out) const;
  void decodeRle(std::span<const std::uint8_t> data, Surface& out) const;

  std::span<const std::uint8_t> bytes_;
  std::size_t maxPixels_;
  std::source_location where_;

  std::int64_t width_ = 0;
  std::int64_t height_ = 0;
  bool topDown_ = false;
  int bitCount_ = 0;
  std::uint32_t compression_ = biRgb;
  std::uint32_t masks_[3] = {0, 0, 0};
  std::vector<std::uint32_t> palette_;
  std::size_t dataOffset_ = 0;
};

void Decoder::readHeaders() {
  need(0, 18, "truncated header");
  if (bytes_[0] != 'B' || bytes_[1] != 'M') bad("no BM signature");
  std::uint32_t offBits = u32(10);
  std::uint32_t headerSize = u32(14);
  bool core = headerSize == 12;
  std::uint32_t coloursUsed = 0;
  std::size_t pos = 14 + std::size_t{headerSize};
  if (core) {
    need(14, 12, "truncated header");
    width_ = u16(18);
    height_ = u16(20);
    bitCount_ = u16(24);
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
             headerSize == 108 || headerSize == 124) {
    need(14, headerSize, "truncated header");
    width_ = static_cast<std::int32_t>(u32(18));
    height_ = static_cast<std::int32_t>(u32(22));
    bitCount_ = u16(28);
    compression_ = u32(30);
    coloursUsed = u32(46);
    // The 64-byte OS/2 header numbers its compressions differently beyond RLE4.
    if (headerSize == 64 && compression_ > biRle4) bad("unsupported compression");
    if (compression_ == biBitfields || compression_ == biAlphaBitfields) {
      if (headerSize == 40) {
        // The masks follow the header: red, green, blue (and alpha).
        need(pos, 12, "truncated header");
        masks_[0] = u32(pos);
        masks_[1] = u32(pos + 4);
        masks_[2] = u32(pos + 8);
        pos += compression_ == biAlphaBitfields ? 16 : 12;
      } else {
        masks_[0] = u32(54);
        masks_[1] = u32(58);
        masks_[2] = u32(62);
      }
    }
  } else {
    bad("unknown header size");
  }

  if (height_ < 0) {
    topDown_ = true;
    height_ = -height_;
  }
  if (width_ <= 0 || height_ <= 0) bad("empty picture");
  if (static_cast<std::uint64_t>(width_) * static_cast<std::uint64_t>(height_) > maxPixels_)
    bad("picture too large");

  switch (compression_) {
    case biRgb:
      if (bitCount_ != 1 && bitCount_ != 4 && bitCount_ != 8 && bitCount_ != 16 &&
          bitCount_ != 24 && bitCount_ != 32)
        bad("unsupported bit count");
      break;
    case biRle8:
      if (bitCount_ != 8) bad("RLE8 needs 8 bits");
      break;
    case biRle4:
      if (bitCount_ != 4) bad("RLE4 needs 4 bits");
      break;
    case biBitfields:
    case biAlphaBitfields:
      if (bitCount_ != 16 && bitCount_ != 32) bad("bit fields need 16 or 32 bits");
      break;
    default:
      bad("unsupported compression");
  }
  if (topDown_ && (compression_ == biRle8 || compression_ == biRle4)) bad("top-down RLE picture");

  if (compression_ == biRgb && bitCount_ == 16) {
    masks_[0] = 0x7C00;
    masks_[1] = 0x03E0;
    masks_[2] = 0x001F;
  } else if (compression_ == biRgb && bitCount_ == 32) {
    masks_[0] = 0xFF0000;
    masks_[1] = 0x00FF00;
    masks_[2] = 0x0000FF;
  }

  if (bitCount_ <= 8) {
    std::uint32_t full = 1u << bitCount_;
    std::uint32_t count = (core || coloursUsed == 0 || coloursUsed > full) ? full : coloursUsed;
    std::size_t entry = core ? 3 : 4;
    // A table cut short by the pixel data holds only the entries before it.
    if (offBits > pos && offBits < pos + count * entry)
      count = static_cast<std::uint32_t>((offBits - pos) / entry);
    need(pos, std::uint64_t{count} * entry, "truncated colour table");
    palette_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* p = bytes_.data() + pos + i * entry;
      palette_[i] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    pos += count * entry;
  }
  dataOffset_ = offBits != 0 ? offBits : pos;
  if (dataOffset_ >= bytes_.size()) bad("no pixel data");
}

void Decoder::decodePlain(std::span<const std::uint8_t> data, Surface& out) const {
  auto w = static_cast<std::uint64_t>(width_);
  std::uint64_t stride = (w * bitCount_ + 31) / 32 * 4;
  std::uint64_t rowBytes = (w * bitCount_ + 7) / 8;
  // The padding of the last row may be missing.
  if (stride * static_cast<std::uint64_t>(height_ - 1) + rowBytes > data.size())
    bad("truncated pixel data");
  const Channel red(masks_[0]), green(masks_[1]), blue(masks_[2]);
  const int width = static_cast<int>(width_);
  for (std::int64_t r = 0; r < height_; ++r) {
    const std::uint8_t* src = data.data() + r * stride;
    std::uint32_t* dst = out.row(imageRow(r));
    switch (bitCount_) {
      case 1:
        for (int x = 0; x < width; ++x) dst[x] = colour((src[x >> 3] >> (7 - (x & 7))) & 1);
        break;
      case 4:
        for (int x = 0; x < width; ++x)
          dst[x] = colour((x & 1) ? (src[x >> 1] & 15) : (src[x >> 1] >> 4));
        break;
      case 8:
        for (int x = 0; x < width; ++x) dst[x] = colour(src[x]);
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          std::uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
          dst[x] = 0xFF000000u | (red(v) << 16) | (green(v) << 8) | blue(v);
        }
        break;
      case 24:
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = src + 3 * x;
          dst[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        }
        break;
      case 32:
        if (compression_ == biRgb) {
          for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = src + 4 * x;
            dst[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
          }
        } else {
          for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = src + 4 * x;
            std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (std::uint32_t{p[1]} << 8) |
                              (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
            dst[x] = 0xFF000000u | (red(v) << 16) | (green(v) << 8) | blue(v);
          }
        }
        break;
    }
  }
}

void Decoder::decodeRle(std::span<const std::uint8_t> data, Surface& out) const {
  const bool rle8 = compression_ == biRle8;
  const std::size_t n = data.size();
  std::int64_t x = 0, y = 0;  // y counts file rows, from the bottom
  auto indexAt = [rle8](std::uint8_t value, std::int64_t k) -> std::uint32_t {
    if (rle8) return value;
    return (k & 1) ? (value & 15) : (value >> 4);
  };
  auto checkRun = [&](std::int64_t count) {
    if (y >= height_ || x + count > width_) bad("RLE run past the picture");
  };
  std::size_t i = 0;
  while (i < n) {
    if (n - i < 2) bad("truncated RLE data");
    std::uint8_t count = data[i];
    std::uint8_t value = data[i + 1];
    i += 2;
    if (count > 0) {
      checkRun(count);
      std::uint32_t* dst = out.row(imageRow(y)) + x;
      if (rle8) {
        std::fill_n(dst, count, colour(value));
      } else {
        std::uint32_t a = colour(value >> 4);
        std::uint32_t b = count > 1 ? colour(value & 15) : a;
        for (int k = 0; k < count; ++k) dst[k] = (k & 1) ? b : a;
      }
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return;
      case 2:  // delta
        if (n - i < 2) bad("truncated RLE data");
        x += data[i];
        y += data[i + 1];
        i += 2;
        if (x > width_ || y > height_) bad("RLE delta past the picture");
        break;
      default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
        std::size_t bytes = rle8 ? value : (value + 1u) / 2;
        if (n - i < bytes) bad("truncated RLE data");
        checkRun(value);
        std::uint32_t* dst = out.row(imageRow(y)) + x;
        for (int k = 0; k < value; ++k) dst[k] = colour(indexAt(data[i + (rle8 ? k : k / 2)], k));
        x += value;
        i += std::min(n - i, bytes + (bytes & 1));
        break;
      }
    }
  }
  // Data that stops without an end-of-picture code keeps what it drew.
}

BmpImage Decoder::run() {
  readHeaders();
  BmpImage image;
  image.bitCount = bitCount_;
  image.surface.resize(static_cast<int>(width_), static_cast<int>(height_), opaqueBlack);
  auto data = bytes_.subspan(dataOffset_);
  if (compression_ == biRle8 || compression_ == biRle4)
    decodeRle(data, image.surface);
  else
    decodePlain(data, image.surface);
  image.palette = palette_;
  return image;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

BmpImage decodeBmp(std::span<const std::uint8_t> bytes, std::size_t maxPixels,
                   std::source_location where) {
  return Decoder(bytes, maxPixels, where).run();
}

std::vector<std::uint8_t> encodeBmp24(const Surface& surface) {
  const auto width = static_cast<std::uint32_t>(surface.width());
  const auto height = static_cast<std::uint32_t>(surface.height());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * height;
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + dataSize);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, width);
  put32(out, height);
  put16(out, 1);
  put16(out, 24);
  put32(out, biRgb);
  put32(out, dataSize);
  put32(out, 3780);  // 96 dots per inch
  put32(out, 3780);
  put32(out, 0);
  put32(out, 0);
  for (int y = surface.height() - 1; y >= 0; --y) {
    const std::uint32_t* src = surface.row(y);
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(src[x]));
      out.push_back(static_cast<std::uint8_t>(src[x] >> 8));
      out.push_back(static_cast<std::uint8_t>(src[x] >> 16));
    }
    for (std::uint32_t p = width * 3; p < stride; ++p) out.push_back(0);
  }
  return out;
}

}  // namespace zav3::host
