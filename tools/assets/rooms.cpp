// The common room, the canteen and the cabins of the room pictures: their walls and furniture
// in flat, softly graded colours, the things people hold, and the light of the hour.
#include "assets/rooms.hpp"

#include <array>
#include <string>
#include <tuple>

namespace zav3::assets {

namespace {

constexpr double width = 640, height = 270;
constexpr double pi = 3.14159265358979323846;

// The walls of a room seen from its open side, the back wall `back` framed by the ceiling, the
// side walls and the floor running out to the picture's edges.
struct Walls {
  Rgb back, side, ceiling, floor, floorNear, trim;
};

void walls(Canvas& c, Bounds b, const Walls& w) {
  c.polygon({{0, 0}, {width, 0}, {b.x1, b.y0}, {b.x0, b.y0}}, w.ceiling);
  c.fill(
      {0, 0, width, b.y0 + 1},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{0, 0}, {width, 0}, {b.x1, b.y0}, {b.x0, b.y0}});
      },
      [&](double, double y) { return shade(w.ceiling, -0.25 * (1 - y / b.y0)); });
  for (bool right : {false, true}) {
    const double edge = right ? width : 0, inner = right ? b.x1 : b.x0;
    const std::vector<Vec> wall{{edge, 0}, {inner, b.y0}, {inner, b.y1}, {edge, height}};
    c.fill(
        {std::min(edge, inner), 0, std::max(edge, inner), height},
        [&](double x, double y) { return sdf::polygon(x, y, wall); },
        [&](double, double y) { return shade(w.side, -0.18 * y / height); });
    // Skirting along the foot of the wall.
    c.polygon({{edge, height - 14}, {inner, b.y1 - 5}, {inner, b.y1}, {edge, height}}, w.trim);
  }
  c.fill(
      {0, b.y1, width, height},
      [&](double x, double y) {
        return sdf::polygon(x, y, {{0, height}, {b.x0, b.y1}, {b.x1, b.y1}, {width, height}});
      },
      [&](double, double y) { return mix(w.floor, w.floorNear, (y - b.y1) / (height - b.y1)); });
  c.gradient(b.x0, b.y0, b.x1, b.y1, shade(w.back, 0.06), shade(w.back, -0.08));
  c.rect(b.x0, b.y1 - 5, b.x1, b.y1, w.trim);
  for (const Vec corner : {Vec{b.x0, b.y0}, Vec{b.x1, b.y0}}) {
    c.line(corner.x, corner.y, corner.x, b.y1, 1.2, shade(w.side, -0.35), 0.6);
  }
  c.line(b.x0, b.y0, b.x1, b.y0, 1.2, shade(w.ceiling, -0.35), 0.6);
}

// Stars and a touch of nebula inside a window (the pane given by its distance function).
template <class D>
void spaceThrough(Canvas& c, Bounds pane, D inside, std::uint64_t seed, Rgb tint) {
  c.fill(pane, inside, [&](double, double y) {
    return mix(hex(0x03050E), shade(tint, -0.6), clamp01((y - pane.y0) / (pane.y1 - pane.y0)));
  });
  Canvas stars(static_cast<int>(pane.x1 - pane.x0), static_cast<int>(pane.y1 - pane.y0));
  stars.stars(0, 0, stars.width(), stars.height(), stars.width() * stars.height() / 260, seed);
  c.fill(pane, inside, [&](double x, double y) {
    const int sx = std::clamp(static_cast<int>(x - pane.x0), 0, stars.width() - 1);
    const int sy = std::clamp(static_cast<int>(y - pane.y0), 0, stars.height() - 1);
    return c.get(static_cast<int>(x), static_cast<int>(y)) + stars.get(sx, sy);
  });
}

void ceilingLights(Canvas& c, std::initializer_list<double> xs, double y, Rgb light) {
  for (const double x : xs) {
    c.box(x - 34, y - 3, x + 34, y + 3, 3, shade(light, 0.4));
    c.glow(x, y + 4, 70, light, 0.18);
  }
}

void plant(Canvas& c, double x, double y, double s) {
  c.polygon({{x - 13 * s, y - 24 * s}, {x + 13 * s, y - 24 * s}, {x + 9 * s, y}, {x - 9 * s, y}},
            hex(0x8A5A3A));
  c.rect(x - 14 * s, y - 27 * s, x + 14 * s, y - 23 * s, hex(0xA06A44));
  Random random(static_cast<std::uint64_t>(x * 7 + y));
  for (int i = 0; i < 9; ++i) {
    const double a = -pi / 2 + random.range(-1.2, 1.2), len = random.range(22, 40) * s;
    const double tx = x + std::cos(a) * len, ty = y - 26 * s + std::sin(a) * len;
    c.fill(
        {std::min(x, tx) - 6 * s, std::min(y - 26 * s, ty) - 6 * s, std::max(x, tx) + 6 * s,
         y - 20 * s},
        [&](double px, double py) {
          return sdf::segment(px, py, {x, y - 26 * s}, {tx, ty}, 3.2 * s);
        },
        i % 2 ? hex(0x3A8A4A) : hex(0x2A6A3A));
  }
}

