// The people of the room pictures: the heroine and the five crew members drawn as small
// full-length figures, each recognisable by hair, build and clothes, standing, seated, lying
// awake or asleep, in the outfits the story dresses them in.
#pragma once

#include "assets/paint.hpp"

namespace zav3::assets {

// The heroine and crew members 1..5, in the order of the presence bits 1, 2, 4, ... 32.
enum class Who { mina, rinka, beverly, scott, sakharov, togo };
inline constexpr int peopleCount = 6;

enum class Outfit {
  uniform,   // costume 00 (the doctor's white coat, the technical officer's coveralls)
  lounge,    // the heroine's room clothes, costume 06
  civilian,  // clothes for going ashore, costume 07
  dress,     // evening dress, costume 08
};

enum class Pose {
  stand,  // feet at the anchor
  sit,    // seat surface at the anchor (the chair is the scene's)
  lie,    // lying along a bed, head at the anchor and feet towards +x (before mirroring)
};

enum class Arms { down, lap, hold, wave };
enum class Look { smile, talk, calm, closed };

struct Figure {
  Who who = Who::mina;
  Outfit outfit = Outfit::uniform;
  Pose pose = Pose::stand;
  Arms arms = Arms::down;
  Look look = Look::smile;
  bool blanket = false;       // lying under the covers (asleep)
  Rgb cover = hex(0x6A8AC8);  // the colour of the covers
  double tilt = 0;            // head tilt in radians, positive towards the figure's left
};

// Draws the figure at the anchor (x, y) of its pose; `scale` 1 is a 170 px standing height.
// `mirror` draws it facing the other way (arms and tilt swap sides; a lying figure's feet point
// to -x).
void drawFigure(Canvas& c, const Figure& f, double x, double y, double scale, bool mirror = false);

// Where a figure's hands meet in the `hold` and `lap` arm positions, for cups, books and trays.
Vec handsOf(const Figure& f, double x, double y, double scale);

// A small "Z z" above a sleeper.
void drawSnore(Canvas& c, double x, double y, double scale);

}  // namespace zav3::assets
