// Destinations and travel: the place table, the shared navigation routines (distance, heading,
// step move, light delay, distance and duration texts), the moving place イズモ, and the travel
// routines 12, 13, 19, 26, 28, 54, 66, 67, 68 and 71.
#pragma once

#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
struct SpacePoint;
}  // namespace zav3

namespace zav3::ship {

using host::Bytes;
using host::Double;
using host::Integer;
using host::Long;
using host::Single;

inline constexpr int lastPlaceName = 12;
inline constexpr int lastPlacePos = 13;
inline constexpr int earthPlace = 3;
inline constexpr int izumoPlace = 11;  // the moving place
inline constexpr int startPlace = 13;

// Speed of light in km per second, as the game rounds it.
inline constexpr Double lightSpeed = 299274;

// Stores a game value used as an array index or a count (nearest, ties to even; error 6 when it
// does not fit a long).
Long asIndex(Single value);

// Distance to place p from a point (whole km, rounded down); error 9 for p outside 0..13.
Double distanceFromPoint(const Main& m, const SpacePoint& from, Long p);
// Distance from the work position to place p; also kept as the last distance.
Double distanceToPlace(Main& m, Long p);
// Heading from the work position to place p into headingElevation / headingAzimuth.
void headingToPlace(Main& m, Long p);
// Heading of the ship (p = 0) or of place p seen from the Sun; the work position becomes the
// ship position afterwards.
void headingFromSun(Main& m, Long p);
// Moves the work position by 3 x ship speed along the heading (three minutes of travel).
void stepMove(Main& m);
// Light travel time of a distance, whole seconds, rounded down.
Double lightDelay(Double distance);

// "９０億７６６０万７２７３Ｋｍ" and the like; d is not changed.
Bytes distanceText(Double d);
// "１日と１時間１分", "５９秒" and the like, for t seconds; t is not changed.
Bytes durationText(Double t);

// The moving place イズモ: moves it along the line from 土星 to 地球 by the clock and stores it in
// shipState[4..6] and placePos[11].
void updateMovingPlace(Main& m);

// The travel routines, also reachable by number through the routine table.
void positionReport(Main& m);    // 12
void estimateToCourse(Main& m);  // 13
void travelEstimate(Main& m);    // 19
void newGame(Main& m);           // 26
void travelStep(Main& m);        // 28
void nameCourseTarget(Main& m);  // 54
void outerPlanetList(Main& m);   // 66
void moveOtherShip(Main& m);     // 67
void placeCoordinates(Main& m);  // 68
void timeToEarth(Main& m);       // 71

void registerTravelRoutines(scenario::RoutineTable& table);

}  // namespace zav3::ship
