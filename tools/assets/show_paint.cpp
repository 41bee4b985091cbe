// Painting shared by the opening and ending picture shows: suns, the Earth, the station, cargo
// ships, the pirate ship, the Akatsuki from ahead and close up, the emblem, dawns, trusses, the
// bridge and the crew seen from behind.
#include "assets/show_paint.hpp"

#include <array>
#include <vector>

namespace zav3::assets::show {

namespace {

// A frame for drawing in a ship's own coordinates: nose at the origin, the body along -x.
struct Frame {
  double x, y, scale, angle, facing = 1;
  Vec at(double lx, double ly) const {
    const double c = std::cos(angle), s = std::sin(angle);
    lx *= facing;
    return {x + (lx * c - ly * s) * scale, y + (lx * s + ly * c) * scale};
  }
  Vec local(double wx, double wy) const {
    const double c = std::cos(angle), s = std::sin(angle);
    const double dx = (wx - x) / scale, dy = (wy - y) / scale;
    return {(dx * c + dy * s) * facing, -dx * s + dy * c};
  }
  std::vector<Vec> shape(std::initializer_list<Vec> points) const {
    std::vector<Vec> out;
    for (const Vec& v : points) out.push_back(at(v.x, v.y));
    return out;
  }
};

Bounds boundsOf(const std::vector<Vec>& pts, double grow = 0) {
  Bounds b{1e9, 1e9, -1e9, -1e9};
  for (const Vec& v : pts) {
    b.x0 = std::min(b.x0, v.x - grow), b.y0 = std::min(b.y0, v.y - grow);
    b.x1 = std::max(b.x1, v.x + grow), b.y1 = std::max(b.y1, v.y + grow);
  }
  return b;
}

template <class P>
void fillPolygon(Canvas& c, const std::vector<Vec>& pts, P paint, double alpha = 1.0) {
  c.fill(
      boundsOf(pts), [&](double x, double y) { return sdf::polygon(x, y, pts); }, paint, alpha);
}

}  // namespace

void sun(Canvas& c, double x, double y, double r, double strength) {
  c.glow(x, y, r * 14, hex(0xFF9040), 0.35 * strength);
  c.glow(x, y, r * 5, hex(0xFFD890), 0.7 * strength);
  c.glow(x, y, r * 2, hex(0xFFFFFF), 0.9 * strength);
  c.circle(x, y, r, hex(0xFFFCF0));
  for (int px = 0; px < c.width(); ++px) {
    const double t = std::exp(-std::abs(px - x) / (r * 9));
    for (int dy = -2; dy <= 2; ++dy)
      c.add(px, static_cast<int>(y) + dy, hex(0xFFE0B0), 0.5 * strength * t / (1 + dy * dy));
  }
}

Rgb earthGround(double nx, double ny, double nz) {
  const double n = fractalNoise(std::atan2(nx, nz) * 3, ny * 5, 5, 7);
  const double cloud = smoothstep(0.55, 0.75, fractalNoise(nx * 6 + 3, ny * 9, 4, 8));
  const Rgb land = mix(hex(0x3A7A4A), hex(0x9A8A5A), smoothstep(0.6, 0.75, n));
  return mix(mix(hex(0x1A4A8A), land, smoothstep(0.5, 0.6, n)), hex(0xF0F4FF), cloud);
}

void cityLights(Canvas& c, double cx, double cy, double r, V3 light, std::uint32_t seed) {
  light = normalised(light);
  c.map(static_cast<int>(cx - r), static_cast<int>(cy - r), static_cast<int>(cx + r) + 1,
        static_cast<int>(cy + r) + 1, [&](double x, double y, Rgb old) {
          const double nx = (x - cx) / r, ny = (y - cy) / r;
          const double q = 1 - nx * nx - ny * ny;
          if (q <= 0.02) return old;
          const double nz = std::sqrt(q);
          const double lambert = nx * light.x + ny * light.y + nz * light.z;
          const double night = smoothstep(0.05, -0.25, lambert);
          const double land =
              smoothstep(0.52, 0.6, fractalNoise(std::atan2(nx, nz) * 3, ny * 5, 5, 7));
          const double towns = smoothstep(0.62, 0.8, fractalNoise(x / 3, y / 3, 3, seed));
          return old + hex(0xFFC060) * (night * land * towns * nz * 0.9);
        });
}

void planetRing(Canvas& c, double cx, double cy, double rx, double ry, double width, Rgb colour,
                double alpha, bool front) {
  c.fill(
      {cx - rx - width, cy - ry - width, cx + rx + width, cy + ry + width},
      [&](double x, double y) {
        const double band = std::abs(sdf::ellipse(x, y, cx, cy, rx, ry)) - width / 2;
        return std::max(band, front ? cy - y : y - cy);
      },
      colour, alpha);
}

void stationWheel(Canvas& c, double cx, double cy, double rx, double tilt, std::uint64_t seed) {
  const double ry = rx * tilt, t = rx * 0.1;
  auto band = [&](double x, double y, double dy) {
    const double outer = sdf::ellipse(x, y, cx, cy + dy, rx, ry);
    const double inner = sdf::ellipse(x, y, cx, cy + dy, rx - t, ry - t * tilt);
    return std::max(outer, -inner);
  };
  auto half = [&](bool front) {
    auto side = [&](double y) { return front ? cy - y : y - cy; };
    // The tube's outer wall below its top face, then the top face.
    c.fill(
        {cx - rx, cy - ry, cx + rx, cy + ry + t * 0.6},
        [&](double x, double y) { return std::max(band(x, y, t * 0.45), side(y)); },
        [&](double x, double) {
          return mix(hex(0x3A4456), hex(0x8A94A8), 0.5 + 0.5 * std::cos((x - cx) / rx * 1.4));
        });
    c.fill(
        {cx - rx, cy - ry, cx + rx, cy + ry},
        [&](double x, double y) { return std::max(band(x, y, 0), side(y)); },
        [&](double x, double y) {
          const double k = clamp01((y - (cy - ry)) / (2 * ry));
          return mix(hex(0xE4EAF2), hex(0x6A7488), k) * (0.75 + 0.25 * std::cos((x - cx) / rx));
        });
    Random random(seed + front);
    for (int i = 0; i < 64; ++i) {
      const double a = 2 * pi * i / 64;
      const double wx = cx + std::cos(a) * (rx - 0.5 * t),
                   wy = cy + std::sin(a) * (ry - 0.5 * t * tilt);
      if ((wy >= cy) != front) continue;
      const double lit = random.uniform();
      if (lit < 0.25) continue;
      const double wy2 = wy + t * 0.3 * (front ? 1 : 0.6);
      c.circle(wx, wy2, std::max(0.6, t * 0.09), hex(0xFFE8A0), 0.6 + 0.4 * lit);
      c.glow(wx, wy2, t * 0.5, hex(0xFFD080), 0.25 * lit);
    }
  };
  half(false);
  for (double a : {0.3, 1.87, 3.44, 5.01})
    c.line(cx, cy, cx + std::cos(a) * (rx - t), cy + std::sin(a) * (ry - t * tilt), t * 0.3,
           hex(0x7A8498));
  // The mast, solar panels and docking lights on the hub.
  const double hub = rx * 0.17;
  c.rect(cx - t * 0.5, cy - rx * 0.5, cx + t * 0.5, cy + rx * 0.2, hex(0xA0A8B8));
  c.rect(cx - t * 0.5, cy - rx * 0.5, cx - t * 0.15, cy + rx * 0.2, hex(0xD8DEE8));
  for (double s : {-1.0, 1.0}) {
    const double x0 = cx + s * t, x1 = cx + s * rx * 0.62, y0 = cy - rx * 0.44;
    c.line(cx, y0 + t, x1, y0 + t, t * 0.15, hex(0x8A94A8));
    for (int k = 0; k < 3; ++k) {
      const double a = x0 + s * (k * 0.18 + 0.06) * rx, b = a + s * 0.16 * rx;
      c.polygon({{a, y0 - t * 0.6}, {b, y0 - t * 0.9}, {b, y0 + t * 2.9}, {a, y0 + t * 2.6}},
                hex(0x1A3060));
      c.line((a + b) / 2, y0 - t * 0.7, (a + b) / 2, y0 + t * 2.7, 1, hex(0x6A88C8), 0.7);
    }
  }
  c.fill(
      {cx - hub, cy - hub, cx + hub, cy + hub},
      [&](double x, double y) { return sdf::circle(x, y, cx, cy, hub); },
      [&](double x, double y) {
        const double l =
            clamp01(1 - std::hypot(x - (cx - hub * 0.35), y - (cy - hub * 0.4)) / (hub * 1.4));
        return mix(hex(0x3A4456), hex(0xF0F4FA), l);
      });
  c.ring(cx, cy, hub * 0.7, std::max(1.0, hub * 0.07), hex(0x5A6478), 0.8);
  for (int i = 0; i < 8; ++i) {
    const double a = 2 * pi * i / 8;
    c.glow(cx + std::cos(a) * hub * 0.7, cy + std::sin(a) * hub * 0.7, hub * 0.25, hex(0x60C0FF),
           0.6);
  }
  c.glow(cx, cy - rx * 0.5, t * 1.6, hex(0xFF4040), 0.9);
  c.circle(cx, cy - rx * 0.5, std::max(1.0, t * 0.25), hex(0xFFB0B0));
  half(true);
}

void cargoShip(Canvas& c, double x, double y, double scale, double angle, std::uint64_t seed) {
  const Frame f{x, y, scale, angle};
  const Vec engine = f.at(-124, 0);
  c.glow(engine.x, engine.y, 26 * scale, hex(0x60A0FF), 0.7);
  fillPolygon(c, f.shape({{-108, -7}, {-124, -5}, {-124, 5}, {-108, 7}}), hex(0x4A5060));
  fillPolygon(c, f.shape({{-20, -2.5}, {-110, -2.5}, {-110, 2.5}, {-20, 2.5}}), hex(0x6A7080));
  Random random(seed);
  const std::array<Rgb, 5> paint{hex(0xC04A2A), hex(0x2A6AA0), hex(0xD0A040), hex(0x4A8A5A),
                                 hex(0x8A8A90)};
  for (int i = 0; i < 4; ++i) {
    const double x0 = -26 - i * 21;
    for (double side : {-1.0, 1.0}) {
      if (random.uniform() < 0.12) continue;
      const Rgb k = paint[static_cast<std::size_t>(random.below(5))];
      fillPolygon(
          c, f.shape({{x0, side * 1}, {x0 - 19, side * 1}, {x0 - 19, side * 10}, {x0, side * 10}}),
          side < 0 ? shade(k, 0.15) : shade(k, -0.25));
    }
  }
  fillPolygon(c, f.shape({{0, 0}, {-6, -8}, {-22, -9}, {-22, 9}, {-6, 8}}),
              [&](double px, double py) {
                return mix(hex(0xE8ECF2), hex(0x5A6274), clamp01((f.local(px, py).y + 9) / 18));
              });
  const Vec cab = f.at(-7, -3);
  c.circle(cab.x, cab.y, std::max(0.6, 1.6 * scale), hex(0xFFE8A0));
  c.circle(engine.x, engine.y, 3 * scale + 0.5, hex(0xE0F0FF));
  const Vec beacon = f.at(-60, -11);
  c.glow(beacon.x, beacon.y, 6 * scale + 2, hex(0xFFB040), 0.8);
}

void pirateShip(Canvas& c, double x, double y, double scale, double facing, double angle,
                double glowAmount) {
  const Frame f{x, y, scale, angle, facing};
  const Vec engine = f.at(-206, 0);
  c.glow(engine.x, engine.y, 70 * scale, hex(0xFF3010), 0.7 * glowAmount);
  auto hullPaint = [&](double px, double py) {
    const Vec l = f.local(px, py);
    const double grime = fractalNoise(l.x / 14, l.y / 9, 3, 77);
    const Rgb base = mix(hex(0x4A4C58), hex(0x0E0F14), clamp01((l.y + 30) / 60));
    return shade(base, (grime - 0.5) * 0.5);
  };
  // Prongs reaching forward, the dorsal blade and the wedge of the hull.
  for (double s : {-1.0, 1.0})
    fillPolygon(c, f.shape({{-40, s * 6}, {18, s * 20}, {10, s * 25}, {-70, s * 28}}), hullPaint);
  fillPolygon(c, f.shape({{-95, -28}, {-150, -66}, {-165, -64}, {-150, -30}}), hullPaint);
  fillPolygon(c, f.shape({{-120, 26}, {-160, 46}, {-172, 44}, {-160, 24}}), hullPaint);
  const auto hull = f.shape({{-10, 0},
                             {-45, -12},
                             {-80, -31},
                             {-160, -34},
                             {-195, -18},
                             {-204, 0},
                             {-195, 20},
                             {-160, 30},
                             {-80, 27},
                             {-45, 10}});
  fillPolygon(c, hull, hullPaint);
  // Armour plates and the red slits along them.
  for (double sx : {-70.0, -110.0, -150.0}) {
    const Vec a = f.at(sx, -30), b = f.at(sx - 12, 26);
    c.fill(
        boundsOf({a, b}, 3),
        [&](double px, double py) {
          return std::max(sdf::polygon(px, py, hull),
                          sdf::segment(px, py, a, b, 0.5 * scale + 0.2));
        },
        hex(0x050507), 0.8);
  }
  for (int i = 0; i < 6; ++i) {
    const Vec a = f.at(-60 - i * 20, -6 - (i % 2) * 3), b = f.at(-72 - i * 20, -6 - (i % 2) * 3);
    c.line(a.x, a.y, b.x, b.y, std::max(1.0, 2.2 * scale), hex(0xFF3020));
    c.glow((a.x + b.x) / 2, (a.y + b.y) / 2, 10 * scale + 3, hex(0xFF2010), 0.5 * glowAmount);
  }
  const Vec eye = f.at(-30, -3);
  fillPolygon(c, f.shape({{-22, -4}, {-42, -9}, {-44, -3}, {-26, -1}}), hex(0xFF5030));
  c.glow(eye.x, eye.y, 30 * scale + 4, hex(0xFF2010), 0.8 * glowAmount);
  for (const Vec tip : {f.at(18, -20), f.at(18, 20), f.at(-158, -65)}) {
    c.glow(tip.x, tip.y, 9 * scale + 3, hex(0xFF2020), 0.9 * glowAmount);
    c.circle(tip.x, tip.y, 1.2 * scale + 0.5, hex(0xFFB0A0));
  }
  c.circle(engine.x, engine.y, 9 * scale, hex(0xFF7040));
  c.circle(engine.x, engine.y, 4.5 * scale, hex(0xFFE0C0));
}

void akatsukiAhead(Canvas& c, double x, double y, double s) {
  // Seen from ahead and a little above and to her starboard: her hull runs back to the upper
  // left, where the engines glow.
  const double bx = -64 * s, by = -26 * s;
  auto along = [&](double t, double lx, double ly) {
    return Vec{x + bx * t + lx * s * (1 - 0.45 * t), y + by * t + ly * s * (1 - 0.45 * t)};
  };
  const V3 light = normalised({-0.5, -0.6, 0.6});
  auto lit = [&](Rgb base, Vec centre, double rx, double ry) {
    return [=](double px, double py) {
      const double nx = (px - centre.x) / rx, ny = (py - centre.y) / ry;
      const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
      const double l = std::max(0.0, nx * light.x + ny * light.y + nz * light.z);
      return base * (0.25 + 0.85 * l) + hex(0x60A0FF) * (std::pow(1 - nz, 3) * 0.8);
    };
  };
  // A cross-section of a hull; behind the bow only its rim shows, shaded by the direction
  // from the axis so that the rims of neighbouring sections join smoothly.
  auto section = [&](Vec centre, double rx, double ry, Rgb base, bool bow) {
    auto paint = [=](double px, double py) {
      const double nx = (px - centre.x) / rx, ny = (py - centre.y) / ry;
      const double n = std::max(1e-6, std::hypot(nx, ny));
      const double l = std::max(0.0, (nx * light.x + ny * light.y) / n);
      return base * (0.3 + 0.7 * l) + hex(0x60A0FF) * (0.35 * std::max(0.0, (nx + ny) / n));
    };
    const Bounds b{centre.x - rx - 1, centre.y - ry - 1, centre.x + rx + 1, centre.y + ry + 1};
    const auto d = [&](double px, double py) {
      return sdf::ellipse(px, py, centre.x, centre.y, rx, ry);
    };
    if (bow)
      c.fill(b, d, lit(base, centre, rx, ry));
    else
      c.fill(b, d, paint);
  };
  const Vec rear = along(1, 0, 0);
  c.glow(rear.x, rear.y, 130 * s, hex(0x3070FF), 0.55);
  c.glow(rear.x, rear.y, 40 * s, hex(0xC0E0FF), 0.6);
  // The fin over her stern, the nacelle under it, then the hull from stern to bow.
  const Vec finRoot = along(0.9, 0, -14), finTip = along(1.05, -4, -52);
  c.polygon({{finRoot.x - 8 * s, finRoot.y},
             {finRoot.x + 6 * s, finRoot.y},
             {finTip.x + 2 * s, finTip.y},
             {finTip.x - 3 * s, finTip.y}},
            hex(0xB8C0D0));
  c.glow(finTip.x, finTip.y, 10 * s + 2, hex(0xFF3030), 0.9);
  for (int i = 28; i >= 0; --i) {
    const double t = 0.2 + 0.8 * i / 28.0;
    section(along(t, 0, 20), 15 * s * (1 - 0.45 * t), 9 * s * (1 - 0.45 * t), hex(0x8C96AA),
            i == 0);
  }
  for (int i = 36; i >= 0; --i) {
    const double t = i / 36.0;
    const double k = 1 - 0.45 * t;
    section(along(t, 0, 0), 32 * s * k, 18 * s * k, hex(0xF2F5FA), i == 0);
  }
  // The dawn-red stripe along her starboard side.
  const Vec s0 = along(0.12, 24, -11), s1 = along(1, 24, -11);
  c.line(s0.x, s0.y, s1.x, s1.y, 3.5 * s, hex(0xD04028));
  // The bridge on top, its windows facing forward.
  const Vec b0 = along(0.45, 0, -14);
  const double bk = 1 - 0.45 * 0.45;
  c.polygon({{b0.x - 19 * s * bk, b0.y + 2 * s},
             {b0.x + 19 * s * bk, b0.y + 2 * s},
             {b0.x + 14 * s * bk, b0.y - 16 * s * bk},
             {b0.x - 14 * s * bk, b0.y - 16 * s * bk}},
            hex(0xE6EAF2));
  c.polygon({{b0.x - 15 * s * bk, b0.y - 4 * s * bk},
             {b0.x + 15 * s * bk, b0.y - 4 * s * bk},
             {b0.x + 12 * s * bk, b0.y - 12 * s * bk},
             {b0.x - 12 * s * bk, b0.y - 12 * s * bk}},
            hex(0x10283C));
  c.polygon({{b0.x - 11 * s * bk, b0.y - 5 * s * bk},
             {b0.x - 3 * s * bk, b0.y - 5 * s * bk},
             {b0.x - 2 * s * bk, b0.y - 11 * s * bk},
             {b0.x - 9 * s * bk, b0.y - 11 * s * bk}},
            hex(0x7FD8FF), 0.8);
  // The plasma gun's muzzle at the bow, the landing light and the side lights.
  c.circle(x, y + 3 * s, 5 * s, hex(0x2A3040));
  c.circle(x, y + 3 * s, 2.5 * s, hex(0x80C0FF));
  c.glow(x, y + 3 * s, 14 * s, hex(0x80C0FF), 0.5);
  c.glow(x, y - 8 * s, 18 * s + 3, hex(0xFFFFFF), 0.5);
  c.glow(x - 31 * s, y, 10 * s + 2, hex(0xFF3030), 0.8);
  c.glow(x + 31 * s, y, 10 * s + 2, hex(0x30FF80), 0.8);
}

void akatsukiDetail(Canvas& c, const Placement& p, host::TextRenderer& text) {
  auto seam = [&](double x0, double y0, double x1, double y1, Rgb colour, double alpha) {
    const Vec a = p.at(x0, y0), b = p.at(x1, y1);
    c.line(a.x, a.y, b.x, b.y, std::max(0.8, 0.25 * p.scale), colour, alpha);
  };
  for (double sx : {-30.0, -85.0, -140.0, -190.0}) seam(sx, -9, sx, 14, hex(0x2A3448), 0.35);
  for (double sy : {-8.0, 11.0}) seam(-22, sy * 0.6, -200, sy, hex(0x2A3448), 0.3);
  // Hatches and sensor ports.
  for (const auto& [hx, hy] : {std::pair{-48.0, 8.0}, std::pair{-160.0, 10.0}}) {
    const Vec a = p.at(hx, hy), b = p.at(hx - 10, hy + 5);
    c.frame(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), p.scale,
            std::max(1.0, 0.3 * p.scale), hex(0x3A4458), 0.7);
  }
  for (int i = 0; i < 3; ++i) {
    const Vec v = p.at(-34 - i * 5, -3);
    c.circle(v.x, v.y, 1.1 * p.scale, hex(0x1A2030));
    c.circle(v.x - 0.3 * p.scale, v.y - 0.3 * p.scale, 0.5 * p.scale, hex(0x8AD0FF));
  }
  // Her name and hull number under the stripe (for a level ship).
  const Font name{std::round(6.5 * p.scale), true, true};
  const Vec at = p.at(-140, 7.5);
  drawText(c, text, name, at.x, at.y, "あかつき", hex(0x1A2440));
  const Font number{std::round(5 * p.scale), false, true};
  const Vec nat = p.at(-84, 7.5);
  drawText(c, text, number, nat.x, nat.y, "SP-07", hex(0xA02818));
}

