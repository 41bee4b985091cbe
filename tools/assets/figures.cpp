// The full-length figures of the room pictures: a pen that draws in the figure's own
// coordinates (turned, mirrored and scaled into the picture), each person's looks and clothes,
// and the standing, seated and lying bodies.
#include "assets/figures.hpp"

#include <array>
#include <vector>

namespace zav3::assets {

namespace {

constexpr double pi = 3.14159265358979323846;

// --- the pen: an affine map from figure coordinates to picture pixels ---

class Pen {
 public:
  Pen(Canvas& c, double x, double y, double scale, bool mirror)
      : c_(c),
        a_(mirror ? -scale : scale),
        b_(0),
        cx_(0),
        d_(scale),
        tx_(x),
        ty_(y),
        scale_(scale) {}

  // The same pen turned by `angle` about the figure point (px, py).
  Pen turned(double px, double py, double angle) const {
    const double cs = std::cos(angle), sn = std::sin(angle);
    Pen p = *this;
    // new = old . T(p) . R . T(-p)
    p.a_ = a_ * cs + b_ * sn;
    p.b_ = -a_ * sn + b_ * cs;
    p.cx_ = cx_ * cs + d_ * sn;
    p.d_ = -cx_ * sn + d_ * cs;
    const Vec o = at(px, py);
    p.tx_ = o.x - (p.a_ * px + p.b_ * py);
    p.ty_ = o.y - (p.cx_ * px + p.d_ * py);
    return p;
  }

  // The same pen with its origin moved to the figure point (x, y).
  Pen moved(double x, double y) const {
    Pen p = *this;
    const Vec o = at(x, y);
    p.tx_ = o.x, p.ty_ = o.y;
    return p;
  }

  Vec at(double x, double y) const { return {a_ * x + b_ * y + tx_, cx_ * x + d_ * y + ty_}; }
  Vec local(double wx, double wy) const {
    const double det = a_ * d_ - b_ * cx_;
    const double x = wx - tx_, y = wy - ty_;
    return {(d_ * x - b_ * y) / det, (-cx_ * x + a_ * y) / det};
  }

  // The shape of local signed distance `d` inside the local box `box`; `paint` is a colour or
  // a function of the local point.
  template <class D, class P>
  void fill(Bounds box, D d, P paint, double alpha = 1.0) const {
    Bounds w{1e9, 1e9, -1e9, -1e9};
    for (const Vec corner :
         {at(box.x0, box.y0), at(box.x1, box.y0), at(box.x0, box.y1), at(box.x1, box.y1)}) {
      w.x0 = std::min(w.x0, corner.x), w.y0 = std::min(w.y0, corner.y);
      w.x1 = std::max(w.x1, corner.x), w.y1 = std::max(w.y1, corner.y);
    }
    auto distance = [&](double x, double y) {
      const Vec l = local(x, y);
      return d(l.x, l.y) * scale_;
    };
    if constexpr (std::is_invocable_r_v<Rgb, P, double, double>) {
      c_.fill(
          w, distance,
          [&](double x, double y) {
            const Vec l = local(x, y);
            return paint(l.x, l.y);
          },
          alpha);
    } else {
      c_.fill(w, distance, paint, alpha);
    }
  }

  template <class P>
  void ellipse(double x, double y, double rx, double ry, P paint, double alpha = 1.0) const {
    fill(
        {x - rx, y - ry, x + rx, y + ry},
        [=](double px, double py) { return sdf::ellipse(px, py, x, y, rx, ry); }, paint, alpha);
  }
  template <class P>
  void box(double x0, double y0, double x1, double y1, double r, P paint,
           double alpha = 1.0) const {
    fill(
        {x0, y0, x1, y1}, [=](double px, double py) { return sdf::box(px, py, x0, y0, x1, y1, r); },
        paint, alpha);
  }
  template <class P>
  void poly(const std::vector<Vec>& v, P paint, double alpha = 1.0) const {
    fill(
        boundsOf(v, 0), [&](double px, double py) { return sdf::polygon(px, py, v); }, paint,
        alpha);
  }
  // A polygon with its corners rounded by `r`.
  template <class P>
  void blob(const std::vector<Vec>& v, double r, P paint, double alpha = 1.0) const {
    fill(
        boundsOf(v, r), [&](double px, double py) { return sdf::polygon(px, py, v) - r; }, paint,
        alpha);
  }
  // A thick line through the points, round at its joints and ends.
  template <class P>
  void stroke(const std::vector<Vec>& v, double width, P paint, double alpha = 1.0) const {
    fill(
        boundsOf(v, width),
        [&](double px, double py) {
          double d = 1e9;
          for (std::size_t i = 1; i < v.size(); ++i)
            d = std::min(d, sdf::segment(px, py, v[i - 1], v[i], width / 2));
          return d;
        },
        paint, alpha);
  }