// A chair seen from the front: back, seat and legs (the seat surface at (x, y)).
void chair(Canvas& c, double x, double y, double s, Rgb colour) {
  c.box(x - 20 * s, y - 62 * s, x + 20 * s, y - 2 * s, 6 * s, shade(colour, -0.1));
  c.box(x - 22 * s, y - 6 * s, x + 22 * s, y + 6 * s, 3 * s, colour);
  for (const double side : {-1.0, 1.0}) {
    c.rect(x + side * 17 * s - 2 * s, y + 6 * s, x + side * 17 * s + 2 * s, y + 42 * s,
           hex(0x2A2E38));
  }
}

// --- the common room ---

constexpr Bounds loungeBack{100, 26, 540, 178};

Canvas loungeRoom() {
  Canvas c(640, 270);
  walls(c, loungeBack,
        {hex(0xC8B89C), hex(0xA89478), hex(0x8C8070), hex(0x6A5448), hex(0x8A6E5A), hex(0x5A4638)});
  // The long window over the sofa.
  const Bounds pane{150, 44, 490, 118};
  spaceThrough(
      c, pane, [&](double x, double y) { return sdf::box(x, y, 150, 44, 490, 118, 6); }, 31,
      hex(0x3A4A8A));
  // The limb of a blue planet low in the window.
  c.fill(
      {150, 84, 330, 118},
      [](double x, double y) {
        return std::max(sdf::box(x, y, 150, 44, 490, 118, 6), sdf::circle(x, y, 210, 330, 236));
      },
      [](double x, double y) {
        const double d = std::hypot(x - 210, y - 330) / 236;
        return mix(hex(0x1A3A7A), hex(0x8AC0F0), smoothstep(0.9, 1.0, d));
      });
  c.frame(146, 40, 494, 122, 8, 5, hex(0x5A4C3E));
  for (const double x : {263.0, 377.0}) c.rect(x - 2, 44, x + 2, 118, hex(0x5A4C3E));
  ceilingLights(c, {200, 320, 440}, 10, hex(0xFFE0B0));
  // The wall screen on the left wall and the drinks machine by the right one.
  c.polygon({{22, 64}, {84, 76}, {84, 138}, {22, 146}}, hex(0x1A1C24));
  c.polygon({{26, 69}, {80, 80}, {80, 134}, {26, 141}}, hex(0x24405A));
  c.polygon({{560, 68}, {610, 40}, {610, 236}, {560, 196}}, hex(0x8A3A34));
  c.polygon({{566, 80}, {604, 58}, {604, 132}, {566, 140}}, hex(0xE8E0D0));
  for (int i = 0; i < 3; ++i) {
    const double y = 90 + i * 16;
    c.polygon({{570, y}, {600, y - 12}, {600, y - 6}, {570, y + 6}},
              std::array{hex(0xD04030), hex(0x3080D0), hex(0x40A050)}[static_cast<std::size_t>(i)]);
  }
  c.polygon({{570, 160}, {600, 150}, {600, 172}, {570, 178}}, hex(0x2A1A18));
  plant(c, 118, 176, 1.0);
  plant(c, 522, 176, 1.0);
  // The sofa along the back wall.
  const Rgb sofa = hex(0x3A6A7A);
  c.box(196, 140, 444, 196, 10, shade(sofa, -0.12));
  for (int i = 0; i < 3; ++i) c.box(206 + i * 78, 146, 280 + i * 78, 188, 8, shade(sofa, 0.05));
  c.box(190, 184, 450, 212, 6, sofa);
  c.rect(196, 184, 444, 188, shade(sofa, 0.2));
  for (const double x : {190.0, 450.0}) c.box(x - 14, 160, x + 14, 214, 7, shade(sofa, -0.2));
  // A rug under the coffee table.
  c.ellipse(320, 240, 170, 24, hex(0x8A4A3A));
  c.ellipse(320, 240, 156, 20, hex(0xA0604A));
  return c;
}

