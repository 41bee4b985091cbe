// Procedural painting for the generated pictures: colours, a deterministic random source and
// value noise, signed-distance shapes drawn anti-aliased onto a canvas, glows, star fields and
// Japanese lettering through the engine's text renderer.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/surface.hpp"
#include "host/text.hpp"

namespace zav3::assets {

// --- colours ---

// A colour with components 0..255 (fractions kept until a pixel is written).
struct Rgb {
  double r = 0, g = 0, b = 0;
};

constexpr Rgb hex(std::uint32_t v) {
  return {static_cast<double>((v >> 16) & 0xFF), static_cast<double>((v >> 8) & 0xFF),
          static_cast<double>(v & 0xFF)};
}
constexpr Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
constexpr Rgb operator*(Rgb a, double k) {
  return {a.r * k, a.g * k, a.b * k};
}
constexpr Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
// Towards white (t > 0) or black (t < 0).
constexpr Rgb shade(Rgb c, double t) {
  return t >= 0 ? mix(c, Rgb{255, 255, 255}, t) : mix(c, Rgb{}, -t);
}

inline double clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}
inline double smoothstep(double e0, double e1, double v) {
  const double t = clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// --- randomness and noise (the same numbers on every machine) ---

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
  double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
  int below(int n) { return static_cast<int>(uniform() * n); }

 private:
  std::uint64_t state_;
};

// Smooth value noise in [0, 1] with unit cell size, and a sum of octaves of it.
double valueNoise(double x, double y, std::uint32_t seed);
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

// --- signed distances: negative inside, in pixels ---

struct Vec {
  double x = 0, y = 0;
};

namespace sdf {
double circle(double x, double y, double cx, double cy, double r);
double ellipse(double x, double y, double cx, double cy, double rx, double ry);
// The rectangle (x0, y0)-(x1, y1) with corners rounded by `radius`.
double box(double x, double y, double x0, double y0, double x1, double y1, double radius = 0);
// A stroke of half width `halfWidth` along the segment a-b, with round ends.
double segment(double x, double y, Vec a, Vec b, double halfWidth);
double polygon(double x, double y, const std::vector<Vec>& points);
}  // namespace sdf

// Points along a quadratic curve from a to b bending towards `control`.
std::vector<Vec> curve(Vec a, Vec control, Vec b, int steps = 10);

// --- the canvas ---

struct Bounds {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {});

  int width() const { return surface_.width(); }
  int height() const { return surface_.height(); }
  const host::Surface& surface() const { return surface_; }
  host::Surface& surface() { return surface_; }

  Rgb get(int x, int y) const;
  void put(int x, int y, Rgb c);
  void blend(int x, int y, Rgb c, double alpha);
  // Light added to the pixel (screens, lamps, glows).
  void add(int x, int y, Rgb c, double amount);

  // Replaces each pixel of the rectangle [x0, x1) x [y0, y1) by f(px, py, old colour), where
  // (px, py) is the pixel centre.
  template <class F>
  void map(int x0, int y0, int x1, int y1, F f) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, width()), y1 = std::min(y1, height());
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) put(x, y, f(x + 0.5, y + 0.5, get(x, y)));
  }
  template <class F>
  void mapAll(F f) {
    map(0, 0, width(), height(), f);
  }

  // The shape whose signed distance is d(px, py), drawn anti-aliased within `bounds`. The paint
  // is a colour or a function (px, py) -> colour.
  template <class D, class P>
  void fill(Bounds bounds, D d, P paint, double alpha = 1.0) {
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x0)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0)) - 1);
    const int x1 = std::min(width(), static_cast<int>(std::ceil(bounds.x1)) + 1);
    const int y1 = std::min(height(), static_cast<int>(std::ceil(bounds.y1)) + 1);
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        const double px = x + 0.5, py = y + 0.5;
        const double cover = clamp01(0.5 - d(px, py)) * alpha;
        if (cover <= 0) continue;
        if constexpr (std::is_invocable_r_v<Rgb, P, double, double>) {
          blend(x, y, paint(px, py), cover);
        } else {
          blend(x, y, paint, cover);
        }
      }
    }
  }

  // Plain shapes (alpha 0..1).
  void rect(double x0, double y0, double x1, double y1, Rgb c, double alpha = 1.0);
  void gradient(double x0, double y0, double x1, double y1, Rgb top, Rgb bottom);
  void circle(double cx, double cy, double r, Rgb c, double alpha = 1.0);
  void ellipse(double cx, double cy, double rx, double ry, Rgb c, double alpha = 1.0);
  void ring(double cx, double cy, double r, double width, Rgb c, double alpha = 1.0);
  void box(double x0, double y0, double x1, double y1, double radius, Rgb c, double alpha = 1.0);
  void frame(double x0, double y0, double x1, double y1, double radius, double width, Rgb c,
             double alpha = 1.0);
  void line(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha = 1.0);
  void polygon(const std::vector<Vec>& points, Rgb c, double alpha = 1.0);

  // Light falling off from the centre as (1 - d / radius)^2, added to the pixels.
  void glow(double cx, double cy, double radius, Rgb c, double strength = 1.0);
  // `count` stars scattered over the rectangle: mostly faint points, a few bright ones with a
  // halo and the brightest with a four-pointed glint.
  void stars(double x0, double y0, double x1, double y1, int count, std::uint64_t seed,
             double brightness = 1.0);

 private:
  host::Surface surface_;
};

// --- lettering ---

struct Font {
  double size = 16;
  bool mincho = false;  // the serif face instead of the gothic one
  bool bold = false;    // drawn twice, one pixel apart
};

// Draws UTF-8 text with the top-left corner of its first cell at (x, y); a shadow colour draws
// the text one pixel down and right first. Returns the advance width.
int drawText(Canvas& canvas, host::TextRenderer& text, const Font& font, double x, double y,
             std::string_view utf8, Rgb colour);
int drawText(Canvas& canvas, host::TextRenderer& text, const Font& font, double x, double y,
             std::string_view utf8, Rgb colour, Rgb shadow);
int textWidth(host::TextRenderer& text, const Font& font, std::string_view utf8);
// Text centred in the box (x0, y0)-(x1, y1), with a shadow.
void drawTextIn(Canvas& canvas, host::TextRenderer& text, const Font& font, Bounds box,
                std::string_view utf8, Rgb colour, Rgb shadow);

}  // namespace zav3::assets
