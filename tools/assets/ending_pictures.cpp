// The pictures of the ending picture show (END_CG/001..011): the Akatsuki coming home to the
// central station and her crew at rest and at their posts after the mission, calm views for the
// credits written below them (001..009, 640 x 270), then the ship flying into the dawn and the
// end card (010, 011, 640 x 480).
#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "assets/assets.hpp"
#include "assets/figures.hpp"
#include "assets/rooms.hpp"
#include "assets/show_paint.hpp"

namespace zav3::assets {

namespace {

using namespace show;

constexpr int half = 270, full = 480;

Figure person(Who who, Pose pose, Arms arms, Look look) {
  return {who, Outfit::uniform, pose, arms, look};
}

Canvas homecoming() {
  Canvas c = deepSpace(half, 301, hex(0x402818), 0.35, 320);
  sun(c, 20, 40, 10, 0.9);
  planet(c, 560, 380, 210, {-0.8, -0.5, 0.4}, earthGround, hex(0x70B0FF), 14);
  cityLights(c, 560, 380, 210, {-0.8, -0.5, 0.4}, 302);
  stationWheel(c, 420, 110, 110, 0.32, 303);
  akatsuki(c, {230, 170, 0.32, -0.12});
  vignette(c, 0.3);
  return c;
}

Canvas supper(host::TextRenderer& text) {
  Canvas c = roomBackground(Place::canteen, text);
  std::vector<Piece> order = roomPieces(Place::canteen);
  constexpr std::array<double, peopleCount> seat{275, 185, 365, 545, 95, 455};
  const std::array<Look, peopleCount> looks{Look::smile, Look::talk,  Look::smile,
                                            Look::talk,  Look::smile, Look::talk};
  for (int i = 0; i < peopleCount; ++i) {
    const double x = seat[static_cast<std::size_t>(i)];
    const auto who = static_cast<Who>(i);
    const Figure f = person(who, Pose::sit, Arms::down, looks[static_cast<std::size_t>(i)]);
    order.push_back({226 + 44 * 0.9, [=](Canvas& canvas) { drawFigure(canvas, f, x, 226, 0.9); }});
    order.push_back({1000, [=](Canvas& canvas) {
                       drawProp(canvas, Prop::tray, who, {x, 222}, 0.9);
                     }});
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Piece& a, const Piece& b) { return a.depth < b.depth; });
  for (const Piece& piece : order) piece.draw(c);
  applyLight(c, Place::canteen, Light::evening);
  return c;
}

Canvas engineWork() {
  Canvas c = engineRoom();
  const Figure scott = person(Who::scott, Pose::stand, Arms::hold, Look::smile);
  drawFigure(c, scott, 190, 262, 0.88);
  drawProp(c, Prop::wrench, Who::scott, handsOf(scott, 190, 262, 0.88), 0.88);
  // The catwalk railing in front of him.
  c.rect(0, 224, 640, 230, hex(0x2A3440));
  c.rect(0, 250, 640, 256, hex(0x2A3440));
  for (int x = 10; x < 640; x += 48) c.rect(x, 224, x + 4, 270, hex(0x202832));
  c.line(0, 224.5, 640, 224.5, 1, hex(0x8EA0C0), 0.6);
  c.glow(250, 140, 120, hex(0x3080FF), 0.15);
  return c;
}

Canvas radarWatch() {
  Canvas c = radarRoom();
  const Figure rinka = person(Who::rinka, Pose::stand, Arms::lap, Look::calm);
  drawFigure(c, rinka, 150, 266, 0.86);
  c.map(60, 60, 240, 270, [](double x, double, Rgb old) {
    return old + hex(0x20FF60) * (0.08 * smoothstep(60, 240, x));
  });
  return c;
}

Canvas medicalBay() {
  Canvas c(640, half);
  const Bounds back{110, 30, 530, 190};
  room(c, back,
       {hex(0xB8C8CC), hex(0xD0DCDE), hex(0xA8BCC0), hex(0xC8D8DA), hex(0x8AA0A4), hex(0xB0C4C6),
        hex(0xE4EEEE), hex(0xC8D8DA)});
  floorGrid(c, back, 10, 7, hex(0x7A9094), 0.4);
  for (int i = 0; i < 3; ++i) lamp(c, 220 + i * 100, 12, 90, hex(0xFFFFFF), 0.25);
  // The cabinet with the cross, the monitor with a heartbeat, the bed with fresh sheets.
  c.box(140, 60, 230, 180, 3, hex(0xF4F8F8));
  c.frame(140, 60, 230, 180, 3, 2, hex(0x8AA0A4));
  c.line(185, 60, 185, 180, 1.5, hex(0x8AA0A4));
  c.rect(176, 78, 194, 118, hex(0xD03A3A));
  c.rect(165, 89, 205, 107, hex(0xD03A3A));
  screen(c, 380, 56, 500, 120, hex(0x40FF90), 311);
  c.rect(382, 58, 498, 118, hex(0x041A0C));
  std::vector<Vec> beat;
  for (int i = 0; i <= 110; ++i) {
    const double u = std::fmod(i, 37.0);
    const double pulse = u > 16 && u < 22 ? std::sin((u - 16) / 6 * 2 * pi) * 22 : 0;
    beat.push_back({385.0 + i, 90 - pulse});
  }
  for (std::size_t i = 1; i < beat.size(); ++i)
    c.line(beat[i - 1].x, beat[i - 1].y, beat[i].x, beat[i].y, 1.5, hex(0x60FFA0));
  c.glow(440, 88, 70, hex(0x40FF90), 0.15);
  c.polygon({{360, 170}, {560, 170}, {600, 210}, {380, 210}}, hex(0xF8FAFA));
  c.polygon({{380, 210}, {600, 210}, {600, 222}, {380, 222}}, hex(0xC8D4D6));
  c.box(370, 150, 420, 176, 8, hex(0xFFFFFF));
  c.polygon({{430, 172}, {580, 172}, {598, 206}, {440, 206}}, hex(0x8AC8D0));
  for (double x : {390.0, 590.0}) c.rect(x - 3, 222, x + 3, 262, hex(0x6A7A80));
  const Figure beverly = person(Who::beverly, Pose::stand, Arms::hold, Look::smile);
  drawFigure(c, beverly, 280, 262, 0.92);
  drawProp(c, Prop::book, Who::beverly, handsOf(beverly, 280, 262, 0.92), 0.92);
  vignette(c, 0.3);
  return c;
}

// A station on the bridge: the seat's person behind the console, the console in front.
Canvas station(Rgb tint, std::uint64_t seed) {
  Canvas c(640, half);
  c.mapAll([&](double x, double y, Rgb) {
    return mix(hex(0x161C28), hex(0x080A10), clamp01(std::hypot(x - 320, y - 100) / 380)) +
           tint * 0.04;
  });
  for (int i = 0; i < 4; ++i) lamp(c, 140 + i * 120, 8, 70, hex(0x8FB8FF), 0.18);
  for (bool right : {false, true})
    for (int i = 0; i < 2; ++i) {
      const double x0 = right ? 500 + i * 70 : 20 + i * 70;
      screen(c, x0, 70 + i * 10, x0 + 56, 130 + i * 10, tint,
             seed + static_cast<std::uint64_t>(i + right * 2));
    }
  return c;
}

void console(Canvas& c, Rgb tint, std::uint64_t seed) {
  c.fill(
      {0, 196, 640, 270},
      [](double x, double y) {
        return sdf::polygon(x, y, {{90, 206}, {550, 206}, {640, 250}, {0, 250}});
      },
      [](double, double y) { return mix(hex(0x4A5670), hex(0x1E2636), (y - 206) / 44); });
  c.rect(0, 250, 640, 270, hex(0x10141E));
  Random random(seed);
  for (int i = 0; i < 18; ++i) {
    const double x = 110 + i * 24 + (i > 8 ? 20 : 0), y = 222 + (i % 2) * 12;
    const Rgb key = random.uniform() < 0.3 ? hex(0xFFB040) : tint;
    c.box(x, y, x + 14, y + 7, 1.5, key * 0.4);
    c.glow(x + 7, y + 3, 12, key, 0.25);
  }
  c.map(0, 0, 640, 206, [&](double x, double y, Rgb old) {
    return old + tint * (0.12 * std::exp(-std::abs(x - 320) / 150) * smoothstep(60, 206, y));
  });
}

Canvas gunnery() {
  const Rgb tint = hex(0xFF8040);
  Canvas c = station(tint, 320);
  // The fire control screen on the wall behind him.
  const double cx = 320, cy = 90;
  c.box(200, 20, 440, 160, 4, hex(0x140C08));
  c.frame(200, 20, 440, 160, 4, 3, hex(0x4A3A30));
  for (int i = 1; i <= 3; ++i) c.ring(cx, cy, i * 20.0, 1.2, tint, 0.6);
  c.line(210, cy, 430, cy, 1, tint, 0.5);
  c.line(cx, 26, cx, 154, 1, tint, 0.5);
  c.glow(cx + 38, cy - 24, 12, hex(0xFF3020), 0.8);
  c.frame(cx + 28, cy - 34, cx + 48, cy - 14, 1, 1.2, hex(0xFF6040));
  c.glow(cx, cy, 130, tint, 0.1);
  const Figure sakharov = person(Who::sakharov, Pose::sit, Arms::lap, Look::calm);
  drawFigure(c, sakharov, 320, 226, 1.15);
  console(c, tint, 321);
  // The two firing grips.
  for (double x : {270.0, 370.0}) {
    c.box(x - 6, 196, x + 6, 226, 3, hex(0x2A2E38));
    c.circle(x, 196, 5, hex(0xD03020));
  }
  vignette(c, 0.35);
  return c;
}

Canvas helm() {
  const Rgb tint = hex(0x50C8FF);
  Canvas c = station(tint, 330);
  // The forward window with the stars, and the course on the display beside it.
  Canvas view = deepSpace(half, 331, hex(0x203070), 0.5, 300);
  window(c, view, {{190, 20}, {450, 20}, {470, 150}, {170, 150}});
  c.frame(166, 16, 474, 154, 3, 5, hex(0x2A3446));
  const Figure togo = person(Who::togo, Pose::sit, Arms::hold, Look::smile);
  drawFigure(c, togo, 320, 232, 1.3);
  const Vec hands = handsOf(togo, 320, 232, 1.3);
  console(c, tint, 332);
  // The helm yoke under his hands.
  c.line(320, hands.y + 4, 320, 212, 6, hex(0x2A2E38));
  c.fill(
      {hands.x - 34, hands.y - 16, hands.x + 34, hands.y + 12},
      [&](double x, double y) {
        return std::max(std::abs(sdf::ellipse(x, y, hands.x, hands.y - 2, 30, 12)) - 3,
                        hands.y - 4 - y);
      },
      hex(0x3A404C));
  for (double s : {-1.0, 1.0})
    c.box(hands.x + s * 30 - 4, hands.y - 14, hands.x + s * 30 + 4, hands.y + 4, 3, hex(0x2A2E38));
  vignette(c, 0.35);
  return c;
}

Canvas captainsSeat() {
  Canvas c(640, half);
  Canvas view = deepSpace(half, 340, hex(0x203070), 0.55, 420);
  planet(view, 150, 200, 70, {0.6, -0.5, 0.6}, marsGround, hex(0xFF9A70), 8);
  bridge(c, view, true, false, Captain::inChair);
  return c;
}

Canvas observation() {
  Canvas c(640, half);
  // The band of the galaxy through the long window.
  Canvas view(640, half);
  view.mapAll([](double x, double y, Rgb) {
    const double across = (y - 110 + (x - 320) * 0.3) / 55;
    const double band = std::exp(-across * across);
    const double n = fractalNoise(x / 110, y / 70, 5, 350);
    const double lane = smoothstep(0.55, 0.7, fractalNoise(x / 45, y / 22, 3, 351)) *
                        std::exp(-std::pow(across * 2.5, 2));
    Rgb sky = mix(hex(0x010106), hex(0x060818), y / 270);
    sky = sky + mix(hex(0x302050), hex(0x7A6070), n) * (band * (0.4 + 0.8 * n));
    return sky * (1 - 0.6 * lane);
  });
  view.stars(0, 0, 640, 270, 600, 352, 0.9);
  planet(view, 540, 230, 60, {-0.6, -0.6, 0.5}, earthGround, hex(0x70B0FF), 8);
  c.mapAll([](double, double y, Rgb) { return mix(hex(0x141A26), hex(0x06080C), y / 270); });
  window(c, view, {{30, 16}, {610, 16}, {610, 220}, {30, 220}});
  c.frame(24, 10, 616, 226, 10, 7, hex(0x1E2636));
  for (double x : {220.0, 420.0}) c.line(x, 16, x, 220, 5, hex(0x1E2636));
  c.rect(0, 226, 640, 270, hex(0x0C1018));
  c.rect(0, 232, 640, 236, hex(0x2A3446));
  fromBehind(c, 330, 190, 1.9, Back::bob, hex(0x26386A), false, 0.45, hex(0x8090C0));
  c.rect(0, 250, 640, 270, hex(0x0C1018), 0.6);
  return c;
}

Canvas intoTheDawn() {
  Canvas c = deepSpace(full, 360, hex(0x102040), 0.3, 500);
  dawn(c, 360, 1600, 400, 12, 361);
  akatsuki(c, {330, 250, 0.5, 0.16});
  return c;
}

Canvas endCard(host::TextRenderer& text) {
  Canvas c = deepSpace(full, 370, hex(0x102040), 0.3, 420);
  c.map(0, 0, 640, 480, [](double x, double y, Rgb old) {
    return old + hex(0xFF8040) * (0.35 * std::exp(-std::pow((y - 520) / 160, 2)) *
                                  std::exp(-std::pow((x - 320) / 400, 2)));
  });
  emblem(c, 320, 190, 110, hex(0xF0C860), hex(0x1A2E66));
  drawTextIn(c, text, {48, true, true}, {0, 330, 640, 390}, "おわり", hex(0xFFF4E0), hex(0x301810));
  drawTextIn(c, text, {16, false, false}, {0, 400, 640, 424}, "宇宙警備隊　哨戒艇あかつき",
             hex(0xE0D0C0), hex(0x000000));
  return c;
}

}  // namespace

void writeEndingPictures(AssetWriter& out) {
  host::TextRenderer& text = out.text();
  using Make = Canvas (*)(host::TextRenderer&);
  static constexpr std::array<Make, 11> pictures{[](host::TextRenderer&) { return homecoming(); },
                                                 supper,
                                                 [](host::TextRenderer&) { return engineWork(); },
                                                 [](host::TextRenderer&) { return radarWatch(); },
                                                 [](host::TextRenderer&) { return medicalBay(); },
                                                 [](host::TextRenderer&) { return gunnery(); },
                                                 [](host::TextRenderer&) { return helm(); },
                                                 [](host::TextRenderer&) { return captainsSeat(); },
                                                 [](host::TextRenderer&) { return observation(); },
                                                 [](host::TextRenderer&) { return intoTheDawn(); },
                                                 endCard};
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    std::string number = std::to_string(i + 1);
    number.insert(0, 3 - number.size(), '0');
    out.writeBmp("END_CG/" + number + ".BMP", pictures[i](text).surface());
  }
}

}  // namespace zav3::assets