std::vector<Piece> loungePieces() {
  return {
      {236,
       [](Canvas& c) {
         c.ellipse(320, 242, 78, 9, hex(0x000000), 0.25);
         for (const double x : {264.0, 376.0}) c.rect(x - 3, 226, x + 3, 242, hex(0x3A2A20));
         c.ellipse(320, 226, 84, 13, hex(0x5A3A24));
         c.ellipse(320, 224, 80, 11, hex(0x7A5234));
         c.ellipse(306, 222, 9, 3, hex(0xE8E0D8));  // a magazine and a bowl of fruit
         c.ellipse(352, 222, 11, 4, hex(0xD8D0C0));
         c.circle(348, 219, 3.5, hex(0xE04030));
         c.circle(355, 219, 3.5, hex(0xF0B030));
       }},
      // Armchairs at the front corners: their backs under the sitters, their arms over them.
      {240,
       [](Canvas& c) {
         for (const double x : {110.0, 540.0}) {
           c.box(x - 40, 148, x + 40, 232, 14, hex(0x6A3A48));
           c.box(x - 38, 222, x + 38, 262, 8, hex(0x7A4654));
         }
       }},
      {300,
       [](Canvas& c) {
         for (const double x : {110.0, 540.0}) {
           for (const double side : {-1.0, 1.0}) {
             c.box(x + side * 38 - 10, 196, x + side * 38 + 10, 266, 8, hex(0x5A3040));
           }
         }
       }},
  };
}

// --- the canteen ---

constexpr Bounds canteenBack{80, 22, 560, 168};

Canvas canteenRoom(host::TextRenderer& text) {
  Canvas c(640, 270);
  walls(c, canteenBack,
        {hex(0xE0D8C4), hex(0xC0B49A), hex(0xA8A090), hex(0x7A8288), hex(0x9AA2A6), hex(0x4A5258)});
  // Floor tiles in two tones.
  c.map(0, 168, 640, 270, [](double x, double y, Rgb old) {
    const double k = (y - 160) / 110;
    const int col = static_cast<int>(std::floor((x - 320) / (40 + 60 * k)));
    const int row = static_cast<int>(std::floor(std::log(k) * 4));
    return (col + row) % 2 ? shade(old, -0.06) : old;
  });
  // The serving hatch with the kitchen behind it.
  c.rect(130, 62, 400, 134, hex(0x2A3038));
  c.gradient(134, 66, 396, 130, hex(0x5A646E), hex(0x3A4048));
  for (int i = 0; i < 4; ++i) {
    const double x = 160 + i * 66;
    c.box(x, 104, x + 34, 128, 3, hex(0xB8C0C8));
    c.rect(x - 2, 102, x + 36, 106, hex(0xD8DEE4));
    c.ellipse(x + 17, 96, 12, 6, hex(0xFFFFFF), 0.15);
    c.ellipse(x + 12, 84, 8, 5, hex(0xFFFFFF), 0.1);
  }
  for (int i = 0; i < 5; ++i) c.line(150 + i * 56, 70, 150 + i * 56, 84, 1, hex(0x9AA0A8));
  for (int i = 0; i < 5; ++i) c.ellipse(150 + i * 56, 88, 5, 4, hex(0x8A949E));
  c.box(124, 132, 406, 146, 2, hex(0xC8CCD0));
  c.rect(124, 144, 406, 168, hex(0x8A9098));
  c.rect(124, 144, 406, 147, hex(0x6A7078));
  // The menu board and the clock.
  c.box(430, 46, 536, 128, 3, hex(0x2A3A2E));
  c.frame(430, 46, 536, 128, 3, 3, hex(0x8A6A3A));
  const Font font{13, false, false};
  drawText(c, text, {14, false, true}, 446, 54, "本日の献立", hex(0xFFF0C0));
  const std::array<const char*, 4> menu{"カレー", "焼き魚定食", "ラーメン", "ボルシチ"};
  for (std::size_t i = 0; i < menu.size(); ++i)
    drawText(c, text, font, 446, 74 + static_cast<double>(i) * 13, menu[i], hex(0xE8F0E0));
  c.circle(265, 40, 13, hex(0xF4F0E8));
  c.ring(265, 40, 13, 2, hex(0x4A4A4A));
  c.line(265, 40, 265, 31, 1.5, hex(0x202020));
  c.line(265, 40, 272, 43, 1.5, hex(0x202020));
  for (const double x : {160.0, 320.0, 480.0}) {
    c.line(x, 0, x, 16, 1.5, hex(0x3A3A3A));
    c.ellipse(x, 20, 26, 6, hex(0xE8E0C8));
    c.ellipse(x, 22, 22, 3, hex(0xFFF4D0));
    c.glow(x, 30, 90, hex(0xFFE0A0), 0.2);
  }
  // The chairs behind the long table.
  for (int i = 0; i < 6; ++i) chair(c, 95 + i * 90, 226, 0.9, hex(0x3A6AA0));
  return c;
}

std::vector<Piece> canteenPieces() {
  return {{300, [](Canvas& c) {
             c.polygon({{56, 212}, {584, 212}, {604, 230}, {36, 230}}, hex(0xE8E4DC));
             c.polygon({{36, 230}, {604, 230}, {604, 237}, {36, 237}}, hex(0xB8B4AC));
             c.gradient(44, 237, 596, 270, hex(0x7A8A9A), hex(0x5A6A7A));
             for (const double x : {60.0, 580.0}) c.rect(x - 4, 237, x + 4, 270, hex(0x3A4048));
             c.ellipse(320, 264, 300, 6, hex(0x000000), 0.2);
           }}};
}