void emblem(Canvas& c, double cx, double cy, double r, Rgb gold, Rgb field) {
  c.glow(cx, cy, r * 1.6, gold, 0.25);
  c.circle(cx, cy, r, field);
  c.ring(cx, cy, r * 0.92, r * 0.06, gold);
  c.ring(cx, cy, r * 0.84, r * 0.015 + 0.5, gold, 0.7);
  const double hy = cy + r * 0.2;
  // Rays and the rising sun on the horizon.
  for (int i = 0; i < 9; ++i) {
    const double a = pi + pi * (i + 0.5) / 9;
    const double w = 0.05;
    c.polygon({{cx + std::cos(a - w) * r * 0.36, hy + std::sin(a - w) * r * 0.36},
               {cx + std::cos(a) * r * 0.7, hy + std::sin(a) * r * 0.7},
               {cx + std::cos(a + w) * r * 0.36, hy + std::sin(a + w) * r * 0.36}},
              gold, 0.85);
  }
  c.fill(
      {cx - r * 0.3, hy - r * 0.3, cx + r * 0.3, hy},
      [&](double x, double y) { return std::max(sdf::circle(x, y, cx, hy, r * 0.28), y - hy); },
      [&](double, double y) {
        return mix(hex(0xFFF0C0), hex(0xF05030), clamp01((y - hy + r * 0.28) / (r * 0.28)));
      });
  // The wings: feathers sweeping out and up from the horizon.
  for (double s : {-1.0, 1.0}) {
    for (int k = 0; k < 4; ++k) {
      const double reach = r * (0.78 - k * 0.1), lift = r * (0.02 + k * 0.12);
      const double base = r * (0.3 + k * 0.02);
      c.polygon({{cx + s * base, hy - r * 0.02},
                 {cx + s * (base + reach * 0.5), hy - lift - r * 0.1},
                 {cx + s * reach, hy - lift - r * 0.2},
                 {cx + s * (base + reach * 0.45), hy - lift + r * 0.02},
                 {cx + s * base, hy + r * 0.06}},
                shade(gold, -0.08 * k));
    }
  }
  c.rect(cx - r * 0.74, hy, cx + r * 0.74, hy + r * 0.04, gold);
  c.polygon({{cx, hy + r * 0.12},
             {cx + r * 0.08, hy + r * 0.42},
             {cx, hy + r * 0.55},
             {cx - r * 0.08, hy + r * 0.42}},
            gold);
}

