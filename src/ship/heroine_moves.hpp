// The heroine's moves on the ship: the bit masks of the places she may visit and has visited and
// of the needs she feels and has met, the two musing routines that turn what is left into
// monologue lines for the reply slots, a new visiting cycle and the visiting check (routines 5,
// 6, 7 and 33).
#pragma once

#include "host/numbers.hpp"
#include "scenario/dispatcher.hpp"
#include "ship/ship_vars.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

using host::Integer;

// gameFlag indexes of the masks.
inline constexpr int placesOpenFlag = 1506;
inline constexpr int placesVisitedFlag = 1507;
inline constexpr int roundDoneFlag = 1528;

// The masks themselves, by name.
Integer& placesOpen(Main& m);
Integer& placesVisited(Main& m);
Integer& needsOpen(Main& m);
Integer& needsMet(Main& m);
Integer& roundDone(Main& m);

// The most reply lines a musing fills: slots 1..9.
inline constexpr int musingLinesMax = 9;

void musingFirst(Main& m);       // 5
void musingSecond(Main& m);      // 6
void newVisitingCycle(Main& m);  // 7
void visitingCheck(Main& m);     // 33

void registerHeroineMoves(scenario::RoutineTable& table);

}  // namespace zav3::ship