// --- the cabins ---

constexpr Bounds cabinBack{60, 18, 580, 196};

struct CabinLook {
  Walls walls;
  Rgb bedFrame, blanket, rug, accent;
};

CabinLook cabinLook(Place place) {
  switch (place) {
    case Place::cabinRinka:
      return {{hex(0xE8D4BC), hex(0xC8AE94), hex(0xB09A84), hex(0x7A4A3A), hex(0x8A5A44),
               hex(0x5A2A22)},
              hex(0x5A2A22),
              hex(0xC83A3A),
              hex(0xB8903A),
              hex(0xC8303A)};
    case Place::cabinBeverly:
      return {{hex(0xCCE4DC), hex(0xA8C8C0), hex(0x9AB0AC), hex(0x8A8478), hex(0xA09A8C),
               hex(0x4A6A66)},
              hex(0xE8E8E0),
              hex(0x7AB8A8),
              hex(0xE8C8D0),
              hex(0x2A8A8A)};
    case Place::cabinScott:
      return {{hex(0xA8ACB0), hex(0x8A9098), hex(0x747A82), hex(0x4A4A4C), hex(0x5A5A5E),
               hex(0x3A3A3E)},
              hex(0x3A3A40),
              hex(0xC87A2A),
              hex(0x6A5A4A),
              hex(0xE09030)};
    case Place::cabinSakharov:
      return {{hex(0xC8C4A8), hex(0xA8A48A), hex(0x94907A), hex(0x5A5040), hex(0x6A604E),
               hex(0x3E3A2C)},
              hex(0x3E3A2C),
              hex(0x6A7266),
              hex(0x8A3A2A),
              hex(0xB83A2A)};
    case Place::cabinTogo:
      return {{hex(0xA8B8D8), hex(0x8898BC), hex(0x7A88A8), hex(0x50506A), hex(0x60607A),
               hex(0x2A3050)},
              hex(0x2A3050),
              hex(0xE07A30),
              hex(0x3A6AA0),
              hex(0xE04030)};
    default:
      return {{hex(0xD8D0EC), hex(0xB4AACC), hex(0xA09ABC), hex(0x6A6080), hex(0x7A7090),
               hex(0x3A3456)},
              hex(0xF0F0F8),
              hex(0xB8A8E8),
              hex(0xF0B8C8),
              hex(0x7A5AC0)};
  }
}

void bookshelf(Canvas& c, double x0, double y0, double x1, int rows, std::uint64_t seed, Rgb wood) {
  Random random(seed);
  for (int r = 0; r < rows; ++r) {
    const double y = y0 + r * 24;
    double x = x0 + 3;
    while (x < x1 - 8) {
      const double w = random.range(4, 8), top = y + random.range(2, 7);
      c.rect(x, top, x + w - 1, y + 20,
             std::array{hex(0x8A2A20), hex(0x2A4A7A), hex(0x3A6A3A), hex(0xB08A40), hex(0x5A3A6A),
                        hex(0xE8E0D0)}[static_cast<std::size_t>(random.below(6))]);
      x += w;
    }
    c.rect(x0, y + 20, x1, y + 23, wood);
  }
}

