// The crew's state as the ship routines see it: for crew member i = 1..5 the place where it is,
// the place it is assigned to, its activity code and the bits of what it has done, all held in
// gameVar; the heroine's activity; and the place codes they share.
#pragma once

#include "host/numbers.hpp"
#include "shell/game_state.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

inline constexpr int firstCrewMember = 1;
inline constexpr int lastCrewMember = 5;

// Place codes; crew member i's own cabin is cabinOf(i).
inline constexpr Single movingPlace = 0;
inline constexpr Single bridgePlace = 1;
inline constexpr Single canteenPlace = 8;
inline constexpr Single corridorPlace = 9;
inline constexpr Single toiletPlace = 10;
inline constexpr Single engineRoomPlace = 11;
inline constexpr Single radarRoomPlace = 12;
constexpr Single cabinOf(int i) {
  return static_cast<Single>(i + 2);
}

// The bit of crew member i in the bit sets of people (present, on duty).
constexpr host::Long crewBit(int i) {
  return host::Long{1} << i;
}

inline constexpr int heroineActivityPrevVar = 91;

inline Single& crewPlace(Main& m, int i) {
  return m.gameVar(5 * i + 1);
}
inline Single& crewDuty(Main& m, int i) {
  return m.gameVar(5 * i + 2);
}
inline Single& crewActivity(Main& m, int i) {
  return m.gameVar(vars::heroineActivityVar + i);
}
inline Single& crewDoneBits(Main& m, int i) {
  return m.gameVar(heroineActivityPrevVar + i);
}
inline Single& heroineActivity(Main& m) {
  return m.gameVar(vars::heroineActivityVar);
}

// Bits of a bit set held in a single (rounded to a whole number first).
inline bool hasBits(Single set, host::Long bits) {
  return (host::toLong(set) & bits) != 0;
}
inline void addBits(Single& set, host::Long bits) {
  set = static_cast<Single>(host::toLong(set) | bits);
}
// Clears bits from a set: unlike subtracting them, leaves the set whole when they are not in it.
inline void removeBits(Single& set, host::Long bits) {
  set = static_cast<Single>(host::toLong(set) & ~bits);
}

}  // namespace zav3::ship
