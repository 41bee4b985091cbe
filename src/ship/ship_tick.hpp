// The ship's three-minute tick: sets the clock to the step's target minute, counts down the
// deck repair, skip mode and the three repair jobs, advances the per-member work counters and
// the repairs, and raises eventBits when something finishes.
#pragma once

#include "host/numbers.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

// One tick. The caller (the travel step) first sets Main::targetMinute; the tick moves
// clockMinutes there and does all the rest. It does not wait and does not draw.
void shipTick(Main& m);

// The parts of the tick, run by shipTick in order; open for tests and for callers that need
// exactly one of them.
void crewUpdate(Main& m, int member);  // first and (members 0..2) second per-member update
void firstMemberUpdate(Main& m, int a, int b, int c, int s);
void secondMemberUpdate(Main& m, int member, int a, int b, int c, int s);
void jobEndUpdate(Main& m, int a, int b, int c, int s);
void idleUpdate(Main& m, int k);
void endOfTickCrewStep(Main& m);

}  // namespace zav3::ship