// What each cabin's owner keeps on the walls and the desk.
void cabinDecor(Canvas& c, Place place, host::TextRenderer& text, const CabinLook& look) {
  switch (place) {
    case Place::cabinMina:
      // The radio set with its headphones, a photograph and a pin board.
      c.box(404, 128, 470, 160, 3, hex(0x3A4050));
      for (int i = 0; i < 3; ++i) c.circle(416 + i * 14, 146, 4, hex(0xC8CCD8));
      c.rect(448, 134, 466, 142, hex(0x50E0FF));
      c.ring(486, 148, 9, 2.5, hex(0x2A2E38));
      c.box(500, 134, 522, 160, 2, hex(0xE8D0A0));
      c.rect(503, 137, 519, 155, hex(0x6A9AD0));
      c.box(120, 50, 200, 110, 3, hex(0xC89A6A));
      for (int i = 0; i < 5; ++i)
        c.rect(128 + (i % 3) * 24, 58 + (i / 3) * 24, 146 + (i % 3) * 24, 76 + (i / 3) * 24,
               std::array{hex(0xF8F0A0), hex(0xA0D8F0), hex(0xF0B0C0), hex(0xFFFFFF),
                          hex(0xB0E8B0)}[static_cast<std::size_t>(i)]);
      break;
    case Place::cabinRinka:
      // A hanging scroll, a paper lantern and a tea set.
      c.rect(136, 36, 186, 130, hex(0xF4ECD8));
      c.rect(132, 32, 190, 38, hex(0x5A2A22));
      c.rect(132, 128, 190, 134, hex(0x5A2A22));
      drawText(c, text, {30, true, true}, 146, 44, "静", hex(0x1A1418));
      drawText(c, text, {30, true, true}, 146, 84, "心", hex(0x1A1418));
      c.line(230, 18, 230, 40, 1, hex(0x3A2A20));
      c.ellipse(230, 56, 15, 18, hex(0xD83A30));
      c.glow(230, 56, 40, hex(0xFF8050), 0.3);
      for (int i = -1; i <= 1; ++i) c.line(230 + i * 8, 40, 230 + i * 9, 72, 0.8, hex(0x8A2A20));
      c.ellipse(430, 152, 12, 8, hex(0xF0F0F0));
      c.ellipse(430, 144, 5, 3, hex(0xF0F0F0));
      for (const double x : {452.0, 466.0}) c.box(x - 4, 150, x + 4, 160, 2, hex(0xF0F0F0));
      plant(c, 540, 160, 0.55);
      break;
    case Place::cabinBeverly:
      // Medical books, an anatomy chart and flowers.
      bookshelf(c, 396, 60, 566, 3, 71, hex(0xE8E8E0));
      c.rect(130, 40, 200, 130, hex(0xFAF8F0));
      c.frame(130, 40, 200, 130, 0, 2, hex(0x8A9A9A));
      c.circle(165, 58, 8, hex(0xE8B8A8));
      c.box(156, 66, 174, 100, 6, hex(0xE8B8A8));
      c.line(165, 70, 165, 98, 1.5, hex(0xC04040));
      c.line(158, 100, 154, 124, 3, hex(0xE8B8A8));
      c.line(172, 100, 176, 124, 3, hex(0xE8B8A8));
      c.box(530, 140, 546, 160, 3, hex(0x8AC0E0));
      for (int i = 0; i < 5; ++i) c.circle(530 + i * 4, 134 - (i % 2) * 5, 4, hex(0xF080A0));
      break;
    case Place::cabinScott:
      // A tool board, an engine drawing and parts on the desk.
      c.box(120, 40, 216, 120, 2, hex(0x5A6A5A));
      for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 5; ++j) c.circle(128 + i * 12, 48 + j * 16, 1, hex(0x2A3A2A));
      for (int i = 0; i < 4; ++i) {
        const double x = 134 + i * 22;
        c.line(x, 54, x, 100, 3, hex(0xB8BCC4));
        c.circle(x, 54, 5, hex(0xB8BCC4));
        c.circle(x, 54, 2, hex(0x5A6A5A));
      }
      c.rect(400, 50, 560, 120, hex(0x1A3A6A));
      for (int i = 0; i < 6; ++i) c.line(410, 60 + i * 10, 550, 60 + i * 10, 0.8, hex(0x6A9AD0));
      c.ring(480, 85, 24, 1.5, hex(0xC0E0FF));
      c.ring(480, 85, 12, 1.5, hex(0xC0E0FF));
      c.box(416, 140, 450, 160, 3, hex(0x8A8E96));
      c.circle(500, 150, 10, hex(0x6A6E76));
      c.circle(500, 150, 4, hex(0xB8BCC4));
      break;
    case Place::cabinSakharov:
      // A map of the home planet, a medal case, a tea urn and a tidy shelf.
      c.rect(120, 40, 230, 110, hex(0xE8DCB8));
      c.frame(120, 40, 230, 110, 0, 3, hex(0x5A4A30));
      c.ellipse(160, 74, 26, 18, hex(0x7AA070));
      c.ellipse(200, 70, 18, 14, hex(0x7AA070));
      c.box(400, 56, 470, 100, 2, hex(0x2A2A3A));
      for (int i = 0; i < 3; ++i) {
        c.rect(412 + i * 20, 64, 420 + i * 20, 76, hex(0xC83A2A));
        c.circle(416 + i * 20, 84, 5, hex(0xE8C050));
      }
      c.box(510, 128, 536, 160, 6, hex(0xC8A050));
      c.rect(518, 120, 528, 130, hex(0xA88030));
      bookshelf(c, 400, 104, 566, 1, 72, hex(0x4A3A28));
      break;
    case Place::cabinTogo:
      // Posters, a ball and a poster of a racing ship.
      c.rect(120, 38, 200, 118, hex(0x1A1A30));
      c.polygon({{130, 100}, {190, 60}, {194, 66}, {138, 104}}, hex(0xE8ECF4));
      c.polygon({{130, 100}, {150, 90}, {154, 104}}, hex(0xE04030));
      drawText(c, text, {14, false, true}, 126, 42, "ＲＡＣＥ", hex(0xF0C030));
      c.rect(410, 46, 480, 112, hex(0xF0E0C0));
      c.circle(445, 74, 20, hex(0xE07A30));
      drawText(c, text, {12, false, true}, 418, 96, "ＧＯＡＬ", hex(0x2A3050));
      c.circle(540, 150, 10, hex(0xFFFFFF));
      c.line(531, 146, 549, 154, 1, hex(0x2A2A2A));
      break;
    default:
      break;
  }
  (void)look;
}