void dawn(Canvas& c, double horizon, double curve, double sunX, double sunUp, std::uint32_t seed,
          bool flares) {
  const double w = c.width(), cx = w / 2, cy = horizon + curve;
  const double limbAtSun = cy - std::sqrt(curve * curve - (sunX - cx) * (sunX - cx));
  const double sunY = limbAtSun - sunUp;
  auto near = [&](double x) { return std::exp(-std::pow((x - sunX) / 260, 2)); };
  // The air glowing along the limb: orange low and near the Sun, blue higher and further off.
  c.map(0, 0, c.width(), c.height(), [&](double x, double y, Rgb old) {
    const double h = std::hypot(x - cx, y - cy) - curve;
    if (h < 0) return old;
    const double k = near(x);
    const Rgb low = mix(hex(0x3050A0), hex(0xFF8030), k);
    const Rgb high = mix(hex(0x102050), hex(0x5070C0), k);
    return old + low * (std::exp(-h / 10) * (0.4 + 0.9 * k)) +
           high * (std::exp(-h / 70) * (0.2 + 0.6 * k));
  });
  sun(c, sunX, sunY, 9, 1.1);
  // The night side of the planet, its clouds lit only along the limb near the Sun.
  c.fill(
      {0, horizon - 2, w, static_cast<double>(c.height())},
      [&](double x, double y) { return std::hypot(x - cx, y - cy) - curve; },
      [&](double x, double y) {
        const double h = std::hypot(x - cx, y - cy) - curve;
        const double clouds = fractalNoise(x / 60, (y - horizon) / 14 + 3, 4, seed);
        const double edge = std::exp(h / 26) * near(x);
        Rgb g = mix(hex(0x04060E), hex(0x0E1830), clouds * 0.8);
        g = g + mix(hex(0xFF7A30), hex(0xFFD0A0), smoothstep(0.5, 0.8, clouds)) *
                    (edge * (0.5 + 0.6 * clouds));
        g = g + hex(0x2040A0) * (std::exp(h / 8) * (0.35 + 0.3 * near(x)));
        const double region = smoothstep(0.55, 0.7, fractalNoise(x / 90, y / 30, 3, seed + 4));
        const double towns = smoothstep(0.75, 0.9, fractalNoise(x / 2.5, y / 1.5, 2, seed + 5));
        return g + hex(0xFFB050) * (towns * region * 0.7 * smoothstep(8, 40, -h) * (1 - edge));
      });
  c.glow(sunX, limbAtSun, 120, hex(0xFFB070), 0.5);
  c.glow(sunX, limbAtSun, 30, hex(0xFFFFFF), 0.8);
  if (!flares) return;
  // A few flare rings on the line through the middle of the picture.
  const double mx = w / 2, my = c.height() / 2.0;
  for (const auto& [t, r, a] :
       {std::tuple{0.55, 22.0, 0.08}, std::tuple{1.3, 40.0, 0.06}, std::tuple{1.7, 14.0, 0.1}}) {
    const double fx = sunX + (mx - sunX) * t, fy = sunY + (my - sunY) * t;
    c.glow(fx, fy, r, hex(0x80B0FF), a);
    c.ring(fx, fy, r * 0.7, 1.5, hex(0xFFC080), a);
  }
}

