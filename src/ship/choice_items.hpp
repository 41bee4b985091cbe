// What the ship-mode menu and bookkeeping routines share: the game variables by index, offering
// and hiding the items of the next choice list through choiceMask (1 hides an item), and the bit
// tests and bit settings they make on game values, which are rounded to whole numbers where they
// are used as bit sets.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::ship {

inline Single& var(Main& m, int i) {
  return m.gameVar(i);
}
inline Integer& flag(Main& m, int i) {
  return m.gameFlag(i);
}

inline void offerItem(Main& m, int item) {
  m.choiceMask(item) = 0;
}
inline void hideItem(Main& m, int item) {
  m.choiceMask(item) = 1;
}
// Offers the item when `offered`, else hides it.
inline void showItemIf(Main& m, int item, bool offered) {
  m.choiceMask(item) = offered ? 0 : 1;
}
inline bool itemHidden(const Main& m, int item) {
  return m.choiceMask(item) == 1;
}

// Whether a game value, as a bit set, has any of the bits of `bits`.
inline bool hasBit(Single value, Long bits) {
  return (host::toLong(value) & bits) != 0;
}
inline bool hasBit(Integer value, Long bits) {
  return (static_cast<Long>(value) & bits) != 0;
}
// The value with the bits of `bits` added to its bit set.
inline void setBits(Single& value, Long bits) {
  value = static_cast<Single>(host::toLong(value) | bits);
}
inline void setBits(Integer& value, Long bits) {
  value = static_cast<Integer>(value | bits);
}

}  // namespace zav3::ship
