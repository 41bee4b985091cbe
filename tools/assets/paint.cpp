// Procedural painting: random numbers, noise, distance functions, canvas shapes and lettering.
#include "assets/paint.hpp"

#include "host/sjis.hpp"

namespace zav3::assets {

namespace {

std::uint8_t channel(double v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

std::uint32_t argbOf(Rgb c) {
  return 0xFF000000u | (std::uint32_t{channel(c.r)} << 16) | (std::uint32_t{channel(c.g)} << 8) |
         channel(c.b);
}

std::uint32_t hash(std::int64_t x, std::int64_t y, std::uint32_t seed) {
  std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                    static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^
                    (std::uint64_t{seed} << 32 | seed) * 0x165667B19E3779F9ull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return static_cast<std::uint32_t>(h);
}

double dot(Vec a, Vec b) {
  return a.x * b.x + a.y * b.y;
}

const host::Bytes& faceName(bool mincho) {
  static const host::Bytes gothic = host::sj("ＭＳ ゴシック");
  static const host::Bytes serif = host::sj("ＭＳ 明朝");
  return mincho ? serif : gothic;
}

}  // namespace

std::uint64_t Random::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double valueNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
  const double tx = smoothstep(0, 1, x - fx), ty = smoothstep(0, 1, y - fy);
  auto at = [&](std::int64_t dx, std::int64_t dy) {
    return hash(ix + dx, iy + dy, seed) / 4294967295.0;
  };
  const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
  const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
  return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
  double sum = 0, weight = 0, amplitude = 1, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum +=
        valueNoise(x * scale, y * scale, seed + static_cast<std::uint32_t>(i) * 101u) * amplitude;
    weight += amplitude;
    amplitude *= 0.5;
    scale *= 2.03;
  }
  return sum / weight;
}

namespace sdf {

double circle(double x, double y, double cx, double cy, double r) {
  return std::hypot(x - cx, y - cy) - r;
}

double ellipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double px = x - cx, py = y - cy;
  const double k0 = std::hypot(px / rx, py / ry);
  const double k1 = std::hypot(px / (rx * rx), py / (ry * ry));
  if (k1 == 0) return -std::min(rx, ry);
  return k0 * (k0 - 1) / k1;
}

double box(double x, double y, double x0, double y0, double x1, double y1, double radius) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
  const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
         radius;
}

double segment(double x, double y, Vec a, Vec b, double halfWidth) {
  const Vec pa{x - a.x, y - a.y}, ba{b.x - a.x, b.y - a.y};
  const double len = dot(ba, ba);
  const double h = len > 0 ? clamp01(dot(pa, ba) / len) : 0;
  return std::hypot(pa.x - ba.x * h, pa.y - ba.y * h) - halfWidth;
}

double polygon(double x, double y, const std::vector<Vec>& v) {
  if (v.empty()) return 1e9;
  const Vec p{x, y};
  double d = dot({p.x - v[0].x, p.y - v[0].y}, {p.x - v[0].x, p.y - v[0].y});
  double s = 1;
  for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
    const Vec e{v[j].x - v[i].x, v[j].y - v[i].y};
    const Vec w{p.x - v[i].x, p.y - v[i].y};
    const double len = dot(e, e);
    const double h = len > 0 ? clamp01(dot(w, e) / len) : 0;
    const Vec b{w.x - e.x * h, w.y - e.y * h};
    d = std::min(d, dot(b, b));
    const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
  }
  return s * std::sqrt(d);
}

}  // namespace sdf

std::vector<Vec> curve(Vec a, Vec control, Vec b, int steps) {
  std::vector<Vec> out;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1 - t;
    out.push_back({u * u * a.x + 2 * u * t * control.x + t * t * b.x,
                   u * u * a.y + 2 * u * t * control.y + t * t * b.y});
  }
  return out;
}

Canvas::Canvas(int width, int height, Rgb fill) : surface_(width, height, argbOf(fill)) {}

Rgb Canvas::get(int x, int y) const {
  const std::uint32_t v = surface_.at(x, y);
  return {static_cast<double>((v >> 16) & 0xFF), static_cast<double>((v >> 8) & 0xFF),
          static_cast<double>(v & 0xFF)};
}

void Canvas::put(int x, int y, Rgb c) {
  surface_.set(x, y, argbOf(c));
}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
  if (!surface_.contains(x, y) || alpha <= 0) return;
  put(x, y, alpha >= 1 ? c : mix(get(x, y), c, alpha));
}

void Canvas::add(int x, int y, Rgb c, double amount) {
  if (!surface_.contains(x, y) || amount <= 0) return;
  put(x, y, get(x, y) + c * amount);
}

void Canvas::rect(double x0, double y0, double x1, double y1, Rgb c, double alpha) {
  fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1); }, c,
      alpha);
}

void Canvas::gradient(double x0, double y0, double x1, double y1, Rgb top, Rgb bottom) {
  const double h = std::max(y1 - y0, 1.0);
  fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1); },
      [&](double, double y) { return mix(top, bottom, clamp01((y - y0) / h)); });
}

