// Colour reduction by median cut and the RLE8 `.BMP` encoder.
#include "assets/indexed_bmp.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace zav3::assets {

namespace {

// Colours are counted with 6 bits per component.
constexpr int keyBits = 6;
constexpr int keyCount = 1 << (3 * keyBits);

int keyOf(std::uint32_t argb) {
  const int shift = 8 - keyBits;
  return static_cast<int>((((argb >> 16) & 0xFF) >> shift) << (2 * keyBits) |
                          (((argb >> 8) & 0xFF) >> shift) << keyBits | ((argb & 0xFF) >> shift));
}

// One distinct colour of the picture: how many pixels have it and their summed components.
struct Colour {
  int key = 0;
  double count = 0;
  std::array<double, 3> sum{};
  double mean(int axis) const { return sum[static_cast<std::size_t>(axis)] / count; }
};

// A box of the median cut: a range of the colour list.
struct Box {
  std::size_t begin, end;
  double error = 0;  // summed squared distance of its pixels from its mean
  int axis = 0;      // the component with the widest spread
};

void measure(Box& box, const std::vector<Colour>& colours) {
  double n = 0;
  std::array<double, 3> s{}, s2{};
  for (std::size_t i = box.begin; i < box.end; ++i) {
    const Colour& c = colours[i];
    n += c.count;
    for (int a = 0; a < 3; ++a) {
      const double m = c.mean(a);
      s[static_cast<std::size_t>(a)] += m * c.count;
      s2[static_cast<std::size_t>(a)] += m * m * c.count;
    }
  }
  box.error = 0;
  double widest = -1;
  for (int a = 0; a < 3; ++a) {
    const auto k = static_cast<std::size_t>(a);
    const double spread = s2[k] - s[k] * s[k] / n;
    box.error += spread;
    if (spread > widest) widest = spread, box.axis = a;
  }
  // Small boxes of strongly differing colours (eyes, lamps) still earn a split: the error grows
  // slower than the pixel count.
  box.error /= std::sqrt(n);
  if (box.end - box.begin < 2) box.error = 0;
}

struct Reduced {
  std::vector<std::uint32_t> palette;  // 0xFFRRGGBB
  std::vector<std::uint8_t> pixels;    // one index per pixel, rows top to bottom
};

Reduced reduce(const host::Surface& surface) {
  static thread_local std::vector<int> slot(keyCount, -1);
  std::vector<Colour> colours;
  for (const std::uint32_t p : surface.pixels()) {
    const int key = keyOf(p);
    int& at = slot[static_cast<std::size_t>(key)];
    if (at < 0) {
      at = static_cast<int>(colours.size());
      colours.push_back({key, 0, {}});
    }
    Colour& c = colours[static_cast<std::size_t>(at)];
    c.count += 1;
    c.sum[0] += (p >> 16) & 0xFF, c.sum[1] += (p >> 8) & 0xFF, c.sum[2] += p & 0xFF;
  }
  for (const Colour& c : colours) slot[static_cast<std::size_t>(c.key)] = -1;

  std::vector<Box> boxes{{0, colours.size()}};
  measure(boxes[0], colours);
  while (boxes.size() < 256) {
    auto worst = std::max_element(boxes.begin(), boxes.end(),
                                  [](const Box& a, const Box& b) { return a.error < b.error; });
    if (worst->error <= 0) break;
    Box box = *worst;
    const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
    std::sort(first, last,
              [a = box.axis](const Colour& l, const Colour& r) { return l.mean(a) < r.mean(a); });
    double total = 0;
    for (auto it = first; it != last; ++it) total += it->count;
    double seen = 0;
    std::size_t cut = box.begin;
    while (cut < box.end - 1 && seen + colours[cut].count <= total / 2)
      seen += colours[cut++].count;
    cut = std::clamp(cut, box.begin + 1, box.end - 1);
    Box low{box.begin, cut}, high{cut, box.end};
    measure(low, colours);
    measure(high, colours);
    *worst = low;
    boxes.push_back(high);
  }

  Reduced out;
  std::vector<std::uint8_t> indexOf(keyCount);
  for (const Box& box : boxes) {
    double n = 0;
    std::array<double, 3> s{};
    for (std::size_t i = box.begin; i < box.end; ++i) {
      n += colours[i].count;
      for (std::size_t a = 0; a < 3; ++a) s[a] += colours[i].sum[a];
      indexOf[static_cast<std::size_t>(colours[i].key)] =
          static_cast<std::uint8_t>(out.palette.size());
    }
    auto channel = [&](std::size_t a) { return static_cast<std::uint32_t>(std::lround(s[a] / n)); };
    out.palette.push_back(0xFF000000u | channel(0) << 16 | channel(1) << 8 | channel(2));
  }
  out.pixels.reserve(surface.pixels().size());
  for (const std::uint32_t p : surface.pixels())
    out.pixels.push_back(indexOf[static_cast<std::size_t>(keyOf(p))]);
  return out;
}

// `bytes` bytes of v, the lowest first.
void putLittle(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// One row in RLE8: runs of two or more equal pixels as (count, index); stretches of other
// pixels as absolute runs (0, n, the indexes, a pad byte to an even length) when they are at
// least three long, else as runs of one.
void encodeRow(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out) {
  auto runAt = [&](int i) {
    int n = 1;
    while (i + n < width && n < 255 && row[i + n] == row[i]) ++n;
    return n;
  };
  int i = 0;
  while (i < width) {
    const int run = runAt(i);
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    int j = i + 1;
    while (j < width && j - i < 255 && runAt(j) < 3) ++j;
    const int n = j - i;
    if (n >= 3) {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(n));
      out.insert(out.end(), row + i, row + j);
      if (n & 1) out.push_back(0);
    } else {
      for (int k = i; k < j; ++k) {
        out.push_back(1);
        out.push_back(row[k]);
      }
    }
    i = j;
  }
  out.push_back(0);
  out.push_back(0);
}

}  // namespace

std::vector<std::uint8_t> encodeBmpRle8(const host::Surface& surface) {
  const Reduced reduced = reduce(surface);
  const int width = surface.width(), height = surface.height();
  std::vector<std::uint8_t> data;
  for (int y = height - 1; y >= 0; --y)
    encodeRow(reduced.pixels.data() + static_cast<std::size_t>(y) * width, width, data);
  data.push_back(0);
  data.push_back(1);

  const auto colours = static_cast<std::uint32_t>(reduced.palette.size());
  const std::uint32_t offset = 54 + 4 * colours;
  std::vector<std::uint8_t> out;
  out.reserve(offset + data.size());
  out.push_back('B');
  out.push_back('M');
  putLittle(out, offset + static_cast<std::uint32_t>(data.size()), 4);
  putLittle(out, 0, 4);
  putLittle(out, offset, 4);
  putLittle(out, 40, 4);
  putLittle(out, static_cast<std::uint32_t>(width), 4);
  putLittle(out, static_cast<std::uint32_t>(height), 4);
  putLittle(out, 1, 2);
  putLittle(out, 8, 2);
  putLittle(out, 1, 4);  // RLE8
  putLittle(out, static_cast<std::uint32_t>(data.size()), 4);
  putLittle(out, 3780, 4);  // 96 dots per inch
  putLittle(out, 3780, 4);
  putLittle(out, colours, 4);
  putLittle(out, 0, 4);
  for (const std::uint32_t c : reduced.palette) {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
    out.push_back(static_cast<std::uint8_t>(c >> 16));
    out.push_back(0);
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

}  // namespace zav3::assets
