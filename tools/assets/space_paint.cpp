// Painting shared by the event pictures and the picture shows: space skies, lit planets, the
// patrol ship Akatsuki seen from her side, asteroids, rooms seen from their open side, screens,
// lamps and the darkened edges of a picture.
#include "assets/space_paint.hpp"

namespace zav3::assets {

namespace {
constexpr double pi = 3.14159265358979323846;
}  // namespace

// --- space ---

// Black-blue sky with coloured nebula clouds and stars.
void spaceSky(Canvas& c, std::uint32_t seed, Rgb top, Rgb bottom, Rgb cloud, double cloudAmount,
              int starCount) {
  const double h = c.height();
  c.mapAll([&](double x, double y, Rgb) {
    const double n = fractalNoise(x / 140, y / 110, 5, seed);
    const double wisp = smoothstep(0.45, 0.85, n) * cloudAmount;
    return mix(top, bottom, y / h) + cloud * wisp;
  });
  c.stars(0, 0, c.width(), c.height(), starCount, seed * 7 + 1);
}

Rgb marsGround(double nx, double ny, double nz) {
  const double lon = std::atan2(nx, nz), lat = std::asin(std::clamp(ny, -1.0, 1.0));
  const double n = fractalNoise(lon * 3 + 20, lat * 5 + 3, 6, 41);
  const double m = fractalNoise(lon * 9 + 5, lat * 14, 4, 42);
  Rgb g = mix(hex(0xB8481A), hex(0xE0824A), smoothstep(0.35, 0.7, n));
  g = mix(g, hex(0x5A2612), smoothstep(0.6, 0.8, m) * 0.7);
  const double cap = smoothstep(-0.86, -0.93, ny + 0.04 * (n - 0.5));
  return mix(g, hex(0xF4EEE8), cap);
}

Rgb jupiterGround(double nx, double ny, double nz) {
  const double lon = std::atan2(nx, nz);
  const double turbulence = fractalNoise(lon * 4, ny * 18, 5, 91) - 0.5;
  const double v = ny + 0.035 * turbulence + 0.01 * std::sin(lon * 12 + ny * 30);
  const double bands = 0.5 + 0.5 * std::sin(v * 23 + 0.6);
  const double fine = 0.5 + 0.5 * std::sin(v * 61 + turbulence * 4);
  Rgb g = mix(hex(0xA8683E), hex(0xF2E2C6), smoothstep(0.25, 0.75, bands));
  g = mix(g, hex(0xC89468), fine * 0.35);
  if (std::abs(ny) > 0.75) g = mix(g, hex(0x7C6A5C), smoothstep(0.75, 0.95, std::abs(ny)));
  // The great red spot, with a pale collar.
  const double sx = (lon + 0.25) / 0.2, sy = (ny - 0.22) / 0.07;
  const double spot = std::hypot(sx, sy);
  g = mix(g, hex(0xF6E8D8), smoothstep(1.5, 1.0, spot) * 0.6);
  g = mix(g, mix(hex(0xC04A2A), hex(0xE0805A), clamp01(spot)), smoothstep(1.0, 0.8, spot));
  return g;
}

// --- the patrol ship Akatsuki ---

void akatsuki(Canvas& c, const Placement& p) {
  auto shape = [&](std::initializer_list<Vec> local) {
    std::vector<Vec> out;
    for (const Vec& v : local) out.push_back(p.at(v.x, v.y));
    return out;
  };
  auto hullPaint = [&](Rgb top, Rgb bottom, double y0, double y1) {
    return [=, &p](double x, double y) {
      return mix(top, bottom, clamp01((p.localY(x, y) - y0) / (y1 - y0)));
    };
  };
  auto fillShape = [&](const std::vector<Vec>& pts, auto paint) {
    Bounds b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const Vec& v : pts) {
      b.x0 = std::min(b.x0, v.x), b.y0 = std::min(b.y0, v.y);
      b.x1 = std::max(b.x1, v.x), b.y1 = std::max(b.y1, v.y);
    }
    c.fill(
        b, [&](double x, double y) { return sdf::polygon(x, y, pts); }, paint);
  };

  // Engine light behind the ship.
  const Vec e1 = p.at(-241, -3), e2 = p.at(-245, 21);
  c.glow(e1.x, e1.y, 60 * p.scale, hex(0x3070FF), 0.8);
  c.glow(e2.x, e2.y, 40 * p.scale, hex(0x3070FF), 0.6);

