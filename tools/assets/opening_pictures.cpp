// The pictures of the opening picture show (OP_CG/001..023): the solar system of the late 22nd
// century, the Earth and the central station, the convoys and the pirates that prey on them,
// the patrol corps and its ship Akatsuki putting out, her crew, a battle and the title card.
// 001..012 are 640 x 270 (narration is written below them), 013..023 fill the 640 x 480 screen.
#include <array>
#include <string>
#include <tuple>

#include "assets/assets.hpp"
#include "host/drawing.hpp"
#include "assets/figures.hpp"
#include "assets/show_paint.hpp"

namespace zav3::assets {

namespace {

using namespace show;

constexpr int half = 270, full = 480;

// --- 001..012: the background story ---

Canvas solarSystem() {
  Canvas c = deepSpace(half, 201, hex(0x302040), 0.35, 380);
  const double sx = 70, sy = 150;
  // Orbits round the Sun, the planets on them lit from it.
  const std::array<std::tuple<double, double, double, int>, 7> orbits{{{110, 0.2, 4, 0},
                                                                       {165, 0.9, 6, 1},
                                                                       {235, 0.35, 7, 2},
                                                                       {300, 1.1, 5, 3},
                                                                       {400, 0.55, 16, 4},
                                                                       {500, 0.8, 12, 5},
                                                                       {590, 0.25, 8, 6}}};
  for (const auto& [r, a, size, kind] : orbits) {
    c.fill(
        {sx - r - 2, sy - r * 0.24 - 2, sx + r + 2, sy + r * 0.24 + 2},
        [&, r = r](double x, double y) {
          return std::abs(sdf::ellipse(x, y, sx, sy, r, r * 0.24)) - 0.5;
        },
        hex(0x7090D0), 0.22);
  }
  sun(c, sx, sy, 14, 1.2);
  for (const auto& [r, a, size, kind] : orbits) {
    const double px = sx + std::cos(a) * r, py = sy + std::sin(a) * r * 0.24;
    const V3 light{sx - px, sy - py, r * 0.3};
    switch (kind) {
      case 2:
        planet(c, px, py, size, light, earthGround, hex(0x70B0FF), 2);
        break;
      case 3:
        planet(c, px, py, size, light, marsGround, hex(0xFF9A70), 1.5);
        break;
      case 4:
        planet(c, px, py, size, light, jupiterGround, hex(0xFFE0B0), 2);
        break;
      case 5:
        planetRing(c, px, py, size * 2.2, size * 0.6, 2.5, hex(0xD8C8A0), 0.6, false);
        planet(
            c, px, py, size, light,
            [](double, double ny, double) {
              return mix(hex(0xE8D0A0), hex(0xC0A070), 0.5 + 0.5 * std::sin(ny * 14));
            },
            hex(0xFFE8C0), 2);
        planetRing(c, px, py, size * 2.2, size * 0.6, 2.5, hex(0xE8D8B0), 0.85, true);
        break;
      default:
        planet(
            c, px, py, size, light,
            [kind = kind](double, double, double) {
              return kind == 0 ? hex(0xA09890) : kind == 1 ? hex(0xF0D8A0) : hex(0x90C8E0);
            },
            hex(0xFFFFFF), 1);
        break;
    }
  }
  vignette(c, 0.3);
  return c;
}

Canvas earthRing() {
  Canvas c = deepSpace(half, 202, hex(0x102050), 0.4, 320);
  const double cx = 330, cy = 150, r = 118, rx = 250, ry = 46;
  const V3 light{-0.7, -0.5, 0.5};
  planetRing(c, cx, cy, rx, ry, 5, hex(0x8A94A8), 0.9, false);
  planet(c, cx, cy, r, light, earthGround, hex(0x70B0FF), 12);
  cityLights(c, cx, cy, r, light, 203);
  c.fill(
      {cx - rx, cy, cx + rx, cy + ry + 4},
      [&](double x, double y) {
        return std::max(std::abs(sdf::ellipse(x, y, cx, cy, rx, ry)) - 2.5, cy - y);
      },
      [&](double x, double) {
        return mix(hex(0x5A6478), hex(0xE0E6F0), 0.5 - 0.5 * (x - cx) / rx);
      });
  planetRing(c, cx, cy, rx, ry, 1, hex(0xFFFFFF), 0.6, true);
  // Towns along the ring, the bigger ones with their lights.
  Random random(204);
  for (int i = 0; i < 90; ++i) {
    const double a = 2 * pi * i / 90 + random.range(-0.02, 0.02);
    const double x = cx + std::cos(a) * rx, y = cy + std::sin(a) * ry;
    const bool front = y > cy;
    if (!front && std::hypot(x - cx, y - cy) < r) continue;
    const double m = random.uniform();
    c.circle(x, y, m > 0.8 ? 2.2 : 1.0, hex(0xFFE0A0), 0.8);
    if (m > 0.8) c.glow(x, y, 10, hex(0xFFD080), 0.5);
  }
  vignette(c, 0.3);
  return c;
}

Canvas centralStation() {
  Canvas c = deepSpace(half, 205, hex(0x183060), 0.45, 360);
  planet(c, 560, 360, 200, {-0.6, -0.6, 0.5}, earthGround, hex(0x70B0FF), 14);
  stationWheel(c, 300, 130, 200, 0.3, 206);
  // Cargo ships coming and going along the lanes.
  const std::array<std::tuple<double, double, double, double>, 6> traffic{{{90, 60, 0.35, 0.25},
                                                                           {150, 230, 0.4, -0.3},
                                                                           {520, 70, 0.3, 2.9},
                                                                           {610, 190, 0.45, 3.3},
                                                                           {240, 20, 0.22, 0.1},
                                                                           {450, 240, 0.3, 3.0}}};
  int i = 0;
  for (const auto& [x, y, s, a] : traffic) cargoShip(c, x, y, s, a, 210 + i++);
  vignette(c, 0.3);
  return c;
}

Canvas convoy() {
  Canvas c = deepSpace(half, 207, hex(0x403020), 0.5, 300);
  c.glow(600, 20, 240, hex(0xFFD8A0), 0.4);
  const V3 light{0.7, -0.6, 0.4};
  Random random(208);
  for (int i = 0; i < 60; ++i) {
    const double x = random.range(0, 640), y = 140 + (x - 320) * 0.1 + random.range(-90, 90);
    asteroid(c, x, y, random.range(1.5, 5), 800 + i, light, hex(0x9A8C7C));
  }
  for (int i = 0; i < 5; ++i)
    cargoShip(c, 560 - i * 105, 110 + i * 22, 0.55 - i * 0.04, 0.2, 220 + i);
  akatsuki(c, {600, 60, 0.22, 0.2});
  for (int i = 0; i < 10; ++i) {
    const double x = random.range(0, 640), y = random.range(0, 270);
    if (std::abs(y - (110 + (560 - x) / 105 * 22)) < 30) continue;
    asteroid(c, x, y, random.range(8, 18), 830 + i, light, hex(0xA89880));
  }
  asteroid(c, 60, 240, 55, 851, light, hex(0x8E8070));
  asteroid(c, 600, 250, 36, 852, light, hex(0x9A8876));
  vignette(c, 0.35);
  return c;
}

void laser(Canvas& c, Vec a, Vec b, Rgb colour) {
  c.line(a.x, a.y, b.x, b.y, 5, colour, 0.35);
  c.line(a.x, a.y, b.x, b.y, 2, shade(colour, 0.6));
  c.glow(b.x, b.y, 40, colour, 0.8);
  c.glow(b.x, b.y, 14, hex(0xFFFFFF), 0.9);
}

Canvas pirateAttack() {
  Canvas c = deepSpace(half, 209, hex(0x401820), 0.45, 320);
  cargoShip(c, 250, 170, 1.3, 0.12, 230);
  pirateShip(c, 430, 80, 0.85, -1, -0.15);
  laser(c, {470, 78}, {150, 150}, hex(0xFF3020));
  laser(c, {455, 95}, {210, 172}, hex(0xFF3020));
  // Burning wreckage on the cargo ship.
  c.glow(160, 152, 70, hex(0xFF8020), 0.7);
  Random random(231);
  for (int i = 0; i < 30; ++i) {
    const double a = random.range(0, 2 * pi), d = random.range(10, 60);
    c.circle(160 + std::cos(a) * d, 152 + std::sin(a) * d * 0.7, random.range(0.6, 1.6),
             hex(0xFFC060), 0.8);
  }
  vignette(c, 0.35);
  return c;
}

Canvas headquarters(host::TextRenderer& text) {
  Canvas c(640, half);
  const Bounds back{150, 30, 490, 190};
  room(c, back,
       {hex(0x141C2C), hex(0x202A40), hex(0x1A2234), hex(0x2C3850), hex(0x202838), hex(0x3A4660),
        hex(0x24304A), hex(0x1A2436)});
  // Polished floor with the emblem's light on it, columns and banners.
  c.map(0, 190, 640, 270, [](double x, double y, Rgb old) {
    return old + hex(0x806020) * (0.35 * std::exp(-std::pow((x - 320) / 70, 2)) * (270 - y) / 80);
  });
  for (double x : {180.0, 460.0}) {
    c.gradient(x - 10, 30, x + 10, 190, hex(0x5A6680), hex(0x2A3248));
    c.polygon({{x + (x < 320 ? 20 : -44), 44},
               {x + (x < 320 ? 44 : -20), 44},
               {x + (x < 320 ? 44 : -20), 150},
               {x + (x < 320 ? 32 : -32), 140},
               {x + (x < 320 ? 20 : -44), 150}},
              hex(0x1E3A7A));
    emblem(c, x + (x < 320 ? 32 : -32), 70, 10, hex(0xE0B050), hex(0x1E3A7A));
  }
  for (double x : {40.0, 600.0}) {
    c.gradient(x - 22, 0, x + 22, 270, hex(0x3A4660), hex(0x1A2030));
    c.rect(x - 22, 0, x - 16, 270, hex(0x6A7898), 0.6);
  }
  emblem(c, 320, 92, 60, hex(0xF0C860), hex(0x1A2E66));
  c.box(230, 160, 410, 184, 3, hex(0x0E1424), 0.8);
  drawTextIn(c, text, {18, true, true}, {230, 160, 410, 184}, "宇宙警備隊", hex(0xF0D890),
             hex(0x000000));
  for (int i = 0; i < 4; ++i) lamp(c, 200 + i * 80, 10, 70, hex(0xFFE0A0), 0.3);
  vignette(c, 0.4);
  return c;
}

// The dock bay: the station's inner wall behind, gantries above and below, floodlights.
void dockBay(Canvas& c, double light) {
  c.mapAll([&](double x, double y, Rgb) {
    const double n = fractalNoise(x / 30, y / 18, 3, 240);
    return mix(hex(0x1A2030), hex(0x0C1018), y / 270) * (0.8 + 0.4 * n) * (0.6 + 0.4 * light);
  });
  // Panels and lit windows in the far wall.
  Random random(241);
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 16; ++col) {
      const double x = 10 + col * 40, y = 24 + row * 36;
      c.frame(x, y, x + 36, y + 32, 1, 1, hex(0x2A3448), 0.7);
      if (random.uniform() < 0.3) {
        c.rect(x + 6, y + 6, x + 30, y + 11, hex(0xFFE0A0), 0.7);
        c.glow(x + 18, y + 9, 20, hex(0xFFD080), 0.15);
      }
    }
  truss(c, {-10, 26}, {650, 26}, 18, hex(0x5A6478));
  truss(c, {-10, 250}, {650, 250}, 22, hex(0x4A5468));
  for (double x : {110.0, 330.0, 550.0}) truss(c, {x, 26}, {x, 250}, 14, hex(0x3A4456));
  for (double x : {60.0, 280.0, 500.0}) {
    c.glow(x, 40, 80, hex(0xE0F0FF), 0.4 * light);
    c.polygon({{x - 6, 40}, {x + 6, 40}, {x + 70, 250}, {x - 70, 250}}, hex(0xE0F0FF),
              0.05 * light);
    c.circle(x, 38, 4, hex(0xFFFFFF));
  }
}

void clamps(Canvas& c, const Placement& ship, double open, bool pads) {
  for (double lx : {-60.0, -170.0}) {
    for (double side : {-1.0, 1.0}) {
      const Vec hull = ship.at(lx, side * 16);
      const double base = side < 0 ? 26 : 250;
      const Vec root{hull.x + open * 40, base};
      const Vec tip{hull.x + open * 60, hull.y + side * open * 50};
      if (pads) {
        c.box(tip.x - 9, tip.y - 5, tip.x + 9, tip.y + 5, 2, hex(0xC0A030));
        continue;
      }
      c.line(root.x, root.y, tip.x, tip.y, 9, hex(0x4A5468));
      c.line(root.x - 2, root.y, tip.x - 2, tip.y, 3, hex(0x8A94A8));
      c.circle(tip.x, root.y + (tip.y - root.y) * 0.5, 2, hex(0xFF4020));
      c.glow(tip.x, root.y + (tip.y - root.y) * 0.5, 10, hex(0xFF4020), 0.6);
    }
  }
}

Canvas dockedShip(host::TextRenderer& text) {
  Canvas c(640, half);
  dockBay(c, 1.0);
  const Placement ship{590, 142, 1.75, 0};
  clamps(c, ship, 0, false);
  akatsuki(c, ship);
  akatsukiDetail(c, ship, text);
  clamps(c, ship, 0, true);
  // The bay's mouth at the right: stars beyond the field of the air curtain.
  c.map(600, 40, 640, 240, [](double x, double, Rgb old) {
    return mix(old, hex(0x2040A0), 0.25 * smoothstep(600, 640, x));
  });
  c.glow(320, 200, 300, hex(0x4060A0), 0.15);
  vignette(c, 0.35);
  return c;
}

Canvas starsThroughWindow(int h, std::uint32_t seed) {
  Canvas v = deepSpace(h, seed, hex(0x203070), 0.5, h * 2);
  planet(v, 520, h * 0.9, h * 0.5, {-0.6, -0.6, 0.5}, earthGround, hex(0x70B0FF), 10);
  return v;
}

Canvas captainAtWindow() {
  Canvas c(640, half);
  bridge(c, starsThroughWindow(half, 250), true, false, Captain::armrests);
  // Kuga standing in front of the window, hands behind his back, lit by the starlight.
  fromBehind(c, 330, 160, 2.0, Back::cap, hex(0x161E38), true, 0.5, hex(0x5080C0));
  c.rect(270, 270 - 4, 390, 270, hex(0x0A0D14));
  vignette(c, 0.3);
  return c;
}

void travelBag(Canvas& c, double x, double y, double s) {
  c.box(x - 22 * s, y - 30 * s, x + 22 * s, y, 6 * s, hex(0x6A3A24));
  c.box(x - 22 * s, y - 30 * s, x + 22 * s, y - 24 * s, 3 * s, hex(0x8A5434));
  c.frame(x - 12 * s, y - 42 * s, x + 12 * s, y - 26 * s, 6 * s, 3 * s, hex(0x3A2014));
  c.rect(x - 3 * s, y - 20 * s, x + 3 * s, y - 14 * s, hex(0xE0C060));
}

Canvas arrival(host::TextRenderer& text) {
  Canvas c(640, half);
  const Bounds back{60, 20, 580, 200};
  room(c, back,
       {hex(0x2A3240), hex(0x3A4456), hex(0x343E50), hex(0x4A5468), hex(0x2A3038), hex(0x4A525E),
        hex(0x5A6478), hex(0x3A4456)});
  // The glass wall onto the dock, the Akatsuki beyond it.
  Canvas view(640, half);
  dockBay(view, 1.0);
  akatsuki(view, {560, 120, 1.2, 0});
  window(c, view, {{80, 36}, {560, 36}, {560, 180}, {80, 180}});
  for (double x : {200.0, 320.0, 440.0}) c.line(x, 36, x, 180, 4, hex(0x2A3240));
  c.frame(76, 32, 564, 184, 2, 5, hex(0x2A3240));
  c.map(80, 36, 560, 180, [](double x, double y, Rgb old) {
    return old +
           hex(0x405070) *
               (0.12 * smoothstep(0.3, 0.0, std::abs(std::fmod(x - y + 1000, 160) / 160 - 0.5)));
  });
  c.box(250, 6, 390, 26, 3, hex(0x0E1424));
  drawTextIn(c, text, {14, false, true}, {250, 6, 390, 26}, "第３ドック　ゲート", hex(0x80D0FF),
             hex(0x000000));
  const Figure mina{Who::mina, Outfit::uniform, Pose::stand, Arms::down, Look::smile};
  drawFigure(c, mina, 300, 262, 0.95);
  travelBag(c, 345, 262, 0.9);
  vignette(c, 0.35);
  return c;
}

Canvas bridgeCrew() {
  Canvas c(640, half);
  bridge(c, starsThroughWindow(half, 251), false, true, Captain::inChair);
  return c;
}

Canvas release(host::TextRenderer& text) {
  Canvas c(640, half);
  dockBay(c, 0.7);
  const Placement ship{470, 140, 1.5, 0};
  akatsuki(c, ship);
  akatsukiDetail(c, ship, text);
  const Vec e1 = ship.at(-241, -3), e2 = ship.at(-245, 21);
  for (const Vec e : {e1, e2}) {
    c.glow(e.x, e.y, 110, hex(0x3070FF), 0.7);
    c.glow(e.x, e.y, 30, hex(0xC0E0FF), 0.9);
  }
  clamps(c, ship, 1.0, false);
  clamps(c, ship, 1.0, true);
  // Vented gas drifting from the released clamps.
  for (double x : {ship.at(-60, 0).x, ship.at(-170, 0).x}) {
    for (int i = 0; i < 6; ++i) {
      c.glow(x + 40 + i * 8, 60 + i * 9, 26 - i * 2, hex(0xC0D0E0), 0.12);
      c.glow(x + 40 + i * 8, 220 - i * 9, 26 - i * 2, hex(0xC0D0E0), 0.12);
    }
  }
  vignette(c, 0.35);
  return c;
}

Canvas departure() {
  Canvas c = deepSpace(half, 252, hex(0x183060), 0.45, 340);
  planet(c, 80, 380, 220, {0.5, -0.7, 0.5}, earthGround, hex(0x70B0FF), 14);
  stationWheel(c, 200, 120, 170, 0.32, 253);
  // The ship heading out, her engine wake behind her.
  const Placement ship{610, 130, 0.45, -0.18};
  const Vec engine = ship.at(-243, 5);
  for (int i = 0; i < 30; ++i) {
    const double t = i / 30.0;
    c.glow(engine.x - 170 * t, engine.y + 31 * t, 9 * (1 - t) + 3, hex(0x6090FF), 0.3 * (1 - t));
  }
  akatsuki(c, ship);
  vignette(c, 0.3);
  return c;
}

// --- 013..023: the voyage and the title ---

Canvas voyage() {
  Canvas c = deepSpace(full, 260, hex(0x302060), 0.55, 700);
  c.glow(480, 140, 260, hex(0x6040A0), 0.2);
  planet(c, 470, 150, 38, {-0.6, 0.2, 0.6}, marsGround, hex(0xFF9A70), 4);
  akatsuki(c, {210, 350, 0.4, -0.55});
  vignette(c, 0.35);
  return c;
}

Canvas bowCloseUp(host::TextRenderer& text) {
  Canvas c = deepSpace(full, 261, hex(0x203070), 0.5, 600);
  planet(c, 320, 980, 600, {-0.5, -0.7, 0.4}, earthGround, hex(0x70B0FF), 24);
  const Placement ship{640, 250, 2.6, 0};
  akatsuki(c, ship);
  akatsukiDetail(c, ship, text);
  vignette(c, 0.35);
  return c;
}

Canvas ringedGiant() {
  Canvas c = deepSpace(full, 262, hex(0x302818), 0.3, 600);
  const double cx = 360, cy = 220, r = 150;
  const V3 light{-0.7, -0.4, 0.5};
  const double inner = r * 1.3, outer = r * 2.34;
  auto rings = [&](bool front) {
    c.map(static_cast<int>(cx - outer), static_cast<int>(cy - outer * 0.22) - 1,
          static_cast<int>(cx + outer) + 1, static_cast<int>(cy + outer * 0.22) + 2,
          [&](double x, double y, Rgb old) {
            if ((y > cy) != front) return old;
            const double q = std::hypot((x - cx) / outer, (y - cy) / (outer * 0.22)) * outer;
            if (q < inner || q > outer) return old;
            if (!front && std::hypot(x - cx, y - cy) < r) return old;
            const double u = (q - inner) / (outer - inner);
            const double band = 0.5 + 0.5 * std::sin(u * 41) * std::sin(u * 13 + 1);
            const double gap = std::abs(u - 0.62) < 0.025 ? 0.1 : 1.0;
            const double edge = smoothstep(0, 0.03, u) * smoothstep(1, 0.95, u);
            return mix(old, mix(hex(0x9A8468), hex(0xF0E0C0), band),
                       (0.55 + 0.35 * band) * gap * edge);
          });
  };
  rings(false);
  planet(
      c, cx, cy, r, light,
      [](double nx, double ny, double nz) {
        const double t = fractalNoise(std::atan2(nx, nz) * 3, ny * 12, 4, 263);
        return mix(hex(0xD8B880), hex(0xF4E4C0), 0.5 + 0.5 * std::sin(ny * 18 + t * 2));
      },
      hex(0xFFE8C0), 10);
  rings(true);
  akatsuki(c, {330, 400, 0.55, -0.08});
  vignette(c, 0.35);
  return c;
}

Canvas asteroidField() {
  Canvas c = deepSpace(full, 264, hex(0x403020), 0.5, 500);
  c.glow(40, 40, 300, hex(0xFFD8A0), 0.45);
  const V3 light{-0.7, -0.6, 0.4};
  Random random(265);
  for (int i = 0; i < 90; ++i)
    asteroid(c, random.range(0, 640), random.range(0, 480), random.range(2, 8), 900 + i, light,
             hex(0x9A8C7C));
  for (int i = 0; i < 16; ++i) {
    const double x = random.range(0, 640), y = random.range(0, 480);
    if (std::hypot(x - 380, y - 250) < 110) continue;
    asteroid(c, x, y, random.range(12, 28), 1000 + i, light, hex(0xA89880));
  }
  akatsuki(c, {470, 230, 0.6, -0.12});
  asteroid(c, 520, 120, 48, 1020, light, hex(0x9A8876));
  asteroid(c, 90, 390, 110, 1021, light, hex(0x8E8070));
  asteroid(c, 600, 440, 70, 1022, light, hex(0x968672));
  vignette(c, 0.35);
  return c;
}

Canvas lurkingPirate() {
  Canvas c = deepSpace(full, 266, hex(0x401010), 0.35, 400);
  c.mapAll([](double, double, Rgb old) { return old * 0.6; });
  c.glow(520, 120, 300, hex(0x602030), 0.3);
  pirateShip(c, 120, 260, 2.1, -1, 0.05, 1.2);
  // The dark hull shows only against the glow behind it.
  vignette(c, 0.55);
  return c;
}

Canvas bridgeWatch() {
  Canvas c(640, full);
  bridge(c, starsThroughWindow(full, 267), false, true, Captain::armrests);
  return c;
}

Canvas minaAtConsole() {
  Canvas c(640, full);
  c.mapAll([](double x, double y, Rgb) {
    return mix(hex(0x101828), hex(0x060A12), clamp01(std::hypot(x - 320, y - 200) / 420));
  });
  // Screens around her, the console in front.
  for (const auto& [x0, y0, x1, y1, seed] :
       {std::tuple{30.0, 60.0, 170.0, 160.0, 270}, std::tuple{470.0, 60.0, 610.0, 160.0, 271},
        std::tuple{20.0, 180.0, 150.0, 290.0, 272}, std::tuple{490.0, 180.0, 620.0, 290.0, 273},
        std::tuple{200.0, 30.0, 440.0, 110.0, 274}}) {
    screen(c, x0, y0, x1, y1, seed % 2 ? hex(0x50C8FF) : hex(0x60FFB0),
           static_cast<std::uint64_t>(seed));
  }
  // The waveform of the channel she is listening to on the top screen.
  for (int i = 0; i < 230; ++i) {
    const double x = 205 + i, y = 70 + 18 * std::sin(i * 0.21) * std::sin(i * 0.043);
    c.circle(x, y, 1.2, hex(0xB0FFE0), 0.8);
  }
  c.glow(320, 260, 260, hex(0x3080C0), 0.35);
  const Figure mina{Who::mina, Outfit::uniform, Pose::sit, Arms::lap, Look::smile};
  drawFigure(c, mina, 320, 480, 4.0);
  c.fill(
      {0, 380, 640, 480},
      [](double x, double y) {
        return sdf::polygon(x, y, {{60, 392}, {580, 392}, {640, 480}, {0, 480}});
      },
      [](double, double y) { return mix(hex(0x3A4660), hex(0x141A26), (y - 392) / 88); });
  Random random(275);
  for (int i = 0; i < 40; ++i) {
    const double x = 90 + (i % 20) * 23, y = 410 + (i / 20) * 24;
    const Rgb key = random.uniform() < 0.2 ? hex(0xFFB040) : hex(0x50C8FF);
    c.box(x, y, x + 16, y + 12, 2, key * 0.35);
    c.glow(x + 8, y + 6, 14, key, 0.2);
  }
  c.map(0, 0, 640, 480, [](double x, double, Rgb old) {
    return old + hex(0x2060A0) * (0.15 * std::exp(-std::abs(x - 320) / 160));
  });
  vignette(c, 0.4);
  return c;
}

Canvas battle() {
  Canvas c = deepSpace(full, 276, hex(0x402030), 0.5, 500);
  akatsuki(c, {300, 320, 0.8, -0.2});
  pirateShip(c, 420, 150, 0.9, -1, 0.3);
  // The plasma bolt on its way and its hit on the pirate's shield.
  const Vec from{300, 322}, to{440, 175};
  for (int i = 0; i < 40; ++i) {
    const double t = 0.3 + 0.7 * i / 40.0;
    c.glow(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, 4 + 6 * t, hex(0x60A0FF),
           0.15 + 0.25 * t);
  }
  c.glow(to.x, to.y, 40, hex(0x80C0FF), 0.9);
  c.circle(to.x, to.y, 9, hex(0xFFFFFF));
  c.fill(
      {370, 50, 570, 250},
      [](double x, double y) {
        return std::max(std::abs(sdf::circle(x, y, 470, 150, 95)) - 3,
                        sdf::circle(x, y, 440, 175, 70));
      },
      [](double x, double y) { return hex(0x80C0FF) * (1 - std::hypot(x - 440, y - 175) / 70); },
      0.5);
  c.glow(470, 170, 110, hex(0xFFA040), 0.3);
  laser(c, {400, 150}, {150, 280}, hex(0xFF3020));
  vignette(c, 0.35);
  return c;
}

Canvas headOn() {
  Canvas c(640, full);
  c.mapAll([](double x, double y, Rgb) {
    const double n = fractalNoise(x / 160, y / 130, 5, 280);
    const double m = fractalNoise(x / 60 + 9, y / 50, 3, 281);
    const double core = std::exp(-std::pow(std::hypot(x - 330, y - 220) / 260, 2));
    Rgb sky = mix(hex(0x04040C), hex(0x0A0A20), y / 480);
    sky = sky + mix(hex(0xC03060), hex(0xFF9050), m) * (smoothstep(0.4, 0.8, n) * core * 0.9);
    return sky + hex(0x4060C0) * (smoothstep(0.55, 0.8, m) * 0.3);
  });
  c.stars(0, 0, 640, 480, 600, 282);
  c.glow(330, 220, 200, hex(0xFFB0A0), 0.25);
  akatsukiAhead(c, 330, 260, 2.4);
  vignette(c, 0.35);
  return c;
}

Canvas dawnOverPlanet() {
  Canvas c = deepSpace(full, 283, hex(0x102040), 0.3, 500);
  dawn(c, 330, 1500, 420, 6, 284);
  return c;
}

Canvas titleCard(host::TextRenderer& text) {
  Canvas c = deepSpace(full, 285, hex(0x102040), 0.25, 400);
  dawn(c, 380, 1800, 320, 10, 286, false);
  const Font title{96, true, true};
  const char* name = "あかつき";
  const int w = textWidth(text, title, name);
  const double x = std::floor((640 - w) / 2.0), y = 120;
  c.glow(320, y + 48, 260, hex(0xFF9050), 0.25);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      drawText(c, text, title, x + dx, y + dy + 3, name, hex(0x200A08));
  drawText(c, text, title, x, y, name, hex(0xFFF4E0));
  c.map(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + w,
        static_cast<int>(y) + 100, [&](double, double py, Rgb old) {
          const double k = old.r / 255;  // the lettering's own light
          return mix(old, mix(hex(0xFFF8E8), hex(0xFF9A50), clamp01((py - y) / 100)),
                     k > 0.9 ? 0.6 : 0);
        });
  const Font small{18, false, true};
  const char* line = "AKATSUKI ― 宇宙警備隊哨戒艇";
  c.line(170, 240, 470, 240, 1, hex(0xFFD0A0), 0.6);
  drawTextIn(c, text, small, {0, 248, 640, 274}, line, hex(0xFFE8D0), hex(0x201008));
  return c;
}

}  // namespace

