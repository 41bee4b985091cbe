// The clothes of the face pictures: the crew's uniforms and work clothes, and the costumes of
// the heroine and 鈴華 (room clothes, clothes for going ashore, evening dresses).
#include "assets/face_looks.hpp"

namespace zav3::assets::face {

namespace {

// The shoulders in the costume's main colour, lit from above.
void torsoIn(Canvas& c, Rgb colour) {
  const std::vector<Vec> torso{{0, 141},  {3, 124},   {18, 111},  {46, 103},
                               {74, 103}, {102, 111}, {117, 124}, {120, 141}};
  fillPolygon(c, torso, [colour](double x, double y) {
    return shade(colour, 0.12 - 0.3 * clamp01((y - 103) / 38) - 0.1 * std::abs(x - 60) / 60);
  });
}

// The two fronts of an open coat in `colour` (lighter at the top).
void coatFronts(Canvas& c, Rgb colour, double lapel) {
  const auto paint = [colour](double, double y) {
    return mix(shade(colour, 0.1), shade(colour, -0.18), (y - 103) / 38);
  };
  fillPolygon(c, {{0, 141}, {4, 124}, {20, 110}, {42, 103}, {56 - lapel, 141}}, paint);
  fillPolygon(c, {{120, 141}, {116, 124}, {100, 110}, {78, 103}, {64 + lapel, 141}}, paint);
  stroke(c, {{42, 104}, {50 - lapel / 2, 122}, {56 - lapel, 141}}, 1, shade(colour, -0.4));
  stroke(c, {{78, 104}, {70 + lapel / 2, 122}, {64 + lapel, 141}}, 1, shade(colour, -0.4));
}

// A standing collar with knotted buttons down the front.
void mandarinCollar(Canvas& c, const Costume& k) {
  fillPolygon(c, {{47, 97}, {73, 97}, {75, 108}, {45, 108}}, shade(k.main, 0.08));
  stroke(c, {{46, 98}, {74, 98}}, 1.4, k.trim);
  stroke(c, {{45, 108}, {75, 108}}, 1.2, k.trim);
}

}  // namespace

void clothes(Canvas& c, const Person& p, const Costume& k) {
  // Neck with the jaw's shadow.
  c.fill(
      {48, 84, 72, 114}, [](double x, double y) { return sdf::box(x, y, 49, 84, 71, 114, 3); },
      [&](double, double y) { return shade(p.skin, y < 100 ? -0.22 : -0.08); });
  switch (k.outfit) {
    case Outfit::uniform:
    case Outfit::coat:
      torsoIn(c, k.main);
      fillPolygon(c, {{47, 103}, {60, 122}, {73, 103}}, shade(p.skin, -0.1));
      stroke(c, {{44, 102}, {60, 124}, {76, 102}}, 2.2,
             k.outfit == Outfit::coat ? hex(0xFFFFFF) : k.trim);
      if (k.outfit == Outfit::coat) {
        coatFronts(c, hex(0xF4F6FA), 0);
        c.box(86, 122, 100, 125, 1, hex(0x3A8AC0));  // a pen in the breast pocket
      } else {
        c.box(78, 118, 90, 124, 1, k.trim);  // insignia
        c.line(80, 121, 88, 121, 1, shade(k.trim, -0.4));
      }
      break;
    case Outfit::coverall:
      torsoIn(c, k.main);
      fillPolygon(c, {{46, 103}, {60, 120}, {74, 103}}, k.trim);
      stroke(c, {{43, 102}, {60, 122}, {77, 102}}, 3, shade(k.main, -0.2));
      stroke(c, {{60, 122}, {60, 141}}, 1.4, hex(0x8A8A90));
      c.box(24, 120, 42, 134, 2, shade(k.main, -0.12));
      stroke(c, {{24, 121}, {42, 121}}, 1, shade(k.main, -0.35));
      c.box(80, 118, 96, 124, 1, hex(0xF0F0E8));  // name tag
      break;
    case Outfit::sweater:
      torsoIn(c, k.main);
      c.ellipse(60, 104, 14, 7, shade(p.skin, -0.1));
      c.fill(
          {44, 96, 76, 114},
          [](double x, double y) { return std::abs(sdf::ellipse(x, y, 60, 104, 14, 7)) - 1.3; },
          k.trim);
      for (int i = 0; i < 3; ++i)
        stroke(c, curve({20.0 + i * 4, 141}, {26.0 + i * 4, 125}, {34.0 + i * 4, 114}), 0.8,
               shade(k.main, -0.15));
      break;
    case Outfit::trench:
      torsoIn(c, hex(0xF4F0EA));
      fillPolygon(c, {{47, 103}, {60, 116}, {73, 103}}, shade(p.skin, -0.1));
      fillPolygon(c, {{44, 101}, {60, 117}, {52, 123}, {42, 106}}, k.trim);
      fillPolygon(c, {{76, 101}, {60, 117}, {68, 123}, {78, 106}}, k.trim);
      coatFronts(c, k.main, 6);
      fillPolygon(c, {{42, 104}, {54, 128}, {44, 126}, {30, 110}}, shade(k.main, 0.12));
      fillPolygon(c, {{78, 104}, {66, 128}, {76, 126}, {90, 110}}, shade(k.main, 0.12));
      for (double y : {128.0, 136.0}) c.circle(58, y, 1.6, hex(0x6A4A2A));
      break;
    case Outfit::mandarin:
      torsoIn(c, k.main);
      mandarinCollar(c, k);
      stroke(c, {{60, 108}, {60, 141}}, 1, shade(k.main, -0.35));
      for (double y : {114.0, 124.0, 134.0}) {
        stroke(c, {{54, y}, {66, y}}, 1.6, k.trim);
        c.circle(60, y, 1.8, k.trim);
      }
      break;
    case Outfit::gown: {
      // Bare shoulders, the dress from the neckline down, and a pendant.
      torsoIn(c, p.skin);
      c.fill(
          {0, 114, 120, 141},
          [](double x, double y) {
            return std::max(sdf::polygon(x, y,
                                         {{0, 141},
                                          {3, 124},
                                          {18, 111},
                                          {46, 103},
                                          {74, 103},
                                          {102, 111},
                                          {117, 124},
                                          {120, 141}}),
                            118 + 5 * std::cos((x - 60) / 60 * 3.14159) - y);
          },
          [&](double, double y) { return shade(k.main, 0.1 - 0.3 * clamp01((y - 114) / 27)); });
      stroke(c, curve({14, 116}, {60, 132}, {106, 116}, 14), 1.2, k.trim);
      stroke(c, curve({49, 104}, {60, 118}, {71, 104}), 0.8, k.trim);
      c.circle(60, 119, 2.4, k.trim);
      break;
    }
    case Outfit::qipao:
      torsoIn(c, k.main);
      mandarinCollar(c, k);
      stroke(c, curve({60, 108}, {76, 110}, {84, 126}), 1.4, k.trim);
      for (int i = 0; i < 4; ++i) {
        const double x = 26 + i * 22, y = 122 + (i % 2) * 8;
        for (int petal = 0; petal < 5; ++petal) {
          const double a = petal * 1.2566;
          c.circle(x + std::cos(a) * 2.5, y + std::sin(a) * 2.5, 1.8, shade(k.trim, 0.2), 0.6);
        }
      }
      break;
  }
  if (p.older) {
    for (double x : {6.0, 90.0}) {
      c.box(x, 112, x + 24, 118, 2, hex(0xE0B040));
      for (int i = 0; i < 5; ++i)
        c.line(x + 3 + i * 4.5, 118, x + 3 + i * 4.5, 122, 1.2, hex(0xC09030));
    }
    c.circle(84, 121, 3, hex(0xE0B040));
  }
}

}  // namespace zav3::assets::face