void Canvas::circle(double cx, double cy, double r, Rgb c, double alpha) {
  fill(
      {cx - r, cy - r, cx + r, cy + r},
      [&](double x, double y) { return sdf::circle(x, y, cx, cy, r); }, c, alpha);
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, Rgb c, double alpha) {
  fill(
      {cx - rx, cy - ry, cx + rx, cy + ry},
      [&](double x, double y) { return sdf::ellipse(x, y, cx, cy, rx, ry); }, c, alpha);
}

void Canvas::ring(double cx, double cy, double r, double width, Rgb c, double alpha) {
  const double outer = r + width / 2;
  fill(
      {cx - outer, cy - outer, cx + outer, cy + outer},
      [&](double x, double y) { return std::abs(sdf::circle(x, y, cx, cy, r)) - width / 2; }, c,
      alpha);
}

void Canvas::box(double x0, double y0, double x1, double y1, double radius, Rgb c, double alpha) {
  fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1, radius); },
      c, alpha);
}

void Canvas::frame(double x0, double y0, double x1, double y1, double radius, double width, Rgb c,
                   double alpha) {
  fill(
      {x0, y0, x1, y1},
      [&](double x, double y) {
        const double d = sdf::box(x, y, x0, y0, x1, y1, radius);
        return std::max(d, -d - width);
      },
      c, alpha);
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha) {
  const double h = width / 2;
  fill(
      {std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h},
      [&](double x, double y) {
        return sdf::segment(x, y, {x0, y0}, {x1, y1}, h);
      },
      c, alpha);
}

void Canvas::polygon(const std::vector<Vec>& points, Rgb c, double alpha) {
  if (points.empty()) return;
  Bounds b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Vec& p : points) {
    b.x0 = std::min(b.x0, p.x), b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x), b.y1 = std::max(b.y1, p.y);
  }
  fill(
      b, [&](double x, double y) { return sdf::polygon(x, y, points); }, c, alpha);
}

void Canvas::glow(double cx, double cy, double radius, Rgb c, double strength) {
  const int x0 = static_cast<int>(std::floor(cx - radius)), x1 = static_cast<int>(cx + radius) + 1;
  const int y0 = static_cast<int>(std::floor(cy - radius)), y1 = static_cast<int>(cy + radius) + 1;
  for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width()); ++x) {
      const double t = 1 - std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
      if (t > 0) add(x, y, c, strength * t * t);
    }
  }
}

void Canvas::stars(double x0, double y0, double x1, double y1, int count, std::uint64_t seed,
                   double brightness) {
  Random random(seed);
  for (int i = 0; i < count; ++i) {
    const double x = random.range(x0, x1), y = random.range(y0, y1);
    const double m = random.uniform();
    const Rgb tint = mix(hex(0xB4CCFF), hex(0xFFF0D8), random.uniform());
    const double level = (0.18 + 0.82 * m * m * m) * brightness;
    add(static_cast<int>(x), static_cast<int>(y), tint, level);
    if (m > 0.9) {
      circle(x, y, 0.7 + (m - 0.9) * 6, tint, std::min(1.0, level * 1.2));
      glow(x, y, 3 + (m - 0.9) * 40, tint, 0.35 * brightness);
    }
    if (m > 0.985) {
      const double arm = 5 + (m - 0.985) * 500;
      for (int k = -static_cast<int>(arm); k <= static_cast<int>(arm); ++k) {
        const double fade = 0.6 * brightness * (1 - std::abs(k) / arm);
        add(static_cast<int>(x) + k, static_cast<int>(y), tint, fade);
        if (k != 0) add(static_cast<int>(x), static_cast<int>(y) + k, tint, fade);
      }
    }
  }
}

int textWidth(host::TextRenderer& text, const Font& font, std::string_view utf8) {
  return text.width({faceName(font.mincho), font.size}, host::sj(utf8)) + (font.bold ? 1 : 0);
}

int drawText(Canvas& canvas, host::TextRenderer& text, const Font& font, double x, double y,
             std::string_view utf8, Rgb colour) {
  const host::FontSpec spec{faceName(font.mincho), font.size};
  const host::Bytes bytes = host::sj(utf8);
  int advance = text.draw(canvas.surface(), spec, x, y, bytes, argbOf(colour));
  if (font.bold) advance = text.draw(canvas.surface(), spec, x + 1, y, bytes, argbOf(colour)) + 1;
  return advance;
}

int drawText(Canvas& canvas, host::TextRenderer& text, const Font& font, double x, double y,
             std::string_view utf8, Rgb colour, Rgb shadow) {
  drawText(canvas, text, font, x + 1, y + 1, utf8, shadow);
  return drawText(canvas, text, font, x, y, utf8, colour);
}

void drawTextIn(Canvas& canvas, host::TextRenderer& text, const Font& font, Bounds box,
                std::string_view utf8, Rgb colour, Rgb shadow) {
  const int w = textWidth(text, font, utf8);
  const double x = std::floor((box.x0 + box.x1 - w) / 2);
  const double y = std::floor((box.y0 + box.y1 - font.size) / 2);
  drawText(canvas, text, font, x, y, utf8, colour, shadow);
}

}  // namespace zav3::assets