  const auto fin = shape({{-182, -14}, {-214, -42}, {-228, -43}, {-223, -14}});
  fillShape(fin, hullPaint(hex(0xDDE3EE), hex(0x7A8498), -43, -14));
  const auto nacelle = shape({{-128, 14}, {-142, 26}, {-238, 28}, {-246, 21}, {-240, 14}});
  fillShape(nacelle, hullPaint(hex(0x8C96AA), hex(0x2E3444), 14, 28));
  const auto hull = shape({{0, 2},
                           {-18, -4},
                           {-60, -12},
                           {-150, -16},
                           {-205, -15},
                           {-232, -11},
                           {-237, 0},
                           {-232, 13},
                           {-205, 17},
                           {-120, 18},
                           {-50, 12},
                           {-14, 6}});
  fillShape(hull, hullPaint(hex(0xF2F5FA), hex(0x46506A), -16, 18));
  const auto bridge = shape({{-90, -14}, {-106, -28}, {-150, -30}, {-166, -15}});
  fillShape(bridge, hullPaint(hex(0xF6F8FC), hex(0x9098AC), -30, -14));
  fillShape(shape({{-106, -23}, {-147, -25}, {-149, -20}, {-103, -19}}), hex(0x10283C));
  fillShape(shape({{-108, -23}, {-120, -23.6}, {-117, -20}, {-106, -19.6}}), hex(0x7FD8FF));
  // The dawn-red stripe along the hull and the panel seams.
  fillShape(shape({{-16, 2}, {-202, 1}, {-203, 6}, {-26, 6}}),
            hullPaint(hex(0xF05030), hex(0x901C10), 1, 6));
  for (double sx : {-60.0, -112.0, -172.0, -214.0}) {
    const Vec a = p.at(sx, -20), b = p.at(sx + 2, 20);
    c.fill(
        {std::min(a.x, b.x) - 2, std::min(a.y, b.y), std::max(a.x, b.x) + 2, std::max(a.y, b.y)},
        [&](double x, double y) {
          return std::max(sdf::polygon(x, y, hull), sdf::segment(x, y, a, b, 0.35 * p.scale));
        },
        hex(0x20283A), 0.6);
  }
  for (int i = 0; i < 12; ++i) {
    const Vec w = p.at(-66 - i * 9, -7);
    c.circle(w.x, w.y, std::max(0.5, 1.1 * p.scale), hex(0xFFF0B0));
  }
  // Engines and navigation lights.
  for (const auto& [e, r] : {std::pair{e1, 8.0}, std::pair{e2, 5.5}}) {
    c.circle(e.x, e.y, r * p.scale, hex(0x9CC8FF));
    c.circle(e.x, e.y, r * 0.55 * p.scale, hex(0xFFFFFF));
  }
  const Vec tip = p.at(-226, -43), nose = p.at(-4, 3);
  c.glow(tip.x, tip.y, 8 * p.scale + 2, hex(0xFF3030), 0.9);
  c.glow(nose.x, nose.y, 6 * p.scale + 2, hex(0x30FF80), 0.7);
}

// --- rooms ---

// A room seen from its open side: ceiling, side walls and floor run from the picture's edges
// to the back wall `back`.
void room(Canvas& c, Bounds back, const RoomLook& look) {
  const double w = c.width(), h = c.height();
  c.fill(
      {0, 0, w, back.y0},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{0, 0}, {w, 0}, {back.x1, back.y0}, {back.x0, back.y0}});
      },
      [&](double, double y) { return mix(look.ceilingNear, look.ceilingFar, y / back.y0); });
  c.fill(
      {0, 0, back.x0, h},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{0, 0}, {back.x0, back.y0}, {back.x0, back.y1}, {0, h}});
      },
      [&](double x, double) { return mix(look.wallNear, look.wallFar, x / back.x0); });
  c.fill(
      {back.x1, 0, w, h},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{w, 0}, {w, h}, {back.x1, back.y1}, {back.x1, back.y0}});
      },
      [&](double x, double) { return mix(look.wallNear, look.wallFar, (w - x) / (w - back.x1)); });
  c.fill(
      {0, back.y1, w, h},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{0, h}, {back.x0, back.y1}, {back.x1, back.y1}, {w, h}});
      },
      [&](double, double y) {
        return mix(look.floorFar, look.floorNear, (y - back.y1) / (h - back.y1));
      });
  c.gradient(back.x0, back.y0, back.x1, back.y1, look.back, look.backLow);
}