void truss(Canvas& c, Vec a, Vec b, double depth, Rgb colour) {
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  const double nx = -(b.y - a.y) / len * depth / 2, ny = (b.x - a.x) / len * depth / 2;
  const double width = std::max(1.0, depth * 0.12);
  c.line(a.x + nx, a.y + ny, b.x + nx, b.y + ny, width, colour);
  c.line(a.x - nx, a.y - ny, b.x - nx, b.y - ny, width, shade(colour, -0.3));
  const int n = std::max(1, static_cast<int>(len / depth));
  for (int i = 0; i < n; ++i) {
    const double t0 = static_cast<double>(i) / n, t1 = (i + 1.0) / n;
    const Vec p0{a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0};
    const Vec p1{a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1};
    const double s = i % 2 ? 1 : -1;
    c.line(p0.x + nx * s, p0.y + ny * s, p1.x - nx * s, p1.y - ny * s, width * 0.7,
           shade(colour, -0.15));
  }
}

void fromBehind(Canvas& c, double x, double y, double s, Back hair, Rgb coat, bool epaulettes,
                double lit, Rgb rim) {
  auto P = [&](double lx, double ly) { return Vec{x + lx * s, y + ly * s}; };
  auto poly = [&](std::initializer_list<Vec> pts, Rgb colour) {
    std::vector<Vec> v;
    for (const Vec& p : pts) v.push_back(P(p.x, p.y));
    if (lit > 0) {
      std::vector<Vec> up;
      for (const Vec& p : v) up.push_back({p.x, p.y - 1.5});
      c.polygon(up, rim, lit);
    }
    c.polygon(v, colour);
  };
  auto ellipse = [&](double lx, double ly, double rx, double ry, Rgb colour) {
    if (lit > 0) c.ellipse(x + lx * s, y + ly * s - 1.5, rx * s + 0.8, ry * s + 0.5, rim, lit);
    c.ellipse(x + lx * s, y + ly * s, rx * s, ry * s, colour);
  };
  const Rgb skin = hex(0xE0B8A0);
  poly({{-25, 6}, {-21, -1}, {-8, -5}, {8, -5}, {21, -1}, {25, 6}, {28, 70}, {-28, 70}}, coat);
  poly({{-1, -4}, {1, -4}, {1, 70}, {-1, 70}}, shade(coat, -0.3));
  c.box(x - 5 * s, y - 18 * s, x + 5 * s, y - 3 * s, 2 * s, shade(skin, -0.3));
  poly({{-9, -6}, {9, -6}, {7, -1}, {-7, -1}}, shade(coat, 0.15));
  if (epaulettes)
    for (double side : {-1.0, 1.0})
      poly({{side * 10, -4}, {side * 22, -1}, {side * 23, 3}, {side * 10, 0}}, hex(0xE0B040));
  ellipse(0, -27, 13.5, 15, skin);
  for (double side : {-1.0, 1.0}) ellipse(side * 13.5, -25, 2.5, 4, shade(skin, -0.15));
  switch (hair) {
    case Back::bob: {
      // Cut level at the chin, the ends turning in, a sheen across the crown.
      const Rgb h = hex(0x25203C);
      if (lit > 0) c.ellipse(x, y - 30.5 * s, 17 * s, 17 * s, rim, lit);
      c.fill(
          {x - 18 * s, y - 46 * s, x + 18 * s, y - 8 * s},
          [&](double px, double py) {
            const double ly = (py - y) / s, lx = (px - x) / s;
            const double inward = ly > -16 ? (ly + 16) * 0.25 : 0;
            return std::min(sdf::ellipse(px, py, x, y - 29 * s, 16 * s, 16 * s),
                            sdf::box(lx, ly, -16 + inward, -29, 16 - inward, -11, 3) * s);
          },
          [&](double px, double py) {
            const double lx = (px - x) / s, ly = (py - y) / s;
            const double strands = 0.5 + 0.5 * std::sin(lx * 1.3 + std::sin(ly * 0.2) * 1.5);
            const double sheen = std::exp(-std::pow((ly + 36 + 0.02 * lx * lx) / 3.5, 2));
            return mix(shade(h, -0.15 * strands), hex(0x6A64A0), sheen * 0.6);
          });
      break;
    }
    case Back::buns:
      ellipse(0, -28, 15, 15.5, hex(0x1A1418));
      for (double side : {-1.0, 1.0}) {
        ellipse(side * 11, -42, 7, 7, hex(0x1A1418));
        c.ellipse(x + side * 8 * s, y - 38 * s, 3 * s, 2 * s, hex(0xE0303A));
      }
      break;
    case Back::wavy:
      ellipse(0, -29, 17, 17, hex(0xD8B060));
      c.fill(
          {x - 21 * s, y - 30 * s, x + 21 * s, y + 14 * s},
          [&](double px, double py) {
            const double ly = (py - y) / s;
            const double wave = 1.6 * std::sin(ly * 0.45);
            return sdf::box(px, py, x - (19 + wave) * s, y - 30 * s, x + (19 + wave) * s,
                            y + 12 * s, 8 * s);
          },
          [&](double, double py) {
            return shade(hex(0xD8B060), -0.25 * clamp01((py - y + 30 * s) / (42 * s)));
          });
      c.ellipse(x - 5 * s, y - 38 * s, 8 * s, 3 * s, hex(0xFFE8A8), 0.5);
      break;
    case Back::short_:
      ellipse(0, -30, 14.5, 14, hex(0x6A3E22));
      c.box(x - 14 * s, y - 32 * s, x + 14 * s, y - 19 * s, 5 * s, hex(0x6A3E22));
      break;
    case Back::crew:
      c.fill(
          {x - 15 * s, y - 44 * s, x + 15 * s, y - 24 * s},
          [&](double px, double py) {
            return std::max(sdf::ellipse(px, py, x, y - 28 * s, 14 * s, 15.5 * s),
                            py - (y - 26 * s));
          },
          hex(0xB4AC8C));
      break;
    case Back::spiky: {
      std::vector<Vec> spikes;
      for (int i = 0; i <= 12; ++i) {
        const double a = pi * (0.9 + 1.2 * i / 12.0);
        const double r = i % 2 ? 15 : 21;
        spikes.push_back(P(std::cos(a) * r, -29 + std::sin(a) * r));
      }
      spikes.push_back(P(12, -14));
      spikes.push_back(P(-12, -14));
      c.polygon(spikes, hex(0xC0601C));
      c.ellipse(x - 3 * s, y - 38 * s, 7 * s, 3 * s, hex(0xF4A450), 0.45);
      break;
    }
    case Back::cap:
      ellipse(0, -26, 14.5, 13, hex(0x9C9CA4));
      c.box(x - 15 * s, y - 44 * s, x + 15 * s, y - 31 * s, 3 * s, hex(0x161E38));
      c.ellipse(x, y - 44 * s, 17 * s, 5 * s, hex(0x1E2848));
      c.rect(x - 15 * s, y - 34 * s, x + 15 * s, y - 31 * s, hex(0xC09030));
      break;
  }
}

