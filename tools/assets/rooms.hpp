// The rooms aboard the Akatsuki that the room pictures show people in: the common room, the
// canteen and the six cabins. Each room is its fixed background, the furniture that people sit
// behind or in front of (drawn in depth order with them), the things people hold, and the light
// of the hour laid over the finished picture.
#pragma once

#include <functional>
#include <vector>

#include "assets/figures.hpp"
#include "assets/paint.hpp"
#include "host/text.hpp"

namespace zav3::assets {

enum class Place {
  lounge,
  canteen,
  cabinMina,  // the heroine's cabin; the crew cabins follow in crew order
  cabinRinka,
  cabinBeverly,
  cabinScott,
  cabinSakharov,
  cabinTogo,
};

inline Place cabinOf(Who who) {
  return static_cast<Place>(static_cast<int>(Place::cabinMina) + static_cast<int>(who));
}

enum class Light {
  day,
  evening,  // the ceiling lights off, the lamps on
  night,    // dark blue, a faint lamp
  alert,    // red alert: red light and beacons
  screen,   // the common room darkened for a film on the wall screen
};

// Furniture drawn among the people: everything of smaller depth (the y of the floor under it)
// is drawn before it.
struct Piece {
  double depth;
  std::function<void(Canvas&)> draw;
};

// Walls, floor, windows and the furniture behind everybody.
Canvas roomBackground(Place place, host::TextRenderer& text);
std::vector<Piece> roomPieces(Place place);
void applyLight(Canvas& c, Place place, Light light);
// The colour of the covers on a cabin's bed.
Rgb bedCover(Place place);

// Things held in the hands (at `hands`, see handsOf) or set down in front of a person.
enum class Prop {
  none,
  cup,
  book,
  snack,
  guitar,
  brush,   // calligraphy: a brush and a sheet of paper
  wrench,  // a wrench and an engine part
  chess,   // a chessboard on a stool in front
  tray,    // a canteen tray on the table in front (drawn at the table's height)
  plush,
};
void drawProp(Canvas& c, Prop prop, Who who, Vec hands, double scale);

}  // namespace zav3::assets