// Lines on the floor running towards the back wall, and cross lines closer together with depth.
void floorGrid(Canvas& c, Bounds back, int lanes, int rows, Rgb colour, double alpha) {
  const double w = c.width(), h = c.height();
  for (int i = 0; i <= lanes; ++i) {
    const double t = static_cast<double>(i) / lanes;
    c.line(back.x0 + (back.x1 - back.x0) * t, back.y1, -w + 3 * w * t, h + 0.0, 1, colour, alpha);
  }
  for (int j = 1; j <= rows; ++j) {
    const double t = static_cast<double>(j) / rows;
    const double y = back.y1 + (h - back.y1) * t * t;
    const double k = (y - back.y1) / (h - back.y1);
    c.line(back.x0 * (1 - k), y, back.x1 + (w - back.x1) * k, y, 1, colour, alpha * (0.4 + k));
  }
}

// A view out of a window: the pixels of `view` inside the polygon.
void window(Canvas& c, const Canvas& view, const std::vector<Vec>& pane) {
  Bounds b{1e9, 1e9, -1e9, -1e9};
  for (const Vec& v : pane) {
    b.x0 = std::min(b.x0, v.x), b.y0 = std::min(b.y0, v.y);
    b.x1 = std::max(b.x1, v.x), b.y1 = std::max(b.y1, v.y);
  }
  c.fill(
      b, [&](double x, double y) { return sdf::polygon(x, y, pane); },
      [&](double x, double y) {
        const int vx = std::clamp(static_cast<int>(x), 0, view.width() - 1);
        const int vy = std::clamp(static_cast<int>(y), 0, view.height() - 1);
        return view.get(vx, vy);
      });
}

// A glowing display with rows of readings.
void screen(Canvas& c, double x0, double y0, double x1, double y1, Rgb colour, std::uint64_t seed) {
  c.box(x0 - 1, y0 - 1, x1 + 1, y1 + 1, 2, hex(0x141A24));
  c.box(x0, y0, x1, y1, 1.5, colour * 0.18);
  Random random(seed);
  const double rows = std::max(1.0, std::floor((y1 - y0 - 4) / 4));
  for (int i = 0; i < rows; ++i) {
    const double y = y0 + 3 + i * 4;
    const double len = (x1 - x0 - 6) * random.range(0.3, 1.0);
    c.line(x0 + 3, y, x0 + 3 + len, y, 1.2, colour, random.range(0.4, 0.9));
  }
  c.glow((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) * 0.9, colour, 0.12);
}

void lamp(Canvas& c, double x, double y, double radius, Rgb colour, double strength) {
  c.glow(x, y, radius, colour, strength);
  c.ellipse(x, y, radius * 0.12, radius * 0.04 + 1, shade(colour, 0.6));
}

// Darkens the picture towards its edges.
void vignette(Canvas& c, double amount) {
  const double w = c.width(), h = c.height();
  c.mapAll([&](double x, double y, Rgb old) {
    const double d = std::hypot((x - w / 2) / (w / 2), (y - h / 2) / (h / 2));
    return old * (1 - amount * smoothstep(0.6, 1.5, d));
  });
}

void asteroid(Canvas& c, double cx, double cy, double r, std::uint64_t seed, V3 light, Rgb tone) {
  Random random(seed);
  std::vector<Vec> outline;
  const int corners = 14;
  double phase = random.range(0, 2 * pi);
  for (int i = 0; i < corners; ++i) {
    const double a = phase + 2 * pi * i / corners;
    const double k = random.range(0.78, 1.08);
    outline.push_back({cx + std::cos(a) * r * k, cy + std::sin(a) * r * k * 0.85});
  }
  light = normalised(light);
  const auto noiseSeed = static_cast<std::uint32_t>(seed);
  c.fill(
      {cx - r * 1.1, cy - r * 1.1, cx + r * 1.1, cy + r * 1.1},
      [&](double x, double y) { return sdf::polygon(x, y, outline); },
      [&](double x, double y) {
        const double nx = (x - cx) / r, ny = (y - cy) / (r * 0.85);
        const double nz = std::sqrt(std::max(0.05, 1 - nx * nx - ny * ny));
        const double lambert = std::max(0.0, (nx * light.x + ny * light.y + nz * light.z) /
                                                 std::sqrt(nx * nx + ny * ny + nz * nz));
        const double n = fractalNoise(x / (r * 0.35), y / (r * 0.35), 4, noiseSeed);
        const double pits = smoothstep(0.62, 0.7, n) * 0.45;
        return tone * ((0.06 + 0.95 * lambert) * (0.75 + 0.5 * n - pits));
      });
}
}  // namespace zav3::assets