void writeOpeningPictures(AssetWriter& out) {
  host::TextRenderer& text = out.text();
  using Make = Canvas (*)(host::TextRenderer&);
  static constexpr std::array<Make, 23> pictures{
      [](host::TextRenderer&) { return solarSystem(); },
      [](host::TextRenderer&) { return earthRing(); },
      [](host::TextRenderer&) { return centralStation(); },
      [](host::TextRenderer&) { return convoy(); },
      [](host::TextRenderer&) { return pirateAttack(); },
      headquarters,
      dockedShip,
      [](host::TextRenderer&) { return captainAtWindow(); },
      arrival,
      [](host::TextRenderer&) { return bridgeCrew(); },
      release,
      [](host::TextRenderer&) { return departure(); },
      [](host::TextRenderer&) { return voyage(); },
      bowCloseUp,
      [](host::TextRenderer&) { return ringedGiant(); },
      [](host::TextRenderer&) { return asteroidField(); },
      [](host::TextRenderer&) { return lurkingPirate(); },
      [](host::TextRenderer&) { return bridgeWatch(); },
      [](host::TextRenderer&) { return minaAtConsole(); },
      [](host::TextRenderer&) { return battle(); },
      [](host::TextRenderer&) { return headOn(); },
      [](host::TextRenderer&) { return dawnOverPlanet(); },
      titleCard};
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    std::string number = std::to_string(i + 1);
    number.insert(0, 3 - number.size(), '0');
    out.writeBmp("OP_CG/" + number + ".BMP", pictures[i](text).surface());
  }
  // The title card is also the picture behind the title menu, cut to the game screen's height.
  const Canvas card = titleCard(text);
  host::Surface title(640, 460);
  host::drawBitmap(title, card.surface(), 0, 0);
  out.writeBmp("MAINCG/TITLE.BMP", title);
}

}  // namespace zav3::assets
