// The people of the face pictures, their hair and the costumes they wear, and the drawing
// helpers shared by the face painter (faces.cpp) and the clothes below the face
// (face_clothes.cpp).
#pragma once

#include <string_view>
#include <vector>

#include "assets/paint.hpp"

namespace zav3::assets::face {

enum class Hair { bob, capped, spiky, long_, buns, short_, crew };

// What a face wears below the neck: the uniforms of the crew and the clothes of the costumes.
enum class Outfit {
  uniform,   // jacket with coloured piping and an insignia
  coat,      // the doctor's white coat over the uniform
  coverall,  // the technical officer's work clothes
  sweater,   // room clothes
  trench,    // a coat for going ashore over a blouse
  mandarin,  // a jacket with a standing collar and knotted buttons
  gown,      // an evening dress leaving the shoulders bare
  qipao,     // a close-fitting dress with a high collar
};

struct Costume {
  std::string_view code;  // the costume digits of the face code
  Outfit outfit;
  Rgb main, trim;
};

struct Person {
  std::string_view code;  // speaker number, two digits
  Hair hair;
  Rgb hairColour, hairLight, skin, eyeColour, backTop, backBottom;
  double eyeHeight;  // vertical size of the eyes (smaller for older faces)
  double jaw;        // half width of the jaw
  bool glasses, headset, older, beard;
  std::vector<Costume> costumes;  // the first is costume 00
};

// A thick curve through `points` (round joins).
void stroke(Canvas& c, const std::vector<Vec>& points, double width, Rgb colour,
            double alpha = 1.0);

// The polygon filled with a colour or a function of the point.
template <class P>
void fillPolygon(Canvas& c, const std::vector<Vec>& points, P paint) {
  Bounds b{1e9, 1e9, -1e9, -1e9};
  for (const Vec& v : points) {
    b.x0 = std::min(b.x0, v.x), b.y0 = std::min(b.y0, v.y);
    b.x1 = std::max(b.x1, v.x), b.y1 = std::max(b.y1, v.y);
  }
  c.fill(
      b, [&](double x, double y) { return sdf::polygon(x, y, points); }, paint);
}

// The neck and shoulders in the costume.
void clothes(Canvas& c, const Person& p, const Costume& k);

}  // namespace zav3::assets::face
