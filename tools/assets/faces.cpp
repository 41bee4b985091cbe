// The faces of KAOCG (120 x 140 portraits inside a copy of the 136 x 156 face frame): the
// heroine, the five crew members and the captain, each with four expressions, the heroine and
// 鈴華 also in the costumes they wear off duty, named by the face code speaker + expression +
// costume.
#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "assets/assets.hpp"
#include "assets/face_looks.hpp"
#include "assets/paint.hpp"
#include "assets/show_paint.hpp"
#include "host/drawing.hpp"
#include "host/png.hpp"

namespace zav3::assets {

namespace face {

// A thick curve through `points` (round joins).
void stroke(Canvas& c, const std::vector<Vec>& points, double width, Rgb colour, double alpha) {
  Bounds b{1e9, 1e9, -1e9, -1e9};
  for (const Vec& p : points) {
    b.x0 = std::min(b.x0, p.x - width), b.y0 = std::min(b.y0, p.y - width);
    b.x1 = std::max(b.x1, p.x + width), b.y1 = std::max(b.y1, p.y + width);
  }
  c.fill(
      b,
      [&](double x, double y) {
        double d = 1e9;
        for (size_t i = 1; i < points.size(); ++i)
          d = std::min(d, sdf::segment(x, y, points[i - 1], points[i], width / 2));
        return d;
      },
      colour, alpha);
}

}  // namespace face

namespace {

using namespace face;

constexpr int faceWidth = 120;
constexpr int faceHeight = 140;
constexpr double pi = 3.14159265358979323846;

enum class Mouth { neutral, smile, frown, open };

// How an expression moves the features.
struct Expression {
  double browLift;  // pixels upwards
  double browTilt;  // inner ends raised (worried) when positive, lowered (cross) when negative
  double eyeScale;  // size of the open eye
  double lid;       // share of the eye hidden by the upper lid
  bool eyesClosed;  // happy arcs instead of open eyes
  Mouth mouth;
  bool blush;
  bool sweat;
};

constexpr std::array<Expression, 4> expressions{{
    {0, 0, 1.0, 0.0, false, Mouth::neutral, false, false},   // 01 normal
    {1, 0, 1.0, 0.0, true, Mouth::smile, true, false},       // 02 smiling
    {-1, 3.5, 0.95, 0.3, false, Mouth::frown, false, true},  // 03 troubled
    {6, 0, 1.22, 0.0, false, Mouth::open, false, false},     // 04 surprised
}};

const std::vector<Person>& crew() {
  const Rgb navy = hex(0x26386A);
  static const std::vector<Person> people{
      // 01 ミナ: communications officer, short dark hair and a headset on duty.
      {"01",
       Hair::bob,
       hex(0x25203C),
       hex(0x5A5488),
       hex(0xF8DCC8),
       hex(0x7A4A9A),
       hex(0x3A5A9A),
       hex(0x101A3A),
       1.0,
       21,
       false,
       true,
       false,
       false,
       {{"00", Outfit::uniform, navy, hex(0xF0C840)},
        {"06", Outfit::sweater, hex(0xB8A8E4), hex(0x9888CC)},
        {"07", Outfit::trench, hex(0xC8A878), hex(0xF4F0EA)},
        {"08", Outfit::gown, hex(0x2A2C84), hex(0xC8D0F8)}}},
      // 02 鈴華: the radar operator, black hair in two buns.
      {"02",
       Hair::buns,
       hex(0x1A1418),
       hex(0x4A4050),
       hex(0xF6DCC4),
       hex(0x6A3A2A),
       hex(0x9A4A4A),
       hex(0x2A0C12),
       1.0,
       20,
       false,
       false,
       false,
       false,
       {{"00", Outfit::uniform, navy, hex(0x50C8FF)},
        {"07", Outfit::mandarin, hex(0xB02A30), hex(0xE8C060)},
        {"08", Outfit::qipao, hex(0xC8203C), hex(0xF0C850)}}},
      // 03 ビバリー: the ship's doctor, long fair hair and glasses.
      {"03",
       Hair::long_,
       hex(0xC8A050),
       hex(0xFFE8A8),
       hex(0xFAE2D6),
       hex(0x3A6AAA),
       hex(0x7A4A6A),
       hex(0x1E1024),
       0.95,
       21,
       true,
       false,
       false,
       false,
       {{"00", Outfit::coat, hex(0x2A6A7A), hex(0xFFFFFF)}}},
      // 04 スコット: the technical officer, short brown hair and a beard.
      {"04",
       Hair::short_,
       hex(0x6A3E22),
       hex(0xA0704A),
       hex(0xF0CCB0),
       hex(0x3A6A4A),
       hex(0x8A6A2A),
       hex(0x201408),
       0.9,
       23,
       false,
       false,
       false,
       true,
       {{"00", Outfit::coverall, hex(0xC87A2A), hex(0xE8D8B0)}}},
      // 05 サハロフ: a warrant officer, the gunner, a pale crew cut and a square jaw.
      {"05",
       Hair::crew,
       hex(0xB4AC8C),
       hex(0xE4DCC0),
       hex(0xF2D6C4),
       hex(0x4A6A8A),
       hex(0x4A5A4A),
       hex(0x0E160E),
       0.85,
       24,
       false,
       false,
       false,
       false,
       {{"00", Outfit::uniform, hex(0x3E4A3C), hex(0xC8D0D8)}}},
      // 06 東郷: a warrant officer, the helmsman, young, spiky hair.
      {"06",
       Hair::spiky,
       hex(0xC0601C),
       hex(0xF4A450),
       hex(0xF6D6BE),
       hex(0x2A8A4A),
       hex(0x2A6A5A),
       hex(0x0A1C18),
       1.08,
       21,
       false,
       false,
       false,
       false,
       {{"00", Outfit::uniform, navy, hex(0xE04030)}}},
      // 07 久我艦長: the captain, grey hair under his cap.
      {"07",
       Hair::capped,
       hex(0x9C9CA4),
       hex(0xD8D8E0),
       hex(0xEAC8AE),
       hex(0x4A3424),
       hex(0x6A4A30),
       hex(0x1A100C),
       0.72,
       24,
       false,
       false,
       true,
       false,
       {{"00", Outfit::uniform, hex(0x161E38), hex(0xE0B040)}}},
  };
  return people;
}

// Smooth union of two distances.
double smoothUnion(double a, double b, double k) {
  const double h = clamp01(0.5 + 0.5 * (b - a) / k);
  return b + (a - b) * h - k * h * (1 - h);
}

double headDistance(double x, double y, double jaw) {
  return smoothUnion(sdf::ellipse(x, y, 60, 58, 29, 32), sdf::ellipse(x, y, 60, 73, jaw, 24), 6);
}

// Hair colour with a glossy band across the crown.
auto hairPaint(const Person& p, double bandY) {
  return [&p, bandY](double x, double y) {
    const double gloss = std::exp(-std::pow((y - bandY - 3 * std::sin(x / 7)) / 3.5, 2));
    const double depth = clamp01((y - 20) / 110);
    return mix(shade(p.hairColour, 0.08 - 0.25 * depth), p.hairLight, gloss * 0.8);
  };
}

void background(Canvas& c, const Person& p) {
  c.mapAll([&](double x, double y, Rgb) {
    const double glow = std::exp(-std::pow(std::hypot(x - 60, y - 50) / 70, 2));
    return mix(p.backBottom, p.backTop, 0.4 * (1 - y / faceHeight) + 0.6 * glow);
  });
  Random random(static_cast<std::uint64_t>(p.code[1]) * 131);
  for (int i = 0; i < 7; ++i) {
    c.circle(random.range(0, 120), random.range(0, 100), random.range(4, 14), shade(p.backTop, 0.5),
             random.range(0.05, 0.15));
  }
}

void backHair(Canvas& c, const Person& p) {
  const auto paint = hairPaint(p, 32);
  switch (p.hair) {
    case Hair::bob:
      c.fill(
          {18, 16, 102, 96},
          [](double x, double y) {
            return smoothUnion(sdf::ellipse(x, y, 60, 52, 37, 36),
                               sdf::box(x, y, 23, 50, 97, 95, 12), 6);
          },
          paint);
      break;
    case Hair::capped:
      c.ellipse(32, 60, 7, 15, p.hairColour);
      c.ellipse(88, 60, 7, 15, p.hairColour);
      break;
    case Hair::spiky: {
      std::vector<Vec> spikes;
      for (int i = 0; i <= 14; ++i) {
        const double a = pi * (0.92 + 1.16 * i / 14.0);
        const double r = i % 2 ? 30 : 44;
        spikes.push_back({60 + std::cos(a) * r, 56 + std::sin(a) * r * 0.95});
      }
      spikes.push_back({92, 80});
      spikes.push_back({28, 80});
      fillPolygon(c, spikes, paint);
      break;
    }
    case Hair::buns:
      c.ellipse(60, 52, 37, 36, p.hairColour);
      break;
    case Hair::short_:
      c.ellipse(60, 50, 33, 31, p.hairColour);
      break;
    case Hair::crew:
      break;
    case Hair::long_:
      c.fill(
          {14, 14, 106, 140},
          [](double x, double y) {
            return smoothUnion(sdf::ellipse(x, y, 60, 52, 38, 38),
                               sdf::box(x, y, 18, 50, 102, 150, 14), 8);
          },
          paint);
      break;
  }
}

void head(Canvas& c, const Person& p) {
  c.ellipse(31, 66, 5, 8, shade(p.skin, -0.1));
  c.ellipse(89, 66, 5, 8, shade(p.skin, -0.1));
  c.fill(
      {28, 24, 92, 100}, [&](double x, double y) { return headDistance(x, y, p.jaw); },
      [&](double x, double y) {
        const double side = std::abs(x - 60) / 30;
        return shade(p.skin, -0.12 * side * side - 0.1 * clamp01((y - 80) / 20));
      });
}

void eye(Canvas& c, const Person& p, const Expression& e, double cx, double side) {
  const double cy = 65;
  const Rgb lash = hex(0x2A1A1E);
  if (e.eyesClosed) {
    stroke(c, curve({cx - 7, cy + 1}, {cx, cy - 7}, {cx + 7, cy + 1}), 2.4, lash);
    return;
  }
  const double rx = 7 * e.eyeScale, ry = 6.5 * e.eyeScale * p.eyeHeight;
  const double top = cy - ry + 2 * ry * e.lid;
  auto white = [&](double x, double y) {
    return std::max(sdf::ellipse(x, y, cx, cy, rx, ry), top - y);
  };
  c.fill({cx - rx, cy - ry, cx + rx, cy + ry}, white, hex(0xFFFFFF));
  const double ir = e.eyeScale > 1.1 ? 3.6 : 4.6;
  const double irisY = cy + 0.5;
  c.fill(
      {cx - rx, cy - ry, cx + rx, cy + ry},
      [&](double x, double y) {
        return std::max(white(x, y),
                        sdf::ellipse(x, y, cx, irisY, ir, ir * 1.2 * p.eyeHeight + 0.5));
      },
      [&](double, double y) {
        return mix(shade(p.eyeColour, -0.5), shade(p.eyeColour, 0.25), clamp01((y - cy + 4) / 8));
      });
  c.fill(
      {cx - rx, cy - ry, cx + rx, cy + ry},
      [&](double x, double y) {
        return std::max(white(x, y),
                        sdf::ellipse(x, y, cx, irisY, ir * 0.45, ir * 0.6 * p.eyeHeight));
      },
      hex(0x120A10));
  c.circle(cx - side * 1.5 - 1, cy - 2, 1.4, hex(0xFFFFFF));
  c.circle(cx + 1.8, cy + 2.2, 0.7, hex(0xFFFFFF), 0.8);
  // Upper lash with a little wing at the outer corner, and a faint lower line.
  const double outer = cx + side * (rx + 1.5), inner = cx - side * (rx - 0.5);
  stroke(c, curve({inner, top + 1.5}, {cx, top - 2.2}, {outer, top + 0.5}), 2.3, lash);
  stroke(c, {{outer, top + 0.5}, {outer + side * 2.2, top - 1}}, 1.4, lash);
  stroke(c,
         curve({cx - rx * 0.6, cy + ry - 0.2}, {cx, cy + ry + 0.8}, {cx + rx * 0.6, cy + ry - 0.2}),
         0.9, lash, 0.5);
  if (p.older) {
    stroke(c, {{cx + side * (rx + 3), cy + 1}, {cx + side * (rx + 6), cy + 3}}, 0.8,
           shade(p.skin, -0.35));
  }
}

void brows(Canvas& c, const Person& p, const Expression& e) {
  const Rgb colour = p.older                ? hex(0x8A8A90)
                     : p.hair == Hair::crew ? shade(p.hairColour, -0.45)
                                            : shade(p.hairColour, -0.2);
  const double width = p.older || p.hair == Hair::crew ? 3.2 : 2.2;
  for (double side : {-1.0, 1.0}) {
    const double cx = 60 + side * 13;
    const double y = 53 - e.browLift;
    const Vec inner{cx - side * 6, y - e.browTilt + 1},
        outer{cx + side * 7, y + 1 + e.browTilt * 0.3};
    stroke(c, curve(inner, {cx, y - 2.5}, outer, 6), width, colour);
  }
  if (e.browTilt > 0) {  // a crease between the brows
    stroke(c, {{58, 55 - e.browLift}, {59, 58 - e.browLift}}, 0.8, shade(p.skin, -0.3));
  }
}

void mouth(Canvas& c, const Person& p, const Expression& e) {
  const double cx = 60, cy = 86;
  const Rgb line = hex(0x7A3030);
  switch (e.mouth) {
    case Mouth::neutral:
      stroke(c, curve({cx - 5, cy}, {cx, cy + 1.5}, {cx + 5, cy}), 1.5, line);
      break;
    case Mouth::smile:
      c.fill(
          {cx - 8, cy - 2, cx + 8, cy + 7},
          [&](double x, double y) {
            return std::max(sdf::ellipse(x, y, cx, cy - 1, 7.5, 7), cy - 1 - y);
          },
          hex(0x8A2A30));
      c.fill(
          {cx - 8, cy - 2, cx + 8, cy + 7},
          [&](double x, double y) {
            return std::max(sdf::ellipse(x, y, cx, cy - 1, 7.5, 7),
                            sdf::ellipse(x, y, cx, cy + 5, 5, 3));
          },
          hex(0xE07070));
      stroke(c, {{cx - 7.5, cy - 1}, {cx + 7.5, cy - 1}}, 1.2, line);
      break;
    case Mouth::frown:
      stroke(c, curve({cx - 6, cy + 1.5}, {cx - 2, cy - 1.5}, {cx + 1, cy + 0.5}), 1.5, line);
      stroke(c, curve({cx + 1, cy + 0.5}, {cx + 3.5, cy + 2}, {cx + 6, cy + 0.5}), 1.5, line);
      break;
    case Mouth::open:
      c.ellipse(cx, cy + 1, 4.2, 5.2, hex(0x5A1A20));
      c.ellipse(cx, cy + 3.5, 2.8, 2, hex(0xD06060));
      break;
  }
  if (p.older) {
    // Moustache and the lines beside the nose.
    c.fill(
        {46, 76, 74, 86},
        [](double x, double y) {
          return smoothUnion(sdf::ellipse(x, y, 54, 81, 7, 3), sdf::ellipse(x, y, 66, 81, 7, 3), 2);
        },
        hex(0xA0A0A8));
    stroke(c, curve({49, 73}, {45, 79}, {47, 86}), 0.9, shade(p.skin, -0.3), 0.8);
    stroke(c, curve({71, 73}, {75, 79}, {73, 86}), 0.9, shade(p.skin, -0.3), 0.8);
  }
}

// A full beard around the mouth and a moustache over it.
void beard(Canvas& c, const Person& p) {
  c.fill(
      {26, 60, 94, 110},
      [&](double x, double y) {
        const double face = headDistance(x, y, p.jaw) - 1.5;
        const double belowCheeks = 74 - y + 0.012 * (x - 60) * (x - 60);
        const double mouth = sdf::ellipse(x, y, 60, 88, 8.5, 5.5);
        return std::max({face, belowCheeks, -mouth});
      },
      [&](double, double y) { return shade(p.hairColour, 0.05 - 0.25 * clamp01((y - 74) / 32)); });
  stroke(c, curve({48, 84}, {60, 78}, {72, 84}), 3.6, p.hairColour);
}

void cheeks(Canvas& c, const Person& p, const Expression& e) {
  // Nose: a small shadow and a highlight.
  stroke(c, {{60.5, 73}, {59, 77.5}}, 1.2, shade(p.skin, -0.25));
  c.circle(61.5, 74, 0.8, hex(0xFFFFFF), 0.5);
  if (e.blush) {
    for (double side : {-1.0, 1.0}) {
      c.ellipse(60 + side * 16, 76, 7, 3.5, hex(0xFF7080), 0.35);
      for (int i = 0; i < 3; ++i) {
        const double x = 60 + side * 16 - 4 + i * 4;
        stroke(c, {{x + 1, 74}, {x - 1, 78}}, 0.8, hex(0xE05060), 0.6);
      }
    }
  }
}

void frontHair(Canvas& c, const Person& p) {
  const auto paint = hairPaint(p, 31);
  switch (p.hair) {
    case Hair::bob:
      fillPolygon(c,
                  {{25, 58},
                   {27, 38},
                   {38, 24},
                   {52, 18},
                   {68, 18},
                   {82, 24},
                   {93, 38},
                   {95, 58},
                   {88, 46},
                   {84, 50},
                   {77, 39},
                   {69, 48},
                   {62, 37},
                   {54, 48},
                   {47, 39},
                   {41, 49},
                   {35, 44},
                   {31, 54}},
                  paint);
      fillPolygon(c, {{29, 44}, {24, 64}, {25, 88}, {33, 94}, {35, 72}, {34, 52}}, paint);
      fillPolygon(c, {{91, 44}, {96, 64}, {95, 88}, {87, 94}, {85, 72}, {86, 52}}, paint);
      break;
    case Hair::capped:
      fillPolygon(c, {{27, 42}, {29, 64}, {32, 70}, {35, 58}, {37, 44}}, paint);
      fillPolygon(c, {{93, 42}, {91, 64}, {88, 70}, {85, 58}, {83, 44}}, paint);
      break;
    case Hair::spiky:
      fillPolygon(c, {{24, 60}, {26, 36}, {38, 22}, {50, 14}, {56, 4},  {62, 16}, {74, 12},
                      {72, 20}, {86, 24}, {96, 38}, {97, 58}, {88, 46}, {86, 52}, {78, 38},
                      {72, 50}, {64, 36}, {56, 50}, {50, 36}, {42, 50}, {38, 40}, {32, 54}},
                  paint);
      break;
    case Hair::buns:
      fillPolygon(c,
                  {{25, 60},
                   {26, 38},
                   {38, 23},
                   {52, 17},
                   {68, 17},
                   {82, 23},
                   {94, 38},
                   {95, 60},
                   {90, 48},
                   {84, 51},
                   {78, 47},
                   {72, 51},
                   {66, 47},
                   {60, 51},
                   {54, 47},
                   {48, 51},
                   {42, 47},
                   {36, 51},
                   {30, 48}},
                  paint);
      for (double side : {-1.0, 1.0}) {
        const double x = 60 + side * 32;
        fillPolygon(c,
                    {{60 + side * 33, 44},
                     {60 + side * 37, 66},
                     {60 + side * 36, 92},
                     {60 + side * 27, 94},
                     {60 + side * 26, 70},
                     {60 + side * 27, 50}},
                    paint);
        c.circle(x, 22, 14, p.hairColour);
        c.fill(
            {x - 14, 8, x + 14, 36},
            [x](double px, double py) { return sdf::circle(px, py, x, 22, 14); },
            [&](double px, double py) { return paint(px + 20, py + 10); });
        stroke(c, curve({x - side * 8, 16}, {x + side * 6, 14}, {x + side * 4, 28}), 1,
               shade(p.hairColour, -0.4));
        // A red ribbon tied under each bun.
        c.polygon({{x - side * 2, 34}, {x - side * 12, 28}, {x - side * 10, 40}}, hex(0xE0303A));
        c.polygon({{x - side * 2, 34}, {x + side * 8, 30}, {x + side * 7, 40}}, hex(0xE0303A));
        c.circle(x - side * 2, 34, 2.6, hex(0xB01A28));
      }
      break;
    case Hair::short_:
      fillPolygon(c,
                  {{27, 58},
                   {27, 36},
                   {38, 22},
                   {54, 15},
                   {70, 16},
                   {84, 23},
                   {93, 36},
                   {94, 58},
                   {90, 44},
                   {80, 35},
                   {66, 33},
                   {56, 38},
                   {44, 38},
                   {34, 44},
                   {30, 56}},
                  paint);
      c.box(28, 46, 34, 72, 2, p.hairColour);
      c.box(86, 46, 92, 72, 2, p.hairColour);
      break;
    case Hair::crew:
      c.fill(
          {29, 19, 91, 40}, [](double x, double y) { return sdf::box(x, y, 29, 19, 91, 40, 8); },
          paint);
      for (int i = 0; i < 12; ++i) c.line(33 + i * 5, 21, 33 + i * 5, 26, 0.8, p.hairLight, 0.5);
      c.polygon({{28, 34}, {29, 58}, {33, 60}, {34, 36}}, p.hairColour);
      c.polygon({{92, 34}, {91, 58}, {87, 60}, {86, 36}}, p.hairColour);
      break;
    case Hair::long_:
      fillPolygon(c,
                  {{25, 62},
                   {26, 40},
                   {36, 24},
                   {52, 17},
                   {70, 18},
                   {84, 24},
                   {94, 38},
                   {96, 60},
                   {90, 48},
                   {80, 38},
                   {64, 30},
                   {56, 42},
                   {44, 50},
                   {36, 52},
                   {30, 60}},
                  paint);
      fillPolygon(c, {{28, 48}, {22, 80}, {20, 118}, {26, 140}, {36, 140}, {34, 100}, {34, 60}},
                  paint);
      fillPolygon(c, {{92, 48}, {98, 80}, {100, 118}, {94, 140}, {84, 140}, {86, 100}, {86, 60}},
                  paint);
      break;
  }
}

void accessories(Canvas& c, const Person& p, const Costume& k) {
  if (p.headset && k.outfit == Outfit::uniform) {
    const std::vector<Vec> band = curve({27, 62}, {60, -12}, {93, 62}, 20);
    stroke(c, band, 3.2, hex(0x3A3E48));
    stroke(c, band, 1, hex(0x8A90A0), 0.6);
    c.circle(27, 66, 8, hex(0x2A2E38));
    c.circle(27, 66, 5, hex(0x4A5060));
    c.circle(27, 66, 1.8, hex(0x50E0FF));
    c.glow(27, 66, 6, hex(0x50E0FF), 0.5);
    stroke(c, curve({28, 73}, {30, 88}, {45, 89}), 1.8, hex(0x3A3E48));
    c.ellipse(46, 89, 3, 2.2, hex(0x2A2E38));
  }
  if (p.hair == Hair::capped) {
    fillPolygon(c, {{23, 38}, {20, 22}, {32, 8}, {60, 2}, {88, 8}, {100, 22}, {97, 38}},
                [](double, double y) { return mix(hex(0x2A3660), hex(0x121A34), (y - 2) / 36); });
    fillPolygon(c, {{24, 32}, {96, 32}, {97, 39}, {23, 39}}, hex(0xD8A838));
    c.circle(60, 21, 7, hex(0xE8C060));
    c.polygon({{60, 15},
               {62, 19.5},
               {66.5, 20},
               {63, 23},
               {64, 27.5},
               {60, 25},
               {56, 27.5},
               {57, 23},
               {53.5, 20},
               {58, 19.5}},
              hex(0x1A2240));
    fillPolygon(c, {{24, 39}, {96, 39}, {98, 44}, {60, 50}, {22, 44}}, hex(0x0A0C14));
    stroke(c, curve({26, 41}, {60, 46}, {94, 41}), 1, hex(0x5A6070), 0.8);
    c.fill(
        {30, 44, 90, 56},
        [&](double x, double y) {
          return std::max(headDistance(x, y, 24), sdf::box(x, y, 28, 44, 92, 52));
        },
        hex(0x000000), 0.18);
  }
  if (p.glasses) {
    const Rgb rim = hex(0x3A3040);
    for (double side : {-1.0, 1.0}) {
      const double cx = 60 + side * 13;
      c.ellipse(cx, 66, 10.5, 8, hex(0xC8E0FF), 0.12);
      c.fill(
          {cx - 12, 56, cx + 12, 76},
          [&](double x, double y) { return std::abs(sdf::ellipse(x, y, cx, 66, 10.5, 8)) - 0.7; },
          rim);
      stroke(c, {{cx - 5, 61}, {cx - 1, 59}}, 1, hex(0xFFFFFF), 0.5);
      stroke(c, {{cx + side * 10.5, 64}, {cx + side * 17, 62}}, 1.3, rim);
    }
    stroke(c, curve({52.5, 64}, {60, 61}, {67.5, 64}), 1.3, rim);
  }
}

void sweatDrop(Canvas& c) {
  const double x = 90, y = 46;
  c.fill(
      {x - 5, y - 10, x + 5, y + 5},
      [&](double px, double py) {
        return std::min(
            sdf::circle(px, py, x, y, 4),
            sdf::polygon(px, py, {{x, y - 10}, {x + 3.6, y - 1.8}, {x - 3.6, y - 1.8}}));
      },
      hex(0xA8DCFF));
  c.circle(x - 1.3, y - 0.5, 1.2, hex(0xFFFFFF));
  c.ring(x, y, 4, 0.7, hex(0x5090C0), 0.8);
}

Canvas portrait(const Person& p, const Costume& k, const Expression& e) {
  Canvas c(faceWidth, faceHeight);
  background(c, p);
  backHair(c, p);
  clothes(c, p, k);
  head(c, p);
  cheeks(c, p, e);
  for (double side : {-1.0, 1.0}) eye(c, p, e, 60 + side * 13, side);
  mouth(c, p, e);
  if (p.beard) beard(c, p);
  frontHair(c, p);
  brows(c, p, e);
  accessories(c, p, k);
  if (e.sweat) sweatDrop(c);
  // A thin dark edge so the face sits inside the frame.
  c.frame(0, 0, faceWidth, faceHeight, 0, 1, hex(0x000000), 0.5);
  return c;
}

}  // namespace

// The narrator's face (code 000000): the corps emblem on the night blue of the ship's hull.
Canvas narratorFace() {
  Canvas c(120, 140);
  c.gradient(0, 0, 120, 140, hex(0x14224A), hex(0x0A1028));
  c.stars(0, 0, 120, 140, 18, 7);
  show::emblem(c, 60, 70, 44, hex(0xF0C860), hex(0x1A2E66));
  return c;
}

// The program's icon (256 x 256 PNG beside the demo, installed with the desktop entry): the
// corps emblem on the night blue of the narrator's face.
void writeIcon(AssetWriter& out) {
  Canvas c(256, 256);
  c.gradient(0, 0, 256, 256, hex(0x14224A), hex(0x0A1028));
  show::emblem(c, 128, 128, 104, hex(0xF0C860), hex(0x1A2E66));
  const std::filesystem::path file = out.root() / "zav3.png";
  std::error_code ec;
  std::filesystem::create_directories(out.root(), ec);
  if (!host::writePng(c.surface(), file)) throw std::runtime_error("cannot write " + file.string());
}

void writeFaces(AssetWriter& out) {
  writeIcon(out);
  Canvas narrator = faceFrame();
  host::drawBitmap(narrator.surface(), narratorFace().surface(), 8, 8);
  out.writeBmp("KAOCG/000000.BMP", narrator.surface());
  for (const Person& person : crew()) {
    for (const Costume& costume : person.costumes) {
      for (size_t e = 0; e < expressions.size(); ++e) {
        const std::string code =
            std::string(person.code) + "0" + std::to_string(e + 1) + std::string(costume.code);
        // Each face picture is the whole frame with the portrait in its 120 x 140 window,
        // drawn by the game at the frame's corner.
        Canvas framed = faceFrame();
        host::drawBitmap(framed.surface(), portrait(person, costume, expressions[e]).surface(), 8,
                         8);
        out.writeBmp("KAOCG/" + code + ".BMP", framed.surface());
      }
    }
  }
}

}  // namespace zav3::assets