Canvas cabinRoom(Place place, host::TextRenderer& text) {
  const CabinLook look = cabinLook(place);
  Canvas c(640, 270);
  walls(c, cabinBack, look.walls);
  // The porthole.
  spaceThrough(
      c, {296, 46, 364, 114}, [](double x, double y) { return sdf::circle(x, y, 330, 80, 34); },
      40 + static_cast<std::uint64_t>(place), hex(0x4050A0));
  c.ring(330, 80, 37, 7, hex(0x8A909A));
  c.ring(330, 80, 40.5, 1.5, hex(0x4A5058));
  for (int i = 0; i < 8; ++i) {
    const double a = i * pi / 4;
    c.circle(330 + std::cos(a) * 37, 80 + std::sin(a) * 37, 1.6, hex(0x5A6068));
  }
  // The door in the right wall.
  c.polygon({{596, 64}, {630, 50}, {630, 250}, {596, 214}}, shade(look.walls.side, -0.2));
  c.polygon({{600, 72}, {626, 62}, {626, 240}, {600, 208}}, shade(look.walls.side, -0.1));
  c.circle(620, 150, 2.5, hex(0x40FF90));
  // Desk, shelf and lamp on the right.
  cabinDecor(c, place, text, look);
  c.polygon({{390, 160}, {566, 160}, {572, 170}, {384, 170}}, shade(look.bedFrame, 0.15));
  c.rect(384, 170, 572, 176, shade(look.bedFrame, -0.1));
  c.rect(392, 176, 400, 196, shade(look.bedFrame, -0.3));
  c.box(510, 176, 566, 196, 2, shade(look.bedFrame, -0.15));
  c.line(520, 186, 556, 186, 1.5, shade(look.bedFrame, -0.4));
  c.line(560, 160, 552, 118, 2, hex(0x2A2A2A));
  c.polygon({{540, 112}, {566, 112}, {560, 122}, {546, 122}}, look.accent);
  // The bed along the left of the back wall, made up.
  c.rect(50, 136, 68, 234, look.bedFrame);
  c.box(46, 130, 72, 142, 4, shade(look.bedFrame, 0.1));
  c.polygon({{60, 186}, {272, 186}, {280, 204}, {52, 204}}, hex(0xF4F4F8));
  c.rect(52, 204, 280, 232, look.bedFrame);
  c.rect(276, 190, 284, 236, shade(look.bedFrame, -0.15));
  c.box(72, 178, 112, 196, 7, hex(0xFFFFFF));
  c.polygon({{122, 184}, {272, 184}, {280, 206}, {114, 206}}, look.blanket);
  c.rect(114, 206, 280, 214, shade(look.blanket, -0.2));
  c.line(122, 187, 272, 187, 2, shade(look.blanket, 0.3));
  c.ellipse(330, 244, 90, 16, look.rug);
  c.ellipse(330, 244, 80, 12, shade(look.rug, 0.15));
  return c;
}

}  // namespace

Rgb bedCover(Place place) {
  return cabinLook(place).blanket;
}

namespace {

std::vector<Piece> cabinPieces(Place place) {
  const Rgb frame = cabinLook(place).bedFrame;
  // The desk chair, turned to face the room.
  return {{230, [frame](Canvas& c) { chair(c, 470, 214, 0.92, shade(frame, -0.2)); }}};
}

}  // namespace

Canvas roomBackground(Place place, host::TextRenderer& text) {
  switch (place) {
    case Place::lounge:
      return loungeRoom();
    case Place::canteen:
      return canteenRoom(text);
    default:
      return cabinRoom(place, text);
  }
}

std::vector<Piece> roomPieces(Place place) {
  switch (place) {
    case Place::lounge:
      return loungePieces();
    case Place::canteen:
      return canteenPieces();
    default:
      return cabinPieces(place);
  }
}

