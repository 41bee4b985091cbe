// The numbered event pictures of CG (640 x 270, the scene area): space views around the patrol
// ship Akatsuki and rooms aboard her (001..009, 011..013). Picture 7 is stored as "007.cmp"
// without its "BM" signature.
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "assets/assets.hpp"
#include "assets/paint.hpp"
#include "assets/space_paint.hpp"
#include "host/bmp.hpp"

namespace zav3::assets {

namespace {

constexpr int sceneWidth = 640;
constexpr int sceneHeight = 270;
constexpr double pi = 3.14159265358979323846;

Canvas blankScene() {
  return Canvas(sceneWidth, sceneHeight);
}

// --- the pictures ---

Canvas marsOrbit() {
  Canvas c = blankScene();
  spaceSky(c, 1, hex(0x020308), hex(0x0A0E24), hex(0x3A2050), 0.5, 420);
  planet(c, 500, 360, 250, {-0.7, -0.55, 0.45}, marsGround, hex(0xFF9A70), 14);
  akatsuki(c, {340, 112, 0.95, -0.08});
  vignette(c, 0.35);
  return c;
}

Canvas spaceView(std::uint32_t seed) {
  Canvas v = blankScene();
  spaceSky(v, seed, hex(0x01020A), hex(0x081030), hex(0x203070), 0.6, 300);
  planet(v, 470, 230, 120, {-0.6, -0.6, 0.5}, marsGround, hex(0xFF9A70), 10);
  return v;
}

Canvas bridgeInterior() {
  Canvas c = blankScene();
  const Canvas view = spaceView(2);
  const RoomLook look{hex(0x1A2230), hex(0x2C3648), hex(0x1C2432), hex(0x323E54),
                      hex(0x10141C), hex(0x262E3E), hex(0x0A0E18), hex(0x0A0E18)};
  const Bounds back{110, 34, 530, 160};
  room(c, back, look);
  window(c, view, {{130, 40}, {510, 40}, {528, 150}, {112, 150}});
  for (double x : {256.0, 384.0}) c.line(x, 40, x + (x - 320) * 0.08, 150, 5, hex(0x1A2230));
  c.frame(108, 36, 532, 154, 3, 5, hex(0x2A3446));
  // Ceiling lights and wall panels.
  for (int i = 0; i < 5; ++i) lamp(c, 160 + i * 80, 14, 60, hex(0x8FB8FF), 0.25);
  for (bool right : {false, true}) {
    for (int i = 0; i < 4; ++i) {
      const double x = right ? 640 - 20 - i * 22 : 20 + i * 22;
      const double y0 = 30 + i * 6, y1 = 200 - i * 10;
      c.line(x, y0, x, y1, 1, hex(0x0C1018), 0.8);
      Random random(static_cast<std::uint64_t>(i * 7 + right));
      for (int k = 0; k < 3; ++k) {
        const double ly = random.range(y0 + 10, y1 - 10);
        const Rgb led = k % 2 ? hex(0x40FF90) : hex(0xFFB040);
        c.circle(x + (right ? -8 : 8), ly, 1.5, led);
        c.glow(x + (right ? -8 : 8), ly, 6, led, 0.5);
      }
    }
  }
  // The long console under the window, with its displays.
  c.fill(
      {40, 160, 600, 220},
      [](double x, double y) {
        return sdf::polygon(x, y, {{100, 162}, {540, 162}, {600, 200}, {40, 200}});
      },
      [](double, double y) { return mix(hex(0x4A5670), hex(0x222A3A), (y - 162) / 38); });
  c.rect(40, 200, 600, 214, hex(0x141A26));
  for (int i = 0; i < 6; ++i) {
    const double x = 120 + i * 70;
    screen(c, x, 168, x + 50, 188, i % 3 == 1 ? hex(0x60FF90) : hex(0x50C8FF),
           static_cast<std::uint64_t>(20 + i));
  }
  // The captain's chair from behind, with two officers' seats beside it.
  for (double x : {150.0, 490.0}) {
    c.box(x - 28, 206, x + 28, 270, 10, hex(0x0E121C));
    c.frame(x - 28, 206, x + 28, 270, 10, 1.5, hex(0x4A6090), 0.6);
  }
  c.box(272, 178, 368, 272, 18, hex(0x0A0D16));
  c.box(284, 164, 356, 192, 12, hex(0x0E1220));
  c.frame(272, 178, 368, 272, 18, 2, hex(0x8090C0), 0.55);
  c.frame(284, 164, 356, 192, 12, 1.5, hex(0x8090C0), 0.5);
  c.box(252, 220, 276, 270, 6, hex(0x121826));
  c.box(364, 220, 388, 270, 6, hex(0x121826));
  c.circle(264, 224, 2, hex(0xFFB040));
  vignette(c, 0.4);
  return c;
}

Canvas asteroidBelt() {
  Canvas c = blankScene();
  spaceSky(c, 3, hex(0x04030A), hex(0x0C0A18), hex(0x403020), 0.5, 380);
  c.glow(30, 30, 260, hex(0xFFD8A0), 0.55);
  c.glow(30, 30, 60, hex(0xFFFFFF), 0.9);
  // Dust along the belt.
  c.mapAll([](double x, double y, Rgb old) {
    const double band = std::exp(-std::pow((y - 150 + (x - 320) * 0.18) / 70, 2));
    const double n = fractalNoise(x / 90, y / 60, 4, 33);
    return old + hex(0x5A4430) * (band * n * 0.6);
  });
  const V3 light{-0.75, -0.6, 0.35};
  Random random(99);
  for (int i = 0; i < 70; ++i) {
    const double x = random.range(0, 640);
    const double y = 150 - (x - 320) * 0.18 + random.range(-70, 70);
    asteroid(c, x, y, random.range(1.5, 6), 500 + i, light, hex(0x9A8C7C));
  }
  akatsuki(c, {470, 96, 0.32, -0.05});
  for (int i = 0; i < 14; ++i) {
    const double x = random.range(20, 620), y = 150 - (x - 320) * 0.18 + random.range(-90, 90);
    asteroid(c, x, y, random.range(8, 20), 700 + i, light, hex(0xA89880));
  }
  asteroid(c, 110, 220, 62, 901, light, hex(0x8E8070));
  asteroid(c, 585, 48, 40, 902, light, hex(0x9A8876));
  asteroid(c, 300, 250, 30, 903, light, hex(0xA09078));
  vignette(c, 0.3);
  return c;
}

Canvas canteen() {
  Canvas c = blankScene();
  const Canvas view = spaceView(4);
  const Bounds back{120, 40, 520, 170};
  const RoomLook look{hex(0x3A2E26), hex(0x5A4A3C), hex(0x4A3A2E), hex(0x7A6450),
                      hex(0x2A201A), hex(0x5A4636), hex(0x8A7458), hex(0x6A5844)};
  room(c, back, look);
  floorGrid(c, back, 10, 8, hex(0x201812), 0.5);
  window(c, view, {{150, 58}, {490, 58}, {490, 118}, {150, 118}});
  c.frame(146, 54, 494, 122, 4, 4, hex(0x3A3028));
  for (double x : {263.0, 376.0}) c.line(x, 58, x, 118, 3, hex(0x3A3028));
  // Warm lamps over the tables.
  for (double x : {200.0, 320.0, 440.0}) {
    c.line(x, 0, x, 18, 1.5, hex(0x20180F));
    c.polygon({{x - 12, 18}, {x + 12, 18}, {x + 18, 28}, {x - 18, 28}}, hex(0x2A2018));
    c.glow(x, 34, 120, hex(0xFFC070), 0.4);
    c.ellipse(x, 28, 14, 2.5, hex(0xFFE8B0));
  }
  // The serving counter on the right wall and the tables.
  c.polygon({{530, 160}, {600, 150}, {640, 170}, {640, 230}, {540, 200}}, hex(0x6A5A4A));
  c.polygon({{530, 160}, {600, 150}, {640, 170}, {560, 176}}, hex(0xC8B8A0));
  screen(c, 548, 100, 586, 124, hex(0xFFB060), 41);
  for (const auto& [x, y, s] : {std::tuple{200.0, 196.0, 0.8}, std::tuple{420.0, 200.0, 0.85},
                                std::tuple{300.0, 246.0, 1.2}}) {
    c.ellipse(x, y + 30 * s, 50 * s, 8 * s, hex(0x000000), 0.35);
    c.rect(x - 4 * s, y, x + 4 * s, y + 30 * s, hex(0x3A3028));
    c.ellipse(x, y, 56 * s, 12 * s, hex(0xD8CCB8));
    c.ellipse(x, y - 1.5 * s, 52 * s, 10 * s, hex(0xEEE4D4));
    c.ellipse(x - 18 * s, y - 3 * s, 7 * s, 2.5 * s, hex(0xFFFFFF));
    c.ellipse(x + 14 * s, y - 2 * s, 5 * s, 3 * s, hex(0xC06030));
    for (double side : {-1.0, 1.0}) {
      const double sx = x + side * 70 * s;
      c.rect(sx - 2 * s, y + 6 * s, sx + 2 * s, y + 28 * s, hex(0x2A2018));
      c.ellipse(sx, y + 6 * s, 14 * s, 4 * s, hex(0xB04A30));
    }
  }
  vignette(c, 0.35);
  return c;
}

struct CorridorLook {
  Rgb wall, rim, light, far, accent;
};

Canvas corridor(const CorridorLook& look, int seed) {
  Canvas c = blankScene();
  const double vx = 320, vy = 128;
  c.mapAll([&](double x, double y, Rgb) {
    const double d = std::max(std::abs(x - vx) / 320, std::abs(y - vy) / 142);
    return mix(look.far, look.wall, std::pow(d, 0.6));
  });
  // Bulkhead frames, from the far end forwards.
  for (int i = 7; i >= 0; --i) {
    const double k = std::pow(0.62, i);
    const double hw = 300 * k, hh = 150 * k, t = 24 * k;
    const double x0 = vx - hw, x1 = vx + hw, y0 = vy - hh, y1 = vy + hh;
    const Rgb tone = mix(look.far, look.rim, std::pow(1 - i / 8.0, 1.5));
    c.fill(
        {x0, y0, x1, y1},
        [&](double x, double y) {
          const double d = sdf::box(x, y, x0, y0, x1, y1, 30 * k);
          return std::max(d, -d - t);
        },
        [&](double, double y) { return shade(tone, -0.3 * (y - y0) / (y1 - y0)); });
    c.frame(x0 + t, y0 + t, x1 - t, y1 - t, std::max(30 * k - t, 1.0), 1.2, shade(tone, 0.3), 0.7);
    c.glow(vx, y0 + t + 3 * k, 90 * k, look.light, 0.35);
    c.line(x0 + t + 6 * k, y1 - t - 2, x1 - t - 6 * k, y1 - t - 2, std::max(1.0, 2 * k),
           look.accent, 0.8);
  }
  // The door at the far end.
  c.box(vx - 18, vy - 26, vx + 18, vy + 30, 3, shade(look.far, 0.2));
  c.line(vx, vy - 26, vx, vy + 30, 1, look.far);
  c.glow(vx, vy, 60, look.light, 0.3);
  // Floor grating and guide lights.
  for (int i = -6; i <= 6; ++i) {
    const double u = i * 40;
    c.line(vx + u * 0.3, vy + 142 * 0.3, vx + u * 0.95, vy + 142 * 0.95, 1, look.far, 0.35);
  }
  Random random(static_cast<std::uint64_t>(seed));
  for (int i = 0; i < 10; ++i) {
    const double depth = 0.25 + i * 0.08;
    for (double side : {-1.0, 1.0}) {
      const double x = vx + side * 250 * depth, y = vy + 132 * depth;
      c.glow(x, y, 14 * depth + 2, look.accent, 0.7);
    }
  }
  return c;
}

Canvas captainsOffice() {
  Canvas c = blankScene();
  const Canvas view = spaceView(6);
  const Bounds back{150, 36, 500, 180};
  const RoomLook look{hex(0x201610), hex(0x3A281C), hex(0x3A2618), hex(0x5A3C26),
                      hex(0x1A120C), hex(0x3A2A1C), hex(0x5A3E28), hex(0x3E2A1A)};
  room(c, back, look);
  // Wood panelling.
  c.map(150, 36, 500, 180, [](double x, double y, Rgb old) {
    const double grain = fractalNoise(x / 40, y / 3, 3, 61);
    return shade(old, (grain - 0.5) * 0.35 - ((static_cast<int>(x) - 150) % 70 < 2 ? 0.4 : 0));
  });
  window(c, view, {{270, 52}, {470, 52}, {470, 140}, {270, 140}});
  c.frame(266, 48, 474, 144, 3, 5, hex(0x2A1C12));
  c.line(370, 52, 370, 140, 4, hex(0x2A1C12));
  // The crest of the patrol service.
  c.circle(210, 80, 26, hex(0x1A2A50));
  c.ring(210, 80, 26, 3, hex(0xE0B050));
  c.polygon({{210, 60},
             {216, 76},
             {232, 78},
             {219, 88},
             {224, 104},
             {210, 94},
             {196, 104},
             {201, 88},
             {188, 78},
             {204, 76}},
            hex(0xF0C860));
  // Bookshelf on the left wall.
  c.polygon({{20, 40}, {120, 56}, {120, 190}, {20, 220}}, hex(0x2A1A10));
  Random random(66);
  for (int shelf = 0; shelf < 4; ++shelf) {
    const double top = 50 + shelf * 38;
    double x = 28;
    while (x < 112) {
      const double bw = random.range(4, 9);
      const double k = (x - 20) / 100;
      const double y0 = top + 14 * k + random.range(4, 10), y1 = top + 30 + 6 * k;
      const Rgb book = std::array{hex(0x8A2A20), hex(0x2A4A7A), hex(0x3A6A3A), hex(0xB08A40),
                                  hex(0x5A3A6A)}[static_cast<size_t>(random.below(5))];
      c.rect(x, y0, x + bw - 1, y1, book);
      x += bw;
    }
    c.line(20, top + 31 + 6 * 0.0, 120, top + 37, 3, hex(0x4A3020));
  }
  // The desk and its lamp.
  c.glow(520, 170, 140, hex(0xFFC070), 0.5);
  c.polygon({{60, 200}, {580, 200}, {640, 250}, {0, 250}}, hex(0x5A3418));
  c.polygon({{60, 196}, {580, 196}, {580, 202}, {60, 202}}, hex(0x8A5428));
  c.rect(0, 250, 640, 270, hex(0x2A180C));
  c.line(520, 196, 536, 160, 3, hex(0x202020));
  c.polygon({{520, 150}, {556, 150}, {548, 166}, {528, 166}}, hex(0x2A4A3A));
  c.glow(538, 172, 50, hex(0xFFE0A0), 0.7);
  c.box(240, 186, 330, 198, 2, hex(0xE8E0D0));
  c.box(360, 184, 420, 198, 2, hex(0x203040));
  screen(c, 364, 186, 416, 196, hex(0x60C0FF), 67);
  vignette(c, 0.45);
  return c;
}

}  // namespace

Canvas engineRoom() {
  Canvas c = blankScene();
  const Bounds back{90, 20, 550, 200};
  const RoomLook look{hex(0x10141A), hex(0x1C2430), hex(0x141A22), hex(0x263040),
                      hex(0x0C1014), hex(0x1E2630), hex(0x182230), hex(0x101820)};
  room(c, back, look);
  floorGrid(c, back, 16, 10, hex(0x2A3440), 0.6);
  // Pipes along the walls.
  for (int i = 0; i < 4; ++i) {
    const double y = 40 + i * 34;
    c.line(0, y - 20 + i * 4, 90, y, 6, hex(0x3A4656));
    c.line(640, y - 20 + i * 4, 550, y, 6, hex(0x3A4656));
    c.line(90, y, 550, y, 3, hex(0x2A3440), 0.8);
  }
  // The reactor column.
  const double cx = 320;
  c.glow(cx, 135, 220, hex(0x3080FF), 0.6);
  c.fill(
      {cx - 44, 0, cx + 44, 270},
      [&](double x, double y) { return sdf::box(x, y, cx - 44, -10, cx + 44, 280); },
      [&](double x, double) {
        const double u = (x - cx) / 44;
        const double core = std::exp(-u * u * 6);
        return mix(hex(0x103060), hex(0xE8F4FF), core);
      });
  for (int i = 0; i < 7; ++i) {
    const double y = 20 + i * 38;
    c.ellipse(cx, y, 58, 9, hex(0x3A4A60));
    c.ellipse(cx, y - 2, 56, 6, hex(0x8EA0C0));
    c.glow(cx, y + 8, 60, hex(0x60B0FF), 0.25);
  }
  // The catwalk railing in front.
  c.rect(0, 224, 640, 230, hex(0x2A3440));
  c.rect(0, 250, 640, 256, hex(0x2A3440));
  for (int x = 10; x < 640; x += 48) c.rect(x, 224, x + 4, 270, hex(0x202832));
  c.line(0, 224.5, 640, 224.5, 1, hex(0x8EA0C0), 0.6);
  for (double x : {60.0, 580.0}) {
    c.circle(x, 60, 5, hex(0xFFB030));
    c.glow(x, 60, 40, hex(0xFFB030), 0.4);
  }
  vignette(c, 0.35);
  return c;
}

Canvas radarRoom() {
  Canvas c = blankScene();
  c.mapAll([](double x, double y, Rgb) {
    return mix(hex(0x020806), hex(0x0A1C14), 1 - std::hypot(x - 320, y - 135) / 400);
  });
  // Consoles on both sides.
  for (bool right : {false, true}) {
    for (int i = 0; i < 3; ++i) {
      const double x0 = right ? 470 + i * 52 : 20 + i * 52, y0 = 60 + (right ? 2 - i : i) * 14;
      screen(c, x0, y0, x0 + 44, y0 + 36, hex(0x40FF90),
             static_cast<std::uint64_t>(80 + i + right * 5));
    }
    const double x0 = right ? 460 : 10;
    c.polygon({{x0, 150}, {x0 + 170, 160}, {x0 + 170, 200}, {x0, 200}}, hex(0x0C1812));
  }
  c.polygon({{0, 200}, {640, 200}, {640, 270}, {0, 270}}, hex(0x06100C));
  // The scope.
  const double cx = 320, cy = 132, r = 112;
  c.circle(cx, cy, r + 10, hex(0x1A2A22));
  c.ring(cx, cy, r + 6, 3, hex(0x4A6A58));
  c.fill(
      {cx - r, cy - r, cx + r, cy + r},
      [&](double x, double y) { return sdf::circle(x, y, cx, cy, r); },
      [&](double x, double y) {
        const double a = std::atan2(y - cy, x - cx);
        const double behind = std::fmod(a - (-0.9) + 4 * pi, 2 * pi);  // sweep at -0.9 rad
        const double trail = std::exp(-behind * 2.2);
        const double d = std::hypot(x - cx, y - cy) / r;
        return mix(hex(0x031A0C), hex(0x30FF80), trail * 0.55) * (1 - 0.3 * d);
      });
  for (int i = 1; i <= 4; ++i) c.ring(cx, cy, r * i / 4.0, 1, hex(0x30C060), 0.5);
  c.line(cx - r, cy, cx + r, cy, 1, hex(0x30C060), 0.5);
  c.line(cx, cy - r, cx, cy + r, 1, hex(0x30C060), 0.5);
  c.line(cx, cy, cx + std::cos(-0.9) * r, cy + std::sin(-0.9) * r, 2, hex(0xB0FFC8));
  for (const auto& [bx, by, s] : {std::tuple{380.0, 70.0, 1.0}, std::tuple{250.0, 180.0, 0.6},
                                  std::tuple{410.0, 150.0, 0.8}, std::tuple{300.0, 60.0, 0.5}}) {
    c.glow(bx, by, 12 * s + 4, hex(0x80FFA0), 0.9);
    c.circle(bx, by, 2.2 * s + 0.8, hex(0xE0FFE8));
  }
  c.glow(cx, cy, r * 1.4, hex(0x20FF60), 0.12);
  vignette(c, 0.4);
  return c;
}

namespace {

Canvas spaceStation() {
  Canvas c = blankScene();
  spaceSky(c, 9, hex(0x010208), hex(0x060C20), hex(0x102850), 0.5, 380);
  planet(
      c, 90, 330, 190, {0.6, -0.7, 0.4},
      [](double nx, double ny, double nz) {
        const double n = fractalNoise(std::atan2(nx, nz) * 3, ny * 5, 5, 7);
        const double cloud = smoothstep(0.55, 0.75, fractalNoise(nx * 6 + 3, ny * 9, 4, 8));
        return mix(mix(hex(0x1A4A8A), hex(0x3A7A4A), smoothstep(0.5, 0.6, n)), hex(0xF0F4FF),
                   cloud);
      },
      hex(0x70B0FF), 16);
  const double cx = 380, cy = 120, rx = 170, ry = 48;
  auto ringBand = [&](double x, double y) {
    const double outer = sdf::ellipse(x, y, cx, cy, rx, ry);
    const double inner = sdf::ellipse(x, y, cx, cy, rx - 16, ry - 7);
    return std::max(outer, -inner);
  };
  auto ringPaint = [&](double x, double y) {
    const double t = (y - (cy - ry)) / (2 * ry);
    return mix(hex(0xD8E0EC), hex(0x5A6478), clamp01(t)) * (0.7 + 0.3 * std::cos((x - cx) / rx));
  };
  auto drawHalf = [&](bool far) {
    c.fill(
        {cx - rx, cy - ry, cx + rx, cy + ry},
        [&](double x, double y) { return std::max(ringBand(x, y), far ? y - cy : cy - y); },
        ringPaint);
    for (int i = 0; i < 40; ++i) {
      const double a = 2 * pi * i / 40;
      const double wy = cy + std::sin(a) * (ry - 8);
      if ((wy < cy) != far) continue;
      c.circle(cx + std::cos(a) * (rx - 8), wy, 1.1, hex(0xFFE8A0));
    }
  };
  drawHalf(true);
  // Spokes, hub and solar panels.
  for (double a : {0.3, 1.9, 3.45, 5.0}) {
    c.line(cx, cy, cx + std::cos(a) * (rx - 12), cy + std::sin(a) * (ry - 5), 4, hex(0x7A8498));
  }
  for (double side : {-1.0, 1.0}) {
    const double x0 = cx + side * 30;
    c.line(cx, cy - 40, x0 + side * 60, cy - 74, 2, hex(0x8A94A8));
    c.polygon({{x0 + side * 40, cy - 90},
               {x0 + side * 100, cy - 100},
               {x0 + side * 100, cy - 62},
               {x0 + side * 40, cy - 52}},
              hex(0x1A3060));
    c.line(x0 + side * 70, cy - 95, x0 + side * 70, cy - 57, 1, hex(0x6A88C8));
  }
  c.rect(cx - 8, cy - 70, cx + 8, cy + 20, hex(0xA0A8B8));
  c.fill(
      {cx - 30, cy - 30, cx + 30, cy + 30},
      [&](double x, double y) { return sdf::circle(x, y, cx, cy, 28); },
      [&](double x, double y) {
        const double l = clamp01(1 - std::hypot(x - (cx - 10), y - (cy - 12)) / 40);
        return mix(hex(0x3A4456), hex(0xF0F4FA), l);
      });
  c.ring(cx, cy, 20, 2, hex(0x5A6478), 0.8);
  c.circle(cx, cy - 70, 3, hex(0xFF4040));
  c.glow(cx, cy - 70, 14, hex(0xFF4040), 0.8);
  drawHalf(false);
  akatsuki(c, {210, 200, 0.4, -0.25});
  vignette(c, 0.3);
  return c;
}

Canvas jupiter() {
  Canvas c = blankScene();
  spaceSky(c, 10, hex(0x020206), hex(0x08060E), hex(0x302018), 0.35, 360);
  planet(c, 250, 200, 185, {0.75, -0.35, 0.55}, jupiterGround, hex(0xFFE0B0), 8);
  // Io and its shadow on the clouds, and Europa.
  c.ellipse(300, 120, 6, 4, hex(0x000000), 0.7);
  planet(
      c, 520, 70, 11, {0.75, -0.35, 0.55},
      [](double nx, double ny, double) {
        return mix(hex(0xF0D060), hex(0xC06020),
                   smoothstep(0.5, 0.8, fractalNoise(nx * 3, ny * 3, 3, 12)));
      },
      hex(0xFFE0A0), 2);
  planet(
      c, 590, 180, 7, {0.75, -0.35, 0.55},
      [](double nx, double ny, double) {
        return mix(hex(0xF4EEE4), hex(0xA08060),
                   smoothstep(0.55, 0.8, fractalNoise(nx * 4, ny * 4, 3, 13)));
      },
      hex(0xFFFFFF), 2);
  return c;
}

Canvas starfield() {
  Canvas c = blankScene();
  // The band of the galaxy runs across the picture.
  c.mapAll([](double x, double y, Rgb) {
    const double across = (y - 130 + (x - 320) * 0.35) / 60;
    const double band = std::exp(-across * across);
    const double n = fractalNoise(x / 120, y / 80, 6, 111);
    const double lane = smoothstep(0.55, 0.7, fractalNoise(x / 50, y / 25, 4, 112)) *
                        std::exp(-std::pow(across * 2.5, 2));
    Rgb sky = mix(hex(0x010106), hex(0x060818), y / 270);
    sky = sky + mix(hex(0x302050), hex(0x6A5060), n) * (band * (0.4 + 0.8 * n));
    sky = sky + hex(0x4060A0) *
                    (smoothstep(0.6, 0.85, fractalNoise(x / 200 + 5, y / 150, 4, 113)) * 0.35);
    return sky * (1 - 0.7 * lane);
  });
  c.stars(0, 0, 640, 270, 700, 114, 0.9);
  Random random(115);
  for (int i = 0; i < 900; ++i) {
    const double x = random.range(0, 640);
    const double y = 130 - (x - 320) * 0.35 + random.range(-1, 1) * random.range(0, 60);
    c.add(static_cast<int>(x), static_cast<int>(y), hex(0xE0E8FF), random.range(0.1, 0.6));
  }
  c.glow(470, 60, 40, hex(0xFF80B0), 0.25);
  c.glow(140, 210, 50, hex(0x60A0FF), 0.2);
  return c;
}

Canvas redAlert(host::TextRenderer& text) {
  const CorridorLook look{hex(0x301010), hex(0x5A1A18), hex(0xFF3020), hex(0x100404),
                          hex(0xFF4020)};
  Canvas c = corridor(look, 12);
  // Rotating beacons and hazard paint.
  for (double x : {140.0, 500.0}) {
    c.box(x - 10, 14, x + 10, 30, 4, hex(0x601010));
    c.glow(x, 22, 110, hex(0xFF2010), 0.7);
    c.polygon({{x, 22}, {x + 120, -10}, {x + 140, 30}}, hex(0xFF4020), 0.18);
    c.circle(x, 22, 6, hex(0xFFC0A0));
  }
  c.map(0, 246, 640, 262, [](double x, double y, Rgb old) {
    return std::fmod(x - y + 1000, 30) < 15 ? mix(old, hex(0xC08010), 0.7) : shade(old, -0.5);
  });
  c.box(250, 92, 390, 124, 4, hex(0x100000), 0.85);
  c.frame(250, 92, 390, 124, 4, 1.5, hex(0xFF4030));
  drawTextIn(c, text, {20, false, true}, {250, 92, 390, 124}, "警報　ALERT", hex(0xFF6050),
             hex(0x000000));
  vignette(c, 0.5);
  return c;
}

CorridorLook shipCorridor() {
  return {hex(0x2A3444), hex(0x5A6A84), hex(0xB0D0FF), hex(0x0C1018), hex(0x40C8FF)};
}

}  // namespace

void writeScenes(AssetWriter& out) {
  host::TextRenderer& text = out.text();
  const std::array<Canvas, 12> scenes{marsOrbit(),
                                      bridgeInterior(),
                                      asteroidBelt(),
                                      canteen(),
                                      corridor(shipCorridor(), 5),
                                      captainsOffice(),
                                      engineRoom(),
                                      radarRoom(),
                                      spaceStation(),
                                      jupiter(),
                                      starfield(),
                                      redAlert(text)};
  for (size_t i = 0; i < scenes.size(); ++i) {
    // Number 10 is the common room under a red alert (room_scenes.cpp); Jupiter is 13.
    std::string number = std::to_string(i + 1 == 10 ? 13 : i + 1);
    number.insert(0, 3 - number.size(), '0');
    std::vector<std::uint8_t> bmp = host::encodeBmp24(scenes[i].surface());
    if (i + 1 == 7) {
      // Stored without its signature; the picture loader puts "BM" back.
      bmp[0] = 'X', bmp[1] = 'X';
      out.write("CG/" + number + ".cmp", bmp);
    } else {
      out.write("CG/" + number + ".BMP", bmp);
    }
  }
}

}  // namespace zav3::assets