 private:
  static Bounds boundsOf(const std::vector<Vec>& v, double grow) {
    Bounds b{1e9, 1e9, -1e9, -1e9};
    for (const Vec& p : v) {
      b.x0 = std::min(b.x0, p.x - grow), b.y0 = std::min(b.y0, p.y - grow);
      b.x1 = std::max(b.x1, p.x + grow), b.y1 = std::max(b.y1, p.y + grow);
    }
    return b;
  }

  Canvas& c_;
  double a_, b_, cx_, d_, tx_, ty_;  // picture = (a x + b y + tx, cx x + d y + ty)
  double scale_;
};

// --- looks ---

enum class Hair { bob, buns, wavy, short_, crew, spiky };

struct Person {
  Hair hair;
  Rgb hairColour, hairLight, skin, eyes;
  double height;     // 1 for the heroine
  double shoulders;  // half width at the shoulders
  bool female, glasses, beard;
};

const Person& personOf(Who who) {
  static const std::array<Person, peopleCount> people{{
      // ミナ: short dark bob.
      {Hair::bob, hex(0x25203C), hex(0x5A5488), hex(0xF8DCC8), hex(0x7A4A9A), 1.0, 18, true, false,
       false},
      // 鈴華: black hair in two buns.
      {Hair::buns, hex(0x1A1418), hex(0x4A4050), hex(0xF6DCC4), hex(0x6A3A2A), 0.97, 17.5, true,
       false, false},
      // ビバリー: long fair waves, glasses.
      {Hair::wavy, hex(0xD8B060), hex(0xFFE8A8), hex(0xFAE2D6), hex(0x3A6AAA), 1.03, 18, true, true,
       false},
      // スコット: short brown hair and a beard, stocky.
      {Hair::short_, hex(0x6A3E22), hex(0xA0704A), hex(0xF0CCB0), hex(0x3A6A4A), 1.06, 24, false,
       false, true},
      // サハロフ: a pale crew cut, tall and broad.
      {Hair::crew, hex(0xB4AC8C), hex(0xE4DCC0), hex(0xF2D6C4), hex(0x4A6A8A), 1.1, 25, false,
       false, false},
      // 東郷: spiky orange hair, slim.
      {Hair::spiky, hex(0xC0601C), hex(0xF4A450), hex(0xF6D6BE), hex(0x2A8A4A), 1.03, 21, false,
       false, false},
  }};
  return people[static_cast<std::size_t>(who)];
}

enum class Cut { jacket, coat, coverall, sweater, gown, qipao };

struct Clothes {
  Cut cut;
  Rgb top, bottom, trim, inner, legs, shoes;
  bool skirt;      // a knee-length skirt over `legs`
  bool longSkirt;  // down to the ankles
  bool headset;
};

Clothes clothesOf(Who who, Outfit outfit) {
  const Rgb navy = hex(0x26386A), navyDark = hex(0x1A2850), boots = hex(0x141620);
  switch (who) {
    case Who::mina:
      switch (outfit) {
        case Outfit::lounge:
          return {Cut::sweater,  hex(0xB8A8E4), hex(0xDCDCE8), hex(0x9888CC), hex(0xF8DCC8),
                  hex(0xDCDCE8), hex(0xF0A0B8), false,         false,         false};
        case Outfit::civilian:
          return {Cut::coat,     hex(0xC8A878), hex(0x6A4A38), hex(0x8A6A48), hex(0xF4F0EA),
                  hex(0x3A2A2A), hex(0x5A3A24), true,          false,         false};
        case Outfit::dress:
          return {Cut::gown,     hex(0x2A2C84), hex(0x2A2C84), hex(0xC8D0F8), hex(0xF8DCC8),
                  hex(0x2A2C84), hex(0x1A1A40), false,         true,          false};
        case Outfit::uniform:
          break;
      }
      return {Cut::jacket,   navy,  navyDark, hex(0xF0C840), hex(0xF8DCC8),
              hex(0x1C1A2A), boots, true,     false,         true};
    case Who::rinka:
      switch (outfit) {
        case Outfit::civilian:
        case Outfit::lounge:
          return {Cut::jacket,   hex(0xB02A30), hex(0x222028), hex(0xE8C060), hex(0xB02A30),
                  hex(0x222028), hex(0x181418), false,         false,         false};
        case Outfit::dress:
          return {Cut::qipao,    hex(0xC8203C), hex(0xC8203C), hex(0xF0C850), hex(0xC8203C),
                  hex(0xF6DCC4), hex(0x301018), false,         true,          false};
        case Outfit::uniform:
          break;
      }
      return {Cut::jacket, navy,  navyDark, hex(0x50C8FF), hex(0xF6DCC4),
              navyDark,    boots, false,    false,         false};
    case Who::beverly:
      switch (outfit) {
        case Outfit::civilian:
        case Outfit::lounge:
          return {Cut::sweater,  hex(0x4A8A5A), hex(0xE8DCC0), hex(0x2A5A3A), hex(0xF4F0E4),
                  hex(0xE8DCC0), hex(0x7A5A40), false,         true,          false};
        case Outfit::dress:
          return {Cut::gown,     hex(0x1E7A5A), hex(0x1E7A5A), hex(0xF0E0A0), hex(0xFAE2D6),
                  hex(0x1E7A5A), hex(0x183A2A), false,         true,          false};
        case Outfit::uniform:
          break;
      }
      return {Cut::coat,     hex(0xF4F6FA), hex(0x24606E), hex(0xA8B4C4), hex(0x2A6A7A),
              hex(0xE8D8D0), hex(0xE0E2EA), true,          false,         false};
    case Who::scott:
      return {Cut::coverall, hex(0xC87A2A), hex(0xB06A22), hex(0x5A3A1A), hex(0xE8D8B0),
              hex(0xB06A22), hex(0x3A2A1A), false,         false,         false};
    case Who::sakharov:
      return {Cut::jacket,   hex(0x3E4A3C), hex(0x2C3628), hex(0xC8D0D8), hex(0xF2D6C4),
              hex(0x2C3628), hex(0x101210), false,         false,         false};
    case Who::togo:
      break;
  }
  return {Cut::jacket, navy,  navyDark, hex(0xE04030), hex(0xF6D6BE),
          navyDark,    boots, false,    false,         false};
}

// Colour darkened towards the figure's right (the light comes from the picture's left).
auto shaded(Rgb c, double width) {
  return [=](double x, double) { return shade(c, -0.22 * smoothstep(-width, width, x)); };
}

// --- the head (local origin at its centre, 16 units to the crown) ---

void backHair(const Pen& p, const Person& who) {
  const Rgb h = who.hairColour;
  switch (who.hair) {
    case Hair::bob:
      p.fill(
          {-17, -18, 17, 13},
          [](double x, double y) {
            return std::min(sdf::ellipse(x, y, 0, -2, 16.5, 16.5),
                            sdf::box(x, y, -16.5, -2, 16.5, 12, 4));
          },
          h);
      break;
    case Hair::buns:
      p.ellipse(0, -2, 15.5, 16, h);
      for (double s : {-1.0, 1.0}) {
        p.ellipse(s * 12.5, -14.5, 6.5, 6.5, h);
        p.ellipse(s * 12.5, -14.5, 6.5, 6.5, shade(h, 0.25), 0.0);
      }
      break;
    case Hair::wavy:
      p.fill(
          {-21, -18, 21, 42},
          [](double x, double y) {
            const double wave = 1.6 * std::sin(y * 0.45);
            return std::min(sdf::ellipse(x, y, 0, -2, 17, 17),
                            sdf::box(x, y, -19 - wave, -2, 19 + wave, 40, 9));
          },
          [h](double, double y) { return shade(h, -0.25 * clamp01(y / 40)); });
      break;
    case Hair::short_:
    case Hair::crew:
    case Hair::spiky:
      break;
  }
}

void headShape(const Pen& p, const Person& who) {
  const Rgb skin = who.skin;
  for (double s : {-1.0, 1.0}) p.ellipse(s * 13.8, 2, 2.6, 4, shade(skin, -0.12));
  const double jaw = who.female ? 10.5 : 12;
  p.fill(
      {-15, -17, 15, 17},
      [=](double x, double y) {
        return std::min(sdf::ellipse(x, y, 0, -1.5, 14, 14.5), sdf::ellipse(x, y, 0, 5, jaw, 11));
      },
      [=](double x, double) { return shade(skin, -0.14 * smoothstep(4, 15, x)); });
}

void face(const Pen& p, const Person& who, Look look) {
  const Rgb lash = hex(0x2A1A1E);
  for (double s : {-1.0, 1.0}) {
    const double x = s * 5.6, y = 1.5;
    if (look == Look::closed) {
      p.stroke(curve({x - 3, y}, {x, y + 2.4}, {x + 3, y}, 4), 1.3, lash);
      continue;
    }
    p.ellipse(x, y, 2.9, 3.5, hex(0xFFFFFF));
    p.ellipse(x + s * 0.2, y + 0.5, 2.2, 2.9, who.eyes);
    p.ellipse(x + s * 0.2, y + 0.9, 1.1, 1.5, hex(0x140C10));
    p.ellipse(x - 0.8, y - 0.6, 0.8, 0.8, hex(0xFFFFFF));
    p.stroke({{x - 3.2, y - 2.6}, {x + 3.2, y - 2.8}}, who.female ? 1.3 : 0.9, lash);
  }
  if (who.glasses) {
    for (double s : {-1.0, 1.0}) {
      p.fill(
          {s * 5.6 - 5, -3, s * 5.6 + 5, 6},
          [=](double x, double y) {
            return std::abs(sdf::ellipse(x, y, s * 5.6, 1.5, 4.6, 3.8)) - 0.45;
          },
          hex(0x3A3040));
    }
    p.stroke({{-1.2, 1}, {1.2, 1}}, 0.8, hex(0x3A3040));
  }
  // Brows: heavy for the two officers.
  const Rgb brow =
      who.hair == Hair::crew ? shade(who.hairColour, -0.35) : shade(who.hairColour, -0.1);
  const double browWidth = who.female ? 0.9 : 1.6;
  for (double s : {-1.0, 1.0})
    p.stroke({{s * 2.8, -4.4}, {s * 8.2, -5.2 + (who.hair == Hair::crew ? 0.8 : 0)}}, browWidth,
             brow);
  p.ellipse(0.6, 5.2, 0.7, 0.9, shade(who.skin, -0.22));
  if (who.female || look == Look::smile)
    for (double s : {-1.0, 1.0}) p.ellipse(s * 8.6, 6.4, 2.8, 1.4, hex(0xFF7080), 0.3);
  const Rgb lip = hex(0x8A3A3A);
  switch (look) {
    case Look::talk:
      p.ellipse(0, 9.6, 2.2, 1.8, hex(0x6A2024));
      p.ellipse(0, 10.4, 1.4, 0.7, hex(0xD06060));
      break;
    case Look::smile:
      p.stroke(curve({-3, 8.6}, {0, 11.6}, {3, 8.6}, 4), 1.1, lip);
      break;
    case Look::calm:
    case Look::closed:
      p.stroke(curve({-2, 9.4}, {0, 10.2}, {2, 9.4}, 3), 0.9, lip);
      break;
  }
  if (who.beard) {
    p.fill(
        {-15, 2, 15, 19},
        [](double x, double y) {
          const double chin = sdf::ellipse(x, y, 0, 8, 13.4, 10.5);
          const double mouth = sdf::ellipse(x, y, 0, 9.8, 4, 2.2);
          return std::max({chin, 3.5 - y + std::abs(x) * 0.15, -mouth});
        },
        who.hairColour);
    p.stroke(curve({-3.5, 7.4}, {0, 6.2}, {3.5, 7.4}, 3), 1.6, who.hairColour);
  }
}

void frontHair(const Pen& p, const Person& who) {
  const Rgb h = who.hairColour;
  auto gloss = [h, light = who.hairLight](double x, double y) {
    const double band = std::exp(-std::pow((y + 10 - 1.2 * std::sin(x * 0.5)) / 2.2, 2));
    return mix(h, light, band * 0.7);
  };
  switch (who.hair) {
    case Hair::bob:
      p.poly({{-16, 1},
              {-15.5, -9},
              {-10, -16},
              {0, -18.5},
              {10, -16},
              {15.5, -9},
              {16, 1},
              {12.5, -6},
              {9, -2.5},
              {6, -8},
              {2, -3.5},
              {-2, -8.5},
              {-6, -3},
              {-9.5, -8},
              {-13, -4}},
             gloss);
      for (double s : {-1.0, 1.0})
        p.poly({{s * 13, -8}, {s * 16.8, -2}, {s * 16.6, 12.5}, {s * 12, 11}, {s * 12.6, 0}},
               gloss);
      break;
    case Hair::buns:
      p.poly({{-15, -1},
              {-14.5, -10},
              {-9, -16.5},
              {0, -18},
              {9, -16.5},
              {14.5, -10},
              {15, -1},
              {12, -6.5},
              {-12, -6.5}},
             gloss);
      for (double s : {-1.0, 1.0}) {
        p.poly({{s * 12.5, -7}, {s * 15.4, -3}, {s * 15, 9}, {s * 12.4, 7}}, gloss);
        p.ellipse(s * 12.5, -15, 6.2, 6.2, gloss);
        p.stroke(curve({s * 8, -11.5}, {s * 12.5, -8.5}, {s * 17, -11.5}, 4), 1.5, hex(0xE0303A));
        p.poly({{s * 16.5, -11}, {s * 20, -13.5}, {s * 20.5, -8.5}}, hex(0xE0303A));
      }
      break;
    case Hair::wavy:
      p.poly({{-17, 4},
              {-16, -9},
              {-9, -17},
              {2, -18.5},
              {12, -15},
              {16.5, -8},
              {17, 2},
              {13, -5},
              {6, -9},
              {-2, -7},
              {-8, -3},
              {-13, 0}},
             gloss);
      for (double s : {-1.0, 1.0})
        p.poly({{s * 14, -6}, {s * 18, 4}, {s * 17, 20}, {s * 13.5, 16}, {s * 13.6, 2}}, gloss);
      break;
    case Hair::short_:
      p.poly({{-15, 1},
              {-15, -9},
              {-9, -16.5},
              {1, -18},
              {10, -16},
              {15, -9},
              {15, 0},
              {12.5, -6},
              {4, -9.5},
              {-3, -8},
              {-10, -7},
              {-12.8, -3}},
             gloss);
      for (double s : {-1.0, 1.0}) p.box(s * 14.2 - 1.6, -4, s * 14.2 + 1.6, 4.5, 1.2, h);
      break;
    case Hair::crew:
      p.box(-14.8, -18, 14.8, -7.5, 3.5, gloss);
      for (double s : {-1.0, 1.0}) p.box(s * 14 - 1.4, -9, s * 14 + 1.4, 1, 1, h);
      break;
    case Hair::spiky: {
      std::vector<Vec> spikes{{-16, 2}};
      for (int i = 0; i <= 10; ++i) {
        const double a = pi * (1.0 + i / 10.0);
        const double r = i % 2 ? 16.5 : 22.5;
        spikes.push_back({std::cos(a) * r, -3 + std::sin(a) * r});
      }
      spikes.push_back({16, 2});
      for (const Vec v : std::initializer_list<Vec>{{12, -5},
                                                    {8, -1.5},
                                                    {5, -8},
                                                    {1, -3},
                                                    {-3, -8.5},
                                                    {-7, -2.5},
                                                    {-11, -6},
                                                    {-13.5, -1}})
        spikes.push_back(v);
      p.poly(spikes, gloss);
      break;
    }
  }
}

void headset(const Pen& p) {
  p.stroke(curve({-15.5, 0}, {0, -30}, {15.5, 0}, 10), 1.6, hex(0x3A3E48));
  p.ellipse(-15.5, 2, 3.6, 4.6, hex(0x2A2E38));
  p.ellipse(-15.5, 2, 1.2, 1.2, hex(0x50E0FF));
  p.stroke(curve({-15, 6}, {-13, 12}, {-5, 11}, 4), 1.0, hex(0x3A3E48));
}

// The head without the hair behind it (drawn first, under the body).
void drawHead(const Pen& p, const Person& who, const Clothes& clothes, Look look) {
  headShape(p, who);
  face(p, who, look);
  frontHair(p, who);
  if (clothes.headset) headset(p);
}

// --- bodies ---

// Body measurements in figure units for one person standing (y up is negative).
struct Frame {
  double shoulderY, waistY, hipY, shoulder, waist, hip, headY;
};

Frame frameOf(const Person& who, double shoulderY) {
  const double h = who.height;
  Frame f;
  f.shoulderY = shoulderY;
  f.waistY = shoulderY + 34 * h;
  f.hipY = f.waistY + 12 * h;
  f.shoulder = who.shoulders;
  f.waist = who.female ? 12.5 : who.shoulders - 6;
  f.hip = who.female ? 15.5 : who.shoulders - 5;
  f.headY = shoulderY - 21 * h;
  return f;
}

// The upper body from the shoulders to the hips: top, collar and trim.
void torso(const Pen& p, const Frame& f, const Clothes& cl, const Person& who) {
  const double s = f.shoulder, sy = f.shoulderY;
  // Neck.
  p.box(-4.4, f.headY + 9, 4.4, sy + 4, 2, shade(who.skin, -0.18));
  const std::vector<Vec> body{{-s + 3, sy},
                              {s - 3, sy},
                              {s, sy + 5},
                              {f.waist + 1, f.waistY},
                              {f.hip, f.hipY},
                              {-f.hip, f.hipY},
                              {-f.waist - 1, f.waistY},
                              {-s, sy + 5}};
  p.blob(body, 1.5, shaded(cl.top, s));
  switch (cl.cut) {
    case Cut::jacket:
      p.poly({{-5.5, sy - 0.5}, {0, sy + 9}, {5.5, sy - 0.5}}, cl.inner);
      p.stroke({{-6.5, sy - 0.5}, {0, sy + 10}, {6.5, sy - 0.5}}, 1.4, cl.trim);
      p.stroke({{0, sy + 10}, {0, f.hipY - 1}}, 0.9, shade(cl.top, -0.35));
      p.box(-f.waist - 1, f.waistY - 2, f.waist + 1, f.waistY + 1.5, 0.5, shade(cl.top, -0.4));
      p.box(s - 12, sy + 8, s - 6, sy + 11, 0.5, cl.trim);
      break;
    case Cut::coverall:
      p.poly({{-5, sy - 0.5}, {0, sy + 7}, {5, sy - 0.5}}, cl.inner);
      p.stroke({{0, sy + 7}, {0, f.hipY + 6}}, 1.0, shade(cl.top, -0.35));
      p.box(-s + 6, sy + 9, -s + 13, sy + 16, 1, shade(cl.top, -0.15));
      p.box(-f.waist - 1, f.waistY - 2, f.waist + 1, f.waistY + 2.5, 0.5, cl.trim);
      for (double x : {-7.0, 6.0})
        p.box(x - 2, f.waistY - 1, x + 2, f.waistY + 6, 0.8, hex(0x8A8A90));
      break;
    case Cut::sweater:
      p.ellipse(0, sy + 0.5, 5.5, 3.5, cl.inner);
      p.stroke(curve({-6, sy}, {0, sy + 5}, {6, sy}, 4), 1.2, cl.trim);
      p.box(-f.hip, f.hipY - 3, f.hip, f.hipY + 1, 1, shade(cl.top, -0.15));
      break;
    case Cut::coat:
      p.poly({{-6, sy - 0.5}, {-4, f.waistY}, {4, f.waistY}, {6, sy - 0.5}}, shaded(cl.inner, 6));
      p.stroke({{-6.5, sy}, {-3.5, f.waistY + 4}}, 1.0, cl.trim);
      p.stroke({{6.5, sy}, {3.5, f.waistY + 4}}, 1.0, cl.trim);
      p.box(s - 11, sy + 14, s - 5, sy + 16, 0.5, hex(0x3A8AC0));
      break;
    case Cut::gown:
      p.ellipse(0, sy - 1, s - 3, 4.5, who.skin);
      p.stroke(curve({-s + 5, sy + 3}, {0, sy + 8}, {s - 5, sy + 3}, 6), 1.2, cl.trim);
      p.box(-f.waist - 1, f.waistY - 1.5, f.waist + 1, f.waistY + 1, 0.5, cl.trim);
      break;
    case Cut::qipao:
      p.box(-4.5, sy - 4, 4.5, sy + 1, 1, cl.top);
      p.stroke({{-4.5, sy - 3.5}, {4.5, sy - 3.5}}, 0.9, cl.trim);
      p.stroke(curve({0, sy + 1}, {s - 7, sy + 3}, {s - 5, sy + 10}, 4), 1.1, cl.trim);
      break;
  }
}

// One arm from the shoulder (x sign `side`) through the elbow to the hand.
void arm(const Pen& p, const Frame& f, const Clothes& cl, const Person& who, double side, Vec elbow,
         Vec hand) {
  const Vec shoulder{side * (f.shoulder - 3.5), f.shoulderY + 4};
  const double w = who.female ? 6.8 : 8.2;
  const bool bare = cl.cut == Cut::gown;
  const Rgb sleeve = bare ? who.skin : shade(cl.top, side > 0 ? -0.15 : 0);
  const Vec cuff{elbow.x + (hand.x - elbow.x) * 0.82, elbow.y + (hand.y - elbow.y) * 0.82};
  const bool short_ = cl.cut == Cut::qipao;
  p.stroke({shoulder, elbow}, w, sleeve);
  p.stroke({elbow, cuff}, w - 0.8, short_ ? who.skin : sleeve);
  if (short_)
    p.stroke({shoulder, {(shoulder.x + elbow.x) / 2, (shoulder.y + elbow.y) / 2}}, w + 0.4, cl.top);
  if (cl.cut == Cut::jacket)
    p.stroke({cuff, {cuff.x + (hand.x - cuff.x) * 0.2, cuff.y + (hand.y - cuff.y) * 0.2}}, w - 0.4,
             cl.trim);
  p.ellipse(hand.x, hand.y, w * 0.55, w * 0.6, who.skin);
}

void arms(const Pen& p, const Frame& f, const Clothes& cl, const Person& who, Arms pose,
          bool seated) {
  const double s = f.shoulder;
  for (double side : {-1.0, 1.0}) {
    Vec elbow{side * (s + 1.5), f.shoulderY + 24}, hand{side * (s + 1), f.shoulderY + 46};
    switch (pose) {
      case Arms::down:
        if (seated) hand = {side * (s - 2), f.waistY + 10};
        break;
      case Arms::lap:
        elbow = {side * (s + 1), f.shoulderY + 25};
        hand = {side * 4.5, seated ? f.hipY + 2 : f.waistY + 6};
        break;
      case Arms::hold:
        elbow = {side * (s + 0.5), f.shoulderY + 25};
        hand = {side * 4.5, f.shoulderY + 17};
        break;
      case Arms::wave:
        if (side < 0) {
          elbow = {-(s + 8), f.shoulderY + 2};
          hand = {-(s + 10), f.shoulderY - 20};
        }
        break;
    }
    arm(p, f, cl, who, side, elbow, hand);
  }
}

// Legs and shoes of a standing figure, the skirt over them.
void standingLegs(const Pen& p, const Frame& f, const Clothes& cl) {
  const double top = f.hipY - 6;
  for (double side : {-1.0, 1.0}) {
    p.poly({{side * 1.2, top}, {side * (f.hip - 0.5), top}, {side * 9.5, -6}, {side * 3, -6}},
           shaded(cl.legs, 8));
    p.ellipse(side * 6.5, -4, 6.5, 4, cl.shoes);
  }
  if (cl.longSkirt) {
    const double flare = cl.cut == Cut::qipao ? 14 : 22;
    p.poly({{-f.waist - 1, f.waistY}, {f.waist + 1, f.waistY}, {flare, -4}, {-flare, -4}},
           shaded(cl.bottom, flare));
    if (cl.cut == Cut::qipao) p.poly({{8, -40}, {11, -4}, {6, -4}}, cl.legs);
  } else if (cl.skirt) {
    p.poly({{-f.waist - 1, f.waistY},
            {f.waist + 1, f.waistY},
            {f.hip + 4, f.hipY + 20},
            {-f.hip - 4, f.hipY + 20}},
           shaded(cl.bottom, f.hip));
  } else if (cl.cut != Cut::coverall) {
    p.poly({{-f.hip, top}, {f.hip, top}, {f.hip + 0.5, f.hipY + 8}, {-f.hip - 0.5, f.hipY + 8}},
           shaded(cl.legs, f.hip));
  }
  if (cl.cut == Cut::coat) {
    for (double side : {-1.0, 1.0})
      p.poly({{side * 4, f.waistY},
              {side * (f.hip + 1), f.hipY - 4},
              {side * (f.hip + 3), f.hipY + 34},
              {side * 3, f.hipY + 34}},
             shaded(cl.top, f.hip));
  }
}

// Lap, lower legs and shoes of a seated figure (seat at y = 0, floor at y = 44).
void seatedLegs(const Pen& p, const Frame& f, const Clothes& cl) {
  // The lower legs, darker in the shadow of the lap.
  for (double side : {-1.0, 1.0}) {
    p.poly({{side * 2.5, 12}, {side * 11.5, 12}, {side * 10.5, 40}, {side * 4, 40}},
           [&](double, double y) {
             return shade(cl.legs, -0.1 - 0.3 * (1 - clamp01((y - 12) / 14)));
           });
    p.ellipse(side * 7.5, 41.5, 7, 4, cl.shoes);
  }
  // The thighs come towards the viewer: their tops catch the light, the knees stand out.
  const Rgb lap = cl.skirt || cl.longSkirt ? cl.bottom : cl.legs;
  const auto lapPaint = [&](double x, double y) {
    return shade(lap, 0.14 * (1 - clamp01((y + 2) / 12)) - 0.2 * smoothstep(-f.hip, f.hip, x));
  };
  p.blob({{-f.hip, f.hipY - 4}, {f.hip, f.hipY - 4}, {f.hip + 2, 12}, {-f.hip - 2, 12}}, 2.5,
         lapPaint);
  for (double side : {-1.0, 1.0}) p.ellipse(side * 8.5, 12, 9, 5, lapPaint);
  p.stroke({{0, 3}, {0, 15}}, 1.1, shade(lap, -0.35));
  if (cl.longSkirt) {
    p.poly({{-f.hip - 2, 10}, {f.hip + 2, 10}, {f.hip + 4, 40}, {-f.hip - 4, 40}},
           shaded(cl.bottom, f.hip));
    if (cl.cut == Cut::qipao) p.poly({{5, 22}, {9, 40}, {3, 40}}, cl.legs);
  }
  if (cl.cut == Cut::coat)
    for (double side : {-1.0, 1.0})
      p.poly({{side * 4, f.waistY},
              {side * (f.hip + 2), f.hipY - 4},
              {side * (f.hip + 5), 20},
              {side * 10, 17}},
             shaded(cl.top, f.hip));
}

Frame frameFor(const Figure& f) {
  const Person& who = personOf(f.who);
  return frameOf(who, (f.pose == Pose::sit ? -46 : -128) * who.height);
}

void upright(Canvas& c, const Figure& f, double x, double y, double scale, bool mirror) {
  const Person& who = personOf(f.who);
  const Clothes cl = clothesOf(f.who, f.outfit);
  const Pen p(c, x, y, scale, mirror);
  const bool seated = f.pose == Pose::sit;
  const Frame fr = frameFor(f);
  const Pen head = p.turned(0, fr.shoulderY - 3, f.tilt).moved(0, fr.headY);
  if (!seated) p.ellipse(0, -1, 22, 4.5, hex(0x000000), 0.25);
  backHair(head, who);
  if (seated)
    seatedLegs(p, fr, cl);
  else
    standingLegs(p, fr, cl);
  torso(p, fr, cl, who);
  arms(p, fr, cl, who, f.arms, seated);
  drawHead(head, who, cl, f.look);
}

// Lying on the back along a bed, head on the pillow at the origin, feet towards +x.
void lying(Canvas& c, const Figure& f, double x, double y, double scale, bool mirror) {
  const Person& who = personOf(f.who);
  const Clothes cl = clothesOf(f.who, f.outfit);
  const Pen p(c, x, y, scale, mirror);
  const Pen head = p.turned(0, 0, -pi / 2 + 0.2);
  backHair(head, who);
  p.box(8, -4, 18, 8, 2, shade(who.skin, -0.18));
  // Seen from the side of the bed: chest, hips and the knees a little raised.
  const auto fromAbove = [](Rgb colour) {
    return
        [colour](double, double py) { return shade(colour, 0.1 - 0.3 * clamp01((py + 16) / 28)); };
  };
  if (f.blanket) {
    // The covers over the body and hanging down the side of the bed.
    const std::vector<Vec> cover{{13, -12}, {30, -18}, {48, -14}, {64, -17}, {90, -24},
                                 {97, -18}, {127, -9}, {134, 12}, {136, 26}, {12, 26}};
    p.blob(cover, 3, [colour = f.cover](double px, double py) {
      const double fold = 0.5 + 0.5 * std::sin(px * 0.16 + py * 0.08);
      return shade(colour, 0.1 - 0.3 * clamp01((py + 16) / 40) - 0.07 * fold);
    });
    p.box(11, -12, 25, 26, 3, hex(0xF0F2F8));
    p.stroke({{25, -10}, {25, 25}}, 1, hex(0xC8CCD8));
    return drawHead(head, who, cl, f.look);
  }
  const Rgb lower = cl.longSkirt || cl.skirt ? cl.bottom : cl.legs;
  p.blob({{60, -13}, {90, -20}, {97, -14}, {124, -5}, {126, 10}, {60, 11}}, 2.5, fromAbove(lower));
  if (cl.skirt) p.blob({{96, -14}, {124, -5}, {126, 10}, {94, 10}}, 2, fromAbove(cl.legs));
  p.ellipse(129, 0, 4.5, 8, cl.shoes);
  p.blob({{13, -9}, {30, -15}, {48, -11}, {63, -13}, {64, 11}, {13, 11}}, 3, fromAbove(cl.top));
  if (cl.cut == Cut::jacket || cl.cut == Cut::coat) p.stroke({{15, -2}, {30, -10}}, 1.2, cl.trim);
  const Rgb sleeve = cl.cut == Cut::gown ? who.skin : shade(cl.top, -0.14);
  p.stroke({{20, -6}, {38, -2}, {52, -10}}, 6.5, sleeve);
  p.ellipse(54, -11, 3.6, 3.4, who.skin);
  drawHead(head, who, cl, f.look);
}

}  // namespace

void drawFigure(Canvas& c, const Figure& f, double x, double y, double scale, bool mirror) {
  if (f.pose == Pose::lie)
    lying(c, f, x, y, scale, mirror);
  else
    upright(c, f, x, y, scale, mirror);
}

Vec handsOf(const Figure& f, double x, double y, double scale) {
  const Frame fr = frameFor(f);
  const double at = f.arms == Arms::hold  ? fr.shoulderY + 17
                    : f.pose == Pose::sit ? fr.hipY + 2
                                          : fr.waistY + 6;
  return {x, y + at * scale};
}

void drawSnore(Canvas& c, double x, double y, double scale) {
  for (int i = 0; i < 3; ++i) {
    const double k = scale * (4 + 2.2 * i);
    const double zx = x + i * 9 * scale, zy = y - i * 11 * scale;
    const Rgb ink = hex(0xD8E8FF);
    const double w = std::max(1.0, 1.6 * scale);
    c.line(zx - k, zy - k, zx + k, zy - k, w, ink, 0.9);
    c.line(zx + k, zy - k, zx - k, zy + k, w, ink, 0.9);
    c.line(zx - k, zy + k, zx + k, zy + k, w, ink, 0.9);
  }
}

}  // namespace zav3::assets