void applyLight(Canvas& c, Place place, Light light) {
  const bool cabin = place != Place::lounge && place != Place::canteen;
  // The lamp that stays on: the desk lamp of a cabin, the serving hatch, the wall screen.
  const Vec lamp = cabin ? Vec{553, 126} : place == Place::canteen ? Vec{265, 100} : Vec{54, 106};
  switch (light) {
    case Light::day:
      return;
    case Light::evening:
      c.mapAll([](double, double, Rgb old) {
        return Rgb{old.r * 0.78, old.g * 0.68, old.b * 0.6};
      });
      c.glow(lamp.x, lamp.y + 30, 90, hex(0xFFB060), 0.15);
      return;
    case Light::night:
      c.mapAll([](double, double, Rgb old) {
        return Rgb{old.r * 0.28, old.g * 0.32, old.b * 0.48};
      });
      c.glow(cabin ? 330 : lamp.x, cabin ? 80 : lamp.y, 200, hex(0x6070C0), 0.22);
      return;
    case Light::screen:
      c.mapAll([](double, double, Rgb old) {
        return Rgb{old.r * 0.4, old.g * 0.42, old.b * 0.55};
      });
      c.polygon({{26, 69}, {80, 80}, {80, 134}, {26, 141}}, hex(0x9AD8FF));
      c.polygon({{30, 110}, {52, 96}, {78, 118}, {78, 132}, {30, 138}}, hex(0x3A8A5A));
      c.circle(62, 92, 6, hex(0xFFF0A0));
      c.glow(60, 110, 360, hex(0x6AB0FF), 0.35);
      return;
    case Light::alert:
      c.mapAll([](double, double, Rgb old) {
        const double lum = old.r * 0.3 + old.g * 0.5 + old.b * 0.2;
        return mix(old * 0.55, Rgb{lum * 1.15, lum * 0.25, lum * 0.22}, 0.55);
      });
      if (place == Place::lounge) {  // the wall screen shows the alarm
        c.polygon({{26, 69}, {80, 80}, {80, 134}, {26, 141}}, hex(0x3A0806));
        c.polygon({{53, 86}, {74, 124}, {32, 128}}, hex(0xFFC020));
        c.polygon({{53, 94}, {68, 120}, {38, 123}}, hex(0x3A0806));
        c.line(53, 101, 53, 113, 3, hex(0xFFC020));
        c.circle(53, 118, 1.8, hex(0xFFC020));
        c.glow(53, 108, 60, hex(0xFF6020), 0.3);
      }
      for (const double x : {150.0, 490.0}) {
        c.box(x - 9, 2, x + 9, 14, 3, hex(0x601010));
        c.glow(x, 10, 110, hex(0xFF2010), 0.35);
        c.circle(x, 9, 5, hex(0xFFD0B0));
      }
      return;
  }
}

