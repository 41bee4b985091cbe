// Painting shared by the opening and ending picture shows: the Sun, the Earth, the central
// station's wheel, cargo ships, the pirate ship, the Akatsuki seen from ahead and close up, the
// patrol corps emblem, a dawn over a planet's limb, the bridge and people seen from behind.
#pragma once

#include <cstdint>

#include "assets/space_paint.hpp"

namespace zav3::assets::show {

inline constexpr double pi = 3.14159265358979323846;

// A star's disc with its corona and a faint horizontal streak.
void sun(Canvas& c, double x, double y, double r, double strength = 1.0);
// Blue oceans, green-brown land and white clouds.
Rgb earthGround(double nx, double ny, double nz);
// Lights of towns on the night side of a planet drawn with `planet` at the same place.
void cityLights(Canvas& c, double cx, double cy, double r, V3 light, std::uint32_t seed);
// A thin ring around a planet seen at a slant; `front` draws the half in front of it.
void planetRing(Canvas& c, double cx, double cy, double rx, double ry, double width, Rgb colour,
                double alpha, bool front);

// The central station: a wheel tilted towards the viewer around a hub with spokes and solar
// panels; `rx` is the wheel's half width.
void stationWheel(Canvas& c, double cx, double cy, double rx, double tilt, std::uint64_t seed);

// A boxy cargo ship with containers, pointing along `angle` from its nose (x, y).
void cargoShip(Canvas& c, double x, double y, double scale, double angle, std::uint64_t seed);

// The pirate ship: dark, angular, with red lights; `facing` -1 points her to the left.
void pirateShip(Canvas& c, double x, double y, double scale, double facing, double angle = 0,
                double glowAmount = 1.0);

// The Akatsuki coming towards the viewer, her hull's centre at (x, y).
void akatsukiAhead(Canvas& c, double x, double y, double scale);
// Seams, hatches and ports over an `akatsuki` drawn at a large scale, and her name on the bow.
void akatsukiDetail(Canvas& c, const Placement& p, host::TextRenderer& text);

// The corps emblem: a rising sun on a horizon between two spread wings, in a ring.
void emblem(Canvas& c, double cx, double cy, double r, Rgb gold, Rgb field);

// A planet filling the bottom of the picture, its limb an arc through y = `horizon` at the
// middle, the Sun rising over it at `sunX` with its light spreading along the air.
// `flares` adds the rings of a lens flare.
void dawn(Canvas& c, double horizon, double curve, double sunX, double sunUp, std::uint32_t seed,
          bool flares = true);

// A truss girder between two points, `depth` wide, with cross bracing.
void truss(Canvas& c, Vec a, Vec b, double depth, Rgb colour);

// Hair styles seen from behind.
enum class Back { bob, buns, wavy, short_, crew, spiky, cap };
// Head and shoulders seen from behind; (x, y) is the middle of the shoulder line and the head
// is 15 * scale across. `coat` is the colour of the jacket.
void fromBehind(Canvas& c, double x, double y, double scale, Back hair, Rgb coat,
                bool epaulettes = false, double lit = 0.0, Rgb rim = hex(0x80B0FF));

// What is seen of the captain's seat on the bridge.
enum class Captain { armrests, emptyChair, inChair };
// The Akatsuki's bridge: the great window with `view` behind it (a picture of the same size),
// the consoles with the crew at them (`crew` false leaves the seats empty), the captain's seat
// in front; `dim` darkens the lights for the night watch.
void bridge(Canvas& c, const Canvas& view, bool dim, bool crew, Captain captain);

// A 640 x h field of space: sky with a nebula tint and stars.
Canvas deepSpace(int h, std::uint32_t seed, Rgb cloud, double cloudAmount, int stars);

}  // namespace zav3::assets::show
