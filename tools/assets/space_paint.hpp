// Painting shared by the event pictures (scenes.cpp) and the opening and ending picture shows:
// space skies, lit planets, the patrol ship Akatsuki seen from her side, asteroids, rooms seen
// from their open side, screens, lamps, the darkened edges of a picture, and the event pictures
// that the shows build on.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/paint.hpp"

namespace zav3::assets {

struct V3 {
  double x, y, z;
};
inline V3 normalised(V3 v) {
  const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / n, v.y / n, v.z / n};
}

// --- space ---

// Black-blue sky with coloured nebula clouds and stars.
void spaceSky(Canvas& c, std::uint32_t seed, Rgb top, Rgb bottom, Rgb cloud, double cloudAmount,
              int starCount);

// A lit sphere. `surface(nx, ny, nz)` gives the ground colour at the unit normal; `light` points
// towards the sun.
template <class S>
void planet(Canvas& c, double cx, double cy, double r, V3 light, S surface, Rgb air,
            double airWidth) {
  light = normalised(light);
  const double outer = r + airWidth;
  for (int y = std::max(0, static_cast<int>(cy - outer));
       y < std::min(c.height(), static_cast<int>(cy + outer) + 1); ++y) {
    for (int x = std::max(0, static_cast<int>(cx - outer));
         x < std::min(c.width(), static_cast<int>(cx + outer) + 1); ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
      if (d <= r || d >= outer) continue;
      const double t = 1 - (d - r) / airWidth;
      const double lit = clamp01((dx / d * light.x + dy / d * light.y) * 0.9 + 0.35);
      c.add(x, y, air, t * t * lit * 0.9);
    }
  }
  c.fill(
      {cx - r, cy - r, cx + r, cy + r},
      [&](double x, double y) { return sdf::circle(x, y, cx, cy, r); },
      [&](double x, double y) {
        const double nx = (x - cx) / r, ny = (y - cy) / r;
        const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
        const double lambert = nx * light.x + ny * light.y + nz * light.z;
        const double day = smoothstep(-0.12, 0.75, lambert);
        const double rim = std::pow(1 - nz, 3) * smoothstep(-0.1, 0.5, lambert);
        return surface(nx, ny, nz) * (0.03 + 1.1 * day) + air * (rim * 0.7);
      });
}

Rgb marsGround(double nx, double ny, double nz);
Rgb jupiterGround(double nx, double ny, double nz);

// A rough rock lit from `light`.
void asteroid(Canvas& c, double cx, double cy, double r, std::uint64_t seed, V3 light, Rgb tone);

// --- the patrol ship Akatsuki ---

struct Placement {
  double x, y, scale, angle;  // nose position, size factor, rotation in radians
  Vec at(double lx, double ly) const {
    const double c = std::cos(angle), s = std::sin(angle);
    return {x + (lx * c - ly * s) * scale, y + (lx * s + ly * c) * scale};
  }
  double localY(double wx, double wy) const {
    const double c = std::cos(angle), s = std::sin(angle);
    return (-(wx - x) * s + (wy - y) * c) / scale;
  }
};

// The ship from her port side, nose at the placement's point and pointing along its angle; at
// scale 1 she is about 246 px long.
void akatsuki(Canvas& c, const Placement& p);

// --- rooms ---

struct RoomLook {
  Rgb ceilingNear, ceilingFar, wallNear, wallFar, floorNear, floorFar, back, backLow;
};

// A room seen from its open side: ceiling, side walls and floor run from the picture's edges
// to the back wall `back`.
void room(Canvas& c, Bounds back, const RoomLook& look);
// Lines on the floor running towards the back wall, and cross lines closer together with depth.
void floorGrid(Canvas& c, Bounds back, int lanes, int rows, Rgb colour, double alpha);
// A view out of a window: the pixels of `view` inside the polygon.
void window(Canvas& c, const Canvas& view, const std::vector<Vec>& pane);
// A glowing display with rows of readings.
void screen(Canvas& c, double x0, double y0, double x1, double y1, Rgb colour, std::uint64_t seed);
void lamp(Canvas& c, double x, double y, double radius, Rgb colour, double strength);
// Darkens the picture towards its edges.
void vignette(Canvas& c, double amount);

// --- event pictures of CG (640 x 270) that other pictures build on ---

Canvas engineRoom();
Canvas radarRoom();

}  // namespace zav3::assets