void bridge(Canvas& c, const Canvas& view, bool dim, bool crew, Captain captain) {
  const double h = c.height(), k = h / 270;
  const double top = 14 * k, bottom = 150 * k;
  const double light = dim ? 0.35 : 1.0;
  c.mapAll([&](double, double y, Rgb) {
    return mix(hex(0x1A2230), hex(0x0A0E16), y / h) * (0.6 + 0.4 * light);
  });
  window(c, view, {{70, top}, {570, top}, {612, bottom}, {28, bottom}});
  for (double x : {190.0, 320.0, 450.0})
    c.line(x, top, x + (x - 320) * 0.12, bottom, 6 * k, hex(0x141A26));
  c.frame(24, top - 4 * k, 616, bottom + 4 * k, 4, 6 * k, hex(0x2A3446));
  c.polygon({{0, 0}, {640, 0}, {570, top - 3}, {70, top - 3}}, hex(0x1E2636) * (0.5 + 0.5 * light));
  for (int i = 0; i < 5; ++i) lamp(c, 160 + i * 80, 6 * k, 50 * k, hex(0x8FB8FF), 0.25 * light);
  // The long console under the window, its displays glowing.
  const double c0 = bottom + 6 * k, c1 = c0 + 40 * k;
  c.fill(
      {0, c0, 640, c1 + 14 * k},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{40, c0}, {600, c0}, {640, c1}, {0, c1}});
      },
      [&](double, double y) {
        return mix(hex(0x4A5670), hex(0x1A2030), (y - c0) / (c1 - c0)) * (0.5 + 0.5 * light);
      });
  c.rect(0, c1, 640, c1 + 10 * k, hex(0x10141E));
  for (int i = 0; i < 7; ++i) {
    const double x = 70 + i * 72;
    screen(c, x, c0 + 5 * k, x + 52, c0 + 22 * k,
           (i % 3 == 1 ? hex(0x60FF90) : hex(0x50C8FF)) * (0.6 + 0.4 * light),
           static_cast<std::uint64_t>(40 + i));
  }
  // The crew at their stations: radar, helm, gunnery and communications.
  if (crew) {
    const std::array<std::pair<double, Back>, 4> seats{
        {{130, Back::buns}, {250, Back::spiky}, {390, Back::crew}, {510, Back::bob}}};
    for (const auto& [x, hair] : seats) {
      const Rgb coat = hair == Back::crew ? hex(0x3E4A3C) : hex(0x26386A);
      fromBehind(c, x, c0 + 18 * k, 0.75 * k, hair, coat, false, 0.5 * light);
      c.box(x - 26 * k, c0 + 26 * k, x + 26 * k, c1 + 30 * k, 8 * k, hex(0x0E121C));
      c.frame(x - 26 * k, c0 + 26 * k, x + 26 * k, c1 + 30 * k, 8 * k, 1.5, hex(0x4A6090), 0.6);
    }
  }
  c.rect(0, c1 + 10 * k, 640, h, hex(0x0A0D14));
  c.map(0, static_cast<int>(c1 + 10 * k), 640, static_cast<int>(h),
        [&](double x, double y, Rgb old) {
          return old + hex(0x203048) *
                           (0.4 * std::exp(-std::abs(x - 320) / 200) * (1 - (y - c1) / (h - c1)));
        });
  switch (captain) {
    case Captain::armrests:
      // The floor plates and the panels on the arms of the captain's seat, at the picture's
      // lower corners.
      for (int i = -5; i <= 5; ++i)
        c.line(320 + i * 50, c1 + 10 * k, 320 + i * 150, h, 1, hex(0x2A3448), 0.5);
      for (double s : {-1.0, 1.0}) {
        const double edge = s < 0 ? 0 : 640;
        const std::vector<Vec> arm{{edge, h},
                                   {edge, h - 60 * k},
                                   {edge - s * 130 * k, h - 50 * k},
                                   {edge - s * 170 * k, h}};
        c.fill(
            boundsOf(arm), [&](double x, double y) { return sdf::polygon(x, y, arm); },
            [&](double, double y) {
              return mix(hex(0x2A3446), hex(0x0E121C), (y - (h - 60 * k)) / (60 * k));
            });
        c.line(edge, h - 60 * k, edge - s * 130 * k, h - 50 * k, 2, hex(0x5A6A90), 0.8);
        const double sx = edge - s * 100 * k;
        screen(c, std::min(sx, sx + s * 70 * k), h - 42 * k, std::max(sx, sx + s * 70 * k),
               h - 22 * k, s < 0 ? hex(0x50C8FF) : hex(0xFFB040), s < 0 ? 61 : 62);
        for (int i = 0; i < 3; ++i) {
          const Rgb led =
              std::array{hex(0xFFB040), hex(0x40FF90), hex(0x50C8FF)}[static_cast<std::size_t>(i)];
          const double lx = edge - s * (110 - i * 14) * k, ly = h - 12 * k;
          c.circle(lx, ly, 2 * k, led);
          c.glow(lx, ly, 8 * k, led, 0.5);
        }
      }
      break;
    case Captain::emptyChair:
    case Captain::inChair:
      if (captain == Captain::inChair)
        fromBehind(c, 320, h - 84 * k, 0.95 * k, Back::cap, hex(0x161E38), true, 0.6 * light);
      c.box(272, h - 74 * k, 368, h + 10, 18 * k, hex(0x0A0D16));
      c.frame(272, h - 74 * k, 368, h + 10, 18 * k, 2, hex(0x8090C0), 0.55);
      c.box(250, h - 40 * k, 276, h + 10, 6 * k, hex(0x121826));
      c.box(364, h - 40 * k, 390, h + 10, 6 * k, hex(0x121826));
      c.circle(263, h - 36 * k, 2 * k, hex(0xFFB040));
      break;
  }
  vignette(c, 0.4);
}

Canvas deepSpace(int h, std::uint32_t seed, Rgb cloud, double cloudAmount, int stars) {
  Canvas c(640, h);
  c.mapAll([&](double x, double y, Rgb) {
    const double wisp = smoothstep(0.45, 0.85, fractalNoise(x / 140, y / 110, 4, seed));
    return mix(hex(0x010208), hex(0x070C22), y / h) + cloud * (wisp * cloudAmount);
  });
  c.stars(0, 0, c.width(), c.height(), stars, seed * 7 + 1);
  return c;
}

}  // namespace zav3::assets::show