void drawProp(Canvas& c, Prop prop, Who who, Vec at, double s) {
  switch (prop) {
    case Prop::none:
      return;
    case Prop::cup: {
      const std::array<Rgb, peopleCount> mug{hex(0xE86A8A), hex(0xF4F4F4), hex(0x3A9AC8),
                                             hex(0x5A5A60), hex(0xC83A2A), hex(0xF0B030)};
      const Rgb colour = mug[static_cast<std::size_t>(who)];
      c.ring(at.x + 6 * s, at.y - 4 * s, 2.6 * s, 1.5 * s, colour);
      c.box(at.x - 5.5 * s, at.y - 10 * s, at.x + 5.5 * s, at.y + 1 * s, 1.8 * s, colour);
      c.box(at.x - 5.5 * s, at.y - 10 * s, at.x - 3 * s, at.y + 1 * s, 1.2 * s, shade(colour, 0.3));
      c.ellipse(at.x, at.y - 10 * s, 5.5 * s, 1.6 * s, hex(0x6A3A1A));
      c.ellipse(at.x - 1 * s, at.y - 17 * s, 1.8 * s, 4 * s, hex(0xFFFFFF), 0.3);
      return;
    }
    case Prop::book:
      // The cover, then the open pages inside it.
      for (const auto& [w, top, bottom, colour] :
           {std::tuple{13.0, 12.0, 3.0, who == Who::beverly ? hex(0x2A5A8A) : hex(0x8A3A2A)},
            std::tuple{11.0, 11.0, 1.0, hex(0xF8F4E8)}}) {
        c.polygon({{at.x - w * s, at.y - top * s},
                   {at.x, at.y - (top - 4) * s},
                   {at.x + w * s, at.y - top * s},
                   {at.x + w * s, at.y + bottom * s},
                   {at.x, at.y + (bottom + 3) * s},
                   {at.x - w * s, at.y + bottom * s}},
                  colour);
      }
      c.line(at.x, at.y - 7 * s, at.x, at.y + 4 * s, 0.8 * s, hex(0xA0988A));
      return;
    case Prop::snack:
      c.polygon({{at.x - 9 * s, at.y - 12 * s},
                 {at.x + 9 * s, at.y - 12 * s},
                 {at.x + 6 * s, at.y + 3 * s},
                 {at.x - 6 * s, at.y + 3 * s}},
                hex(0xE04040));
      for (int i = 0; i < 5; ++i)
        c.circle(at.x - 7 * s + i * 3.5 * s, at.y - 13 * s - (i % 2) * 2 * s, 2.6 * s,
                 hex(0xFFF4D0));
      return;
    case Prop::guitar:
      c.ellipse(at.x + 4 * s, at.y + 4 * s, 17 * s, 14 * s, hex(0xB0602A));
      c.ellipse(at.x - 8 * s, at.y - 8 * s, 12 * s, 10 * s, hex(0xB0602A));
      c.circle(at.x, at.y - 2 * s, 4 * s, hex(0x3A2010));
      c.line(at.x - 10 * s, at.y - 10 * s, at.x - 40 * s, at.y - 40 * s, 4 * s, hex(0x4A2A18));
      c.box(at.x - 46 * s, at.y - 48 * s, at.x - 36 * s, at.y - 38 * s, 2 * s, hex(0x2A1A10));
      return;
    case Prop::brush:
      c.rect(at.x - 14 * s, at.y - 6 * s, at.x + 14 * s, at.y + 8 * s, hex(0xF8F4EA));
      c.line(at.x - 8 * s, at.y - 2 * s, at.x - 2 * s, at.y + 4 * s, 2 * s, hex(0x1A1418));
      c.line(at.x + 2 * s, at.y - 3 * s, at.x + 8 * s, at.y - 3 * s, 2 * s, hex(0x1A1418));
      c.line(at.x + 6 * s, at.y - 14 * s, at.x + 10 * s, at.y - 2 * s, 1.8 * s, hex(0x8A5A2A));
      return;
    case Prop::wrench:
      c.circle(at.x - 4 * s, at.y, 8 * s, hex(0x6A6E76));
      c.circle(at.x - 4 * s, at.y, 3 * s, hex(0xB8BCC4));
      c.line(at.x + 2 * s, at.y - 4 * s, at.x + 16 * s, at.y - 18 * s, 3 * s, hex(0xC8CCD4));
      c.circle(at.x + 17 * s, at.y - 19 * s, 3.5 * s, hex(0xC8CCD4));
      return;
    case Prop::chess: {
      const double y = at.y + 20 * s;
      c.rect(at.x - 3 * s, y, at.x + 3 * s, y + 26 * s, hex(0x3E3A2C));
      c.polygon({{at.x - 24 * s, y - 8 * s},
                 {at.x + 24 * s, y - 8 * s},
                 {at.x + 28 * s, y + 2 * s},
                 {at.x - 28 * s, y + 2 * s}},
                hex(0xE8D8B0));
      for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 2; ++j)
          if ((i + j) % 2)
            c.rect(at.x - 26 * s + i * 6.5 * s, y - 8 * s + j * 5 * s, at.x - 20 * s + i * 6.5 * s,
                   y - 3 * s + j * 5 * s, hex(0x5A3A20));
      for (int i = 0; i < 4; ++i) {
        c.box(at.x - 20 * s + i * 12 * s, y - 16 * s, at.x - 16 * s + i * 12 * s, y - 7 * s,
              1.5 * s, i % 2 ? hex(0x1A1A1A) : hex(0xFFFFF0));
      }
      c.rect(at.x - 28 * s, y + 2 * s, at.x + 28 * s, y + 5 * s, hex(0x8A6A40));
      return;
    }
    case Prop::tray: {
      c.box(at.x - 26 * s, at.y - 6 * s, at.x + 26 * s, at.y + 6 * s, 2 * s, hex(0x8A6A4A));
      const std::array<Rgb, peopleCount> dish{hex(0xE0A030), hex(0xE8C060), hex(0x6AA050),
                                              hex(0xC05A2A), hex(0xA02A30), hex(0xE09040)};
      c.ellipse(at.x - 10 * s, at.y, 10 * s, 4 * s, hex(0xFFFFFF));
      c.ellipse(at.x - 10 * s, at.y - 0.5 * s, 7 * s, 2.5 * s, dish[static_cast<std::size_t>(who)]);
      c.ellipse(at.x + 10 * s, at.y - 1 * s, 7 * s, 3.5 * s, hex(0xE8E4DC));
      c.ellipse(at.x + 10 * s, at.y - 1.5 * s, 5 * s, 2 * s, hex(0xC8B890));
      c.line(at.x + 20 * s, at.y - 4 * s, at.x + 24 * s, at.y + 4 * s, 1.2 * s, hex(0x5A3A20));
      return;
    }
    case Prop::plush:
      c.circle(at.x, at.y - 4 * s, 8 * s, hex(0xF0D8A8));
      c.circle(at.x - 6 * s, at.y - 11 * s, 3.5 * s, hex(0xF0D8A8));
      c.circle(at.x + 6 * s, at.y - 11 * s, 3.5 * s, hex(0xF0D8A8));
      c.circle(at.x - 3 * s, at.y - 5 * s, 1.1 * s, hex(0x2A1A1A));
      c.circle(at.x + 3 * s, at.y - 5 * s, 1.1 * s, hex(0x2A1A1A));
      c.ellipse(at.x, at.y + 6 * s, 9 * s, 7 * s, hex(0xF0D8A8));
      return;
  }
}

}  // namespace zav3::assets
